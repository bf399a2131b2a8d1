#include "core/ProgramState.h"
#include "support/TestProgram.h"
#include "ui/Theme.h"

#include <QHash>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {
constexpr int Number = 3;
const QColor Green { 0, 192, 0 };
const QStringList Example { u"Die Sch"_s, u"u"_s, u"le beginnt."_s, u"Ha"_s, u"h"_s, u"n."_s };

// Real keys to the widget with the focus; a few symbols stand for what a child does besides:
// ← → ⇥ ⌦ ℹ keys that type nothing (ℹ is F1), ↵ the Enter button, Ⓐ "Anzeige wiederholen",
// Ⓛ "Lösung anzeigen", ② the end of the pause after a right answer, ③ the end of the solution
// display.
void act(ExerciseScreen* screen, const QString& actions)
{
    static const QHash<QChar, Qt::Key> keys { { u'←', Qt::Key_Left }, { u'→', Qt::Key_Right },
        { u'⇥', Qt::Key_End }, { u'⌦', Qt::Key_Delete }, { u'ℹ', Qt::Key_F1 } };
    static const QHash<QChar, QString> clicks { { u'↵', u"cmdEnter"_s },
        { u'Ⓐ', u"lblAnzeigeWdhlg"_s }, { u'Ⓛ', u"lblLoesAnzeige"_s } };
    for (const QChar c : actions) {
        QWidget* focus = QApplication::focusWidget();
        if (!focus || !screen->isAncestorOf(focus))
            focus = screen;
        if (c == u'②' || c == u'③')
            fire(control<QTimer>(screen, c == u'②' ? u"Timer2"_s : u"Timer3"_s));
        else if (clicks.contains(c))
            QTest::mouseClick(control(screen, clicks[c]), Qt::LeftButton);
        else if (keys.contains(c))
            QTest::keyClick(focus, keys[c]);
        else
            typeKeys(focus, QString(c));
    }
}
} // namespace

class TestFillIn : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void actions_data();
    void actions();
    void linkHover();
};

void TestFillIn::actions_data()
{
    QTest::addColumn<QStringList>("task");
    QTest::addColumn<int>("score"); // before
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QString>("shown"); // the text field, or the solution shown in its place
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("after");
    QTest::addColumn<int>("errors");
    QTest::addColumn<QColor>("colour");

    const QString solved = u"Die Schule beginnt."_s;
    const QString right = u"Richtig! 50 Punkte"_s;
    const QString wrong = u"Noch nicht richtig! (-25 Punkte)"_s;
    const QString check = u"Kontrolle durch [Enter]"_s;
    const QString solution = u"Lösung anzeigen! (-50 Punkte)"_s;
    const QColor red = Theme::WrongColour;
    const QColor black = Theme::Black;
    const QStringList rain { QString(), u"E"_s, u"s regnet."_s };
    const auto row = [](const char* name, const QStringList& task, int score, const QString& acts,
                         const QString& shown, int cursor, const QString& message, int after,
                         int errors, const QColor& colour) {
        QTest::newRow(name) << task << score << acts << shown << cursor << message << after
                            << errors << colour;
    };
    row("worked example", Example, 0, u"u\r"_s, solved, 8, right, 50, 0, Green);
    row("empty before-part", rain, 0, u"E↵"_s, u"Es regnet."_s, 1, right, 50, 0, Green);
    row("umlaut deleted", Example, 0, u"ü\bu\r"_s, solved, 8, right, 50, 0, Green);
    // The whole text counts: its beginning and its end alone would let these pass.
    row("ux", Example, 100, u"ux\r"_s, u"Die Schuxle beginnt."_s, 9, wrong, 75, 1, red);
    row("uu", Example, 100, u"uu\r"_s, u"Die Schuule beginnt."_s, 9, wrong, 75, 1, red);
    row("capital U", Example, 100, u"U\r"_s, u"Die SchUle beginnt."_s, 8, wrong, 75, 1, red);
    row("20 - 25 stops at 0", Example, 20, u"\r"_s, u"Die Schle beginnt."_s, 7, wrong, 0, 1, red);
    row("3 - 5 stops at 0", Example, 3, u"Ⓐ"_s, u"Die Schle beginnt."_s, 7,
        u"Anzeige erneuern! (-5 Punkte)"_s, 0, 0, black);
    row("repeat restores the task", Example, 100, u"xⒶ"_s, u"Die Schle beginnt."_s, 7,
        u"Anzeige erneuern! (-5 Punkte)"_s, 95, 0, black);
    row("any key, even an arrow", Example, 0, u"\r→"_s, u"Die Schle beginnt."_s, 8, check, 0, 1,
        red);
    row("F1 is no key in the field", Example, 0, u"u\rℹ"_s, solved, 8, right, 50, 0, Green);
    row("Enter during the pause counts once", Example, 0, u"u\r↵"_s, solved, 8, right, 50, 0,
        Green);
    row("next task", Example, 0, u"u\r②"_s, u"Han."_s, 2, u"Erwarte Eingabe"_s, 50, 0, black);
    row("errors stay with the next task", Example, 0, u"\ru\r②\r"_s, u"Han."_s, 2, wrong, 25, 2,
        red);
    // Shown for three seconds; Enter, "Anzeige wiederholen" and a second click change nothing.
    row("solution", Example, 120, u"Ⓛ\rⓁⒶ↵"_s, solved, 7, solution, 70, 0, black);
    row("solution over: text and cursor back", Example, 100, u"xy←⌦Ⓛ③\r"_s,
        u"Die Schxle beginnt."_s, 8, wrong, 25, 1, red);
    // The next task is set behind the display; the cursor cannot stand beyond its text.
    row("solution over after the next task", Example, 100, u"u⇥\rⓁ②③"_s, u"Han."_s, 4,
        u"Erwarte Eingabe"_s, 100, 0, black);
}

