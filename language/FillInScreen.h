#pragma once

#include "frame/ExerciseScreen.h"
#include "language/FillIn.h"

class QLabel;
class QLineEdit;
class QTimer;

// "Einsetzübungen": the task text in a real text field with the cursor at the gap;
// the child types the missing letters and confirms with Enter or the Enter button.
class FillInScreen : public ExerciseScreen
{
    Q_OBJECT

public:
    FillInScreen(
        const Exercise& row, ProgramState& state, Platform& platform, QWidget* parent = nullptr);

protected:
    QString loadExercise() override;
    void keyPressed(QChar c) override;
    void textFieldKey() override;

private:
    void judgeAnswer();
    void showNextTask();
    void showTask();
    void repeatDisplay();
    void showSolution();
    // Timer2 and Timer3.
    void pauseEnded();
    void solutionEnded();
    void showMessage();

    FillIn m_fillIn;
    QLineEdit* m_eingabe;
    QLabel* m_loesung;
    QTimer* m_timer2;
    QTimer* m_timer3;
};
