#include "core/ScoreStore.h"
#include "platform/SettingsStore.h"
#include "platform/SingleInstance.h"
#include "support/TestSupport.h"

#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <csignal>

using namespace Qt::StringLiterals;

namespace {
// Whether the started program handles SIGTERM yet (Linux: the SigCgt mask). Before the exec the
// child still has this process's handlers.
bool catchesSigterm(qint64 pid)
{
    const QByteArray status = readFile(u"/proc/%1/status"_s.arg(pid));
    const QByteArray mask = status.mid(status.indexOf("SigCgt:") + 7, 17).trimmed();
    return (mask.toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1U;
}
} // namespace

// Real processes: the program started twice and ended by signals, and saving killed midway.
class TestTermination : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void oneCopyRunsAndSigtermSaves();
    void killDuringSaveLeavesOneGeneration();

private:
    QTemporaryDir m_config;
    QTemporaryDir m_runtime;
};

void TestTermination::initTestCase()
{
    // The user's own settings and running copy stay out of it.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

void TestTermination::oneCopyRunsAndSigtermSaves()
{
    QProcess first;
    first.start(QStringLiteral(TAMBOLINO_EXE), {});
    QVERIFY(first.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(catchesSigterm(first.processId()), 20000);
    QProcess second;
    second.start(QStringLiteral(TAMBOLINO_EXE), {});
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(first.state(), QProcess::Running);

    // A killed copy does not stop a later start: SIGTERM ends the next copy with a save. The
    // store, written by QSettings, is read as 8 and written back as "8", which QSettings reads.
    first.kill();
    QVERIFY(first.waitForFinished());
    const QString store = m_config.filePath(u"Tambolino/Tambolino.conf"_s);
    QSettings(store, QSettings::IniFormat).setValue(u"Punktestaende/Kopfrechnen"_s, u"7.5"_s);
    QProcess third;
    third.start(QStringLiteral(TAMBOLINO_EXE), {});
    QVERIFY(third.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(catchesSigterm(third.processId()), 20000);
    third.terminate();
    QVERIFY(third.waitForFinished(20000));
    QCOMPARE(third.exitStatus(), QProcess::NormalExit);
    QSettings saved(store, QSettings::IniFormat);
    QCOMPARE(saved.value(u"Punktestaende/Kopfrechnen"_s).toString(), u"8"_s);

    // The running copy hears of a later start.
    SingleInstance running(m_runtime.path());
    QVERIFY(running.claim());
    QSignalSpy activated(&running, &SingleInstance::activationRequested);
    QProcess fourth;
    fourth.start(QStringLiteral(TAMBOLINO_EXE), {});
    QTRY_COMPARE_WITH_TIMEOUT(activated.size(), 1, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(fourth.state(), QProcess::NotRunning, 20000);
    QCOMPARE(fourth.exitCode(), 0);
}

void TestTermination::killDuringSaveLeavesOneGeneration()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Tambolino.conf"_s);
    const QtSettingsStore store(path);
    qint32 before = 0;
    for (int run = 0; run < 25; ++run) {
        QProcess writer;
        writer.start(QStringLiteral(STOREWRITER_EXE), { path });
        QVERIFY(writer.waitForStarted());
        if (run == 0)
            QTRY_VERIFY_WITH_TIMEOUT(ScoreStore::load(store)(1) > 0, 20000);
        QThread::usleep(run * 1500);
        writer.kill();
        QVERIFY(writer.waitForFinished());
        // All twelve from one save, never older than before.
        const Scores after = ScoreStore::load(store);
        for (int k = 2; k <= ExerciseCount; ++k)
            QCOMPARE(after(k), after(1));
        QVERIFY(after(1) >= before);
        before = after(1);
    }
    QVERIFY(!QFileInfo::exists(path + u".beschaedigt"_s));
}

QTEST_GUILESS_MAIN(TestTermination)
#include "tst_termination.moc"
