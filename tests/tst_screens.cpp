// What every exercise screen shares, checked on each screen that exists: a row per screen.
#include "core/Scoring.h"
#include "support/TestProgram.h"
#include "ui/Theme.h"

#include <QGroupBox>
#include <QLabel>
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
    // The line's colour at the first key after a wrong input: a text field stays red until
    // the text is judged again.
    QColor correcting = Theme::Black;
};

const QColor TileYellow { 255, 255, 128 };
const QColor BoxGreen { 192, 255, 192 };
const QColor TileRed { 255, 128, 128 };

// Word puzzle: where a control lies on the screen, and the colour it shows.
QPoint cornerOf(const ExerciseScreen* screen, const QWidget* control)
{
    return control->parentWidget()->mapTo(screen, control->pos());
}

QColor background(const QWidget* control)
{
    return control->palette().color(QPalette::Window);
}

QLabel* indexed(const ExerciseScreen* screen, const char* name, qsizetype i)
{
    return control<QLabel>(screen, u"%1(%2)"_s.arg(QLatin1String(name)).arg(i));
}

// A tile dragged with real mouse events: grabbed inside, moved in steps until its top left
// corner lies at `target`, and let go there.
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

// Each letter drags its tile onto its box; "!" drags the first loose tile onto the box after
// its own. Tile i carries letter i of the word, which box i expects; the rows' words have
// distinct letters.
void dragLetters(ExerciseScreen* screen, const QString& input)
{
    QString word;
    for (int i = 0; i < 10 && indexed(screen, "lblBuchstabe", i)->isVisibleTo(screen); ++i)
        word += indexed(screen, "lblBuchstabe", i)->text();
    for (const QChar c : input) {
        qsizetype tile = word.indexOf(c);
        qsizetype box = tile;
        if (c == u'!') {
            tile = 0;
            while (
                tile < word.size() && background(indexed(screen, "lblBuchstabe", tile)) == BoxGreen)
                ++tile;
            box = (tile + 1) % word.size();
        }
        if (tile >= 0 && tile < word.size())
            dragTile(screen, indexed(screen, "lblBuchstabe", tile),
                cornerOf(screen, indexed(screen, "lblZiel", box)));
    }
}

void addRows()
{
    QTest::addColumn<Row>("row");
    const QStringList sums { u"100 + 25 ="_s, u"125"_s, u"6 · 7 ="_s, u"42"_s };
    QTest::newRow("1 Abtippübungen") << Row { 1, { u"Ja, gut."_s, u"Nein."_s }, u"J"_s, u"x"_s,
        u"a, gut."_s, u"Nein."_s, u"lblEingabe"_s, {} };
    // Typing into the gap judges nothing; a confirmation does.
    QTest::newRow("2 Wortpuzzle") << Row { 2, { u"Lied"_s, u"Leid"_s }, u"L"_s, u"!"_s, u"ied"_s,
        u"Leid"_s, {}, u"Timer2"_s, dragLetters };
    QTest::newRow("3 Einsetzübungen") << Row { 3,
        { u"Die So"_s, u"nn"_s, u"e scheint."_s, u"Der Ha"_s, u"h"_s, u"n."_s }, u"n"_s, u"\r"_s,
        u"n\r"_s, u"h\r"_s, u"txtEingabe"_s, u"Timer2"_s, typeToFocus, {}, Theme::WrongColour };
    QTest::newRow("4 Verkleinerungen")
        << Row { 4, { u"Katze"_s, u"Kätzchen"_s, u"Hund"_s, u"Hündchen"_s }, u"K"_s, u"x"_s,
               u"ätzchen"_s, u"Hündchen"_s, u"lblEingabe"_s, {} };
    QTest::newRow("5 Wortraten") << Row { 5,
        { u"Ich belle."_s, u"Hund"_s, u"Ich miaue."_s, u"Katze"_s }, u"H"_s, u"k"_s, u"und"_s,
        u"Katze"_s, u"lblEingabe"_s, {} };
    QTest::newRow("6 Beugungen") << Row { 6,
        { u"laufen"_s, u"laufe"_s, u"läufst"_s, u"läuft"_s, u"laufen"_s, u"lauft"_s, u"laufen"_s,
            u"sein"_s, u"bin"_s, u"bist"_s, u"ist"_s, u"sind"_s, u"seid"_s, u"sind"_s },
        u"l"_s, u"\r"_s, u"aufeläufstläuftlaufenlauftlaufen"_s, u"binbististsindseidsind"_s,
        u"lblEingabe(1)"_s, {} };
    QTest::newRow("7 Zeitformen") << Row { 7,
        { u"ich laufe"_s, u"ich werde laufen"_s, u"ich werde gelaufen sein"_s,
            u"ich bin gelaufen"_s, u"ich lief"_s, u"ich war gelaufen"_s, u"du liest"_s,
            u"du wirst lesen"_s, u"du wirst gelesen haben"_s, u"du hast gelesen"_s, u"du last"_s,
            u"du hattest gelesen"_s },
        u"ich "_s, u"x"_s,
        u"werde laufenich werde gelaufen seinich bin gelaufenich liefich war gelaufen"_s,
        u"du wirst lesendu wirst gelesen habendu hast gelesendu lastdu hattest gelesen"_s,
        u"lblEingabe(1)"_s, {} };
    QTest::newRow("8 Wortpaare") << Row { 8,
        { u"Messer und"_s, u"Gabel"_s, u"Tag und"_s, u"Nacht"_s }, u"G"_s, u" "_s, u"abel"_s,
        u"Nacht"_s, u"lblEingabe"_s, {} };
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
    void longAnswerStaysInSight_data();
    void longAnswerStaysInSight();
    void panelsShowTheirColour_data() { addRows(); }
    void panelsShowTheirColour();
    void wordPuzzleDrags_data();
    void wordPuzzleDrags();
    void wordPuzzleSolution();
    void captionsAndLabels_data();
    void captionsAndLabels();
    void longPromptWraps();
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
        QCOMPARE(Theme::textColour(control(screen, row.line)), row.correcting);
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
    // AltGr is reported as Ctrl+Alt on some systems, as no modifier on others.
    QTest::newRow("AltGr @") << int(Qt::Key_At) << u"@"_s
                             << int(Qt::ControlModifier | Qt::AltModifier) << u"@ statt J"_s;
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
    ExerciseScreen* screen = program.startWith(1, { u"Ja."_s, u"Nein."_s });
    QVERIFY(screen);
    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key(key), text,
        Qt::KeyboardModifiers(modifiers));
    QCOMPARE(::text(screen, u"lblFehleranzeige"_s), hint);
    QCOMPARE(::text(screen, u"lblFehler"_s), hint.isEmpty() ? u"0"_s : u"1"_s);
}

