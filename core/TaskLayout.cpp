#include "core/TaskLayout.h"

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

TaskLayout::Problem TaskLayout::problem(int j, const QString& line) const
{
    // Only the text around a gap may be missing: a gap at the start or end of a sentence.
    const bool mayBeEmpty = content == Content::FillIn && j != 2;
    if (line.isEmpty() && !mayBeEmpty)
        return Problem::Empty;
    if (maxLetters > 0 && line.size() > maxLetters)
        return Problem::TooLong;
    return Problem::None;
}

bool onGermanKeyboard(char32_t c)
{
    static const QString keys = QStringLiteral(
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ\u00E4\u00F6\u00FC\u00C4\u00D6\u00DC"
        "\u00DF0123456789 !\"\u00A7$%&/()=?`\u00B4+*#'<>,;.:-_^\u00B0");
    return c < 0x10000 && keys.contains(QChar(static_cast<char16_t>(c)));
}
