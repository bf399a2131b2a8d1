#include "core/ProgramState.h"
#include "language/FillIn.h"
#include "support/FakePlatform.h"
#include "support/TestProgram.h"
#include "ui/Theme.h"

#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
constexpr int Number = 3;
const QColor Green { 0, 192, 0 };

// Tasks as the file gives them, three lines each.
QList<QStringList> lists(const QStringList& lines)
{
    QList<QStringList> result(3);
    for (qsizetype i = 0; i < lines.size(); ++i)
        result[i % 3].append(lines[i]);
    return result;
}

// The exercise over `tasks`, started at once; without a queued draw the first task comes first.
struct Drill
{
    explicit Drill(const QStringList& lines, qint32 score = 0)
        : tasks(lists(lines))
    {
        state.ScoreTable(Number) = score;
    }

    QList<QStringList> tasks;
    FakePlatform fake;
    ProgramState state;
    FillIn fillIn { state, fake.random, [this] { return TaskFile::Result { tasks, {} }; } };
    QString startError = fillIn.start();
};

const QStringList Example { u"Die Sch"_s, u"u"_s, u"le beginnt."_s, u"Ha"_s, u"h"_s, u"n."_s };

// Keys to the widget with the focus; a few stand for keys that type nothing: ← → Home End
// Delete, ⇱ selects to the end; ↵ clicks the Enter button.
void press(ExerciseScreen* screen, const QString& keys)
{
    for (const QChar c : keys) {
        QWidget* focus = QApplication::focusWidget();
        if (!focus || !screen->isAncestorOf(focus))
            focus = screen;
        static const QHash<QChar, std::pair<Qt::Key, Qt::KeyboardModifiers>> named {
            { u'←', { Qt::Key_Left, {} } }, { u'→', { Qt::Key_Right, {} } },
            { u'⇤', { Qt::Key_Home, {} } }, { u'⇥', { Qt::Key_End, {} } },
            { u'⌦', { Qt::Key_Delete, {} } }, { u'⇱', { Qt::Key_End, Qt::ShiftModifier } }
        };
        if (c == u'↵')
            QTest::mouseClick(control(screen, u"cmdEnter"_s), Qt::LeftButton);
        else if (named.contains(c))
            QTest::keyClick(focus, named[c].first, named[c].second);
        else
            typeKeys(focus, QString(c));
    }
}

QString visiblePicture(ExerciseScreen* screen)
{
    for (const QString& name : { u"imgLach"_s, u"imgAerg"_s, u"imgZiel"_s }) {
        if (control<QLabel>(screen, name)->isVisibleTo(screen))
            return name;
    }
    return {};
}
} // namespace

class TestFillIn : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void judging_data();
    void judging();
    void actions_data();
    void actions();
    void nextTask_data();
    void nextTask();
    void shownTask_data();
    void shownTask();
    void typing_data();
    void typing();
    void solutionDisplay_data();
    void solutionDisplay();
    void linkHover_data();
    void linkHover();
};

void TestFillIn::judging_data()
{
    QTest::addColumn<QStringList>("task");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("right");

    QTest::newRow("worked example") << Example << u"Die Schule beginnt."_s << true;
    // Beginning and end match, the length does not.
    QTest::newRow("ux in the gap") << Example << u"Die Schuxle beginnt."_s << false;
    QTest::newRow("gap left empty") << Example << u"Die Schle beginnt."_s << false;
    QTest::newRow("blank at the end") << Example << u"Die Schule beginnt. "_s << false;
    const QStringList foot { u"Der Fu"_s, u"ß"_s, u"."_s };
    QTest::newRow("ß") << foot << u"Der Fuß."_s << true;
    QTest::newRow("ss for ß") << foot << u"Der Fuss."_s << false;
    const QStringList rain { QString(), u"E"_s, u"s regnet."_s };
    QTest::newRow("empty before-part") << rain << u"Es regnet."_s << true;
    QTest::newRow("small letter for the capital") << rain << u"es regnet."_s << false;
    QTest::newRow("empty after-part")
        << QStringList { u"Der Ba"_s, u"ll"_s, QString() } << u"Der Ball"_s << true;
}

void TestFillIn::judging()
{
    QFETCH(QStringList, task);
    QFETCH(QString, text);
    QFETCH(bool, right);
    Drill exercise(task, 100);
    QCOMPARE(exercise.startError, QString());

    QCOMPARE(exercise.fillIn.judge(text), right ? FillIn::Verdict::Right : FillIn::Verdict::Wrong);
    QCOMPARE(exercise.state.ScoreTable(Number), right ? 150 : 75);
    QCOMPARE(exercise.fillIn.message(),
        right ? u"Richtig! 50 Punkte"_s : u"Noch nicht richtig! (-25 Punkte)"_s);
    QCOMPARE(exercise.fillIn.errors(), right ? 0 : 1);
    QCOMPARE(exercise.fillIn.pausing(), right);
}

