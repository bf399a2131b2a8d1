#pragma once

#include "core/TaskLayout.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace TaskFile {
struct Text;
}

// The check of task files that teachers write: every mistake that would show only while a
// child works the exercise, reported with its line, in the form editors and terminals open
// ("FILE:LINE: message").
namespace TaskFileCheck {

struct Finding
{
    enum class Severity
    {
        Error, // the exercise goes wrong at this task, or does not open
        Warning, // works, but not as the teacher will have meant it
        Note, // how the file was read
    };
    qsizetype line; // 1-based; 0 for the file as a whole
    Severity severity;
    QString message;
};

// At most this many findings of a file are listed, the first by line; the others are counted.
inline constexpr qsizetype MaxListed = 100;
// A line that a message quotes is cut to this many characters.
inline constexpr qsizetype MaxQuoted = 80;

struct Report
{
    QList<Finding> findings; // in the order of the lines
    qsizetype tasks = 0; // complete tasks
    std::array<qsizetype, 3> unlisted {}; // by severity

    // Listed and unlisted.
    qsizetype count(Finding::Severity severity) const;
};

// The places exercise k's screen gives the lines of a task, as its engine measures them.
TaskLayout::Fits fits(int k);

// Exercise k's task file, read as the program reads it.
Report check(int k, const TaskFile::Text& text);

// One line per finding listed, one for those not listed, then a summary:
// "Kopfrechnen.txt: 128 Aufgaben, keine Fehler".
QString format(const QString& path, const Report& report);

struct Outcome
{
    QString output;
    bool errors = false;
};

// The task files named and those that lie in the folders named, by their names as the
// catalogue knows them; paths are reported as given. With no path: the program directory,
// where every task file must be.
Outcome run(const QStringList& paths, const QString& programDirectory);

} // namespace TaskFileCheck
