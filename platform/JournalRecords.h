#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

// One finished task as its engine decided it: what the practice journal records. The engine
// fills every field; the screen only hands it on.
struct TaskResult
{
    int exercise = 0; // 1 .. ExerciseCount
    QString prompt; // the task as the child saw it
    qint32 seconds = 0; // from the task's first display to its end, at least 0
    qint32 errors = 0; // wrong keys, wrong drops or wrong answers within this task
    qint64 points = 0; // what the task changed the score by, bonus and penalties included
    bool helpUsed = false; // "Lösung anzeigen" or "Anzeige wiederholen"
};

// How an exercise screen was left.
enum class SessionEnd
{
    Ended, // "Übung beenden" or the screen's close box
    TimeLimit,
    ProgramEnd,
    TaskFileFailure,
};

// One opening of an exercise screen, from its opening to its closing.
struct SessionResult
{
    int exercise = 0;
    QDateTime started; // UTC
    QDateTime ended; // UTC
    qint32 seconds = 0;
    qint32 tasks = 0; // tasks finished
    qint32 errors = 0;
    qint32 pointsAtStart = 0;
    qint32 pointsAtEnd = 0;
    SessionEnd end = SessionEnd::Ended;
};

// Local days from `first` to `last`, both included.
struct JournalPeriod
{
    QDate first;
    QDate last;

    // The `days` local days that end with the day of `now`, counted in now's offset from UTC.
    static JournalPeriod endingAt(const QDateTime& now, int days);
    qint64 days() const { return first.daysTo(last) + 1; }
};

struct JournalDay
{
    QDate day;
    qint32 tasks = 0;
    qint32 errors = 0;
};

struct JournalSession
{
    QString id;
    int exercise = 0;
    bool practiceRound = false;
    QDateTime started; // local time as it was then
    qint32 seconds = 0;
    qint32 tasks = 0;
    qint32 errors = 0;
    qint32 pointsAtStart = 0;
    qint32 pointsAtEnd = 0;
    std::optional<SessionEnd> end; // none while open, or when the program never closed it
};

struct JournalTask
{
    int number = 0;
    QString prompt;
    QDateTime finished; // local time as it was then
    qint32 seconds = 0;
    qint32 errors = 0;
    qint64 points = 0;
    bool helpUsed = false;
};

// A task the child got wrong at least once in the period, and how often it was tried.
struct JournalDifficulty
{
    QString prompt;
    qint32 tries = 0;
    qint32 errors = 0;
    qint32 helps = 0;
};

// One try of a task: when it was finished and whether it went smoothly.
struct JournalTry
{
    QDateTime finished; // local time as it was then
    qint32 errors = 0;
    bool helpUsed = false;
};

// The latest tries of one task, the earliest first.
struct JournalTries
{
    QString prompt;
    QList<JournalTry> tries;
};

struct JournalTotals
{
    int exercise = 0;
    qint32 sessions = 0;
    qint32 seconds = 0;
    qint32 tasks = 0;
    qint32 errors = 0;
    // Tasks and errors in the first and the second half of the period; with an odd number of
    // days the second half has the extra day.
    qint32 earlyTasks = 0;
    qint32 earlyErrors = 0;
    qint32 lateTasks = 0;
    qint32 lateErrors = 0;

    // Errors per task in the second half less those in the first; negative when the child
    // improves. None when a half has no tasks.
    std::optional<double> trend() const;
};

struct JournalExport
{
    JournalSession session;
    QList<JournalTask> tasks; // in the order of their numbers
};

// A PostgreSQL server; what is left empty libpq takes from its environment (PGHOST, PGPORT,
// PGDATABASE, PGUSER), the password from ~/.pgpass or PGPASSFILE.
struct JournalServer
{
    QString host;
    int port = -1;
    QString database;
    QString user;
};

// What a child did in one exercise, for the class report.
struct JournalReportRow
{
    QString className;
    QString child;
    int exercise = 0;
    QDateTime lastPractised; // the start of the latest session, local time as it was then
    qint32 sessions = 0;
    qint32 seconds = 0;
    qint32 tasks = 0;
    qint32 errors = 0;
    qint64 points = 0; // gained by the tasks, penalties included
};
