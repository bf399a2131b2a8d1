#include "platform/RandomSource.h"

#include "platform/Clock.h"

#include <QDateTime>
#include <algorithm>

SystemRandom::SystemRandom(const Clock& clock)
{
    const auto fraction = static_cast<std::uint64_t>(clock.secondsSinceMidnight() * 1e6);
    m_engine.seed(fraction ^ static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()));
}

qsizetype RandomSource::index(qsizetype count)
{
    const auto drawn = static_cast<qsizetype>(next() * static_cast<double>(count));
    return std::clamp<qsizetype>(drawn, 0, count - 1);
}

double SystemRandom::next()
{
    // The top 53 bits give every double in [0, 1) with 2^-53 spacing; 1.0 is impossible.
    return static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
}
