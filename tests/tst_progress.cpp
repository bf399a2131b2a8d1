// The child picker and the progress view, over a journal seeded by the test.
#include "app/ProgressModule.h"
#include "platform/JournalDatabase.h"
#include "support/TestProgram.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTimeZone>

using namespace Qt::StringLiterals;

namespace {
// The fake clock's day is 2 November 2026; the four weeks start on 6 October.
QDateTime at(int month, int day, int hour = 17)
{
    return QDateTime(QDate(2026, month, day), QTime(hour, 0), QTimeZone(3600));
}

struct Seeded
{
    int exercise;
    QDateTime started;
    QList<std::pair<QString, int>> tasks; // prompt, errors
};

// Sessions of `child` in the program's journal, each task 10 s and 5 points, 30 s apart.
void seed(const TestProgram& program, const QString& child, const QList<Seeded>& sessions)
{
    JournalDatabase journal;
    QVERIFY(journal.open(program.fake.folders.data + u"/tagebuch.sqlite"_s).ok);
    for (const Seeded& s : sessions) {
        const QString id = journal.sessionStarted(child, s.exercise, s.started, 100);
        int n = 0;
        for (const auto& [prompt, errors] : s.tasks) {
            ++n;
            QVERIFY(journal.taskFinished(
                id, n, { s.exercise, prompt, 10, errors, 5, false }, s.started.addSecs(30 * n)));
        }
        QVERIFY(journal.sessionEnded(id,
            { s.exercise, s.started.toUTC(), s.started.addSecs(150).toUTC(), 150, n, 0, 100,
                100 + 5 * n, SessionEnd::Ended }));
    }
}

// Anna's weeks: mental arithmetic twice, one typing text, and a session before the period.
const QList<Seeded> Weeks {
    { 9, at(9, 1), { { u"1 + 1 ="_s, 5 } } },
    { 1, at(10, 20), { { u"Ein Satz;\nmit \"Zeichen\"."_s, 2 } } },
    { 9, at(10, 30), { { u"9 · 9 ="_s, 0 }, { u"7 · 8 ="_s, 0 } } },
    { 9, at(11, 1), { { u"7 · 8 ="_s, 2 }, { u"3 + 4 ="_s, 0 }, { u"7 · 8 ="_s, 1 } } },
};

// Anna's progress view, opened from the start screen.
QWidget* openProgress(TestProgram& program)
{
    program.state.strPunktedatei = program.fake.folders.data + u"/Kinder/Anna.tbo"_s;
    program.start();
    program.show();
    program.click(u"lblFortschritt"_s);
    return program.window->findChild<QWidget*>(u"frmFortschritt"_s);
}

// "index:value" for each value of the chart's bars and each point of its line.
QStringList chartValues(const QWidget* view)
{
    QStringList values;
    for (QAbstractSeries* series : control<QChartView>(view, u"chtVerlauf"_s)->chart()->series()) {
        if (auto* bars = qobject_cast<QBarSeries*>(series)) {
            const QBarSet* set = bars->barSets().value(0);
            for (int i = 0; i < set->count(); ++i) {
                if (set->at(i) != 0)
                    values.append(u"%1:%2"_s.arg(i).arg(set->at(i)));
            }
            values.append(u"%1 days"_s.arg(set->count()));
        }
        if (auto* line = qobject_cast<QLineSeries*>(series)) {
            for (const QPointF& point : line->points())
                values.append(u"%1:%2/Aufgabe"_s.arg(point.x()).arg(point.y()));
        }
    }
    return values;
}

QStringList rows(const QWidget* view, const QString& table)
{
    auto* found = control<QTableWidget>(view, table);
    QStringList lines;
    for (int r = 0; r < found->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < found->columnCount(); ++c)
            cells.append(found->item(r, c)->text());
        lines.append(cells.join(u'|'));
    }
    return lines;
}
} // namespace

class TestProgress : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void picker_data();
    void picker();
    void exercises_data();
    void exercises();
    void sessionsExportAndPrint();
    void noEntries();
    void laterExercise();
    void module_data();
    void module();
};

void TestProgress::picker_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("names"); // answers to the name question; a null one cancels
    QTest::addColumn<QStringList>("told");
    QTest::addColumn<QString>("child"); // whose file is current afterwards
    QTest::addColumn<qint32>("score"); // of exercise 1 afterwards
    QTest::newRow("another child")
        << u"cmdKind(2)"_s << QStringList() << QStringList() << u"Ben"_s << 7;
    QTest::newRow("new child after bad names")
        << u"cmdNeuesKind"_s << QStringList { u"  "_s, u"Ben/Anna"_s, u"anna"_s, u" Clara "_s }
        << QStringList { u"Bitte geben Sie einen Namen ein."_s,
               u"Der Name darf keines dieser Zeichen enthalten: / \\ : * ? \" < > |"_s,
               u"Den Namen „anna“ gibt es schon."_s }
        << u"Clara"_s << 0;
    QTest::newRow("new child cancelled")
        << u"cmdNeuesKind"_s << QStringList { u"x/y"_s, QString() }
        << QStringList { u"Der Name darf keines dieser Zeichen enthalten: / \\ : * ? \" < > |"_s }
        << u"Anna"_s << 999;
}

