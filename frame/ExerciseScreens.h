#pragma once

class ExerciseScreen;
struct Platform;
struct ProgramState;

// A new, not yet opened screen for exercise k, or nullptr where the exercise is not built.
ExerciseScreen* createExerciseScreen(int k, ProgramState& state, Platform& platform);
