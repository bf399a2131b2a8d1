#pragma once

#include "arithmetic/ArithmeticExercise.h"
#include "frame/ExerciseScreen.h"

class QLabel;
class QTimer;

// Kopfrechnen, Kettenaufgaben, Malfolgen, Division: the screens differ only in their catalogue
// rows.
class ArithmeticScreen : public ExerciseScreen
{
    Q_OBJECT

public:
    ArithmeticScreen(
        const Exercise& row, ProgramState& state, Platform& platform, QWidget* parent = nullptr);

protected:
    QString loadExercise() override;
    void keyPressed(QChar c) override;

private:
    // Timer2: the pause after a solved task is over.
    void pauseEnded();
    void showTask();

    ArithmeticExercise m_exercise;
    QLabel* m_vorgabe;
    QLabel* m_eingabe;
    QTimer* m_timer2;
};
