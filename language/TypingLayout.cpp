#include "language/TypingLayout.h"

#include "language/LineBreaks.h"

namespace TypingLayout {

const Size* sizeFor(const QString& text)
{
    for (const Size& size : Sizes) {
        // Too many characters never fit; the cheap test first, for texts of any length.
        if (text.size() <= qsizetype { size.columns } * size.lines
            && LineBreaks::lineStarts(text, size.columns).size() < size.lines)
            return &size;
    }
    return nullptr;
}

} // namespace TypingLayout
