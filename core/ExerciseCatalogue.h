#pragma once

#include "core/TaskLayout.h"

#include <QString>

struct Exercise
{
    int number; // 1 to 12: score slot, start-screen label index, screen number
    const char* settingsKey;
    const char* entryControl; // object name of the start-screen entry
    QString menuText;
    QString description;
    const char* screen; // object name of the exercise screen
    QString title;
    QString taskFile; // below the program directory, with its leading separator
    TaskLayout tasks; // what the lines of the task file hold
    QString helpPage; // file name inside the folder "Hilfe"
};

// The fixed table of the twelve exercises in catalogue order; k runs from 1 to 12.
const Exercise& exercise(int k);

// The exercise that reads the task file of this name (without a folder), or 0.
int exerciseForTaskFile(const QString& fileName);

// Where exercise k reads its tasks: the program directory followed directly by the file name.
QString taskFilePath(const QString& programDirectory, int k);

// "Versionsnummer: 1.1" as shown on every screen.
QString versionText();
