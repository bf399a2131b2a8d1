// The practice journal: writing one task record, and the queries of the progress view over a
// journal of 10,000 sessions and 200,000 tasks of one child (a year of eager practice).
// Usage: tambolino_journal [FOLDER]; the generated journal stays in FOLDER for the next run.
#include "GeneratedJournal.h"
#include "platform/JournalDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimeZone>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double milliseconds(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// The median of 1,000 task records, each in its own transaction.
void writing(const QString& folder)
{
    JournalDatabase journal;
    if (!journal.open(folder + QStringLiteral("/schreiben.sqlite")).ok)
        return;
    const QString session = journal.sessionStarted(Child, 9, Now, 0);
    std::vector<double> times;
    for (int i = 1; i <= 1000; ++i) {
        QElapsedTimer timer;
        timer.start();
        journal.taskFinished(
            session, i, { 9, QStringLiteral("7 · 8"), 4, i % 3, 12, false }, Now.addSecs(5 * i));
        times.push_back(milliseconds(timer));
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "task record         median %7.3f ms   slowest %7.3f ms\n", times[500], times.back());
}

template<class Query> double measure(const char* what, Query query)
{
    QElapsedTimer timer;
    timer.start();
    const auto rows = query().size();
    const double ms = milliseconds(timer);
    std::printf("%-19s %7.1f ms  %6lld rows\n", what, ms, static_cast<long long>(rows));
    return ms;
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    QDir().mkpath(folder);
    writing(temporary.path());

    const QString path = folder + QStringLiteral("/tagebuch.sqlite");
    JournalDatabase journal;
    if (!journal.open(path).ok) {
        std::printf("cannot open %s: %s\n", qPrintable(path), qPrintable(journal.lastError()));
        return 1;
    }
    if (journal.lastSessions(Child, 1).isEmpty()) {
        QElapsedTimer timer;
        timer.start();
        generateJournal(journal);
        std::printf("generated           %7.1f s\n", milliseconds(timer) / 1000);
    }
    journal.close();
    QElapsedTimer opening;
    opening.start();
    journal.open(path);
    std::printf("opening             %7.1f ms\n", milliseconds(opening));

    const JournalPeriod weeks = JournalPeriod::endingAt(Now, 28);
    double total = 0;
    total += measure("days", [&] { return journal.days(Child, 9, weeks); });
    total += measure("last sessions", [&] { return journal.lastSessions(Child, 20); });
    total += measure("difficult tasks", [&] { return journal.difficultTasks(Child, 9, weeks); });
    total += measure("totals", [&] { return journal.totals(Child, weeks); });
    std::printf("progress view       %7.1f ms\n", total);
    measure("export", [&] { return journal.everything(Child); });
    return 0;
}
