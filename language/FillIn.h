#pragma once

#include "frame/TaskCycle.h"

class RandomSource;
struct ProgramState;

// The rules of the fill-in exercise. A task is a text with one group of letters left out: the
// before-part, the missing letters and the after-part. The child edits the shown text freely;
// only a confirmation judges it, as a whole. A right answer starts a pause, after which the
// next task follows; two helps cost points. Every deduction stops at a score of 0.
class FillIn
{
public:
    enum class Verdict
    {
        Ignored, // during the pause after a right answer or while the solution is shown
        Right,
        Wrong,
    };

    FillIn(ProgramState& state, RandomSource& random, TaskCycle::Loader loader);

    // Reads the task file and draws the first task. Returns an error message, or an empty text.
    QString start();

    // The text as shown: the before-part directly followed by the after-part.
    QString shownText() const;
    // Where the cursor stands in the shown text: right after the before-part.
    qsizetype gap() const { return before().size(); }
    QString solution() const;

    // Any key in the text field.
    void keyInField();
    // judgeAnswer: right only when the text is exactly the solution.
    Verdict judge(const QString& text);
    // showNextTask, when the pause is over: the next task, never one with the same
    // before-part unless no other is left. Returns an error message (the file could not be
    // read again), or an empty text.
    QString next();

    // "Anzeige wiederholen": false when ignored, while the solution is shown.
    bool repeatDisplay();
    // "Lösung anzeigen", with the cursor position the text field has now: false when ignored,
    // while the solution is shown already.
    bool showSolution(qsizetype cursor);
    // The solution display is over: where the cursor goes in the text now in the field, which
    // is a new task's when the pause ended meanwhile.
    qsizetype solutionShown(qsizetype textLength);

    // lblPunktemeldung
    QString message() const { return m_message; }
    // intFehler: wrong confirmations since the screen opened.
    int errors() const { return m_errors; }
    // intAufgNr
    int taskNumber() const { return m_tasks.drawn(); }

private:
    QString before() const { return m_tasks.field(1); }
    void deduct(int points, const QString& message);

    ProgramState& m_state;
    TaskCycle m_tasks;
    QString m_message;
    int m_errors = 0;
    bool m_pausing = false;
    bool m_showingSolution = false;
    qsizetype m_savedCursor = 0;
};
