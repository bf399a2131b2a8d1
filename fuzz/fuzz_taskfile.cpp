// Task files are edited by hand: no byte sequence may crash the reader, the draw or the check
// of any exercise's layout.
#include "app/TaskFileCheck.h"
#include "core/ProgramState.h"
#include "frame/TaskCycle.h"
#include "frame/TaskFile.h"
#include "platform/RandomSource.h"

#include <QBuffer>
#include <cstdint>

namespace {
class CountingRandom final : public RandomSource
{
public:
    double next() override
    {
        m_value = m_value * 0.618 + 0.37;
        m_value -= static_cast<int>(m_value);
        return m_value;
    }

private:
    double m_value = 0.0;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (int k = 1; k <= ExerciseCount; ++k) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        (void)TaskFileCheck::format(
            QStringLiteral("fuzz.txt"), TaskFileCheck::check(k, TaskFile::readText(buffer)));
    }
    for (int recordLines = 1; recordLines <= 3; ++recordLines) {
        CountingRandom random;
        TaskCycle cycle(
            [&] {
                QBuffer buffer;
                buffer.setData(bytes);
                buffer.open(QIODevice::ReadOnly);
                return TaskFile::read(buffer, recordLines, QStringLiteral("fuzz.txt"));
            },
            random);
        if (!cycle.start().isEmpty())
            continue;
        for (int i = 0; i < 2 * cycle.remaining() + 2; ++i) {
            for (int j = 1; j <= recordLines; ++j)
                (void)cycle.field(j);
            if (!cycle.next().isEmpty())
                break;
        }
    }
    return 0;
}
