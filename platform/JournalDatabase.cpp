#include "platform/JournalDatabase.h"

#include "platform/SetAside.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimeZone>
#include <QUuid>
#include <QVariant>
#include <algorithm>
#include <tuple>

namespace {
// Step v takes a journal from schema version v to v + 1. Times are seconds since 1970 UTC with
// the local offset they had; `day` is the Julian day of that local date, so that a day stays
// the child's day whatever the time zone is later. Counts are also kept in the session, so
// that a session the program never closed still tells what was done.
const QList<QStringList>& migrations()
{
    static const QList<QStringList> steps {
        {
            QStringLiteral("CREATE TABLE sessions (id TEXT PRIMARY KEY, child TEXT NOT NULL, "
                           "exercise INTEGER NOT NULL, practice INTEGER NOT NULL, "
                           "started BIGINT NOT NULL, utc_offset INTEGER NOT NULL, "
                           "day INTEGER NOT NULL, ended BIGINT, seconds INTEGER NOT NULL, "
                           "tasks INTEGER NOT NULL, errors INTEGER NOT NULL, "
                           "points_start BIGINT NOT NULL, points_end BIGINT NOT NULL, "
                           "ending TEXT)"),
            QStringLiteral("CREATE TABLE tasks (id TEXT PRIMARY KEY, session_id TEXT NOT NULL "
                           "REFERENCES sessions (id), child TEXT NOT NULL, "
                           "exercise INTEGER NOT NULL, number INTEGER NOT NULL, "
                           "prompt TEXT NOT NULL, finished BIGINT NOT NULL, "
                           "utc_offset INTEGER NOT NULL, day INTEGER NOT NULL, "
                           "seconds INTEGER NOT NULL, errors INTEGER NOT NULL, "
                           "points BIGINT NOT NULL, help INTEGER NOT NULL)"),
            QStringLiteral("CREATE INDEX sessions_by_child ON sessions (child, started)"),
            QStringLiteral(
                "CREATE INDEX tasks_by_exercise ON tasks (child, exercise, day, errors)"),
        },
        // The class, and what went to the school's server: a session changes until it ends,
        // so it counts its changes and remembers the count that was sent; a task never changes.
        {
            QStringLiteral("ALTER TABLE sessions ADD COLUMN class TEXT NOT NULL DEFAULT ''"),
            QStringLiteral("ALTER TABLE sessions ADD COLUMN revision INTEGER NOT NULL DEFAULT 1"),
            QStringLiteral("ALTER TABLE sessions ADD COLUMN sent INTEGER NOT NULL DEFAULT 0"),
            QStringLiteral("ALTER TABLE tasks ADD COLUMN class TEXT NOT NULL DEFAULT ''"),
            QStringLiteral("ALTER TABLE tasks ADD COLUMN sent INTEGER NOT NULL DEFAULT 0"),
            QStringLiteral("CREATE INDEX sessions_unsent ON sessions (id) WHERE sent < revision"),
            QStringLiteral("CREATE INDEX tasks_unsent ON tasks (session_id) WHERE sent = 0"),
        },
        // The latest tries of each task, for the practice of the difficult ones.
        {
            QStringLiteral(
                "CREATE INDEX tasks_by_prompt ON tasks (child, exercise, prompt, finished)"),
        },
    };
    return steps;
}

// SQLite's primary result codes for a file that is no database or a damaged one.
constexpr int SqliteCorrupt = 11;
constexpr int SqliteNotADatabase = 26;

bool damage(const QSqlError& error)
{
    bool number = false;
    const int code = error.nativeErrorCode().toInt(&number) & 0xff;
    return number && (code == SqliteCorrupt || code == SqliteNotADatabase);
}

QString endCode(SessionEnd end)
{
    switch (end) {
    case SessionEnd::Ended:
        return QStringLiteral("ended");
    case SessionEnd::TimeLimit:
        return QStringLiteral("time-limit");
    case SessionEnd::ProgramEnd:
        return QStringLiteral("program-end");
    case SessionEnd::TaskFileFailure:
        return QStringLiteral("task-file-failure");
    }
    return {};
}

std::optional<SessionEnd> endFromCode(const QString& code)
{
    for (const SessionEnd end : { SessionEnd::Ended, SessionEnd::TimeLimit, SessionEnd::ProgramEnd,
             SessionEnd::TaskFileFailure }) {
        if (code == endCode(end))
            return end;
    }
    return std::nullopt;
}

QDateTime localTime(const QVariant& utcSeconds, const QVariant& offset)
{
    return QDateTime::fromSecsSinceEpoch(utcSeconds.toLongLong(), QTimeZone(offset.toInt()));
}

// A null text would be bound as NULL.
QString text(const QString& value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

qint32 number(const QVariant& value)
{
    return static_cast<qint32>(value.toLongLong());
}

// The columns of a session row as `sessionFrom` reads them, from `s`.
const QString SessionColumns = QStringLiteral(
    "s.id, s.exercise, s.practice, s.started, s.utc_offset, s.seconds, s.tasks, s.errors, "
    "s.points_start, s.points_end, s.ending");

JournalSession sessionFrom(const QSqlQuery& query)
{
    JournalSession session;
    session.id = query.value(0).toString();
    session.exercise = query.value(1).toInt();
    session.practiceRound = query.value(2).toInt() != 0;
    session.started = localTime(query.value(3), query.value(4));
    session.seconds = number(query.value(5));
    session.tasks = number(query.value(6));
    session.errors = number(query.value(7));
    session.pointsAtStart = number(query.value(8));
    session.pointsAtEnd = number(query.value(9));
    session.end = endFromCode(query.value(10).toString());
    return session;
}

// What goes to the server, in this order. The last field of each list fills the server's
// `sent` (a session's revision, a task's 1), so that nothing there looks unsent.
const QStringList SessionFields { QStringLiteral("id"), QStringLiteral("class"),
    QStringLiteral("child"), QStringLiteral("exercise"), QStringLiteral("practice"),
    QStringLiteral("started"), QStringLiteral("utc_offset"), QStringLiteral("day"),
    QStringLiteral("ended"), QStringLiteral("seconds"), QStringLiteral("tasks"),
    QStringLiteral("errors"), QStringLiteral("points_start"), QStringLiteral("points_end"),
    QStringLiteral("ending"), QStringLiteral("revision"), QStringLiteral("revision") };
const QStringList TaskFields { QStringLiteral("id"), QStringLiteral("session_id"),
    QStringLiteral("class"), QStringLiteral("child"), QStringLiteral("exercise"),
    QStringLiteral("number"), QStringLiteral("prompt"), QStringLiteral("finished"),
    QStringLiteral("utc_offset"), QStringLiteral("day"), QStringLiteral("seconds"),
    QStringLiteral("errors"), QStringLiteral("points"), QStringLiteral("help"),
    QStringLiteral("1") };
// The columns a session may change in; the server keeps its latest revision.
const QStringList SessionChanges { QStringLiteral("ended"), QStringLiteral("seconds"),
    QStringLiteral("tasks"), QStringLiteral("errors"), QStringLiteral("points_end"),
    QStringLiteral("ending"), QStringLiteral("revision"), QStringLiteral("sent") };

// Records per statement on their way to the server.
constexpr int Batch = 250;

// "(?, ?), (?, ?)" for `rows` rows of `columns` values.
QString placeholders(qsizetype rows, qsizetype columns)
{
    const QString row = QLatin1Char('(')
        + QStringList(columns, QStringLiteral("?")).join(QStringLiteral(", ")) + QLatin1Char(')');
    return QStringList(rows, row).join(QStringLiteral(", "));
}

// The columns of the server's insert: the last field of the lists above goes to `sent`.
QString serverColumns(QStringList fields)
{
    fields.last() = QStringLiteral("sent");
    return fields.join(QStringLiteral(", "));
}
} // namespace

struct JournalDatabase::Private
{
    // Named after the object: a counter would start again in each copy of this code (the progress
    // module has one), and Qt drops a connection when another takes its name.
    QString connection = QStringLiteral("journal-%1").arg(quintptr(this), 0, 16);
    QSqlDatabase db;
    QString error;
    QString className;
    bool open = false;

