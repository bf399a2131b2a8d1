#pragma once

#include "core/TaskResult.h"

#include <QStringList>

// Which tasks a child finds difficult, from the latest tries of each: a try with an error or a
// used help makes a task difficult, a recent one weighing more than an old one; tries without
// either, three in a row, take it off the list again, as a flash card moves on to the next box.
namespace DifficultTasks {

// The latest tries of a task that count.
inline constexpr int Tries = 10;
// Smooth tries in a row after the last faulty one that take a task off the list.
inline constexpr int Mastered = 3;
// Days after which a faulty try weighs half.
inline constexpr int HalfLifeDays = 14;
// A practice round needs at least two tasks, for the task cycle to vary, and asks at most this
// many, the most difficult.
inline constexpr int Fewest = 2;
inline constexpr int Most = 20;

// The difficult tasks among `inFile` (the shown texts of the current task file), the most
// difficult first; equal weights in code-point order of the prompt.
QStringList choose(const QList<JournalTries>& tasks, const QDateTime& now,
    const QStringList& inFile, int most = Most);

} // namespace DifficultTasks
