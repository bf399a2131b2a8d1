#pragma once

#include "platform/JournalRecords.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <memory>
#include <optional>

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

    static constexpr int SchemaVersion = 3;
    // The journal's file in the program's data folder.
    static constexpr const char* FileName = "tagebuch.sqlite";
    static QString pathIn(const QString& dataFolder)
    {
        return dataFolder + u'/' + QLatin1StringView(FileName);
    }

    enum class Damage
    {
        SetAside, // a new journal takes the place of a damaged one
        Refuse, // a damaged journal is left as it is and not opened
    };

    // What one call of sendTo() took to the server.
    struct Sent
    {
        qint32 sessions = 0; // sessions new there or changed since
        qint32 tasks = 0;
        bool serverFailed = false; // the server went away or refused a batch
    };

    JournalDatabase();
    ~JournalDatabase();
    JournalDatabase(const JournalDatabase&) = delete;
    JournalDatabase& operator=(const JournalDatabase&) = delete;

    // Opens or creates the journal at `path`, making its folder, and brings the schema up to
    // date. A file that cannot serve as this journal is set aside as "<path>.beschaedigt"; a
    // file that is only out of reach (no permission, locked) is left alone.
    Opened open(const QString& path, Damage damage = Damage::SetAside);
    // The journal on a server, its schema made or brought up to date on first contact; nothing
    // is ever set aside there.
    Opened openServer(const JournalServer& server);
    void close();
    bool isOpen() const;
    QString lastError() const;
    // The class of the sessions started from now on, and of their tasks; empty for none.
    void setClassName(const QString& className);

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
    // The latest `count` tries of each task of the exercise, in the order they were finished,
    // the tasks in code-point order of their prompts.
    QList<JournalTries> recentTries(const QString& child, int exercise, int count);
    // Exercises practised in the period, in catalogue order. Sessions count by the day they
    // started, tasks by the day they were finished.
    QList<JournalTotals> totals(const QString& child, const JournalPeriod& period);
    // Every session of the child, the earliest first, with its tasks.
    QList<JournalExport> everything(const QString& child);

    // Sends every session and task the server has not had from this journal, or not in its
    // latest state, and marks them sent here. False when a batch could not go; what went
    // before it stays sent.
    bool sendTo(JournalDatabase& server, Sent* sent = nullptr);
    // Per class, child and exercise with sessions or tasks from `since` on (everything for a
    // null date), in the order of class, child and exercise (code points); of one class only
    // unless `className` is empty. Sessions count by the day they started, tasks by the day
    // they were finished.
    QList<JournalReportRow> classReport(const QString& className, const QDate& since);

private:
    struct Private;
    std::unique_ptr<Private> d;
};
