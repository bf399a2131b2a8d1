#pragma once

#include "app/ProgressModule.h"
#include "core/ProgramState.h"

#include <array>
#include <functional>

class ExerciseScreen;
struct Platform;

// Which screen each exercise number opens, and what opens the progress view. The shell fills it
// at start-up; the frame and the exercises never name each other. Tests may hand the main window
// one of their own.
class ExerciseRegistry
{
public:
    using Factory = std::function<ExerciseScreen*(ProgramState&, Platform&)>;

    void add(int k, Factory factory);
    // A new, not yet opened screen for exercise k, or nullptr where none is registered.
    ExerciseScreen* create(int k, ProgramState& state, Platform& platform) const;

    using ProgressFactory = std::function<ProgressModule::OpenView>;
    void setProgressView(ProgressFactory factory) { m_progress = std::move(factory); }
    // Null where none is set or it could not make one.
    QWidget* createProgressView(JournalDatabase* journal, const QString& child, Platform& platform,
        const ProgressModule::Practise& practise) const
    {
        return m_progress ? m_progress(journal, child, platform, practise) : nullptr;
    }

    // Every exercise of the catalogue, on the screen of its kind.
    static ExerciseRegistry builtIn();

private:
    std::array<Factory, ExerciseCount + 1> m_factories; // 1..ExerciseCount
    ProgressFactory m_progress;
};
