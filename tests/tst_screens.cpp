// What every exercise screen shares, checked on each screen that exists: a row per screen.
#include "arithmetic/ArithmeticScreen.h"
#include "core/Scoring.h"
#include "platform/JournalDatabase.h"
#include "support/JournalSeed.h"
#include "support/TestProgram.h"
#include "ui/Theme.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTableWidget>
#include <QTextDocument>
#include <functional>

using namespace Qt::StringLiterals;

namespace {
// How a row works its screen: the keys (or other input) of one step, as a child would.
using Driver = std::function<void(ExerciseScreen*, const QString& input)>;

void typeToFocus(ExerciseScreen* screen, const QString& input)
{
    QWidget* focus = QApplication::focusWidget();
    typeKeys(focus && screen->isAncestorOf(focus) ? focus : screen, input);
}

QLabel* indexed(const ExerciseScreen* screen, const char* name, int i)
{
    return control<QLabel>(screen, u"%1(%2)"_s.arg(QLatin1String(name)).arg(i));
}

QPoint cornerOf(const ExerciseScreen* screen, const QWidget* control)
{
    return control->parentWidget()->mapTo(screen, control->pos());
}

// A word-puzzle tile dragged with real mouse events, grabbed inside and moved in steps until
// its top left corner lies at `target`.
void dragTile(ExerciseScreen* screen, QWidget* tile, const QPoint& target,
    Qt::MouseButton button = Qt::LeftButton)
{
    const QPoint grip(8, 11);
    const QPoint start = cornerOf(screen, tile);
    QTest::mousePress(tile, button, {}, grip);
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(tile, start + (target - start) * step / 4 - cornerOf(screen, tile) + grip);
    QTest::mouseRelease(tile, button, {}, target - cornerOf(screen, tile) + grip);
}

// Digit pairs: tile t (letter t of the word) onto box b.
void dragTiles(ExerciseScreen* screen, const QString& pairs)
{
    for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
        dragTile(screen, indexed(screen, "lblBuchstabe", pairs[i].digitValue()),
            cornerOf(screen, indexed(screen, "lblZiel", pairs[i + 1].digitValue())));
    }
}

QString text(ExerciseScreen* screen, const QString& name);

// The same drops by keyboard: arrows to the tile, Enter, arrows to the box, Enter. Each tile is
// first taken and put back with Esc, which changes nothing.
void keyTiles(ExerciseScreen* screen, const QString& pairs)
{
    const auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
    for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
        QLabel* tile = indexed(screen, "lblBuchstabe", pairs[i].digitValue());
        const QPoint box = cornerOf(screen, indexed(screen, "lblZiel", pairs[i + 1].digitValue()));
        for (int step = 0; step < 10 && QApplication::focusWidget() != tile; ++step)
            press(step < 5 ? Qt::Key_Right : Qt::Key_Left);
        QCOMPARE(QApplication::focusWidget(), tile);
        QCOMPARE(tile->lineWidth(), 3);
        const QPoint home = cornerOf(screen, tile);
        const QString score = text(screen, u"lblPunktestand"_s);
        typeKeys(tile, u"\r\x1b"_s);
        QCOMPARE(cornerOf(screen, tile), home);
        QCOMPARE(text(screen, u"lblPunktestand"_s), score);
        typeKeys(tile, u"\r"_s);
        for (int step = 0; step < 20 && cornerOf(screen, tile) != box; ++step)
            press(step < 10 ? Qt::Key_Right : Qt::Key_Left);
        QCOMPARE(cornerOf(screen, tile), box);
        typeKeys(tile, u"\r"_s);
    }
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
    Driver drive;
    bool judgedOnEnter; // a text field judges its text on Enter alone, and stays red until then
    QString prompt; // the first task as the child sees it
    QString secondPrompt;
};