void TestFillIn::actions_data()
{
    // r a right answer, w a wrong one, k a key in the field, a "Anzeige wiederholen",
    // l "Lösung anzeigen", e the end of the solution display, p the end of the pause.
    QTest::addColumn<int>("score");
    QTest::addColumn<QString>("actions");
    QTest::addColumn<int>("after");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("errors");
    QTest::addColumn<int>("taskNumber");

    const QString wrong = u"Noch nicht richtig! (-25 Punkte)"_s;
    const QString repeat = u"Anzeige erneuern! (-5 Punkte)"_s;
    const QString solution = u"Lösung anzeigen! (-50 Punkte)"_s;
    const QString right = u"Richtig! 50 Punkte"_s;
    QTest::newRow("wrong from 20 stops at 0") << 20 << u"w"_s << 0 << wrong << 1 << 1;
    QTest::newRow("repeat from 3 stops at 0") << 3 << u"a"_s << 0 << repeat << 0 << 1;
    QTest::newRow("solution from 40 stops at 0") << 40 << u"l"_s << 0 << solution << 0 << 1;
    QTest::newRow("repeat") << 120 << u"a"_s << 115 << repeat << 0 << 1;
    QTest::newRow("solution") << 120 << u"le"_s << 70 << solution << 0 << 1;
    QTest::newRow("any key") << 0 << u"wk"_s << 0 << u"Kontrolle durch [Enter]"_s << 1 << 1;
    QTest::newRow("Enter during the pause counts once") << 0 << u"rr"_s << 50 << right << 0 << 1;
    QTest::newRow("nothing judged in the pause") << 0 << u"rw"_s << 50 << right << 0 << 1;
    QTest::newRow("next task") << 0 << u"rp"_s << 50 << u"Erwarte Eingabe"_s << 0 << 2;
    QTest::newRow("errors stay with the next task") << 0 << u"wrpw"_s << 25 << wrong << 2 << 2;
    QTest::newRow("second solution click is free") << 100 << u"ll"_s << 50 << solution << 0 << 1;
    QTest::newRow("solution again after the display") << 100 << u"lel"_s << 0 << solution << 0 << 1;
    QTest::newRow("nothing judged in the display") << 100 << u"lrw"_s << 50 << solution << 0 << 1;
    QTest::newRow("no repeat in the display") << 100 << u"la"_s << 50 << solution << 0 << 1;
    QTest::newRow("solution during the pause")
        << 0 << u"rlp"_s << 0 << u"Erwarte Eingabe"_s << 0 << 2;
}

void TestFillIn::actions()
{
    QFETCH(int, score);
    QFETCH(QString, actions);
    QFETCH(int, after);
    QFETCH(QString, message);
    QFETCH(int, errors);
    QFETCH(int, taskNumber);
    Drill exercise(Example, score);
    FillIn& fillIn = exercise.fillIn;

    for (const QChar action : actions) {
        switch (action.unicode()) {
        case 'r':
            fillIn.judge(fillIn.solution());
            break;
        case 'w':
            fillIn.judge(fillIn.shownText());
            break;
        case 'k':
            fillIn.keyInField();
            break;
        case 'a':
            fillIn.repeatDisplay();
            break;
        case 'l':
            fillIn.showSolution(0);
            break;
        case 'e':
            fillIn.solutionShown(0);
            break;
        case 'p':
            QCOMPARE(fillIn.next(), QString());
            break;
        }
    }
    QCOMPARE(exercise.state.ScoreTable(Number), after);
    QCOMPARE(fillIn.message(), message);
    QCOMPARE(fillIn.errors(), errors);
    QCOMPARE(fillIn.taskNumber(), taskNumber);
}

void TestFillIn::nextTask_data()
{
    QTest::addColumn<QStringList>("tasks");
    QTest::addColumn<QString>("next");

    QTest::newRow("same before-part skipped") << QStringList { u"Der "_s, u"H"_s, u"und."_s,
        u"Der "_s, u"M"_s, u"ond."_s, u"Die "_s, u"S"_s, u"onne."_s }
                                              << u"Die onne."_s;
    QTest::newRow("a single task comes again")
        << QStringList { u"Der "_s, u"H"_s, u"und."_s } << u"Der und."_s;
}

