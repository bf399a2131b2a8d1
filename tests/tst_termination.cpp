#include "support/TestSupport.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
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
} // namespace

// The real program, ended by SIGTERM, saves through its ordinary closing.
class TestTermination : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sigtermSavesScores();
};

void TestTermination::sigtermSavesScores()
{
    QTemporaryDir config;
    const QString store = config.filePath(u"Tambolino/Tambolino.conf"_s);
    // Read as 8 and written back as "8": only a save changes it.
    QSettings(store, QSettings::IniFormat).setValue(u"Punktestaende/Kopfrechnen"_s, u"7.5"_s);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QProcess program;
    program.start(QStringLiteral(TAMBOLINO_EXE), {});
    QVERIFY(program.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(catchesSigterm(program.processId()), 20000);

    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QSettings saved(store, QSettings::IniFormat);
    QCOMPARE(saved.value(u"Punktestaende/Kopfrechnen"_s).toString(), u"8"_s);
    QCOMPARE(saved.value(u"Punktestaende/Division"_s).toString(), u"0"_s);
}

QTEST_GUILESS_MAIN(TestTermination)
#include "tst_termination.moc"