void addRows()
{
    QTest::addColumn<Row>("row");
    QMap<int, Row> rows;
    // The tasks, and the inputs right|wrong|finish|second. Each first task takes one wrong input.
    const auto row = [&rows](int k, const QString& tasks, const QString& inputs,
                         const QString& line, const QString& pause = {}, Driver drive = typeToFocus,
                         bool onEnter = false, const QString& prompt = {},
                         const QString& secondPrompt = {}) {
        const QStringList in = inputs.split(u'|');
        const QStringList lines = tasks.split(u'|');
        rows.insert(k,
            Row { k, lines, in[0], in[1], in[2], in[3], line, pause, drive, onEnter,
                prompt.isNull() ? lines[0] : prompt,
                secondPrompt.isNull() ? lines.value(exercise(k).tasks.lines) : secondPrompt });
    };
    row(1, u"Ja, gut.|Nein."_s, u"J|x|a, gut.|Nein."_s, u"lblEingabe"_s);
    row(2, u"Lied|Leid"_s, u"00|12|112233|00112233"_s, {}, u"Timer2"_s, dragTiles);
    // Typing into the gap judges nothing; a confirmation does.
    row(3, u"Die So|nn|e scheint.|Der Ha|h|n."_s, u"n|\r|n\r|h\r"_s, u"txtEingabe"_s, u"Timer2"_s,
        typeToFocus, true, u"Die Soe scheint."_s, u"Der Han."_s);
    row(4, u"Katze|Kätzchen|der Hund|Hündchen"_s, u"K|x|ätzchen|Hündchen"_s, u"lblEingabe"_s);
    row(5, u"Ich belle.|Hund|Wer miaut im Haus?|Katze"_s, u"H|k|und|Katze"_s, u"lblEingabe"_s);
    row(6, u"sein|bin|bist|ist|sind|seid|sind|tun|tue|tust|tut|tun|tut|tun"_s,
        u"b|\r|inbististsindseidsind|tuetusttuttuntuttun"_s, u"lblEingabe(1)"_s);
    row(7,
        u"ich bin|werde sein|werde gewesen sein|bin gewesen|war|war gewesen|du hast|wirst haben|"
        u"wirst gehabt haben|hast gehabt|hattest|hattest gehabt"_s,
        u"we|x|rde seinwerde gewesen seinbin gewesenwarwar gewesen|"
        u"wirst habenwirst gehabt habenhast gehabthattesthattest gehabt"_s,
        u"lblEingabe(1)"_s);
    row(8, u"Schneeball|Schneeballschlacht|Tag und|Nacht"_s, u"Schnee| |ballschlacht|Nacht"_s,
        u"lblEingabe"_s);
    // An answer of 90 digits scrolls, one of 30 is shown whole in a smaller font.
    const QString answers[]
        = { u"1234567890"_s.repeated(9), u"1234567890"_s.repeated(3), u"123"_s };
    int arithmetic = 0;
    for (int k = 1; k <= ExerciseCount; ++k) {
        if (exercise(k).kind != ExerciseKind::Arithmetic || rows.contains(k))
            continue;
        const QString& answer = answers[std::min(arithmetic++, 2)];
        row(k, u"Zahl =|%1|6 · 7 =|42"_s.arg(answer),
            u"%1|x|%2|42"_s.arg(answer.chopped(2), answer.right(2)), u"lblEingabe"_s, u"Timer2"_s);
    }
    // Every exercise of the catalogue has its row; one without fails.
    for (int k = 1; k <= ExerciseCount; ++k) {
        QTest::newRow(qPrintable(u"%1 %2"_s.arg(k).arg(exercise(k).menuText)))
            << rows.value(k, Row { k, {}, {}, {}, {}, {}, {}, {}, {}, false, {}, {} });
    }
}

// The picture that is visible; at most one may be.
QString visiblePicture(ExerciseScreen* screen)
{
    QString shown;
    for (const QString& name : { u"imgLach"_s, u"imgAerg"_s, u"imgZiel"_s })
        shown += control<QLabel>(screen, name)->isVisibleTo(screen) ? name : QString();
    return shown;
}

QString text(ExerciseScreen* screen, const QString& name)
{
    return control<QLabel>(screen, name)->text();
}

// A task as the tests compare it: its exercise or its number first.
QString taskLine(
    int first, const QString& prompt, qint32 seconds, qint32 errors, qint64 points, bool helpUsed)
{
    return u"%1|%2|%3 s|%4 Fehler|%5 Punkte|%6"_s.arg(first)
        .arg(prompt)
        .arg(seconds)
        .arg(errors)
        .arg(points)
        .arg(helpUsed);
}

// What the program's journal holds of the child without a score file: each session, its end
// and its points, then each of its tasks.
QStringList journalled(const TestProgram& program)
{
    JournalDatabase journal;
    if (!journal.open(program.fake.folders.data + u"/tagebuch.sqlite"_s).ok)
        return {};
    QStringList lines;
    for (const JournalExport& written : journal.everything(u"ohne Namen"_s)) {
        const JournalSession& s = written.session;
        lines.append(u"Übung %1|%2 Aufgaben|%3 Fehler|%4 bis %5|Ende %6"_s.arg(s.exercise)
                         .arg(s.tasks)
                         .arg(s.errors)
                         .arg(s.pointsAtStart)
                         .arg(s.pointsAtEnd)
                         .arg(s.end ? int(*s.end) : -1));
        for (const JournalTask& t : written.tasks) {
            lines.append(taskLine(t.number, t.prompt, t.seconds, t.errors, t.points, t.helpUsed));
        }
    }
    return lines;
}

} // namespace

Q_DECLARE_METATYPE(Row)
Q_DECLARE_METATYPE(SessionEnd)

class TestScreens : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void frame_data() { addRows(); }
    void frame();
    void keyboard_data() { addRows(); }
    void keyboard();
    void accessible_data();
    void accessible();
    void fits_data() { addRows(); }
    void fits();
    void keysOnTheScreen_data();
    void keysOnTheScreen();
    void sessionEnds_data();
    void sessionEnds();
    void journalTrouble_data();
    void journalTrouble();
    void ownRegistry();
    void wordPuzzleMouse();
    void textFromFiles_data();
    void textFromFiles();
    void practiceRound_data() { addRows(); }
    void practiceRound();
    void wordPuzzleByKeyboard_data();
    void wordPuzzleByKeyboard();
};

