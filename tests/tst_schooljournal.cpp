#include "app/JournalCommands.h"
#include "platform/JournalSettings.h"
#include "platform/JournalUpload.h"
#include "support/FakePlatform.h"
#include "support/JournalSeed.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>

namespace {
// The server's database of this test program; tst_journal has its own.
const QString Database = u"tambolino_schule"_s;

bool haveServer()
{
    return qEnvironmentVariableIsSet("PGHOST");
}

QString onServer(const QString& sql)
{
    return probe(u"QPSQL"_s, Database, sql);
}

// A class 3b of three children and a child of 3a. Anna practised in October too; Ömer opened
// an exercise without finishing a task.
const QList<Session>& classOfThree()
{
    static const QList<Session> sessions {
        { u"Anna"_s, 1, u"2026-10-15 09:00:00"_s, { { 60, u"Der Hase hoppelt."_s, 60, 1, 4 } }, 90,
            SessionEnd::Ended, 3600, false, u"3b"_s },
        { u"Anna"_s, 9, u"2026-11-02 10:00:00"_s,
            { { 30, u"7 · 8"_s, 30, 2, 5 }, { 50, u"6 · 7"_s, 20, 0, 12 } }, 120, SessionEnd::Ended,
            3600, false, u"3b"_s },
        { u"Anna"_s, 9, u"2026-11-20 16:00:00"_s, { { 40, u"9 · 6"_s, 40, 3, -20 } }, 600,
            SessionEnd::TimeLimit, 3600, false, u"3b"_s },
        { u"Paul"_s, 9, u"2026-11-25 11:00:00"_s,
            { { 10, u"8 · 8"_s, 10, 0, 3 }, { 15, u"3 · 4"_s, 5, 1, 0 },
                { 20, u"5 · 5"_s, 5, 0, 2 } },
            1800, SessionEnd::Ended, 3600, false, u"3b"_s },
        { u"Ömer"_s, 5, u"2026-11-10 08:30:00"_s, {}, 45, SessionEnd::Ended, 3600, false, u"3b"_s },
        { u"Carla"_s, 9, u"2026-11-21 10:00:00"_s, { { 20, u"2 · 2"_s, 20, 0, 1 } }, 60,
            SessionEnd::Ended, 3600, false, u"3a"_s },
    };
    return sessions;
}

// A journal as the first version of the program wrote it, with one session and its task.
bool olderJournal(const QString& path)
{
    bool written = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"older"_s);
        db.setDatabaseName(path);
        QSqlQuery query(db);
        written = db.open()
            && query.exec(u"CREATE TABLE sessions (id TEXT PRIMARY KEY, child TEXT NOT NULL, "
                          u"exercise INTEGER NOT NULL, practice INTEGER NOT NULL, "
                          u"started BIGINT NOT NULL, utc_offset INTEGER NOT NULL, "
                          u"day INTEGER NOT NULL, ended BIGINT, seconds INTEGER NOT NULL, "
                          u"tasks INTEGER NOT NULL, errors INTEGER NOT NULL, "
                          u"points_start BIGINT NOT NULL, points_end BIGINT NOT NULL, "
                          u"ending TEXT)"_s)
            && query.exec(u"CREATE TABLE tasks (id TEXT PRIMARY KEY, session_id TEXT NOT NULL "
                          u"REFERENCES sessions (id), child TEXT NOT NULL, "
                          u"exercise INTEGER NOT NULL, number INTEGER NOT NULL, "
                          u"prompt TEXT NOT NULL, finished BIGINT NOT NULL, "
                          u"utc_offset INTEGER NOT NULL, day INTEGER NOT NULL, "
                          u"seconds INTEGER NOT NULL, errors INTEGER NOT NULL, "
                          u"points BIGINT NOT NULL, help INTEGER NOT NULL)"_s)
            && query.exec(u"INSERT INTO sessions VALUES ('alt', 'Anna', 9, 0, 1793000000, 3600, "
                          u"2461344, 1793000600, 600, 1, 0, 10, 11, 'ended')"_s)
            && query.exec(u"INSERT INTO tasks VALUES ('alt-1', 'alt', 'Anna', 9, 1, '7 · 8', "
                          u"1793000060, 3600, 2461344, 60, 0, 1, 0)"_s)
            && query.exec(u"PRAGMA user_version = 1"_s);
    }
    QSqlDatabase::removeDatabase(u"older"_s);
    return written;
}

