#include "app/TaskFileCheck.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

// A teacher's task file: every mistake the check names, with its line, and clean files.
class TestTaskFileCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void report_data();
    void report();
    void largeFile_data();
    void largeFile();
};

namespace {
const QString Cp1252
    = u"1: Hinweis: Gelesen als Windows-1252, mit Zeilenenden CR LF (Windows).\n"_s;
const QString Utf8 = u"1: Hinweis: Gelesen als UTF-8, mit Zeilenenden nur LF (Linux, macOS).\n"_s;
const QString Ascii = u"1: Hinweis: Gelesen als ASCII (ohne Umlaute, in Windows-1252 und UTF-8 "
                      u"gleich), mit Zeilenenden nur LF (Linux, macOS).\n"_s;
const QString OneError = u"\n 1 Aufgabe, 1 Fehler"_s;
const QString TwoErrors = u"\n 2 Aufgaben, 2 Fehler"_s;

// "FILE:" stands before every line of the report.
void row(const char* name, const QString& file, const QByteArray& bytes, const QString& report)
{
    QTest::newRow(name) << file << bytes << report;
}
} // namespace

void TestTaskFileCheck::report_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("report");
    row("fill-in, a gap at the start", u"Einsetzuebungen.txt"_s,
        "\nW\nir gehen.\nDie Sch\n\xC3\xBC\nssel\n", Utf8 + u" 2 Aufgaben, keine Fehler"_s);
    row("arithmetic: precedence, dashes, a negative result", u"Kettenaufgaben.txt"_s,
        "3 + 4 \xC2\xB7 2 \xE2\x80\x93 1 =\n10\n20 : 4 \xE2\x88\x92 6 =\n-1\n",
        Utf8 + u" 2 Aufgaben, keine Fehler"_s);
    row("incomplete task", u"Wortpaare.txt"_s, "H\xE4nsel und\r\nGretel\r\nMax und\r\n",
        Cp1252
            + u"3: Fehler: Aufgabe 2 ist unvollständig: Jede Aufgabe besteht aus 2 Zeilen, aber "
              u"Zeile 3 bildet nur einen Teil einer Aufgabe. Vermutlich fehlt irgendwo eine "
              u"Zeile oder es steht eine zu viel darin."_s
            + OneError);
    row("LF inside a CR LF file, empty answer", u"Verkleinerungen.txt"_s,
        "Haus\r\nMaus\nM\xE4uschen\r\nB\xE4r\r\n\r\n",
        Cp1252
            + u"2: Fehler: Zeichen 5: Hier endet eine Zeile nur mit LF, die übrigen mit CR; das "
              u"Programm liest hier keine neue Zeile. Die Datei mit einheitlichen Zeilenenden "
              u"speichern.\n4: Fehler: Die Zeile ist leer; hier muss eine Antwort stehen."_s
            + TwoErrors);
    row("typographic quote, UTF-8 inside Windows-1252", u"Abschreibuebungen.txt"_s,
        "Sie ruft: \"Hallo\x93\r\nGr\xC3\xBC\xDF Gott.\r\n",
        Cp1252
            + u"1: Fehler: Zeichen 17: Das typografische Anführungszeichen “ kann ein Kind nicht "
              u"tippen; \" oder ' nehmen.\n2: Fehler: Zeichen 3: „Ã¼“ ist ein „ü“ in UTF-8, die "
              u"übrige Datei ist aber Windows-1252. Die Datei ganz als UTF-8 oder ganz als "
              u"Windows-1252 speichern."_s
            + TwoErrors);
    row("dash in an answer", u"Kopfrechnen.txt"_s, "3 \x96 5 =\r\n\x96\x32\r\n",
        Cp1252
            + u"2: Fehler: Zeichen 1: Den langen Strich – kann ein Kind nicht tippen; den "
              u"Bindestrich - nehmen."_s
            + OneError);
    row("tab, a byte Windows-1252 does not know", u"Wortraten.txt"_s,
        "Ich hei\xDF"
        "e\tBello.\r\nHund\r\nIch belle\x81\r\nHund\r\n",
        Cp1252
            + u"1: Fehler: Zeichen 10: Ein Tabulator; ein Leerzeichen nehmen.\n3: Fehler: Zeichen "
              u"10: Das Byte 0x81 ist weder UTF-8 noch ein Zeichen in Windows-1252."_s
            + TwoErrors);
    row("puzzle word with a percent sign", u"Wortpuzzle.txt"_s, "Rabatt%1Euro\n",
        Ascii + u"1: Fehler: „Rabatt%1Euro“ hat 12 Zeichen, ein Wort im Wortpuzzle höchstens 10."_s
            + OneError);
    row("typing text too long", u"Abschreibuebungen.txt"_s,
        QByteArray("Ja ja").repeated(60).append("\n"),
        Ascii
            + u"1: Fehler: Der Text ist zu lang für den Bildschirm: Er passt auch in der "
              u"kleinsten Schrift nicht in 5 Zeilen zu 57 Zeichen."_s
            + OneError);
    row("wrong result", u"Malfolgen.txt"_s, "7 \xB7 8 =\r\n54\r\n",
        Cp1252 + u"2: Fehler: Falsches Ergebnis: „7 · 8 =“ ergibt 56, nicht 54."_s + OneError);
    row("no plain number, no value", u"Division.txt"_s, "12 : 4 =\n03\n5 : 0 =\n0\n",
        Ascii
            + u"2: Fehler: „03“ ist keine einfache Zahl: nur Ziffern, eine negative mit - davor.\n"
              u"3: Fehler: „5 : 0 =“ lässt sich nicht ausrechnen: Die Aufgabe teilt durch null."_s
            + TwoErrors);
    row("repeated prompt, blank after the last answer", u"Wortpaare.txt"_s,
        "Tag und\nNacht\nTag und\nNacht \n",
        Ascii
            + u"3: Warnung: Diese Aufgabe steht schon in Zeile 1; sie kommt so zweimal dran, "
              u"womöglich direkt hintereinander.\n4: Warnung: Leerzeichen am Anfang oder Ende: "
              u"Das Kind muss es mittippen, sieht es aber nicht.\n 2 Aufgaben, keine Fehler, "
              u"2 Warnungen"_s);
    row("UTF-16", u"Wortpuzzle.txt"_s, QByteArray("\xFF\xFEH\0u\0t\0\r\0\n\0", 12),
        u"1: Hinweis: Gelesen als Windows-1252, mit Zeilenenden nur CR (altes Mac OS).\n1: "
        u"Fehler: Die Datei enthält Nullbytes: Vermutlich ist sie als UTF-16 („Unicode“) "
        u"gespeichert. Sie als UTF-8 oder Windows-1252 (ANSI) speichern.\n 0 Aufgaben, 1 Fehler"_s);
    row("empty file", u"Wortpuzzle.txt"_s, "",
        u" Fehler: Die Datei ist leer.\n 0 Aufgaben, 1 Fehler"_s);
    row("unknown name", u"kopfrechnen.txt"_s, "1 + 1 =\n2\n",
        u" unbekannte Datei, nicht geprüft; Tambolino liest nur „Kopfrechnen.txt“"_s);
    // Added out of line order: the incomplete task first, the repeat after its answer.
    QString listed = Ascii
        + u"3: Warnung: Diese Aufgabe steht schon in Zeile 1; sie kommt so zweimal dran, womöglich "
          u"direkt hintereinander.\n"_s;
    for (int column = 1; column <= 98; ++column)
        listed += u"4: Fehler: Zeichen %1: „@“ braucht die Taste AltGr.\n"_s.arg(column);
    row("a hundred findings listed, the first by line", u"Wortraten.txt"_s,
        "Ich belle.\nHund\nIch belle.\n" + QByteArray(250, '@') + "\nRest\n",
        listed + u" ... und 153 weitere Fehler\n 2 Aufgaben, 251 Fehler, 1 Warnung"_s);
    row("long line quoted by its start, not inside a character", u"Wortpuzzle.txt"_s,
        QByteArray(76, 'A') + "\xF0\x9F\x98\x80" + QByteArray(10, 'B') + '\n',
        Utf8 + u"1: Fehler: „"_s + QString(76, u'A')
            + u"...“ hat 88 Zeichen, ein Wort im Wortpuzzle höchstens 10."_s + OneError);
}

