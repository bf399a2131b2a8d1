#pragma once

#include "core/TaskResult.h"
#include "frame/EvaluationPanel.h"
#include "frame/ExerciseClock.h"
#include "frame/TaskFile.h"
#include "frame/TaskStep.h"

#include <QWidget>
#include <functional>

class HoverGroup;
class LetterEntry;
class QLabel;
class QLineEdit;
class QTimer;
struct Exercise;
struct Platform;
struct ProgramState;

// What every exercise screen shares: title, time limit, evaluation panel, clock, feedback
// pictures, the end label, the web label, F1 help and the routing of keys. An exercise derives
// from it, builds its controls in taskArea() from its catalogue row, handles typed characters in
// keyPressed() and shows what its engine decided through showStep(). Controls are found by
// their object names; to the outside the screen offers its signals and little else.
class ExerciseScreen : public QWidget
{
    Q_OBJECT

public:
    enum class ErrorDisplay
    {
        Shown,
        Absent, // screens that report wrong answers otherwise
    };

    ExerciseScreen(const Exercise& row, ProgramState& state, Platform& platform,
        ErrorDisplay errorDisplay = ErrorDisplay::Shown, QWidget* parent = nullptr);

    int number() const { return m_number; }

    // Before open(): the screen asks only the tasks of its file that show one of these texts
    // (TaskLayout::shownText), under its own rules and score, and says so in its title.
    void practise(const QStringList& prompts);
    bool practiceRound() const { return !m_practice.isEmpty(); }

    // Frame part of the load step, then the exercise's own. On failure the reason is shown
    // in a message box and false is returned; the screen must then be discarded.
    bool open();
    // ScoreTable(k) was changed elsewhere: lblPunktestand shows it anew.
    void showScore();
    // The program ends: the screen closes and reports it so.
    void closeForProgramEnd();

Q_SIGNALS:
    // ScoreTable(k) changed or must be shown again on the start screen.
    void scoreChanged(int k);
    // Every task finished on the screen, as its engine decided it.
    void taskFinished(const TaskResult& result);
    // The opened screen closed, once, and how.
    void sessionEnded(SessionEnd end);

protected:
    // The exercise's load work: read the task file and show the first task. Returns an error
    // message, or an empty text.
    virtual QString loadExercise() = 0;
    // One character typed on the screen, whichever control has the focus; the Enter of the
    // text field arrives as '\r'.
    virtual void keyPressed(QChar c) = 0;
    // A key is about to edit the exercise's text field.
    virtual void textFieldKey() { }

    // The area for the exercise's controls; by default left of the time-limit box and above
    // the evaluation panel. An exercise may take more, up to the whole width between the title
    // and the panel.
    QWidget* taskArea() const { return m_taskArea; }
    void setTaskArea(const QRect& geometry);
    EvaluationPanel& panel() const { return *m_panel; }
    // The panel's arrangement and its top edge; it keeps the screen's width.
    void arrangePanel(EvaluationPanel::Arrangement arrangement, int top);
    // Where the three feedback pictures lie (top left corner).
    void movePictures(const QPoint& topLeft);
    // A real text field that takes its keys itself; only Enter goes to keyPressed(). It gets
    // the focus whenever the screen does.
    void setTextField(QLineEdit* field);
    // Controls made after the screen opened see their keys pass the screen first too.
    void watchKeys(QObject* object);
    // A one-shot timer of the exercise (Timer2, Timer3); it stops when the screen closes, as
    // Timer1 does.
    QTimer* addTimer(const char* name);

    // At most one of the three pictures is visible.
    void showFeedback(TaskStep::Picture picture);
    // What the engine decided: picture, message, error display, wrong inputs and score; a
    // finished task is handed on in taskFinished.
    void showStep(const TaskStep& step);
    // The typed line of a letter-by-letter entry: its text with the typing mark, black after a
    // right character and red after a wrong one. `shown` is the line as laid out on the screen,
    // entry.line() unless it wraps.
    void showEntry(QLabel* line, const LetterEntry& entry, const QString& shown);
    void showEntry(QLabel* line, const LetterEntry& entry);
    // ScoreTable(k) into lblPunktestand and the start screen's lblPunkte(k).
    void publishScore();
    // The step at a task boundary: the screen ends when the time limit is reached; otherwise
    // `next` sets the next task (an engine's next()), and an error from it ends the screen too.
    // True when the screen goes on.
    bool goOn(const std::function<QString()>& next);
    // "Die eingestellte Zeit ist abgelaufen.", then the screen closes.
    void endForTimeLimit();
    // The task file failed while the screen is open: the reason in a message box, then the
    // screen closes.
    void endForTaskFile(const QString& error);

    // The exercise's tasks: its task file, or those of them a practice round asks. Read anew at
    // each call.
    TaskFile::Loader taskLoader() const;

    ProgramState& state() const { return m_state; }
    Platform& platform() const { return m_platform; }

    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void clockStep();
    void endExercise();
    void closeScreen(SessionEnd end);
    void showTaskFileError(const QString& error, const QString& consequence);
    // True when the key was taken; false lets the control with the focus have it.
    bool routeKey(QObject* receiver, QKeyEvent* event);
    void buildTimeLimit();

    const int m_number;
    ProgramState& m_state;
    Platform& m_platform;
    ExerciseClock m_clock;
    QWidget* m_taskArea;
    EvaluationPanel* m_panel;
    HoverGroup* m_links;
    QLineEdit* m_textField = nullptr;
    QList<QLabel*> m_pictures; // lach, aerg, ziel
    QLabel* m_version;
    QLabel* m_title;
    QStringList m_practice;
    QTimer* m_timer1;
    QPixmap m_background;
    bool m_closing = false;
    bool m_opened = false;
    // Set by the screen when it closes itself; a close from outside is the child's own.
    SessionEnd m_end = SessionEnd::Ended;
};