    enum class State
    {
        Ready,
        Damaged,
        Failed,
    };

    bool ready()
    {
        if (!open)
            error = QStringLiteral("the journal is not open");
        return open;
    }

    // Runs a statement with its values bound to the placeholders in order; nothing, with
    // `error` set, when it fails.
    std::optional<QSqlQuery> prepared(const QString& sql, const QVariantList& values)
    {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!query.prepare(sql)) {
            error = query.lastError().text();
            return std::nullopt;
        }
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values.at(i));
        if (!query.exec()) {
            error = query.lastError().text();
            return std::nullopt;
        }
        return query;
    }

    // Several statements as one: all of them or none.
    template<class Steps> bool transaction(Steps steps)
    {
        if (!db.transaction()) {
            error = db.lastError().text();
            return false;
        }
        if (!steps()) {
            db.rollback();
            return false;
        }
        if (db.commit())
            return true;
        error = db.lastError().text();
        db.rollback();
        return false;
    }

    // `checkWhole`: read every page for damage first.
    State connectFile(const QString& path, bool checkWhole);
    State connectServer(const JournalServer& server);
    // PRAGMA user_version in SQLite, a table of its own on a server; 0 for a new journal.
    std::optional<int> storedVersion();
    // One transaction per step, until the schema is current.
    bool migrate();
    void disconnect();
    bool sqlite() const { return db.driverName() == u"QSQLITE"; }
};

