#include "support/TestProgram.h"
#include "ui/Theme.h"

#include <QMdiArea>
#include <QMdiSubWindow>

using namespace Qt::StringLiterals;

class TestStartScreen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hoverAndReset_data();
    void hoverAndReset();
    void startScreen();
};

void TestStartScreen::hoverAndReset_data()
{
    QTest::addColumn<QString>("resetOver"); // where the mouse goes after two menu labels
    QTest::addColumn<bool>("resets");
    QTest::newRow("separator") << u"Label1(1)"_s << true;
    QTest::newRow("background") << QString() << true;
    QTest::newRow("score label") << u"lblPunkte(2)"_s << false;
    QTest::newRow("another menu label") << u"lblWeb"_s << false;
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
    // Stored value and its display, by settings key.
    const QMap<QString, std::pair<QString, QString>> stored {
        { u"Wortraten"_s, { u" -50"_s, u"-0000050"_s } },
        { u"Division"_s, { u"12345678"_s, u"12345678"_s } },
        { u"Kopfrechnen"_s, { u"-2147483648"_s, u"-2147483648"_s } },
        { u"Malfolgen"_s, { u"2147483647"_s, u"2147483647"_s } },
    };
    for (const auto& [key, value] : stored.asKeyValueRange())
        program.fake.settings.values[u"Punktestaende/"_s + key] = value.first;
    program.start();
    program.show();
    for (int k = 1; k <= ExerciseCount; ++k) {
        const auto* label = control<QLabel>(program.startScreen(), u"lblPunkte(%1)"_s.arg(k));
        const QString key = QString::fromLatin1(exercise(k).settingsKey);
        QCOMPARE(
            label->text(), u"Punktestand: "_s + stored.value(key, { {}, u"0000000"_s }).second);
        QVERIFY(QFontMetrics(label->font()).horizontalAdvance(label->text())
            <= label->contentsRect().width());
    }
    QVERIFY(!program.window->windowIcon().pixmap(32).isNull());
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
    // The keys that close a document window close an exercise, never the start screen.
    for (QWidget* screen : { program.startScreen(), static_cast<QWidget*>(first) }) {
        area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(screen->parentWidget()));
        screen->setFocus();
        if (screen != first)
            QTest::keyClick(screen, Qt::Key_W, Qt::ControlModifier);
        QTest::keyClick(screen, Qt::Key_F4, Qt::ControlModifier);
        program.settle();
        QCOMPARE(area->subWindowList().size(), screen == first ? 2 : 3);
    }
    program.click(u"lblProgrammende"_s);
    QVERIFY(!program.window->isVisible());
}

QTEST_MAIN(TestStartScreen)
#include "tst_startscreen.moc"