void TestScreens::longAnswerStaysInSight_data()
{
    QTest::addColumn<int>("digits");
    QTest::newRow("fits") << 12;
    QTest::newRow("smaller font") << 30;
    QTest::newRow("scrolls") << 90;
}

// Whatever the length of an answer, the last keys typed and the typing mark stay in sight.
void TestScreens::longAnswerStaysInSight()
{
    QFETCH(int, digits);
    QString answer;
    for (int i = 0; i < digits; ++i)
        answer += QChar(u'1' + i % 9);
    TestProgram program;
    ExerciseScreen* screen = program.startWith(9, { u"Zahl ="_s, answer, u"1 + 1 ="_s, u"2"_s });
    QVERIFY(screen);
    auto* line = control<QLabel>(screen, u"lblEingabe"_s);
    typeKeys(screen, answer.chopped(1));
    const QString shown = line->text();
    QVERIFY2(shown.endsWith(answer.chopped(1).right(5) + u'_'), qPrintable(shown));
    QVERIFY2(QFontMetrics(line->font()).horizontalAdvance(shown)
            <= line->contentsRect().width() - 2 * line->indent(),
        qPrintable(shown));
    QCOMPARE(shown.size() == digits, digits <= 30);
}

// The panels and option buttons show the panel colour itself, not a shade the style lays over.
void TestScreens::panelsShowTheirColour()
{
    QFETCH(Row, row);
    TestProgram program;
    ExerciseScreen* screen = program.startWith(row.k, row.tasks);
    QVERIFY(screen);
    const QList<QGroupBox*> frames = screen->findChildren<QGroupBox*>();
    QVERIFY(frames.size() >= 2);
    for (QGroupBox* frame : frames) {
        // Every spot inside the frame that no control covers.
        const QImage image = frame->grab().toImage();
        const QRect inside = frame->contentsRect();
        int spots = 0;
        for (int y = inside.top(); y <= inside.bottom(); y += 2) {
            for (int x = inside.left(); x <= inside.right(); x += 2) {
                if (frame->childAt(x, y))
                    continue;
                ++spots;
                QVERIFY2(image.pixelColor(x, y) == Theme::PanelBackground,
                    qPrintable(u"%1 at %2,%3"_s.arg(frame->objectName()).arg(x).arg(y)));
            }
        }
        QVERIFY(spots > 0);
    }
    for (QRadioButton* option : screen->findChildren<QRadioButton*>()) {
        const QImage image = option->grab().toImage();
        QCOMPARE(image.pixelColor(image.width() - 2, image.height() / 2), Theme::PanelBackground);
    }
}

