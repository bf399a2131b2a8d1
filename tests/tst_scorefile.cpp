#include "core/ScoreFile.h"
#include "core/ScoreStore.h"
#include "platform/SettingsStore.h"
#include "support/FailingDevice.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
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
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void staleLocksDoNotStopSaving_data();
    void staleLocksDoNotStopSaving();
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
    QTest::newRow("2.5 to even") << QByteArray("2.5") << 2;
    QTest::newRow("a trace above a half") << QByteArray("2.5000000000000000001") << 3;
    QTest::newRow("a trace below a half") << QByteArray("1.49999999999999999999") << 1;
    QTest::newRow("rounds out of range") << QByteArray("2147483647.5") << -1;
    QTest::newRow("lowest by rounding")
        << QByteArray("-2147483648.5") << std::numeric_limits<qint32>::min();
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
    QVERIFY(ScoreStore::save(settings, scores).ok);
    QCOMPARE(ScoreStore::load(settings), scores);
}

void TestScoreFile::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<bool>("store"); // the settings store, or a score file
    QTest::addColumn<int>("capacity"); // bytes the disk still takes; -1: the folder is read-only
    QTest::addColumn<bool>("device"); // a failing device, or the process's file size limit
    for (const bool store : { false, true }) {
        const char* what = store ? "settings store" : "score file";
        QTest::addRow("%s, disk full", what) << store << 10 << false;
        QTest::addRow("%s, nothing fits", what) << store << 0 << false;
        QTest::addRow("%s, read-only folder", what) << store << -1 << false;
    }
    for (const int capacity : { 0, 1, 30, 61 })
        QTest::addRow("score file, device full after %d bytes", capacity)
            << false << capacity << true;
}

void TestScoreFile::failedWriteKeepsOldFile()
{
    QFETCH(bool, store);
    QFETCH(int, capacity);
    QFETCH(bool, device);
    QTemporaryDir dir;
    const QString path = dir.filePath(store ? u"Tambolino.conf"_s : u"anna.tbo"_s);
    const QByteArray old
        = store ? QByteArray("[Punktestaende]\nAbtippuebungen=10\n") : tensFile(12);
    QVERIFY(writeFile(path, old));
    Scores scores;
    scores(1) = 999;

    bool failed = false;
    QString error;
    if (capacity < 0) {
        const ReadOnlyFolder readOnly(dir.path());
        if (store)
            failed
                = !QtSettingsStore(path).setValues(u"Punktestaende"_s, { { u"x"_s, u"1"_s } }).ok;
        else
            error = ScoreFile::save(path, scores);
    } else if (device) {
        FailingSaveFile file(path, capacity);
        error = ScoreFile::save(file, scores);
    } else {
        // Files may not grow past the capacity: a write that fails for root too.
        rlimit previous {};
        getrlimit(RLIMIT_FSIZE, &previous);
        const rlimit tiny { static_cast<rlim_t>(capacity), previous.rlim_max };
        std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &tiny);
        if (store) {
            QtSettingsStore settings(path);
            failed = !ScoreStore::save(settings, scores).ok;
        } else {
            error = ScoreFile::save(path, scores);
        }
        setrlimit(RLIMIT_FSIZE, &previous);
    }

    if (!store)
        QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    QVERIFY(failed || !store);
    QCOMPARE(readFile(path), old);
    // No half-written file is left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
        QStringList { QFileInfo(path).fileName() });
}

void TestScoreFile::staleLocksDoNotStopSaving_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::newRow("lock of a killed copy") << u".lock"_s;
    QTest::newRow("removal lock of a killed copy") << u".rmlock"_s;
}

void TestScoreFile::staleLocksDoNotStopSaving()
{
    QFETCH(QString, suffix);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Tambolino.conf"_s);
    // A lock as QLockFile writes it, but of a process that has ended.
    QProcess ended;
    ended.start(u"true"_s, {});
    QVERIFY(ended.waitForStarted());
    const qint64 pid = ended.processId();
    QVERIFY(ended.waitForFinished());
    QByteArray lock;
    {
        QLockFile own(path + suffix);
        QVERIFY(own.tryLock());
        lock = readFile(path + suffix);
    }
    lock = QByteArray::number(pid) + lock.mid(lock.indexOf('\n'));
    QVERIFY(writeFile(path + suffix, lock));
    QtSettingsStore settings(path);
    Scores scores;
    scores(12) = 12;
    QVERIFY(ScoreStore::save(settings, scores).ok);
    QCOMPARE(ScoreStore::load(settings), scores);
}

QTEST_GUILESS_MAIN(TestScoreFile)
#include "tst_scorefile.moc"
