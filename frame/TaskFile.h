#pragma once

#include "core/TaskLayout.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class Folders;
class QIODevice;

// Reading of the task files that lie beside the program. A file is a sequence of records of R
// lines each; line j of every record goes to list j.
namespace TaskFile {

enum class Encoding
{
    Ascii, // the same in both
    Utf8,
    Windows1252,
    Utf16, // with its byte-order mark
};

enum class LineEnds
{
    None, // a single line without an end
    CrLf,
    Lf, // only in a text without any CR
    Cr,
    Mixed, // CR LF and a lone CR
};

// The lines of a task file as the program reads them, and what it found out on the way.
struct Text
{
    QStringList lines;
    Encoding encoding = Encoding::Ascii;
    LineEnds lineEnds = LineEnds::None;
    // Why the file cannot be read at all, as the rest of a sentence that begins with the file
    // ("ist leer."); empty when it was read.
    QString refusal;
};

struct Result
{
    QList<QStringList> lists; // R parallel lists, each with one entry per complete record
    QString error; // German message naming the file; empty on success
    QString fileName {}; // as the messages name it

    bool ok() const { return error.isEmpty(); }
    qsizetype records() const { return lists.isEmpty() ? 0 : lists.first().size(); }
};

// "Die Aufgabendatei „name“ " followed by `what`, the rest of the sentence.
QString message(const QString& fileName, const QString& what);

// Windows-1252, except that valid UTF-8 with a byte-order mark or with non-ASCII characters
// is read as UTF-8 (files saved by today's editors), and a text with a UTF-16 byte-order mark
// as UTF-16; both in composed form (NFC).
QString decode(const QByteArray& bytes);

// CR LF and a lone CR end a line, and a lone LF stays in the line; in a text without any CR,
// LF ends a line. A line end after the last line adds no empty line.
QStringList splitLines(const QString& text);
LineEnds lineEnds(const QString& text);

// An empty file is refused, as is one too large for a task file. loadText() refuses anything
// but a regular file before opening it.
Text readText(QIODevice& device);
Text loadText(const QString& path);

// Empty when `lines` make whole records of `recordLines` each; otherwise why the last one is
// incomplete: "Jede Aufgabe besteht aus ...".
QString incompleteRecord(qsizetype lines, int recordLines);

// A file whose lines do not make whole records is an error naming the lines of the incomplete
// one, as is a refused file.
Result records(const Text& text, int recordLines, const QString& fileName);
Result read(QIODevice& device, int recordLines, const QString& fileName);
Result load(const QString& path, int recordLines);

// Leaves out the tasks the program cannot use (TaskLayout::flaw). When none is left, the
// result is an error naming the file and the first line that kept a task out.
void keepUsable(Result& result, const TaskLayout& layout, const TaskLayout::Fits& fits = {});
// The shown text (TaskLayout::shownText) of each task, in file order.
QStringList shownTexts(const Result& result, const TaskLayout& layout);
// Keeps the tasks whose shown text (TaskLayout::shownText) is one of `prompts`, in file order:
// a practice round of some of a file's tasks. When none is left, the result is an error.
void keepOnly(Result& result, const TaskLayout& layout, const QStringList& prompts);
// Why a task with this flaw is left out, as a sentence.
QString flawText(TaskLayout::Problem problem);

// Reads the tasks afresh at each call; engines take one, so that tests can feed them lists.
using Loader = std::function<Result()>;
// The tasks of exercise k that its screen can use, `fits` measuring its places.
Loader usable(Loader loader, int k, TaskLayout::Fits fits = {});
// Exercise k's task file in the program directory, with the catalogue's lines per task; an
// error when no task of it is usable. The folder is asked at each call.
Loader forExercise(const Folders& folders, int k);

} // namespace TaskFile