JournalDatabase::Private::State JournalDatabase::Private::connectFile(
    const QString& path, bool checkWhole)
{
    db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(path);
    // Another copy of the program writing at the same moment is waited for briefly, not long.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=500"));
    if (!db.open()) {
        error = db.lastError().text();
        return State::Failed;
    }
    QSqlQuery query(db);
    const auto failed = [this, &query] {
        error = query.lastError().text();
        return damage(query.lastError()) ? State::Damaged : State::Failed;
    };
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return failed();
    const int version = query.value(0).toInt();
    if (version > SchemaVersion || version < 0) {
        error = QStringLiteral("schema version %1 is unknown").arg(version);
        return State::Damaged;
    }
    // A database of another program is no journal, though it may look like an empty one.
    if (version == 0) {
        if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master")) || !query.next())
            return failed();
        if (query.value(0).toInt() > 0) {
            error = QStringLiteral("tables of another program");
            return State::Damaged;
        }
    }
    if (checkWhole) {
        if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next())
            return failed();
        if (query.value(0).toString() != u"ok") {
            error = query.value(0).toString();
            return State::Damaged;
        }
    }
    // WAL with NORMAL synchronisation: a commit is not flushed to the disk at once, yet a
    // crash loses at most the last tasks and never damages the file.
    if (!query.exec(QStringLiteral("PRAGMA journal_mode = WAL"))
        || !query.exec(QStringLiteral("PRAGMA synchronous = NORMAL")))
        return failed();
    query.finish();
    return migrate() ? State::Ready : State::Failed;
}

JournalDatabase::Private::State JournalDatabase::Private::connectServer(const JournalServer& server)
{
    db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
    db.setHostName(server.host);
    db.setPort(server.port);
    db.setDatabaseName(server.database);
    db.setUserName(server.user);
    db.setConnectOptions(QStringLiteral("connect_timeout=5"));
    if (!db.open()) {
        error = db.lastError().text();
        return State::Failed;
    }
    return migrate() ? State::Ready : State::Failed;
}

std::optional<int> JournalDatabase::Private::storedVersion()
{
    QSqlQuery query(db);
    if (!query.exec(sqlite() ? QStringLiteral("PRAGMA user_version")
                             : QStringLiteral("SELECT version FROM journal_version"))) {
        error = query.lastError().text();
        return std::nullopt;
    }
    return query.next() ? query.value(0).toInt() : 0;
}