void TestScreens::captionsAndLabels_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("labelled"); // the control that `name` names, if any
    QTest::addColumn<QString>("place"); // where `name` stands next to it

    const auto row = [](int k, const QString& name, const QString& text,
                         const QString& labelled = {}, const QString& place = {}) {
        QTest::addRow("%d %s", k, qPrintable(name)) << k << name << text << labelled << place;
    };
    row(4, u"fraVorgabe"_s, u"Vorgabe"_s);
    row(4, u"fraEingabe"_s, u"Eingabe der Verkleinerungsform"_s);
    row(5, u"fraVorgabe"_s, u"Rätsel"_s);
    row(5, u"fraEingabe"_s, u"Eingabe des Lösungswortes"_s);
    row(8, u"fraEingabe"_s, QString());
    row(8, u"Label9"_s, u"Welches Wort fehlt? Gib es ein!"_s, u"lblVorgabe"_s, u"above"_s);
    row(8, u"lblEingabe"_s, u"_"_s, u"lblVorgabe"_s, u"right"_s);
    const QStringList persons { u"er/sie/es"_s, u"ich"_s, u"du"_s, u"wir"_s, u"ihr"_s, u"sie"_s };
    const int personField[] = { 3, 1, 2, 4, 5, 6 };
    for (int i = 0; i < 6; ++i) {
        row(6, u"Label10(%1)"_s.arg(i), persons[i], u"lblEingabe(%1)"_s.arg(personField[i]),
            u"left"_s);
    }
    row(7, u"Label9"_s, u"Gegenwart:"_s, u"lblVorgabe"_s, u"left"_s);
    const QStringList tenses { u"vollendete Gegenwart:"_s, u"Zukunft:"_s, u"vollendete Zukunft:"_s,
        u"Vergangenheit:"_s, u"vollendete Vergangenheit:"_s };
    const int tenseField[] = { 3, 1, 2, 4, 5 };
    for (int i = 0; i < 5; ++i) {
        row(7, u"Label10(%1)"_s.arg(i), tenses[i], u"lblEingabe(%1)"_s.arg(tenseField[i]),
            u"above"_s);
    }
}

// Each caption as the screen's design has it, and each label just before what it names, left
// of it or above it, across from it (Wortpaare's typed word follows its prompt).
void TestScreens::captionsAndLabels()
{
    QFETCH(int, k);
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, labelled);
    QFETCH(QString, place);
    TestProgram program;
    // Whole tasks for every layout: 42 lines are 21, 7 or 6 tasks.
    QStringList lines;
    for (int i = 1; i <= 42; ++i)
        lines.append(u"Wort %1"_s.arg(i));
    ExerciseScreen* screen = program.startWith(k, lines);
    QVERIFY(screen);
    QWidget* widget = control(screen, name);
    auto* box = qobject_cast<QGroupBox*>(widget);
    QCOMPARE(box ? box->title() : control<QLabel>(screen, name)->text(), text);
    if (labelled.isEmpty())
        return;

    QVERIFY(widget->isVisibleTo(screen));
    const auto onScreen
        = [screen](QWidget* w) { return QRect(w->mapTo(screen, QPoint(0, 0)), w->size()); };
    // Above is left of in a mirrored world.
    const auto flip = [&place](QRect r) {
        return place == u"above"_s ? QRect(r.y(), r.x(), r.height(), r.width()) : r;
    };
    QRect first = flip(onScreen(widget));
    QRect second = flip(onScreen(control(screen, labelled)));
    if (place == u"right"_s)
        std::swap(first, second);
    QVERIFY(first.right() < second.left() && second.left() - first.right() < 40);
    QVERIFY(first.top() <= second.bottom() && second.top() <= first.bottom());
}

// A prompt far longer than a line wraps, shrinking where it must: the whole prompt and the
// typed line stay in sight.
void TestScreens::longPromptWraps()
{
    const QString prompt = QStringList(6, u"Ein langes Rätsel mit vielen Wörtern."_s).join(u' ');
    for (const int k : { 4, 5, 8 }) {
        TestProgram program;
        ExerciseScreen* screen
            = program.startWith(k, { prompt, u"Schneeballschlacht"_s, u"kurz"_s, u"lang"_s });
        QVERIFY(screen);
        typeKeys(screen, u"Schnee"_s);
        auto* shown = control<QLabel>(screen, u"lblVorgabe"_s);
        auto* typed = control<QLabel>(screen, u"lblEingabe"_s);
        QCOMPARE(shown->text(), prompt);
        QVERIFY(shown->wordWrap());
        const QRect room = shown->contentsRect();
        QVERIFY(QFontMetrics(shown->font())
                    .boundingRect(room, Qt::TextWordWrap | shown->alignment(), prompt)
                    .height()
            <= room.height());
        QWidget* box = control(screen, u"fraEingabe"_s);
        QVERIFY(box->rect().contains(QRect(typed->mapTo(box, QPoint(0, 0)), typed->size())));
        QCOMPARE(typed->text(), u"Schnee_"_s);
        QVERIFY(QFontMetrics(typed->font()).horizontalAdvance(typed->text())
            <= typed->contentsRect().width());
    }
}

