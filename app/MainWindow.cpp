#include "app/MainWindow.h"

#include "app/ChildPicker.h"
#include "app/PracticeJournal.h"
#include "app/StartScreen.h"
#include "core/ProgramState.h"
#include "core/ScoreFile.h"
#include "core/ScoreStore.h"
#include "frame/ExerciseScreen.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "ui/Theme.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

MainWindow::MainWindow(
    ProgramState& state, Platform& platform, ExerciseRegistry exercises, QWidget* parent)
    : QMainWindow(parent)
    , m_state(state)
    , m_platform(platform)
    , m_registry(std::move(exercises))
    , m_mdiArea(new QMdiArea(this))
    , m_journal(new PracticeJournal(state, platform, this))
{
    setObjectName(QStringLiteral("MDIGrund"));
    setWindowTitle(QStringLiteral("Tambolino"));
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setCentralWidget(m_mdiArea);

    // 9645 x 6810 twips of client area.
    m_recordedSize = QSize(Theme::px(9645), Theme::px(6810));
    setFixedSize(m_recordedSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), m_recordedSize);
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }

    m_start = new StartScreen(state, platform);
    connect(m_start, &StartScreen::exerciseRequested, this, &MainWindow::showExercise);
    connect(m_start, &StartScreen::endRequested, this, &MainWindow::endProgram);
    connect(m_start, &StartScreen::childPickerRequested, this, &MainWindow::showChildPicker);
    connect(m_start, &StartScreen::progressRequested, this, &MainWindow::showProgress);
    connect(m_start, &StartScreen::childChanged, this, &MainWindow::showChild);
    // A reset or a loaded score file changes the scores of open screens too.
    connect(m_start, &StartScreen::scoreReplaced, this, [this](int k) {
        if (ExerciseScreen* screen = exerciseScreen(k))
            screen->showScore();
    });
    addScreen(m_start);
    m_start->load();
    connect(m_journal, &PracticeJournal::serverState, m_start, &StartScreen::showServerState);
    // The icon is drawn by Qt's SVG icon engine, a plugin: loaded once the window stands, it
    // does not hold up the start.
    QTimer::singleShot(0, this, [this] { setWindowIcon(Theme::windowIcon()); });
    // Records left over from an earlier run go to the school's server once the window stands.
    QTimer::singleShot(0, m_journal, &PracticeJournal::upload);
    // The size of the window, on every screen.
    const std::pair<QKeySequence, int> sizeKeys[] = { { QKeySequence(Qt::CTRL | Qt::Key_Plus), 1 },
        { QKeySequence(Qt::CTRL | Qt::Key_Equal), 1 },
        { QKeySequence(Qt::CTRL | Qt::Key_Minus), -1 }, { QKeySequence(Qt::CTRL | Qt::Key_0), 0 } };
    for (const auto& [keys, direction] : sizeKeys) {
        connect(new QShortcut(keys, this), &QShortcut::activated, m_start,
            [this, direction] { m_start->stepViewSize(direction); });
    }

    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        // The session may end the process without closing the window: save now, and again at
        // the closing should the session go on.
        connect(app, &QGuiApplication::commitDataRequest, this, [this] {
            if (const QString failure = writeScores(); !failure.isEmpty())
                qWarning("%s", qUtf8Printable(failure));
        });
        connect(app, &QCoreApplication::aboutToQuit, this, [this] {
            m_unattended = true;
            saveScores();
        });
    }
}

MainWindow::~MainWindow() = default;

QMdiSubWindow* MainWindow::addScreen(QWidget* screen)
{
    // Screens are pages inside the main window: no frame of their own, not in the task bar.
    QMdiSubWindow* window = m_mdiArea->addSubWindow(screen, Qt::FramelessWindowHint);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setFixedSize(screen->size());
    const QSize free = m_mdiArea->viewport()->size() - screen->size();
    window->move(std::max(0, free.width() / 2), std::max(0, free.height() / 2));
    window->show();
    return window;
}

QMdiSubWindow* MainWindow::present(QWidget* screen)
{
    QMdiSubWindow* window = addScreen(screen);
    m_mdiArea->setActiveSubWindow(window);
    screen->setFocus();
    return window;
}

bool MainWindow::raiseOpen(QMdiSubWindow* window)
{
    if (!window)
        return false;
    m_mdiArea->setActiveSubWindow(window);
    window->raise();
    return true;
}

void MainWindow::showExercise(int k)
{
    if (k < 1 || k > ExerciseCount || raiseOpen(m_exercises[k]))
        return;
    openExercise(k, {});
}

