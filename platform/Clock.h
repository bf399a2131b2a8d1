#pragma once

#include <QDateTime>
#include <QString>

// Time of day as the exercises see it: local wall-clock time, not a monotonic clock.
class Clock
{
public:
    virtual ~Clock() = default;
    // Seconds since local midnight, with fraction, in [0, 86400).
    virtual double secondsSinceMidnight() const = 0;
    // Local time of day for display, e.g. "14:05:09".
    virtual QString longTimeText() const = 0;
    // This moment as local time, carrying its offset from UTC: the offset decides the local
    // day a journal record counts for.
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock
{
public:
    double secondsSinceMidnight() const override;
    QString longTimeText() const override;
    QDateTime now() const override;
};
