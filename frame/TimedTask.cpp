#include "frame/TimedTask.h"

#include "app/ProgramState.h"
#include "app/Scoring.h"

#include <limits>

TimedTask::TimedTask(int k, ProgramState& state, const Clock& clock)
    : m_number(k)
    , m_state(state)
    , m_clock(clock)
{
}

void TimedTask::begin(const QString& answer)
{
    m_entry.start(answer);
}

void TimedTask::takeStartTime()
{
    m_state.lngStartzeit = wholeSecondsNow(m_clock);
}

TimedTask::Step TimedTask::press(QChar c)
{
    Step step;
    step.outcome = m_entry.press(c);
    if (!step.outcome.right) {
        if (m_errors < std::numeric_limits<int>::max())
            ++m_errors;
        if (m_state.lngFehler < std::numeric_limits<qint32>::max())
            ++m_state.lngFehler;
    }
    if (step.outcome.complete) {
        subErgebnis(m_state, m_clock);
        m_state.ScoreTable.add(m_number, m_state.lngPunkte);
        step.finished = true;
    }
    return step;
}
