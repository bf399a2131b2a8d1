#pragma once

#include "frame/TaskStep.h"
#include "frame/TimedTaskCycle.h"

class Clock;
class RandomSource;
struct ProgramState;

// The rules of the copy-typing exercise: a text drawn from the task file is typed character by
// character; a finished text is scored by speed and wrong keys, then the next one is drawn. A
// text too long for the screen at every size is left out.
class TypingExercise
{
public:
    TypingExercise(int k, ProgramState& state, const Clock& clock, RandomSource& random,
        TaskCycle::Loader loader);

    // Reads the task file and shows the first text. Returns an error message, or an empty text.
    QString start() { return m_tasks.start(); }
    // The key that types the first character right takes the start second and empties the
    // previous text's result line; a finished text shows its result line.
    TaskStep press(QChar c);
    // The next text after a finished one, never the same text again unless the file has no
    // other. Returns an error message (the file could not be read again), or an empty text.
    QString next() { return m_tasks.next(); }

    QString text() const { return m_tasks.prompt(); }
    const LetterEntry& entry() const { return m_tasks.task().entry(); }
    // intStelle
    qsizetype position() const { return entry().position(); }
    // intFehler
    int errors() const { return m_tasks.task().errors(); }
    // intAufgNr: texts shown since the screen opened, across passes.
    int taskNumber() const { return m_tasks.taskNumber(); }

private:
    TimedTaskCycle m_tasks;
};
