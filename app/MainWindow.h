#pragma once

#include "app/ExerciseRegistry.h"

#include <QMainWindow>
#include <QPointer>
#include <array>

class ExerciseScreen;
class PracticeJournal;
class QMdiArea;
class QMdiSubWindow;
class StartScreen;
struct Platform;
struct ProgramState;

// The main window: holds the start screen and the exercise screens, keeps its size, and saves
// the scores once when it closes, whatever the cause.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(ProgramState& state, Platform& platform,
        ExerciseRegistry exercises = ExerciseRegistry::builtIn(), QWidget* parent = nullptr);
    ~MainWindow() override;

    // Shows exercise screen k, or brings it to the front when it is open already.
    void showExercise(int k);
    // Exercise screen k with only the tasks that show these texts; a screen of k that is open
    // closes first.
    void showPractice(int k, const QStringList& prompts);
    // The open screen of exercise k, or nullptr.
    ExerciseScreen* exerciseScreen(int k) const;
    // "Kind wählen" and "Fortschritt": each window once, brought to the front when open.
    void showChildPicker();
    void showProgress();

    // Shown, not minimised, in front and active: another start of the program asked for it.
    void bringToFront();
    // Closes every screen and the main window; the closing saves the scores.
    void endProgram();
    // The one saving path: score file first (when one is current), then the settings store.
    // Runs at most once per run; tells about a failure unless the closing is unattended.
    void saveScores();
    // Ends the program without asking or telling anything, through the ordinary closing: for a
    // termination signal. Leaves any modal dialog that is open.
    void endUnattended();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QMdiSubWindow* addScreen(QWidget* screen);
    // Added, made the active sub-window, with the keyboard focus.
    QMdiSubWindow* present(QWidget* screen);
    void openExercise(int k, const QStringList& practice);
    // Brings `window` to the front when it is open; otherwise false.
    bool raiseOpen(QMdiSubWindow* window);
    void showChild(const QString& name);
    void closeExercises();
    // Writes both stores; German text of what failed or had to be mended, empty when all went
    // well.
    QString writeScores();

    ProgramState& m_state;
    Platform& m_platform;
    const ExerciseRegistry m_registry;
    QMdiArea* m_mdiArea;
    StartScreen* m_start;
    PracticeJournal* m_journal;
    QPointer<QMdiSubWindow> m_picker;
    QPointer<QMdiSubWindow> m_progress;
    std::array<QPointer<QMdiSubWindow>, ExerciseCount + 1> m_exercises; // 1..ExerciseCount
    QSize m_recordedSize;
    bool m_saved = false;
    bool m_unattended = false;
};
