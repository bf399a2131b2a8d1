#pragma once

#include "language/LetterFieldsScreen.h"

// frmUebung04 Verkleinerungen, frmUebung05 Wortraten, frmUebung08 Wortpaare: a prompt and one
// answer. The first two show the prompt in a frame of its own above the typed line; Wortpaare
// shows the typed word directly right of the prompt, as its missing end.
class SingleAnswerScreen : public LetterFieldsScreen
{
    Q_OBJECT

public:
    SingleAnswerScreen(int k, ProgramState& state, Platform& platform, QWidget* parent = nullptr);

protected:
    void showPrompt() override;

private:
    void buildFramed(const QString& promptCaption, const QString& entryCaption);
    void buildPair();
    void placePair();

    QLabel* m_vorgabe = nullptr;
    QLabel* m_eingabe = nullptr;
    const bool m_pair;
};
