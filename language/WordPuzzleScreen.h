#pragma once

#include "frame/ExerciseScreen.h"
#include "language/WordPuzzle.h"

#include <array>

class QFrame;
class QLabel;
class QMouseEvent;
class QTimer;

// "Wortpuzzle": letter tiles scattered over the board are dragged with the mouse
// onto the row of boxes below them. Keys play no part here besides F1.
class WordPuzzleScreen : public ExerciseScreen
{
    Q_OBJECT

public:
    WordPuzzleScreen(
        const Exercise& row, ProgramState& state, Platform& platform, QWidget* parent = nullptr);

protected:
    QString loadExercise() override;
    void keyPressed(QChar) override { }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showWord();
    void showTiles();
    void showOutcome(const WordPuzzle::Outcome& outcome);
    void tilePressed(int i, const QMouseEvent& event);
    void tileMoved(int i, const QMouseEvent& event);
    void tileReleased(int i);
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
};
