#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

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