void TestFillIn::actions()
{
    QFETCH(QStringList, task);
    QFETCH(int, score);
    QFETCH(QString, actions);
    QFETCH(QString, shown);
    QFETCH(int, cursor);
    QFETCH(QString, message);
    QFETCH(int, after);
    QFETCH(int, errors);
    QFETCH(QColor, colour);
    TestProgram program;
    ExerciseScreen* screen = program.startWith(Number, task);
    QVERIFY(screen);
    QVERIFY(!screen->findChild<QLabel*>(u"lblFehleranzeige"_s));
    program.state.ScoreTable(Number) = score;
    act(screen, actions);

    auto* field = control<QLineEdit>(screen, u"txtEingabe"_s);
    auto* solution = control<QLabel>(screen, u"lblLoesungsAnzeige"_s);
    auto* display = control<QTimer>(screen, u"Timer3"_s);
    QCOMPARE(field->isVisible(), !solution->isVisible());
    QCOMPARE(solution->isVisible() ? solution->text() : field->text(), shown);
    QCOMPARE(display->isActive() ? display->interval() : 0, solution->isVisible() ? 3000 : 0);
    QCOMPARE(QApplication::focusWidget() == field, field->isVisible());
    QCOMPARE(field->cursorPosition(), cursor);
    QCOMPARE(field->palette().color(QPalette::Text), colour);
    QCOMPARE(control<QLabel>(screen, u"lblPunktemeldung"_s)->text(), message);
    QCOMPARE(program.state.ScoreTable(Number), after);
    QCOMPARE(control<QLabel>(screen, u"lblFehler"_s)->text(), QString::number(errors));
    QCOMPARE(program.fake.browser.urls.size(), actions.count(u'ℹ'));
}

// Each link turns red under the mouse, and black again when it leaves for the other link, the
// panel or the background.
void TestFillIn::linkHover()
{
    TestProgram program;
    ExerciseScreen* screen = program.startWith(Number, Example);
    QVERIFY(screen);
    QWidget* repeat = control(screen, u"lblAnzeigeWdhlg"_s);
    QWidget* solution = control(screen, u"lblLoesAnzeige"_s);
    const auto red = [&] {
        return QList<bool> { Theme::textColour(repeat) == Theme::HoverColour,
            Theme::textColour(solution) == Theme::HoverColour };
    };
    enter(repeat);
    QCOMPARE(red(), (QList<bool> { true, false }));
    enter(solution);
    QCOMPARE(red(), (QList<bool> { false, true }));
    moveOver(control(screen, u"fraAuswertung"_s), QPoint(4, 30));
    QCOMPARE(red(), (QList<bool> { false, false }));
    enter(repeat);
    moveOver(screen, QPoint(2, screen->height() / 2));
    QCOMPARE(red(), (QList<bool> { false, false }));
}

QTEST_MAIN(TestFillIn)
#include "tst_fillin.moc"
