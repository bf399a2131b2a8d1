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

QColor background(const QWidget* control)
{
    return control->palette().color(QPalette::Window);
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
    // "name|text" as the design has it; "name|text|other" for a label just before (left of or
    // above) the control it names, or for Wortpaare's prompt, which its typed word follows.
    QStringList labels {};
    Driver drive = typeToFocus;
    // A text field judges its text on Enter alone, and stays red until then.
    bool judgedOnEnter = false;
};

void addRows()
{
    QTest::addColumn<Row>("row");
    // Far longer than a line: it wraps, shrinking where it must.
    const QString riddle = QStringList(6, u"Ein langes Rätsel mit vielen Wörtern."_s).join(u' ');
    // Label10(i) names the field at the same place of {3, 1, 2, 4, 5, 6}.
    const auto fieldLabels = [](const QString& names) {
        const int field[] = { 3, 1, 2, 4, 5, 6 };
        QStringList labels;
        for (const QString& name : names.split(u'|')) {
            const auto i = labels.size();
            labels.append(u"Label10(%1)|%2|lblEingabe(%3)"_s.arg(i).arg(name).arg(field[i]));
        }
        return labels;
    };
    QTest::newRow("1 Abtippübungen") << Row { 1, { u"Ja, gut."_s, u"Nein."_s }, u"J"_s, u"x"_s,
        u"a, gut."_s, u"Nein."_s, u"lblEingabe"_s, {} };
    QTest::newRow("2 Wortpuzzle") << Row { 2, { u"Lied"_s, u"Leid"_s }, u"00"_s, u"12"_s,
        u"112233"_s, u"00112233"_s, {}, u"Timer2"_s, {}, dragTiles };
    // Typing into the gap judges nothing; a confirmation does.
    QTest::newRow("3 Einsetzübungen") << Row { 3, u"Die So|nn|e scheint.|Der Ha|h|n."_s.split(u'|'),
        u"n"_s, u"\r"_s, u"n\r"_s, u"h\r"_s, u"txtEingabe"_s, u"Timer2"_s, {}, typeToFocus, true };
    QTest::newRow("4 Verkleinerungen")
        << Row { 4, { riddle, u"Kätzchen"_s, u"Hund"_s, u"Hündchen"_s }, u"K"_s, u"x"_s,
               u"ätzchen"_s, u"Hündchen"_s, u"lblEingabe"_s, {},
               { u"fraVorgabe|Vorgabe"_s, u"fraEingabe|Eingabe der Verkleinerungsform"_s } };
    QTest::newRow("5 Wortraten") << Row { 5, { riddle, u"Hund"_s, u"Ich miaue."_s, u"Katze"_s },
        u"H"_s, u"k"_s, u"und"_s, u"Katze"_s, u"lblEingabe"_s, {},
        { u"fraVorgabe|Rätsel"_s, u"fraEingabe|Eingabe des Lösungswortes"_s } };
    QTest::newRow("6 Beugungen") << Row { 6,
        u"sein|bin|bist|ist|sind|seid|sind|tun|tue|tust|tut|tun|tut|tun"_s.split(u'|'), u"b"_s,
        u"\r"_s, u"inbististsindseidsind"_s, u"tuetusttuttuntuttun"_s, u"lblEingabe(1)"_s, {},
        fieldLabels(u"er/sie/es|ich|du|wir|ihr|sie"_s) };
    QTest::newRow("7 Zeitformen") << Row { 7,
        u"ich bin|werde sein|werde gewesen sein|bin gewesen|war|war gewesen|du hast|wirst haben|"
        u"wirst gehabt haben|hast gehabt|hattest|hattest gehabt"_s.split(u'|'),
        u"we"_s, u"x"_s, u"rde seinwerde gewesen seinbin gewesenwarwar gewesen"_s,
        u"wirst habenwirst gehabt habenhast gehabthattesthattest gehabt"_s, u"lblEingabe(1)"_s, {},
        QStringList { u"Label9|Gegenwart:|lblVorgabe"_s }
            + fieldLabels(u"vollendete Gegenwart:|Zukunft:|vollendete Zukunft:|Vergangenheit:|"
                          u"vollendete Vergangenheit:"_s) };
    QTest::newRow("8 Wortpaare") << Row { 8,
        { riddle, u"Schneeballschlacht"_s, u"Tag und"_s, u"Nacht"_s }, u"Schnee"_s, u" "_s,
        u"ballschlacht"_s, u"Nacht"_s, u"lblEingabe"_s, {},
        { u"fraEingabe|"_s, u"Label9|Welches Wort fehlt? Gib es ein!|lblVorgabe"_s,
            u"lblVorgabe|"_s + riddle + u"|lblEingabe"_s } };
    // An answer of 30 digits is shown whole in a smaller font; a longer one scrolls.
    for (int k = 9; k <= 12; ++k) {
        const QString answer = k == 9 ? u"1234567890"_s.repeated(9)
            : k == 10                 ? u"1234567890"_s.repeated(3)
                                      : u"125"_s;
        QTest::newRow(qPrintable(u"%1 %2"_s.arg(k).arg(exercise(k).menuText)))
            << Row { k, { u"Zahl ="_s, answer, u"6 · 7 ="_s, u"42"_s }, answer.chopped(2), u"x"_s,
                   answer.right(2), u"42"_s, u"lblEingabe"_s, u"Timer2"_s };
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

} // namespace

Q_DECLARE_METATYPE(Row)

class TestScreens : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void frame_data() { addRows(); }
    void frame();
    void keysThatTypeNothing_data();
    void keysThatTypeNothing();
    void wordPuzzleMouse();
};

