#include "app/TaskFileCheck.h"
#include "core/ExerciseCatalogue.h"
#include "frame/TaskFile.h"

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
    void usableTasks_data();
    void usableTasks();
};

namespace {
const QString Cp1252 = u"1: Hinweis: Gelesen als Windows-1252, mit Zeilenenden CR LF…\n"_s;
const QString Utf8 = u"1: Hinweis: Gelesen als UTF-8, mit Zeilenenden nur LF…\n"_s;
const QString Ascii = u"1: Hinweis: Gelesen als ASCII…\n"_s;
const QString OneError = u"\n 1 Aufgabe, 1 Fehler"_s;
const QString TwoErrors = u"\n 2 Aufgaben, 2 Fehler"_s;

// "FILE:" stands before every line of the report; a line ending in "…" is the start of one.
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
        Cp1252 + u"3: Fehler: Aufgabe 2 ist unvollständig: Jede Aufgabe besteht aus 2 Zeilen, …"_s
            + OneError);
    row("LF inside a CR LF file, empty answer", u"Verkleinerungen.txt"_s,
        "Haus\r\nMaus\nM\xE4uschen\r\nB\xE4r\r\n\r\n",
        Cp1252
            + u"2: Fehler: Zeichen 5: Hier endet eine Zeile nur mit LF…\n4: Fehler: Die Zeile ist "
              u"leer; hier muss eine Antwort stehen."_s
            + TwoErrors);
    row("typographic quote, UTF-8 inside Windows-1252", u"Abschreibuebungen.txt"_s,
        "Sie ruft: \"Hallo\x93\r\nGr\xC3\xBC\xDF Gott.\r\n",
        Cp1252
            + u"1: Fehler: Zeichen 17: Das typografische Anführungszeichen “ kann…\n2: Fehler: "
              u"Zeichen 3: „Ã¼“ ist ein „ü“ in UTF-8, die übrige Datei ist aber Windows-1252.…"_s
            + TwoErrors);
    row("tab, a byte Windows-1252 does not know", u"Wortraten.txt"_s,
        "Ich hei\xDF"
        "e\tBello.\r\nHund\r\nIch belle\x81\r\nHund\r\n",
        Cp1252
            + u"1: Fehler: Zeichen 10: Ein Tabulator…\n3: Fehler: Zeichen 10: Das Byte 0x81 ist…"_s
            + TwoErrors);
    row("puzzle word with a percent sign", u"Wortpuzzle.txt"_s, "Rabatt%1Euro\n",
        Ascii + u"1: Fehler: „Rabatt%1Euro“ hat 12 Zeichen, ein Wort im Wortpuzzle höchstens 10."_s
            + OneError);
    row("wrong result", u"Malfolgen.txt"_s, "7 \xB7 8 =\r\n54\r\n",
        Cp1252 + u"2: Fehler: Falsches Ergebnis: „7 · 8 =“ ergibt 56, nicht 54."_s + OneError);
    row("no plain number, no value", u"Division.txt"_s, "12 : 4 =\n03\n5 : 0 =\n0\n",
        Ascii
            + u"2: Fehler: „03“ ist keine einfache Zahl…\n3: Fehler: „5 : 0 =“ lässt sich nicht "
              u"ausrechnen: Die Aufgabe teilt durch null."_s
            + TwoErrors);
    row("repeated prompt, blank after the last answer", u"Wortpaare.txt"_s,
        "Tag und\nNacht\nTag und\nNacht \n",
        Ascii
            + u"3: Warnung: Diese Aufgabe steht schon in Zeile 1…\n4: Warnung: Leerzeichen am "
              u"Anfang oder Ende…\n 2 Aufgaben, keine Fehler, 2 Warnungen"_s);
    row("UTF-16 without its byte-order mark", u"Wortpuzzle.txt"_s,
        QByteArray("H\0\xFC\0t\0\r\0\n\0", 10),
        u"1: Hinweis: Gelesen als Windows-1252, mit Zeilenenden nur CR…\n1: Fehler: Die Datei "
        u"enthält Nullbytes…\n 0 Aufgaben, 1 Fehler"_s);
    // Lines that fit their place on the screen only in a smaller font, or not at all.
    const QString fillIn = u"Am Sonntag fahren wir alle mit dem Zug zu O|m|a und Opa."_s;
    row("fill-in: no missing letters, a solution wider than its display", u"Einsetzuebungen.txt"_s,
        u"Die Sch||ssel|%1|"_s.arg(fillIn).replace(u'|', u'\n').toUtf8(),
        Ascii
            + u"2: Fehler: Die Zeile ist leer; hier müssen die fehlenden Buchstaben stehen.\n4: "
              u"Warnung: Die Lösung ist %1 Zeichen lang, die Lösungsanzeige fasst 40…\n 2 "
              u"Aufgaben, 1 Fehler, 1 Warnung"_s.arg(fillIn.size() - 2));
    row("pairs: a wrapped prompt, an answer without room", u"Wortpaare.txt"_s,
        "Schneewittchen und die sieben\nZwerge\nDas ist\n" + QByteArray(30, 'x') + "\n",
        Ascii + u"2: Warnung: Vorgabe und Antwort passen nicht in eine Zeile…\n4: Fehler: „"_s
            + QString(30, u'x')
            + u"“ ist zu lang für seinen Platz…\n 2 Aufgaben, 1 Fehler, "
              u"1 Warnung"_s);
    // A character no key types, in a line only shown: the exercise leaves the task out too.
    row("replacement character, UTF-8 read as Windows-1252 in UTF-8", u"Wortraten.txt"_s,
        "Ich bin wei\xC3\x83\xC5\xB8.\nSchnee\nIch \xEF\xBF\xBD.\nHund\n",
        Utf8
            + u"1: Fehler: Zeichen 12: „ÃŸ“ ist ein „ß“ in UTF-8…\n3: Fehler: Zeichen 5: Hier "
              u"stand "
              u"etwas, das sich beim Lesen nicht entziffern ließ…"_s
            + TwoErrors);
    row("empty file", u"Wortpuzzle.txt"_s, "",
        u" Fehler: Die Datei ist leer.\n 0 Aufgaben, 1 Fehler"_s);
    row("unknown name", u"kopfrechnen.txt"_s, "1 + 1 =\n2\n",
        u" unbekannte Datei, nicht geprüft; Tambolino liest nur „Kopfrechnen.txt“"_s);
    // Added out of line order: the incomplete task first, the repeat after its answer.
    QString listed = Ascii + u"3: Warnung: Diese Aufgabe steht schon in Zeile 1…\n"_s;
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
    QStringList output = outcome.output.split(u'\n');
    QCOMPARE(output.takeLast(), QString());
    const QStringList expected = report.split(u'\n');
    QCOMPARE(output.size(), expected.size());
    for (qsizetype i = 0; i < output.size(); ++i) {
        const QString line = name + u':' + expected[i];
        QVERIFY2(line.endsWith(u'…') ? output[i].startsWith(line.chopped(1)) : output[i] == line,
            qPrintable(output[i]));
    }
    QCOMPARE(outcome.errors, report.contains(u"Fehler:"_s));
}

