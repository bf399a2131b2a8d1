#include "platform/SettingsStore.h"

#include <QSettings>

namespace {
QSettings openStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tambolino"),
        QStringLiteral("Tambolino"));
}

QString path(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}
} // namespace

QString QtSettingsStore::value(const QString& section, const QString& key) const
{
    return openStore().value(path(section, key)).toString();
}

bool QtSettingsStore::setValue(const QString& section, const QString& key, const QString& value)
{
    QSettings settings = openStore();
    if (!settings.isWritable())
        return false;
    settings.setValue(path(section, key), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}
