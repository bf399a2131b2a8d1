#include "core/SettingsValue.h"

#include "core/Scoring.h"

#include <cmath>

namespace {
bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
} // namespace

DecimalNumber decimalPrefix(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        ++i;
    qsizetype digits = 0;
    for (; i < n && isAsciiDigit(text[i]); ++i)
        ++digits;
    if (i < n && text[i] == QLatin1Char('.')) {
        for (++i; i < n && isAsciiDigit(text[i]); ++i)
            ++digits;
    }
    if (digits == 0)
        return {};
    QStringView number = text.first(i);
    if (number.endsWith(QLatin1Char('.')))
        number.chop(1);
    bool ok = false;
    const double value = number.toDouble(&ok);
    // Too many digits for a double still is a number, an infinite one.
    if (!ok && !std::isinf(value))
        return {};
    return { value, i };
}

qint32 leadingNumber(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    const DecimalNumber number = decimalPrefix(QStringView(text).sliced(i));
    return number.length > 0 ? roundHalfEven(number.value) : 0;
}
