#include "arithmetic/ArithmeticExercise.h"

#include "app/ProgramState.h"

#include <limits>

namespace {
// Question, answer.
constexpr int RecordLines = 2;
} // namespace

ArithmeticExercise::ArithmeticExercise(int k, ProgramState& state, const Clock& clock,
    RandomSource& random, const QString& taskFilePath)
    : m_cycle([taskFilePath] { return TaskFile::load(taskFilePath, RecordLines); }, random)
    , m_task(k, state, clock)
{ }

QString ArithmeticExercise::start()
{
    m_taskNumber = 0;
    m_pausing = false;
    if (QString error = m_cycle.start(); !error.isEmpty())
        return error;
    present();
    return {};
}

std::optional<TimedTask::Step> ArithmeticExercise::press(QChar c)
{
    if (m_pausing)
        return std::nullopt;
    const TimedTask::Step step = m_task.press(c);
    m_pausing = step.finished;
    return step;
}

QString ArithmeticExercise::next()
{
    if (QString error = m_cycle.next(); !error.isEmpty())
        return error;
    m_pausing = false;
    present();
    return {};
}

void ArithmeticExercise::present()
{
    m_task.begin(m_cycle.field(2), Weight);
    if (m_taskNumber < std::numeric_limits<int>::max())
        ++m_taskNumber;
    // Only the time spent on this task counts, not the pause before it.
    m_task.takeStartTime();
}
