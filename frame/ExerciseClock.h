#pragma once

#include <QString>

// Elapsed time of an exercise screen and its time limit.
class ExerciseClock
{
public:
    // One second has passed.
    void tick();
    // "00:07", "12:30", "125:05".
    QString text() const;

    // Minutes; 0 means no limit.
    void setLimit(int minutes) { m_limit = minutes; }
    // Tested only where the next task would be shown, never by the clock itself.
    bool limitReached() const { return m_limit >= 1 && m_minutes >= m_limit; }

private:
    int m_seconds = 0;
    int m_minutes = 0;
    int m_limit = 0;
};
