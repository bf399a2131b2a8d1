#include "core/ProgramState.h"
#include "support/TestProgram.h"
#include "ui/Theme.h"

#include <QHash>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {
constexpr int Number = 3;
const QStringList Example { u"Die Sch"_s, u"u"_s, u"le beginnt."_s, u"Ha"_s, u"h"_s, u"n."_s };

// Real keys to the widget with the focus; a few symbols stand for what a child does besides:
// ← → ℹ keys that type nothing (ℹ is F1), ↵ the Enter button, Ⓐ "Anzeige wiederholen",
// Ⓛ "Lösung anzeigen", ② the end of the pause after a right answer, ③ the end of the solution
// display.
void act(ExerciseScreen* screen, const QString& actions)
{
    static const QHash<QChar, Qt::Key> keys { { u'←', Qt::Key_Left }, { u'→', Qt::Key_Right },
        { u'ℹ', Qt::Key_F1 } };
    static const QHash<QChar, QString> clicks { { u'↵', u"cmdEnter"_s },
        { u'Ⓐ', u"lblAnzeigeWdhlg"_s }, { u'Ⓛ', u"lblLoesAnzeige"_s } };
    for (const QChar c : actions) {
        QWidget* focus = QApplication::focusWidget();
        focus = focus && screen->isAncestorOf(focus) ? focus : screen;
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
    // The text field (or the solution shown in its place), its cursor and text colour, the
    // message, the score and the errors.
    QTest::addColumn<QString>("state");

    const QString solved = u"Die Schule beginnt."_s;
    const QString right = u"Richtig! 50 Punkte"_s;
    const QString wrong = u"Noch nicht richtig! (-25 Punkte)"_s;
    const QColor green { 0, 192, 0 };
    const QColor red = Theme::WrongColour;
    const QColor black = Theme::Black;
    const auto row = [](const char* name, const QStringList& task, int score, const QString& acts,
                         const QString& shown, int cursor, const QColor& colour,
                         const QString& message, int after, int errors) {
        QTest::newRow(name) << task << score << acts
                            << u"%1|%2|%3|%4|%5|%6"_s.arg(shown).arg(cursor).arg(colour.name(),
                                   message, QString::number(after), QString::number(errors));
    };
    row("umlaut deleted, empty before-part", { QString(), u"Ä"_s, u"pfel fallen."_s }, 0,
        u"Ü\bÄ↵"_s, u"Äpfel fallen."_s, 1, green, right, 50, 0);
    // The whole text counts: its beginning and its end alone would let this pass.
    row("uu; 20 - 25 stops at 0", Example, 20, u"uu\r"_s, u"Die Schuule beginnt."_s, 9, red, wrong,
        0, 1);
    row("repeat restores the task; 3 - 5 stops at 0", Example, 3, u"xⒶ"_s, u"Die Schle beginnt."_s,
        7, black, u"Anzeige erneuern! (-5 Punkte)"_s, 0, 0);
    row("any key, even an arrow", Example, 0, u"\r→"_s, u"Die Schle beginnt."_s, 8, red,
        u"Kontrolle durch [Enter]"_s, 0, 1);
    // Enter during the pause counts once; F1 helps and is no key in the field.
    row("worked example, then Enter and F1", Example, 0, u"u\r↵ℹ"_s, solved, 8, green, right, 50,
        0);
    // Shown for three seconds; Enter, "Anzeige wiederholen" and a second click change nothing.
    row("solution", Example, 120, u"Ⓛ\rⓁⒶ↵"_s, solved, 7, black, u"Lösung anzeigen! (-50 Punkte)"_s,
        70, 0);
    row("solution over: text and cursor back", Example, 100, u"xy←Ⓛ③\r"_s,
        u"Die Schxyle beginnt."_s, 8, red, wrong, 25, 1);
    // The next task is set behind the display; the cursor cannot stand beyond its text.
    row("solution over after the next task", Example, 100, u"u→\rⓁ②③"_s, u"Han."_s, 4, black,
        u"Erwarte Eingabe"_s, 100, 0);
}

void TestFillIn::actions()
{
    QFETCH(QStringList, task);
    QFETCH(int, score);
    QFETCH(QString, actions);
    QFETCH(QString, state);
    TestProgram program;
    ExerciseScreen* screen = program.startWith(Number, task);
    QVERIFY(screen);
    program.state.ScoreTable(Number) = score;
    act(screen, actions);

    auto* field = control<QLineEdit>(screen, u"txtEingabe"_s);
    auto* solution = control<QLabel>(screen, u"lblLoesungsAnzeige"_s);
    auto* display = control<QTimer>(screen, u"Timer3"_s);
    QCOMPARE(field->isVisible(), !solution->isVisible());
    QCOMPARE(display->isActive() ? display->interval() : 0, solution->isVisible() ? 3000 : 0);
    QCOMPARE(QApplication::focusWidget() == field, field->isVisible());
    QCOMPARE(u"%1|%2|%3|%4|%5|%6"_s.arg(solution->isVisible() ? solution->text() : field->text())
                 .arg(field->cursorPosition())
                 .arg(field->palette().color(QPalette::Text).name(),
                     control<QLabel>(screen, u"lblPunktemeldung"_s)->text(),
                     QString::number(program.state.ScoreTable(Number)),
                     control<QLabel>(screen, u"lblFehler"_s)->text()),
        state);
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
    enter(repeat);
    QCOMPARE(Theme::textColour(repeat), Theme::HoverColour);
    enter(solution);
    QCOMPARE(Theme::textColour(repeat), Theme::Black);
    QCOMPARE(Theme::textColour(solution), Theme::HoverColour);
    moveOver(control(screen, u"fraAuswertung"_s), QPoint(4, 30));
    QCOMPARE(Theme::textColour(solution), Theme::Black);
    enter(repeat);
    moveOver(screen, QPoint(2, screen->height() / 2));
    QCOMPARE(Theme::textColour(repeat), Theme::Black);
}

QTEST_MAIN(TestFillIn)
#include "tst_fillin.moc"
