// Score files are chosen by the user: any bytes read as all twelve scores or as a message, and
// what was read is written and read back unchanged.
#include "core/ScoreFile.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

namespace {
ScoreFile::Result readBytes(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ScoreFile::read(buffer, QStringLiteral("fuzz.tbo"));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const ScoreFile::Result read
        = readBytes(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!read.ok())
        return 0;
    const ScoreFile::Result again = readBytes(ScoreFile::format(read.scores));
    if (!again.ok() || again.scores != read.scores)
        std::abort();
    return 0;
}