void TestTaskFileCheck::report()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, report);
    QTemporaryDir dir;
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    // Named as given, relative ones too: "FILE:LINE:" opens in an editor.
    QVERIFY(QDir::setCurrent(dir.path()));
    const TaskFileCheck::Outcome outcome = TaskFileCheck::run({ name }, QString());
    QCOMPARE(outcome.output,
        name + u':' + QString(report).replace(u"\n"_s, u'\n' + name + u':') + u'\n');
    QCOMPARE(outcome.errors, report.contains(u"Fehler:"_s));
}

void TestTaskFileCheck::largeFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("lines"); // of one task, each of "@" up to 4 MiB in all
    QTest::newRow("typing") << u"Abschreibuebungen.txt"_s << 1;
    QTest::newRow("word puzzle") << u"Wortpuzzle.txt"_s << 1;
    QTest::newRow("word pairs") << u"Wortpaare.txt"_s << 2;
    QTest::newRow("fill-in") << u"Einsetzuebungen.txt"_s << 3;
    QTest::newRow("verb forms") << u"Beugungen.txt"_s << 7;
}

// The largest file read, every character a finding: a short report, in time and memory that
// grow with the file alone.
void TestTaskFileCheck::largeFile()
{
    QFETCH(QString, name);
    QFETCH(int, lines);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    const QByteArray line = QByteArray((4 * 1024 * 1024) / lines - 1, '@') + '\n';
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(line.repeated(lines)) > 0);
    file.close();
    rusage before {};
    getrusage(RUSAGE_SELF, &before);
    QElapsedTimer timer;
    timer.start();
    const TaskFileCheck::Outcome outcome = TaskFileCheck::run({ path }, QString());
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    rusage after {};
    getrusage(RUSAGE_SELF, &after);
    QVERIFY2(after.ru_maxrss - before.ru_maxrss < 200 * 1024,
        qPrintable(QString::number(after.ru_maxrss - before.ru_maxrss)));
    const QStringList output = outcome.output.split(u'\n', Qt::SkipEmptyParts);
    QVERIFY(output.size() <= TaskFileCheck::MaxListed + 2);
    for (const QString& shown : output)
        QVERIFY2(shown.size() < path.size() + 200, qPrintable(shown.left(300)));
    QVERIFY(outcome.errors);
}

QTEST_GUILESS_MAIN(TestTaskFileCheck)
#include "tst_taskfilecheck.moc"
