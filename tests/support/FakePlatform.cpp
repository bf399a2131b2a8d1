#include "support/FakePlatform.h"

#include <QTime>
#include <utility>

QString FakeClock::longTimeText() const
{
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(seconds * 1000) % 86400000)
        .toString(QStringLiteral("HH:mm:ss"));
}

SettingsStore::Written MemorySettings::setValues(const QString& section, const Values& written)
{
    Written result { true, {} };
    if (std::exchange(isDamaged, false)) {
        values.clear();
        result.setAside = QStringLiteral("Tambolino.conf.beschaedigt");
    }
    for (const auto& [key, value] : written)
        values.insert(section + u'/' + key, value);
    return result;
}
