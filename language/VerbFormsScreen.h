#pragma once

#include "language/LetterFieldsScreen.h"

// Beugungen: a verb and its six person forms, in two columns of three with the person left of
// each field. Zeitformen: a phrase in the present tense, with its caption, and the same phrase
// in five more tenses, each tense above its field. Captions and the number of fields come from
// the catalogue row.
class VerbFormsScreen : public LetterFieldsScreen
{
    Q_OBJECT

public:
    VerbFormsScreen(
        const Exercise& row, ProgramState& state, Platform& platform, QWidget* parent = nullptr);

protected:
    void showPrompt() override;

private:
    QLabel* m_vorgabe = nullptr;
};
