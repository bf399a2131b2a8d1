// The settings file may hold anything: whatever it holds, the scores read from it are saved,
// the twelve read back are the twelve saved, and the store written is read whole.
#include "core/ScoreStore.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tambolino.conf"));
    QDir(dir.path()).removeRecursively();
    QDir().mkpath(dir.path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size))
            != static_cast<qint64>(size))
        std::abort();
    file.close();

    QtSettingsStore store(path);
    Scores scores = ScoreStore::load(store);
    scores.add(1, 1);
    scores(ExerciseCount) = static_cast<qint32>(size);
    if (!ScoreStore::save(store, scores).ok || ScoreStore::load(store) != scores || store.damaged())
        std::abort();
    return 0;
}
