#include "language/LineBreaks.h"

#include <algorithm>

namespace LineBreaks {

QList<qsizetype> lineStarts(const QString& text, int columns)
{
    const qsizetype width = std::max(columns, 1);
    const QStringView view(text);
    QList<qsizetype> starts;
    qsizetype start = 0;
    while (text.size() - start > width) {
        // Only the line itself is searched: the work grows with the text, not its square.
        const qsizetype space = view.sliced(start, width).lastIndexOf(QLatin1Char(' '));
        start += space >= 0 ? space + 1 : width;
        starts.append(start);
    }
    return starts;
}

QString apply(const QString& text, const QList<qsizetype>& starts)
{
    const QStringView view(text);
    QString lines;
    lines.reserve(text.size() + starts.size());
    qsizetype from = 0;
    for (const qsizetype start : starts) {
        if (start <= from || start >= text.size())
            continue;
        lines += view.sliced(from, start - from);
        lines += QLatin1Char('\n');
        from = start;
    }
    lines += view.sliced(from);
    return lines;
}

} // namespace LineBreaks
