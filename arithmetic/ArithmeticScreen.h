#pragma once

#include "arithmetic/ArithmeticExercise.h"
#include "frame/ExerciseScreen.h"

class QLabel;
class QTimer;

// frmUebung09 to frmUebung12: Kopfrechnen, Kettenaufgaben, Malfolgen, Division. The screens
// differ only in their catalogue entry: title, task file, help page and score slot.
class ArithmeticScreen : public ExerciseScreen
{
    Q_OBJECT

public:
    ArithmeticScreen(int k, ProgramState& state, Platform& platform, QWidget* parent = nullptr);

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