// A screen's life: opened, two tasks under a time limit that passes during the second, opened
// again afresh, ended by a task file that vanished, and kept closed while the file is missing.
void TestScreens::frame()
{
    QFETCH(Row, row);
    QVERIFY2(!row.tasks.isEmpty(), "no inputs for this exercise");
    TestProgram program;
    program.fake.clock.seconds = 14 * 3600 + 5 * 60 + 9;
    ExerciseScreen* screen = program.startWith(row.k, row.tasks);
    QVERIFY(screen);
    // What the screens report of their tasks and of how they were left.
    QStringList finished;
    QList<SessionEnd> ends;
    const auto listen = [&finished, &ends](ExerciseScreen* s) {
        QObject::connect(s, &ExerciseScreen::taskFinished, s, [&finished](const TaskResult& r) {
            finished.append(
                taskLine(r.exercise, r.prompt, r.seconds, r.errors, r.points, r.helpUsed));
        });
        QObject::connect(
            s, &ExerciseScreen::sessionEnded, s, [&ends](SessionEnd e) { ends.append(e); });
    };
    listen(screen);
    const auto endPause = [&] {
        if (!row.pause.isEmpty())
            fire(control<QTimer>(screen, row.pause));
    };
    // The picture shown, lblFehler and lblAufg.
    const auto panel = [&] {
        return u"%1 %2 %3"_s.arg(
            visiblePicture(screen), text(screen, u"lblFehler"_s), text(screen, u"lblAufg"_s));
    };
    const auto& told = program.fake.messages.shown;

    // Panels and option buttons show the panel colour itself, not a shade the style lays over.
    for (QGroupBox* frame : screen->findChildren<QGroupBox*>()) {
        const QImage image = frame->grab().toImage();
        const QRect inside = frame->contentsRect();
        for (int y = inside.top(); y <= inside.bottom(); y += 2) {
            for (int x = inside.left(); x <= inside.right(); x += 2)
                QVERIFY(frame->childAt(x, y) || image.pixelColor(x, y) == Theme::PanelBackground);
        }
    }
    for (QRadioButton* option : screen->findChildren<QRadioButton*>()) {
        QCOMPARE(option->grab().toImage().pixelColor(option->width() - 2, option->height() / 2),
            Theme::PanelBackground);
    }
    for (const QString& name : { u"lblUebEnd"_s, u"lblWeb"_s }) {
        enter(control(screen, name));
        QCOMPARE(Theme::textColour(control(screen, name)), Theme::HoverColour);
        moveOver(screen, QPoint(screen->width() - 2, screen->height() / 2));
        QCOMPARE(Theme::textColour(control(screen, name)), Theme::Black);
    }

    auto* clock = control<QTimer>(screen, u"Timer1"_s);
    QVERIFY(clock->isActive() && !clock->isSingleShot());
    QCOMPARE(clock->interval(), 1000);
    QCOMPARE(text(screen, u"lblUhrzeit"_s), u"14:05:09"_s);
    control<QRadioButton>(screen, u"opt5min"_s)->click();
    program.fake.clock.advance(1);
    for (int second = 0; second < 4 * 60 + 59; ++second)
        fire(clock);
    QCOMPARE(text(screen, u"lblZeit"_s) + text(screen, u"lblUhrzeit"_s), u"04:5914:05:10"_s);

    QCOMPARE(panel(), u" 0 1"_s);
    const qint32 scoreBefore = program.state.ScoreTable(row.k);
    row.drive(screen, row.right);
    QCOMPARE(panel(), row.judgedOnEnter ? u" 0 1"_s : u"imgLach 0 1"_s);
    // The typed line stays in sight, however long the answer.
    if (auto* typed = row.line.isEmpty() ? nullptr : screen->findChild<QLabel*>(row.line)) {
        const QString shown = typed->text();
        QVERIFY(typed->parentWidget()->rect().contains(typed->geometry()));
        QVERIFY2(QFontMetrics(typed->font()).horizontalAdvance(shown)
                <= typed->contentsRect().width() - 2 * std::max(0, typed->indent()),
            qPrintable(shown));
        QVERIFY2(shown.endsWith(row.right.right(5) + u'_'), qPrintable(shown));
        QCOMPARE(shown == row.right + u'_', row.right.size() <= 30);
    }
    row.drive(screen, row.wrong);
    QCOMPARE(panel(), u"imgAerg 1 1"_s);
    qsizetype typed = 0; // of the rest of the task
    if (!row.line.isEmpty()) {
        QCOMPARE(Theme::textColour(control(screen, row.line)), Theme::WrongColour);
        row.drive(screen, row.finish.left(++typed));
        QCOMPARE(Theme::textColour(control(screen, row.line)),
            row.judgedOnEnter ? Theme::WrongColour : Theme::Black);
    }
    row.drive(screen, row.finish.mid(typed));
    QCOMPARE(panel(), row.pause.isEmpty() ? u"imgZiel 1 2"_s : u"imgZiel 1 1"_s);
    const qint32 score = program.state.ScoreTable(row.k);
    // Shown a second before the first input, one wrong input, and the points the score got.
    QCOMPARE(finished,
        QStringList { u"%1|%2|1 s|1 Fehler|%3 Punkte|0"_s.arg(row.k)
                          .arg(row.prompt)
                          .arg(qint64 { score } - scoreBefore) });
    QCOMPARE(text(screen, u"lblPunktestand"_s), formatScore(score));
    // The journal has the open session and its task with the same facts.
    QCOMPARE(journalled(program),
        QStringList({ u"Übung %1|1 Aufgaben|1 Fehler|%2 bis %3|Ende -1"_s.arg(row.k)
                          .arg(scoreBefore)
                          .arg(score),
            u"1|%1|1 s|1 Fehler|%2 Punkte|0"_s.arg(row.prompt)
                .arg(qint64 { score } - scoreBefore) }));
    if (!row.pause.isEmpty()) {
        // A real one-second pause, during which keys change nothing.
        auto* pause = control<QTimer>(screen, row.pause);
        QVERIFY(pause->isActive() && pause->isSingleShot());
        QCOMPARE(pause->interval(), 1000);
        row.drive(screen, row.second);
        QCOMPARE(program.state.ScoreTable(row.k), score);
        endPause();
        QCOMPARE(panel(), u" 1 2"_s);
    }

    // The limit passes during the second task, which the child still finishes.
    fire(clock);
    row.drive(screen, row.wrong);
    QVERIFY(told.isEmpty());
    row.drive(screen, row.second);
    endPause();
    QCOMPARE(told.size(), 1);
    QCOMPARE(told[0].title + u": "_s + told[0].text,
        u"Hinweis: Die eingestellte Zeit ist abgelaufen."_s);
    QCOMPARE(finished.size(), 2);
    QCOMPARE(ends, QList { SessionEnd::TimeLimit });
    QCOMPARE(journalled(program).value(0),
        u"Übung %1|2 Aufgaben|2 Fehler|%2 bis %3|Ende %4"_s.arg(row.k)
            .arg(scoreBefore)
            .arg(program.state.ScoreTable(row.k))
            .arg(int(SessionEnd::TimeLimit)));
    program.settle();
    QVERIFY(!program.window->exerciseScreen(row.k));
    QVERIFY(program.state.ScoreTable(row.k) != score);
    QCOMPARE(program.startScore(row.k), scoreLabelText(program.state.ScoreTable(row.k)));

    // Opened again, the screen starts afresh and shows the score. F1 helps wherever the focus
    // is, an option button too; the space there is the exercise's.
    screen = program.open(row.k);
    QVERIFY(screen);
    listen(screen);
    QCOMPARE(text(screen, u"lblZeit"_s), u"00:00"_s);
    auto* option = control<QRadioButton>(screen, u"opt5min"_s);
    option->setFocus();
    QTest::keyClick(option, Qt::Key_F1);
    QCOMPARE(program.fake.browser.urls,
        QList<QUrl> {
            QUrl::fromLocalFile(program.folder.filePath(u"Hilfe/"_s + exercise(row.k).helpPage)) });
    QTest::keyClick(option, Qt::Key_Space);
    QVERIFY(control<QRadioButton>(screen, u"optKeine"_s)->isChecked());

    // The file vanishes before the next pass: the screen ends, and stays closed while it is
    // missing. Either way the child is told which file and why.
    row.drive(screen, row.right + row.finish);
    endPause();
    QVERIFY(QFile::remove(taskFilePath(program.folder.path(), row.k)));
    row.drive(screen, row.second);
    endPause();
    program.settle();
    QVERIFY(!program.window->exerciseScreen(row.k) && !program.open(row.k));
    QCOMPARE(told.size(), 3);
    QCOMPARE(ends, QList({ SessionEnd::TimeLimit, SessionEnd::TaskFileFailure }));
    const QString file = exercise(row.k).taskFile.mid(1);
    QVERIFY(told[1].text.contains(file) && told[1].text.endsWith(u"Die Übung wird beendet."_s));
    QVERIFY(told[2].text.contains(file)
        && told[2].text.endsWith(u"Die Übung kann nicht geöffnet werden."_s));
}