bool JournalDatabase::Private::migrate()
{
    // Nearly every opening finds the schema current: seen so without a transaction, and on the
    // server without the lock by which computers meeting it first take turns.
    if (storedVersion() == SchemaVersion)
        return true;
    error.clear();
    if (!sqlite()) {
        QSqlQuery query(db);
        // libpq prints the server's notices ("relation ... already exists, skipping") on
        // standard error, where they would stand in the teacher's report.
        if (!query.exec(QStringLiteral("SET client_min_messages TO warning"))
            || !query.exec(QStringLiteral(
                "CREATE TABLE IF NOT EXISTS journal_version (version INTEGER NOT NULL)"))) {
            error = query.lastError().text();
            return false;
        }
    }
    for (;;) {
        bool current = false;
        const bool done = transaction([this, &current] {
            QSqlQuery query(db);
            // Computers meeting one server for the first time take turns.
            if (!sqlite()
                && !query.exec(QStringLiteral("LOCK TABLE journal_version IN EXCLUSIVE MODE"))) {
                error = query.lastError().text();
                return false;
            }
            const std::optional<int> version = storedVersion();
            if (!version)
                return false;
            if (*version >= SchemaVersion) {
                current = *version == SchemaVersion;
                if (!current)
                    error = QStringLiteral("schema version %1 is unknown").arg(*version);
                return current;
            }
            QStringList statements = migrations().at(*version);
            if (sqlite()) {
                statements << QStringLiteral("PRAGMA user_version = %1").arg(*version + 1);
            } else {
                statements
                    << QStringLiteral("DELETE FROM journal_version")
                    << QStringLiteral("INSERT INTO journal_version VALUES (%1)").arg(*version + 1);
            }
            for (const QString& statement : statements) {
                if (!query.exec(statement)) {
                    error = query.lastError().text();
                    return false;
                }
            }
            return true;
        });
        if (!done || current)
            return done;
    }
}

void JournalDatabase::Private::disconnect()
{
    open = false;
    if (!db.isValid())
        return;
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(connection);
}

JournalDatabase::JournalDatabase()
    : d(std::make_unique<Private>())
{ }

JournalDatabase::~JournalDatabase()
{
    close();
}

JournalDatabase::Opened JournalDatabase::open(const QString& path, Damage damage)
{
    close();
    d->error.clear();
    Opened opened;
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        d->error = QStringLiteral("cannot make the folder of %1").arg(path);
        return opened;
    }
    // Read in full only where a damaged file would be set aside: the program's own opening,
    // once a run. The upload opens the journal after every task; it, like the journal commands,
    // meets damage as a failed read and leaves the file as it is.
    const bool checkWhole = damage == Damage::SetAside;
    Private::State state = d->connectFile(path, checkWhole);
    if (state == Private::State::Damaged && damage == Damage::SetAside) {
        d->disconnect();
        opened.setAside = setAside(path);
        if (opened.setAside.isEmpty())
            return opened;
        // The write-ahead log belongs to the old file; the index of shared memory is rebuilt.
        QFile::rename(path + QStringLiteral("-wal"), opened.setAside + QStringLiteral("-wal"));
        QFile::remove(path + QStringLiteral("-shm"));
        state = d->connectFile(path, checkWhole);
    }
    opened.ok = d->open = state == Private::State::Ready;
    if (!opened.ok)
        d->disconnect();
    return opened;
}

JournalDatabase::Opened JournalDatabase::openServer(const JournalServer& server)
{
    close();
    d->error.clear();
    Opened opened;
    opened.ok = d->open = d->connectServer(server) == Private::State::Ready;
    if (!opened.ok)
        d->disconnect();
    return opened;
}

void JournalDatabase::close()
{
    d->disconnect();
}

bool JournalDatabase::isOpen() const
{
    return d->open;
}

QString JournalDatabase::lastError() const
{
    return d->error;
}

void JournalDatabase::setClassName(const QString& className)
{
    d->className = className;
}

