#include "platform/JournalSettings.h"

#include "platform/SettingsStore.h"

JournalSettings JournalSettings::read(const SettingsStore& store)
{
    const QHash<QString, QString> stored = store.values(QStringLiteral("Tagebuch"));
    const auto value
        = [&stored](const char* key) { return stored.value(QString::fromLatin1(key)); };
    JournalSettings settings;
    settings.className = value("Klasse");
    const QString host = value("Server");
    if (host.isEmpty())
        return settings;
    JournalServer server { host, -1, value("Datenbank"), value("Benutzer") };
    const QString port = value("Port");
    if (!port.isEmpty()) {
        bool number = false;
        server.port = port.toInt(&number);
        if (!number || server.port < 1 || server.port > 65535) {
            settings.badPort = port;
            server.port = -1;
        }
    }
    settings.server = server;
    return settings;
}
