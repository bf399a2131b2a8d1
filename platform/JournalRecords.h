#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

// One finished task as its engine decided it: what the practice journal records. The engine
// fills every field; the screen only hands it on.
struct TaskResult
{
    int exercise = 0; // 1 .. ExerciseCount
    QString prompt; // the task as the child saw it
    qint32 seconds = 0; // from the task's first display to its end, at least 0
    qint32 errors = 0; // wrong keys, wrong drops or wrong answers within this task
    qint64 points = 0; // what the task changed the score by, bonus and penalties included
    bool helpUsed = false; // "Lösung anzeigen" or "Anzeige wiederholen"
};

// How an exercise screen was left.
enum class SessionEnd
{
    Ended, // "Übung beenden" or the screen's close box
    TimeLimit,
    ProgramEnd,
    TaskFileFailure,
};

// One opening of an exercise screen, from its opening to its closing.
struct SessionResult
{
    int exercise = 0;
    QDateTime started; // UTC
    QDateTime ended; // UTC
    qint32 seconds = 0;
    qint32 tasks = 0; // tasks finished
    qint32 errors = 0;
    qint32 pointsAtStart = 0;
    qint32 pointsAtEnd = 0;
    SessionEnd end = SessionEnd::Ended;
};
