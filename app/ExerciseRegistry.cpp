#include "app/ExerciseRegistry.h"

#include "arithmetic/ArithmeticScreen.h"
#include "core/ExerciseCatalogue.h"
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

namespace {
// The screen of each kind, built from the exercise's catalogue row.
ExerciseScreen* screenFor(const Exercise& row, ProgramState& state, Platform& platform)
{
    switch (row.kind) {
    case ExerciseKind::Typing:
        return new TypingScreen(row, state, platform);
    case ExerciseKind::Puzzle:
        return new WordPuzzleScreen(row, state, platform);
    case ExerciseKind::FillIn:
        return new FillInScreen(row, state, platform);
    case ExerciseKind::SingleAnswer:
        return new SingleAnswerScreen(row, state, platform);
    case ExerciseKind::LetterFields:
        return new VerbFormsScreen(row, state, platform);
    case ExerciseKind::Arithmetic:
        return new ArithmeticScreen(row, state, platform);
    }
    return nullptr;
}
} // namespace

ExerciseRegistry ExerciseRegistry::builtIn()
{
    ExerciseRegistry registry;
    for (int k = 1; k <= ExerciseCount; ++k) {
        registry.add(k, [&row = exercise(k)](ProgramState& state, Platform& platform) {
            return screenFor(row, state, platform);
        });
    }
    return registry;
}
