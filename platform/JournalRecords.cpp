#include "platform/JournalRecords.h"

JournalPeriod JournalPeriod::endingAt(const QDateTime& now, int days)
{
    const QDate today = now.date();
    return { today.addDays(1 - days), today };
}

std::optional<double> JournalTotals::trend() const
{
    if (earlyTasks == 0 || lateTasks == 0)
        return std::nullopt;
    return double(lateErrors) / lateTasks - double(earlyErrors) / earlyTasks;
}
