#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The whole file, or a null array when it cannot be read.
inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Score lines 10, 20, ... in the written form, `count` of them.
inline QByteArray tensFile(int count)
{
    QByteArray bytes;
    for (int k = 1; k <= count; ++k)
        bytes += ' ' + QByteArray::number(10 * k) + " \r\n";
    return bytes;
}

// Task-file lines as the program ships them: Windows-1252 (Latin-1 covers the German letters)
// with CR LF.
inline QByteArray taskFileBytes(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

// Keys typed on an exercise screen as its key handler passes them on.
template<class Screen> void typeKeys(Screen& screen, const QString& keys)
{
    for (const QChar c : keys)
        screen.typeCharacter(c);
}
