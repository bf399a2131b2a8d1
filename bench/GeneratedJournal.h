#pragma once

// A year of eager practice of one child: 10,000 sessions of 20 tasks each, for the journal's
// and the progress view's benchmarks.
#include "platform/JournalDatabase.h"

#include <QDateTime>
#include <QTimeZone>

constexpr int Sessions = 10000;
constexpr int TasksPerSession = 20;
inline const QString Child = QStringLiteral("Anna");
inline const QDateTime Now(QDate(2026, 11, 30), QTime(18, 0), QTimeZone(3600));

// Sessions spread over the year before Now, 20 tasks each from a pool of 300 per exercise.
inline void generateJournal(JournalDatabase& journal)
{
    quint32 random = 1;
    const auto next = [&random](quint32 below) {
        random = random * 1664525u + 1013904223u;
        return (random >> 8) % below;
    };
    for (int s = 0; s < Sessions; ++s) {
        const int exercise = s % 12 + 1;
        const QDateTime started = Now.addSecs(-qint64(Sessions - s) * 365 * 86400 / Sessions);
        const QString id = journal.sessionStarted(Child, exercise, started, 1000);
        for (int t = 1; t <= TasksPerSession; ++t) {
            journal.taskFinished(id, t,
                { exercise, QStringLiteral("Aufgabe %1").arg(next(300)), int(next(30)),
                    int(next(4) == 0 ? next(5) : 0), 10, next(20) == 0 },
                started.addSecs(30 * t));
        }
        journal.sessionEnded(id,
            { exercise, started, started.addSecs(660), 660, TasksPerSession, 0, 1000, 1200,
                SessionEnd::Ended });
    }
}