// The first task is the file's first, and the next one draws the first that is left.
void TestFillIn::nextTask()
{
    QFETCH(QStringList, tasks);
    QFETCH(QString, next);
    Drill exercise(tasks);
    exercise.fillIn.judge(exercise.fillIn.solution());
    QCOMPARE(exercise.fillIn.next(), QString());
    QCOMPARE(exercise.fillIn.shownText(), next);
    QVERIFY(!exercise.fillIn.pausing());
}

void TestFillIn::shownTask_data()
{
    QTest::addColumn<QStringList>("task");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("cursor");

    QTest::newRow("worked example") << Example << u"Die Schle beginnt."_s << 7;
    QTest::newRow("empty before-part")
        << QStringList { QString(), u"E"_s, u"s regnet."_s } << u"s regnet."_s << 0;
    QTest::newRow("empty after-part")
        << QStringList { u"Der Ba"_s, u"ll"_s, QString() } << u"Der Ba"_s << 6;
}

void TestFillIn::shownTask()
{
    QFETCH(QStringList, task);
    QFETCH(QString, shown);
    QFETCH(int, cursor);
    TestProgram program;
    ExerciseScreen* screen = program.startWith(Number, task);
    QVERIFY(screen);
    auto* field = control<QLineEdit>(screen, u"txtEingabe"_s);
    QCOMPARE(QApplication::focusWidget(), field);
    QCOMPARE(field->text(), shown);
    QCOMPARE(field->cursorPosition(), cursor);
    QVERIFY(!field->hasSelectedText());
    QCOMPARE(control<QLabel>(screen, u"lblPunktemeldung"_s)->text(), u"Erwarte Eingabe"_s);
    QVERIFY(!screen->findChild<QLabel*>(u"lblFehleranzeige"_s));
}

void TestFillIn::typing_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("picture");

    const QString right = u"Richtig! 50 Punkte"_s;
    const QString wrong = u"Noch nicht richtig! (-25 Punkte)"_s;
    const QString waiting = u"Kontrolle durch [Enter]"_s;
    const QString solved = u"Die Schule beginnt."_s;
    const QColor red = Theme::WrongColour;
    QTest::newRow("u Enter") << u"u\r"_s << solved << right << Green << u"imgZiel"_s;
    QTest::newRow("capital U") << u"U\r"_s << u"Die SchUle beginnt."_s << wrong << red
                               << u"imgAerg"_s;
    QTest::newRow("ux") << u"ux\r"_s << u"Die Schuxle beginnt."_s << wrong << red << u"imgAerg"_s;
    QTest::newRow("uu") << u"uu\r"_s << u"Die Schuule beginnt."_s << wrong << red << u"imgAerg"_s;
    QTest::newRow("Enter button") << u"u↵"_s << solved << right << Green << u"imgZiel"_s;
    QTest::newRow("umlaut deleted") << u"ü\bu\r"_s << solved << right << Green << u"imgZiel"_s;
    QTest::newRow("cursor away and back") << u"←→u\r"_s << solved << right << Green << u"imgZiel"_s;
    QTest::newRow("typed at the start")
        << u"⇤u\r"_s << u"uDie Schle beginnt."_s << wrong << red << u"imgAerg"_s;
    QTest::newRow("selection replaced")
        << u"⇱ule beginnt.\r"_s << solved << right << Green << u"imgZiel"_s;
    QTest::newRow("Delete") << u"⌦ul\r"_s << solved << right << Green << u"imgZiel"_s;
    QTest::newRow("no Enter yet") << u"u"_s << solved << waiting << Theme::Black << QString();
    QTest::newRow("arrow key") << u"→"_s << u"Die Schle beginnt."_s << waiting << Theme::Black
                               << QString();
    QTest::newRow("key after a wrong answer")
        << u"\ru"_s << solved << waiting << red << u"imgAerg"_s;
}

// Real key events on the screen of the worked example.
void TestFillIn::typing()
{
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(QColor, colour);
    QFETCH(QString, picture);
    TestProgram program;
    ExerciseScreen* screen = program.startWith(Number, Example);
    QVERIFY(screen);

    press(screen, keys);
    auto* field = control<QLineEdit>(screen, u"txtEingabe"_s);
    QCOMPARE(field->text(), text);
    QCOMPARE(control<QLabel>(screen, u"lblPunktemeldung"_s)->text(), message);
    QCOMPARE(field->palette().color(QPalette::Text), colour);
    QCOMPARE(visiblePicture(screen), picture);
    const bool wrong = picture == u"imgAerg"_s;
    QCOMPARE(control<QLabel>(screen, u"lblFehler"_s)->text(), wrong ? u"1"_s : u"0"_s);
    QCOMPARE(program.state.ScoreTable(Number), picture == u"imgZiel"_s ? 50 : 0);
    QCOMPARE(control<QTimer>(screen, u"Timer2"_s)->isActive(), picture == u"imgZiel"_s);
}

