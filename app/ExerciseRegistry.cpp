#include "app/ExerciseRegistry.h"

#include "arithmetic/ArithmeticScreen.h"
#include "language/FillInScreen.h"
#include "language/SingleAnswerScreen.h"
#include "language/TypingScreen.h"
#include "language/VerbFormsScreen.h"
#include "language/WordPuzzleScreen.h"

void ExerciseRegistry::add(int k, Factory factory)
{
    if (k >= 1 && k <= ExerciseCount)
        m_factories[static_cast<std::size_t>(k)] = std::move(factory);
}

ExerciseScreen* ExerciseRegistry::create(int k, ProgramState& state, Platform& platform) const
{
    if (k < 1 || k > ExerciseCount || !m_factories[static_cast<std::size_t>(k)])
        return nullptr;
    return m_factories[static_cast<std::size_t>(k)](state, platform);
}

ExerciseRegistry ExerciseRegistry::builtIn()
{
    ExerciseRegistry registry;
    registry.add(1,
        [](ProgramState& state, Platform& platform) { return new TypingScreen(state, platform); });
    registry.add(2, [](ProgramState& state, Platform& platform) {
        return new WordPuzzleScreen(state, platform);
    });
    registry.add(3,
        [](ProgramState& state, Platform& platform) { return new FillInScreen(state, platform); });
    for (int k : { 4, 5, 8 }) {
        registry.add(k, [k](ProgramState& state, Platform& platform) {
            return new SingleAnswerScreen(k, state, platform);
        });
    }
    for (int k : { 6, 7 }) {
        registry.add(k, [k](ProgramState& state, Platform& platform) {
            return new VerbFormsScreen(k, state, platform);
        });
    }
    for (int k = 9; k <= ExerciseCount; ++k) {
        registry.add(k, [k](ProgramState& state, Platform& platform) {
            return new ArithmeticScreen(k, state, platform);
        });
    }
    return registry;
}
