#pragma once

#include "frame/ExerciseScreen.h"
#include "language/TypingExercise.h"

class QLabel;

// "Abtippübungen": the model text above, the typed line below it, character under character.
class TypingScreen : public ExerciseScreen
{
    Q_OBJECT

public:
    TypingScreen(
        const Exercise& row, ProgramState& state, Platform& platform, QWidget* parent = nullptr);

protected:
    QString loadExercise() override;
    void keyPressed(QChar c) override;

private:
    void showText();
    QString typedLine() const;

    TypingExercise m_typing;
    QLabel* m_vorgabe;
    QLabel* m_eingabe;
    QList<qsizetype> m_lineStarts;
};
