#pragma once

#include "core/ProgramState.h"

class SettingsStore;

// The twelve scores in the settings store: section "Punktestaende", the catalogue's keys, plain
// decimal text.
namespace ScoreStore {

// A missing or non-numeric value reads as 0; see leadingNumber.
Scores load(const SettingsStore& settings);

// Writes in catalogue order and stops at the first key that cannot be written, leaving the
// keys after it as they were. False when that happened.
bool save(SettingsStore& settings, const Scores& scores);

} // namespace ScoreStore
