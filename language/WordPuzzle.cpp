#include "language/WordPuzzle.h"

#include "core/ExerciseCatalogue.h"
#include "core/ProgramState.h"
#include "core/Scoring.h"
#include "platform/RandomSource.h"

#include <QList>
#include <algorithm>

namespace {
constexpr int DropPoints = 10;
constexpr int SolutionCost = 100;
constexpr int FirstBoxLeft = 2280;
constexpr int BoxStep = 480;
// Tiles lie in 25 columns, 240 to 8880, and in four rows.
constexpr int FirstColumn = 240;
constexpr int ColumnStep = 360;
constexpr int Columns = 25;
constexpr std::array<int, 4> Rows { 2040, 2520, 3000, 3480 };
// A drop is judged when the tile's corner lies strictly closer to the box's than this.
constexpr float Reach = 100.0F;

// The row of boxes moves right by this much so that a word of 3 to 8 letters stands in the
// middle; shorter and longer ones begin at the row's left end.
int centringOffset(qsizetype letters)
{
    constexpr std::array<int, 6> offsets { 1660, 1420, 1180, 940, 700, 460 };
    return letters >= 3 && letters <= 8 ? offsets[static_cast<std::size_t>(letters - 3)] : 0;
}

bool within(float tile, float box)
{
    return tile > box - Reach && tile < box + Reach;
}

// The bonus for a finished word by its wrong drops, and its message; none from the fourth on.
std::pair<int, QString> bonus(int wrongDrops)
{
    constexpr std::array<int, 4> points { 100, 50, 25, 10 };
    if (wrongDrops < 0 || wrongDrops >= static_cast<int>(points.size()))
        return { 0, {} };
    const int p = points[static_cast<std::size_t>(wrongDrops)];
    return { p, QStringLiteral("+ %1 Punkte für %2 Fehler").arg(p).arg(wrongDrops) };
}
} // namespace

WordPuzzle::WordPuzzle(
    int k, Scores& scores, const Clock& clock, RandomSource& random, TaskFile::Loader loader)
    : m_number(k)
    , m_scores(scores)
    , m_tally(k, clock)
    , m_random(random)
    , m_loader(std::move(loader))
{ }

QString WordPuzzle::refill()
{
    TaskFile::Result result = m_loader();
    if (!result.ok())
        return result.error;
    // An empty line would give a word without tiles, and a longer one has no tiles for its
    // rest: neither can be solved.
    TaskFile::keepUsable(result, exercise(m_number).tasks);
    m_waiting = result.lists.value(0);
    if (m_waiting.isEmpty())
        return TaskFile::message(exercise(m_number).taskFile.mid(1),
            QStringLiteral("enthält kein Wort mit 1 bis %1 Zeichen.").arg(MaxLetters));
    return {};
}

QString WordPuzzle::start()
{
    if (QString error = refill(); !error.isEmpty())
        return error;
    return next();
}

QString WordPuzzle::next()
{
    m_word.clear();
    m_tiles = {};
    m_occupied = {};
    m_fixed = 0;
    m_wordErrors = 0;
    m_flashing = -1;
    m_solutionShown = false;
    ++m_taskNumber;
    if (m_waiting.isEmpty()) {
        if (QString error = refill(); !error.isEmpty())
            return error;
    }

    m_word = m_waiting.takeAt(m_random.index(m_waiting.size()));
    m_tally.begin(m_word);
    m_finished = false;
    m_boxOffset = centringOffset(m_word.size());
    QList<int> columns;
    for (int c = 0; c < Columns; ++c)
        columns.append(FirstColumn + c * ColumnStep);
    for (int i = 0; i < length(); ++i) {
        Tile& tile = m_tiles[static_cast<std::size_t>(i)];
        tile.letter = m_word[i];
        tile.position.left = static_cast<float>(columns.takeAt(m_random.index(columns.size())));
        tile.position.top
            = static_cast<float>(Rows[static_cast<std::size_t>(m_random.index(Rows.size()))]);
    }
    return {};
}

WordPuzzle::Position WordPuzzle::box(int i) const
{
    return { static_cast<float>(FirstBoxLeft + m_boxOffset + i * BoxStep),
        static_cast<float>(BoxTop) };
}

void WordPuzzle::grab(int i, Position pointer)
{
    if (i < 0 || i >= length())
        return;
    m_gripX = static_cast<qint16>(roundHalfEven(pointer.left));
    m_gripY = static_cast<qint16>(roundHalfEven(pointer.top));
}

