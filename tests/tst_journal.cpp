#include "core/Csv.h"
#include "platform/JournalDatabase.h"
#include "support/JournalSeed.h"
#include "support/TestSupport.h"

#include <QFileInfo>
#include <QTest>
#include <csignal>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
// Anna practises across midnight with two tasks in the same second, on a day without tasks,
// on a journey two hours ahead, and while the clock is set back; Ben leaves a session open.
const QList<Session>& seeded()
{
    static const QList<Session> sessions {
        { u"Anna"_s, 9, u"2026-11-02 23:50:00"_s,
            { { 300, u"7 · 8"_s, 30, 2, 5 }, { 900, u"6 · 7"_s, 20, 0, 12 },
                { 900, u"7 · 8"_s, 15, 1, 8 } },
            960 },
        { u"Anna"_s, 11, u"2026-11-10 15:00:00"_s, {}, 300, SessionEnd::TimeLimit },
        { u"Anna"_s, 9, u"2026-11-20 16:00:00"_s,
            { { 60, u"7 · 8"_s, 10, 0, 0, true }, { 120, u"9 · 6"_s, 40, 3, 1 },
                { 180, u"12 - 5"_s, 12, 0, 9 } },
            600 },
        { u"Anna"_s, 5, u"2026-11-25 00:30:00"_s, { { 60, u"Ein Tier mit Rüssel"_s, 25, 1, 3 } },
            90, SessionEnd::ProgramEnd, 7200, true },
        { u"Anna"_s, 9, u"2026-11-30 08:00:00"_s, { { -1200, u"8 · 8"_s, 50, 1, 2 } }, -900 },
        { u"Ben"_s, 9, u"2026-11-20 16:00:00"_s, { { 30, u"7 · 8"_s, 30, 5 } }, 0, std::nullopt },
    };
    return sessions;
}

const QDateTime Now = at(u"2026-11-30 12:00:00"_s);

} // namespace

class TestJournal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opening_data();
    void opening();
    void unwritable_data();
    void unwritable();
    void queries_data();
    void queries();
    void csv_data();
    void csv();
};

void TestJournal::opening_data()
{
    QTest::addColumn<QByteArray>("bytes"); // null: no file
    QTest::addColumn<int>("version"); // written into a journal with one session
    QTest::addColumn<QString>("setAside");

    // A journal with enough records to fill several pages.
    QByteArray journal;
    {
        TempJournal temp;
        JournalDatabase writer;
        QVERIFY(writer.open(temp.path).ok);
        Session many { u"Anna"_s, 1, u"2026-11-02 10:00:00"_s, {} };
        for (int i = 0; i < 200; ++i)
            many.tasks.append({ i, u"Der Hase hoppelt. "_s.repeated(20), 9, 1 });
        QVERIFY2(record(writer, many), qPrintable(writer.lastError()));
        writer.close();
        journal = readFile(temp.path);
    }
    const QString aside = u"tagebuch.sqlite.beschaedigt"_s;
    QTest::newRow("no file") << QByteArray() << 0 << QString();
    QTest::newRow("empty file") << QByteArray("") << 0 << QString();
    QTest::newRow("journal") << journal << JournalDatabase::SchemaVersion << QString();
    QTest::newRow("text") << QByteArray("Hallo\n") << 0 << aside;
    QTest::newRow("truncated") << journal.left(journal.size() / 2) << 0 << aside;
    QByteArray damaged = journal;
    damaged.replace(journal.size() / 2, 4096, QByteArray(4096, '\xA5'));
    QTest::newRow("damaged page") << damaged << 0 << aside;
    QTest::newRow("newer version") << journal << JournalDatabase::SchemaVersion + 1 << aside;
    QTest::newRow("set aside before") << QByteArray("Hallo\n") << -1 << aside + u"-2"_s;
    QTest::newRow("another program's") << QByteArray() << -2 << aside;
}

