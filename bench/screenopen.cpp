// How long a click on a start-screen entry takes until the exercise screen is painted, for
// every screen the program has, next to a floor: an empty sub-window of the same size with as
// many plain labels and group boxes, made and painted the same way. Median of RUNS opens each.
// Usage: tambolino_screenopen [PROGRAM_DIRECTORY [RUNS [SCREEN]]]  (the directory holds the task
// files; SCREEN limits the run to one exercise number)
#include "app/MainWindow.h"
#include "core/ExerciseCatalogue.h"
#include "core/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <utility>

namespace {
// Runs the event loop until `widget` has been painted once; true when it was.
class PaintWatch : public QObject
{
public:
    bool wait(QWidget* widget)
    {
        m_painted = false;
        widget->installEventFilter(this);
        QElapsedTimer limit;
        limit.start();
        while (!m_painted && limit.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        widget->removeEventFilter(this);
        return m_painted;
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            m_painted = true;
        return false;
    }

private:
    bool m_painted = false;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Milliseconds from an open to the screen it returns being painted, median of `runs`, for the
// screen and its floor opened in turns, so that a change in the machine's load meets both
// alike; nothing when a screen did not open. Each screen's sub-window is closed after it.
std::optional<std::pair<double, double>> timeOpens(int runs,
    const std::function<QWidget*()>& openScreen, const std::function<QWidget*()>& openFloor)
{
    PaintWatch watch;
    std::vector<double> times[2];
    for (int i = 0; i <= runs; ++i) {
        for (int which = 0; which < 2; ++which) {
            QElapsedTimer clock;
            clock.start();
            QWidget* screen = which == 0 ? openScreen() : openFloor();
            if (!screen || !watch.wait(screen))
                return std::nullopt;
            if (i > 0) // the first open warms the caches
                times[which].push_back(clock.nsecsElapsed() / 1e6);
            qobject_cast<QMdiSubWindow*>(screen->parentWidget())->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    return std::pair { median(times[0]), median(times[1]) };
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    FakePlatform fake;
    fake.folders.program = args.value(1, QApplication::applicationDirPath());
    const int runs = args.value(2, QStringLiteral("30")).toInt();
    ProgramState state;
    MainWindow window(state, fake.platform);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    auto* area = window.findChild<QMdiArea*>();

    std::printf("%-18s %10s %10s %7s\n", "screen", "open (ms)", "floor (ms)", "ratio");
    const int only = args.value(3).toInt();
    for (int k = 1; k <= ExerciseCount; ++k) {
        if (only && k != only)
            continue;
        const Exercise& entry = exercise(k);
        const auto screenName = QString::fromLatin1(entry.screen);
        int labels = 0;
        int boxes = 0;
        const QSize size = window.findChild<QWidget*>(QStringLiteral("frmStart"))->size();
        const auto times = timeOpens(
            runs,
            [&]() -> QWidget* {
                QTest::mouseClick(
                    control(&window, QString::fromLatin1(entry.entryControl)), Qt::LeftButton);
                QWidget* screen = window.findChild<QWidget*>(screenName);
                if (screen) {
                    labels = static_cast<int>(screen->findChildren<QLabel*>().size());
                    boxes = static_cast<int>(screen->findChildren<QGroupBox*>().size());
                }
                return screen;
            },
            [&]() -> QWidget* {
                auto* page = new QWidget;
                page->setFixedSize(size);
                for (int i = 0; i < boxes; ++i)
                    new QGroupBox(QStringLiteral("Rahmen"), page);
                for (int i = 0; i < labels; ++i)
                    (new QLabel(QStringLiteral("Text %1").arg(i), page))
                        ->move(i * 7 % 600, i * 13 % 400);
                QMdiSubWindow* sub = area->addSubWindow(page, Qt::FramelessWindowHint);
                sub->setAttribute(Qt::WA_DeleteOnClose);
                sub->show();
                return page;
            });
        if (!times) {
            std::printf("%-18s %10s\n", qPrintable(entry.menuText), "-");
            continue;
        }
        const auto [opened, floor] = *times;
        std::printf("%-18s %10.2f %10.2f %7.2f\n", qPrintable(entry.menuText), opened, floor,
            opened / floor);
    }
    std::printf("(median of %d opens each)\n", runs);
    return 0;
}
