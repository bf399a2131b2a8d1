#pragma once

#include <QByteArray>
#include <QString>

// The single-byte code page of the task files and score files.
namespace Windows1252 {

// Every byte is a character; the five bytes without one in Windows-1252 become the C1 control
// of the same value.
QString decode(const QByteArray& bytes);
// The byte that stands for c, or -1.
int byteOf(QChar c);

// A character saved as UTF-8 in a text read as Windows-1252 ("weiÃŸ" for "weiß"): where it
// starts, how many characters it takes and the character meant. `at` is -1 when there is none.
struct Misread
{
    qsizetype at = -1;
    qsizetype length = 0;
    QString meant {};
};
Misread misread(const QString& line, qsizetype from = 0);

} // namespace Windows1252
