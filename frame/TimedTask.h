#pragma once

#include "frame/LetterEntry.h"

class Clock;
struct ProgramState;

// A task scored by speed and wrong keys (one typed text, one arithmetic task): letter-by-letter
// entry, the wrong keys of the screen and of the task, and the points of subErgebnis added to
// the exercise's score when the answer is complete.
class TimedTask
{
public:
    struct Step
    {
        LetterEntry::Outcome outcome;
        bool finished = false; // the answer is complete and the points are added
    };

    TimedTask(int k, ProgramState& state, const Clock& clock);

    // A new answer to type; intStelle back to 1.
    void begin(const QString& answer);
    // lngStartzeit = the current whole second.
    void takeStartTime();
    // Compares one typed character. A wrong one is counted for the screen and for the task;
    // when the answer is complete, subErgebnis scores it and its points reach ScoreTable(k).
    Step press(QChar c);

    const LetterEntry& entry() const { return m_entry; }
    // Wrong keys since the screen opened (intFehler).
    int errors() const { return m_errors; }

private:
    const int m_number;
    ProgramState& m_state;
    const Clock& m_clock;
    LetterEntry m_entry;
    int m_errors = 0;
};
