#pragma once

#include "frame/TimedTaskCycle.h"

#include <optional>

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

    ArithmeticExercise(int k, ProgramState& state, const Clock& clock, RandomSource& random,
        TaskCycle::Loader loader);

    // Reads the task file and shows the first task. Returns an error message, or an empty text.
    QString start();
    // One typed character; nothing while the pause after a solved task runs. A solved task
    // starts the pause.
    std::optional<TimedTask::Step> press(QChar c);
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
