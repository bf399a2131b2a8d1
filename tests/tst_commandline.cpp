#include "app/CommandLine.h"

#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QString firstLine(const QString& text)
{
    return text.section(QLatin1Char('\n'), 0, 0);
}

const QString Usage = u"Aufruf: tambolino [Optionen]"_s;
const QString Version = QStringLiteral("Tambolino " TAMBOLINO_VERSION);
constexpr int OpensWindow = -1;
} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answer_data();
    void answer();
    void program_data();
    void program();
};

void TestCommandLine::answer_data()
{
    QTest::addColumn<QStringList>("arguments"); // after the program's name
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // first line
    QTest::addColumn<QString>("errors"); // first line
    QTest::newRow("none") << QStringList() << OpensWindow << ""
                          << "";
    QTest::newRow("-h") << QStringList { u"-h"_s } << 0 << Usage << "";
    QTest::newRow("--help") << QStringList { u"--help"_s } << 0 << Usage << "";
    QTest::newRow("-help") << QStringList { u"-help"_s } << 0 << Usage << "";
    QTest::newRow("-v") << QStringList { u"-v"_s } << 0 << Version << "";
    QTest::newRow("--version") << QStringList { u"--version"_s } << 0 << Version << "";
    QTest::newRow("help before version")
        << QStringList { u"--version"_s, u"--help"_s } << 0 << Usage << "";
    QTest::newRow("unknown long") << QStringList { u"--gibtsnicht"_s } << 2 << ""
                                  << "tambolino: Unbekannte Option „--gibtsnicht“.";
    QTest::newRow("unknown short, as written") << QStringList { u"-x"_s } << 2 << ""
                                               << "tambolino: Unbekannte Option „-x“.";
    QTest::newRow("unknown with value") << QStringList { u"--farbe=rot"_s } << 2 << ""
                                        << "tambolino: Unbekannte Option „--farbe“.";
    QTest::newRow("unknown beats help") << QStringList { u"--help"_s, u"--gibtsnicht"_s } << 2 << ""
                                        << "tambolino: Unbekannte Option „--gibtsnicht“.";
    QTest::newRow("argument") << QStringList { u"kind.tbo"_s } << 2 << ""
                              << "tambolino: Unerwartetes Argument „kind.tbo“.";
    QTest::newRow("value to a switch") << QStringList { u"--help=ja"_s } << 2 << ""
                                       << "tambolino: Die Befehlszeile ist ungültig.";
    QTest::newRow("Qt's options pass on") << QStringList { u"-platform"_s, u"offscreen"_s,
        u"-reverse"_s, u"-session"_s, u"1a2b"_s, u"--style=fusion"_s }
                                          << OpensWindow << ""
                                          << "";
    QTest::newRow("check, the shipped files")
        << QStringList { u"--pruefen"_s, QStringLiteral(TAMBOLINO_DATA_DIR "/Division.txt") } << 0
        << QStringLiteral(TAMBOLINO_DATA_DIR "/Division.txt:1: Hinweis: Gelesen als ASCII (ohne "
                                             "Umlaute, in Windows-1252 und UTF-8 gleich), mit "
                                             "Zeilenenden CR LF (Windows).")
        << "";
    QTest::newRow("check, a missing file")
        << QStringList { u"--check"_s, u"fehlt/Wortraten.txt"_s } << 1
        << "fehlt/Wortraten.txt: Fehler: Die Datei wurde nicht gefunden."
        << "";
    QTest::newRow("check with an unknown option")
        << QStringList { u"--check"_s, u"-x"_s } << 2 << ""
        << "tambolino: Unbekannte Option „-x“.";
    QTest::newRow("Qt's option without its value") << QStringList { u"-platform"_s } << 2 << ""
                                                   << "tambolino: Die Befehlszeile ist ungültig.";
}

void TestCommandLine::answer()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, errors);
    arguments.prepend(u"/usr/lib/tambolino/tambolino"_s);
    const CommandLine::Answer answer
        = CommandLine::answer(arguments, [] { return QStringLiteral(TAMBOLINO_DATA_DIR); });
    QCOMPARE(answer.exitCode.value_or(OpensWindow), exitCode);
    QCOMPARE(firstLine(answer.output), output);
    QCOMPARE(firstLine(answer.errors), errors);
    if (exitCode == CommandLine::UsageError)
        QCOMPARE(answer.errors.section(QLatin1Char('\n'), 1),
            u"„tambolino --help“ zeigt die möglichen Optionen.\n"_s);
}

void TestCommandLine::program_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // last line
    QTest::addColumn<QString>("errors"); // first line
    QTest::newRow("help") << u"--help"_s << 0 << "Datei einen Fehler enthält, sonst mit 1."
                          << "";
    QTest::newRow("version") << u"--version"_s << 0 << Version << "";
    QTest::newRow("unknown") << u"--gibtsnicht"_s << 2 << ""
                             << "tambolino: Unbekannte Option „--gibtsnicht“.";
    // The task files beside the executable, as the exercises find them.
    QTest::newRow("check") << u"--check"_s << 0 << "/Division.txt: 100 Aufgaben, keine Fehler"
                           << "";
}

// The real program answers without a display: with none to be had, opening one would abort it.
void TestCommandLine::program()
{
    QFETCH(QString, option);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, errors);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : { u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s })
        environment.remove(name);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TAMBOLINO_EXE), { option });
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    QCOMPARE(
        QString::fromUtf8(program.readAllStandardOutput()).trimmed().right(output.size()), output);
    QCOMPARE(firstLine(QString::fromUtf8(program.readAllStandardError())), errors);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