// Without a mouse: Tab walks the start screen's entries in reading order, each framed while it
// has the focus, and Enter or Space opens one; on the screen Alt with an option's character
// chooses the time limit, characters typed while an option has the focus are still answers, and
// Ctrl+F4 or Ctrl+W ends the exercise, leaving the focus on the start screen.
void TestScreens::keyboard()
{
    QFETCH(Row, row);
    QVERIFY2(!row.tasks.isEmpty(), "no inputs for this exercise");
    TestProgram program;
    program.writeTasks(row.k, row.tasks);
    program.start();
    program.show();
    QWidget* start = program.startScreen();
    QWidget* entry = control(start, QString::fromLatin1(exercise(row.k).entryControl));
    const QImage unfocused = entry->grab().toImage();
    start->setFocus();
    QWidget* previous = nullptr;
    for (int tab = 0; tab < 40 && QApplication::focusWidget() != entry; ++tab) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus && focus->parentWidget() == start);
        if (previous)
            QVERIFY2(std::pair(previous->y(), previous->x()) < std::pair(focus->y(), focus->x()),
                qPrintable(focus->objectName()));
        previous = focus;
    }
    QCOMPARE(QApplication::focusWidget(), entry);
    QVERIFY(entry->grab().toImage() != unfocused);
    typeKeys(entry, row.k % 2 ? u"\r"_s : u" "_s);
    auto* screen = program.window->exerciseScreen(row.k);
    QVERIFY(screen);
    QList<SessionEnd> ends;
    connect(screen, &ExerciseScreen::sessionEnded, this, [&ends](SessionEnd e) { ends.append(e); });

    const std::pair<Qt::Key, const char*> choices[]
        = { { Qt::Key_5, "opt5min" }, { Qt::Key_1, "opt10min" }, { Qt::Key_M, "opt15min" },
              { Qt::Key_K, "optKeine" }, { Qt::Key_5, "opt5min" } };
    for (const auto& [key, option] : choices) {
        QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
        QVERIFY2(control<QRadioButton>(screen, QString::fromLatin1(option))->isChecked(), option);
    }
    auto* option = control<QRadioButton>(screen, u"opt5min"_s);
    QCOMPARE(QApplication::focusWidget(), option);
    if (!row.line.isEmpty()) {
        typeKeys(option, row.right);
        const QString typed = text(screen, u"lblFehler"_s) + u' ' + visiblePicture(screen);
        QCOMPARE(typed, row.judgedOnEnter ? u"0 "_s : u"0 imgLach"_s);
        if (auto* field = screen->findChild<QLineEdit*>(row.line))
            QVERIFY(field->text().contains(row.prompt.left(6) + row.right));
    }
    QTest::keyClick(
        QApplication::focusWidget(), row.k % 2 ? Qt::Key_F4 : Qt::Key_W, Qt::ControlModifier);
    program.settle();
    QCOMPARE(ends, QList { SessionEnd::Ended });
    QVERIFY(!program.window->exerciseScreen(row.k));
    QVERIFY(
        start->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == start);
}

