#include "frame/TaskStep.h"

#include "core/Scoring.h"

#include <limits>

TaskTally::TaskTally(int k, const Clock& clock)
    : m_clock(clock)
{
    m_result.exercise = k;
}

void TaskTally::begin(const QString& prompt)
{
    m_result = TaskResult { m_result.exercise, prompt };
    m_start = wholeSecondsNow(m_clock);
}

void TaskTally::wrong()
{
    if (m_result.errors < std::numeric_limits<qint32>::max())
        ++m_result.errors;
}

void TaskTally::add(qint64 points)
{
    m_result.points += points;
}

TaskResult TaskTally::result() const
{
    TaskResult result = m_result;
    result.seconds = elapsedSeconds(m_start, wholeSecondsNow(m_clock));
    return result;
}
