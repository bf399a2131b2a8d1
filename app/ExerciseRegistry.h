#pragma once

#include "core/ProgramState.h"

#include <array>
#include <functional>

class ExerciseScreen;
struct Platform;

// Which screen each exercise number opens. The shell fills it at start-up; the frame and the
// exercises never name each other. Tests may hand the main window one of their own.
class ExerciseRegistry
{
public:
    using Factory = std::function<ExerciseScreen*(ProgramState&, Platform&)>;

    void add(int k, Factory factory);
    // A new, not yet opened screen for exercise k, or nullptr where none is registered.
    ExerciseScreen* create(int k, ProgramState& state, Platform& platform) const;

    // Every exercise of the catalogue, on the screen of its kind.
    static ExerciseRegistry builtIn();

private:
    std::array<Factory, ExerciseCount + 1> m_factories; // 1..ExerciseCount
};
