#pragma once

#include "frame/TaskStep.h"
#include "frame/TimedTaskCycle.h"

class Clock;
class RandomSource;
struct ProgramState;

// The rules of the four arithmetic exercises: question-and-answer pairs from a task file, the
// answer typed letter by letter and scored by speed and wrong keys, then a pause during which
// keys are ignored, then the next question.
class ArithmeticExercise
{
public:
    // Every solved task weighs as ten characters in scoreTimedTask.
    static constexpr int Weight = 10;
    // After a solved task, until the next question comes (Timer2).
    static constexpr int PauseAfterTask = 1000;

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
