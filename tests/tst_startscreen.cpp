#include "support/TestProgram.h"
#include "ui/Theme.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

using namespace Qt::StringLiterals;

class TestStartScreen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstRunShowsZeros();
    void storedScores();
    void secondClickRaisesTheOpenScreen();
    void hoverAndReset_data();
    void hoverAndReset();
    void maximiseKeepsSize();
    void endEntryClosesTheProgram();
};

void TestStartScreen::firstRunShowsZeros()
{
    TestProgram program;
    program.start();
    for (int k = 1; k <= 12; ++k)
        QCOMPARE(program.startScore(k), u"Punktestand: 0000000"_s);
    QCOMPARE(program.window->windowTitle(), u"Tambolino"_s);
    QVERIFY(!program.window->windowIcon().pixmap(32).isNull());
    QCOMPARE(control(program.startScreen(), u"lblHilfe"_s)->x(), Theme::px(5985));
}

void TestStartScreen::storedScores()
{
    // How a stored text becomes a number is leadingNumber's; here: which key goes where.
    TestProgram program;
    program.fake.settings.values = { { u"Punktestaende/Wortraten"_s, u" -50"_s },
        { u"Punktestaende/Division"_s, u"12345678"_s },
        { u"Punktestaende/Kopfrechnen"_s, u"-2147483648"_s },
        { u"Punktestaende/Malfolgen"_s, u"2147483647"_s } };
    program.start();
    QCOMPARE(program.startScore(5), u"Punktestand: -0000050"_s);
    QCOMPARE(program.startScore(12), u"Punktestand: 12345678"_s);
    QCOMPARE(program.startScore(9), u"Punktestand: -2147483648"_s);
    QCOMPARE(program.state.ScoreTable(4), 0);
    // The widest scores are shown whole.
    for (const int k : { 9, 11 }) {
        const auto* label = control<QLabel>(program.startScreen(), u"lblPunkte(%1)"_s.arg(k));
        QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(label->text())
                <= label->contentsRect().width(),
            qPrintable(label->text()));
    }
}

void TestStartScreen::secondClickRaisesTheOpenScreen()
{
    TestProgram program;
    program.fake.folders.program = QStringLiteral(TAMBOLINO_DATA_DIR);
    program.start();
    ExerciseScreen* first = program.open(1);
    QVERIFY(first);
    QVERIFY(program.open(9));
    QCOMPARE(program.open(1), first);
    auto* area = control<QMdiArea>(program.window.get(), u"mdiArea"_s);
    QCOMPARE(area->subWindowList().size(), 3);
    QCOMPARE(area->activeSubWindow()->widget(), first);

    // The keys that close sub-windows must not close a screen, least of all the start screen.
    program.show();
    for (QWidget* screen : { static_cast<QWidget*>(first), program.startScreen() }) {
        area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(screen->parentWidget()));
        screen->setFocus();
        QTest::keyClick(screen, Qt::Key_W, Qt::ControlModifier);
        QTest::keyClick(screen, Qt::Key_F4, Qt::ControlModifier);
        QCoreApplication::processEvents();
        QCOMPARE(area->subWindowList().size(), 3);
    }
}

void TestStartScreen::hoverAndReset_data()
{
    QTest::addColumn<QString>("resetOver"); // where the mouse goes after two menu labels
    QTest::addColumn<bool>("resets");
    QTest::newRow("separator") << u"Label1(1)"_s << true;
    QTest::newRow("description") << u"lblText4"_s << true;
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
    QCOMPARE(Theme::textColour(entry), Theme::HoverColour);
    if (resetOver.isEmpty())
        moveOver(start, QPoint(start->width() - 5, start->height() - 5));
    else
        enter(control(start, resetOver));

    QCOMPARE(Theme::textColour(help), resets ? Theme::Black : Theme::HoverColour);
    QCOMPARE(Theme::textColour(entry), resets ? Theme::EntryColour : Theme::HoverColour);
    QCOMPARE(Theme::textColour(control(start, u"lblAbtippuebungen"_s)), Theme::EntryColour);
}

void TestStartScreen::maximiseKeepsSize()
{
    TestProgram program;
    program.start();
    program.window->show();
    const QSize recorded = program.window->size();
    QCOMPARE(recorded, QSize(643, 454));
    program.window->showMaximized();
    QCoreApplication::processEvents();
    QVERIFY(!program.window->isMaximized());
    QCOMPARE(program.window->size(), recorded);

    program.window->showMinimized();
    QCoreApplication::processEvents();
    program.window->showNormal();
    QCoreApplication::processEvents();
    QCOMPARE(program.window->size(), recorded);
}

void TestStartScreen::endEntryClosesTheProgram()
{
    TestProgram program;
    program.start();
    program.show();
    program.click(u"lblProgrammende"_s);
    QVERIFY(!program.window->isVisible());
}

QTEST_MAIN(TestStartScreen)
#include "tst_startscreen.moc"
