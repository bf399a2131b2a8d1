#pragma once

#include <QString>
#include <QStringList>
#include <functional>

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

    // What keeps the program from using a line; a task with such a line is left out.
    enum class Problem
    {
        None,
        Empty, // an empty line where a text, word, prompt or answer is required
        // A typed line with a character no key of a German keyboard types; any line with a
        // control character, a character the file's encoding did not hold (U+FFFD) or one
        // saved in another encoding than the rest ("weiÃŸ").
        Untypeable,
        TooLong, // more than maxLetters characters, or more than its place on the screen holds
    };

    // The first line (1-based) of a task that its screen has no room for, or 0. Measured
    // without a display, in the characters of the fixed-pitch task font.
    using Fits = std::function<int(const QStringList& task)>;

    struct Flaw
    {
        int line = 0; // 1-based; 0 for a usable task
        Problem problem = Problem::None;
    };

    Content content;
    int lines; // lines of the task file that make up one task
    int maxLetters = 0; // 0: no limit of the layout's own

    // Line j (1-based) of a task is typed by the child, key by key or into the fill-in field.
    bool typed(int j) const;
    // Line j belongs to what the child is shown as the task; tasks that show the same are
    // repeats.
    bool shown(int j) const;
    // The task as the child sees it: its shown lines, joined. The journal keeps a task under
    // this text, and a practice round finds it again in the task file by it.
    QString shownText(const QStringList& task) const;
    // Whether c may stand in line j: typed lines hold only what the keyboard types.
    bool allows(int j, char32_t c) const;
    Problem problem(int j, const QString& line) const;
    // The first line of the task that keeps it from being used. One rule for the exercises,
    // which leave such a task out, and the check of a teacher's file, which reports it.
    Flaw flaw(const QStringList& task, const Fits& fits = {}) const;
};

// The word puzzle has ten tiles and ten boxes.
inline constexpr int PuzzleLetters = 10;

// What a German keyboard types without AltGr: letters with umlauts and ß, digits, the blank
// and the printable characters of the digit and letter keys and their Shift level (the
// straight " on Shift+2, not „ or “).
bool onGermanKeyboard(char32_t c);

// The fixed-pitch task font (Courier New, or Liberation Mono, its metric twin) measured without
// a display: characters at `points` that fill `pixels` across, and lines that fill them down.
int taskFontColumns(int pixels, qreal points);
int taskFontLines(int pixels, qreal points);
