#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The program's command line. It is answered before QApplication exists, so that whatever
// ends the program at once (help, version, a check of task files, a wrong option) needs no
// display.
//
// Another option: declare it in options() in CommandLine.cpp, name it in the help table there
// and answer it in answer().
namespace CommandLine {

// Exit code of a command line the program does not understand.
inline constexpr int UsageError = 2;

struct Answer
{
    // Set: the program prints `output` and `errors` and ends with this code, without a window.
    std::optional<int> exitCode;
    QString output; // for standard output
    QString errors; // for standard error
};

// `arguments` as main receives them, the program's own name first. `programDirectory` is asked
// only by a check without a path.
Answer answer(const QStringList& arguments, const std::function<QString()>& programDirectory);

// argv decoded as QCoreApplication decodes it.
QStringList arguments(int argc, char* argv[]);

// Writes an answer's texts to standard output and standard error; returns its exit code.
int print(const Answer& answer);

} // namespace CommandLine
