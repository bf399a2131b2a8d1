#pragma once

#include "platform/JournalRecords.h"

#include <QString>
#include <optional>

class SettingsStore;

// Where the journal goes, from the section [Tagebuch] of the settings store: Server, Port,
// Datenbank, Benutzer and Klasse. No password: libpq finds it in ~/.pgpass or PGPASSFILE.
struct JournalSettings
{
    // None without a Server key: the journal stays on this computer.
    std::optional<JournalServer> server;
    // The class the children of this computer belong to, e.g. "3b"; may be empty.
    QString className;
    // A Port that is no port number between 1 and 65535, as written; empty when none is.
    QString badPort;

    static JournalSettings read(const SettingsStore& store);
};
