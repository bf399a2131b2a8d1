#pragma once

#include "frame/TaskStep.h"
#include "frame/TimedTaskCycle.h"

class Clock;
class RandomSource;
struct ProgramState;

// The rules of the four arithmetic exercises: question-and-answer pairs from a task file, the
// answer typed letter by letter and scored by speed and wrong keys, then a pause during which
// keys are ignored, then the next question. A task that TaskLayout::flaw finds unusable is
// never asked.
class ArithmeticExercise
{
public:
    // Every solved task weighs as ten characters in scoreTimedTask.
    static constexpr int Weight = 10;
    // After a solved task, until the next question comes (Timer2).
    static constexpr int PauseAfterTask = 1000;
    // The question and the answer line: their width inside border and indent, the size they
    // start at and the smallest they shrink to; the question wraps into two lines.
    static constexpr int TextWidth = 358;
    static constexpr qreal TextPoints = 20;
    static constexpr qreal SmallestTextPoints = 12;
    static constexpr int QuestionLines = 2;
    // An answer up to this many times the line's width scrolls along.
    static constexpr int AnswerScreens = 3;

    // The first line of a task that does not fit its place at the smallest size, or 0.
    static int fits(const QStringList& task);

    ArithmeticExercise(int k, ProgramState& state, const Clock& clock, RandomSource& random,
        TaskCycle::Loader loader);

    // Reads the task file and shows the first task. Returns an error message, or an empty text.
    QString start();
    // One typed character; not taken while the pause after a solved task runs. Each key empties
    // the message, a wrong one shows "Fehler"; a solved task shows its result line and starts
    // the pause.
    TaskStep press(QChar c);
    // Ends the pause with the next task, a different question where one exists. Returns an
    // error message (the file could not be read again), or an empty text.
    QString next();

    QString question() const { return m_tasks.prompt(); }
    const LetterEntry& entry() const { return m_tasks.task().entry(); }
    // Wrong keys since the screen opened (intFehler).
    int errors() const { return m_tasks.task().errors(); }
    // Tasks shown since the screen opened, the current one included (intAufgNr).
    int taskNumber() const { return m_tasks.taskNumber(); }

private:
    // Only the time spent on a task counts, not the pause before it.
    QString present(const QString& error);

    TimedTaskCycle m_tasks;
    bool m_pausing = false;
};
