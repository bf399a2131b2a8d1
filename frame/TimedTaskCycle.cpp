#include "frame/TimedTaskCycle.h"

TimedTaskCycle::TimedTaskCycle(int k, ProgramState& state, const Clock& clock, RandomSource& random,
    TaskCycle::Loader loader, int answerField, Weight weight)
    : m_cycle(std::move(loader), random)
    , m_task(k, state, clock)
    , m_answerField(answerField)
    , m_weight(weight)
{ }

QString TimedTaskCycle::start()
{
    if (QString error = m_cycle.start(); !error.isEmpty())
        return error;
    begin();
    return {};
}

QString TimedTaskCycle::next()
{
    if (QString error = m_cycle.next(); !error.isEmpty())
        return error;
    begin();
    return {};
}

void TimedTaskCycle::begin()
{
    const QString answer = m_cycle.field(m_answerField);
    m_task.begin(m_cycle.prompt(), answer, m_weight(answer));
}