// A screen's life: opened, two tasks under a time limit that passes during the second, opened
// again afresh, ended by a task file that vanished, and kept closed while the file is missing.
void TestScreens::frame()
{
    QFETCH(Row, row);
    TestProgram program;
    program.fake.clock.seconds = 14 * 3600 + 5 * 60 + 9;
    ExerciseScreen* screen = program.startWith(row.k, row.tasks);
    QVERIFY(screen);
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
        QList<QColor> bare; // every spot inside the frame that no control covers
        for (int y = frame->contentsRect().top(); y <= frame->contentsRect().bottom(); y += 2) {
            for (int x = frame->contentsRect().left(); x <= frame->contentsRect().right(); x += 2) {
                if (!frame->childAt(x, y))
                    bare.append(image.pixelColor(x, y));
            }
        }
        QVERIFY2(!bare.isEmpty() && bare.count(Theme::PanelBackground) == bare.size(),
            qPrintable(frame->objectName()));
    }
    for (QRadioButton* option : screen->findChildren<QRadioButton*>()) {
        QCOMPARE(option->grab().toImage().pixelColor(option->width() - 2, option->height() / 2),
            Theme::PanelBackground);
    }
    for (const QString& label : row.labels) {
        const QStringList part = label.split(u'|');
        auto* box = screen->findChild<QGroupBox*>(part[0]);
        QCOMPARE(box ? box->title() : text(screen, part[0]), part[1]);
        const auto at = [screen](const QString& name) {
            QWidget* w = control(screen, name);
            return QRect(w->mapTo(screen, QPoint(0, 0)), w->size());
        };
        const QRect a = at(part[0]);
        const QRect b = part.size() > 2 ? at(part[2]) : a;
        const bool leftOf = a.right() < b.left() && b.left() - a.right() < 40
            && a.top() <= b.bottom() && b.top() <= a.bottom();
        const bool above = a.bottom() < b.top() && b.top() - a.bottom() < 40
            && a.left() <= b.right() && b.left() <= a.right();
        QVERIFY2(part.size() == 2 || leftOf || above, qPrintable(label));
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
    QCOMPARE(text(screen, u"lblZeit"_s), u"04:59"_s);
    QCOMPARE(text(screen, u"lblUhrzeit"_s), u"14:05:10"_s);

    QCOMPARE(panel(), u" 0 1"_s);
    row.drive(screen, row.right);
    QCOMPARE(panel(), row.judgedOnEnter ? u" 0 1"_s : u"imgLach 0 1"_s);
    // The whole prompt and the typed line stay in sight.
    if (auto* prompt = screen->findChild<QLabel*>(u"lblVorgabe"_s)) {
        const QRect room = prompt->contentsRect();
        QVERIFY(QFontMetrics(prompt->font())
                    .boundingRect(room, Qt::TextWordWrap | prompt->alignment(), prompt->text())
                    .height()
            <= room.height());
    }
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
    const QString before = text(screen, u"lblPunktestand"_s);
    row.drive(screen, row.finish.mid(typed));
    QCOMPARE(panel(), row.pause.isEmpty() ? u"imgZiel 1 2"_s : u"imgZiel 1 1"_s);
    const qint32 score = program.state.ScoreTable(row.k);
    QVERIFY(text(screen, u"lblPunktestand"_s) != before);
    QCOMPARE(text(screen, u"lblPunktestand"_s), formatScore(score));
    QCOMPARE(program.startScore(row.k), scoreLabelText(score));
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
    QCOMPARE(told[0].text, u"Die eingestellte Zeit ist abgelaufen."_s);
    QCOMPARE(told[0].title, u"Hinweis"_s);
    program.settle();
    QVERIFY(!program.screen(row.k));
    QVERIFY(program.state.ScoreTable(row.k) != score);
    QCOMPARE(program.startScore(row.k), scoreLabelText(program.state.ScoreTable(row.k)));

    // Opened again, the screen starts afresh and shows the score. F1 helps wherever the focus
    // is, an option button too; the space there is the exercise's.
    screen = program.open(row.k);
    QVERIFY(screen);
    QCOMPARE(text(screen, u"lblZeit"_s), u"00:00"_s);
    QCOMPARE(text(screen, u"lblPunktestand"_s), formatScore(program.state.ScoreTable(row.k)));
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
    QVERIFY(!program.screen(row.k));
    QVERIFY(!program.open(row.k));
    QCOMPARE(told.size(), 3);
    const QString file = exercise(row.k).taskFile.mid(1);
    QVERIFY(told[1].text.contains(file) && told[1].text.endsWith(u"Die Übung wird beendet."_s));
    QVERIFY(told[2].text.contains(file)
        && told[2].text.endsWith(u"Die Übung kann nicht geöffnet werden."_s));
}