void TestScreens::accessible_data()
{
    QTest::addColumn<int>("k"); // 0: the start screen
    QTest::addColumn<QString>("tasks");
    QTest::addColumn<QString>("input"); // typed, or after "@" tiles dragged onto boxes
    QTest::addColumn<QString>("name"); // of the control
    // Role, name, value and description as a screen reader gets them; "hidden" in place of
    // the description when the control is not shown.
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* what, int k, const QString& tasks, const QString& input,
                         const QString& name, const QString& expected) {
        QTest::newRow(what) << k << tasks << input << name << expected;
    };
    const QString times = u"7 · 8 =|56"_s;
    const QString puzzle = u"Ohr"_s;
    row("start entry", 0, {}, {}, u"lblKopfrechnen"_s,
        u"Button|Kopfrechnen||"_s + exercise(9).description);
    row("task", 9, times, {}, u"lblVorgabe"_s, u"StaticText|Aufgabe: 7 · 8 =|7 · 8 =|"_s);
    row("typed line", 9, times, u"5"_s, u"lblEingabe"_s, u"StaticText|Eingabe: 5_|5_|"_s);
    row("score", 9, times, {}, u"lblPunktestand"_s, u"StaticText|Punktestand 0000120|0000120|"_s);
    row("right face", 9, times, u"5"_s, u"imgLach"_s, u"Graphic|Richtig||"_s);
    row("wrong face hidden", 9, times, u"5"_s, u"imgAerg"_s, u"Graphic|Falsch||hidden"_s);
    row("error display", 1, u"Tor|Tür"_s, u"x"_s, u"lblFehleranzeige"_s,
        u"StaticText|Fehleranzeige: x statt T|x statt T|"_s);
    row("message", 2, puzzle, u"@00"_s, u"lblPunktemeldung"_s,
        u"StaticText|Meldungen: + 10 Punkte|+ 10 Punkte|"_s);
    row("fill-in field", 3, u"Die So|nn|e scheint."_s, {}, u"txtEingabe"_s,
        u"EditableText|"_s + exercise(3).captions.instruction + u"|Die Soe scheint.|"_s);
    row("tile", 2, puzzle, {}, u"lblBuchstabe(1)"_s, u"StaticText|Buchstabe h||"_s);
    row("free box", 2, puzzle, u"@00"_s, u"lblZiel(1)"_s, u"StaticText|Feld 2 von 3, frei||"_s);
    row("filled box", 2, puzzle, u"@00"_s, u"lblZiel(0)"_s,
        u"StaticText|Feld 1 von 3, belegt mit O||"_s);
}

// What a screen reader is told of each control a child uses.
void TestScreens::accessible()
{
    QFETCH(int, k);
    QFETCH(QString, tasks);
    QFETCH(QString, input);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    TestProgram program;
    if (k > 0)
        program.fake.settings.stored[u"Punktestaende/"_s + QLatin1String(exercise(k).settingsKey)]
            = u"120"_s;
    QWidget* screen = k == 0 ? nullptr : program.startWith(k, tasks.split(u'|'));
    if (k == 0) {
        program.start();
        program.show();
        screen = program.startScreen();
    }
    QVERIFY(screen);
    if (auto* exerciseScreen = qobject_cast<ExerciseScreen*>(screen)) {
        if (input.startsWith(u'@'))
            dragTiles(exerciseScreen, input.mid(1));
        else
            typeToFocus(exerciseScreen, input);
    }
    QAccessibleInterface* told = QAccessible::queryAccessibleInterface(control(screen, name));
    QVERIFY(told);
    const QString description = told->text(QAccessible::Description);
    QCOMPARE(
        u"%1|%2|%3|%4"_s.arg(
            QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(told->role())),
            told->text(QAccessible::Name), told->text(QAccessible::Value),
            told->state().invisible ? u"hidden"_s : description),
        expected);
}

// What does not fit below `root`: a text cut by its label or option, or two controls side by
// side that overlap. Containers of the screen itself, tiles and pictures may lie over others.
QStringList misfits(const QWidget* root)
{
    QStringList found;
    const auto name = [](const QWidget* w) { return w->objectName(); };
    for (const QWidget* widget : root->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(root) || widget->objectName().isEmpty())
            continue;
        const auto* label = qobject_cast<const QLabel*>(widget);
        const bool text = (label && !label->text().isEmpty() && label->pixmap().isNull())
            || qobject_cast<const QRadioButton*>(widget);
        const QSize hint = widget->sizeHint();
        const bool cut = label && label->wordWrap()
            ? label->heightForWidth(label->width()) > label->height()
            : hint.width() > widget->width() || hint.height() > widget->height();
        if (text && cut)
            found.append(u"%1 cut: %2x%3 in %4x%5"_s.arg(name(widget))
                             .arg(hint.width())
                             .arg(hint.height())
                             .arg(widget->width())
                             .arg(widget->height()));
    }
    const auto free = [](const QWidget* w) {
        return w->objectName() == u"taskArea"_s || w->objectName().startsWith(u"lblBuchstabe"_s)
            || w->objectName().startsWith(u"img"_s) || w->objectName().startsWith(u"lblLoesung"_s)
            || w->objectName().startsWith(u"shpZiel"_s)
            // The Enter button stands in the gap of the hint that reads around it.
            || w->objectName() == u"cmdEnter"_s;
    };
    QList<QWidget*> parents = root->findChildren<QWidget*>();
    parents.append(const_cast<QWidget*>(root));
    for (const QWidget* parent : std::as_const(parents)) {
        QList<const QWidget*> shown;
        for (const QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isVisibleTo(root) && !child->objectName().isEmpty() && !free(child))
                shown.append(child);
        }
        for (qsizetype a = 0; a < shown.size(); ++a) {
            for (qsizetype b = a + 1; b < shown.size(); ++b) {
                if (shown[a]->geometry().intersects(shown[b]->geometry()))
                    found.append(name(shown[a]) + u" over "_s + name(shown[b]));
            }
        }
    }
    return found;
}

