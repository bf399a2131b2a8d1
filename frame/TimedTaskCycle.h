#pragma once

#include "frame/TaskCycle.h"
#include "frame/TimedTask.h"

class Clock;
class RandomSource;
struct ProgramState;

// Timed tasks drawn from a task file: the passes and draws of TaskCycle, the scoring of
// TimedTask, and the number of tasks shown since the screen opened (intAufgNr).
class TimedTaskCycle
{
public:
    // The character weight (lngAnzahl) of a task, from its answer.
    using Weight = qint32 (*)(const QString& answer);

    TimedTaskCycle(int k, ProgramState& state, const Clock& clock, RandomSource& random,
        TaskCycle::Loader loader, int answerField, Weight weight);

    // Reads the task file and begins the first task. Returns an error message, or an empty text.
    QString start();
    // Begins the next task, a different prompt where one exists. Returns an error message (the
    // file could not be read again), or an empty text.
    QString next();

    QString prompt() const { return m_cycle.prompt(); }
    TimedTask& task() { return m_task; }
    const TimedTask& task() const { return m_task; }
    int taskNumber() const { return m_cycle.drawn(); }

private:
    void begin();

    TaskCycle m_cycle;
    TimedTask m_task;
    const int m_answerField;
    const Weight m_weight;
};
