#include "core/Scoring.h"

#include "core/ProgramState.h"
#include "platform/Clock.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr qint64 SecondsPerDay = 86400;
} // namespace

qint32 clamp32(qint64 value)
{
    return static_cast<qint32>(std::clamp<qint64>(
        value, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

qint32 roundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(std::numeric_limits<qint32>::max()))
        return std::numeric_limits<qint32>::max();
    if (value <= static_cast<double>(std::numeric_limits<qint32>::min()))
        return std::numeric_limits<qint32>::min();
    // The default floating-point rounding mode rounds halves to even.
    return static_cast<qint32>(std::nearbyint(value));
}

QString formatScore(qint64 score, int digits)
{
    const QString padded
        = QString::number(score < 0 ? -score : score).rightJustified(digits, QLatin1Char('0'));
    return score < 0 ? QLatin1Char('-') + padded : padded;
}

QString scoreLabelText(qint64 score, int digits)
{
    return QStringLiteral("Punktestand: ") + formatScore(score, digits);
}

qint32 wholeSecondsNow(const Clock& clock)
{
    return roundHalfEven(clock.secondsSinceMidnight());
}

qint32 elapsedSeconds(qint32 from, qint32 to)
{
    qint64 duration = qint64 { to } - from;
    if (duration < 0)
        duration += SecondsPerDay;
    return clamp32(duration);
}

void scoreTimedTask(ProgramState& state, const Clock& clock)
{
    qint64 duration = elapsedSeconds(state.lngStartzeit, wholeSecondsNow(clock));
    if (duration == 0)
        duration = 1;

    const qint32 rate = roundHalfEven(static_cast<double>(state.lngAnzahl) / duration * 100.0);
    state.lngPunkte = clamp32(qint64 { rate } - qint64 { state.lngFehler } * 10);
    state.strErgebnis = QStringLiteral("gebrauchte Zeit: %1 s | %2 Fehler | %3 Punkte")
                            .arg(duration)
                            .arg(state.lngFehler)
                            .arg(state.lngPunkte);
    state.lngFehler = 0;
}
