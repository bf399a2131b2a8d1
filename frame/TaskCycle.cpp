#include "frame/TaskCycle.h"

#include "platform/RandomSource.h"

#include <algorithm>
#include <limits>

TaskCycle::TaskCycle(Loader loader, RandomSource& random)
    : m_loader(std::move(loader))
    , m_random(random)
{ }

QString TaskCycle::reload()
{
    TaskFile::Result result = m_loader();
    if (!result.ok())
        return result.error;
    m_lists = std::move(result.lists);
    return {};
}

QString TaskCycle::start()
{
    m_drawn = 0;
    if (QString error = reload(); !error.isEmpty())
        return error;
    m_current = m_random.index(remaining());
    m_drawn = 1;
    return {};
}

QString TaskCycle::next()
{
    const QString previous = prompt();
    for (QStringList& list : m_lists)
        list.removeAt(m_current);
    if (remaining() == 0) {
        if (QString error = reload(); !error.isEmpty())
            return error;
    }

    m_current = m_random.index(remaining());
    if (m_drawn < std::numeric_limits<int>::max())
        ++m_drawn;
    if (prompt() != previous)
        return {};

    // Redrawing until the prompt differs is the same as drawing among the differing tasks;
    // drawing among them directly also ends when there are none.
    QList<qsizetype> others;
    const QStringList& prompts = m_lists.first();
    for (qsizetype i = 0; i < prompts.size(); ++i) {
        if (prompts[i] != previous)
            others.append(i);
    }
    if (!others.isEmpty())
        m_current = others[m_random.index(others.size())];
    return {};
}

QString TaskCycle::field(int j) const
{
    if (j < 1 || j > m_lists.size() || m_current >= remaining())
        return {};
    return m_lists[j - 1][m_current];
}
