#include "frame/DifficultTasks.h"
#include "frame/TaskCycle.h"
#include "frame/TaskFile.h"
#include "support/FakePlatform.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(TaskLayout)

class TestTaskFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reading_data();
    void reading();
    void cycle_data();
    void cycle();
    void difficult_data();
    void difficult();
};

void TestTaskFile::reading_data()
{
    QTest::addColumn<QString>("name"); // aufgaben.txt holds the bytes
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("recordLines");
    // The lines of each list joined by "/", the lists by " | "; or the message after the name.
    QTest::addColumn<QString>("read");
    // Reading fails after this many bytes; -1: it does not.
    QTest::addColumn<int>("readable");
    const auto row = [](const char* name, const QByteArray& bytes, int recordLines,
                         const QString& read, int readable = -1) {
        QTest::newRow(name) << u"aufgaben.txt"_s << bytes << recordLines << read << readable;
    };
    row("CR LF", "1 + 1 =\r\n2\r\n2 · 3 =\r\n6\r\n", 2, u"1 + 1 =/2 · 3 = | 2/6"_s);
    row("LF only", "1 + 1 =\n2\n\n0\n", 2, u"1 + 1 =/ | 2/0"_s);
    row("lone CR, no last line end", "a\rb\r\nc", 1, u"a/b/c"_s);
    row("LF inside CR LF lines", "a\nb\r\n c \r\n\r\n", 1, u"a\nb/ c /"_s);
    row("Windows-1252", "\xE4\xF6\xFC\xDF \xC4\xD6\xDC \x80\x84\x93\x94\x96\xB7 \x81", 1,
        u"äöüß ÄÖÜ €„“”–· \u0081"_s);
    row("UTF-8 with BOM, decomposed", "\xEF\xBB\xBFMa\xCC\x88rz go\xCC\x88nnt", 1, u"März gönnt"_s);
    row("UTF-8", "gro\xC3\x9F", 1, u"groß"_s);
    row("invalid UTF-8 is Windows-1252", "\xC3\xA4 \xE4", 1, u"Ã¤ ä"_s);
    row("empty", "", 2, u"ist leer."_s);
    row("byte-order mark alone", "\xEF\xBB\xBF", 1, u"ist leer."_s);
    const QString incomplete = u"endet mit einer unvollständigen Aufgabe: Jede Aufgabe besteht "
                               "aus %1 Zeilen, aber %2 nur einen Teil einer Aufgabe. Vermutlich "
                               "fehlt irgendwo eine Zeile oder es steht eine zu viel darin."_s;
    row("one line of a pair", "a\r\n", 2, incomplete.arg(2).arg(u"Zeile 1 bildet"_s));
    // The second verb lacks its third form: the tasks after it would all be shifted.
    row("forgotten line", "gehen\ngeht\nging\nlaufen\nl\xC3\xA4uft\nsehen\nsieht\nsah\n", 3,
        incomplete.arg(3).arg(u"die Zeilen 7 bis 8 bilden"_s));
    // Cut after whole tasks, the rest would pass for the whole file.
    row("read fails after two tasks", "a\r\nb\r\nc\r\n", 1, u"kann nicht gelesen werden."_s, 6);
    QTest::newRow("missing") << u"fehlt.txt"_s << QByteArray() << 2 << u"wurde nicht gefunden."_s
                             << -1;
    QTest::newRow("named pipe") << u"pipe.txt"_s << QByteArray() << 2
                                << u"ist keine gewöhnliche Datei."_s << -1;
    QTest::newRow("link in a circle")
        << u"kreis.txt"_s << QByteArray() << 2 << u"kann nicht gelesen werden."_s << -1;
    QTest::newRow("UTF-16, little end first")
        << u"aufgaben.txt"_s << QByteArray("\xFF\xFE\xE4\0\r\0\n\0\x3E\xD8\x0E\xDD", 12) << 1
        << u"ä/\U0001F90E"_s << -1;
    QTest::newRow("UTF-16, big end first")
        << u"aufgaben.txt"_s << QByteArray("\xFE\xFF\0a\x03\x08\0\n\0b", 10) << 1 << u"ä/b"_s << -1;
}

void TestTaskFile::reading()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(int, recordLines);
    QFETCH(QString, read);
    QFETCH(int, readable);
    QTemporaryDir dir;
    QVERIFY(mkfifo(QFile::encodeName(dir.filePath(u"pipe.txt"_s)).constData(), 0600) == 0);
    QVERIFY(QFile::link(u"kreis.txt"_s, dir.filePath(u"kreis.txt"_s)));
    QVERIFY(writeFile(dir.filePath(u"aufgaben.txt"_s), bytes));
    const QString path = dir.filePath(name);
    FailingDevice failing(bytes, readable);
    const TaskFile::Result result = readable < 0 ? TaskFile::load(path, recordLines)
                                                 : TaskFile::read(failing, recordLines, path);
    QStringList lists;
    for (const QStringList& list : result.lists)
        lists.append(list.join(u'/'));
    QCOMPARE(result.ok() ? lists.join(u" | "_s) : result.error,
        result.ok() ? read : u"Die Aufgabendatei „%1“ %2"_s.arg(path, read));
}

