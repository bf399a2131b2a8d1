// What every exercise screen shares, checked on each screen that exists: a row per screen.
#include "core/Scoring.h"
#include "support/TestProgram.h"
#include "ui/Theme.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <functional>

using namespace Qt::StringLiterals;

namespace {
// How a row works its screen: the keys (or other input) of one step, to the control with the
// focus, as a child would.
using Driver = std::function<void(ExerciseScreen*, const QString& input)>;

void typeToFocus(ExerciseScreen* screen, const QString& input)
{
    QWidget* focus = QApplication::focusWidget();
    typeKeys(focus && screen->isAncestorOf(focus) ? focus : screen, input);
}

// One exercise screen, its task file, and inputs for its first two tasks. With the random
// stand-in at 0 the first task of the file comes first and the second next.
struct Row
{
    int k;
    QStringList tasks;
    QString right; // a right input that does not finish the first task
    QString wrong;
    QString finish; // the rest of the first task
    QString second; // the whole second task
    QString line; // the typed line, red after a wrong input; empty where there is none
    QString pause; // the timer of the pause after a task, empty where the next follows at once
    Driver drive = typeToFocus;
    QString afterRight = u"imgLach"_s; // the picture a right input shows
};

void addRows()
{
    QTest::addColumn<Row>("row");
    const QStringList sums { u"100 + 25 ="_s, u"125"_s, u"6 · 7 ="_s, u"42"_s };
    QTest::newRow("1 Abtippübungen") << Row { 1, { u"Ja, gut."_s, u"Nein."_s }, u"J"_s, u"x"_s,
        u"a, gut."_s, u"Nein."_s, u"lblEingabe"_s, {} };
    for (int k = 9; k <= 12; ++k) {
        QTest::newRow(qPrintable(u"%1 %2"_s.arg(k).arg(exercise(k).menuText)))
            << Row { k, sums, u"1"_s, u"x"_s, u"25"_s, u"42"_s, u"lblEingabe"_s, u"Timer2"_s };
    }
}

// The picture that is visible; at most one may be.
QString visiblePicture(ExerciseScreen* screen)
{
    QStringList shown;
    for (const QString& name : { u"imgLach"_s, u"imgAerg"_s, u"imgZiel"_s }) {
        if (control<QLabel>(screen, name)->isVisibleTo(screen))
            shown.append(name);
    }
    return shown.join(u',');
}

QString text(ExerciseScreen* screen, const QString& name)
{
    return control<QLabel>(screen, name)->text();
}

// Waits out the pause after a task, where the row has one.
void endPause(ExerciseScreen* screen, const Row& row)
{
    if (!row.pause.isEmpty())
        fire(control<QTimer>(screen, row.pause));
}

// An exercise with a real text field, as the fill-in exercise has: it records what reaches it.
class FieldExercise final : public ExerciseScreen
{
public:
    FieldExercise(ProgramState& state, Platform& platform)
        : ExerciseScreen(3, state, platform)
    {
        auto* field = new QLineEdit(taskArea());
        field->setObjectName(u"txtEingabe"_s);
        setTextField(field);
    }
    QString reached;
    int fieldKeys = 0;

protected:
    QString loadExercise() override { return {}; }
    void keyPressed(QChar c) override { reached += c; }
    void textFieldKey() override { ++fieldKeys; }
};
} // namespace

Q_DECLARE_METATYPE(Row)

class TestScreens : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void feedbackAndCounters_data() { addRows(); }
    void feedbackAndCounters();
    void clockHelpAndHover_data() { addRows(); }
    void clockHelpAndHover();
    void timeLimitEndsAfterTheTask_data() { addRows(); }
    void timeLimitEndsAfterTheTask();
    void taskFileFails_data();
    void taskFileFails();
    void keysThatTypeNothing_data();
    void keysThatTypeNothing();
    void textFieldTakesItsKeys();
};

