#pragma once

#include "language/TypingScreen.h"

// Keys typed on the typing screen as its key handler passes them on.
inline void typeKeys(ExerciseScreen& screen, const QString& keys)
{
    for (const QChar c : keys)
        screen.typeCharacter(c);
}

// Types the rest of the shown text without a wrong key.
inline void finishText(frmUebung01& screen)
{
    typeKeys(screen, screen.typing().text().mid(screen.typing().position() - 1));
}