// Every text is shown whole and no two controls overlap, on the start screen and each exercise
// screen with its first task; run at each size of "Ansicht" through QT_SCALE_FACTOR.
void TestScreens::fits()
{
    QFETCH(Row, row);
    QVERIFY2(!row.tasks.isEmpty(), "no inputs for this exercise");
    TestProgram program;
    ExerciseScreen* screen = program.startWith(row.k, row.tasks);
    QVERIFY(screen);
    QCOMPARE(misfits(program.startScreen()).join(u"; "_s), QString());
    QCOMPARE(misfits(screen).join(u"; "_s), QString());
}

void TestScreens::keysOnTheScreen_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("shown"); // lblFehler and lblFehleranzeige
    QTest::newRow("Delete types nothing") << u"\x7f"_s << Qt::KeyboardModifiers() << u"0 "_s;
    QTest::newRow("Alt with a letter types nothing")
        << u"j"_s << Qt::KeyboardModifiers(Qt::AltModifier) << u"0 "_s;
    // Some systems report AltGr as Ctrl+Alt.
    QTest::newRow("AltGr") << u"@"_s << (Qt::ControlModifier | Qt::AltModifier) << u"1 @ statt J"_s;
    QTest::newRow("umlaut") << u"ä"_s << Qt::KeyboardModifiers() << u"1 ä statt J"_s;
    QTest::newRow("Backspace") << u"\b"_s << Qt::KeyboardModifiers() << u"1 Rücktaste statt J"_s;
    QTest::newRow("Escape") << u"\x1b"_s << Qt::KeyboardModifiers() << u"1 Esc-Taste statt J"_s;
}

// Real key events on a screen: what reaches the exercise as a typed character.
void TestScreens::keysOnTheScreen()
{
    QFETCH(QString, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, shown);
    TestProgram program;
    ExerciseScreen* screen = program.startWith(1, { u"Ja."_s, u"Nein."_s });
    QVERIFY(screen);
    typeKeys(QApplication::focusWidget(), key, modifiers);
    QCOMPARE(text(screen, u"lblFehler"_s) + u' ' + text(screen, u"lblFehleranzeige"_s), shown);
    QVERIFY(program.window->exerciseScreen(1));
}

void TestScreens::sessionEnds_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<SessionEnd>("end");
    QTest::newRow("Übung beenden") << u"lblUebEnd"_s << SessionEnd::Ended;
    QTest::newRow("Programm beenden") << u"lblProgrammende"_s << SessionEnd::ProgramEnd;
    QTest::newRow("main window closed") << QString() << SessionEnd::ProgramEnd;
}

// Each way out of a screen is reported once, and how.
void TestScreens::sessionEnds()
{
    QFETCH(QString, how);
    QFETCH(SessionEnd, end);
    TestProgram program;
    ExerciseScreen* screen = program.startWith(4, { u"Katze"_s, u"Kätzchen"_s });
    QVERIFY(screen);
    QList<SessionEnd> ends;
    connect(screen, &ExerciseScreen::sessionEnded, this, [&ends](SessionEnd e) { ends.append(e); });
    if (how.isEmpty())
        program.window->close();
    else
        program.click(how);
    program.settle();
    QCOMPARE(ends, QList { end });
}

void TestScreens::journalTrouble_data()
{
    QTest::addColumn<QByteArray>("stored"); // at tagebuch.sqlite; null: the data folder is a file
    QTest::addColumn<QString>("told");
    QTest::addColumn<int>("sessions"); // in the journal afterwards
    QTest::newRow("damaged: set aside, a new one kept")
        << QByteArray("keine Datenbank ").repeated(300)
        << u"Das Übungstagebuch war beschädigt und wurde als „tagebuch.sqlite.beschaedigt“"_s << 2;
    QTest::newRow("cannot be written") << QByteArray() << u"Das Übungstagebuch in „"_s << 0;
}

// A journal in trouble is told of once; the exercises go on and keep their points.
void TestScreens::journalTrouble()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, told);
    QFETCH(int, sessions);
    TestProgram program;
    const QString data = program.fake.folders.data;
    QVERIFY(stored.isNull()
            ? writeFile(data, "a file")
            : QDir().mkpath(data) && writeFile(data + u"/tagebuch.sqlite"_s, stored));
    QVERIFY(program.writeTasks(4, { u"Katze"_s, u"Kätzchen"_s }));
    program.start();
    program.show();
    for (int opening = 0; opening < 2; ++opening) {
        ExerciseScreen* screen = program.open(4);
        QVERIFY(screen);
        typeKeys(screen, u"Kätzchen"_s);
        program.click(u"lblUebEnd"_s);
        program.settle();
    }
    QVERIFY(program.state.ScoreTable(4) > 0);
    QCOMPARE(program.fake.messages.shown.size(), 1);
    QVERIFY2(program.fake.messages.shown[0].text.startsWith(told),
        qPrintable(program.fake.messages.shown[0].text));
    if (!stored.isNull())
        QCOMPARE(readFile(data + u"/tagebuch.sqlite.beschaedigt"_s), stored);
    QCOMPARE(journalled(program).size(), sessions * 2);
}

