#include "app/CommandLine.h"

#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString Usage = u"Aufruf: tambolino [Optionen]"_s;
const QString Version = QStringLiteral("Tambolino " TAMBOLINO_VERSION);

const QString Data = QStringLiteral(TAMBOLINO_DATA_DIR);

// Neither output nor a problem: the program opens its window. A problem ends it with 2.
void row(const char* name, const QStringList& arguments, const QString& output,
    const QString& problem = {}, int exitCode = 0)
{
    const QString hint = u"„tambolino --help“ zeigt die möglichen Optionen."_s;
    const int code = !problem.isEmpty() ? CommandLine::UsageError
        : output.isEmpty()              ? -1
                                        : exitCode;
    QTest::newRow(name) << arguments << output
                        << (problem.isEmpty() ? problem
                                              : u"tambolino: %1\n%2\n"_s.arg(problem, hint))
                        << code;
}
} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answer_data();
    void answer();
};

void TestCommandLine::answer_data()
{
    QTest::addColumn<QStringList>("arguments"); // after the program's name
    QTest::addColumn<QString>("output"); // first line
    QTest::addColumn<QString>("errors");
    QTest::addColumn<int>("exitCode"); // -1: the window opens
    row("none", {}, {});
    row("-help", { u"-help"_s }, Usage);
    row("-v", { u"-v"_s }, Version);
    row("help before version", { u"--version"_s, u"--help"_s }, Usage);
    row("unknown short, as written", { u"-x"_s }, {}, u"Unbekannte Option „-x“."_s);
    row("unknown with a value beats help", { u"--help"_s, u"--farbe=rot"_s }, {},
        u"Unbekannte Option „--farbe“."_s);
    row("argument", { u"kind.tbo"_s }, {}, u"Unerwartetes Argument „kind.tbo“."_s);
    row("Qt's options pass on",
        { u"-platform"_s, u"offscreen"_s, u"-reverse"_s, u"-session"_s, u"1a2b"_s,
            u"--style=fusion"_s },
        {});
    row("Qt's option without its value", { u"-platform"_s }, {},
        u"Die Befehlszeile ist ungültig."_s);
    row("check, a shipped file", { u"--pruefen"_s, Data + u"/Division.txt"_s },
        Data
            + u"/Division.txt:1: Hinweis: Gelesen als ASCII (ohne Umlaute, in Windows-1252 und "
              u"UTF-8 gleich), mit Zeilenenden CR LF (Windows)."_s);
    row("check, a missing file", { u"--check"_s, u"fehlt/Wortraten.txt"_s },
        u"fehlt/Wortraten.txt: Fehler: Die Datei wurde nicht gefunden."_s, {}, 1);
    row("check with an unknown option", { u"--check"_s, u"-x"_s }, {},
        u"Unbekannte Option „-x“."_s);
}

void TestCommandLine::answer()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, output);
    QFETCH(QString, errors);
    QFETCH(int, exitCode);
    const CommandLine::Answer answer = CommandLine::answer(
        QStringList { u"/usr/lib/tambolino/tambolino"_s } + arguments, [] { return Data; });
    QCOMPARE(answer.exitCode.value_or(-1), exitCode);
    QCOMPARE(answer.output.section(u'\n', 0, 0), output);
    QCOMPARE(answer.errors, errors);
    if (exitCode < 0)
        return;

    // The real program answers alike without a display: with none to be had, opening one would
    // abort it.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : { u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s })
        environment.remove(name);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TAMBOLINO_EXE), arguments);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    QCOMPARE(QString::fromUtf8(program.readAllStandardOutput()), answer.output);
    QCOMPARE(QString::fromUtf8(program.readAllStandardError()), answer.errors);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
