#include "app/StartScreen.h"
#include "core/Scoring.h"
#include "support/TestProgram.h"
#include "ui/Theme.h"

#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace {
// "Ansicht", opened and closed again: its actions stay usable.
QMenu* viewMenu(TestProgram& program)
{
    program.click(u"lblAnsicht"_s);
    auto* menu = control<QMenu>(program.window.get(), u"mnuAnsicht"_s);
    menu->close();
    return menu;
}
} // namespace

class TestStartScreen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hoverAndReset_data();
    void hoverAndReset();
    void startScreen();
    void serverNote_data();
    void serverNote();
    void viewSize_data();
    void viewSize();
};

void TestStartScreen::hoverAndReset_data()
{
    QTest::addColumn<QString>("resetOver"); // where the mouse goes after two menu labels
    QTest::addColumn<bool>("resets");
    QTest::newRow("background") << QString() << true;
    QTest::newRow("score label") << u"lblPunkte(2)"_s << false;
}

void TestStartScreen::hoverAndReset()
{
    QFETCH(QString, resetOver);
    QFETCH(bool, resets);
    TestProgram program;
    program.start();
    program.show();
    QWidget* start = program.startScreen();
    QWidget* help = control(start, u"lblHilfe"_s);
    QWidget* entry = control(start, u"lblZeitformen"_s);
    enter(help);
    enter(entry);
    QCOMPARE(Theme::textColour(help), Theme::HoverColour);
    if (resetOver.isEmpty())
        moveOver(start, QPoint(start->width() - 5, start->height() - 5));
    else
        enter(control(start, resetOver));
    QCOMPARE(Theme::textColour(help), resets ? Theme::Black : Theme::HoverColour);
    QCOMPARE(Theme::textColour(entry), resets ? Theme::EntryColour : Theme::HoverColour);
}

// Each stored score under its own entry, the widest ones whole, the others 0. The window keeps
// its size; a second click on an entry raises the screen already open, the keys that close
// sub-windows close no start screen, and "Programm beenden" closes the program.
void TestStartScreen::startScreen()
{
    TestProgram program;
    program.fake.folders.program = QStringLiteral(TAMBOLINO_DATA_DIR);
    const QMap<QString, QString> stored { { u"Wortraten"_s, u" -50"_s },
        { u"Kopfrechnen"_s, u"-2147483648"_s }, { u"Malfolgen"_s, u"2147483647"_s } };
    for (const auto& [key, value] : stored.asKeyValueRange())
        program.fake.settings.stored[u"Punktestaende/"_s + key] = value;
    program.start();
    program.show();
    for (int k = 1; k <= ExerciseCount; ++k) {
        const auto* label = control<QLabel>(program.startScreen(), u"lblPunkte(%1)"_s.arg(k));
        const qint64 value
            = stored.value(QString::fromLatin1(exercise(k).settingsKey)).toLongLong();
        QCOMPARE(label->text(), scoreLabelText(qint32(value)));
        QVERIFY(QFontMetrics(label->font()).horizontalAdvance(label->text())
            <= label->contentsRect().width());
    }
    QCOMPARE(program.window->size(), QSize(643, 454));
    program.window->showMaximized();
    QCoreApplication::processEvents();
    QVERIFY(!program.window->isMaximized());
    QCOMPARE(program.window->size(), QSize(643, 454));

    ExerciseScreen* first = program.open(1);
    QVERIFY(first && program.open(9));
    QCOMPARE(program.open(1), first);
    auto* area = control<QMdiArea>(program.window.get(), u"mdiArea"_s);
    QCOMPARE(area->activeSubWindow()->widget(), first);
    // The keys that close an exercise never close the start screen.
    area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(program.startScreen()->parentWidget()));
    program.startScreen()->setFocus();
    for (const Qt::Key key : { Qt::Key_W, Qt::Key_F4 })
        QTest::keyClick(program.startScreen(), key, Qt::ControlModifier);
    program.settle();
    QCOMPARE(area->subWindowList().size(), 3);
    program.click(u"lblProgrammende"_s);
    QVERIFY(!program.window->isVisible());
}

void TestStartScreen::serverNote_data()
{
    QTest::addColumn<QString>("server"); // [Tagebuch] Server; empty for none
    QTest::addColumn<bool>("shown");
    QTest::newRow("journal on this computer") << QString() << false;
    // Nobody listens on port 1: the connection is refused at once.
    QTest::newRow("server away") << u"127.0.0.1"_s << true;
}