void MainWindow::showPractice(int k, const QStringList& prompts)
{
    if (k < 1 || k > ExerciseCount || prompts.isEmpty())
        return;
    if (m_exercises[k]) {
        m_exercises[k]->close();
        // The closed screen must not hold the slot the new one takes.
        m_exercises[k] = nullptr;
    }
    openExercise(k, prompts);
}

void MainWindow::openExercise(int k, const QStringList& practice)
{
    ExerciseScreen* screen = m_registry.create(k, m_state, m_platform);
    if (!screen)
        return;
    if (!practice.isEmpty())
        screen->practise(practice);
    connect(screen, &ExerciseScreen::scoreChanged, m_start, &StartScreen::showScore);
    if (!screen->open()) {
        delete screen;
        return;
    }
    m_journal->record(screen);
    m_exercises[k] = present(screen);
}

void MainWindow::showChildPicker()
{
    if (raiseOpen(m_picker))
        return;
    auto* picker = new ChildPicker(m_platform);
    connect(picker, &ChildPicker::chosen, m_start, &StartScreen::loadScoresFrom);
    connect(picker, &ChildPicker::newChild, m_start, &StartScreen::startNewChild);
    m_picker = present(picker);
}

void MainWindow::showProgress()
{
    if (raiseOpen(m_progress))
        return;
    QWidget* progress = m_registry.createProgressView(m_journal->database(), m_journal->child(),
        m_platform, [this](int k, const QStringList& prompts) { showPractice(k, prompts); });
    if (!progress) {
        m_platform.messages.show(QStringLiteral("Der Fortschritt kann nicht angezeigt werden: Ein "
                                                "Teil von Tambolino fehlt. Bitte installieren Sie "
                                                "Tambolino neu."),
            QStringLiteral("Fortschritt"), MessageBox::Buttons::Ok, MessageBox::Icon::Warning);
        return;
    }
    m_progress = present(progress);
}

void MainWindow::showChild(const QString& name)
{
    setWindowTitle(
        name.isEmpty() ? QStringLiteral("Tambolino") : QStringLiteral("Tambolino - ") + name);
}

ExerciseScreen* MainWindow::exerciseScreen(int k) const
{
    if (k < 1 || k > ExerciseCount || !m_exercises[k])
        return nullptr;
    return qobject_cast<ExerciseScreen*>(m_exercises[k]->widget());
}

void MainWindow::bringToFront()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void MainWindow::closeExercises()
{
    for (int k = 1; k <= ExerciseCount; ++k) {
        if (ExerciseScreen* screen = exerciseScreen(k))
            screen->closeForProgramEnd();
    }
}

void MainWindow::endProgram()
{
    closeExercises();
    m_mdiArea->closeAllSubWindows();
    close();
}

QString MainWindow::writeScores()
{
    QStringList told;
    bool fileFailed = false;
    if (!m_state.strPunktedatei.isEmpty()) {
        const QString error = ScoreFile::save(m_state.strPunktedatei, m_state.ScoreTable);
        fileFailed = !error.isEmpty();
        if (fileFailed)
            told.append(error);
    }
    const ScoreStore::Saved stored = ScoreStore::save(m_platform.settings, m_state.ScoreTable);
    if (const QString message = stored.message(); !message.isEmpty())
        told.append(message);
    if (stored.ok && fileFailed)
        told.append(
            QStringLiteral("Die Punktestände sind für den nächsten Programmstart gespeichert."));
    return told.join(QStringLiteral("\n\n"));
}

void MainWindow::saveScores()
{
    if (m_saved)
        return;
    m_saved = true;
    const QString failure = writeScores();
    if (failure.isEmpty())
        return;
    if (m_unattended)
        qWarning("%s", qUtf8Printable(failure));
    else
        m_platform.messages.show(failure, QStringLiteral("Punktestände speichern"),
            MessageBox::Buttons::Ok, MessageBox::Icon::Warning);
}

void MainWindow::endUnattended()
{
    m_unattended = true;
    endProgram();
    QCoreApplication::exit(0);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Closing is never refused; exercise screens close with the window.
    closeExercises();
    saveScores();
    event->accept();
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMaximized()) {
        // The window keeps its size: maximising returns to the normal state at once.
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
        resize(m_recordedSize);
    }
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (!isMinimized() && size() != m_recordedSize)
        QTimer::singleShot(0, this, [this] {
            if (!isMinimized() && !isMaximized())
                resize(m_recordedSize);
        });
}