enum class Interruption
{
    None,
    ServerStopped, // the cluster stopped between two runs, then started again
    WrongPassword,
};

bool cluster(const char* action)
{
    return QProcess::execute(u"pg_ctlcluster"_s,
               { qEnvironmentVariable("PGVERSION"), u"regress"_s, QString::fromLatin1(action) })
        == 0;
}

// Runs the upload once and tells what it reported.
std::optional<bool> uploaded(JournalUpload& upload)
{
    QSignalSpy state(&upload, &JournalUpload::serverState);
    upload.request();
    if (!state.wait(20000))
        return std::nullopt;
    return state.first().first().toBool();
}
} // namespace

class TestSchoolJournal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void settings_data();
    void settings();
    void upload_data();
    void upload();
    void report_data();
    void report();
    void failures_data();
    void failures();
};

void TestSchoolJournal::settings_data()
{
    QTest::addColumn<QByteArray>("user");
    QTest::addColumn<QByteArray>("system");
    QTest::addColumn<QString>("found"); // "host port database user class", or "local class"
    const QByteArray school = "[Tagebuch]\nServer=schule\nPort=5433\nDatenbank=tambolino\n"
                              "Benutzer=kinder\nKlasse=3b\n";
    QTest::newRow("nothing") << QByteArray() << QByteArray() << u"local "_s;
    QTest::newRow("system-wide") << QByteArray() << school << u"schule 5433 tambolino kinder 3b"_s;
    QTest::newRow("the user's key wins")
        << QByteArray("[Tagebuch]\nKlasse=4a\nPort=5432\n[Punktestaende]\nServer=x\n") << school
        << u"schule 5432 tambolino kinder 4a"_s;
    QTest::newRow("the user's empty Server keeps it local")
        << QByteArray("[Tagebuch]\nServer=\n") << school << u"local 3b"_s;
    QTest::newRow("a damaged user file still reads")
        << QByteArray("\xff\xfe\n[Tagebuch]\nKlasse=2c\n") << school
        << u"schule 5433 tambolino kinder 2c"_s;
    QTest::newRow("no port number") << QByteArray("[Tagebuch]\nServer=schule\nPort=fünf\n")
                                    << QByteArray() << u"schule -1   , Port fünf"_s;
    QTest::newRow("port out of range") << QByteArray("[Tagebuch]\nServer=schule\nPort=65536\n")
                                       << QByteArray() << u"schule -1   , Port 65536"_s;
}

void TestSchoolJournal::settings()
{
    QFETCH(QByteArray, user);
    QFETCH(QByteArray, system);
    QFETCH(QString, found);
    QTemporaryDir dir;
    const QString userFile = dir.filePath(u"home/Tambolino.conf"_s);
    const QString systemFile = dir.filePath(u"etc/Tambolino.conf"_s);
    QDir().mkpath(dir.filePath(u"home"_s));
    QDir().mkpath(dir.filePath(u"etc"_s));
    if (!user.isNull())
        QVERIFY(writeFile(userFile, user));
    if (!system.isNull())
        QVERIFY(writeFile(systemFile, system));
    const QtSettingsStore store(userFile, { systemFile });
    const JournalSettings read = JournalSettings::read(store);
    QString text = read.server ? u"%1 %2 %3 %4 "_s.arg(read.server->host)
                                     .arg(read.server->port)
                                     .arg(read.server->database, read.server->user)
                               : u"local "_s;
    text += read.className;
    if (!read.badPort.isEmpty())
        text += u", Port "_s + read.badPort;
    QCOMPARE(text, found);
    // Written to the user's file alone.
    QVERIFY(QtSettingsStore(userFile, { systemFile })
                .setValues(u"Punktestaende"_s, { { u"Kopfrechnen"_s, u"5"_s } })
                .ok);
    QCOMPARE(readFile(systemFile), system);
}

void TestSchoolJournal::upload_data()
{
    QTest::addColumn<Interruption>("interruption");
    QTest::addColumn<int>("computers");
    QTest::addColumn<bool>("older"); // the first computer's journal is of the first version
    QTest::newRow("two computers meet") << Interruption::None << 2 << false;
    QTest::newRow("older journal") << Interruption::None << 1 << true;
    QTest::newRow("server stopped") << Interruption::ServerStopped << 1 << false;
    QTest::newRow("server stopped, two computers") << Interruption::ServerStopped << 2 << false;
    QTest::newRow("wrong password") << Interruption::WrongPassword << 1 << false;
}

