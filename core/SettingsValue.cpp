#include "core/SettingsValue.h"

#include "core/Scoring.h"

#include <algorithm>
#include <limits>

namespace {
// Far enough outside the 32-bit range that no rounding brings a value back into it.
constexpr qint64 Saturated = qint64 { 1 } << 40;

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int digitValue(QChar c)
{
    return c.unicode() - u'0';
}
} // namespace

bool DecimalNumber::fitsIn32Bits() const
{
    return rounded >= std::numeric_limits<qint32>::min()
        && rounded <= std::numeric_limits<qint32>::max();
}

DecimalNumber decimalPrefix(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    const bool negative = i < n && text[i] == QLatin1Char('-');
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        ++i;
    qsizetype digits = 0;
    qint64 whole = 0;
    for (; i < n && isAsciiDigit(text[i]); ++i, ++digits)
        whole = std::min(whole * 10 + digitValue(text[i]), Saturated);
    // Only the first fraction digit and whether any other is non-zero decide the rounding.
    int firstFraction = 0;
    bool restNonZero = false;
    if (i < n && text[i] == QLatin1Char('.')) {
        const qsizetype first = ++i;
        for (; i < n && isAsciiDigit(text[i]); ++i, ++digits) {
            if (i == first)
                firstFraction = digitValue(text[i]);
            else if (text[i] != QLatin1Char('0'))
                restNonZero = true;
        }
    }
    if (digits == 0)
        return {};
    const bool up = firstFraction > 5 || (firstFraction == 5 && (restNonZero || whole % 2 == 1));
    const qint64 magnitude = whole + (up ? 1 : 0);
    return { negative ? -magnitude : magnitude, i };
}

qint32 leadingNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    return clamp32(decimalPrefix(text.sliced(i)).rounded);
}