void TestJournal::opening()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, version);
    QFETCH(QString, setAside);
    TempJournal temp;
    if (!bytes.isNull())
        QVERIFY(writeFile(temp.path, bytes));
    if (version == -1)
        QVERIFY(writeFile(temp.path + u".beschaedigt"_s, "older"));
    if (version == -2 || version > JournalDatabase::SchemaVersion) {
        const QString sql = version == -2 ? u"CREATE TABLE punkte (k INTEGER)"_s
                                          : u"PRAGMA user_version = %1"_s.arg(version);
        QCOMPARE(inFile(temp.path, sql), QString());
        bytes = readFile(temp.path);
    }

    JournalDatabase journal;
    const JournalDatabase::Opened opened = journal.open(temp.path);
    QVERIFY2(opened.ok, qPrintable(journal.lastError()));
    QCOMPARE(QFileInfo(opened.setAside).fileName(), setAside);
    if (!setAside.isEmpty())
        QCOMPARE(readFile(opened.setAside), bytes);
    const bool kept = setAside.isEmpty() && version == JournalDatabase::SchemaVersion;
    QCOMPARE(journal.lastSessions(u"Anna"_s, 5).size(), kept ? 1 : 0);
    QVERIFY(record(journal, seeded().first()));
    journal.close();

    QCOMPARE(inFile(temp.path, u"PRAGMA user_version"_s),
        QString::number(JournalDatabase::SchemaVersion));
    QCOMPARE(inFile(temp.path, u"SELECT COUNT(*) FROM tasks"_s), kept ? u"203"_s : u"3"_s);
    QCOMPARE(inFile(temp.path, u"PRAGMA journal_mode"_s), u"wal"_s);
    const JournalDatabase::Opened again = JournalDatabase().open(temp.path);
    QVERIFY(again.ok && again.setAside.isEmpty());
}

void TestJournal::unwritable_data()
{
    QTest::addColumn<bool>("existing");
    QTest::addColumn<int>("fileMode");
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<bool>("fullBeforeOpening");
    QTest::addColumn<bool>("opens");
    QTest::newRow("disk full") << true << 0644 << 0700 << false << true;
    QTest::newRow("disk full, new journal") << false << 0644 << 0700 << true << false;
    QTest::newRow("read-only file") << true << 0444 << 0777 << false << true;
    QTest::newRow("read-only folder") << true << 0644 << 0555 << false << false;
}

void TestJournal::unwritable()
{
    QFETCH(bool, existing);
    QFETCH(int, fileMode);
    QFETCH(int, folderMode);
    QFETCH(bool, fullBeforeOpening);
    QFETCH(bool, opens);
    TempJournal temp;
    if (existing) {
        JournalDatabase before;
        QVERIFY(before.open(temp.path).ok);
        QVERIFY(record(before, seeded().first()));
    }
    const QByteArray folder = QFile::encodeName(temp.dir.path());
    ::chmod(folder.constData(), folderMode);
    ::chmod(QFile::encodeName(temp.path).constData(), fileMode);

    // Files may not grow: a write that fails for root too. Root ignores mode bits, so this
    // thread tries read-only files and folders as user "nobody".
    rlimit previous {};
    getrlimit(RLIMIT_FSIZE, &previous);
    const rlimit full { 0, previous.rlim_max };
    std::signal(SIGXFSZ, SIG_IGN);
    const bool diskFull = folderMode == 0700;
    if (fullBeforeOpening)
        setrlimit(RLIMIT_FSIZE, &full);
    ::setfsuid(diskFull ? ::geteuid() : 65534);
    JournalDatabase journal;
    const bool opened = journal.open(temp.path).ok;
    if (diskFull)
        setrlimit(RLIMIT_FSIZE, &full);
    const bool written = record(journal, seeded().first());
    const QString id = journal.sessionStarted(u"Anna"_s, 2, Now, 0);
    journal.close();
    setrlimit(RLIMIT_FSIZE, &previous);
    ::setfsuid(::geteuid());
    ::chmod(folder.constData(), 0700);

    QCOMPARE(opened, opens);
    QVERIFY(!written);
    QVERIFY(id.isEmpty());
    QCOMPARE(temp.files().filter(u"beschaedigt"_s), QStringList());
    // Nothing half written: the journal holds what it held, and takes records again.
    QVERIFY(journal.open(temp.path).ok);
    QCOMPARE(journal.lastSessions(u"Anna"_s, 5).size(), existing ? 1 : 0);
    QCOMPARE(journal.everything(u"Anna"_s).value(0).tasks.size(), existing ? 3 : 0);
    QVERIFY(record(journal, seeded().first()));
}

