#include "frame/KeyScoring.h"

#include "core/ProgramState.h"

namespace {
constexpr int LastErrorsWithBonus = 5;
constexpr int Penalty = 10;
} // namespace

KeyScoring::KeyScoring(int k, Scores& scores)
    : m_number(k)
    , m_scores(scores)
{ }

QString KeyScoring::right()
{
    m_scores.add(m_number, 1);
    return QStringLiteral("1 Punkt pro richtige Eingabe");
}

QString KeyScoring::wrong()
{
    m_scores.deduct(m_number, Penalty);
    return QStringLiteral("Fehlerhafte Eingabe: -10 Punkte");
}

qint64 KeyScoring::bonusPoints(qsizetype promptLength, int errors)
{
    if (errors < 0 || errors > LastErrorsWithBonus)
        return -1;
    return promptLength / (errors + 1);
}

QString KeyScoring::bonus(qsizetype promptLength, int errors)
{
    const qint64 points = bonusPoints(promptLength, errors);
    if (points < 0)
        return QStringLiteral("Keine Bonuspunkte");
    m_scores.add(m_number, points);
    return QStringLiteral("%1 Bonuspunkte").arg(points);
}
