#pragma once

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
    int taskLines; // lines of the task file that make up one task
    QString helpPage; // file name inside the folder "Hilfe"
};

// The fixed table of the twelve exercises in catalogue order; k runs from 1 to 12.
const Exercise& exercise(int k);

// Where exercise k reads its tasks: the program directory followed directly by the file name.
QString taskFilePath(const QString& programDirectory, int k);

// "Versionsnummer: 1.1" as shown on every screen.
QString versionText();
