#pragma once

#include <QString>

// What the lines of one exercise's task file hold: declared once in the catalogue, read by the
// exercises and by the check of a teacher's task file alike.
struct TaskLayout
{
    enum class Content
    {
        TypingText, // one text per line, typed as it stands
        PuzzleWord, // one word per line, laid out as letter tiles
        FillIn, // the text before a gap, the missing letters, the text after the gap
        Answers, // a prompt, then its answers, each typed letter by letter
        Arithmetic, // a question, then its result, typed letter by letter
    };

    // What keeps the program from using a line.
    enum class Problem
    {
        None,
        Empty, // an empty line where a text, word, prompt or answer is required
        TooLong, // more than maxLetters characters
    };

    Content content;
    int lines; // lines of the task file that make up one task
    int maxLetters = 0; // 0: no limit of the layout's own

    // Line j (1-based) of a task is typed by the child, key by key or into the fill-in field.
    bool typed(int j) const;
    // Line j belongs to what the child is shown as the task; tasks that show the same are
    // repeats.
    bool shown(int j) const;
    Problem problem(int j, const QString& line) const;
};

// The word puzzle has ten tiles and ten boxes.
inline constexpr int PuzzleLetters = 10;

// What a German keyboard types without AltGr: letters with umlauts and ß, digits, the blank
// and the printable characters of the digit and letter keys and their Shift level (the
// straight " on Shift+2, not „ or “).
bool onGermanKeyboard(char32_t c);