// Choosing a child loads its file as "Punktestände laden" does, after the scores of the child
// before were saved in that child's file; a new child starts at zero in a file of its own.
void TestProgress::picker()
{
    QFETCH(QString, button);
    QFETCH(QStringList, names);
    QFETCH(QStringList, told);
    QFETCH(QString, child);
    QFETCH(qint32, score);
    TestProgram program;
    const QString kids = program.fake.folders.data + u"/Kinder/"_s;
    QVERIFY(QDir().mkpath(kids));
    QVERIFY(writeFile(kids + u"Anna.tbo"_s, tensFile(12)));
    QVERIFY(writeFile(kids + u"Ben.tbo"_s, QByteArray(" 7 \r\n").repeated(12)));
    program.start();
    program.show();
    program.click(u"lblKindWaehlen"_s);
    // The picker is no dialog, yet Enter presses the button with the focus: the first child's.
    QCOMPARE(QApplication::focusWidget()->objectName(), u"cmdKind(1)"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    program.settle();
    QCOMPARE(program.state.ScoreTable(12), 120);
    program.state.ScoreTable(1) = 999;

    program.click(u"lblKindWaehlen"_s);
    for (const QString& name : names)
        program.fake.input.answers.push_back(
            name.isNull() ? std::nullopt : std::optional<QString>(name));
    program.click(button);
    program.settle();
    // A cancelled name question goes back to the picker.
    QCOMPARE(
        program.window->findChild<QWidget*>(u"frmKinder"_s) != nullptr, names.contains(QString()));
    QStringList messages;
    for (const auto& message : program.fake.messages.shown)
        messages.append(message.text);
    QCOMPARE(messages, told);
    QCOMPARE(program.window->windowTitle(), u"Tambolino - "_s + child);
    QCOMPARE(control<QLabel>(program.startScreen(), u"lblKind"_s)->text(), u"Kind: "_s + child);
    QCOMPARE(program.state.strPunktedatei, kids + child + u".tbo"_s);
    QCOMPARE(program.state.ScoreTable(1), score);
    // Anna's scores went to her file before another child's took their place.
    QCOMPARE(readFile(kids + u"Anna.tbo"_s).left(6), child == u"Anna"_s ? " 10 \r\n" : " 999 \r");
    if (child == u"Clara"_s)
        QCOMPARE(readFile(kids + u"Clara.tbo"_s), QByteArray(" 0 \r\n").repeated(12));
}

void TestProgress::exercises_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QStringList>("chart");
    QTest::addColumn<QStringList>("difficult");
    QTest::newRow("Kopfrechnen, twice in the period")
        << 9
        << QStringList { u"24:2"_s, u"26:3"_s, u"28 days"_s, u"24:0/Aufgabe"_s, u"26:1/Aufgabe"_s }
        << QStringList { u"7 · 8 =|3|3"_s };
    QTest::newRow("Abtippübungen, a text of two lines")
        << 1 << QStringList { u"14:1"_s, u"28 days"_s, u"14:2/Aufgabe"_s }
        << QStringList { u"Ein Satz; mit \"Zeichen\".|1|2"_s };
    QTest::newRow("Wortpuzzle, never") << 2 << QStringList() << QStringList();
}

// The chart and the difficult tasks of the exercise chosen in the list.
void TestProgress::exercises()
{
    QFETCH(int, k);
    QFETCH(QStringList, chart);
    QFETCH(QStringList, difficult);
    TestProgram program;
    seed(program, u"Anna"_s, Weeks);
    QVERIFY(program.writeTasks(
        9, { u"9 · 9 ="_s, u"81"_s, u"7 · 8 ="_s, u"56"_s, u"3 + 4 ="_s, u"7"_s }));
    QWidget* view = openProgress(program);
    QVERIFY(view);
    auto* list = control<QListWidget>(view, u"lstUebungen"_s);
    QCOMPARE(list->count(), ExerciseCount);
    // The exercise practised last is chosen first.
    QCOMPARE(list->currentRow(), 8);
    list->setCurrentRow(k - 1);
    QCOMPARE(control(view, u"chtVerlauf"_s)->isVisibleTo(view), !chart.isEmpty());
    QCOMPARE(control(view, u"lblNichtGeuebt"_s)->isVisibleTo(view), chart.isEmpty());
    if (!chart.isEmpty())
        QCOMPARE(chartValues(view), chart);
    QCOMPARE(rows(view, u"tblSchwierig"_s), difficult);
    // One difficult task in the file: too few to practise; "1 + 1 =" is no longer there.
    QVERIFY(!control(view, u"cmdUeben"_s)->isEnabled());
}

