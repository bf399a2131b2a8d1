#include "app/TaskFileCheck.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// A teacher's task file: every mistake the check names, with its line, and a clean file of
// every layout.
class TestTaskFileCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void report_data();
    void report();
};

namespace {
const QString Cp1252
    = u"1: Hinweis: Gelesen als Windows-1252, mit Zeilenenden CR LF (Windows).\n"_s;
const QString Utf8 = u"1: Hinweis: Gelesen als UTF-8, mit Zeilenenden nur LF (Linux, macOS).\n"_s;
const QString Ascii = u"1: Hinweis: Gelesen als ASCII (ohne Umlaute, in Windows-1252 und UTF-8 "
                      u"gleich), mit Zeilenenden nur LF (Linux, macOS).\n"_s;
} // namespace

void TestTaskFileCheck::report_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("report"); // "FILE:" stands before every line
    QTest::addColumn<bool>("errors");

    QTest::newRow("typing text") << u"Abschreibuebungen.txt"_s
                                 << QByteArray("Der B\xE4r brummt.\r\nDie Maus piept!\r\n")
                                 << Cp1252 + u" 2 Aufgaben, keine Fehler"_s << false;
    QTest::newRow("puzzle words") << u"Wortpuzzle.txt"_s << QByteArray("Hut\nSchneemann\n")
                                  << Ascii + u" 2 Aufgaben, keine Fehler"_s << false;
    QTest::newRow("fill-in, a gap at the start")
        << u"Einsetzuebungen.txt"_s << QByteArray("\nW\nir gehen.\nDie Sch\n\xC3\xBC\nssel\n")
        << Utf8 + u" 2 Aufgaben, keine Fehler"_s << false;
    QTest::newRow("verb forms") << u"Beugungen.txt"_s
                                << QByteArray("gehen\ngehe\ngehst\ngeht\ngehen\ngeht\ngehen\n")
                                << Ascii + u" 1 Aufgabe, keine Fehler"_s << false;
    QTest::newRow("arithmetic: precedence, dashes, a negative result")
        << u"Kettenaufgaben.txt"_s
        << QByteArray("3 + 4 \xC2\xB7 2 \xE2\x80\x93 1 =\n10\n20 : 4 \xE2\x88\x92 6 =\n-1\n")
        << Utf8 + u" 2 Aufgaben, keine Fehler"_s << false;

    QTest::newRow("incomplete task")
        << u"Wortpaare.txt"_s << QByteArray("H\xE4nsel und\r\nGretel\r\nMax und\r\n")
        << Cp1252
            + u"3: Fehler: Aufgabe 2 ist unvollständig: Jede Aufgabe besteht aus 2 Zeilen, aber "
              u"Zeile 3 bildet nur einen Teil einer Aufgabe. Vermutlich fehlt irgendwo eine "
              u"Zeile oder es steht eine zu viel darin.\n 1 Aufgabe, 1 Fehler"_s
        << true;
    QTest::newRow("empty answer") << u"Verkleinerungen.txt"_s << QByteArray("B\xE4r\r\n\r\n")
                                  << Cp1252
            + u"2: Fehler: Die Zeile ist leer; hier muss eine Antwort stehen.\n 1 Aufgabe, 1 Fehler"_s
                                  << true;
    QTest::newRow("typographic quote")
        << u"Abschreibuebungen.txt"_s << QByteArray("Sie ruft: \"Hallo\x93\r\n")
        << Cp1252
            + u"1: Fehler: Zeichen 17: Das typografische Anführungszeichen “ kann ein Kind nicht "
              u"tippen; \" oder ' nehmen.\n 1 Aufgabe, 1 Fehler"_s
        << true;
    QTest::newRow("dash in an answer")
        << u"Kopfrechnen.txt"_s << QByteArray("3 \x96 5 =\r\n\x96\x32\r\n")
        << Cp1252
            + u"2: Fehler: Zeichen 1: Den langen Strich – kann ein Kind nicht tippen; den "
              u"Bindestrich - nehmen.\n 1 Aufgabe, 1 Fehler"_s
        << true;
    QTest::newRow("tab in a riddle") << u"Wortraten.txt"_s
                                     << QByteArray("Ich hei\xDF"
                                                   "e\tBello.\r\nHund\r\n")
                                     << Cp1252
            + u"1: Fehler: Zeichen 10: Ein Tabulator; ein Leerzeichen nehmen.\n 1 Aufgabe, 1 Fehler"_s
                                     << true;
    QTest::newRow("LF inside a CR LF file")
        << u"Verkleinerungen.txt"_s << QByteArray("Haus\r\nMaus\nM\xE4uschen\r\n")
        << Cp1252
            + u"2: Fehler: Zeichen 5: Hier endet eine Zeile nur mit LF, die übrigen mit CR; das "
              u"Programm liest hier keine neue Zeile. Die Datei mit einheitlichen Zeilenenden "
              u"speichern.\n 1 Aufgabe, 1 Fehler"_s
        << true;
    QTest::newRow("puzzle word of 12") << u"Wortpuzzle.txt"_s << QByteArray("Regenschirme\n")
                                       << Ascii
            + u"1: Fehler: „Regenschirme“ hat 12 Zeichen, ein Wort im Wortpuzzle höchstens 10.\n 1 Aufgabe, 1 Fehler"_s
                                       << true;
    QTest::newRow("puzzle word with a percent sign")
        << u"Wortpuzzle.txt"_s << QByteArray("Rabatt%1Euro\n")
        << Ascii
            + u"1: Fehler: „Rabatt%1Euro“ hat 12 Zeichen, ein Wort im Wortpuzzle höchstens 10.\n 1 Aufgabe, 1 Fehler"_s
        << true;
    QTest::newRow("typing text too long")
        << u"Abschreibuebungen.txt"_s << QByteArray("Ja ja").repeated(60).append("\n")
        << Ascii
            + u"1: Fehler: Der Text ist zu lang für den Bildschirm: Er passt auch in der "
              u"kleinsten Schrift nicht in 5 Zeilen zu 57 Zeichen.\n 1 Aufgabe, 1 Fehler"_s
        << true;
    QTest::newRow("wrong result") << u"Malfolgen.txt"_s << QByteArray("7 \xB7 8 =\r\n54\r\n")
                                  << Cp1252
            + u"2: Fehler: Falsches Ergebnis: „7 · 8 =“ ergibt 56, nicht 54.\n 1 Aufgabe, 1 Fehler"_s
                                  << true;
    QTest::newRow("result no plain number") << u"Division.txt"_s << QByteArray("12 : 4 =\n03\n")
                                            << Ascii
            + u"2: Fehler: „03“ ist keine einfache Zahl: nur Ziffern, eine negative mit - "
              u"davor.\n 1 Aufgabe, 1 Fehler"_s
                                            << true;
    QTest::newRow("question without a value") << u"Division.txt"_s << QByteArray("5 : 0 =\n0\n")
                                              << Ascii
            + u"1: Fehler: „5 : 0 =“ lässt sich nicht ausrechnen: Die Aufgabe teilt durch "
              u"null.\n 1 Aufgabe, 1 Fehler"_s << true;
    QTest::newRow("repeated prompt")
        << u"Wortpaare.txt"_s << QByteArray("Tag und\nNacht\nTag und\nNacht\n")
        << Ascii
            + u"3: Warnung: Diese Aufgabe steht schon in Zeile 1; sie kommt so zweimal dran, "
              u"womöglich direkt hintereinander.\n 2 Aufgaben, keine Fehler, 1 Warnung"_s
        << false;
    QTest::newRow("blank after the last answer")
        << u"Zeitformen.txt"_s
        << QByteArray("ich laufe\nich werde laufen\nich werde gelaufen sein\nich bin "
                      "gelaufen\nich lief\nich war gelaufen \n")
        << Ascii
            + u"6: Warnung: Leerzeichen am Anfang oder Ende: Das Kind muss es mittippen, sieht "
              u"es aber nicht.\n 1 Aufgabe, keine Fehler, 1 Warnung"_s
        << false;
    QTest::newRow("byte Windows-1252 does not know")
        << u"Wortraten.txt"_s << QByteArray("Ich belle\x81\r\nHund\r\n")
        << Cp1252
            + u"1: Fehler: Zeichen 10: Das Byte 0x81 ist weder UTF-8 noch ein Zeichen in "
              u"Windows-1252.\n 1 Aufgabe, 1 Fehler"_s
        << true;
    QTest::newRow("UTF-8 inside Windows-1252")
        << u"Abschreibuebungen.txt"_s << QByteArray("Gr\xC3\xBC\xDF Gott.\r\n")
        << Cp1252
            + u"1: Fehler: Zeichen 3: „Ã¼“ ist ein „ü“ in UTF-8, die übrige Datei ist aber "
              u"Windows-1252. Die Datei ganz als UTF-8 oder ganz als Windows-1252 "
              u"speichern.\n 1 Aufgabe, 1 Fehler"_s
        << true;
    QTest::newRow("UTF-16")
        << u"Wortpuzzle.txt"_s << QByteArray("\xFF\xFEH\0u\0t\0\r\0\n\0", 12)
        << u"1: Hinweis: Gelesen als Windows-1252, mit Zeilenenden nur CR "
           u"(altes Mac OS).\n1: Fehler: Die Datei enthält Nullbytes: Vermutlich "
           u"ist sie als UTF-16 („Unicode“) gespeichert. Sie als UTF-8 oder "
           u"Windows-1252 (ANSI) speichern.\n 0 Aufgaben, 1 Fehler"_s
        << true;
    QTest::newRow("empty file") << u"Wortpuzzle.txt"_s << QByteArray()
                                << u" Fehler: Die Datei ist leer.\n 0 Aufgaben, 1 Fehler"_s << true;
    QTest::newRow("unknown name") << u"kopfrechnen.txt"_s << QByteArray("1 + 1 =\n2\n")
                                  << u" unbekannte Datei, nicht geprüft; Tambolino liest nur "
                                     u"„Kopfrechnen.txt“"_s
                                  << false;
}

void TestTaskFileCheck::report()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, report);
    QFETCH(bool, errors);
    QTemporaryDir dir;
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();

    // Named as given, relative ones too: "FILE:LINE:" opens in an editor.
    QVERIFY(QDir::setCurrent(dir.path()));
    const TaskFileCheck::Outcome outcome = TaskFileCheck::run({ name }, QString());
    QStringList lines = report.split(u'\n');
    for (QString& line : lines)
        line.prepend(name + u':');
    QCOMPARE(outcome.output, lines.join(u'\n') + u'\n');
    QCOMPARE(outcome.errors, errors);
}

QTEST_GUILESS_MAIN(TestTaskFileCheck)
#include "tst_taskfilecheck.moc"
