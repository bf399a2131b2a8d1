#pragma once

#include "frame/ExerciseClock.h"
#include "frame/LetterEntry.h"

#include <QWidget>

class ClickLabel;
class QGroupBox;
class QLabel;
class QRadioButton;
class QTimer;
struct Platform;
struct ProgramState;

// What every exercise screen shares: title, time limit, evaluation panel, clock, feedback
// pictures, the end label, the web label and F1 help. An exercise derives from it, builds its
// task area inside taskArea() and handles typed characters in keyPressed().
class ExerciseScreen : public QWidget
{
    Q_OBJECT

public:
    enum class Feedback
    {
        None,
        Right,
        Wrong,
        Done
    };

    ExerciseScreen(int k, ProgramState& state, Platform& platform, QWidget* parent = nullptr);

    int number() const { return m_number; }

    // Frame part of the load step, then the exercise's own. On failure the reason is shown
    // in a message box and false is returned; the screen must then be discarded.
    bool open();

    // Timer1: one second has passed.
    void clockStep();
    const ExerciseClock& clock() const { return m_clock; }
    bool timeLimitReached() const { return m_clock.limitReached(); }
    // "Die eingestellte Zeit ist abgelaufen.", then the screen closes.
    void subZeitAbgelaufen();
    // ScoreTable(k) into lblPunktestand and the start screen's lblPunkte(k).
    void subPunkteAnzeigen();
    // At most one of the three pictures is visible.
    void showFeedback(Feedback feedback);
    // The typed line of a letter-by-letter entry: its text with the typing mark, black after a
    // right character and red after a wrong one, and the matching picture.
    // `shown` is the line as laid out on the screen, entry.line() unless it wraps.
    void showEntry(QLabel* line, const LetterEntry& entry, const QString& shown);
    void showEntry(QLabel* line, const LetterEntry& entry) { showEntry(line, entry, entry.line()); }
    // End step of lblUebEnd: refresh the start screen's score, close.
    void endExercise();
    // Closes the screen (its sub-window in the main window).
    void closeScreen();

    // The task file failed while the screen is open: the reason in a message box, then the
    // screen closes.
    void endForTaskFile(const QString& error);

    // Handles one typed character as the screen's key handler does.
    void typeCharacter(QChar c);

    QLabel* Label1;
    QGroupBox* Frame1;
    QRadioButton* opt5min;
    QRadioButton* opt10min;
    QRadioButton* opt15min;
    QRadioButton* optKeine;
    QGroupBox* fraAuswertung;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6 = nullptr;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* lblZeit;
    QLabel* lblUhrzeit;
    QLabel* lblPunktestand;
    QLabel* lblPunktemeldung;
    QLabel* lblFehler;
    QLabel* lblAufg;
    QLabel* lblFehleranzeige = nullptr;
    QLabel* imgLach;
    QLabel* imgAerg;
    QLabel* imgZiel;
    ClickLabel* lblUebEnd;
    ClickLabel* lblWeb;
    QLabel* lblVersion;
    QLabel* lblCopyrights;
    QLabel* lblCopyrights2;
    QTimer* Timer1;

Q_SIGNALS:
    // ScoreTable(k) changed or must be shown again on the start screen.
    void scoreChanged(int k);

protected:
    // The exercise's load work: read the task file and show the first task. Returns an error
    // message, or an empty text.
    virtual QString loadExercise() = 0;
    // One character typed on the screen, whichever control has the focus.
    virtual void keyPressed(QChar c) = 0;

    // The area left of the time-limit box and above the evaluation panel.
    QWidget* taskArea() const { return m_taskArea; }
    // Labels that turn dark red under the mouse and black over the background.
    void addHoverLabel(ClickLabel* label);
    // Screens 2 and 3 have no error display.
    void removeErrorDisplay();
    ProgramState& state() const { return m_state; }
    Platform& platform() const { return m_platform; }

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void showTaskFileError(const QString& error);
    bool handleKey(QKeyEvent* event);
    void watchKeys(QObject* object);
    void buildTimeLimit();
    void buildEvaluation();

    const int m_number;
    ProgramState& m_state;
    Platform& m_platform;
    ExerciseClock m_clock;
    QWidget* m_taskArea;
    QList<ClickLabel*> m_hoverLabels;
    QPixmap m_background;
    bool m_closing = false;
};
