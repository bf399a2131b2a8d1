#include "frame/ExerciseScreens.h"

#include "frame/ExerciseScreen.h"
#include "language/TypingScreen.h"

ExerciseScreen* createExerciseScreen(int k, ProgramState& state, Platform& platform)
{
    switch (k) {
    case 1:
        return new frmUebung01(state, platform);
    default:
        return nullptr;
    }
}