QString JournalDatabase::sessionStarted(const QString& child, int exercise,
    const QDateTime& started, qint32 pointsAtStart, bool practiceRound)
{
    if (!d->ready())
        return {};
    const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    const bool written
        = d->prepared(
               QStringLiteral("INSERT INTO sessions (id, class, child, exercise, practice, "
                              "started, utc_offset, day, seconds, tasks, errors, points_start, "
                              "points_end) VALUES (?, ?, ?, ?, ?, ?, ?, ?, 0, 0, 0, ?, ?)"),
               { id, text(d->className), child, exercise, int(practiceRound),
                   started.toSecsSinceEpoch(), started.offsetFromUtc(),
                   started.date().toJulianDay(), pointsAtStart, pointsAtStart })
              .has_value();
    return written ? id : QString();
}

bool JournalDatabase::taskFinished(
    const QString& sessionId, int number, const TaskResult& task, const QDateTime& finished)
{
    if (!d->ready())
        return false;
    const qint32 seconds = std::max(task.seconds, 0);
    return d->transaction([&] {
        // The child and the exercise come from the session: a task of an unknown session is
        // not written.
        const auto inserted = d->prepared(
            QStringLiteral(
                "INSERT INTO tasks (id, session_id, class, child, exercise, number, prompt, "
                "finished, utc_offset, day, seconds, errors, points, help) SELECT ?, id, class, "
                "child, exercise, ?, ?, ?, ?, ?, ?, ?, ?, ? FROM sessions WHERE id = ?"),
            { QUuid::createUuid().toString(QUuid::WithoutBraces), number, task.prompt,
                finished.toSecsSinceEpoch(), finished.offsetFromUtc(),
                finished.date().toJulianDay(), seconds, task.errors, task.points,
                int(task.helpUsed), sessionId });
        if (!inserted)
            return false;
        if (inserted->numRowsAffected() != 1) {
            d->error = QStringLiteral("no session %1").arg(sessionId);
            return false;
        }
        return d
            ->prepared(QStringLiteral("UPDATE sessions SET tasks = tasks + 1, "
                                      "errors = errors + ?, seconds = seconds + ?, "
                                      "points_end = points_end + ?, revision = revision + 1 "
                                      "WHERE id = ?"),
                { task.errors, seconds, task.points, sessionId })
            .has_value();
    });
}

bool JournalDatabase::sessionEnded(const QString& sessionId, const SessionResult& result)
{
    if (!d->ready())
        return false;
    // What the tasks recorded stands, when the clock or a lost write says less.
    const auto updated = d->prepared(
        QStringLiteral("UPDATE sessions SET ended = ?, ending = ?, points_end = ?, "
                       "seconds = CASE WHEN seconds > ? THEN seconds ELSE ? END, "
                       "tasks = CASE WHEN tasks > ? THEN tasks ELSE ? END, "
                       "errors = CASE WHEN errors > ? THEN errors ELSE ? END, "
                       "revision = revision + 1 WHERE id = ?"),
        { result.ended.toSecsSinceEpoch(), endCode(result.end), result.pointsAtEnd, result.seconds,
            result.seconds, result.tasks, result.tasks, result.errors, result.errors, sessionId });
    if (updated && updated->numRowsAffected() != 1)
        d->error = QStringLiteral("no session %1").arg(sessionId);
    return updated && updated->numRowsAffected() == 1;
}

QList<JournalDay> JournalDatabase::days(
    const QString& child, int exercise, const JournalPeriod& period)
{
    QList<JournalDay> days;
    if (!d->ready())
        return days;
    for (QDate day = period.first; day <= period.last; day = day.addDays(1))
        days.append({ day });
    auto query = d->prepared(
        QStringLiteral("SELECT day, COUNT(*), SUM(errors) FROM tasks WHERE child = ? AND "
                       "exercise = ? AND day BETWEEN ? AND ? GROUP BY day"),
        { child, exercise, period.first.toJulianDay(), period.last.toJulianDay() });
    if (!query)
        return {};
    while (query->next()) {
        JournalDay& day
            = days[period.first.daysTo(QDate::fromJulianDay(query->value(0).toLongLong()))];
        day.tasks = number(query->value(1));
        day.errors = number(query->value(2));
    }
    return days;
}

