#pragma once

#include "frame/TaskCycle.h"
#include "frame/TaskStep.h"

class Clock;
class RandomSource;
struct ProgramState;

// The rules of the fill-in exercise. A task is a text with one group of letters left out: the
// before-part, the missing letters and the after-part. The child edits the shown text freely;
// only a confirmation judges it, as a whole. A right answer starts a pause, after which the
// next task follows; two helps cost points. Every deduction stops at a score of 0. A task
// without missing letters, with a character no key types or too long for the solution display
// is never asked.
class FillIn
{
public:
    // After a right answer, until the next task comes (Timer2).
    static constexpr int PauseAfterRight = 1000;
    // How long "Lösung anzeigen" shows the solution (Timer3).
    static constexpr int SolutionTime = 3000;
    // The text field and the solution display show this many characters at their usual size.
    static constexpr int TextColumns = 40;

    FillIn(int k, ProgramState& state, const Clock& clock, RandomSource& random,
        TaskCycle::Loader loader);

    // Reads the task file and draws the first task. Returns an error message, or an empty text.
    QString start();

    // The text as shown: the before-part directly followed by the after-part.
    QString shownText() const;
    // Where the cursor stands in the shown text: right after the before-part.
    qsizetype gap() const { return before().size(); }
    QString solution() const;

    // Any key in the text field.
    TaskStep keyInField();
    // judgeAnswer: right only when the text is exactly the solution; a right answer finishes the
    // task and starts the pause. Ignored during the pause and while the solution is shown.
    TaskStep judge(const QString& text);
    // showNextTask, when the pause is over: the next task, never one with the same
    // before-part unless no other is left. Returns an error message (the file could not be
    // read again), or an empty text.
    QString next();

    // "Anzeige wiederholen": not taken while the solution is shown.
    TaskStep repeatDisplay();
    // "Lösung anzeigen", with the cursor position the text field has now: not taken while the
    // solution is shown already.
    TaskStep showSolution(qsizetype cursor);
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
    TaskStep deduct(int points, const QString& message);

    const int m_number;
    ProgramState& m_state;
    TaskCycle m_tasks;
    TaskTally m_tally;
    QString m_message;
    int m_errors = 0;
    bool m_pausing = false;
    bool m_showingSolution = false;
    qsizetype m_savedCursor = 0;
};
