#include "core/ProgramState.h"

#include "core/Scoring.h"

#include <algorithm>
#include <limits>

void Scores::add(int k, qint64 points)
{
    qint32& score = (*this)(k);
    score = clamp32(qint64 { score } + points);
}

void Scores::deduct(int k, qint64 points)
{
    qint32& score = (*this)(k);
    score = static_cast<qint32>(
        std::clamp<qint64>(qint64 { score } - points, 0, std::numeric_limits<qint32>::max()));
}
