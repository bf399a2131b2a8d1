#include "app/JournalCommands.h"

#include "core/Csv.h"
#include "core/ExerciseCatalogue.h"
#include "core/ProgramState.h"
#include "platform/JournalDatabase.h"
#include "platform/JournalSettings.h"

#include <QCollator>
#include <QFileInfo>
#include <algorithm>

namespace JournalCommands {
namespace {

const QStringList Header { QStringLiteral("Klasse"), QStringLiteral("Kind"),
    QStringLiteral("Übung"), QStringLiteral("Zuletzt geübt"), QStringLiteral("Sitzungen"),
    QStringLiteral("Minuten"), QStringLiteral("Aufgaben"), QStringLiteral("Fehler je Aufgabe"),
    QStringLiteral("Punkte") };
// Columns from here on hold numbers and stand right-aligned.
constexpr qsizetype FirstNumber = 4;

QList<QStringList> lines(QList<JournalReportRow> rows)
{
    QCollator german(QLocale(QLocale::German, QLocale::Germany));
    german.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(
        rows.begin(), rows.end(), [&german](const JournalReportRow& a, const JournalReportRow& b) {
            if (const int c = german.compare(a.className, b.className); c != 0)
                return c < 0;
            if (const int c = german.compare(a.child, b.child); c != 0)
                return c < 0;
            return a.exercise < b.exercise;
        });
    QList<QStringList> lines { Header };
    for (const JournalReportRow& row : rows) {
        lines.append({ row.className, row.child, exerciseName(row.exercise),
            row.lastPractised.isValid()
                ? row.lastPractised.toString(QStringLiteral("dd.MM.yyyy HH:mm"))
                : QStringLiteral("-"),
            QString::number(row.sessions), QString::number((qint64(row.seconds) + 30) / 60),
            QString::number(row.tasks),
            row.tasks > 0
                ? QString::number(double(row.errors) / row.tasks, 'f', 2).replace(u'.', u',')
                : QStringLiteral("-"),
            QString::number(row.points) });
    }
    return lines;
}

// One line, whatever the driver's message spans.
QString oneLine(const QString& text)
{
    QString line = text;
    line.replace(u'\n', u' ').replace(u'\t', u' ');
    return line.simplified();
}

CommandLine::Answer missing(const QString& text)
{
    return { 2, {}, QStringLiteral("tambolino: ") + text + u'\n' };
}

CommandLine::Answer unreachable(const JournalServer& server, const QString& error)
{
    return missing(QStringLiteral("Der Schulserver „%1“ ist nicht erreichbar: %2")
                       .arg(server.host, oneLine(error)));
}

} // namespace

QString table(QList<JournalReportRow> rows)
{
    const QList<QStringList> all = lines(std::move(rows));
    QList<qsizetype> widths(Header.size(), 0);
    for (const QStringList& line : all) {
        for (qsizetype i = 0; i < line.size(); ++i)
            widths[i] = std::max(widths[i], line[i].size());
    }
    QString text;
    for (const QStringList& line : all) {
        QStringList cells;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const int width = int(widths[i]);
            cells.append(
                i < FirstNumber ? line[i].leftJustified(width) : line[i].rightJustified(width));
        }
        text += cells.join(QStringLiteral("  ")).trimmed() + u'\n';
    }
    return text;
}

QByteArray csv(QList<JournalReportRow> rows)
{
    return Csv::document(lines(std::move(rows)));
}

CommandLine::Answer run(const CommandLine::JournalRequest& request, const SettingsStore& settings,
    const QString& localJournal)
{
    const JournalSettings place = JournalSettings::read(settings);
    if (!place.badPort.isEmpty())
        return missing(QStringLiteral("In Tambolino.conf ist „Port=%1“ im Abschnitt [Tagebuch] "
                                      "keine Portnummer.")
                           .arg(place.badPort));
    const auto unreadable = [&localJournal](const QString& error) {
        return missing(QStringLiteral("Das Tagebuch „%1“ kann nicht gelesen werden: %2")
                           .arg(localJournal, oneLine(error)));
    };
    JournalDatabase journal;
    if (place.server) {
        if (!journal.openServer(*place.server).ok)
            return unreachable(*place.server, journal.lastError());
    } else if (request.kind == CommandLine::JournalRequest::Kind::SetUp) {
        return missing(QStringLiteral("In Tambolino.conf ist kein Schulserver eingetragen: Es "
                                      "fehlt „Server=“ im Abschnitt [Tagebuch]."));
    } else if (!QFileInfo::exists(localJournal)) {
        return missing(QStringLiteral("Es gibt kein Tagebuch: weder einen Schulserver in "
                                      "Tambolino.conf noch die Datei „%1“.")
                           .arg(localJournal));
    } else if (!journal.open(localJournal, JournalDatabase::Damage::Refuse).ok) {
        return unreadable(journal.lastError());
    }

    if (request.kind == CommandLine::JournalRequest::Kind::SetUp) {
        return { 0,
            QStringLiteral("Das Tagebuch auf dem Schulserver „%1“ ist eingerichtet "
                           "(Version %2).\n")
                .arg(place.server->host)
                .arg(JournalDatabase::SchemaVersion),
            {} };
    }
    const QList<JournalReportRow> rows = journal.classReport(request.className, request.since);
    if (!journal.lastError().isEmpty()) {
        return place.server ? unreachable(*place.server, journal.lastError())
                            : unreadable(journal.lastError());
    }
    if (request.csv)
        return { 0, {}, {}, {}, csv(rows) };
    if (rows.isEmpty())
        return { 0, QStringLiteral("Im Tagebuch steht dazu noch nichts.\n"), {} };
    return { 0, table(rows), {} };
}

} // namespace JournalCommands