// Each computer starts a session with two tasks and sends them; then, while the server may be
// away, two more tasks and the session's end. Whatever happened between, the server ends with
// every record once, in its latest state.
void TestSchoolJournal::upload()
{
    QFETCH(Interruption, interruption);
    QFETCH(int, computers);
    QFETCH(bool, older);
    if (!haveServer())
        QSKIP("No PostgreSQL server in the environment (pg_virtualenv)");
    if (interruption == Interruption::ServerStopped && !qEnvironmentVariableIsSet("PGVERSION"))
        QSKIP("The server is not one of pg_virtualenv");
    QVERIFY(emptyServerDatabase(Database));
    struct Computer
    {
        TempJournal place;
        JournalDatabase journal;
        QString session;
        QDateTime started;
        std::unique_ptr<JournalUpload> upload;
        // Tasks `from` and `from + 1` of its session.
        bool twoTasks(int from)
        {
            return journal.taskFinished(
                       session, from, { 9, u"7 · 8"_s, 5, 1, 3 }, started.addSecs(5 * from))
                && journal.taskFinished(
                    session, from + 1, { 9, u"7 · 8"_s, 5, 1, 3 }, started.addSecs(5 * from + 5));
        }
    };
    std::vector<std::unique_ptr<Computer>> all;
    for (int c = 0; c < computers; ++c) {
        Computer& one = *all.emplace_back(std::make_unique<Computer>());
        if (older && c == 0)
            QVERIFY(olderJournal(one.place.path));
        QVERIFY(one.journal.open(one.place.path).ok);
        one.journal.setClassName(u"3b"_s);
        one.started = at(u"2026-11-20 16:00:00"_s).addSecs(c * 7);
        one.session = one.journal.sessionStarted(u"Kind %1"_s.arg(c), 9, one.started, 0);
        QVERIFY(one.twoTasks(1));
        one.upload = std::make_unique<JournalUpload>(
            one.place.path, JournalServer { {}, -1, Database, {} });
        QCOMPARE(uploaded(*one.upload), true);
    }
    QCOMPARE(onServer(u"SELECT version FROM journal_version"_s),
        QString::number(JournalDatabase::SchemaVersion));

    const QByteArray password = qgetenv("PGPASSWORD");
    if (interruption == Interruption::ServerStopped)
        QVERIFY(cluster("stop"));
    if (interruption == Interruption::WrongPassword)
        qputenv("PGPASSWORD", "falsch");
    for (auto& one : all) {
        QVERIFY(one->twoTasks(3));
        QVERIFY(one->journal.sessionEnded(one->session,
            { 9, one->started, one->started.addSecs(60), 60, 4, 4, 0, 12, SessionEnd::Ended }));
        QCOMPARE(uploaded(*one->upload), interruption == Interruption::None);
    }
    if (interruption == Interruption::ServerStopped)
        QVERIFY(cluster("start"));
    qputenv("PGPASSWORD", password);
    if (interruption != Interruption::None) {
        // Nothing was lost here meanwhile.
        QCOMPARE(
            inFile(all.back()->place.path, u"SELECT COUNT(*) FROM tasks WHERE sent = 0"_s), u"2"_s);
        for (auto& one : all)
            QCOMPARE(uploaded(*one->upload), true);
    }

    const int tasks = 4 * computers + (older ? 1 : 0);
    QCOMPARE(onServer(u"SELECT COUNT(*) FROM tasks"_s), QString::number(tasks));
    QCOMPARE(
        onServer(u"SELECT COUNT(*) FROM sessions"_s), QString::number(computers + (older ? 1 : 0)));
    QCOMPARE(onServer(u"SELECT SUM(tasks) || ' ' || SUM(errors) || ' ' || COUNT(ending) FROM "
                      u"sessions WHERE class = '3b'"_s),
        u"%1 %1 %2"_s.arg(4 * computers).arg(computers));
    if (older)
        QCOMPARE(onServer(u"SELECT prompt || ' ' || class FROM tasks WHERE id = 'alt-1'"_s),
            u"7 · 8 "_s);

    // Everything sent again is kept once.
    for (auto& one : all) {
        const QString& path = one->place.path;
        QCOMPARE(inFile(path,
                     u"SELECT (SELECT COUNT(*) FROM tasks WHERE sent = 0) + "
                     u"(SELECT COUNT(*) FROM sessions WHERE sent < revision)"_s),
            u"0"_s);
        QCOMPARE(inFile(path, u"UPDATE tasks SET sent = 0"_s), QString());
        QCOMPARE(inFile(path, u"UPDATE sessions SET sent = 0"_s), QString());
        QSignalSpy sent(one->upload.get(), &JournalUpload::sent);
        QCOMPARE(uploaded(*one->upload), true);
        QCOMPARE(sent.first().at(1).toInt(), 4 + (older && one == all.front() ? 1 : 0));
    }
    QCOMPARE(onServer(u"SELECT COUNT(*) FROM tasks"_s), QString::number(tasks));
}

