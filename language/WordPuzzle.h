#pragma once

#include "core/TaskLayout.h"
#include "frame/TaskFile.h"
#include "frame/TaskStep.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <array>

class Clock;
class RandomSource;
class Scores;

// The rules of the word puzzle: a word from the task file is cut into letter tiles that lie
// scattered over the board, above a row of boxes, one per letter. A tile dropped on a free box
// is judged at once: on the box of its letter it snaps in and is fixed, on another it flashes
// red and stays loose. Positions are twips from the top left corner of the screen's client
// area; tile positions are single precision, as the hit test compares them.
class WordPuzzle
{
public:
    static constexpr int MaxLetters = PuzzleLetters;
    static constexpr int TileWidth = 375;
    static constexpr int TileHeight = 495;
    static constexpr int BoxTop = 4320;
    // A released tile's top left corner is kept within these bounds.
    static constexpr int AreaLeft = 120;
    static constexpr int AreaRight = 9000;
    static constexpr int AreaTop = 2040;
    static constexpr int AreaBottom = 4560;
    // Timer2 after a finished word and after the solution; Timer3 for the red flash.
    static constexpr int PauseAfterWord = 1000;
    static constexpr int PauseAfterSolution = 3000;
    static constexpr int FlashTime = 500;

    enum class Colour
    {
        Yellow, // loose
        Green, // fixed in its box; it no longer moves
        Red, // dropped on a wrong box, or shown as the solution
    };

    struct Position
    {
        float left = 0;
        float top = 0;
        bool operator==(const Position&) const = default;
    };

    struct Tile
    {
        QChar letter;
        Position position;
        Colour colour = Colour::Yellow;
    };

    // What a drop or the solution changed, and which timers it starts. A message comes with
    // every change of the score; `pause` (re)starts Timer2. The word is finished when its last
    // tile is fixed or its solution shown, whichever comes first.
    struct Outcome : TaskStep
    {
        bool flash = false; // Timer3 (re)starts with FlashTime
    };

    WordPuzzle(
        int k, Scores& scores, const Clock& clock, RandomSource& random, TaskFile::Loader loader);

    // Reads the task file and lays out the first word. Returns an error message, or an empty
    // text.
    QString start();
    // Lays out the next word; the file is read again when every word of it was
    // asked. Returns an error message, or an empty text.
    QString next();

    // The mouse button went down on tile i, `pointer` inside it.
    void grab(int i, Position pointer);
    // The mouse moved on tile i with the left button alone held: a loose tile follows, the
    // grabbed point staying under the pointer. True when the tile moved.
    bool drag(int i, Position pointer);
    // The mouse button was let go on tile i: a drop on a free box is judged; then the tile is
    // kept inside the play area.
    Outcome release(int i);
    // "Lösung anzeigen": every tile on its box, red and loose, for 100 points. Costs nothing
    // and changes nothing while this word's solution is shown already.
    Outcome showSolution();
    // Timer3: the tile of the last wrong drop turns yellow again, unless it has since been
    // fixed or shown as the solution.
    void endFlash();

    const QString& word() const { return m_word; }
    int length() const { return static_cast<int>(m_word.size()); }
    const Tile& tile(int i) const { return m_tiles.at(static_cast<std::size_t>(i)); }
    // Where box i lies; its solution label and target shape lie there too.
    Position box(int i) const;
    bool occupied(int box) const { return m_occupied.at(static_cast<std::size_t>(box)); }
    // intAufgNr: words laid out since the screen opened.
    int taskNumber() const { return m_taskNumber; }
    // intFehler: wrong drops since the screen opened.
    int errors() const { return m_errors; }

private:
    QString refill();
    void keepInArea(Position& position);
    // The word's points, and the word itself when it has just come to its end.
    void tally(Outcome& outcome, qint32 scoreBefore);

    const int m_number;
    Scores& m_scores;
    TaskTally m_tally;
    RandomSource& m_random;
    TaskFile::Loader m_loader;
    QStringList m_waiting; // colWoerter: words of this pass not yet asked, in file order
    QString m_word;
    std::array<Tile, MaxLetters> m_tiles {};
    std::array<bool, MaxLetters> m_occupied {}; // intBelegt
    int m_boxOffset = 0; // the row's shift that centres a short word
    int m_taskNumber = 0;
    int m_errors = 0;
    int m_wordErrors = 0;
    int m_fixed = 0; // intRichtig
    qint16 m_gripX = 0;
    qint16 m_gripY = 0;
    int m_flashing = -1; // intRotIndex while its flash lasts
    bool m_solutionShown = false;
    bool m_finished = false;
};
