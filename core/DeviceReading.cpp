#include "core/DeviceReading.h"

#include <QIODevice>
#include <algorithm>
#include <array>

std::optional<QByteArray> readAtMost(QIODevice& device, qint64 limit)
{
    QByteArray bytes;
    std::array<char, 16384> chunk {};
    while (bytes.size() < limit) {
        const qint64 wanted = std::min<qint64>(chunk.size(), limit - bytes.size());
        const qint64 got = device.read(chunk.data(), wanted);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        bytes.append(chunk.data(), got);
    }
    return bytes;
}