void TestScreens::feedbackAndCounters()
{
    QFETCH(Row, row);
    TestProgram program;
    ExerciseScreen* screen = program.startWith(row.k, row.tasks);
    QVERIFY(screen);
    QCOMPARE(visiblePicture(screen), QString());

    row.drive(screen, row.right);
    QCOMPARE(visiblePicture(screen), row.afterRight);
    row.drive(screen, row.wrong);
    QCOMPARE(visiblePicture(screen), u"imgAerg"_s);
    QCOMPARE(text(screen, u"lblFehler"_s), u"1"_s);
    if (!row.line.isEmpty()) {
        QCOMPARE(Theme::textColour(control(screen, row.line)), Theme::WrongColour);
        row.drive(screen, row.finish.left(1));
        QCOMPARE(Theme::textColour(control(screen, row.line)), Theme::Black);
        row.finish.remove(0, 1);
    }
    QCOMPARE(text(screen, u"lblAufg"_s), u"1"_s);

    const QString before = text(screen, u"lblPunktestand"_s);
    row.drive(screen, row.finish);
    QCOMPARE(visiblePicture(screen), u"imgZiel"_s);
    const qint32 score = program.state.ScoreTable(row.k);
    QVERIFY(text(screen, u"lblPunktestand"_s) != before);
    QCOMPARE(text(screen, u"lblPunktestand"_s), formatScore(score));
    QCOMPARE(program.startScore(row.k), scoreLabelText(score));

    if (!row.pause.isEmpty()) {
        // A real one-second pause, during which keys change nothing.
        auto* pause = control<QTimer>(screen, row.pause);
        QVERIFY(pause->isActive());
        QVERIFY(pause->isSingleShot());
        QCOMPARE(pause->interval(), 1000);
        row.drive(screen, row.second);
        QCOMPARE(program.state.ScoreTable(row.k), score);
        QCOMPARE(text(screen, u"lblFehler"_s), u"1"_s);
        endPause(screen, row);
        QCOMPARE(visiblePicture(screen), QString());
    }
    QCOMPARE(text(screen, u"lblAufg"_s), u"2"_s);
    QCOMPARE(text(screen, u"lblFehler"_s), u"1"_s);
}

void TestScreens::clockHelpAndHover()
{
    QFETCH(Row, row);
    TestProgram program;
    program.fake.clock.seconds = 14 * 3600 + 5 * 60 + 9;
    ExerciseScreen* screen = program.startWith(row.k, row.tasks);
    QVERIFY(screen);

    auto* clock = control<QTimer>(screen, u"Timer1"_s);
    QVERIFY(clock->isActive());
    QVERIFY(!clock->isSingleShot());
    QCOMPARE(clock->interval(), 1000);
    QCOMPARE(text(screen, u"lblUhrzeit"_s), u"14:05:09"_s);
    program.fake.clock.advance(1);
    fire(clock);
    QCOMPARE(text(screen, u"lblZeit"_s), u"00:01"_s);
    QCOMPARE(text(screen, u"lblUhrzeit"_s), u"14:05:10"_s);

    // F1 wherever the focus is, an option button too; the space there is the exercise's.
    auto* option = control<QRadioButton>(screen, u"opt5min"_s);
    option->setFocus();
    QTest::keyClick(option, Qt::Key_F1);
    QCOMPARE(program.fake.browser.urls,
        QList<QUrl> {
            QUrl::fromLocalFile(program.folder.filePath(u"Hilfe/"_s + exercise(row.k).helpPage)) });
    QTest::keyClick(option, Qt::Key_Space);
    QVERIFY(control<QRadioButton>(screen, u"optKeine"_s)->isChecked());

    for (const QString& name : { u"lblUebEnd"_s, u"lblWeb"_s }) {
        QWidget* link = control(screen, name);
        enter(link);
        QCOMPARE(Theme::textColour(link), Theme::HoverColour);
        moveOver(screen, QPoint(screen->width() - 2, screen->height() / 2));
        QCOMPARE(Theme::textColour(link), Theme::Black);
    }
}

void TestScreens::timeLimitEndsAfterTheTask()
{
    QFETCH(Row, row);
    TestProgram program;
    ExerciseScreen* screen = program.startWith(row.k, row.tasks);
    QVERIFY(screen);
    control<QRadioButton>(screen, u"opt5min"_s)->click();
    auto* clock = control<QTimer>(screen, u"Timer1"_s);
    for (int second = 0; second < 4 * 60 + 59; ++second)
        fire(clock);
    row.drive(screen, row.right + row.finish);
    endPause(screen, row);
    QVERIFY(program.fake.messages.shown.isEmpty());

    // The limit passes during the second task, which the child still finishes.
    fire(clock);
    row.drive(screen, row.wrong);
    QVERIFY(program.fake.messages.shown.isEmpty());
    const qint32 before = program.state.ScoreTable(row.k);
    row.drive(screen, row.second);
    endPause(screen, row);
    QCOMPARE(program.fake.messages.shown.size(), 1);
    QCOMPARE(program.fake.messages.shown[0].text, u"Die eingestellte Zeit ist abgelaufen."_s);
    QCOMPARE(program.fake.messages.shown[0].title, u"Hinweis"_s);
    program.settle();
    QVERIFY(!program.screen(row.k));
    QVERIFY(program.state.ScoreTable(row.k) != before);
    QCOMPARE(program.startScore(row.k), scoreLabelText(program.state.ScoreTable(row.k)));

    // Opened again, the screen starts afresh and shows the score.
    screen = program.open(row.k);
    QVERIFY(screen);
    QCOMPARE(text(screen, u"lblZeit"_s), u"00:00"_s);
    QVERIFY(control<QRadioButton>(screen, u"optKeine"_s)->isChecked());
    QCOMPARE(text(screen, u"lblPunktestand"_s), formatScore(program.state.ScoreTable(row.k)));
}

