#include "arithmetic/ArithmeticExercise.h"

#include "core/ProgramState.h"

namespace {
// The answer is the second line of a task, after the question.
constexpr int AnswerLine = 2;

qint32 fixedWeight(const QString&)
{
    return ArithmeticExercise::Weight;
}
} // namespace

ArithmeticExercise::ArithmeticExercise(
    int k, ProgramState& state, const Clock& clock, RandomSource& random, TaskCycle::Loader loader)
    : m_tasks(k, state, clock, random, TaskFile::usable(std::move(loader), k, fits), AnswerLine,
        fixedWeight)
{ }

int ArithmeticExercise::fits(const QStringList& task)
{
    const int columns = taskFontColumns(TextWidth, SmallestTextPoints);
    if (task.value(0).size() > qsizetype { columns } * QuestionLines)
        return 1;
    // A longer answer scrolls, its end in sight; one much longer could not be followed.
    return task.value(1).size() + 1 > AnswerScreens * columns ? 2 : 0;
}

QString ArithmeticExercise::start()
{
    return present(m_tasks.start());
}

TaskStep ArithmeticExercise::press(QChar c)
{
    if (m_pausing)
        return { .taken = false };
    const TimedTask::Step pressed = m_tasks.task().press(c);
    const bool right = pressed.outcome.right;
    TaskStep step { .picture = right ? TaskStep::Picture::Right : TaskStep::Picture::Wrong,
        .message = Cleared,
        .hint = right ? Cleared : QStringLiteral("Fehler"),
        .errors = errors() };
    if (pressed.finished) {
        m_pausing = true;
        step.picture = TaskStep::Picture::Done;
        step.message = pressed.resultLine;
        step.scoreChanged = true;
        step.pause = PauseAfterTask;
        step.finished = pressed.finished;
    }
    return step;
}

QString ArithmeticExercise::next()
{
    return present(m_tasks.next());
}

QString ArithmeticExercise::present(const QString& error)
{
    if (error.isEmpty()) {
        m_pausing = false;
        m_tasks.task().takeStartTime();
    }
    return error;
}