namespace {
enum class Query
{
    Days, // "first last count" of the days, then "date tasks errors" of each day with tasks
    Sessions, // "start exercise seconds tasks errors points practiceRound end"
    Difficult, // "prompt tries errors helps"
    Totals, // "exercise sessions seconds tasks errors trend"
    Tries, // "prompt" and "finished errors help" of each of its latest `days` tries
};

template<class... T> QString line(const T&... values)
{
    return QStringList { QVariant(values).toString()... }.join(u' ');
}

// `days` ending with now's day; the four latest sessions, the ten most difficult tasks.
QStringList ask(JournalDatabase& journal, Query query, const QString& child, int exercise,
    const QDateTime& now, int days)
{
    const JournalPeriod period = JournalPeriod::endingAt(now, days);
    QStringList lines;
    switch (query) {
    case Query::Days: {
        const QList<JournalDay> all = journal.days(child, exercise, period);
        lines.append(line(all.value(0).day.toString(Qt::ISODate),
            all.value(all.size() - 1).day.toString(Qt::ISODate), all.size()));
        for (const JournalDay& d : all) {
            if (d.tasks > 0)
                lines.append(line(d.day.toString(Qt::ISODate), d.tasks, d.errors));
        }
        break;
    }
    case Query::Sessions:
        for (const JournalSession& s : journal.lastSessions(child, 4)) {
            lines.append(line(s.started.toString(u"dd.MM. HH:mm"_s), s.exercise, s.seconds, s.tasks,
                s.errors, s.pointsAtEnd - s.pointsAtStart, s.practiceRound,
                s.end ? int(*s.end) : -1));
        }
        break;
    case Query::Difficult:
        for (const JournalDifficulty& t : journal.difficultTasks(child, exercise, period))
            lines.append(line(t.prompt, t.tries, t.errors, t.helps));
        break;
    case Query::Tries:
        for (const JournalTries& t : journal.recentTries(child, exercise, days)) {
            lines.append(t.prompt);
            for (const JournalTry& one : t.tries) {
                lines.last() += u' '
                    + line(one.finished.toString(u"dd.MM. HH:mm"_s), one.errors, one.helpUsed);
            }
        }
        break;
    case Query::Totals:
        for (const JournalTotals& t : journal.totals(child, period)) {
            lines.append(line(t.exercise, t.sessions, t.seconds, t.tasks, t.errors,
                t.trend() ? QString::number(*t.trend()) : u"-"_s));
        }
        break;
    }
    return lines;
}
} // namespace

void TestJournal::queries_data()
{
    QTest::addColumn<QString>("store");
    QTest::addColumn<Query>("query");
    QTest::addColumn<QString>("child");
    QTest::addColumn<int>("exercise");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<int>("days");
    QTest::addColumn<QStringList>("lines");
    const auto row = [](const char* name, Query query, const QString& child, int exercise,
                         const QDateTime& now, int days, const QStringList& lines) {
        for (const QString& store : stores()) {
            QTest::addRow("%s: %s", qPrintable(store), name)
                << store << query << child << exercise << now << days << lines;
        }
    };
    // A task counts for the local day it was finished on, in its own offset from UTC; the
    // period for the day of now, in now's offset.
    row("days, four weeks", Query::Days, u"Anna"_s, 9, Now, 28,
        { u"2026-11-03 2026-11-30 28"_s, u"2026-11-03 2 1"_s, u"2026-11-20 3 3"_s,
            u"2026-11-30 1 1"_s });
    row("days across midnight", Query::Days, u"Anna"_s, 9, at(u"2026-11-03 00:10:00"_s), 2,
        { u"2026-11-02 2026-11-03 2"_s, u"2026-11-02 1 2"_s, u"2026-11-03 2 1"_s });
    row("days, two hours ahead", Query::Days, u"Anna"_s, 5, Now, 28,
        { u"2026-11-03 2026-11-30 28"_s, u"2026-11-25 1 1"_s });
    row("days, now in another zone", Query::Days, u"Anna"_s, 9, at(u"2026-11-03 00:30:00"_s, 7200),
        1, { u"2026-11-03 2026-11-03 1"_s, u"2026-11-03 2 1"_s });
    row("days, nobody", Query::Days, u"Carla"_s, 9, Now, 7, { u"2026-11-24 2026-11-30 7"_s });
    // The clock set back: at least what the task took. The journey: its own local time.
    row("last sessions", Query::Sessions, u"Anna"_s, 0, Now, 0,
        { u"30.11. 08:00 9 50 1 1 20 false 0"_s, u"25.11. 00:30 5 90 1 1 20 true 2"_s,
            u"20.11. 16:00 9 600 3 3 20 false 0"_s, u"10.11. 15:00 11 300 0 0 20 false 1"_s });
    row("open session", Query::Sessions, u"Ben"_s, 0, Now, 0,
        { u"20.11. 16:00 9 30 1 5 0 false -1"_s });
    row("difficult, four weeks", Query::Difficult, u"Anna"_s, 9, Now, 28,
        { u"9 · 6 1 3 0"_s, u"8 · 8 1 1 0"_s, u"7 · 8 2 1 1"_s });
    row("difficult, tie goes to more errors", Query::Difficult, u"Anna"_s, 9, Now, 60,
        { u"9 · 6 1 3 0"_s, u"7 · 8 3 3 1"_s, u"8 · 8 1 1 0"_s });
    // Kopfrechnen: 2 tasks with 1 error before the 17th, 4 with 4 after.
    row("totals", Query::Totals, u"Anna"_s, 0, Now, 28,
        { u"5 1 90 1 1 -"_s, u"9 2 650 6 5 0.5"_s, u"11 1 300 0 0 -"_s });
    row("totals, open session", Query::Totals, u"Ben"_s, 0, Now, 28, { u"9 1 30 1 5 -"_s });
    // Two tries finished in the same second keep the order of their numbers.
    row("latest two tries", Query::Tries, u"Anna"_s, 9, Now, 2,
        { u"12 - 5 20.11. 16:03 0 false"_s, u"6 · 7 03.11. 00:05 0 false"_s,
            u"7 · 8 03.11. 00:05 1 false 20.11. 16:01 0 true"_s, u"8 · 8 30.11. 07:40 1 false"_s,
            u"9 · 6 20.11. 16:02 3 false"_s });
    row("latest tries, all three", Query::Tries, u"Anna"_s, 9, Now, 10,
        { u"12 - 5 20.11. 16:03 0 false"_s, u"6 · 7 03.11. 00:05 0 false"_s,
            u"7 · 8 02.11. 23:55 2 false 03.11. 00:05 1 false 20.11. 16:01 0 true"_s,
            u"8 · 8 30.11. 07:40 1 false"_s, u"9 · 6 20.11. 16:02 3 false"_s });
}