QList<JournalSession> JournalDatabase::lastSessions(const QString& child, int count)
{
    QList<JournalSession> sessions;
    auto query = d->ready() ? d->prepared(QStringLiteral("SELECT ") + SessionColumns
                         + QStringLiteral(" FROM sessions s WHERE s.child = ? "
                                          "ORDER BY s.started DESC, s.id DESC LIMIT ?"),
                     { child, count })
                            : std::nullopt;
    while (query && query->next())
        sessions.append(sessionFrom(*query));
    return sessions;
}

QList<JournalDifficulty> JournalDatabase::difficultTasks(
    const QString& child, int exercise, const JournalPeriod& period, int count)
{
    QList<JournalDifficulty> tasks;
    auto query = d->ready()
        ? d->prepared(QStringLiteral("SELECT prompt, COUNT(*), SUM(errors), SUM(help) FROM tasks "
                                     "WHERE child = ? AND exercise = ? AND day BETWEEN ? AND ? "
                                     "GROUP BY prompt HAVING SUM(errors) > 0"),
            { child, exercise, period.first.toJulianDay(), period.last.toJulianDay() })
        : std::nullopt;
    while (query && query->next()) {
        tasks.append({ query->value(0).toString(), number(query->value(1)), number(query->value(2)),
            number(query->value(3)) });
    }
    // Sorted here, exactly and the same on every database: errors a / tries b before c / d
    // when a * d > c * b.
    std::sort(
        tasks.begin(), tasks.end(), [](const JournalDifficulty& a, const JournalDifficulty& b) {
            const qint64 left = qint64(a.errors) * b.tries;
            const qint64 right = qint64(b.errors) * a.tries;
            if (left != right)
                return left > right;
            if (a.errors != b.errors)
                return a.errors > b.errors;
            return a.prompt < b.prompt;
        });
    return tasks.mid(0, count);
}

QList<JournalTries> JournalDatabase::recentTries(const QString& child, int exercise, int count)
{
    QList<JournalTries> tasks;
    auto query = d->ready()
        ? d->prepared(QStringLiteral("SELECT prompt, finished, utc_offset, errors, help FROM "
                                     "(SELECT prompt, finished, utc_offset, errors, help, number, "
                                     "ROW_NUMBER() OVER (PARTITION BY prompt ORDER BY finished "
                                     "DESC, number DESC) AS latest FROM tasks WHERE child = ? AND "
                                     "exercise = ?) AS t WHERE latest <= ? "
                                     "ORDER BY finished, number"),
            { child, exercise, count })
        : std::nullopt;
    QHash<QString, qsizetype> index;
    while (query && query->next()) {
        const QString prompt = query->value(0).toString();
        auto found = index.constFind(prompt);
        if (found == index.constEnd()) {
            found = index.insert(prompt, tasks.size());
            tasks.append({ prompt, {} });
        }
        tasks[*found].tries.append({ localTime(query->value(1), query->value(2)),
            number(query->value(3)), query->value(4).toInt() != 0 });
    }
    if (!query)
        return {};
    // The same order on every database.
    std::sort(tasks.begin(), tasks.end(),
        [](const JournalTries& a, const JournalTries& b) { return a.prompt < b.prompt; });
    return tasks;
}