void TestFillIn::solutionDisplay_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("pauseEnds"); // while the solution is shown
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("score");

    QTest::newRow("while working") << u"x←"_s << false << u"Die Schxle beginnt."_s << 7 << 50;
    // The next task is set behind the display; the cursor cannot stand beyond its text.
    QTest::newRow("during the pause") << u"u⇥\r"_s << true << u"Han."_s << 4 << 100;
}

// Shown in place of the field for three seconds; Enter, "Anzeige wiederholen" and a second
// click change nothing meanwhile. Then the field is back with the child's text and cursor.
void TestFillIn::solutionDisplay()
{
    QFETCH(QString, keys);
    QFETCH(bool, pauseEnds);
    QFETCH(QString, text);
    QFETCH(int, cursor);
    QFETCH(int, score);
    TestProgram program;
    ExerciseScreen* screen = program.startWith(Number, Example);
    QVERIFY(screen);
    program.state.ScoreTable(Number) = 100;
    press(screen, keys);

    auto* field = control<QLineEdit>(screen, u"txtEingabe"_s);
    auto* shown = control<QLabel>(screen, u"lblLoesungsAnzeige"_s);
    QCOMPARE(shown->geometry(), field->geometry());
    QVERIFY(!shown->isVisible());
    QWidget* solution = control(screen, u"lblLoesAnzeige"_s);
    QTest::mouseClick(solution, Qt::LeftButton);
    QTest::mouseClick(solution, Qt::LeftButton);
    press(screen, u"\r"_s);
    QTest::mouseClick(control(screen, u"lblAnzeigeWdhlg"_s), Qt::LeftButton);
    QTest::mouseClick(control(screen, u"cmdEnter"_s), Qt::LeftButton);
    QVERIFY(shown->isVisible());
    QVERIFY(!field->isVisible());
    QCOMPARE(shown->text(), u"Die Schule beginnt."_s);
    QCOMPARE(
        control<QLabel>(screen, u"lblPunktemeldung"_s)->text(), u"Lösung anzeigen! (-50 Punkte)"_s);
    QCOMPARE(program.state.ScoreTable(Number), score);
    QCOMPARE(control<QLabel>(screen, u"lblFehler"_s)->text(), u"0"_s);
    auto* display = control<QTimer>(screen, u"Timer3"_s);
    QVERIFY(display->isActive());
    QVERIFY(display->isSingleShot());
    QCOMPARE(display->interval(), 3000);

    if (pauseEnds)
        fire(control<QTimer>(screen, u"Timer2"_s));
    fire(display);
    QVERIFY(!shown->isVisible());
    QVERIFY(field->isVisible());
    QCOMPARE(QApplication::focusWidget(), field);
    QCOMPARE(field->text(), text);
    QCOMPARE(field->cursorPosition(), cursor);
    QCOMPARE(program.state.ScoreTable(Number), score);
}

void TestFillIn::linkHover_data()
{
    QTest::addColumn<QString>("over");
    QTest::addColumn<bool>("repeatRed");
    QTest::addColumn<bool>("solutionRed");

    QTest::newRow("lblAnzeigeWdhlg") << u"lblAnzeigeWdhlg"_s << true << false;
    QTest::newRow("lblLoesAnzeige") << u"lblLoesAnzeige"_s << false << true;
    QTest::newRow("panel") << u"fraAuswertung"_s << false << false;
    QTest::newRow("background") << u"frmUebung03"_s << false << false;
}

void TestFillIn::linkHover()
{
    QFETCH(QString, over);
    QFETCH(bool, repeatRed);
    QFETCH(bool, solutionRed);
    TestProgram program;
    ExerciseScreen* screen = program.startWith(Number, Example);
    QVERIFY(screen);
    QWidget* repeat = control(screen, u"lblAnzeigeWdhlg"_s);
    QWidget* solution = control(screen, u"lblLoesAnzeige"_s);

    // From the other link, or from both.
    enter(over == u"lblAnzeigeWdhlg"_s ? solution : repeat);
    enter(over == u"lblLoesAnzeige"_s ? repeat : solution);
    QWidget* target = over == screen->objectName() ? screen : control(screen, over);
    if (target == repeat || target == solution)
        enter(target);
    else
        moveOver(target, target == screen ? QPoint(2, screen->height() / 2) : QPoint(4, 30));
    QCOMPARE(Theme::textColour(repeat), repeatRed ? Theme::HoverColour : Theme::Black);
    QCOMPARE(Theme::textColour(solution), solutionRed ? Theme::HoverColour : Theme::Black);
}

QTEST_MAIN(TestFillIn)
#include "tst_fillin.moc"
