#pragma once

#include "app/CommandLine.h"
#include "platform/JournalRecords.h"

#include <QByteArray>
#include <QList>
#include <QString>

class SettingsStore;

// The journal's options on the command line: the class report, and the set-up of the school's
// server. They read the server named in the settings store's section [Tagebuch], else the
// journal of this computer; exit status 2 with a German message tells what is missing.
namespace JournalCommands {

// `localJournal`: the journal file of this computer. Needs a QCoreApplication.
CommandLine::Answer run(const CommandLine::JournalRequest& request, const SettingsStore& settings,
    const QString& localJournal);

// The report's rows sorted by class, child (German order) and exercise: as a table with
// aligned columns, or as CSV.
QString table(QList<JournalReportRow> rows);
QByteArray csv(QList<JournalReportRow> rows);

} // namespace JournalCommands
