#include "app/CommandLine.h"

#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString Usage = u"Aufruf: tambolino [Optionen]"_s;
const QString Data = QStringLiteral(TAMBOLINO_DATA_DIR);

// Exit code -1: the program opens its window. With a usage error the text is the problem, told
// on the error channel; otherwise it is the first line of the output.
void row(const char* name, const QStringList& arguments, int exitCode, const QString& text = {})
{
    const bool usage = exitCode == CommandLine::UsageError;
    QTest::newRow(name) << arguments << exitCode << (usage ? QString() : text)
                        << (usage ? u"tambolino: %1\n„tambolino --help“ zeigt die möglichen "
                                    u"Optionen.\n"_s.arg(text)
                                  : QString());
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
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // first line
    QTest::addColumn<QString>("errors");
    row("none", {}, -1);
    row("-help before version", { u"--version"_s, u"-help"_s }, 0, Usage);
    row("-v", { u"-v"_s }, 0, QStringLiteral("Tambolino " TAMBOLINO_VERSION));
    row("unknown short, as written", { u"-x"_s }, 2, u"Unbekannte Option „-x“."_s);
    row("unknown with a value beats help", { u"--help"_s, u"--farbe=rot"_s }, 2,
        u"Unbekannte Option „--farbe“."_s);
    row("argument", { u"kind.tbo"_s }, 2, u"Unerwartetes Argument „kind.tbo“."_s);
    row("Qt's options pass on",
        { u"-platform"_s, u"offscreen"_s, u"-reverse"_s, u"-session"_s, u"1a2b"_s,
            u"--style=fusion"_s },
        -1);
    row("Qt's option without its value", { u"-platform"_s }, 2,
        u"Die Befehlszeile ist ungültig."_s);
    row("check, a shipped file", { u"--pruefen"_s, Data + u"/Division.txt"_s }, 0,
        Data
            + u"/Division.txt:1: Hinweis: Gelesen als ASCII (ohne Umlaute, in Windows-1252 und "
              u"UTF-8 gleich), mit Zeilenenden CR LF (Windows)."_s);
    row("check, a missing file", { u"--check"_s, u"fehlt/Wortraten.txt"_s }, 1,
        u"fehlt/Wortraten.txt: Fehler: Die Datei wurde nicht gefunden."_s);
    row("check with an unknown option", { u"--check"_s, u"-x"_s }, 2, u"Unbekannte Option „-x“."_s);
    row("a report's option alone", { u"--klasse"_s, u"3b"_s }, 2,
        u"„--klasse“ gilt nur mit „--bericht“."_s);
    row("report since no date", { u"--bericht"_s, u"--seit"_s, u"2026-02-30"_s }, 2,
        u"„2026-02-30“ ist kein Datum (JJJJ-MM-TT)."_s);
    row("report, an argument", { u"--bericht"_s, u"3b"_s }, 2, u"Unerwartetes Argument „3b“."_s);
}

void TestCommandLine::answer()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, errors);
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
