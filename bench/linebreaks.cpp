// Line breaking of a typing text on the user-interface thread: one line of 4 MiB without a
// blank (what the task-file reader still accepts), and the same length in ordinary words.
// Usage: tambolino_linebreaks [MIB]
#include "language/LineBreaks.h"

#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>

namespace {
void measure(const char* what, const QString& text)
{
    QElapsedTimer timer;
    timer.start();
    const QList<qsizetype> starts = LineBreaks::lineStarts(text, 39);
    const QString shown = LineBreaks::apply(text, starts);
    std::printf("%-16s %9lld characters  %8lld lines  %10.3f s\n", what,
        static_cast<long long>(text.size()), static_cast<long long>(starts.size() + 1),
        static_cast<double>(timer.nsecsElapsed()) / 1e9);
    (void)shown;
}
} // namespace

int main(int argc, char* argv[])
{
    const double mib = argc > 1 ? std::atof(argv[1]) : 4.0;
    const auto size = static_cast<qsizetype>(mib * 1024 * 1024);
    measure("without a blank", QString(size, QLatin1Char('x')));
    measure("words", QStringLiteral("Tambolino ").repeated(size / 10));
    return 0;
}