// The main window opens what the registry it was given builds, and nothing it lacks.
void TestScreens::ownRegistry()
{
    TestProgram program;
    QVERIFY(program.writeTasks(9, { u"1 + 1 ="_s, u"2"_s }));
    ExerciseRegistry registry;
    int built = 0;
    registry.add(9, [&built](ProgramState& state, Platform& platform) {
        ++built;
        return new ArithmeticScreen(exercise(9), state, platform);
    });
    // Outside the catalogue: ignored.
    for (const int outside : { 0, ExerciseCount + 1 })
        registry.add(outside, [&built](ProgramState&, Platform&) { return ++built, nullptr; });
    program.start(std::move(registry));
    program.show();
    for (int k = 1; k <= ExerciseCount; ++k)
        QCOMPARE(program.open(k) != nullptr, k == 9);
    QCOMPARE(built, 1);
    QVERIFY(program.fake.messages.shown.isEmpty());
}

// The tiles under the mouse: only the left button drags; a tile flashes red on a wrong box
// and is fixed on its own; pressing one clears the message and the pictures. "Lösung anzeigen"
// lays the word out in red, once, for three seconds.
void TestScreens::wordPuzzleMouse()
{
    TestProgram program;
    ExerciseScreen* screen = program.startWith(2, { u"Ohr"_s, u"Hut"_s });
    QVERIFY(screen);
    program.state.ScoreTable(2) = 150;
    const auto tile = [screen](int i) { return indexed(screen, "lblBuchstabe", i); };
    const auto box = [screen](int i) { return cornerOf(screen, indexed(screen, "lblZiel", i)); };
    const auto colour
        = [&tile](int i) { return tile(i)->palette().color(QPalette::Window).name(); };
    const QPoint home = cornerOf(screen, tile(0));
    dragTile(screen, tile(0), box(0), Qt::RightButton);
    QCOMPARE(cornerOf(screen, tile(0)), home);
    dragTile(screen, tile(0), box(1));
    auto* flash = control<QTimer>(screen, u"Timer3"_s);
    QCOMPARE(flash->isActive() ? flash->interval() : 0, 500);
    QCOMPARE(colour(0), u"#ff8080"_s);
    fire(flash);
    QCOMPARE(colour(0), u"#ffff80"_s);
    // The right tile fixed on the box where the wrong one lies leaves the wrong one on top: a
    // press at its centre takes it.
    dragTile(screen, tile(1), box(1));
    QCOMPARE(colour(1), u"#c0ffc0"_s);
    QWidget* pressed = screen->childAt(box(1) + tile(0)->rect().center());
    QCOMPARE(pressed, tile(0));
    dragTile(screen, pressed, box(0));
    QCOMPARE(colour(0), u"#c0ffc0"_s);
    dragTile(screen, tile(0), QPoint(300, 180));
    QCOMPARE(cornerOf(screen, tile(0)), box(0));
    QCOMPARE(text(screen, u"lblPunktemeldung"_s) + visiblePicture(screen), QString());

    for (int click = 0; click < 2; ++click)
        QTest::mouseClick(control(screen, u"lblLoesAnzeige"_s), Qt::LeftButton);
    QCOMPARE(program.state.ScoreTable(2), 60);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(colour(i) + u' ' + QString::number(cornerOf(screen, tile(i)) == box(i)),
            u"#ff8080 1"_s);
    QCOMPARE(control<QTimer>(screen, u"Timer2"_s)->interval(), 3000);
}

void TestScreens::textFromFiles_data()
{
    QTest::addColumn<int>("k");
    for (int k = 1; k <= ExerciseCount; ++k)
        QTest::newRow(qPrintable(u"%1 %2"_s.arg(k).arg(exercise(k).menuText))) << k;
}

// Markup in a task file is text like any other: shown as it stands, never interpreted, so no
// picture it names is ever read. What the screen lays out it shows whole: in the fill-in field
// with a caret a child sees, the verb centred over both columns of its forms.
void TestScreens::textFromFiles()
{
    QFETCH(int, k);
    const QString markup = u"<b>x</b>"_s;
    const Exercise& row = exercise(k);
    // The picture would be read from the program directory, had the label taken the markup.
    QStringList task { row.kind == ExerciseKind::Puzzle ? markup
                                                        : markup + u"<img src=\"a.png\">"_s };
    while (task.size() < row.tasks.lines)
        task.append(markup);
    TestProgram program;
    ExerciseScreen* screen = program.startWith(k, task);
    QVERIFY(screen);
    QStringList literal;
    for (const QLabel* label : screen->findChildren<QLabel*>()) {
        const QString text = label->text();
        QVERIFY2(label->textFormat() == Qt::PlainText || !Qt::mightBeRichText(text),
            qPrintable(label->objectName() + u": "_s + text));
        if (text.contains(markup))
            literal.append(label->objectName());
    }
    for (const QLineEdit* field : screen->findChildren<QLineEdit*>()) {
        if (field->text().contains(markup))
            literal.append(field->objectName());
    }
    // The word puzzle cuts its word into tiles of one character.
    QVERIFY2(row.kind == ExerciseKind::Puzzle || !literal.isEmpty(), "the task is not shown");

    if (row.kind == ExerciseKind::FillIn) {
        auto* field = control<QLineEdit>(screen, u"txtEingabe"_s);
        QVERIFY(field->style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, field) >= 2);
    }
    if (row.kind == ExerciseKind::LetterFields && row.captions.prompt.isEmpty()) {
        const auto edges = [screen](const char* name) {
            const QWidget* control = ::control(screen, QString::fromLatin1(name));
            return QRect(control->mapTo(screen, QPoint()), control->size());
        };
        // From the caption of the first form to the end of the field of the fourth.
        const int between = (edges("Label10(1)").left() + edges("lblEingabe(4)").right()) / 2;
        const int verb = edges("lblVorgabe").center().x();
        QVERIFY2(std::abs(verb - between) <= 1, qPrintable(u"%1 %2"_s.arg(verb).arg(between)));
    }
}

