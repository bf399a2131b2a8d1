#include "core/ScoreFile.h"
#include "core/ScoreStore.h"
#include "platform/SettingsStore.h"
#include "support/FailingDisk.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <limits>

using namespace Qt::StringLiterals;

class TestScoreFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reading_data();
    void reading();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
};

void TestScoreFile::reading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("score"); // of exercise 1; -1: the file is rejected
    QTest::addColumn<int>("stored"); // the first line read as a value of the settings store
    QTest::addColumn<int>("readable"); // reading fails after this many bytes; -1: it does not
    const QByteArray rest = QByteArray(" 7 \r\n").repeated(ScoreFile::Lines - 1);
    const int lowest = std::numeric_limits<qint32>::min();
    const int highest = std::numeric_limits<qint32>::max();
    const auto row = [&rest](const QByteArray& first, int score, int stored) {
        QTest::newRow(first.isEmpty() ? "empty line" : first.left(30).constData())
            << first + "\r\n" + rest << score << stored << -1;
    };
    row("   42   ", 42, 42);
    row(" 42,", 42, 42);
    row("-20 ", -20, -20);
    row("2.5", 2, 2);
    row("7.5", 8, 8);
    row("-3.5", -4, -4);
    row("2.5000000000000000001", 3, 3);
    row("1.49999999999999999999", 1, 1);
    row("-2147483648.5", lowest, lowest);
    row("2147483647.5", -1, highest);
    row("-99999999999", -1, lowest);
    row(QByteArray(100, '9'), -1, highest);
    row("12,5", -1, 12);
    row("10 20", -1, 10);
    row("12abc", -1, 12);
    row("Punkte", -1, 0);
    row("", -1, 0);
    QTest::newRow("a line short") << rest << -1 << 7 << -1;
    QTest::newRow("a line more") << "1\r\n" + rest + "13\r\n" << -1 << 1 << -1;
    QTest::newRow("LF, CR and blank lines after") << "1\n2\r3\r\n" + rest.mid(10) + " \r\n\n"
                                                  << 1 << 1 << -1;
    // Editors on Windows write one; inside a stored value it is no digit.
    const QByteArray bom = "\xEF\xBB\xBF";
    QTest::newRow("byte-order mark") << bom + "5\r\n" + rest << 5 << 0 << -1;
    // The lines read before the failure would make a whole file.
    QTest::newRow("read fails after the last score")
        << "1\r\n" + rest + "\r\n13" << -1 << 1 << int(rest.size()) + 3;
}

void TestScoreFile::reading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, score);
    QFETCH(int, stored);
    QFETCH(int, readable);
    QTemporaryDir dir;
    const QString store = dir.filePath(u"Tambolino.conf"_s);
    QVERIFY(writeFile(store,
        "[Punktestaende]\nWortpuzzle=1\nAbtippuebungen=" + bytes.split('\n')[0].split('\r')[0]
            + '\n'));
    const Scores fromStore = ScoreStore::load(QtSettingsStore(store));
    QCOMPARE(fromStore(1), stored);
    QCOMPARE(fromStore(2), 1);

    const QString path = dir.filePath(u"kind.tbo"_s);
    QVERIFY(writeFile(path, bytes));
    FailingDevice failing(bytes, readable);
    const ScoreFile::Result result
        = readable < 0 ? ScoreFile::load(path) : ScoreFile::read(failing, path);
    QVERIFY2(result.ok() == (score != -1), qPrintable(result.error));
    QVERIFY2(result.ok() || result.error.contains(u"„%1“"_s.arg(path)), qPrintable(result.error));
    if (!result.ok())
        return;
    QCOMPARE(result.scores(1), score);
    const QByteArray first = (score < 0 ? "" : " ") + QByteArray::number(score) + " \r\n";
    // Written back in the program's own form.
    QCOMPARE(ScoreFile::format(result.scores).left(first.size()), first);
}

void TestScoreFile::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<int>("capacity"); // bytes the disk still takes; -1: the folder is read-only
    for (const int capacity : { 0, 30, 61 }) // 62 are needed
        QTest::addRow("disk full after %d bytes", capacity) << capacity;
    QTest::newRow("read-only folder") << -1;
}

void TestScoreFile::failedWriteKeepsOldFile()
{
    QFETCH(int, capacity);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"anna.tbo"_s);
    const QByteArray old = tensFile(ScoreFile::Lines);
    QVERIFY(writeFile(path, old));
    Scores scores;
    scores(1) = 999;
    QString error;
    {
        const FailingDisk disk(dir.path(), capacity);
        error = ScoreFile::save(path, scores);
    }
    QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    QCOMPARE(readFile(path), old);
    // No half-written file is left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
        QStringList { QFileInfo(path).fileName() });
}

QTEST_GUILESS_MAIN(TestScoreFile)
#include "tst_scorefile.moc"
