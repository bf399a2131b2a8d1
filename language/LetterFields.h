#pragma once

#include "frame/KeyScoring.h"
#include "frame/LetterEntry.h"
#include "frame/TaskCycle.h"
#include "frame/TaskStep.h"

class Clock;
class RandomSource;
class Scores;

// The exercises that score every key: a prompt and N answers, typed letter by letter into N
// fields in fixed order (one field for Verkleinerungen, Wortraten and Wortpaare, six person
// forms for Beugungen, five tenses for Zeitformen). A right key earns a point, a wrong one is
// refused and costs ten; every finished field earns the bonus for the prompt's length and the
// wrong keys since the screen opened. A task is N + 1 lines of the task file (N from the
// catalogue); one that TaskLayout::flaw finds unusable is never asked.
class LetterFields
{
public:
    LetterFields(
        int k, Scores& scores, const Clock& clock, RandomSource& random, TaskCycle::Loader loader);

    // Reads the task file and shows the first task. Returns an error message, or an empty text.
    QString start();
    // One typed character into the active field: the points of the key or the bonus of a
    // completed field as the message, "x statt y" after a wrong key. Once the last field is
    // complete the task is finished; keys change nothing until next().
    TaskStep press(QChar c);
    // The next task after a finished one, a different prompt where the file has one. Returns an
    // error message (the file could not be read again), or an empty text.
    QString next();

    int fields() const { return m_fields; }
    QString prompt() const { return m_tasks.prompt(); }
    // The answer of field j (1-based) of the current task.
    QString answer(int j) const { return m_tasks.field(j + 1); }
    // intFeld: 1 .. N while a task is worked; N + 1 once it is finished.
    int activeField() const { return m_active; }
    // What field j shows: the right keys so far and the typing mark while it is active, its
    // answer once finished, nothing before it is reached.
    QString fieldText(int j) const;
    // The entry of the active field (of the last one once the task is finished).
    const LetterEntry& entry() const { return m_entry; }
    // intFehler: wrong keys since the screen opened, over all tasks.
    int errors() const { return m_errors; }
    // intAufgNr: tasks shown since the screen opened, across passes.
    int taskNumber() const { return m_tasks.drawn(); }

private:
    void begin();

    const int m_number;
    const int m_fields;
    Scores& m_scores;
    KeyScoring m_scoring;
    TaskCycle m_tasks;
    TaskTally m_tally;
    LetterEntry m_entry;
    int m_active = 1;
    int m_errors = 0;
};
