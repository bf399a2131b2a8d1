#pragma once

#include "platform/JournalRecords.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <memory>
#include <optional>

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

// The practice journal: per child, a session for each opening of an exercise screen and a
// record for each finished task. An SQLite file now; the statements keep to SQL that
// PostgreSQL runs unchanged. Every session and task carries a unique text id and the child's
// name, so that a copy elsewhere can take records more than once and keep them once.
//
// Nothing here throws, and a failure leaves the journal as it was: a write returns false,
// a query an empty result, and lastError() tells why.
class JournalDatabase
{
public:
    struct Opened
    {
        bool ok = false;
        // Where a file that was no journal, was damaged or came from a newer program was moved
        // before a new journal was started in its place; empty when none was.
        QString setAside;
    };

    static constexpr int SchemaVersion = 1;

    JournalDatabase();
    ~JournalDatabase();
    JournalDatabase(const JournalDatabase&) = delete;
    JournalDatabase& operator=(const JournalDatabase&) = delete;

    // Opens or creates the journal at `path`, making its folder, and brings the schema up to
    // date. A file that cannot serve as this journal is set aside as "<path>.beschaedigt"; a
    // file that is only out of reach (no permission, locked) is left alone.
    Opened open(const QString& path);
    // The journal on a server, its schema made or brought up to date on first contact; nothing
    // is ever set aside there.
    Opened openServer(const JournalServer& server);
    void close();
    bool isOpen() const;
    QString lastError() const;

    // The new session's id; empty when it could not be written.
    QString sessionStarted(const QString& child, int exercise, const QDateTime& started,
        qint32 pointsAtStart, bool practiceRound = false);
    // Records the task and counts it in its session, in one transaction.
    bool taskFinished(
        const QString& sessionId, int number, const TaskResult& task, const QDateTime& finished);
    // The session's seconds are never fewer than its tasks took, whatever the clock did.
    bool sessionEnded(const QString& sessionId, const SessionResult& result);

    // One entry per day of the period, days without practice included; a task counts for the
    // local day it was finished on.
    QList<JournalDay> days(const QString& child, int exercise, const JournalPeriod& period);
    // The latest sessions first.
    QList<JournalSession> lastSessions(const QString& child, int count);
    // The tasks with errors in the period, the most errors per try first; ties go to more
    // errors, then to the prompt in code-point order.
    QList<JournalDifficulty> difficultTasks(
        const QString& child, int exercise, const JournalPeriod& period, int count = 10);
    // Exercises practised in the period, in catalogue order. Sessions count by the day they
    // started, tasks by the day they were finished.
    QList<JournalTotals> totals(const QString& child, const JournalPeriod& period);
    // Every session of the child, the earliest first, with its tasks.
    QList<JournalExport> everything(const QString& child);

private:
    struct Private;
    std::unique_ptr<Private> d;
};
