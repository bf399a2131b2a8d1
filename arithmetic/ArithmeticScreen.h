#pragma once

#include "arithmetic/ArithmeticExercise.h"
#include "frame/ExerciseScreen.h"

class QGroupBox;
class QLabel;
class QTimer;

// frmUebung09 to frmUebung12: Kopfrechnen, Kettenaufgaben, Malfolgen, Division. The screens
// differ only in their catalogue entry: title, task file, help page and score slot.
class ArithmeticScreen : public ExerciseScreen
{
    Q_OBJECT

public:
    ArithmeticScreen(int k, ProgramState& state, Platform& platform, QWidget* parent = nullptr);

    // Timer2: the pause after a solved task is over.
    void pauseEnded();

    const ArithmeticExercise& rules() const { return m_exercise; }

    QGroupBox* fraEingabe;
    QLabel* Label9;
    QLabel* lblVorgabe;
    QLabel* lblEingabe;
    QTimer* Timer2;

protected:
    QString loadExercise() override;
    void keyPressed(QChar c) override;

private:
    void showTask();

    ArithmeticExercise m_exercise;
};
