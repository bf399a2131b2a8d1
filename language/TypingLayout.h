#pragma once

#include <QString>
#include <array>

// The sizes of the typing exercise's text and what its box holds at each: columns and lines of
// Courier New (or Liberation Mono, its metric twin) in the 388 × 84 px label with its 4 px
// margins. A text too long for the box at the first size is shown at the next one that holds
// it whole.
namespace TypingLayout {

struct Size
{
    qreal points;
    int columns;
    int lines;
};

inline constexpr std::array<Size, 5> Sizes { {
    { 12, 39, 4 },
    { 11, 42, 4 },
    { 10, 48, 5 },
    { 9, 52, 5 },
    { 8, 57, 5 },
} };

// The largest size at which the text fits the box whole, with the line breaks of LineBreaks,
// or nullptr when it fits at none.
const Size* sizeFor(const QString& text);

} // namespace TypingLayout
