#include "platform/Clock.h"

#include <QTime>

double SystemClock::secondsSinceMidnight() const
{
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

QString SystemClock::longTimeText() const
{
    return QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
}

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}