void TestSchoolJournal::report_data()
{
    QTest::addColumn<QString>("store");
    QTest::addColumn<QStringList>("arguments"); // after --bericht
    QTest::addColumn<QByteArray>("output");
    const QByteArray header = "Klasse  Kind   \xC3\x9C"
                              "bung          Zuletzt ge\xC3\xBC"
                              "bt     Sitzungen  Minuten  Aufgaben  Fehler je Aufgabe  Punkte\n";
    const QByteArray all = header
        + "3a      Carla  Kopfrechnen    21.11.2026 10:00          1        1         1"
          "               0,00       1\n"
          "3b      Anna   Abtipp\xC3\xBC"
          "bungen  15.10.2026 09:00          1        2         1               1,00       4\n"
          "3b      Anna   Kopfrechnen    20.11.2026 16:00          2       12         3"
          "               1,67      -3\n"
          "3b      \xC3\x96"
          "mer   Wortraten      10.11.2026 08:30          1        1         0"
          "                  -       0\n"
          "3b      Paul   Kopfrechnen    25.11.2026 11:00          1       30         3"
          "               0,33       5\n";
    const QByteArray csv = "\xEF\xBB\xBF"
                           "Klasse;Kind;\xC3\x9C"
                           "bung;Zuletzt ge\xC3\xBC"
                           "bt;Sitzungen;Minuten;Aufgaben;Fehler je Aufgabe;Punkte\r\n"
                           "3b;Anna;Kopfrechnen;20.11.2026 16:00;2;12;3;1,67;-3\r\n"
                           "3b;\xC3\x96"
                           "mer;Wortraten;10.11.2026 08:30;1;1;0;-;0\r\n"
                           "3b;Paul;Kopfrechnen;25.11.2026 11:00;1;30;3;0,33;5\r\n";
    QStringList places { u"SQLite"_s };
    if (haveServer())
        places.append(u"PostgreSQL"_s);
    for (const QString& store : places) {
        QTest::addRow("%s: everything", qPrintable(store)) << store << QStringList() << all;
        QTest::addRow("%s: class since, as CSV", qPrintable(store))
            << store
            << QStringList { u"--klasse"_s, u"3b"_s, u"--seit"_s, u"2026-11-01"_s, u"--csv"_s }
            << csv;
        QTest::addRow("%s: nothing since", qPrintable(store))
            << store << QStringList { u"--seit"_s, u"26.11.2026"_s }
            << QByteArray("Im Tagebuch steht dazu noch nichts.\n");
    }
}

// The report of a class, printed by the program from this computer's journal or from the
// server after the upload.
void TestSchoolJournal::report()
{
    QFETCH(QString, store);
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, output);
    QTemporaryDir data;
    QTemporaryDir config;
    const QString path = data.filePath(u"Tambolino/tagebuch.sqlite"_s);
    JournalDatabase local;
    QVERIFY(local.open(path).ok);
    for (const Session& session : classOfThree())
        QVERIFY(record(local, session));
    if (store == u"PostgreSQL") {
        QVERIFY(emptyServerDatabase(Database));
        JournalDatabase server;
        QVERIFY2(server.openServer({ {}, -1, Database, {} }).ok, qPrintable(server.lastError()));
        QVERIFY2(local.sendTo(server), qPrintable(local.lastError()));
        QVERIFY(QDir().mkpath(config.filePath(u"Tambolino"_s)));
        QVERIFY(writeFile(config.filePath(u"Tambolino/Tambolino.conf"_s),
            u"[Tagebuch]\nServer=%1\nPort=%2\nDatenbank=%3\nBenutzer=%4\n"_s
                .arg(qEnvironmentVariable("PGHOST"), qEnvironmentVariable("PGPORT"), Database,
                    qEnvironmentVariable("PGUSER"))
                .toUtf8()));
        // The server's journal is read, not this computer's.
        local.close();
        QVERIFY(QFile::remove(path));
    }
    local.close();

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"XDG_DATA_HOME"_s, data.path());
    environment.insert(u"XDG_CONFIG_HOME"_s, config.path());
    environment.remove(u"DISPLAY"_s);
    environment.remove(u"QT_QPA_PLATFORM"_s);
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TAMBOLINO_EXE), QStringList { u"--bericht"_s } + arguments);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.readAllStandardError(), QByteArray());
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(program.readAllStandardOutput(), output);
}

