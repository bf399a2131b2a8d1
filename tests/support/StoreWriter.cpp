// Saves the twelve scores into the settings file named on the command line over and over, all
// twelve one higher each time, until it is killed.
#include "core/ScoreStore.h"
#include "platform/SettingsStore.h"

int main(int argc, char* argv[])
{
    if (argc != 2)
        return 2;
    QtSettingsStore store(QString::fromLocal8Bit(argv[1]));
    Scores scores = ScoreStore::load(store);
    for (;;) {
        const qint32 next = scores(1) + 1;
        for (int k = 1; k <= ExerciseCount; ++k)
            scores(k) = next;
        if (!ScoreStore::save(store, scores).ok)
            return 1;
    }
}
