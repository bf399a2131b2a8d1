#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

using namespace Qt::StringLiterals;

namespace {
// Whether the process has a handler for the signal (Linux: the SigCgt mask).
bool catches(qint64 pid, int signalNumber)
{
    QFile status(u"/proc/%1/status"_s.arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signalNumber - 1)) & 1U;
    }
    return false;
}
} // namespace

// The real program, ended by a signal, saves through its ordinary closing.
class TestTermination : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void signalSavesScores_data();
    void signalSavesScores();
};

void TestTermination::signalSavesScores_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGHUP") << SIGHUP;
    QTest::newRow("SIGINT") << SIGINT;
}

void TestTermination::signalSavesScores()
{
    QFETCH(int, signalNumber);
    QTemporaryDir config;
    const QString store = config.filePath(u"Tambolino/Tambolino.conf"_s);
    {
        // Stored in forms the program reads but never writes, so that a save shows.
        QSettings seed(store, QSettings::IniFormat);
        seed.setValue(u"Punktestaende/Abtippuebungen"_s, u"  42abc"_s);
        seed.setValue(u"Punktestaende/Kopfrechnen"_s, u"7.5"_s);
        seed.setValue(u"Punktestaende/Division"_s, u"-20"_s);
    }
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"XDG_CONFIG_HOME"_s, config.path());
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(QStringLiteral(TAMBOLINO_EXE), {});
    QVERIFY(program.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(catches(program.processId(), signalNumber), 20000);

    ::kill(static_cast<pid_t>(program.processId()), signalNumber);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);

    QSettings saved(store, QSettings::IniFormat);
    saved.beginGroup(u"Punktestaende"_s);
    QCOMPARE(saved.childKeys().size(), 12);
    QCOMPARE(saved.value(u"Abtippuebungen"_s).toString(), u"42"_s);
    QCOMPARE(saved.value(u"Kopfrechnen"_s).toString(), u"8"_s);
    QCOMPARE(saved.value(u"Division"_s).toString(), u"-20"_s);
    QCOMPARE(saved.value(u"Wortpuzzle"_s).toString(), u"0"_s);
}

QTEST_GUILESS_MAIN(TestTermination)
#include "tst_termination.moc"