void TestJournal::queries()
{
    QFETCH(QString, store);
    QFETCH(Query, query);
    QFETCH(QString, child);
    QFETCH(int, exercise);
    QFETCH(QDateTime, now);
    QFETCH(int, days);
    QFETCH(QStringList, lines);
    TempJournal temp;
    JournalDatabase journal;
    QVERIFY2(openEmpty(journal, store, temp), qPrintable(journal.lastError()));
    for (const Session& session : seeded())
        QVERIFY(record(journal, session));
    QCOMPARE(ask(journal, query, child, exercise, now, days), lines);
}

void TestJournal::csv_data()
{
    QTest::addColumn<QString>("store");
    for (const QString& store : stores())
        QTest::newRow(qPrintable(store)) << store;
}

void TestJournal::csv()
{
    QFETCH(QString, store);
    TempJournal temp;
    JournalDatabase journal;
    QVERIFY2(openEmpty(journal, store, temp), qPrintable(journal.lastError()));
    QVERIFY(record(journal, seeded().last()));
    QVERIFY(record(journal,
        { u"Ben"_s, 3, u"2026-11-21 09:00:00"_s,
            { { 61, u"Er sagt: \"Hallo; wie geht's?\"\nDann geht er."_s, 61, 0, 4, true } }, 120,
            SessionEnd::Ended, 3600, true }));
    QVERIFY(record(journal, { u"Ben"_s, 12, u"2026-11-22 18:00:00"_s, {} }));
    QCOMPARE(Csv::journal(u"Ben; Benjamin"_s, journal.everything(u"Ben"_s)),
        "\xEF\xBB\xBF"
        "Kind;Sitzung;\xC3\x9C"
        "bung;Datum;Uhrzeit;Nr.;Aufgabe;Sekunden;Fehler;Punkte;Hilfe\r\n"
        "\"Ben; Benjamin\";1;Kopfrechnen;20.11.2026;16:00;1;7 \xC2\xB7 8;30;5;0;nein\r\n"
        "\"Ben; Benjamin\";2;Einsetz\xC3\xBC"
        "bungen - schwierige Aufgaben;21.11.2026;09:01;1;"
        "\"Er sagt: \"\"Hallo; wie geht's?\"\"\nDann geht er.\";61;0;4;ja\r\n"
        "\"Ben; Benjamin\";3;Division;22.11.2026;18:00;;;;;;\r\n"_ba);
}

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"
