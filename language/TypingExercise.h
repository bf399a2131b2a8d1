#pragma once

#include "frame/TimedTaskCycle.h"

class Clock;
class RandomSource;
struct ProgramState;

// The rules of the copy-typing exercise: a text drawn from the task file is typed character by
// character; a finished text is scored by speed and wrong keys, then the next one is drawn.
class TypingExercise
{
public:
    struct Step
    {
        bool right = false;
        // No character of the text was typed right before this key: the start second was taken
        // and the previous text's result line is to be emptied.
        bool firstKey = false;
        bool finished = false; // scored; strErgebnis holds the result line
        QString hint; // the error display: "x statt y", empty after a right key
    };

    TypingExercise(
        ProgramState& state, const Clock& clock, RandomSource& random, TaskCycle::Loader loader);

    // Reads the task file and shows the first text. Returns an error message, or an empty text.
    QString start() { return m_tasks.start(); }
    Step press(QChar c);
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
