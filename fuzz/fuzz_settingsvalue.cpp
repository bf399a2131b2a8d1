// A stored score is text that anyone may have edited: any text gives a number, and a number of
// at most 15 digits gives what a double, exact at that length, rounds it to.
#include "core/SettingsValue.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {
// The nearest integer by the double arithmetic, for numbers short enough to be exact in it.
bool reference(QStringView text, qint32& expected)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    const DecimalNumber number = decimalPrefix(text.sliced(i));
    const QStringView digits = text.sliced(i, number.length);
    if (number.length == 0
        || std::count_if(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); }) > 15)
        return false;
    QString plain = digits.toString();
    if (plain.endsWith(QLatin1Char('.')))
        plain.chop(1);
    if (plain.startsWith(QLatin1Char('.')) || plain.startsWith(QLatin1String("-."))
        || plain.startsWith(QLatin1String("+.")))
        plain.insert(plain.indexOf(QLatin1Char('.')), QLatin1Char('0'));
    const double value = std::nearbyint(plain.toDouble());
    expected = static_cast<qint32>(std::clamp(value, double { std::numeric_limits<qint32>::min() },
        double { std::numeric_limits<qint32>::max() }));
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto* bytes = reinterpret_cast<const char*>(data);
    for (const QString& text : { QString::fromUtf8(bytes, static_cast<qsizetype>(size)),
             QString::fromLatin1(bytes, static_cast<qsizetype>(size)) }) {
        const qint32 score = leadingNumber(text);
        qint32 expected = 0;
        if (reference(text, expected) && score != expected)
            std::abort();
        if (leadingNumber(QString::number(score)) != score)
            std::abort();
    }
    return 0;
}
