#pragma once

#include <array>

class SettingsStore;

// How large the window is drawn: a percentage of its designed size, kept in the settings store
// (section "Ansicht", key "Groesse") and applied when the program starts.
namespace ViewSize {

inline constexpr std::array<int, 4> Steps { 100, 125, 150, 200 };

// The stored step; 100 where none or no step is stored.
int load(const SettingsStore& settings);
// False when the store could not be written.
bool save(SettingsStore& settings, int percent);
// The next step up or down, the same at either end.
int larger(int percent);
int smaller(int percent);

} // namespace ViewSize