bool WordPuzzle::drag(int i, Position pointer)
{
    if (i < 0 || i >= length())
        return false;
    Tile& tile = m_tiles[static_cast<std::size_t>(i)];
    if (tile.colour == Colour::Green)
        return false;
    tile.position.left += pointer.left - static_cast<float>(m_gripX);
    tile.position.top += pointer.top - static_cast<float>(m_gripY);
    return true;
}

WordPuzzle::Outcome WordPuzzle::release(int i)
{
    Outcome outcome;
    if (i < 0 || i >= length())
        return outcome;
    Tile& tile = m_tiles[static_cast<std::size_t>(i)];
    const qint32 before = m_scores(m_number);
    // Boxes lie 480 apart, so a tile reaches one at most.
    int hit = -1;
    for (int j = 0; j < length() && hit < 0; ++j) {
        const Position target = box(j);
        if (!occupied(j) && within(tile.position.left, target.left)
            && within(tile.position.top, target.top))
            hit = j;
    }
    if (hit >= 0 && tile.letter == m_word[hit]) {
        tile.position = box(hit);
        tile.colour = Colour::Green;
        m_occupied[static_cast<std::size_t>(hit)] = true;
        ++m_fixed;
        m_scores.add(m_number, DropPoints);
        outcome.picture = TaskStep::Picture::Right;
        outcome.message = QStringLiteral("+ 10 Punkte");
        if (m_fixed == length()) {
            outcome.picture = TaskStep::Picture::Done;
            // A word laid out by "Lösung anzeigen" earns no bonus: asking for the solution
            // must never pay.
            const auto [points, message] = bonus(m_wordErrors);
            if (points > 0 && !m_solutionShown) {
                m_scores.add(m_number, points);
                outcome.message = message;
            }
            m_wordErrors = 0;
            outcome.pause = PauseAfterWord;
        }
    } else if (hit >= 0) {
        ++m_errors;
        ++m_wordErrors;
        m_tally.wrong();
        tile.colour = Colour::Red;
        m_scores.deduct(m_number, DropPoints);
        outcome.picture = TaskStep::Picture::Wrong;
        outcome.errors = m_errors;
        outcome.message = QStringLiteral("- 10 Punkte");
        m_flashing = i;
        outcome.flash = true;
    }
    keepInArea(tile.position);
    tally(outcome, before);
    return outcome;
}

void WordPuzzle::tally(Outcome& outcome, qint32 scoreBefore)
{
    outcome.scoreChanged = !outcome.message.isNull();
    // Tiles laid out by the solution may still be fixed; the word was counted already.
    if (m_finished)
        return;
    m_tally.add(qint64 { m_scores(m_number) } - scoreBefore);
    // Done: the last tile of the word is fixed, the bonus given.
    if (outcome.picture == TaskStep::Picture::Done || outcome.pause > 0) {
        m_finished = true;
        outcome.finished = m_tally.result();
    }
}

void WordPuzzle::keepInArea(Position& position)
{
    position.top
        = std::clamp(position.top, static_cast<float>(AreaTop), static_cast<float>(AreaBottom));
    position.left
        = std::clamp(position.left, static_cast<float>(AreaLeft), static_cast<float>(AreaRight));
}

WordPuzzle::Outcome WordPuzzle::showSolution()
{
    Outcome outcome;
    if (m_solutionShown || m_word.isEmpty())
        return outcome;
    const qint32 before = m_scores(m_number);
    m_solutionShown = true;
    m_tally.helpUsed();
    m_flashing = -1;
    // Shown only: the boxes stay free and the tiles loose.
    for (int i = 0; i < length(); ++i) {
        Tile& tile = m_tiles[static_cast<std::size_t>(i)];
        tile.position = box(i);
        tile.colour = Colour::Red;
    }
    m_waiting.removeOne(m_word);
    m_scores.deduct(m_number, SolutionCost);
    outcome.message = QStringLiteral("- 100 Punkte");
    outcome.pause = PauseAfterSolution;
    tally(outcome, before);
    return outcome;
}

void WordPuzzle::endFlash()
{
    if (m_flashing >= 0 && tile(m_flashing).colour == Colour::Red)
        m_tiles[static_cast<std::size_t>(m_flashing)].colour = Colour::Yellow;
    m_flashing = -1;
}