void TestScreens::taskFileFails_data()
{
    addRows();
}

// A task file missing at the opening keeps the screen closed; one that vanishes before the
// next pass ends the open screen. Either way the child is told which file and why.
void TestScreens::taskFileFails()
{
    QFETCH(Row, row);
    for (const bool atOpening : { true, false }) {
        TestProgram program;
        program.writeTasks(row.k, row.tasks);
        program.start();
        program.show();
        if (atOpening)
            QVERIFY(QFile::remove(taskFilePath(program.folder.path(), row.k)));
        ExerciseScreen* screen = program.open(row.k);
        if (!atOpening) {
            QVERIFY(screen);
            row.drive(screen, row.right + row.finish);
            endPause(screen, row);
            QVERIFY(QFile::remove(taskFilePath(program.folder.path(), row.k)));
            row.drive(screen, row.second);
            endPause(screen, row);
            program.settle();
        }
        QVERIFY(!program.screen(row.k));
        QCOMPARE(program.fake.messages.shown.size(), 1);
        const QString told = program.fake.messages.shown[0].text;
        QVERIFY2(told.contains(exercise(row.k).taskFile.mid(1)), qPrintable(told));
        QVERIFY2(told.endsWith(atOpening ? u"Die Übung kann nicht geöffnet werden."_s
                                         : u"Die Übung wird beendet."_s),
            qPrintable(told));
    }
}

void TestScreens::keysThatTypeNothing_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("hint"); // empty: the key never reached the exercise

    QTest::newRow("Delete") << int(Qt::Key_Delete) << u"\x7f"_s << 0 << QString();
    QTest::newRow("Alt+J") << int(Qt::Key_J) << u"j"_s << int(Qt::AltModifier) << QString();
    QTest::newRow("Ctrl+J") << int(Qt::Key_J) << u"\n"_s << int(Qt::ControlModifier) << QString();
    QTest::newRow("arrow") << int(Qt::Key_Left) << QString() << 0 << QString();
    // AltGr is reported as Ctrl+Alt on some systems, as no modifier on others.
    QTest::newRow("AltGr @") << int(Qt::Key_At) << u"@"_s
                             << int(Qt::ControlModifier | Qt::AltModifier) << u"@ statt J"_s;
    QTest::newRow("AltGr €") << int(Qt::Key_unknown) << u"€"_s << 0 << u"€ statt J"_s;
    QTest::newRow("umlaut") << int(Qt::Key_unknown) << u"ä"_s << 0 << u"ä statt J"_s;
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << u"\b"_s << 0 << u"Rücktaste statt J"_s;
}

void TestScreens::keysThatTypeNothing()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, modifiers);
    QFETCH(QString, hint);
    TestProgram program;
    QVERIFY(program.startWith(1, { u"Ja."_s, u"Nein."_s }));
    ExerciseScreen* screen = program.screen(1);

    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key(key), text,
        Qt::KeyboardModifiers(modifiers));
    QCOMPARE(::text(screen, u"lblFehleranzeige"_s), hint);
    QCOMPARE(::text(screen, u"lblFehler"_s), hint.isEmpty() ? u"0"_s : u"1"_s);
    QVERIFY(program.screen(1));
}

void TestScreens::textFieldTakesItsKeys()
{
    TestProgram program;
    ExerciseRegistry exercises;
    FieldExercise* exercise = nullptr;
    exercises.add(3, [&exercise](ProgramState& state, Platform& platform) {
        return exercise = new FieldExercise(state, platform);
    });
    program.start(exercises);
    program.show();
    QVERIFY(program.open(3));
    auto* field = control<QLineEdit>(exercise, u"txtEingabe"_s);
    QCOMPARE(QApplication::focusWidget(), field);

    typeKeys(field, u"Schüle"_s);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(field, Qt::Key_Left);
    QTest::keyClick(field, Qt::Key_Delete);
    typeKeys(field, u"u"_s);
    QTest::keyClick(field, Qt::Key_End);
    typeKeys(field, u"\r"_s);
    QTest::keyClick(field, Qt::Key_Escape);
    QTest::keyClick(field, Qt::Key_F1);

    QCOMPARE(field->text(), u"Schule"_s);
    QCOMPARE(exercise->reached, u"\r"_s);
    QCOMPARE(exercise->fieldKeys, 13);
    QCOMPARE(program.fake.browser.urls.size(), 1);
}

QTEST_MAIN(TestScreens)
#include "tst_screens.moc"
