#include "language/TypingExercise.h"

#include "core/ProgramState.h"
#include "core/Scoring.h"
#include "frame/WrongKeyHint.h"
#include "language/TaskRooms.h"

namespace {
// Half the characters of the text, an exact half to the even neighbour.
qint32 halfLength(const QString& text)
{
    return roundHalfEven(static_cast<double>(text.size()) / 2.0);
}

} // namespace

TypingExercise::TypingExercise(
    int k, ProgramState& state, const Clock& clock, RandomSource& random, TaskCycle::Loader loader)
    : m_tasks(k, state, clock, random, TaskFile::usable(std::move(loader), k, TaskRooms::fits(k)),
        1, halfLength)
{ }

TaskStep TypingExercise::press(QChar c)
{
    TaskStep step;
    // The time runs from the key that types the first character right; wrong keys before it
    // take the start second again.
    if (position() == 1) {
        m_tasks.task().takeStartTime();
        step.message = Cleared;
    }
    const TimedTask::Step pressed = m_tasks.task().press(c);
    step.picture = pressed.outcome.right ? TaskStep::Picture::Right : TaskStep::Picture::Wrong;
    step.hint = pressed.outcome.right ? Cleared : WrongKeyHint::text(c, pressed.outcome.expected);
    step.errors = errors();
    if (pressed.finished) {
        step.picture = TaskStep::Picture::Done;
        step.message = pressed.resultLine;
        step.scoreChanged = true;
        step.finished = pressed.finished;
    }
    return step;
}
