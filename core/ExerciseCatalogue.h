#pragma once

#include "core/TaskLayout.h"

#include <QString>
#include <QStringList>

// Which screen shows an exercise; the registry builds it from the catalogue row.
enum class ExerciseKind
{
    Typing, // a text copied at the keyboard
    Puzzle, // a word laid out from letter tiles with the mouse
    FillIn, // missing letters typed into a text field and confirmed
    SingleAnswer, // a prompt and one answer typed letter by letter
    LetterFields, // a prompt and several answers (verb forms), each in a field of its own
    Arithmetic, // a question and its result typed letter by letter
};

// What a screen writes around its task; an empty text shows nothing.
struct Captions
{
    QString prompt {}; // the frame or label of the prompt
    QString entry {}; // the frame of the typed answer
    QString instruction {}; // the line above the task (Label9)
    QStringList fields {}; // the label of each answer field, in the fields' order
};

// Everything the program knows of one exercise. A new exercise is a row of the catalogue, its
// task file and its help page; a screen class only for a new kind.
struct Exercise
{
    int number; // 1 .. ExerciseCount: score slot, start-screen label index, screen number
    const char* settingsKey;
    const char* entryControl; // object name of the start-screen entry
    QString menuText;
    QString description;
    const char* screen; // object name of the exercise screen
    QString title;
    QString taskFile; // below the program directory, with its leading separator
    TaskLayout tasks; // what the lines of the task file hold
    QString helpPage; // file name inside the folder "Hilfe"
    ExerciseKind kind;
    Captions captions;

    // The answers of a task: every line after the prompt.
    int answers() const { return tasks.lines - 1; }
};

// The fixed table of the exercises in catalogue order; k runs from 1 to ExerciseCount.
const Exercise& exercise(int k);
// Its menu text, " - schwierige Aufgaben" added for a practice round; the bare number for one
// outside the catalogue, as a journal from elsewhere may hold.
QString exerciseName(int k, bool practiceRound = false);

// The exercise that reads the task file of this name (without a folder), or 0.
int exerciseForTaskFile(const QString& fileName);

// Where exercise k reads its tasks: the program directory followed directly by the file name.
QString taskFilePath(const QString& programDirectory, int k);

// "Versionsnummer: 1.1" as shown on every screen.
QString versionText();