void TestScreens::wordPuzzleDrags_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("box"); // where tile 0, the O, goes; -1: beside the boxes
    QTest::addColumn<bool>("moves");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("message");
    QTest::newRow("onto its box") << int(Qt::LeftButton) << 0 << true << BoxGreen
                                  << u"+ 10 Punkte"_s;
    QTest::newRow("onto another box")
        << int(Qt::LeftButton) << 1 << true << TileRed << u"- 10 Punkte"_s;
    QTest::newRow("beside the boxes")
        << int(Qt::LeftButton) << -1 << true << TileYellow << QString();
    QTest::newRow("right button") << int(Qt::RightButton) << 0 << false << TileYellow << QString();
}

void TestScreens::wordPuzzleDrags()
{
    QFETCH(int, button);
    QFETCH(int, box);
    QFETCH(bool, moves);
    QFETCH(QColor, colour);
    QFETCH(QString, message);
    TestProgram program;
    ExerciseScreen* screen = program.startWith(2, { u"Ohr"_s });
    QVERIFY(screen);
    QLabel* tile = indexed(screen, "lblBuchstabe", 0);
    QCOMPARE(tile->text(), u"O"_s);
    QCOMPARE(background(tile), TileYellow);
    const QPoint home = cornerOf(screen, tile);
    const QPoint target
        = box >= 0 ? cornerOf(screen, indexed(screen, "lblZiel", box)) : QPoint(300, 180);

    dragTile(screen, tile, target, Qt::MouseButton(button));
    QCOMPARE(cornerOf(screen, tile), moves ? target : home);
    QCOMPARE(background(tile), colour);
    QCOMPARE(text(screen, u"lblPunktemeldung"_s), message);
    auto* flash = control<QTimer>(screen, u"Timer3"_s);
    QCOMPARE(flash->isActive(), colour == TileRed);
    if (flash->isActive()) {
        QCOMPARE(flash->interval(), 500);
        fire(flash);
        QCOMPARE(background(tile), TileYellow);
    }

    // Pressed again, the tile clears the message and the pictures; a fixed one stays put.
    const QPoint before = cornerOf(screen, tile);
    dragTile(screen, tile, QPoint(400, 150));
    QCOMPARE(text(screen, u"lblPunktemeldung"_s), QString());
    QCOMPARE(visiblePicture(screen), QString());
    QCOMPARE(cornerOf(screen, tile), colour == BoxGreen ? before : QPoint(400, 150));
}

void TestScreens::wordPuzzleSolution()
{
    TestProgram program;
    ExerciseScreen* screen = program.startWith(2, { u"Ohr"_s, u"Hut"_s });
    QVERIFY(screen);
    program.state.ScoreTable(2) = 150;
    auto* link = control<QLabel>(screen, u"lblLoesAnzeige"_s);
    enter(link);
    QCOMPARE(Theme::textColour(link), Theme::HoverColour);
    moveOver(control(screen, u"fraAuswertung"_s), QPoint(2, 2));
    QCOMPARE(Theme::textColour(link), Theme::Black);

    // A second click while the solution is shown costs nothing.
    for (int click = 0; click < 2; ++click) {
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(program.state.ScoreTable(2), 50);
        QCOMPARE(text(screen, u"lblPunktemeldung"_s), u"- 100 Punkte"_s);
        QCOMPARE(program.startScore(2), scoreLabelText(50));
        for (int i = 0; i < 3; ++i) {
            QLabel* tile = indexed(screen, "lblBuchstabe", i);
            QCOMPARE(cornerOf(screen, tile), cornerOf(screen, indexed(screen, "lblZiel", i)));
            QCOMPARE(background(tile), TileRed);
        }
    }
    auto* pause = control<QTimer>(screen, u"Timer2"_s);
    QVERIFY(pause->isActive());
    QCOMPARE(pause->interval(), 3000);
    fire(pause);
    QCOMPARE(text(screen, u"lblAufg"_s), u"2"_s);
    QCOMPARE(indexed(screen, "lblBuchstabe", 0)->text(), u"H"_s);
    QCOMPARE(background(indexed(screen, "lblBuchstabe", 0)), TileYellow);
}

QTEST_MAIN(TestScreens)
#include "tst_screens.moc"
