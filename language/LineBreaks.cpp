#include "language/LineBreaks.h"

#include <algorithm>

namespace LineBreaks {

QList<qsizetype> lineStarts(const QString& text, int columns)
{
    const qsizetype width = std::max(columns, 1);
    QList<qsizetype> starts;
    qsizetype start = 0;
    while (text.size() - start > width) {
        const qsizetype space = text.lastIndexOf(QLatin1Char(' '), start + width - 1);
        start = space >= start ? space + 1 : start + width;
        starts.append(start);
    }
    return starts;
}

QString apply(const QString& text, const QList<qsizetype>& starts)
{
    QString lines = text;
    for (auto it = starts.crbegin(); it != starts.crend(); ++it) {
        if (*it < text.size())
            lines.insert(*it, QLatin1Char('\n'));
    }
    return lines;
}

} // namespace LineBreaks
