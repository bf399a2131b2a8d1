#pragma once

#include <QByteArray>
#include <QDate>
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

// What the journal's options ask for; answered by JournalCommands::run.
struct JournalRequest
{
    enum class Kind
    {
        SetUp, // --tagebuch-einrichten
        Report, // --bericht
    };
    Kind kind = Kind::Report;
    QString className; // empty: every class
    QDate since; // null: the whole journal
    bool csv = false;
};

struct Answer
{
    // Set: the program prints `output` and `errors` and ends with this code, without a window.
    std::optional<int> exitCode;
    QString output; // for standard output
    QString errors; // for standard error
    // Set instead of an exit code: the program answers it with the settings store and the
    // journal at hand, and ends; still without a window.
    std::optional<JournalRequest> journal {};
    QByteArray bytes {}; // for standard output as they are, before `output`
};

// `arguments` as main receives them, the program's own name first. `programDirectory` is asked
// only by a check without a path.
Answer answer(const QStringList& arguments, const std::function<QString()>& programDirectory);

// argv decoded as QCoreApplication decodes it.
QStringList arguments(int argc, char* argv[]);

// Writes an answer's texts to standard output and standard error; returns its exit code.
int print(const Answer& answer);

} // namespace CommandLine
