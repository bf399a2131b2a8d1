// Task files are edited by hand: no byte sequence may crash the reader, the check of any
// exercise's layout, the draw, or the engine of any exercise fed the tasks drawn, with keys
// typed right and wrong.
#include "app/TaskFileCheck.h"
#include "arithmetic/ArithmeticExercise.h"
#include "core/ExerciseCatalogue.h"
#include "core/ProgramState.h"
#include "frame/TaskCycle.h"
#include "frame/TaskFile.h"
#include "language/FillIn.h"
#include "language/LetterFields.h"
#include "language/TypingExercise.h"
#include "language/WordPuzzle.h"
#include "platform/Clock.h"
#include "platform/RandomSource.h"

#include <QBuffer>
#include <array>
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

// A second passes at every look.
class TickingClock final : public Clock
{
public:
    double secondsSinceMidnight() const override { return m_seconds = (m_seconds + 1) % 86400; }
    QString longTimeText() const override { return QStringLiteral("12:00:00"); }
    QDateTime now() const override { return {}; }

private:
    mutable int m_seconds = 0;
};

// Enough tasks for several passes through the cycle; the rest of a large input adds nothing
// but time.
constexpr qsizetype DrawnTasks = 24;
constexpr int Tasks = 6;

struct Input
{
    const TaskFile::Text& text;
    // Keys that the engines take as wrong ones, from the input itself.
    QString wrongKeys;

    TaskFile::Loader loader(int recordLines) const
    {
        return [this, recordLines] {
            TaskFile::Result result
                = TaskFile::records(text, recordLines, QStringLiteral("fuzz.txt"));
            for (QStringList& list : result.lists)
                list = list.mid(0, DrawnTasks);
            return result;
        };
    }

    QChar wrongKey(int i) const
    {
        return wrongKeys.isEmpty() ? QLatin1Char('#') : wrongKeys[i % wrongKeys.size()];
    }
};

std::optional<QChar> nextOf(const LetterEntry& entry)
{
    const qsizetype at = entry.position() - 1;
    if (at < 0 || at >= entry.answer().size())
        return std::nullopt;
    return entry.answer()[at];
}

// Every engine answers a key with one step; a finished task brings the next. The right keys
// come from the answer the engine expects, a wrong one before each.
template<class Engine> void typeTasks(Engine&& engine, const Input& input)
{
    if (!engine.start().isEmpty())
        return;
    int keys = 0;
    for (int task = 0; task < Tasks; ++task) {
        for (int i = 0; i < 200; ++i) {
            const std::optional<QChar> right = nextOf(engine.entry());
            if (!right)
                break;
            (void)engine.press(input.wrongKey(keys++));
            if (const TaskStep step = engine.press(*right); step.finished)
                break;
        }
        if (!engine.next().isEmpty())
            return;
    }
}

void driveEngine(int k, const Input& input)
{
    TickingClock clock;
    CountingRandom random;
    ProgramState state;
    const TaskFile::Loader loader = input.loader(exercise(k).tasks.lines);
    switch (exercise(k).kind) {
    case ExerciseKind::Typing:
        typeTasks(TypingExercise(k, state, clock, random, loader), input);
        break;
    case ExerciseKind::Arithmetic:
        typeTasks(ArithmeticExercise(k, state, clock, random, loader), input);
        break;
    case ExerciseKind::SingleAnswer:
    case ExerciseKind::LetterFields:
        typeTasks(LetterFields(k, state.ScoreTable, clock, random, loader), input);
        break;
    case ExerciseKind::FillIn: {
        FillIn engine(k, state, clock, random, loader);
        if (!engine.start().isEmpty())
            break;
        for (int task = 0; task < Tasks; ++task) {
            (void)engine.keyInField();
            (void)engine.judge(engine.shownText());
            (void)engine.repeatDisplay();
            (void)engine.showSolution(engine.gap());
            (void)engine.solutionShown(engine.shownText().size());
            (void)engine.judge(engine.solution());
            if (!engine.next().isEmpty())
                break;
        }
        break;
    }
    case ExerciseKind::Puzzle: {
        WordPuzzle engine(k, state.ScoreTable, clock, random, loader);
        if (!engine.start().isEmpty())
            break;
        for (int task = 0; task < Tasks; ++task) {
            // Each tile onto the box of the next one, then onto its own.
            for (int shift : { 1, 0 }) {
                for (int i = 0; i < engine.length(); ++i) {
                    const WordPuzzle::Position box = engine.box((i + shift) % engine.length());
                    const WordPuzzle::Tile& tile = engine.tile(i);
                    engine.grab(i, tile.position);
                    (void)engine.drag(i, box);
                    (void)engine.release(i);
                    engine.endFlash();
                }
            }
            (void)engine.showSolution();
            if (!engine.next().isEmpty())
                break;
        }
        break;
    }
    }
}
} // namespace

// The exercise whose rules an input meets is part of the input: its length picks it, so that
// every input costs one check and one engine, and the inputs of a run meet them all.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const int k = 1 + static_cast<int>(size % ExerciseCount);
    static constexpr std::array<int, 5> CycleLines { 1, 2, 3, 6, 7 };
    const int recordLines = CycleLines[size / ExerciseCount % CycleLines.size()];
    QByteArray bytes = QByteArray::fromRawData(
        reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const TaskFile::Text text = TaskFile::readText(buffer);
    (void)TaskFileCheck::format(QStringLiteral("fuzz.txt"), TaskFileCheck::check(k, text));

    const Input input { text, text.lines.value(0).left(16) };
    CountingRandom random;
    TaskCycle cycle(input.loader(recordLines), random);
    if (cycle.start().isEmpty()) {
        for (int i = 0; i < 2 * cycle.remaining() + 2; ++i) {
            for (int j = 1; j <= recordLines; ++j)
                (void)cycle.field(j);
            if (!cycle.next().isEmpty())
                break;
        }
    }
    driveEngine(k, input);
    return 0;
}
