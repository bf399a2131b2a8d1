#pragma once

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

// A program directory of the tests' own, holding task files as the program ships them:
// Windows-1252 (Latin-1 covers the German letters) with CR LF.
class TaskFolder
{
public:
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

    void write(const QString& name, const QStringList& lines) const
    {
        QByteArray bytes;
        for (const QString& line : lines)
            bytes += line.toLatin1() + "\r\n";
        QFile out(file(name));
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            qFatal("cannot write a task file");
    }

private:
    QTemporaryDir m_dir;
};
