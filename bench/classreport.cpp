// The class report over a school year of a class: 30 children, 200 days, about 200,000 tasks,
// read from the PostgreSQL server of the environment (pg_virtualenv) after the upload.
// Usage: pg_virtualenv tambolino_classreport [FOLDER]; the generated local journal stays in
// FOLDER for the next run. The server's database is PGDATABASE.
#include "app/JournalCommands.h"
#include "platform/JournalDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimeZone>
#include <cstdio>

namespace {
constexpr int Children = 30;
constexpr int Days = 200;
constexpr int SessionsPerDay = 2; // per child, every other day a second
constexpr int TasksPerSession = 22;
const QDate FirstDay(2026, 9, 7);

double seconds(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

void generate(JournalDatabase& journal)
{
    quint32 random = 7;
    const auto next = [&random](quint32 below) {
        random = random * 1664525u + 1013904223u;
        return (random >> 8) % below;
    };
    journal.setClassName(QStringLiteral("3b"));
    for (int day = 0; day < Days; ++day) {
        for (int child = 0; child < Children; ++child) {
            const int sessions = day % 2 == 0 ? SessionsPerDay : 1;
            for (int s = 0; s < sessions; ++s) {
                const int exercise = int(next(12)) + 1;
                const QDateTime started(
                    FirstDay.addDays(day), QTime(8 + 2 * s, int(next(60))), QTimeZone(3600));
                const QString name = QStringLiteral("Kind %1").arg(child + 1, 2, 10, QChar(u'0'));
                const QString id = journal.sessionStarted(name, exercise, started, 0);
                for (int t = 1; t <= TasksPerSession; ++t) {
                    journal.taskFinished(id, t,
                        { exercise, QStringLiteral("Aufgabe %1").arg(next(300)), int(next(30)),
                            int(next(4) == 0 ? next(5) : 0), 10, false },
                        started.addSecs(30 * t));
                }
                journal.sessionEnded(id,
                    { exercise, started, started.addSecs(660), 660, TasksPerSession, 0, 0, 200,
                        SessionEnd::Ended });
            }
        }
    }
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    QDir().mkpath(folder);
    // The kept journal is never sent itself: a copy goes to each new server.
    const QString kept = folder + QStringLiteral("/klasse.sqlite");
    const QString path = temporary.filePath(QStringLiteral("senden.sqlite"));
    JournalDatabase local;
    JournalDatabase server;
    QElapsedTimer timer;
    if (!QFileInfo::exists(kept)) {
        timer.start();
        if (!local.open(kept).ok)
            return 1;
        generate(local);
        local.close();
        std::printf("generated locally   %7.1f s\n", seconds(timer));
    }
    if (!QFile::copy(kept, path) || !local.open(path).ok || !server.openServer({}).ok) {
        std::printf("cannot open the journals: %s%s\n", qPrintable(local.lastError()),
            qPrintable(server.lastError()));
        return 1;
    }
    timer.start();
    JournalDatabase::Sent sent;
    if (!local.sendTo(server, &sent)) {
        std::printf("upload failed: %s\n", qPrintable(local.lastError()));
        return 1;
    }
    std::printf("uploaded            %7.1f s   %d sessions, %d tasks\n", seconds(timer),
        sent.sessions, sent.tasks);

    timer.start();
    const QList<JournalReportRow> rows = server.classReport(QStringLiteral("3b"), {});
    const QString table = JournalCommands::table(rows);
    std::printf("class report        %7.3f s   %lld rows, %lld characters\n", seconds(timer),
        static_cast<long long>(rows.size()), static_cast<long long>(table.size()));
    return 0;
}
