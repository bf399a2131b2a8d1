#pragma once

#include "frame/TaskFile.h"

class RandomSource;

// The tasks of one exercise screen: drawn at random, each once per pass; when a pass is used
// up the file is read again. The same prompt (list 1) never comes twice in a row, unless no
// other prompt exists.
class TaskCycle
{
public:
    using Loader = TaskFile::Loader;

    TaskCycle(Loader loader, RandomSource& random);

    // Reads the file and draws the first task. Returns an error message, or an empty text.
    QString start();
    // Removes the current task, refills from the file when none is left, and draws the next.
    // Returns an error message (the file could not be read again), or an empty text.
    QString next();

    // Line j (1-based) of the current task's record.
    QString field(int j) const;
    QString prompt() const { return field(1); }
    // intAufgNr: tasks drawn since start(), across passes, the current one included.
    int drawn() const { return m_drawn; }
    qsizetype remaining() const { return m_lists.isEmpty() ? 0 : m_lists.first().size(); }

private:
    QString reload();

    Loader m_loader;
    RandomSource& m_random;
    QList<QStringList> m_lists;
    qsizetype m_current = 0;
    int m_drawn = 0;
};
