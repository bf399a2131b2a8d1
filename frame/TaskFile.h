#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class Folders;
class QIODevice;

// Reading of the task files that lie beside the program. A file is a sequence of records of R
// lines each; line j of every record goes to list j.
namespace TaskFile {

struct Result
{
    QList<QStringList> lists; // R parallel lists, each with one entry per complete record
    QString error; // German message naming the file; empty on success

    bool ok() const { return error.isEmpty(); }
    qsizetype records() const { return lists.isEmpty() ? 0 : lists.first().size(); }
};

// Windows-1252, except that valid UTF-8 with a byte-order mark or with non-ASCII characters
// is read as UTF-8 (files saved by today's editors), in composed form (NFC).
QString decode(const QByteArray& bytes);

// CR LF and a lone CR end a line, and a lone LF stays in the line; in a text without any CR,
// LF ends a line. A line end after the last line adds no empty line.
QStringList splitLines(const QString& text);

// A file whose lines do not make whole records is an error naming the lines of the incomplete
// one, as is an empty file. load() refuses anything but a regular file before opening it.
Result read(QIODevice& device, int recordLines, const QString& fileName);
Result load(const QString& path, int recordLines);

// Reads the tasks afresh at each call; engines take one, so that tests can feed them lists.
using Loader = std::function<Result()>;
// Exercise k's task file in the program directory, with the catalogue's lines per task. The
// folder is asked at each call.
Loader forExercise(const Folders& folders, int k);

} // namespace TaskFile
