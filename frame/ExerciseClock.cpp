#include "frame/ExerciseClock.h"

#include <limits>

void ExerciseClock::tick()
{
    if (++m_seconds < 60)
        return;
    m_seconds = 0;
    if (m_minutes < std::numeric_limits<int>::max())
        ++m_minutes;
}

QString ExerciseClock::text() const
{
    return QStringLiteral("%1:%2")
        .arg(m_minutes, 2, 10, QLatin1Char('0'))
        .arg(m_seconds, 2, 10, QLatin1Char('0'));
}
