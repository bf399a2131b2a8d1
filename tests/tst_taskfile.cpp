#include "frame/TaskCycle.h"
#include "frame/TaskFile.h"
#include "support/FakePlatform.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

class TestTaskFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void records_data();
    void records();
    void decoding_data();
    void decoding();
    void unusableFiles_data();
    void unusableFiles();
    void cycleShowsEachOnceAndNeverRepeats();
    void cycleAcceptsRepeatWhenNoOtherPrompt();
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

void TestTaskFile::records_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("recordLines");
    QTest::addColumn<QStringList>("lists"); // the lists one after the other, split by "|"
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << 1 << QStringList { "a", "b" };
    QTest::newRow("no final line end") << QByteArray("a\r\nb") << 1 << QStringList { "a", "b" };
    QTest::newRow("lone CR ends a line") << QByteArray("a\rb\r") << 1 << QStringList { "a", "b" };
    QTest::newRow("lone LF stays") << QByteArray("a\nb\r\n") << 1 << QStringList { "a\nb" };
    QTest::newRow("LF only ends lines")
        << QByteArray("1 + 1 =\n2\n\n0\n") << 2 << QStringList { "1 + 1 =", "", "|", "2", "0" };
    QTest::newRow("trailing empty line") << QByteArray("a\r\n\r\n") << 1 << QStringList { "a", "" };
    QTest::newRow("blanks kept") << QByteArray(" a b \r\n") << 1 << QStringList { " a b " };
    QTest::newRow("pairs") << QByteArray("1 + 1 =\r\n2\r\n2 · 3 =\r\n6\r\n") << 2
                           << QStringList { "1 + 1 =", "2 · 3 =", "|", "2", "6" };
}

void TestTaskFile::records()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, recordLines);
    QFETCH(QStringList, lists);
    const TaskFile::Result result = readBytes(bytes, recordLines);
    QVERIFY(result.ok());
    QStringList all;
    for (const QStringList& list : result.lists)
        all += (all.isEmpty() ? QStringList() : QStringList { "|" }) + list;
    QCOMPARE(all, lists);
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
    QTest::newRow("UTF-8") << QByteArray("Gr\xC3\xB6\xC3\x9F"
                                         "e")
                           << QStringLiteral("Größe");
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF\xC3\xA4"
                                                  "b")
                                    << QStringLiteral("äb");
    QTest::newRow("BOM and ASCII") << QByteArray("\xEF\xBB\xBF"
                                                 "abc")
                                   << QStringLiteral("abc");
    QTest::newRow("UTF-8 decomposed") << QByteArray("Ba\xCC\x88r, Gro\xCC\x88\xC3\x9F"
                                                    "e")
                                      << QStringLiteral("Bär, Größe");
    QTest::newRow("invalid UTF-8 is Windows-1252")
        << QByteArray("\xC3\xA4 \xE4") << QStringLiteral("Ã¤ ä");
}

void TestTaskFile::decoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(TaskFile::decode(bytes), text);
}

void TestTaskFile::unusableFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("recordLines");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "fehlt.txt" << 2 << "wurde nicht gefunden.";
    QTest::newRow("folder") << "ordner.txt" << 2 << "ist keine gewöhnliche Datei.";
    QTest::newRow("named pipe") << "pipe.txt" << 2 << "ist keine gewöhnliche Datei.";
    QTest::newRow("empty") << "leer.txt" << 2 << "ist leer.";
    QTest::newRow("byte-order mark alone") << "bom.txt" << 1 << "ist leer.";
    const QString incomplete = QStringLiteral(
        "endet mit einer unvollständigen Aufgabe: Jede Aufgabe besteht aus %1 Zeilen, aber %2 "
        "nur einen Teil einer Aufgabe. Vermutlich fehlt irgendwo eine Zeile oder es steht eine "
        "zu viel darin.");
    QTest::newRow("one line of a pair")
        << "halb.txt" << 2 << incomplete.arg(2).arg(QStringLiteral("Zeile 1 bildet"));
    // The second verb lacks its third form: the tasks after it would all be shifted.
    QTest::newRow("forgotten line")
        << "verben.txt" << 3 << incomplete.arg(3).arg(QStringLiteral("die Zeilen 7 bis 8 bilden"));
}

void TestTaskFile::unusableFiles()
{
    QFETCH(QString, name);
    QFETCH(int, recordLines);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("ordner.txt"));
    QVERIFY(
        mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe.txt"))).constData(), 0600) == 0);
    for (const auto& [file, bytes] : { std::pair { "leer.txt", "" },
             std::pair { "bom.txt", "\xEF\xBB\xBF" }, std::pair { "halb.txt", "a\r\n" },
             std::pair {
                 "verben.txt", "gehen\ngeht\nging\nlaufen\nl\xC3\xA4uft\nsehen\nsieht\nsah\n" } }) {
        QFile out(dir.filePath(QLatin1String(file)));
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(bytes) >= 0);
    }
    const QString path = dir.filePath(name);
    QCOMPARE(TaskFile::load(path, recordLines).error,
        QStringLiteral("Die Aufgabendatei „%1“ %2").arg(path, message));
}

void TestTaskFile::cycleShowsEachOnceAndNeverRepeats()
{
    int loads = 0;
    FakeRandom random;
    TaskCycle cycle(
        [&] {
            ++loads;
            return readBytes("A\r\nB\r\nC\r\n", 1);
        },
        random);
    // Every pass starts by drawing the last entry (0.99), which is the task just finished.
    random.queued = { 0.0, 0.0, 0.0, 0.99, 0.0, 0.0, 0.0, 0.99 };
    QVERIFY(cycle.start().isEmpty());
    QStringList shown { cycle.prompt() };
    for (int i = 0; i < 8; ++i) {
        QVERIFY(cycle.next().isEmpty());
        QVERIFY2(cycle.prompt() != shown.last(), qPrintable(shown.join(QLatin1Char(','))));
        shown.append(cycle.prompt());
    }
    QCOMPARE(loads, 3);
    for (int pass = 0; pass < 3; ++pass) {
        QStringList inPass = shown.mid(pass * 3, 3);
        inPass.sort();
        QCOMPARE(inPass, (QStringList { "A", "B", "C" }));
    }
}

void TestTaskFile::cycleAcceptsRepeatWhenNoOtherPrompt()
{
    FakeRandom random;
    TaskCycle cycle([&] { return readBytes("A\r\nA\r\n", 1); }, random);
    QVERIFY(cycle.start().isEmpty());
    for (int i = 0; i < 5; ++i) {
        QVERIFY(cycle.next().isEmpty());
        QCOMPARE(cycle.prompt(), QStringLiteral("A"));
    }
}

QTEST_GUILESS_MAIN(TestTaskFile)
#include "tst_taskfile.moc"