// The last sessions, the export of everything through the save dialog, the printed report.
void TestProgress::sessionsExportAndPrint()
{
    TestProgram program;
    seed(program, u"Anna"_s, Weeks);
    seed(program, u"Ben"_s, { { 4, at(10, 31, 8), { { u"Haus"_s, 1 } } } });
    QWidget* view = openProgress(program);
    QVERIFY(view);
    QCOMPARE(rows(view, u"tblSitzungen"_s),
        QStringList({ u"01.11.26 17:00|Kopfrechnen|3|3|3|+15"_s,
            u"30.10.26 17:00|Kopfrechnen|3|2|0|+10"_s, u"20.10.26 17:00|Abtippübungen|3|1|2|+5"_s,
            u"01.09.26 17:00|Kopfrechnen|3|1|5|+5"_s }));

    const QString csv = program.documents.filePath(u"tagebuch.csv"_s);
    program.fake.files.results.push_back(csv);
    QTest::mouseClick(control(view, u"cmdExportieren"_s), Qt::LeftButton);
    QCOMPARE(program.fake.files.saved.value(0).fileName, u"Tagebuch Anna.csv"_s);
    const QByteArray bytes = readFile(csv);
    QCOMPARE(bytes.count("\r\n"), 1 + 7);
    QVERIFY(bytes.contains("\r\nAnna;2;Abtippübungen;20.10.2026;17:00;1;"));
    QVERIFY(!bytes.contains("Haus"));

    const QString pdf = program.documents.filePath(u"bericht.pdf"_s);
    program.fake.printer.pdf = pdf;
    QTest::mouseClick(control(view, u"cmdDrucken"_s), Qt::LeftButton);
    QCOMPARE(program.fake.printer.printed, QStringList { u"Fortschritt von Anna"_s });
    const QByteArray printed = readFile(pdf);
    QVERIFY(printed.startsWith("%PDF"));
    QCOMPARE(printed.count("/Type /Page\n") + printed.count("/Type /Page>>"), 1);
    QVERIFY(program.fake.messages.shown.isEmpty());
}

// A child without entries gets a sentence, not empty charts; F1 helps, Escape closes.
void TestProgress::noEntries()
{
    TestProgram program;
    seed(program, u"Ben"_s, { { 4, at(10, 31), { { u"Haus"_s, 1 } } } });
    QWidget* view = openProgress(program);
    QVERIFY(view);
    QVERIFY(control<QLabel>(view, u"lblKeineEintraege"_s)->text().contains(u"von Anna"_s));
    QVERIFY(!control(view, u"chtVerlauf"_s)->isVisibleTo(view));
    QVERIFY(!control(view, u"cmdExportieren"_s)->isVisibleTo(view));
    QTest::keyClick(view, Qt::Key_F1);
    QCOMPARE(program.fake.browser.urls,
        QList<QUrl> { QUrl::fromLocalFile(program.folder.filePath(u"Hilfe/fortschritt.htm"_s)) });
    QTest::keyClick(view, Qt::Key_Escape);
    program.settle();
    QVERIFY(!program.window->findChild<QWidget*>(u"frmFortschritt"_s));
}

// A journal from a later version may name an exercise this one lacks: shown by its number, in
// the view and in the printed report, not a crash.
void TestProgress::laterExercise()
{
    TestProgram program;
    seed(program, u"Anna"_s,
        { { 9, at(10, 30), { { u"2 + 2 ="_s, 0 } } },
            { ExerciseCount + 1, at(11, 1), { { u"neu"_s, 1 } } } });
    QWidget* view = openProgress(program);
    QVERIFY(view);
    QCOMPARE(rows(view, u"tblSitzungen"_s).value(0).section(u'|', 1, 1), u"13"_s);
    program.fake.printer.pdf = program.documents.filePath(u"bericht.pdf"_s);
    QTest::mouseClick(control(view, u"cmdDrucken"_s), Qt::LeftButton);
    QCOMPARE(program.fake.printer.printed, QStringList { u"Fortschritt von Anna"_s });
}

void TestProgress::module_data()
{
    QTest::addColumn<bool>("present");
    QTest::newRow("built") << true;
    QTest::newRow("missing") << false;
}

// The program has the view from its module: the one built beside it opens, a missing one is
// reported instead of a crash or a silent click.
void TestProgress::module()
{
    QFETCH(bool, present);
    const QTemporaryDir empty;
    ProgressModule module(present ? QStringLiteral(TAMBOLINO_PROGRAM_DIR) : empty.path());
    TestProgram program;
    ExerciseRegistry screens = ExerciseRegistry::builtIn();
    screens.setProgressView(std::bind_front(&ProgressModule::openView, &module));
    program.start(std::move(screens));
    program.show();
    program.click(u"lblFortschritt"_s);
    QCOMPARE(program.window->findChild<QWidget*>(u"frmFortschritt"_s) != nullptr, present);
    QCOMPARE(program.fake.messages.shown.size(), present ? 0 : 1);
    if (!present)
        QVERIFY(!module.print(u"Fortschritt"_s, [](QPagedPaintDevice&) { QFAIL("painted"); }));
}

QTEST_MAIN(TestProgress)
#include "tst_progress.moc"
