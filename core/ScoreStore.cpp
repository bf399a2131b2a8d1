#include "core/ScoreStore.h"

#include "core/ExerciseCatalogue.h"
#include "core/SettingsValue.h"
#include "platform/SettingsStore.h"

namespace {
const QString Section = QStringLiteral("Punktestaende");

QString key(int k)
{
    return QString::fromLatin1(exercise(k).settingsKey);
}
} // namespace

namespace ScoreStore {

Scores load(const SettingsStore& settings)
{
    Scores scores;
    for (int k = 1; k <= ExerciseCount; ++k)
        scores(k) = leadingNumber(settings.value(Section, key(k)));
    return scores;
}

bool save(SettingsStore& settings, const Scores& scores)
{
    for (int k = 1; k <= ExerciseCount; ++k) {
        if (!settings.setValue(Section, key(k), QString::number(scores(k))))
            return false;
    }
    return true;
}

} // namespace ScoreStore
