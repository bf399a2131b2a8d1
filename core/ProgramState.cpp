#include "core/ProgramState.h"

#include <algorithm>
#include <limits>

void Scores::add(int k, qint64 points)
{
    qint32& score = (*this)(k);
    score = static_cast<qint32>(std::clamp<qint64>(qint64 { score } + points,
        std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

void Scores::deduct(int k, qint64 points)
{
    qint32& score = (*this)(k);
    score = static_cast<qint32>(
        std::clamp<qint64>(qint64 { score } - points, 0, std::numeric_limits<qint32>::max()));
}
