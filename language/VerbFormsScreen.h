#pragma once

#include "language/LetterFieldsScreen.h"

// frmUebung06 Beugungen: a verb and its six person forms, in two columns of three with the
// person left of each field. frmUebung07 Zeitformen: a phrase in the present tense and the same
// phrase in five more tenses, each tense above its field.
class VerbFormsScreen : public LetterFieldsScreen
{
    Q_OBJECT

public:
    VerbFormsScreen(int k, ProgramState& state, Platform& platform, QWidget* parent = nullptr);

protected:
    void showPrompt() override;

private:
    QLabel* m_vorgabe = nullptr;
};
