#include "core/Windows1252.h"

#include <algorithm>
#include <array>

namespace {
// Windows-1252 for 0x80..0x9F; the five unassigned bytes map to the C1 control of the same value.
constexpr std::array<char16_t, 32> Cp1252High {
    0x20AC,
    0x0081,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0x008D,
    0x017D,
    0x008F,
    0x0090,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0x009D,
    0x017E,
    0x0178,
};

bool continuation(int byte)
{
    return byte >= 0x80 && byte <= 0xBF;
}
} // namespace

namespace Windows1252 {

QString decode(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        *out++ = QChar(b >= 0x80 && b <= 0x9F ? Cp1252High[b - 0x80] : char16_t { b });
    }
    return text;
}

int byteOf(QChar c)
{
    if (c.unicode() < 0x80 || (c.unicode() >= 0xA0 && c.unicode() <= 0xFF))
        return c.unicode();
    const auto* found = std::find(Cp1252High.begin(), Cp1252High.end(), c.unicode());
    return found == Cp1252High.end() ? -1 : 0x80 + static_cast<int>(found - Cp1252High.begin());
}

Misread misread(const QString& line, qsizetype from)
{
    for (qsizetype i = std::max<qsizetype>(from, 0); i < line.size(); ++i) {
        // Only Â to ô start a character of two to four bytes.
        if (line[i].unicode() < 0xC2 || line[i].unicode() > 0xF4)
            continue;
        const int lead = line[i].unicode();
        const qsizetype length = lead >= 0xF0 && lead <= 0xF4 ? 4
            : lead >= 0xE0 && lead <= 0xEF                    ? 3
            : lead >= 0xC2 && lead <= 0xDF                    ? 2
                                                              : 0;
        if (length == 0 || i + length > line.size())
            continue;
        QByteArray bytes(1, static_cast<char>(lead));
        for (qsizetype m = 1; m < length && continuation(byteOf(line[i + m])); ++m)
            bytes.append(static_cast<char>(byteOf(line[i + m])));
        if (bytes.size() != length)
            continue;
        const QString meant = QString::fromUtf8(bytes);
        if (meant.size() <= 2 && !meant.contains(QChar::ReplacementCharacter))
            return { i, length, meant };
    }
    return {};
}

} // namespace Windows1252