void TestScreens::keysThatTypeNothing_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("hint"); // empty: the key never reached the exercise
    QTest::newRow("Delete") << u"\x7f"_s << 0 << QString();
    QTest::newRow("Alt+J") << u"j"_s << int(Qt::AltModifier) << QString();
    // AltGr is reported as Ctrl+Alt on some systems, as no modifier on others.
    QTest::newRow("AltGr @") << u"@"_s << int(Qt::ControlModifier | Qt::AltModifier)
                             << u"@ statt J"_s;
    QTest::newRow("umlaut") << u"ä"_s << 0 << u"ä statt J"_s;
    QTest::newRow("Backspace") << u"\b"_s << 0 << u"Rücktaste statt J"_s;
}

void TestScreens::keysThatTypeNothing()
{
    QFETCH(QString, key);
    QFETCH(int, modifiers);
    QFETCH(QString, hint);
    TestProgram program;
    ExerciseScreen* screen = program.startWith(1, { u"Ja."_s, u"Nein."_s });
    QVERIFY(screen);
    typeKeys(QApplication::focusWidget(), key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(text(screen, u"lblFehleranzeige"_s), hint);
    QCOMPARE(text(screen, u"lblFehler"_s), hint.isEmpty() ? u"0"_s : u"1"_s);
}

// The tiles under the mouse: only the left button drags; a tile flashes red on a wrong box
// and is fixed on its own; pressing one clears the message and the pictures. "Lösung anzeigen"
// lays the word out in red, once, for three seconds.
void TestScreens::wordPuzzleMouse()
{
    const QColor yellow { 255, 255, 128 };
    const QColor red { 255, 128, 128 };
    TestProgram program;
    ExerciseScreen* screen = program.startWith(2, { u"Ohr"_s, u"Hut"_s });
    QVERIFY(screen);
    program.state.ScoreTable(2) = 150;
    QLabel* tile = indexed(screen, "lblBuchstabe", 0);
    const auto box = [screen](int i) { return cornerOf(screen, indexed(screen, "lblZiel", i)); };
    const QPoint home = cornerOf(screen, tile);
    dragTile(screen, tile, box(0), Qt::RightButton);
    QCOMPARE(cornerOf(screen, tile), home);
    dragTile(screen, tile, box(1));
    QCOMPARE(background(tile), red);
    auto* flash = control<QTimer>(screen, u"Timer3"_s);
    QCOMPARE(flash->isActive() ? flash->interval() : 0, 500);
    fire(flash);
    QCOMPARE(background(tile), yellow);
    dragTile(screen, tile, box(0));
    QCOMPARE(background(tile), QColor(192, 255, 192));
    dragTile(screen, tile, QPoint(300, 180));
    QCOMPARE(cornerOf(screen, tile), box(0));
    QCOMPARE(text(screen, u"lblPunktemeldung"_s), QString());
    QCOMPARE(visiblePicture(screen), QString());

    for (int click = 0; click < 2; ++click)
        QTest::mouseClick(control(screen, u"lblLoesAnzeige"_s), Qt::LeftButton);
    QCOMPARE(program.state.ScoreTable(2), 50);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(cornerOf(screen, indexed(screen, "lblBuchstabe", i)), box(i));
        QCOMPARE(background(indexed(screen, "lblBuchstabe", i)), red);
    }
    QCOMPARE(control<QTimer>(screen, u"Timer2"_s)->interval(), 3000);
}

QTEST_MAIN(TestScreens)
#include "tst_screens.moc"
