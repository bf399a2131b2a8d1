#include "frame/TaskCycle.h"
#include "frame/TaskFile.h"
#include "platform/doubles/FakePlatform.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

class TestTaskFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lines_data();
    void lines();
    void decoding_data();
    void decoding();
    void records_data();
    void records();
    void fileErrors_data();
    void fileErrors();
    void cycleShowsEachOnceAndNeverRepeats();
    void cycleAcceptsRepeatWhenNoOtherPrompt_data();
    void cycleAcceptsRepeatWhenNoOtherPrompt();
    void cycleReportsVanishedFile();
};

namespace {
TaskFile::Result readBytes(const QByteArray& bytes, int recordLines)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return TaskFile::read(buffer, recordLines, QStringLiteral("test.txt"));
}
} // namespace

void TestTaskFile::lines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList {"a", "b"};
    QTest::newRow("no final line end") << QByteArray("a\r\nb") << QStringList {"a", "b"};
    QTest::newRow("lone CR ends a line") << QByteArray("a\rb\r") << QStringList {"a", "b"};
    QTest::newRow("lone LF stays") << QByteArray("a\nb\r\n") << QStringList {"a\nb"};
    QTest::newRow("trailing empty line")
        << QByteArray("a\r\n\r\n") << QStringList {"a", ""};
    QTest::newRow("blanks kept") << QByteArray(" a b \r\n") << QStringList {" a b "};
    QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb") << QStringList {"a", "", "b"};
}

void TestTaskFile::lines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    const TaskFile::Result result = readBytes(bytes, 1);
    QVERIFY(result.ok());
    QCOMPARE(result.lists.value(0), lines);
}

void TestTaskFile::decoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("Windows-1252 umlauts")
        << QByteArray("\xE4\xF6\xFC\xDF \xC4\xD6\xDC") << QStringLiteral("äöüß ÄÖÜ");
    QTest::newRow("Windows-1252 0x80-0x9F")
        << QByteArray("\x80\x84\x93\x94\x96\xB7") << QStringLiteral("€„“”–·");
    QTest::newRow("unassigned byte stays a control")
        << QByteArray("a\x81z") << QString(QStringLiteral("a") + QChar(0x81) + QStringLiteral("z"));
    QTest::newRow("UTF-8") << QByteArray("Gr\xC3\xB6\xC3\x9F" "e") << QStringLiteral("Größe");
    QTest::newRow("UTF-8 with BOM")
        << QByteArray("\xEF\xBB\xBF\xC3\xA4" "b") << QStringLiteral("äb");
    QTest::newRow("BOM and ASCII") << QByteArray("\xEF\xBB\xBF" "abc") << QStringLiteral("abc");
    QTest::newRow("invalid UTF-8 is Windows-1252")
        << QByteArray("\xC3\xA4 \xE4") << QStringLiteral("Ã¤ ä");
}

void TestTaskFile::decoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(TaskFile::decode(bytes), text);
}

void TestTaskFile::records_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("recordLines");
    QTest::addColumn<QStringList>("prompts");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("error");
    QTest::newRow("pairs") << QByteArray("1 + 1 =\r\n2\r\n2 · 3 =\r\n6\r\n") << 2
                           << QStringList {"1 + 1 =", "2 · 3 ="} << QStringList {"2", "6"}
                           << QString();
    QTest::newRow("incomplete last pair ignored")
        << QByteArray("a\r\n1\r\nb\r\n") << 2 << QStringList {"a"} << QStringList {"1"}
        << QString();
    QTest::newRow("empty") << QByteArray() << 2 << QStringList() << QStringList()
                           << QStringLiteral("Die Aufgabendatei „test.txt“ ist leer.");
    QTest::newRow("no complete record")
        << QByteArray("a\r\n") << 2 << QStringList() << QStringList()
        << QStringLiteral("Die Aufgabendatei „test.txt“ enthält keine vollständige Aufgabe.");
}

void TestTaskFile::records()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, recordLines);
    QFETCH(QStringList, prompts);
    QFETCH(QStringList, answers);
    QFETCH(QString, error);
    const TaskFile::Result result = readBytes(bytes, recordLines);
    QCOMPARE(result.error, error);
    if (!error.isEmpty())
        return;
    QCOMPARE(result.lists.size(), recordLines);
    QCOMPARE(result.lists[0], prompts);
    QCOMPARE(result.lists[1], answers);
}

void TestTaskFile::fileErrors_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "fehlt.txt" << "wurde nicht gefunden.";
    QTest::newRow("folder") << "ordner.txt" << "kann nicht gelesen werden.";
    QTest::newRow("empty") << "leer.txt" << "ist leer.";
}

void TestTaskFile::fileErrors()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("ordner.txt"));
    QFile empty(dir.filePath(QStringLiteral("leer.txt")));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();

    const QString path = dir.filePath(name);
    const TaskFile::Result result = TaskFile::load(path, 1);
    QVERIFY(!result.ok());
    QCOMPARE(result.error, QStringLiteral("Die Aufgabendatei „%1“ %2").arg(path, message));
}

void TestTaskFile::cycleShowsEachOnceAndNeverRepeats()
{
    const QByteArray file("A\r\nB\r\nC\r\n");
    int loads = 0;
    FakeRandom random;
    TaskCycle cycle(
        [&] {
            ++loads;
            return readBytes(file, 1);
        },
        random);

    // Every pass starts by drawing the last entry (0.99), which is the task just finished.
    random.queued = {0.0, 0.0, 0.0, 0.99, 0.0, 0.0, 0.0, 0.99};
    QVERIFY(cycle.start().isEmpty());
    QStringList shown {cycle.prompt()};
    for (int i = 0; i < 8; ++i) {
        QVERIFY(cycle.next().isEmpty());
        QVERIFY2(cycle.prompt() != shown.last(), qPrintable(shown.join(QLatin1Char(','))));
        shown.append(cycle.prompt());
    }
    QCOMPARE(loads, 3);
    for (int pass = 0; pass < 3; ++pass) {
        QStringList inPass = shown.mid(pass * 3, 3);
        inPass.sort();
        QCOMPARE(inPass, (QStringList {"A", "B", "C"}));
    }
}

void TestTaskFile::cycleAcceptsRepeatWhenNoOtherPrompt_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("one task") << QByteArray("A\r\n");
    QTest::newRow("equal prompts") << QByteArray("A\r\nA\r\nA\r\n");
}

void TestTaskFile::cycleAcceptsRepeatWhenNoOtherPrompt()
{
    QFETCH(QByteArray, file);
    FakeRandom random;
    TaskCycle cycle([&] { return readBytes(file, 1); }, random);
    QVERIFY(cycle.start().isEmpty());
    for (int i = 0; i < 5; ++i) {
        QVERIFY(cycle.next().isEmpty());
        QCOMPARE(cycle.prompt(), QStringLiteral("A"));
    }
}

void TestTaskFile::cycleReportsVanishedFile()
{
    bool present = true;
    FakeRandom random;
    TaskCycle cycle(
        [&] {
            if (present)
                return readBytes("A\r\n", 1);
            TaskFile::Result gone;
            gone.error = QStringLiteral("weg");
            return gone;
        },
        random);
    QVERIFY(cycle.start().isEmpty());
    present = false;
    QCOMPARE(cycle.next(), QStringLiteral("weg"));
}

QTEST_GUILESS_MAIN(TestTaskFile)
#include "tst_taskfile.moc"
