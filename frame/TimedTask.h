#pragma once

#include "frame/LetterEntry.h"
#include "frame/TaskStep.h"

class Clock;
struct ProgramState;

// A task scored by speed and wrong keys (one typed text, one arithmetic task): letter-by-letter
// entry, the wrong keys of the screen and of the task, and the points of scoreTimedTask added to
// the exercise's score when the answer is complete.
// The task keeps its own start second, weight and wrong keys and hands them to scoreTimedTask
// again when it is scored: with two exercise screens open, one must not take over the other's
// measurement, nor the wrong keys of a task left unfinished. The program-wide variables show
// the measurement of the task last worked on.
class TimedTask
{
public:
    struct Step
    {
        LetterEntry::Outcome outcome;
        // The answer is complete and its points are added.
        std::optional<TaskResult> finished;
        QString resultLine; // strErgebnis of the finished task
    };

    TimedTask(int k, ProgramState& state, const Clock& clock);

    // A new task shown with its prompt, and its answer to type with the character weight of its
    // speed measure (lngAnzahl); intStelle back to 1.
    void begin(const QString& prompt, const QString& answer, qint32 weight);
    // The task's start second is the current whole second.
    void takeStartTime();
    // Compares one typed character. A wrong one is counted for the screen and for the task;
    // when the answer is complete, scoreTimedTask scores it and its points reach ScoreTable(k).
    Step press(QChar c);

    const LetterEntry& entry() const { return m_entry; }
    // Wrong keys since the screen opened (intFehler).
    int errors() const { return m_errors; }

private:
    const int m_number;
    ProgramState& m_state;
    const Clock& m_clock;
    LetterEntry m_entry;
    TaskTally m_tally;
    int m_errors = 0;
    qint32 m_start = 0;
    qint32 m_weight = 0;
    qint32 m_taskErrors = 0;
};