void TestTaskFileCheck::largeFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("lines"); // of one task, each of "@" up to 4 MiB in all
    QTest::newRow("typing") << u"Abschreibuebungen.txt"_s << 1;
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

void TestTaskFileCheck::usableTasks_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("lines"); // of the task file, between bars, saved as UTF-8
    // The prompts of the tasks the exercise asks, or why it asks none ("%1": the file).
    QTest::addColumn<QString>("asked");
    const auto row = [](const char* name, int k, const QString& lines, const QString& asked) {
        QTest::newRow(name) << k << lines << asked;
    };
    row("typing: a control character", 1, u"Ein\u0007Ton.|Ja."_s, u"Ja."_s);
    row("typing: a text beyond five lines", 1, u"Ja ja "_s.repeated(60) + u"|Ja."_s, u"Ja."_s);
    // Enter alone would be the right answer.
    row("fill-in: no missing letters", 3, u"Die Sch||ssel|Der Ha|h|n."_s, u"Der Ha"_s);
    row("fill-in: a solution the display holds at its smallest", 3,
        QString(70, u'a') + u"|b|c|Der Ha|h|n."_s, QString(70, u'a') + u"/Der Ha"_s);
    row("fill-in: one character more", 3, QString(70, u'a') + u"|b|cc|Der Ha|h|n."_s, u"Der Ha"_s);
    // A prompt is only read: a typographic quote is fine there, a character that shows wrong is
    // not.
    row("riddle: quotes in the prompt", 5, u"„Wau“, sage ich.|Hund"_s, u"„Wau“, sage ich."_s);
    row("riddle: a replacement character", 5, u"Ich bin \uFFFD.|Hund|Ich belle.|Hund"_s,
        u"Ich belle."_s);
    row("riddle: an answer the keyboard cannot type", 5, u"Ich rechne.|Rechner²|Ich belle.|Hund"_s,
        u"Ich belle."_s);
    row("pairs: a prompt of 4 MiB", 8, QString(4 * 1024 * 1024 - 100, u'x') + u"|y|Tag und|Nacht"_s,
        u"Tag und"_s);
    row("tenses: an answer too long for its field at the smallest size", 7,
        u"ich lese|werde lesen|%1|habe gelesen|las|hatte gelesen|du liest|wirst lesen|"
        u"wirst gelesen haben|hast gelesen|last|hattest gelesen"_s.arg(QString(45, u'a')),
        u"du liest"_s);
    row("arithmetic: an answer of three lines' width", 9, u"1 =|%1|2 =|2"_s.arg(QString(120, u'1')),
        u"2 ="_s);
    row("verb forms: no task left", 6, u"sein||bist|ist|sind|seid|sind"_s,
        u"Die Aufgabendatei „%1“ enthält keine Aufgabe, die die Übung stellen kann. Zeile 2: "
        u"Die Zeile ist leer."_s);
    row("word puzzle: no task left", 2, u"Hut\u0000"_s,
        u"Die Aufgabendatei „%1“ enthält keine Aufgabe, die die Übung stellen kann. Zeile 1: "
        u"Sie enthält ein Zeichen, das sich auf einer deutschen Tastatur nicht tippen lässt."_s);
}

