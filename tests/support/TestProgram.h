#pragma once

#include "app/MainWindow.h"
#include "app/ProgressScreen.h"
#include "core/ExerciseCatalogue.h"
#include "core/ProgramState.h"
#include "frame/ExerciseScreen.h"
#include "support/FakePlatform.h"
#include "support/TestSupport.h"
#include "ui/ClickLabel.h"

#include <QApplication>
#include <QEnterEvent>
#include <QHash>
#include <QLabel>
#include <QTemporaryDir>
#include <memory>

// Real key events, one character each; umlauts too, which QTest::keyClicks cannot send.
inline void typeKeys(QWidget* widget, const QString& text, Qt::KeyboardModifiers modifiers = {})
{
    static const QHash<QChar, Qt::Key> named { { u'\b', Qt::Key_Backspace },
        { u'\r', Qt::Key_Return }, { QChar(27), Qt::Key_Escape }, { u'\t', Qt::Key_Tab },
        { QChar(127), Qt::Key_Delete }, { u' ', Qt::Key_Space } };
    for (const QChar c : text) {
        const bool plain = c.unicode() < 128 && c.isLetterOrNumber();
        QTest::sendKeyEvent(QTest::Click, widget,
            named.value(c, plain ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown), QString(c),
            modifiers);
    }
}

// The mouse comes over a widget.
inline void enter(QWidget* widget)
{
    QEnterEvent event(QPointF(1, 1), widget->mapTo(widget->window(), QPointF(1, 1)),
        widget->mapToGlobal(QPointF(1, 1)));
    QApplication::sendEvent(widget, &event);
}

// The mouse moves, no button held, over a point of the widget.
inline void moveOver(QWidget* widget, const QPoint& at)
{
    QMouseEvent move(
        QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// The whole program on stand-ins, over a program directory and a documents folder of the
// test's own. Scores stored before start() are what the start screen reads.
struct TestProgram
{
    TestProgram()
    {
        fake.folders.program = folder.path();
        fake.folders.documents = documents.path();
        fake.folders.data = folder.filePath(QStringLiteral("daten"));
    }

    // The program's screens, with the progress view linked in where the program loads it.
    static ExerciseRegistry programScreens()
    {
        ExerciseRegistry screens = ExerciseRegistry::builtIn();
        screens.setProgressView(&ProgressScreen::open);
        return screens;
    }

    void start(ExerciseRegistry exercises = programScreens())
    {
        window = std::make_unique<MainWindow>(state, fake.platform, std::move(exercises));
    }

    // Shown and active, so that keys reach the control with the focus.
    void show() const
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    // A click on exercise k's start-screen entry; the screen it opened, or nullptr.
    ExerciseScreen* open(int k) const
    {
        QTest::mouseClick(
            control<ClickLabel>(startScreen(), QString::fromLatin1(exercise(k).entryControl)),
            Qt::LeftButton);
        return window->findChild<ExerciseScreen*>(QString::fromLatin1(exercise(k).screen));
    }

    // Exercise k's task file in the program directory, from these lines.
    bool writeTasks(int k, const QStringList& tasks) const
    {
        return writeFile(taskFilePath(folder.path(), k), taskFileBytes(tasks));
    }

    // The program started and shown over these tasks of exercise k, and its screen opened.
    ExerciseScreen* startWith(int k, const QStringList& tasks)
    {
        writeTasks(k, tasks);
        start();
        show();
        return open(k);
    }

    QWidget* startScreen() const { return control(window.get(), QStringLiteral("frmStart")); }

    QString startScore(int k) const
    {
        return control<QLabel>(startScreen(), QStringLiteral("lblPunkte(%1)").arg(k))->text();
    }

    void click(const QString& name) const
    {
        QTest::mouseClick(control(window.get(), name), Qt::LeftButton);
    }

    // Closed screens are deleted by the event loop.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QTemporaryDir folder;
    QTemporaryDir documents;
    FakePlatform fake;
    ProgramState state;
    std::unique_ptr<MainWindow> window;
};
