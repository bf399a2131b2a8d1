#include "frame/ExerciseScreens.h"

#include "frame/ExerciseScreen.h"

ExerciseScreen* createExerciseScreen(int k, ProgramState& state, Platform& platform)
{
    switch (k) {
    default:
        (void)state;
        (void)platform;
        return nullptr;
    }
}
