#include "frame/ExerciseScreens.h"

#include "arithmetic/ArithmeticScreen.h"
#include "frame/ExerciseScreen.h"
#include "language/TypingScreen.h"

ExerciseScreen* createExerciseScreen(int k, ProgramState& state, Platform& platform)
{
    switch (k) {
    case 1:
        return new frmUebung01(state, platform);
    case 9:
    case 10:
    case 11:
    case 12:
        return new ArithmeticScreen(k, state, platform);
    default:
        return nullptr;
    }
}