QList<JournalTotals> JournalDatabase::totals(const QString& child, const JournalPeriod& period)
{
    QList<JournalTotals> totals;
    if (!d->ready())
        return totals;
    const auto entry = [&totals](int exercise) -> JournalTotals& {
        auto found = std::lower_bound(totals.begin(), totals.end(), exercise,
            [](const JournalTotals& t, int k) { return t.exercise < k; });
        if (found == totals.end() || found->exercise != exercise)
            found = totals.insert(found, JournalTotals { exercise });
        return *found;
    };
    const qint64 first = period.first.toJulianDay();
    const qint64 last = period.last.toJulianDay();
    auto sessions = d->prepared(
        QStringLiteral("SELECT exercise, COUNT(*), SUM(seconds) FROM sessions WHERE child = ? "
                       "AND day BETWEEN ? AND ? GROUP BY exercise"),
        { child, first, last });
    while (sessions && sessions->next()) {
        JournalTotals& t = entry(sessions->value(0).toInt());
        t.sessions = number(sessions->value(1));
        t.seconds = number(sessions->value(2));
    }
    const qint64 middle = first + period.days() / 2;
    auto tasks
        = d->prepared(QStringLiteral("SELECT exercise, SUM(CASE WHEN day < ? THEN 1 ELSE 0 END), "
                                     "SUM(CASE WHEN day < ? THEN errors ELSE 0 END), "
                                     "SUM(CASE WHEN day < ? THEN 0 ELSE 1 END), "
                                     "SUM(CASE WHEN day < ? THEN 0 ELSE errors END) FROM tasks "
                                     "WHERE child = ? AND day BETWEEN ? AND ? GROUP BY exercise"),
            { middle, middle, middle, middle, child, first, last });
    while (tasks && tasks->next()) {
        JournalTotals& t = entry(tasks->value(0).toInt());
        t.earlyTasks = number(tasks->value(1));
        t.earlyErrors = number(tasks->value(2));
        t.lateTasks = number(tasks->value(3));
        t.lateErrors = number(tasks->value(4));
        t.tasks = t.earlyTasks + t.lateTasks;
        t.errors = t.earlyErrors + t.lateErrors;
    }
    if (!sessions || !tasks)
        return {};
    return totals;
}

QList<JournalExport> JournalDatabase::everything(const QString& child)
{
    QList<JournalExport> sessions;
    if (!d->ready())
        return sessions;
    auto query = d->prepared(QStringLiteral("SELECT ") + SessionColumns
            + QStringLiteral(" FROM sessions s WHERE s.child = ? ORDER BY s.started, s.id"),
        { child });
    QHash<QString, qsizetype> index;
    while (query && query->next()) {
        index.insert(query->value(0).toString(), sessions.size());
        sessions.append({ sessionFrom(*query), {} });
    }
    auto tasks = d->prepared(
        QStringLiteral("SELECT session_id, number, prompt, finished, utc_offset, seconds, "
                       "errors, points, help FROM tasks WHERE child = ?"),
        { child });
    if (!query || !tasks)
        return {};
    while (tasks->next()) {
        const auto found = index.constFind(tasks->value(0).toString());
        if (found == index.constEnd())
            continue;
        sessions[*found].tasks.append({ tasks->value(1).toInt(), tasks->value(2).toString(),
            localTime(tasks->value(3), tasks->value(4)), number(tasks->value(5)),
            number(tasks->value(6)), tasks->value(7).toLongLong(), tasks->value(8).toInt() != 0 });
    }
    for (JournalExport& session : sessions) {
        std::stable_sort(session.tasks.begin(), session.tasks.end(),
            [](const JournalTask& a, const JournalTask& b) { return a.number < b.number; });
    }
    return sessions;
}

