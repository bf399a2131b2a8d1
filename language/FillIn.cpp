#include "language/FillIn.h"

#include "core/ExerciseCatalogue.h"
#include "core/ProgramState.h"
#include "language/TaskRooms.h"

#include <algorithm>

namespace {
constexpr int RightPoints = 50;
constexpr int WrongPoints = 25;
constexpr int RepeatPoints = 5;
constexpr int SolutionPoints = 50;

const QString Waiting = QStringLiteral("Erwarte Eingabe");
} // namespace

FillIn::FillIn(
    int k, ProgramState& state, const Clock& clock, RandomSource& random, TaskCycle::Loader loader)
    : m_number(k)
    , m_state(state)
    , m_tasks(TaskFile::usable(std::move(loader), k, TaskRooms::fits(k)), random)
    , m_tally(k, clock)
{ }

QString FillIn::start()
{
    if (QString error = m_tasks.start(); !error.isEmpty())
        return error;
    m_message = Waiting;
    m_tally.begin(shownText());
    return {};
}

QString FillIn::shownText() const
{
    return exercise(m_number).tasks.shownText(
        { m_tasks.field(1), m_tasks.field(2), m_tasks.field(3) });
}

QString FillIn::solution() const
{
    return before() + m_tasks.field(2) + m_tasks.field(3);
}

TaskStep FillIn::keyInField()
{
    m_message = QStringLiteral("Kontrolle durch [Enter]");
    TaskStep step;
    step.message = m_message;
    return step;
}

TaskStep FillIn::judge(const QString& text)
{
    if (m_pausing || m_showingSolution)
        return { .taken = false };
    // The whole text: comparing only its beginning and its end would let extra letters in the
    // gap pass.
    if (text == solution()) {
        const qint32 before = m_state.ScoreTable(m_number);
        m_state.ScoreTable.add(m_number, RightPoints);
        m_tally.add(qint64 { m_state.ScoreTable(m_number) } - before);
        m_message = QStringLiteral("Richtig! 50 Punkte");
        m_pausing = true;
        return { .picture = TaskStep::Picture::Done,
            .message = m_message,
            .errors = m_errors,
            .scoreChanged = true,
            .pause = PauseAfterRight,
            .finished = m_tally.result() };
    }
    ++m_errors;
    m_tally.wrong();
    TaskStep step = deduct(WrongPoints, QStringLiteral("Noch nicht richtig! (-25 Punkte)"));
    step.picture = TaskStep::Picture::Wrong;
    step.errors = m_errors;
    return step;
}

QString FillIn::next()
{
    m_pausing = false;
    if (QString error = m_tasks.next(); !error.isEmpty())
        return error;
    m_message = Waiting;
    m_tally.begin(shownText());
    return {};
}

TaskStep FillIn::repeatDisplay()
{
    if (m_showingSolution)
        return { .taken = false };
    m_tally.helpUsed();
    return deduct(RepeatPoints, QStringLiteral("Anzeige erneuern! (-5 Punkte)"));
}

TaskStep FillIn::showSolution(qsizetype cursor)
{
    // A second click would charge again and take the hidden field's cursor for the child's.
    if (m_showingSolution)
        return { .taken = false };
    m_tally.helpUsed();
    m_savedCursor = cursor;
    m_showingSolution = true;
    return deduct(SolutionPoints, QStringLiteral("Lösung anzeigen! (-50 Punkte)"));
}

qsizetype FillIn::solutionShown(qsizetype textLength)
{
    m_showingSolution = false;
    return std::clamp<qsizetype>(m_savedCursor, 0, textLength);
}

TaskStep FillIn::deduct(int points, const QString& message)
{
    const qint32 before = m_state.ScoreTable(m_number);
    m_state.ScoreTable.deduct(m_number, points);
    m_tally.add(qint64 { m_state.ScoreTable(m_number) } - before);
    m_message = message;
    return { .message = message, .scoreChanged = true };
}