void TestSchoolJournal::failures_data()
{
    QTest::addColumn<bool>("setUp"); // --tagebuch-einrichten, otherwise --bericht
    QTest::addColumn<QStringList>("settings"); // [Tagebuch] key=value
    QTest::addColumn<QByteArray>("journal"); // null: none
    QTest::addColumn<QString>("errors"); // its start; %1 the journal's path
    const QString noJournal = u"tambolino: Es gibt kein Tagebuch: weder einen Schulserver in "
                              u"Tambolino.conf noch die Datei „%1“.\n"_s;
    QTest::newRow("no journal, a class names no server")
        << false << QStringList { u"Klasse=3b"_s } << QByteArray() << noJournal;
    QTest::newRow("server away")
        << false << QStringList { u"Server=127.0.0.1"_s, u"Port=1"_s } << QByteArray("ein Tagebuch")
        << u"tambolino: Der Schulserver „127.0.0.1“ ist nicht erreichbar: "_s;
    QTest::newRow("set-up, server away")
        << true << QStringList { u"Server=127.0.0.1"_s, u"Port=1"_s } << QByteArray()
        << u"tambolino: Der Schulserver „127.0.0.1“ ist nicht erreichbar: "_s;
    QTest::newRow("set-up without a server")
        << true << QStringList() << QByteArray()
        << u"tambolino: In Tambolino.conf ist kein Schulserver eingetragen: Es fehlt „Server=“ im "
           u"Abschnitt [Tagebuch].\n"_s;
    QTest::newRow("no port number")
        << false << QStringList { u"Server=schule"_s, u"Port=54x"_s } << QByteArray()
        << u"tambolino: In Tambolino.conf ist „Port=54x“ im Abschnitt [Tagebuch] keine "
           u"Portnummer.\n"_s;
    QTest::newRow("damaged journal, left as it is")
        << false << QStringList() << QByteArray(4096, '\xA5')
        << u"tambolino: Das Tagebuch „%1“ kann nicht gelesen werden: "_s;
}

void TestSchoolJournal::failures()
{
    QFETCH(bool, setUp);
    QFETCH(QStringList, settings);
    QFETCH(QByteArray, journal);
    QFETCH(QString, errors);
    TempJournal temp;
    if (!journal.isNull())
        QVERIFY(writeFile(temp.path, journal));
    MemorySettings store;
    for (const QString& setting : settings)
        store.stored[u"Tagebuch/"_s + setting.section(u'=', 0, 0)] = setting.section(u'=', 1);
    CommandLine::JournalRequest request;
    if (setUp)
        request.kind = CommandLine::JournalRequest::Kind::SetUp;
    const CommandLine::Answer answer = JournalCommands::run(request, store, temp.path);
    QCOMPARE(answer.exitCode, 2);
    QCOMPARE(answer.output, QString());
    const QString expected = errors.contains(u"%1"_s) ? errors.arg(temp.path) : errors;
    QVERIFY2(answer.errors.startsWith(expected), qPrintable(answer.errors));
    QVERIFY(answer.errors.endsWith(u'\n') && answer.errors.count(u'\n') == 1);
    QCOMPARE(readFile(temp.path), journal);
    QCOMPARE(temp.files(), journal.isNull() ? QStringList() : QStringList { u"tagebuch.sqlite"_s });
}

QTEST_GUILESS_MAIN(TestSchoolJournal)
#include "tst_schooljournal.moc"
