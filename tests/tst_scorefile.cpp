#include "TestSupport.h"
#include "app/ScoreFile.h"
#include "app/ScoreStore.h"
#include "platform/SettingsStore.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <limits>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {
constexpr qint32 Max = std::numeric_limits<qint32>::max();
constexpr qint32 Min = std::numeric_limits<qint32>::min();
const QString FileName = u"anna.tbo"_s;

ScoreFile::Result readBytes(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ScoreFile::read(buffer, FileName);
}

// Twelve lines of "0", line 7 replaced.
QByteArray withLine7(const QByteArray& line)
{
    QByteArray bytes;
    for (int k = 1; k <= 12; ++k)
        bytes += (k == 7 ? line : QByteArray("0")) + "\r\n";
    return bytes;
}

Scores mixedScores()
{
    Scores scores;
    const std::array<qint32, 12> values { 1234, -20, 0, Max, Min, 7, -1, 99999999, 0, 5, -300, 42 };
    for (int k = 1; k <= 12; ++k)
        scores(k) = values[static_cast<std::size_t>(k - 1)];
    return scores;
}

} // namespace

class TestScoreFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void formatsEveryLine();
    void readsScores_data();
    void readsScores();
    void rejectsWholeFile_data();
    void rejectsWholeFile();
    void rejectsPath_data();
    void rejectsPath();
    void roundTripsThroughFile();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void roundTripsThroughSettings();

private:
    QTemporaryDir m_config;
};

void TestScoreFile::initTestCase()
{
    // Never the developer's own settings, also when run outside ctest.
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
}

void TestScoreFile::formatsEveryLine()
{
    QCOMPARE(ScoreFile::format(mixedScores()),
        QByteArray(" 1234 \r\n-20 \r\n 0 \r\n 2147483647 \r\n-2147483648 \r\n 7 \r\n-1 \r\n"
                   " 99999999 \r\n 0 \r\n 5 \r\n-300 \r\n 42 \r\n"));
}

void TestScoreFile::readsScores_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint32>("score");
    QTest::newRow("as written") << withLine7(" 1234 ") << 1234;
    QTest::newRow("negative as written") << withLine7("-20 ") << -20;
    QTest::newRow("blanks and tabs") << withLine7(" \t 42 \t") << 42;
    QTest::newRow("comma ends it") << withLine7("42,") << 42;
    QTest::newRow("blank, then comma") << withLine7(" 42 , ") << 42;
    QTest::newRow("plus sign") << withLine7("+5") << 5;
    QTest::newRow("half down to even") << withLine7("6.5") << 6;
    QTest::newRow("half up to even") << withLine7("7.5") << 8;
    QTest::newRow("negative half") << withLine7("-2.5") << -2;
    QTest::newRow("smallest") << withLine7("-2147483648") << Min;
    QTest::newRow("rounds into range") << withLine7("-2147483648.5") << Min;
    const QByteArray five = withLine7("5");
    QTest::newRow("LF") << QByteArray(five).replace("\r\n", "\n") << 5;
    QTest::newRow("CR") << QByteArray(five).replace("\r\n", "\r") << 5;
    QTest::newRow("no last line end") << five.chopped(2) << 5;
    QTest::newRow("blank lines after") << five + "\r\n  \r\n\r\n" << 5;
    QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF") + five << 5;
}

void TestScoreFile::readsScores()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint32, score);
    const ScoreFile::Result result = readBytes(bytes);
    QVERIFY2(result.ok(), qPrintable(result.error));
    Scores expected;
    expected(7) = score;
    QCOMPARE(result.scores, expected);
}

void TestScoreFile::rejectsWholeFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QTest::newRow("empty") << QByteArray() << u"ist leer"_s;
    QTest::newRow("five lines") << tensFile(5) << u"nur 5 statt 12"_s;
    QTest::newRow("thirteen lines") << tensFile(13) << u"Zeile 13"_s;
    QTest::newRow("word") << withLine7("abc") << u"Zeile 7 keine gültige Zahl"_s;
    QTest::newRow("blank line") << withLine7("  ") << u"Zeile 7 keine"_s;
    QTest::newRow("number and word") << withLine7("12abc") << u"Zeile 7 keine"_s;
    QTest::newRow("decimal comma") << withLine7("12,5") << u"Zeile 7 keine"_s;
    QTest::newRow("two numbers") << withLine7("10 20") << u"Zeile 7 keine"_s;
    QTest::newRow("exponent") << withLine7("1e5") << u"Zeile 7 keine"_s;
    QTest::newRow("too large") << withLine7("2147483648") << u"Zeile 7 eine Zahl außerhalb"_s;
    QTest::newRow("too small") << withLine7("-2147483649") << u"Zeile 7 eine Zahl außerhalb"_s;
    QTest::newRow("rounds out of range")
        << withLine7("2147483647.5") << u"Zeile 7 eine Zahl außerhalb"_s;
    QTest::newRow("endless digits")
        << withLine7(QByteArray(400, '9')) << u"Zeile 7 eine Zahl außerhalb"_s;
    QTest::newRow("huge") << tensFile(12) + QByteArray(100000, ' ') << u"zu groß"_s;
}

