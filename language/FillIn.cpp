#include "language/FillIn.h"

#include "core/ProgramState.h"

#include <algorithm>

namespace {
// The exercise's number in the catalogue and its score slot.
constexpr int Number = 3;
constexpr int RightPoints = 50;
constexpr int WrongPoints = 25;
constexpr int RepeatPoints = 5;
constexpr int SolutionPoints = 50;

const QString Waiting = QStringLiteral("Erwarte Eingabe");
} // namespace

FillIn::FillIn(ProgramState& state, RandomSource& random, TaskCycle::Loader loader)
    : m_state(state)
    , m_tasks(std::move(loader), random)
{ }

QString FillIn::start()
{
    if (QString error = m_tasks.start(); !error.isEmpty())
        return error;
    m_message = Waiting;
    return {};
}

QString FillIn::shownText() const
{
    return before() + m_tasks.field(3);
}

QString FillIn::solution() const
{
    return before() + m_tasks.field(2) + m_tasks.field(3);
}

void FillIn::keyInField()
{
    m_message = QStringLiteral("Kontrolle durch [Enter]");
}

FillIn::Verdict FillIn::judge(const QString& text)
{
    if (m_pausing || m_showingSolution)
        return Verdict::Ignored;
    // The whole text: comparing only its beginning and its end would let extra letters in the
    // gap pass.
    if (text == solution()) {
        m_state.ScoreTable.add(Number, RightPoints);
        m_message = QStringLiteral("Richtig! 50 Punkte");
        m_pausing = true;
        return Verdict::Right;
    }
    ++m_errors;
    deduct(WrongPoints, QStringLiteral("Noch nicht richtig! (-25 Punkte)"));
    return Verdict::Wrong;
}

QString FillIn::next()
{
    m_pausing = false;
    if (QString error = m_tasks.next(); !error.isEmpty())
        return error;
    m_message = Waiting;
    return {};
}

bool FillIn::repeatDisplay()
{
    if (m_showingSolution)
        return false;
    deduct(RepeatPoints, QStringLiteral("Anzeige erneuern! (-5 Punkte)"));
    return true;
}

bool FillIn::showSolution(qsizetype cursor)
{
    // A second click would charge again and take the hidden field's cursor for the child's.
    if (m_showingSolution)
        return false;
    deduct(SolutionPoints, QStringLiteral("Lösung anzeigen! (-50 Punkte)"));
    m_savedCursor = cursor;
    m_showingSolution = true;
    return true;
}

qsizetype FillIn::solutionShown(qsizetype textLength)
{
    m_showingSolution = false;
    return std::clamp<qsizetype>(m_savedCursor, 0, textLength);
}

void FillIn::deduct(int points, const QString& message)
{
    m_state.ScoreTable.deduct(Number, points);
    m_message = message;
}
