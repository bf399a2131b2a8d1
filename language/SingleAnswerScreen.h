#pragma once

#include "language/LetterFieldsScreen.h"

// Verkleinerungen, Wortraten, Wortpaare: a prompt and one answer. The prompt stands in a frame of
// its own above the typed line, both frames with the captions of the catalogue row; a row with
// an instruction instead (Wortpaare) shows the typed word directly right of the prompt, as its
// missing end, below the instruction.
class SingleAnswerScreen : public LetterFieldsScreen
{
    Q_OBJECT

public:
    SingleAnswerScreen(
        const Exercise& row, ProgramState& state, Platform& platform, QWidget* parent = nullptr);

protected:
    void showPrompt() override;

private:
    void buildFramed(const QString& promptCaption, const QString& entryCaption);
    void buildPair(const QString& instructionText);
    void placePair();

    QLabel* m_vorgabe = nullptr;
    QLabel* m_eingabe = nullptr;
    const bool m_pair;
};
