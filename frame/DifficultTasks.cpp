#include "frame/DifficultTasks.h"

#include <QSet>
#include <algorithm>
#include <cmath>

namespace DifficultTasks {

QStringList choose(
    const QList<JournalTries>& tasks, const QDateTime& now, const QStringList& inFile, int most)
{
    const QSet<QString> asked(inFile.cbegin(), inFile.cend());
    QList<std::pair<double, QString>> weighed;
    for (const JournalTries& task : tasks) {
        if (!asked.contains(task.prompt))
            continue;
        const QList<JournalTry> latest
            = task.tries.mid(std::max<qsizetype>(0, task.tries.size() - Tries));
        double weight = 0;
        int smooth = 0;
        for (const JournalTry& t : latest) {
            if (t.errors == 0 && !t.helpUsed) {
                ++smooth;
                continue;
            }
            smooth = 0;
            // A try from the future (a clock set back) counts as one of today.
            const double days = std::max<qint64>(0, t.finished.secsTo(now)) / 86400.0;
            weight += std::exp2(-days / HalfLifeDays);
        }
        if (weight > 0 && smooth < Mastered)
            weighed.append({ weight, task.prompt });
    }
    std::sort(weighed.begin(), weighed.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    QStringList chosen;
    for (qsizetype i = 0; i < weighed.size() && i < most; ++i)
        chosen.append(weighed[i].second);
    return chosen;
}

} // namespace DifficultTasks