// A practice round of each screen, opened from the progress view over a journal: only the
// difficult tasks of the file are asked, under the exercise's title and score, and the journal
// and the progress view know the round.
void TestScreens::practiceRound()
{
    QFETCH(Row, row);
    QVERIFY2(!row.tasks.isEmpty(), "no inputs for this exercise");
    TestProgram program;
    const int lines = exercise(row.k).tasks.lines;
    // A task that went smoothly stands first: a round of the whole file would ask it first.
    QStringList smooth = row.tasks.mid(lines, lines);
    smooth[0].prepend(u'X');
    QVERIFY(program.writeTasks(row.k, smooth + row.tasks));
    JournalDatabase seeded;
    QVERIFY(seeded.open(program.fake.folders.data + u"/tagebuch.sqlite"_s).ok);
    QVERIFY(record(seeded,
        { u"ohne Namen"_s, row.k, u"2026-11-01 17:00:00"_s,
            { { 10, row.prompt, 5, 2 }, { 20, u"gestrichen"_s, 5, 1 },
                { 30, row.secondPrompt, 5, 0, 0, true },
                { 40, exercise(row.k).tasks.shownText(smooth), 5, 0 } },
            60 }));
    seeded.close();
    program.start();
    program.show();
    const auto progress = [&program] {
        program.click(u"lblFortschritt"_s);
        return control(program.window.get(), u"frmFortschritt"_s);
    };
    auto* practise = control<QPushButton>(progress(), u"cmdUeben"_s);
    QVERIFY(practise->isEnabled());
    QCOMPARE(practise->toolTip(),
        u"Übt die 2 Aufgaben, bei denen zuletzt Fehler gemacht oder Hilfe gebraucht wurde."_s);
    QTest::mouseClick(practise, Qt::LeftButton);
    ExerciseScreen* screen = program.window->exerciseScreen(row.k);
    QVERIFY(screen);
    QCOMPARE(text(screen, u"Label1"_s), exercise(row.k).title + u" - schwierige Aufgaben"_s);
    QStringList finished;
    connect(screen, &ExerciseScreen::taskFinished, this,
        [&finished](const TaskResult& r) { finished.append(r.prompt); });
    const qint32 before = program.state.ScoreTable(row.k);
    row.drive(screen, row.right + row.finish);
    QCOMPARE(finished, QStringList { row.prompt });
    QVERIFY(program.state.ScoreTable(row.k) > before);
    program.click(u"lblUebEnd"_s);
    program.click(u"cmdSchliessen"_s);
    program.settle();
    QWidget* view = progress();
    QVERIFY(control(view, u"lblSchwierigGeuebt"_s)->isVisibleTo(view));
    auto* table = control<QTableWidget>(view, u"tblSitzungen"_s);
    QCOMPARE(table->item(0, 1)->toolTip(), exercise(row.k).menuText + u" - schwierige Aufgaben"_s);
    QCOMPARE(QList({ table->item(0, 0)->font().italic(), table->item(1, 0)->font().italic() }),
        QList({ true, false }));
}

void TestScreens::wordPuzzleByKeyboard_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("drops"); // digit pairs: tile onto box
    // A wrong tile left on a box that is filled next; the loose one is still taken.
    QTest::newRow("wrong, then right on its box") << u"Ohr"_s << u"10001122"_s;
    QTest::newRow("Ball, the l boxes swapped") << u"Ball"_s << u"23320011"_s;
    QTest::newRow("four wrong, no bonus") << u"Hut"_s << u"0102102021001122"_s;
}

// Drops by keyboard are judged and scored exactly as the same drops by mouse.
void TestScreens::wordPuzzleByKeyboard()
{
    QFETCH(QString, word);
    QFETCH(QString, drops);
    QStringList outcomes;
    for (const Driver& drive : { Driver(dragTiles), Driver(keyTiles) }) {
        TestProgram program;
        ExerciseScreen* screen = program.startWith(2, { word, u"Ei"_s });
        QVERIFY(screen);
        program.state.ScoreTable(2) = 100;
        QStringList finished;
        connect(screen, &ExerciseScreen::taskFinished, this,
            [&finished](const TaskResult& r) { finished.append(QString::number(r.points)); });
        drive(screen, drops);
        QString outcome = u"%1|%2|%3|%4|"_s.arg(program.state.ScoreTable(2))
                              .arg(text(screen, u"lblFehler"_s),
                                  text(screen, u"lblPunktemeldung"_s), finished.join(u','));
        for (int i = 0; i < word.size(); ++i) {
            const QLabel* tile = indexed(screen, "lblBuchstabe", i);
            outcome += u" %1@%2,%3"_s.arg(tile->palette().color(QPalette::Window).name())
                           .arg(cornerOf(screen, tile).x())
                           .arg(cornerOf(screen, tile).y());
        }
        outcomes.append(outcome);
    }
    QVERIFY2(outcomes[0].contains(u"#c0ffc0"_s), qPrintable(outcomes[0]));
    QCOMPARE(outcomes[1], outcomes[0]);
}

QTEST_MAIN(TestScreens)
#include "tst_screens.moc"