// One rule for a usable task: the exercise leaves out exactly the tasks the check reports an
// error in.
void TestTaskFileCheck::usableTasks()
{
    QFETCH(int, k);
    QFETCH(QString, lines);
    QFETCH(QString, asked);
    QTemporaryDir dir;
    const QString path = dir.filePath(exercise(k).taskFile.mid(1));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly)
        && file.write(QString(lines).replace(u'|', u'\n').toUtf8() + '\n') > 0);
    file.close();
    const int r = exercise(k).tasks.lines;
    const TaskFile::Result result
        = TaskFile::usable([&] { return TaskFile::load(path, r); }, k, TaskFileCheck::fits(k))();
    QCOMPARE(result.ok() ? result.lists.value(0).join(u'/') : result.error,
        asked.contains(u"%1"_s) ? asked.arg(path) : asked);

    const TaskFileCheck::Report report = TaskFileCheck::check(k, TaskFile::loadText(path));
    QStringList reported;
    for (const TaskFileCheck::Finding& finding : report.findings) {
        const QString prompt = lines.split(u'|').value((finding.line - 1) / r * r);
        if (finding.severity == TaskFileCheck::Finding::Severity::Error
            && !reported.contains(prompt))
            reported.append(prompt);
    }
    QStringList prompts;
    for (qsizetype i = 0; i < report.tasks; ++i)
        prompts.append(lines.split(u'|').value(i * r));
    for (const QString& prompt : std::as_const(prompts))
        QVERIFY2(reported.contains(prompt) != result.lists.value(0).contains(prompt),
            qPrintable(prompt.left(40)));
}

QTEST_GUILESS_MAIN(TestTaskFileCheck)
#include "tst_taskfilecheck.moc"
