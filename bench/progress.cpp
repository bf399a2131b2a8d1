// The progress view opened over a journal of 10,000 sessions and 200,000 tasks, through the
// module as the program opens it: from the click to its first paint. The first opening loads
// the module and Qt Charts.
// Usage: tambolino_progress [FOLDER]; FOLDER keeps the generated journal for the next run
// (tambolino_journal's folder serves as well).
#include "GeneratedJournal.h"
#include "app/ProgressModule.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    QDir().mkpath(folder);
    JournalDatabase journal;
    if (!journal.open(folder + QStringLiteral("/tagebuch.sqlite")).ok)
        return 1;
    if (journal.lastSessions(Child, 1).isEmpty())
        generateJournal(journal);

    FakePlatform fake;
    fake.clock.date = Now.date();
    fake.clock.seconds = Now.time().msecsSinceStartOfDay() / 1000.0;
    ProgressModule module(QCoreApplication::applicationDirPath());
    std::vector<double> times;
    for (int run = 0; run < 8; ++run) {
        QElapsedTimer timer;
        timer.start();
        const std::unique_ptr<QWidget> view(module.openView(&journal, Child, fake.platform, {}));
        if (!view)
            return 1;
        view->show();
        view->repaint();
        QCoreApplication::processEvents();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin() + 1, times.end());
    std::printf("progress view open  first %7.1f ms   then median %7.1f ms   slowest %7.1f ms\n",
        times[0], times[4], times.back());
    return 0;
}