// The note comes from the upload of the journal, and stands whole inside the window, clear of
// the copyright lines and the entries.
void TestStartScreen::serverNote()
{
    QFETCH(QString, server);
    QFETCH(bool, shown);
    TestProgram program;
    if (!server.isEmpty()) {
        program.fake.settings.stored.insert(u"Tagebuch/Server"_s, server);
        program.fake.settings.stored.insert(u"Tagebuch/Port"_s, u"1"_s);
    }
    program.start();
    program.show();
    QWidget* start = program.startScreen();
    auto* note = control<QLabel>(start, u"lblSchulserver"_s);
    if (shown)
        QTRY_VERIFY_WITH_TIMEOUT(note->isVisible(), 10000);
    QCoreApplication::processEvents();
    QCOMPARE(note->isVisible(), shown);
    QVERIFY(QFileInfo::exists(program.fake.folders.data + u"/tagebuch.sqlite"_s) == shown);
    QVERIFY(start->rect().contains(note->geometry()));
    QVERIFY(QFontMetrics(note->font()).horizontalAdvance(note->text()) <= note->width());
    for (const char* other : { "lblCopyrights", "lblCopyrights2", "lblPunkte(12)" }) {
        auto* label = control<QLabel>(start, QString::fromLatin1(other));
        const QRect text(label->pos(),
            QSize(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->height()));
        QVERIFY2(!text.intersects(note->geometry()), other);
    }
}

void TestStartScreen::viewSize_data()
{
    QTest::addColumn<QString>("stored"); // before
    QTest::addColumn<int>("screen"); // where the keys are pressed; 0: the start screen
    QTest::addColumn<QString>("steps"); // Ctrl with +, -, 0, "=" (+ without Shift); "m" and a size
    QTest::addColumn<QString>("expected"); // stored, the size checked in the menu, the last message
    const QString next = u"|Die Größe %1 % gilt ab dem nächsten Programmstart."_s;
    const QString running = u"|Das Programm zeigt schon die Größe 100 %."_s;
    QTest::newRow("larger") << QString() << 0 << u"+"_s << u"125|125 %"_s + next.arg(125);
    QTest::newRow("Ctrl and =, on an exercise")
        << u"125"_s << 9 << u"=="_s << u"200|200 %"_s + next.arg(200);
    QTest::newRow("the largest stays") << u"200"_s << 0 << u"+"_s << u"200|200 %"_s + next.arg(200);
    QTest::newRow("back to 100 %") << u"150"_s << 4 << u"0"_s << u"100|100 %"_s + running;
    QTest::newRow("smaller, not below 100 %")
        << u"150"_s << 0 << u"---"_s << u"100|100 %"_s + running;
    QTest::newRow("no step is 100 %") << u"175"_s << 0 << u"+"_s << u"125|125 %"_s + next.arg(125);
    QTest::newRow("from the menu") << QString() << 0 << u"m200"_s << u"200|200 %"_s + next.arg(200);
}

// "Ansicht" and Ctrl with +, - or 0 choose the size of the window for the next start, kept in a
// section of its own; the scores stay as they were.
void TestStartScreen::viewSize()
{
    QFETCH(QString, stored);
    QFETCH(int, screen);
    QFETCH(QString, steps);
    QFETCH(QString, expected);
    TestProgram program;
    auto& values = program.fake.settings.stored;
    if (!stored.isNull())
        values[u"Ansicht/Groesse"_s] = stored;
    values[u"Punktestaende/Kopfrechnen"_s] = u"42"_s;
    program.start();
    program.show();
    if (screen > 0) {
        program.writeTasks(screen,
            exercise(screen).tasks.lines == 2 ? QStringList { u"1 + 1 ="_s, u"2"_s }
                                              : QStringList { u"Hund"_s, u"Hündchen"_s });
        QVERIFY(program.open(screen));
    }
    if (steps.startsWith(u'm')) {
        for (QAction* action : viewMenu(program)->actions()) {
            if (action->text() == steps.mid(1) + u" %"_s)
                action->trigger();
        }
        program.settle();
        steps.clear();
    }
    const QHash<QChar, Qt::Key> keys { { u'+', Qt::Key_Plus }, { u'=', Qt::Key_Equal },
        { u'-', Qt::Key_Minus }, { u'0', Qt::Key_0 } };
    for (const QChar step : steps) {
        if (keys.contains(step))
            QTest::keyClick(QApplication::focusWidget(), keys[step], Qt::ControlModifier);
    }
    QString checked;
    for (const QAction* action : viewMenu(program)->actions())
        checked += action->isChecked() ? action->text() : QString();
    const auto& told = program.fake.messages.shown;
    QCOMPARE(u"%1|%2|%3"_s.arg(values.value(u"Ansicht/Groesse"_s), checked,
                 told.isEmpty() ? QString() : told.last().text),
        expected);
    QCOMPARE(told.size(), std::max<qsizetype>(1, steps.size()));
    QCOMPARE(values.value(u"Punktestaende/Kopfrechnen"_s), u"42"_s);
}

QTEST_MAIN(TestStartScreen)
#include "tst_startscreen.moc"