void TestTaskFile::cycle_data()
{
    QTest::addColumn<TaskLayout>("layout");
    QTest::addColumn<QStringList>("lines"); // of the file
    QTest::addColumn<QStringList>("practice"); // shown texts asked; none: the whole file
    QTest::addColumn<QStringList>("pass"); // the prompts of each pass, sorted; none: an error
    const TaskLayout text { TaskLayout::Content::TypingText, 1 };
    const TaskLayout gaps { TaskLayout::Content::FillIn, 3 };
    QTest::newRow("three") << text << QStringList { "A", "B", "C" } << QStringList()
                           << QStringList { "A", "B", "C" };
    QTest::newRow("one prompt twice")
        << text << QStringList { "A", "A" } << QStringList() << QStringList { "A", "A" };
    QTest::newRow("practice: two of four, one gone from the file")
        << text << QStringList { "A", "B", "C", "D" } << QStringList { "D", "B", "E" }
        << QStringList { "B", "D" };
    QTest::newRow("practice: fill-in found by the text around the gap")
        << gaps << QStringList { "Die Bi", "e", "ne.", "Der Ha", "h", "n.", "Das Bo", "o", "t." }
        << QStringList { "Das Bot.", "Die Bine.", "Die Biene." }
        << QStringList { "Das Bo", "Die Bi" };
    QTest::newRow("practice: nothing left in the file")
        << text << QStringList { "A", "B" } << QStringList { "C", "D" } << QStringList();
}

// Three passes, each reading the file afresh and showing every task once, never the same prompt
// twice in a row while another is left; a practice round the same over its tasks alone.
void TestTaskFile::cycle()
{
    QFETCH(TaskLayout, layout);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, practice);
    QFETCH(QStringList, pass);
    int loads = 0;
    FakeRandom random;
    QTemporaryDir dir;
    const QString path = dir.filePath(u"aufgaben.txt"_s);
    QVERIFY(writeFile(path, taskFileBytes(lines)));
    TaskCycle cycle(
        [&] {
            ++loads;
            TaskFile::Result result = TaskFile::load(path, layout.lines);
            if (!practice.isEmpty())
                TaskFile::keepOnly(result, layout, practice);
            return result;
        },
        random);
    if (pass.isEmpty()) {
        QVERIFY2(cycle.start().endsWith(u"enthält keine der schwierigen Aufgaben mehr."_s),
            qPrintable(cycle.start()));
        return;
    }
    // Every pass starts by drawing the last task, which is the one just shown.
    random.queued = { 0.0, 0.0, 0.0, 0.99, 0.0, 0.0, 0.0, 0.99 };
    QVERIFY(cycle.start().isEmpty());
    QStringList shown { cycle.prompt() };
    while (shown.size() < 3 * pass.size()) {
        QVERIFY(cycle.next().isEmpty());
        QVERIFY2(cycle.prompt() != shown.last() || pass.count(shown.last()) == pass.size(),
            qPrintable(shown.join(u',')));
        shown.append(cycle.prompt());
    }
    QCOMPARE(loads, 3);
    for (int i = 0; i < 3; ++i) {
        QStringList inPass = shown.mid(i * pass.size(), pass.size());
        inPass.sort();
        QCOMPARE(inPass, pass);
    }
}

void TestTaskFile::difficult_data()
{
    // Per task "prompt tries": each try as days before now and how it went: x an error, h a
    // used help, . neither.
    QTest::addColumn<QStringList>("tasks");
    QTest::addColumn<QStringList>("inFile");
    QTest::addColumn<QStringList>("chosen");
    const QStringList ab { "A", "B" };
    QTest::newRow("an error puts a task on the list")
        << QStringList { "A 1x", "B 1." } << ab << QStringList { "A" };
    QTest::newRow("smooth tries alone do not")
        << QStringList { "A 3. 2. 1." } << ab << QStringList();
    QTest::newRow("three smooth in a row take it off")
        << QStringList { "A 4x 3. 2. 1.", "B 4x 3. 2." } << ab << QStringList { "B" };
    QTest::newRow("a help breaks the row, and counts like an error")
        << QStringList { "A 4x 3. 2h 1. 0.", "B 1h" } << ab << QStringList { "A", "B" };
    QTest::newRow("a recent error weighs more than an old one")
        << QStringList { "A 30x", "B 1x" } << ab << QStringList { "B", "A" };
    QTest::newRow("three errors of last month outweigh one of yesterday")
        << QStringList { "A 20x 19x 18x", "B 1x" } << ab << QStringList { "A", "B" };
    QTest::newRow("equal weights in prompt order")
        << QStringList { "B 2x", "A 2x" } << ab << QStringList { "A", "B" };
    QTest::newRow("a task gone from the file")
        << QStringList { "A 1x", "C 1x 0x" } << ab << QStringList { "A" };
}

void TestTaskFile::difficult()
{
    QFETCH(QStringList, tasks);
    QFETCH(QStringList, inFile);
    QFETCH(QStringList, chosen);
    const QDateTime now(QDate(2026, 11, 30), QTime(12, 0), QTimeZone(3600));
    QList<JournalTries> journal;
    for (const QString& task : tasks) {
        QStringList tries = task.split(u' ');
        journal.append({ tries.takeFirst(), {} });
        for (const QString& t : tries) {
            journal.last().tries.append(
                { now.addDays(-t.chopped(1).toInt()), t.endsWith(u'x') ? 2 : 0, t.endsWith(u'h') });
        }
    }
    QCOMPARE(DifficultTasks::choose(journal, now, inFile), chosen);
}

QTEST_GUILESS_MAIN(TestTaskFile)
#include "tst_taskfile.moc"
