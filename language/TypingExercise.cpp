#include "language/TypingExercise.h"

#include "app/ProgramState.h"
#include "app/Scoring.h"

#include <limits>

namespace {
// The exercise's number in the catalogue and its score slot.
constexpr int Number = 1;
} // namespace

TypingExercise::TypingExercise(
    ProgramState& state, const Clock& clock, RandomSource& random, TaskCycle::Loader loader)
    : m_cycle(std::move(loader), random)
    , m_task(Number, state, clock)
{ }

QString TypingExercise::start()
{
    if (QString error = m_cycle.start(); !error.isEmpty())
        return error;
    m_taskNumber = 1;
    begin();
    return {};
}

void TypingExercise::begin()
{
    m_task.begin(text(), roundHalfEven(static_cast<double>(text().size()) / 2.0));
}

TypingExercise::Step TypingExercise::press(QChar c)
{
    Step step;
    // The time runs from the key that types the first character right; wrong keys before it
    // take the start second again.
    step.firstKey = position() == 1;
    if (step.firstKey)
        m_task.takeStartTime();
    const TimedTask::Step pressed = m_task.press(c);
    step.right = pressed.outcome.right;
    step.finished = pressed.finished;
    if (!step.right)
        step.hint = wrongKeyHint(c, pressed.outcome.expected);
    return step;
}

QString TypingExercise::next()
{
    if (QString error = m_cycle.next(); !error.isEmpty())
        return error;
    if (m_taskNumber < std::numeric_limits<int>::max())
        ++m_taskNumber;
    begin();
    return {};
}

QString keyName(QChar c)
{
    switch (c.unicode()) {
    case ' ':
        return QStringLiteral("Leertaste");
    case '\b':
        return QStringLiteral("Rücktaste");
    case '\r':
        return QStringLiteral("Eingabetaste");
    case 27:
        return QStringLiteral("Esc-Taste");
    default:
        return c;
    }
}

QString wrongKeyHint(QChar typed, const QString& expected)
{
    return keyName(typed) + QStringLiteral(" statt ")
        + (expected.isEmpty() ? QString() : keyName(expected.front()));
}
