#include "app/ClickLabel.h"
#include "app/ExerciseCatalogue.h"
#include "app/MainWindow.h"
#include "app/ProgramState.h"
#include "app/StartScreen.h"
#include "app/Theme.h"
#include "frame/ExerciseScreen.h"
#include "platform/doubles/FakePlatform.h"

#include <QEnterEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

class TestStartScreen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void firstRunShowsZeros();
    void storedScores();
    void secondClickRaisesTheOpenScreen();
    void hoverAndReset_data();
    void hoverAndReset();
    void maximiseKeepsSize();
    void endEntryClosesTheProgram();

private:
    void enter(QWidget* widget);

    std::unique_ptr<FakePlatform> m_fake;
    std::unique_ptr<ProgramState> m_state;
    std::unique_ptr<MDIGrund> m_window;
};

void TestStartScreen::init()
{
    m_fake = std::make_unique<FakePlatform>();
    m_fake->folders.program = QStringLiteral("/opt/tambolino");
    m_fake->folders.documents = QStringLiteral("/home/kind/Dokumente");
    m_state = std::make_unique<ProgramState>();
}

void TestStartScreen::cleanup()
{
    m_window.reset();
}

void TestStartScreen::enter(QWidget* widget)
{
    QEnterEvent event(QPointF(1, 1), widget->mapTo(widget->window(), QPointF(1, 1)),
        widget->mapToGlobal(QPointF(1, 1)));
    QApplication::sendEvent(widget, &event);
}

void TestStartScreen::firstRunShowsZeros()
{
    m_window = std::make_unique<MDIGrund>(*m_state, m_fake->platform);
    frmStart* start = m_window->startScreen();
    for (int k = 1; k <= 12; ++k)
        QCOMPARE(start->lblPunkte[k]->text(), QStringLiteral("Punktestand: 0000000"));
    QCOMPARE(start->dlgDatei.folder, QStringLiteral("/home/kind/Dokumente"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Tambolino"));
    QVERIFY(!m_window->windowIcon().pixmap(32).isNull());
    QCOMPARE(start->lblHilfe->x(), Theme::px(5985));
}

void TestStartScreen::storedScores()
{
    // How a stored text becomes a number is leadingNumber's; here: which key goes where.
    m_fake->settings.values
        = { { "Punktestaende/Wortraten", " -50" }, { "Punktestaende/Division", "12345678" } };
    m_window = std::make_unique<MDIGrund>(*m_state, m_fake->platform);
    QCOMPARE(m_window->startScreen()->lblPunkte[5]->text(), "Punktestand: -0000050");
    QCOMPARE(m_window->startScreen()->lblPunkte[12]->text(), "Punktestand: 12345678");
    QCOMPARE(m_state->ScoreTable(4), 0);
}

void TestStartScreen::secondClickRaisesTheOpenScreen()
{
    m_fake->folders.program = QStringLiteral(TAMBOLINO_DATA_DIR);
    m_window = std::make_unique<MDIGrund>(*m_state, m_fake->platform);
    QTest::mouseClick(m_window->startScreen()->exerciseEntries[1], Qt::LeftButton);
    ExerciseScreen* first = m_window->exerciseScreen(1);
    QVERIFY(first);
    QTest::mouseClick(m_window->startScreen()->exerciseEntries[9], Qt::LeftButton);
    QTest::mouseClick(m_window->startScreen()->exerciseEntries[1], Qt::LeftButton);
    QCOMPARE(m_window->exerciseScreen(1), first);
    QCOMPARE(m_window->mdiArea()->subWindowList().size(), 3);
    QCOMPARE(m_window->mdiArea()->activeSubWindow()->widget(), first);

    // The keys that close sub-windows must not close a screen, least of all the start screen.
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    for (QWidget* screen :
        { static_cast<QWidget*>(first), static_cast<QWidget*>(m_window->startScreen()) }) {
        m_window->mdiArea()->setActiveSubWindow(
            qobject_cast<QMdiSubWindow*>(screen->parentWidget()));
        screen->setFocus();
        QTest::keyClick(screen, Qt::Key_W, Qt::ControlModifier);
        QTest::keyClick(screen, Qt::Key_F4, Qt::ControlModifier);
        QCoreApplication::processEvents();
        QCOMPARE(m_window->mdiArea()->subWindowList().size(), 3);
    }
}

void TestStartScreen::hoverAndReset_data()
{
    QTest::addColumn<QString>("resetOver"); // where the mouse goes after two menu labels
    QTest::addColumn<bool>("resets");
    QTest::newRow("separator") << "Label1(1)" << true;
    QTest::newRow("description") << "lblText4" << true;
    QTest::newRow("background") << "" << true;
    QTest::newRow("score label") << "lblPunkte(2)" << false;
    QTest::newRow("another menu label") << "lblWeb" << false;
}

void TestStartScreen::hoverAndReset()
{
    QFETCH(QString, resetOver);
    QFETCH(bool, resets);
    m_window = std::make_unique<MDIGrund>(*m_state, m_fake->platform);
    frmStart* start = m_window->startScreen();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

    enter(start->lblHilfe);
    enter(start->exerciseEntries[7]);
    QCOMPARE(Theme::textColour(start->lblHilfe), Theme::HoverColour);
    QCOMPARE(Theme::textColour(start->exerciseEntries[7]), Theme::HoverColour);

    if (resetOver.isEmpty()) {
        QMouseEvent move(QEvent::MouseMove, QPointF(start->width() - 5, start->height() - 5),
            start->mapToGlobal(QPointF(start->width() - 5, start->height() - 5)), Qt::NoButton,
            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(start, &move);
    } else {
        enter(start->findChild<QWidget*>(resetOver));
    }

    const QColor menu = resets ? Theme::Black : Theme::HoverColour;
    const QColor entry = resets ? Theme::EntryColour : Theme::HoverColour;
    QCOMPARE(Theme::textColour(start->lblHilfe), menu);
    QCOMPARE(Theme::textColour(start->exerciseEntries[7]), entry);
    QCOMPARE(Theme::textColour(start->exerciseEntries[1]), Theme::EntryColour);
}

void TestStartScreen::maximiseKeepsSize()
{
    m_window = std::make_unique<MDIGrund>(*m_state, m_fake->platform);
    m_window->show();
    const QSize recorded = m_window->size();
    QCOMPARE(recorded, QSize(643, 454));
    m_window->showMaximized();
    QCoreApplication::processEvents();
    QVERIFY(!m_window->isMaximized());
    QCOMPARE(m_window->size(), recorded);

    m_window->showMinimized();
    QCoreApplication::processEvents();
    m_window->showNormal();
    QCoreApplication::processEvents();
    QCOMPARE(m_window->size(), recorded);
}

void TestStartScreen::endEntryClosesTheProgram()
{
    m_window = std::make_unique<MDIGrund>(*m_state, m_fake->platform);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTest::mouseClick(m_window->startScreen()->lblProgrammende, Qt::LeftButton);
    QVERIFY(!m_window->isVisible());
}

QTEST_MAIN(TestStartScreen)
#include "tst_startscreen.moc"
