#include "core/TaskLayout.h"

#include "core/Windows1252.h"

#include <array>
#include <cmath>

namespace {
// Every character of the task font is 0.6 em wide, its lines about 1.13 em apart; at 96 dots
// per inch a point is 4/3 pixels. A pixel more per line for the rounding of ascent and descent.
constexpr qreal Advance = 0.6;
constexpr qreal LineSpacing = 1.1328;
constexpr qreal PixelsPerPoint = 4.0 / 3.0;

bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}
} // namespace

bool TaskLayout::typed(int j) const
{
    switch (content) {
    case Content::TypingText:
        return j == 1;
    case Content::PuzzleWord:
        return false;
    case Content::FillIn:
    case Content::Arithmetic:
        return j == 2;
    case Content::Answers:
        return j >= 2;
    }
    return false;
}

bool TaskLayout::shown(int j) const
{
    // The fill-in field shows the text before and after the gap, not the missing letters.
    return content == Content::FillIn ? j != 2 : j == 1;
}

QString TaskLayout::shownText(const QStringList& task) const
{
    QString text;
    for (int j = 1; j <= task.size(); ++j) {
        if (shown(j))
            text += task[j - 1];
    }
    return text;
}

TaskLayout::Problem TaskLayout::problem(int j, const QString& line) const
{
    // Only the text around a gap may be missing: a gap at the start or end of a sentence.
    const bool mayBeEmpty = content == Content::FillIn && j != 2;
    if (line.isEmpty() && !mayBeEmpty)
        return Problem::Empty;
    if (maxLetters > 0 && line.size() > maxLetters)
        return Problem::TooLong;
    for (qsizetype i = 0; i < line.size(); ++i) {
        char32_t c = line[i].unicode();
        if (line[i].isHighSurrogate() && i + 1 < line.size() && line[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(line[i], line[i + 1]);
            ++i;
        }
        if (!allows(j, c))
            return Problem::Untypeable;
    }
    if (Windows1252::misread(line).at >= 0)
        return Problem::Untypeable;
    return Problem::None;
}

bool TaskLayout::allows(int j, char32_t c) const
{
    if (typed(j))
        return onGermanKeyboard(c);
    // A lone surrogate is no character either.
    return !isControl(c) && c != 0xFFFD && !(c >= 0xD800 && c < 0xE000);
}

TaskLayout::Flaw TaskLayout::flaw(const QStringList& task, const Fits& fits) const
{
    for (int j = 1; j <= task.size(); ++j) {
        if (const Problem found = problem(j, task[j - 1]); found != Problem::None)
            return { j, found };
    }
    if (const int line = fits ? fits(task) : 0; line > 0)
        return { line, Problem::TooLong };
    return {};
}

bool onGermanKeyboard(char32_t c)
{
    // Every key of the keyboard types a character below U+0100; looked up, not searched, as
    // every character of a task file passes here.
    static const std::array<bool, 0x100> keys = [] {
        std::array<bool, 0x100> table {};
        for (const QChar key : QStringLiteral(
                 "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ\u00E4\u00F6\u00FC\u00C4"
                 "\u00D6\u00DC\u00DF0123456789 !\"\u00A7$%&/()=?`\u00B4+*#'<>,;.:-_^\u00B0"))
            table[key.unicode()] = true;
        return table;
    }();
    return c < keys.size() && keys[c];
}

int taskFontColumns(int pixels, qreal points)
{
    return static_cast<int>(std::floor(pixels / (Advance * points * PixelsPerPoint)));
}

int taskFontLines(int pixels, qreal points)
{
    return static_cast<int>(
        std::floor(pixels / std::ceil(LineSpacing * points * PixelsPerPoint + 1)));
}
