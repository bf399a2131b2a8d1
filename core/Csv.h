#pragma once

#include "platform/JournalRecords.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Tables as a spreadsheet program opens them directly with German settings.
namespace Csv {

// UTF-8 with a byte-order mark, fields separated by semicolons, each row ended by CR LF. A
// field that holds a semicolon, a quotation mark or a line break is quoted, its quotation
// marks doubled.
QByteArray document(const QList<QStringList>& rows);

// A header row, then one row per task of the child's sessions, the earliest first; a session
// without tasks has one row of its own. Times are local as they were then, "dd.MM.yyyy" and
// "HH:mm".
QByteArray journal(const QString& child, const QList<JournalExport>& sessions);

} // namespace Csv
