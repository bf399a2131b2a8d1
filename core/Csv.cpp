#include "core/Csv.h"

#include "core/ExerciseCatalogue.h"
#include "core/ProgramState.h"

namespace {
QString field(const QString& text)
{
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n')
        && !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

} // namespace

namespace Csv {

QByteArray document(const QList<QStringList>& rows)
{
    QString text;
    for (const QStringList& row : rows) {
        QStringList fields;
        for (const QString& value : row)
            fields.append(field(value));
        text += fields.join(u';') + QStringLiteral("\r\n");
    }
    return "\xEF\xBB\xBF" + text.toUtf8();
}

QByteArray journal(const QString& child, const QList<JournalExport>& sessions)
{
    QList<QStringList> rows { { QStringLiteral("Kind"), QStringLiteral("Sitzung"),
        QStringLiteral("Übung"), QStringLiteral("Datum"), QStringLiteral("Uhrzeit"),
        QStringLiteral("Nr."), QStringLiteral("Aufgabe"), QStringLiteral("Sekunden"),
        QStringLiteral("Fehler"), QStringLiteral("Punkte"), QStringLiteral("Hilfe") } };
    int ordinal = 0;
    for (const JournalExport& entry : sessions) {
        const QStringList session { child, QString::number(++ordinal),
            exerciseName(entry.session.exercise, entry.session.practiceRound) };
        const auto when = [](const QDateTime& time) {
            return QStringList { time.toString(QStringLiteral("dd.MM.yyyy")),
                time.toString(QStringLiteral("HH:mm")) };
        };
        if (entry.tasks.isEmpty())
            rows.append(session + when(entry.session.started) + QStringList(6, QString()));
        for (const JournalTask& task : entry.tasks) {
            rows.append(session + when(task.finished)
                + QStringList { QString::number(task.number), task.prompt,
                    QString::number(task.seconds), QString::number(task.errors),
                    QString::number(task.points),
                    task.helpUsed ? QStringLiteral("ja") : QStringLiteral("nein") });
        }
    }
    return document(rows);
}

} // namespace Csv
