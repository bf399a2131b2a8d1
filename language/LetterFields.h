#pragma once

#include "frame/KeyScoring.h"
#include "frame/LetterEntry.h"
#include "frame/TaskCycle.h"

class RandomSource;
class Scores;

// The exercises that score every key: a prompt and N answers, typed letter by letter into N
// fields in fixed order (one field for Verkleinerungen, Wortraten and Wortpaare, six person
// forms for Beugungen, five tenses for Zeitformen). A right key earns a point, a wrong one is
// refused and costs ten; every finished field earns the bonus for the prompt's length and the
// wrong keys since the screen opened. A task is N + 1 lines of the task file; one with an empty
// answer is never asked, as no key could type that answer.
class LetterFields
{
public:
    struct Step
    {
        bool right = false;
        QString message; // lblPunktemeldung: the points of this key, or the bonus
        QString hint; // lblFehleranzeige: "x statt y" after a wrong key, else empty
        bool fieldFinished = false; // a field was completed and earned its bonus
        bool taskFinished = false; // the last field too; next() brings the next task
    };

    LetterFields(int k, int fields, Scores& scores, RandomSource& random, TaskCycle::Loader loader);

    // Reads the task file and shows the first task. Returns an error message, or an empty text.
    QString start();
    // One typed character into the active field. After the task is finished, keys change
    // nothing until next().
    Step press(QChar c);
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

    const int m_fields;
    KeyScoring m_scoring;
    TaskCycle m_tasks;
    LetterEntry m_entry;
    int m_active = 1;
    int m_errors = 0;
};
