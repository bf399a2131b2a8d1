#include "frame/TimedTask.h"

#include "core/ProgramState.h"
#include "core/Scoring.h"

#include <limits>

TimedTask::TimedTask(int k, ProgramState& state, const Clock& clock)
    : m_number(k)
    , m_state(state)
    , m_clock(clock)
    , m_tally(k, clock)
{ }

void TimedTask::begin(const QString& prompt, const QString& answer, qint32 weight)
{
    m_tally.begin(prompt);
    m_entry.start(answer);
    m_weight = weight;
    m_state.lngAnzahl = weight;
    m_state.lngFehler = m_taskErrors;
}

void TimedTask::takeStartTime()
{
    m_start = wholeSecondsNow(m_clock);
    m_state.lngStartzeit = m_start;
}

TimedTask::Step TimedTask::press(QChar c)
{
    Step step;
    step.outcome = m_entry.press(c);
    if (!step.outcome.right) {
        if (m_errors < std::numeric_limits<int>::max())
            ++m_errors;
        if (m_taskErrors < std::numeric_limits<qint32>::max())
            ++m_taskErrors;
        m_state.lngFehler = m_taskErrors;
        m_tally.wrong();
    }
    if (step.outcome.complete) {
        m_state.lngStartzeit = m_start;
        m_state.lngAnzahl = m_weight;
        m_state.lngFehler = m_taskErrors;
        scoreTimedTask(m_state, m_clock);
        m_taskErrors = 0;
        const qint32 before = m_state.ScoreTable(m_number);
        m_state.ScoreTable.add(m_number, m_state.lngPunkte);
        m_tally.add(qint64 { m_state.ScoreTable(m_number) } - before);
        step.finished = m_tally.result();
        step.resultLine = m_state.strErgebnis;
    }
    return step;
}
