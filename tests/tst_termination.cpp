#include "core/ScoreStore.h"
#include "platform/SettingsStore.h"
#include "platform/SingleInstance.h"
#include "support/TestSupport.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <csignal>

using namespace Qt::StringLiterals;

namespace {
// Whether the process handles SIGTERM yet (Linux: the SigCgt mask).
bool catchesSigterm(qint64 pid)
{
    const QByteArray status = readFile(u"/proc/%1/status"_s.arg(pid));
    const QByteArray mask = status.mid(status.indexOf("SigCgt:") + 7, 17).trimmed();
    return (mask.toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1U;
}

void signal(const QProcess& process, int number)
{
    ::kill(static_cast<pid_t>(process.processId()), number);
}
} // namespace

// Real processes: the program ended by signals or started twice, and saving killed midway.
class TestTermination : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void sigtermSavesScores();
    void killDuringSaveLeavesOneGeneration();
    void onlyOneCopyRuns();

private:
    // Started, with the termination handler in place; false when it never got there.
    bool startProgram(QProcess& program) const;

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

bool TestTermination::startProgram(QProcess& program) const
{
    program.start(QStringLiteral(TAMBOLINO_EXE), {});
    if (!program.waitForStarted())
        return false;
    const QDeadlineTimer deadline(20000);
    while (!catchesSigterm(program.processId()) && program.state() == QProcess::Running
        && !deadline.hasExpired())
        QTest::qWait(10);
    return program.state() == QProcess::Running && catchesSigterm(program.processId());
}

void TestTermination::sigtermSavesScores()
{
    const QString store = m_config.filePath(u"Tambolino/Tambolino.conf"_s);
    // Read as 8 and written back as "8": only a save changes it.
    QSettings(store, QSettings::IniFormat).setValue(u"Punktestaende/Kopfrechnen"_s, u"7.5"_s);
    QProcess program;
    QVERIFY(startProgram(program));

    signal(program, SIGTERM);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QSettings saved(store, QSettings::IniFormat);
    QCOMPARE(saved.value(u"Punktestaende/Kopfrechnen"_s).toString(), u"8"_s);
    QCOMPARE(saved.value(u"Punktestaende/Division"_s).toString(), u"0"_s);
}

void TestTermination::killDuringSaveLeavesOneGeneration()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Tambolino.conf"_s);
    const QtSettingsStore store(path);
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    qint32 before = 0;
    for (int run = 0; run < 25; ++run) {
        QProcess writer;
        writer.start(QStringLiteral(STOREWRITER_EXE), { path });
        QVERIFY(writer.waitForStarted());
        if (run == 0)
            QTRY_VERIFY_WITH_TIMEOUT(ScoreStore::load(store)(1) > 0, 20000);
        QThread::usleep(random.bounded(40000));
        signal(writer, SIGKILL);
        QVERIFY(writer.waitForFinished());

        // All twelve from one save, never older than before; a lock left by the killed writer
        // does not stop the next one.
        const Scores after = ScoreStore::load(store);
        for (int k = 2; k <= ExerciseCount; ++k)
            QVERIFY2(after(k) == after(1), qPrintable(u"seed %1, run %2"_s.arg(seed).arg(run)));
        QVERIFY(after(1) >= before);
        before = after(1);
    }
    QVERIFY(!QFileInfo::exists(path + u".beschaedigt"_s));
}

void TestTermination::onlyOneCopyRuns()
{
    QProcess first;
    QVERIFY(startProgram(first));
    QProcess second;
    second.start(QStringLiteral(TAMBOLINO_EXE), {});
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(first.state(), QProcess::Running);

    // A killed copy stops no later start.
    signal(first, SIGKILL);
    QVERIFY(first.waitForFinished());
    QProcess third;
    QVERIFY(startProgram(third));
    signal(third, SIGTERM);
    QVERIFY(third.waitForFinished(20000));
    QCOMPARE(third.exitStatus(), QProcess::NormalExit);

    // The running copy hears of the later start.
    SingleInstance running(m_runtime.path());
    QVERIFY(running.claim());
    QSignalSpy activated(&running, &SingleInstance::activationRequested);
    QProcess fourth;
    fourth.start(QStringLiteral(TAMBOLINO_EXE), {});
    QTRY_COMPARE_WITH_TIMEOUT(activated.size(), 1, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(fourth.state(), QProcess::NotRunning, 20000);
    QCOMPARE(fourth.exitStatus(), QProcess::NormalExit);
    QCOMPARE(fourth.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestTermination)
#include "tst_termination.moc"
