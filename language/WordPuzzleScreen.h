#pragma once

#include "frame/ExerciseScreen.h"
#include "language/WordPuzzle.h"

#include <array>

class QFrame;
class QLabel;
class QMouseEvent;
class QTimer;

// "Wortpuzzle": letter tiles scattered over the board are dragged with the mouse onto the row
// of boxes below them. By keyboard, Tab or the arrow keys choose a loose tile, Enter takes it,
// the arrow keys choose a free box for it and Enter drops it there; Esc puts it back. Mouse and
// keyboard take, move and drop a tile by the same steps.
class WordPuzzleScreen : public ExerciseScreen
{
    Q_OBJECT

public:
    WordPuzzleScreen(
        const Exercise& row, ProgramState& state, Platform& platform, QWidget* parent = nullptr);

protected:
    QString loadExercise() override;
    void keyPressed(QChar c) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showWord();
    void showTiles();
    void showOutcome(const WordPuzzle::Outcome& outcome);
    // The steps of a drag, whether the mouse or the keyboard makes them.
    void grabTile(int i, const WordPuzzle::Position& pointer);
    void moveTile(int i, const WordPuzzle::Position& pointer);
    void dropTile(int i);
    // Keyboard: takes the tile with the focus over the first free box; then moves it on to
    // the next free box that way (-1 or 1), drops it, or puts it back where it was taken.
    void takeTile(int i);
    void carryTo(int box);
    void chooseBox(int step);
    void putBack();
    // The focus to the next loose tile that way (-1 or 1), left to right.
    void chooseTile(int step);
    int focusedTile() const;
    // Where the tile in hand goes so that its corner lies at `corner`, as a pointer inside it.
    WordPuzzle::Position pointerFor(int i, const WordPuzzle::Position& corner) const;
    void pauseEnded();
    // The pointer in twips from tile i's top left corner, as the model has it.
    WordPuzzle::Position pointer(int i, const QMouseEvent& event) const;
    // A model position as a top left corner in `parent`, the screen or a widget on it.
    QPoint place(const WordPuzzle::Position& position, const QWidget* parent) const;

    WordPuzzle m_puzzle;
    std::array<QLabel*, WordPuzzle::MaxLetters> m_tiles {}; // lblBuchstabe
    std::array<QLabel*, WordPuzzle::MaxLetters> m_boxes {}; // lblZiel
    std::array<QLabel*, WordPuzzle::MaxLetters> m_solutions {}; // lblLoesung
    std::array<QFrame*, WordPuzzle::MaxLetters> m_shapes {}; // shpZiel
    QTimer* m_timer2;
    QTimer* m_timer3;
    // The tile carried by keyboard, the box it is over and where it was taken; -1 for none.
    int m_carried = -1;
    int m_chosenBox = -1;
    WordPuzzle::Position m_takenFrom;
};
