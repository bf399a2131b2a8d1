#include "language/TypingExercise.h"

#include "core/ProgramState.h"
#include "core/Scoring.h"
#include "frame/WrongKeyHint.h"

namespace {
// The exercise's number in the catalogue and its score slot.
constexpr int Number = 1;

// Half the characters of the text, an exact half to the even neighbour.
qint32 halfLength(const QString& text)
{
    return roundHalfEven(static_cast<double>(text.size()) / 2.0);
}
} // namespace

TypingExercise::TypingExercise(
    ProgramState& state, const Clock& clock, RandomSource& random, TaskCycle::Loader loader)
    : m_tasks(Number, state, clock, random, std::move(loader), 1, halfLength)
{ }

TypingExercise::Step TypingExercise::press(QChar c)
{
    Step step;
    // The time runs from the key that types the first character right; wrong keys before it
    // take the start second again.
    step.firstKey = position() == 1;
    if (step.firstKey)
        m_tasks.task().takeStartTime();
    const TimedTask::Step pressed = m_tasks.task().press(c);
    step.right = pressed.outcome.right;
    step.finished = pressed.finished;
    if (!step.right)
        step.hint = WrongKeyHint::text(c, pressed.outcome.expected);
    return step;
}
