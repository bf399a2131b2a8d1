#include "frame/ExerciseScreens.h"

#include "arithmetic/ArithmeticScreen.h"
#include "frame/ExerciseScreen.h"

ExerciseScreen* createExerciseScreen(int k, ProgramState& state, Platform& platform)
{
    switch (k) {
    case 9:
    case 10:
    case 11:
    case 12:
        return new ArithmeticScreen(k, state, platform);
    default:
        (void)state;
        (void)platform;
        return nullptr;
    }
}
