#include "language/TypingExercise.h"

#include "core/ProgramState.h"
#include "core/Scoring.h"
#include "frame/WrongKeyHint.h"
#include "language/TypingLayout.h"

namespace {
// Half the characters of the text, an exact half to the even neighbour.
qint32 halfLength(const QString& text)
{
    return roundHalfEven(static_cast<double>(text.size()) / 2.0);
}

// The task file, refused when a text does not fit the box at any size.
TaskFile::Loader fittingTexts(TaskFile::Loader loader)
{
    return [loader = std::move(loader)] {
        TaskFile::Result result = loader();
        const QStringList texts = result.lists.value(0);
        for (qsizetype i = 0; i < texts.size(); ++i) {
            if (TypingLayout::sizeFor(texts[i]))
                continue;
            // One text per line of the file.
            result.lists.clear();
            result.error = TaskFile::message(result.fileName,
                QStringLiteral(
                    "enthält in Zeile %1 einen Text, der zu lang für den Bildschirm ist.")
                    .arg(i + 1));
            break;
        }
        return result;
    };
}
} // namespace

TypingExercise::TypingExercise(
    int k, ProgramState& state, const Clock& clock, RandomSource& random, TaskCycle::Loader loader)
    : m_tasks(k, state, clock, random, fittingTexts(std::move(loader)), 1, halfLength)
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
