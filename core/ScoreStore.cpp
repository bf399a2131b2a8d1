#include "core/ScoreStore.h"

#include "core/ExerciseCatalogue.h"
#include "core/SettingsValue.h"
#include "platform/SettingsStore.h"

#include <QDir>

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
    const QHash<QString, QString> stored = settings.values(Section);
    for (int k = 1; k <= ExerciseCount; ++k)
        scores(k) = leadingNumber(stored.value(key(k)));
    return scores;
}

Saved save(SettingsStore& settings, const Scores& scores)
{
    SettingsStore::Values values;
    for (int k = 1; k <= ExerciseCount; ++k)
        values.append({ key(k), QString::number(scores(k)) });
    const SettingsStore::Written written = settings.setValues(Section, values);
    Saved saved { written.ok, {} };
    if (!written.setAside.isEmpty()) {
        saved.notice
            = QStringLiteral("Die Datei mit den gespeicherten Punkteständen war beschädigt und "
                             "konnte nicht vollständig gelesen werden. Sie wurde unter dem Namen "
                             "„%1“ aufbewahrt; die Punktestände stehen jetzt in einer neuen Datei.")
                  .arg(QDir::toNativeSeparators(written.setAside));
    }
    return saved;
}

Saved mend(SettingsStore& settings, const Scores& scores)
{
    if (!settings.damaged())
        return { true, {} };
    return save(settings, scores);
}

QString Saved::message() const
{
    if (ok)
        return notice;
    const QString notSaved = QStringLiteral(
        "Die Punktestände konnten nicht für den nächsten Programmstart gespeichert werden.");
    return notice.isEmpty() ? notSaved : notice + QStringLiteral("\n\n") + notSaved;
}

} // namespace ScoreStore