bool JournalDatabase::sendTo(JournalDatabase& server, Sent* sent)
{
    if (!d->ready())
        return false;
    Sent count;
    if (!server.d->ready()) {
        d->error = server.d->error;
        count.serverFailed = true;
        if (sent)
            *sent = count;
        return false;
    }
    // Read here, written there and committed, then marked here: a failure on the way leaves
    // the records unsent, and the server keeps them once when they come again.
    const auto send = [&](const QString& select, const QStringList& fields, const QString& insert,
                          const QString& mark, qint32& counted) {
        for (;;) {
            auto rows = d->prepared(select, { Batch });
            if (!rows)
                return false;
            QVariantList values;
            QStringList ids;
            QVariantList marks;
            while (rows->next()) {
                for (qsizetype i = 0; i < fields.size(); ++i)
                    values.append(rows->value(int(i)));
                ids.append(rows->value(0).toString());
                marks.append(rows->value(int(fields.size() - 1)));
            }
            if (ids.isEmpty())
                return true;
            const bool stored = server.d->transaction([&] {
                return server.d
                    ->prepared(insert.arg(placeholders(ids.size(), fields.size())), values)
                    .has_value();
            });
            if (!stored) {
                d->error = server.d->error;
                count.serverFailed = true;
                return false;
            }
            const bool marked = d->transaction([&] {
                for (qsizetype i = 0; i < ids.size(); ++i) {
                    if (!d->prepared(mark, { marks[i], ids[i] }))
                        return false;
                }
                return true;
            });
            if (!marked)
                return false;
            counted += qint32(ids.size());
        }
    };
    QStringList changes;
    for (const QString& column : SessionChanges)
        changes.append(QStringLiteral("%1 = excluded.%1").arg(column));
    const bool done
        = send(QStringLiteral("SELECT %1 FROM sessions WHERE sent < revision LIMIT ?")
                   .arg(SessionFields.join(QStringLiteral(", "))),
              SessionFields,
              QStringLiteral("INSERT INTO sessions (") + serverColumns(SessionFields)
                  + QStringLiteral(") VALUES %1 ON CONFLICT (id) DO UPDATE SET ")
                  + changes.join(QStringLiteral(", "))
                  + QStringLiteral(" WHERE sessions.revision < excluded.revision"),
              QStringLiteral("UPDATE sessions SET sent = ? WHERE id = ?"), count.sessions)
        // A task goes once its session is there.
        && send(QStringLiteral("SELECT t.%1, 1 FROM tasks t JOIN sessions s "
                               "ON s.id = t.session_id WHERE t.sent = 0 AND s.sent > 0 LIMIT ?")
                    .arg(TaskFields.first(TaskFields.size() - 1).join(QStringLiteral(", t."))),
            TaskFields,
            QStringLiteral("INSERT INTO tasks (") + serverColumns(TaskFields)
                + QStringLiteral(") VALUES %1 ON CONFLICT (id) DO NOTHING"),
            QStringLiteral("UPDATE tasks SET sent = ? WHERE id = ?"), count.tasks);
    if (sent)
        *sent = count;
    return done;
}

QList<JournalReportRow> JournalDatabase::classReport(const QString& className, const QDate& since)
{
    if (!d->ready())
        return {};
    const qint64 first = since.isValid() ? since.toJulianDay() : 0;
    QMap<std::tuple<QString, QString, int>, JournalReportRow> rows;
    const auto row = [&rows](const QSqlQuery& query) -> JournalReportRow& {
        const std::tuple key { query.value(0).toString(), query.value(1).toString(),
            query.value(2).toInt() };
        JournalReportRow& found = rows[key];
        found.className = std::get<0>(key);
        found.child = std::get<1>(key);
        found.exercise = std::get<2>(key);
        return found;
    };
    // Sessions one by one: the latest start keeps its own offset from UTC.
    auto sessions = d->prepared(
        QStringLiteral("SELECT class, child, exercise, started, utc_offset, seconds FROM sessions "
                       "WHERE day >= ? AND (? = '' OR class = ?)"),
        { first, text(className), text(className) });
    while (sessions && sessions->next()) {
        JournalReportRow& r = row(*sessions);
        const QDateTime started = localTime(sessions->value(3), sessions->value(4));
        if (!r.lastPractised.isValid() || started > r.lastPractised)
            r.lastPractised = started;
        r.sessions += 1;
        r.seconds += number(sessions->value(5));
    }
    auto tasks = d->prepared(
        QStringLiteral("SELECT class, child, exercise, COUNT(*), SUM(errors), SUM(points) FROM "
                       "tasks WHERE day >= ? AND (? = '' OR class = ?) "
                       "GROUP BY class, child, exercise"),
        { first, text(className), text(className) });
    while (tasks && tasks->next()) {
        JournalReportRow& r = row(*tasks);
        r.tasks = number(tasks->value(3));
        r.errors = number(tasks->value(4));
        r.points = tasks->value(5).toLongLong();
    }
    if (!sessions || !tasks)
        return {};
    return rows.values();
}
