#pragma once

#include <QString>
#include <QtGlobal>

class Clock;
struct ProgramState;

// The value, or the end of the 32-bit range it lies beyond.
qint32 clamp32(qint64 value);

// Nearest integer, an exact half to the even neighbour; clamped to the 32-bit range
// (NaN gives 0).
qint32 roundHalfEven(double value);

// At least `digits` digits with leading zeros; a minus sign before the padded digits.
QString formatScore(qint64 score, int digits = 7);

// "Punktestand: " and the score in the given form.
QString scoreLabelText(qint64 score, int digits = 7);

// Scores the timed task that began at lngStartzeit: sets lngPunkte and strErgebnis from the
// elapsed seconds, lngAnzahl and lngFehler, then sets lngFehler to 0. A task finished within
// its starting second counts one second; one that spans midnight gets a day added.
void scoreTimedTask(ProgramState& state, const Clock& clock);

// The current time of day in whole seconds, rounded as every start second is.
qint32 wholeSecondsNow(const Clock& clock);

// Whole seconds from one time of day to a later one; a span over midnight gets a day added.
qint32 elapsedSeconds(qint32 from, qint32 to);
