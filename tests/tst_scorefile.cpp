#include "core/ScoreFile.h"
#include "core/ScoreStore.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <limits>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

class TestScoreFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readingRules_data();
    void readingRules();
    void roundTrips();
    void failedWriteKeepsOldFile();
};

void TestScoreFile::readingRules_data()
{
    QTest::addColumn<QByteArray>("first"); // the first line; lines 2 to 12 hold " 7 "
    QTest::addColumn<int>("score"); // -1: the file is rejected
    QTest::newRow("blanks around") << QByteArray("   42   ") << 42;
    QTest::newRow("comma ends it") << QByteArray(" 42,") << 42;
    QTest::newRow("half to even") << QByteArray("6.5") << 6;
    QTest::newRow("half up to even") << QByteArray("7.5") << 8;
    QTest::newRow("negative") << QByteArray("-20 ") << -20;
    QTest::newRow("two numbers") << QByteArray("10 20") << -1;
    QTest::newRow("out of range") << QByteArray("2147483648") << -1;
    QTest::newRow("empty line") << QByteArray("") << -1;
}

void TestScoreFile::readingRules()
{
    QFETCH(QByteArray, first);
    QFETCH(int, score);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"kind.tbo"_s);
    QVERIFY(writeFile(path, first + "\r\n" + QByteArray(" 7 \r\n").repeated(11)));
    const ScoreFile::Result result = ScoreFile::load(path);
    QCOMPARE(result.ok(), score != -1);
    if (result.ok())
        QCOMPARE(result.scores(1), score);
    else
        QVERIFY2(result.error.contains(QDir::toNativeSeparators(path)), qPrintable(result.error));
}

void TestScoreFile::roundTrips()
{
    Scores scores;
    scores(1) = 1234;
    scores(2) = -20;
    scores(12) = std::numeric_limits<qint32>::min();
    QTemporaryDir dir;
    const QString path = dir.filePath(u"anna.tbo"_s);
    QCOMPARE(ScoreFile::save(path, scores), QString());
    QCOMPARE(readFile(path),
        " 1234 \r\n-20 \r\n" + QByteArray(" 0 \r\n").repeated(9) + "-2147483648 \r\n");
    QCOMPARE(ScoreFile::load(path).scores, scores);

    // The real settings store, never the developer's own.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
    QtSettingsStore settings;
    QVERIFY(ScoreStore::save(settings, scores));
    QCOMPARE(ScoreStore::load(settings), scores);
}

void TestScoreFile::failedWriteKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"anna.tbo"_s);
    QVERIFY(writeFile(path, tensFile(12)));
    // Files may not grow past 10 bytes: a write that fails for root too.
    rlimit previous {};
    getrlimit(RLIMIT_FSIZE, &previous);
    const rlimit tiny { 10, previous.rlim_max };
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &tiny);
    const QString error = ScoreFile::save(path, Scores {});
    setrlimit(RLIMIT_FSIZE, &previous);

    QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    QCOMPARE(readFile(path), tensFile(12));
    // No half-written file is left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { u"anna.tbo"_s });
}

QTEST_GUILESS_MAIN(TestScoreFile)
#include "tst_scorefile.moc"
