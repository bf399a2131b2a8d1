#include "TestSupport.h"
#include "app/ScoreFile.h"
#include "app/ScoreStore.h"
#include "platform/SettingsStore.h"
#include "platform/doubles/FakePlatform.h"

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
const QString FileName = QStringLiteral("anna.tbo");

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

Scores tens()
{
    Scores scores;
    for (int k = 1; k <= 12; ++k)
        scores(k) = 10 * k;
    return scores;
}
} // namespace

class TestScoreFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void formatsEveryLine();
    void readsNumber_data();
    void readsNumber();
    void acceptsFileShape_data();
    void acceptsFileShape();
    void rejectsWholeFile_data();
    void rejectsWholeFile();
    void rejectsPath_data();
    void rejectsPath();
    void roundTripsThroughFile();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void roundTripsThroughSettings();
    void readsStoredText_data();
    void readsStoredText();

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

void TestScoreFile::readsNumber_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<qint32>("score");
    QTest::newRow("as written") << QByteArray(" 1234 ") << 1234;
    QTest::newRow("negative as written") << QByteArray("-20 ") << -20;
    QTest::newRow("bare") << QByteArray("42") << 42;
    QTest::newRow("blanks and tabs") << QByteArray(" \t 42 \t") << 42;
    QTest::newRow("comma ends it") << QByteArray("42,") << 42;
    QTest::newRow("blank, then comma") << QByteArray(" 42 , ") << 42;
    QTest::newRow("plus sign") << QByteArray("+5") << 5;
    QTest::newRow("leading zeros") << QByteArray("007") << 7;
    QTest::newRow("half down to even") << QByteArray("6.5") << 6;
    QTest::newRow("half up to even") << QByteArray("7.5") << 8;
    QTest::newRow("negative half") << QByteArray("-2.5") << -2;
    QTest::newRow("trailing point") << QByteArray("5.") << 5;
    QTest::newRow("largest") << QByteArray("2147483647") << Max;
    QTest::newRow("smallest") << QByteArray("-2147483648") << Min;
    QTest::newRow("rounds into range") << QByteArray("-2147483648.5") << Min;
}

void TestScoreFile::readsNumber()
{
    QFETCH(QByteArray, line);
    QFETCH(qint32, score);
    const ScoreFile::Result result = readBytes(withLine7(line));
    QVERIFY2(result.ok(), qPrintable(result.error));
    Scores expected;
    expected(7) = score;
    QCOMPARE(result.scores, expected);
}

void TestScoreFile::acceptsFileShape_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray written = tensFile(12);
    QTest::newRow("as written") << written;
    QTest::newRow("LF") << QByteArray(written).replace("\r\n", "\n");
    QTest::newRow("CR") << QByteArray(written).replace("\r\n", "\r");
    QTest::newRow("no last line end") << written.chopped(2);
    QTest::newRow("blank lines after") << written + "\r\n  \r\n\r\n";
    QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF") + written;
}

void TestScoreFile::acceptsFileShape()
{
    QFETCH(QByteArray, bytes);
    const ScoreFile::Result result = readBytes(bytes);
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(result.scores, tens());
}

void TestScoreFile::rejectsWholeFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QTest::newRow("empty") << QByteArray() << u"ist leer"_s;
    QTest::newRow("blank lines only") << QByteArray(" \r\n\r\n") << u"ist leer"_s;
    QTest::newRow("five lines") << tensFile(5) << u"nur 5 statt 12"_s;
    QTest::newRow("eleven lines") << tensFile(11) << u"nur 11 statt 12"_s;
    QTest::newRow("thirteen lines") << tensFile(13) << u"Zeile 13"_s;
    QTest::newRow("word") << withLine7("abc") << u"Zeile 7 keine gültige Zahl"_s;
    QTest::newRow("blank line") << withLine7("  ") << u"Zeile 7 keine"_s;
    QTest::newRow("number and word") << withLine7("12abc") << u"Zeile 7 keine"_s;
    QTest::newRow("decimal comma") << withLine7("12,5") << u"Zeile 7 keine"_s;
    QTest::newRow("two numbers") << withLine7("10 20") << u"Zeile 7 keine"_s;
    QTest::newRow("exponent") << withLine7("1e5") << u"Zeile 7 keine"_s;
    QTest::newRow("sign alone") << withLine7("-") << u"Zeile 7 keine"_s;
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
    if (name == QStringLiteral("ordner.tbo"))
        QVERIFY(QDir(dir.path()).mkdir(name));
    if (name == QStringLiteral("gesperrt.tbo")) {
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
    if (obstacle == QStringLiteral("parent")) {
        path = pathBelowAFile(QDir(dir.path()));
    } else if (obstacle == QStringLiteral("folder")) {
        path = dir.filePath(QStringLiteral("ordner.tbo"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("ordner.tbo")));
    } else if (obstacle == QStringLiteral("missing")) {
        path = dir.filePath(QStringLiteral("fehlt/anna.tbo"));
    } else if (obstacle == QStringLiteral("full")) {
        // Files may not grow past 10 bytes: a write failure that holds for root too.
        signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous);
        rlimit tiny = previous;
        tiny.rlim_cur = 10;
        setrlimit(RLIMIT_FSIZE, &tiny);
    } else if (obstacle == QStringLiteral("readonly")) {
        if (runningAsRoot())
            QSKIP("root writes into read-only folders");
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    const QString error = ScoreFile::save(path, mixedScores());
    if (obstacle == QStringLiteral("full"))
        setrlimit(RLIMIT_FSIZE, &previous);
    QFile::setPermissions(
        dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    QCOMPARE(readFile(dir.filePath(FileName)), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(),
        obstacle == QStringLiteral("parent") ? 2 : 1);
}

void TestScoreFile::roundTripsThroughSettings()
{
    QtSettingsStore settings;
    QVERIFY(ScoreStore::save(settings, mixedScores()));
    QCOMPARE(ScoreStore::load(settings), mixedScores());
    QCOMPARE(
        settings.value(QStringLiteral("Punktestaende"), QStringLiteral("Wortpuzzle")), u"-20"_s);
    QCOMPARE(
        settings.value(QStringLiteral("Punktestaende"), QStringLiteral("Einsetzuebungen")), u"0"_s);
}

void TestScoreFile::readsStoredText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint32>("score");
    QTest::newRow("missing") << QString() << 0;
    QTest::newRow("blanks before") << u"  42"_s << 42;
    QTest::newRow("letters after") << u"12abc"_s << 12;
    QTest::newRow("half up to even") << u"7.5"_s << 8;
    QTest::newRow("half down to even") << u"6.5"_s << 6;
    QTest::newRow("no number") << u"abc"_s << 0;
    QTest::newRow("beyond the range") << u"99999999999"_s << Max;
}

void TestScoreFile::readsStoredText()
{
    QFETCH(QString, text);
    QFETCH(qint32, score);
    MemorySettings settings;
    if (!text.isNull())
        settings.values.insert(QStringLiteral("Punktestaende/Division"), text);
    QCOMPARE(ScoreStore::load(settings)(12), score);
}

QTEST_GUILESS_MAIN(TestScoreFile)
#include "tst_scorefile.moc"
