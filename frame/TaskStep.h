#pragma once

#include "core/TaskResult.h"

#include <QString>
#include <optional>

class Clock;

// An empty text that clears a label, where a null one leaves it as it was.
inline const QString Cleared = QStringLiteral("");

// What one key press, drop, confirmation or click decided: everything the screen shows anew
// and, at a task's end, the finished task. What is left unset stays on the screen as it was.
struct TaskStep
{
    enum class Picture
    {
        Unchanged,
        None,
        Right, // imgLach
        Wrong, // imgAerg
        Done, // imgZiel: a task, or a part of it, is finished
    };

    bool taken = true; // false: the input was ignored and nothing changed
    Picture picture = Picture::Unchanged;
    QString message {}; // lblPunktemeldung; null: unchanged
    QString hint {}; // the error display; null: unchanged
    std::optional<int> errors {}; // lblFehler: wrong inputs since the screen opened
    bool scoreChanged = false; // ScoreTable(k) is to be shown anew
    int pause = 0; // milliseconds before the next task comes; 0: at once, or not yet
    std::optional<TaskResult> finished {};
};

// The makings of one task's TaskResult, gathered by its engine from the task's first display.
class TaskTally
{
public:
    TaskTally(int k, const Clock& clock);

    // The task is shown: its time starts, its counts begin at 0.
    void begin(const QString& prompt);
    void wrong();
    // What an input changed the score by.
    void add(qint64 points);
    void helpUsed() { m_result.helpUsed = true; }

    qint32 errors() const { return m_result.errors; }
    // The task as it stands now, its seconds up to this moment.
    TaskResult result() const;

private:
    const Clock& m_clock;
    TaskResult m_result;
    qint32 m_start = 0;
};
