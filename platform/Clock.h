#pragma once

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
};

class SystemClock final : public Clock
{
public:
    double secondsSinceMidnight() const override;
    QString longTimeText() const override;
};