void TestScoreFile::rejectsWholeFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const ScoreFile::Result result = readBytes(bytes);
    QVERIFY(!result.ok());
    QVERIFY2(result.error.contains(FileName), qPrintable(result.error));
    QVERIFY2(result.error.contains(reason), qPrintable(result.error));
}

void TestScoreFile::rejectsPath_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << u"fehlt.tbo"_s << u"nicht gefunden"_s;
    QTest::newRow("folder") << u"ordner.tbo"_s << u"kann nicht gelesen"_s;
    QTest::newRow("no permission") << u"gesperrt.tbo"_s << u"kann nicht gelesen"_s;
}

void TestScoreFile::rejectsPath()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (name == u"ordner.tbo"_s)
        QVERIFY(QDir(dir.path()).mkdir(name));
    if (name == u"gesperrt.tbo"_s) {
        if (runningAsRoot())
            QSKIP("root reads files without read permission");
        QVERIFY(writeFile(path, tensFile(12)));
        QFile::setPermissions(path, QFileDevice::Permissions());
    }
    const ScoreFile::Result result = ScoreFile::load(path);
    QVERIFY(!result.ok());
    QVERIFY2(result.error.contains(QDir::toNativeSeparators(path)), qPrintable(result.error));
    QVERIFY2(result.error.contains(reason), qPrintable(result.error));
}

void TestScoreFile::roundTripsThroughFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(FileName);
    QVERIFY(writeFile(path, QByteArray(500, 'x')));
    QCOMPARE(ScoreFile::save(path, mixedScores()), QString());
    QCOMPARE(readFile(path), ScoreFile::format(mixedScores()));
    const ScoreFile::Result loaded = ScoreFile::load(path);
    QVERIFY2(loaded.ok(), qPrintable(loaded.error));
    QCOMPARE(loaded.scores, mixedScores());
}

void TestScoreFile::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::newRow("parent is a file") << u"parent"_s;
    QTest::newRow("folder in its place") << u"folder"_s;
    QTest::newRow("missing folder") << u"missing"_s;
    QTest::newRow("disk full") << u"full"_s;
    QTest::newRow("read-only folder") << u"readonly"_s;
}

void TestScoreFile::failedWriteKeepsOldFile()
{
    QFETCH(QString, obstacle);
    QTemporaryDir dir;
    QString path = dir.filePath(FileName);
    const QByteArray old = tensFile(12);
    QVERIFY(writeFile(path, old));
    rlimit previous {};
    if (obstacle == u"parent"_s) {
        path = pathBelowAFile(QDir(dir.path()));
    } else if (obstacle == u"folder"_s) {
        path = dir.filePath(u"ordner.tbo"_s);
        QVERIFY(QDir(dir.path()).mkdir(u"ordner.tbo"_s));
    } else if (obstacle == u"missing"_s) {
        path = dir.filePath(u"fehlt/anna.tbo"_s);
    } else if (obstacle == u"full"_s) {
        // Files may not grow past 10 bytes: a write failure that holds for root too.
        signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous);
        rlimit tiny = previous;
        tiny.rlim_cur = 10;
        setrlimit(RLIMIT_FSIZE, &tiny);
    } else if (obstacle == u"readonly"_s) {
        if (runningAsRoot())
            QSKIP("root writes into read-only folders");
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    const QString error = ScoreFile::save(path, mixedScores());
    if (obstacle == u"full"_s)
        setrlimit(RLIMIT_FSIZE, &previous);
    QFile::setPermissions(
        dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    QCOMPARE(readFile(dir.filePath(FileName)), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(),
        obstacle == u"parent"_s ? 2 : 1);
}

void TestScoreFile::roundTripsThroughSettings()
{
    QtSettingsStore settings;
    QVERIFY(ScoreStore::save(settings, mixedScores()));
    QCOMPARE(ScoreStore::load(settings), mixedScores());
    QCOMPARE(settings.value(u"Punktestaende"_s, u"Wortpuzzle"_s), u"-20"_s);
    QCOMPARE(settings.value(u"Punktestaende"_s, u"Einsetzuebungen"_s), u"0"_s);
}

QTEST_GUILESS_MAIN(TestScoreFile)
#include "tst_scorefile.moc"
