#pragma once

#include "core/ProgramState.h"

#include <QString>

class SettingsStore;

// The twelve scores in the settings store: section "Punktestaende", the catalogue's keys, plain
// decimal text.
namespace ScoreStore {

// A missing or non-numeric value reads as 0; see leadingNumber.
Scores load(const SettingsStore& settings);

struct Saved
{
    bool ok = false; // all twelve stored; otherwise the store holds what it held before
    // A German note for the user when a damaged store had to be set aside; empty otherwise.
    QString notice;

    // What the user is told: the notice, and that the scores are not stored when they are
    // not; empty when there is nothing to tell.
    QString message() const;
};

// All twelve keys in one write.
Saved save(SettingsStore& settings, const Scores& scores);
// A store that cannot be read whole is set aside at once and the scores written into a fresh
// one; a sound store is left alone.
Saved mend(SettingsStore& settings, const Scores& scores);

} // namespace ScoreStore
