#pragma once

// Journals made for tests: sessions written as the program writes them, in a temporary file or
// in a database of their own on the PostgreSQL server of the environment (pg_virtualenv).
#include "platform/JournalDatabase.h"

#include <QDateTime>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimeZone>
#include <optional>

using namespace Qt::StringLiterals;

// The first value the statement gives in the database, as text; a null text when it gives
// none. `driver` QSQLITE: `database` is a file; QPSQL: a database on the environment's server.
inline QString probe(const QString& driver, const QString& database, const QString& sql)
{
    QString value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driver, u"probe"_s);
        db.setDatabaseName(database);
        QSqlQuery query(db);
        if (db.open() && query.exec(sql) && query.next())
            value = query.value(0).toString();
    }
    QSqlDatabase::removeDatabase(u"probe"_s);
    return value;
}

inline QString inFile(const QString& path, const QString& sql)
{
    return probe(u"QSQLITE"_s, path, sql);
}

// Local time with its offset from UTC, central European winter time unless told.
inline QDateTime at(const QString& local, int offset = 3600)
{
    QDateTime time = QDateTime::fromString(local, u"yyyy-MM-dd HH:mm:ss"_s);
    time.setTimeZone(QTimeZone(offset));
    return time;
}

struct Task
{
    int after; // seconds after the session's start
    QString prompt;
    int seconds;
    int errors;
    int points = 0;
    bool help = false;
};

struct Session
{
    QString child;
    int exercise;
    QString started;
    QList<Task> tasks;
    int seconds = 0; // as the screen reports it at the end
    std::optional<SessionEnd> end = SessionEnd::Ended; // none: left open
    int offset = 3600;
    bool practiceRound = false;
    QString className {};
};

inline bool record(JournalDatabase& journal, const Session& s)
{
    journal.setClassName(s.className);
    const QDateTime started = at(s.started, s.offset);
    const QString id = journal.sessionStarted(s.child, s.exercise, started, 100, s.practiceRound);
    bool ok = !id.isEmpty();
    int errors = 0;
    for (int i = 0; i < s.tasks.size(); ++i) {
        const Task& t = s.tasks[i];
        errors += t.errors;
        ok = journal.taskFinished(id, i + 1,
                 { s.exercise, t.prompt, t.seconds, t.errors, t.points, t.help },
                 started.addSecs(t.after))
            && ok;
    }
    if (s.end) {
        ok = journal.sessionEnded(id,
                 { s.exercise, started, started.addSecs(s.seconds), s.seconds,
                     qint32(s.tasks.size()), errors, 100, 120, *s.end })
            && ok;
    }
    return ok;
}

// Nothing the journal opens may be left to a later test; the file stays.
struct TempJournal
{
    QTemporaryDir dir;
    QString path = dir.filePath(u"tagebuch.sqlite"_s);
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files); }
};

// A file always; a PostgreSQL server too when the environment names one (pg_virtualenv).
inline QStringList stores()
{
    return qEnvironmentVariableIsSet("PGHOST") ? QStringList { u"SQLite"_s, u"PostgreSQL"_s }
                                               : QStringList { u"SQLite"_s };
}

// An empty journal in the store. On a server in a database of its own, made anew, so that
// no other database is touched.
inline bool emptyServerDatabase(const QString& database)
{
    bool made = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QPSQL"_s, u"making"_s);
        QSqlQuery query(db);
        made = db.open() && query.exec(u"DROP DATABASE IF EXISTS "_s + database)
            && query.exec(u"CREATE DATABASE "_s + database);
    }
    QSqlDatabase::removeDatabase(u"making"_s);
    return made;
}

// `database`: the server's database, one per test program, since they may run side by side.
inline bool openEmpty(JournalDatabase& journal, const QString& store, const TempJournal& temp,
    const QString& database = u"tambolino_test"_s)
{
    if (store == u"SQLite")
        return journal.open(temp.path).ok;
    return emptyServerDatabase(database) && journal.openServer({ {}, -1, database, {} }).ok;
}
