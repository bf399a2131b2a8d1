#pragma once

#include <QList>
#include <QString>

// Line breaks of a text shown in a fixed-pitch font, shared by the model text and the typed line
// below it so that each typed character keeps the column of the character it copies.
namespace LineBreaks {

// Start index of every line after the first. A line holds at most `columns` characters and
// ends after a space where it can; a word longer than a line is cut. A space that ends a line
// keeps its column, so the typing mark can stand under it. `columns` below 1 counts as 1.
QList<qsizetype> lineStarts(const QString& text, int columns);

// The text with a line feed before every start that lies inside it; `starts` ascend. The typing
// mark stands at index typed.size() of a typed line, so it moves to the next line together with the
// model.
QString apply(const QString& text, const QList<qsizetype>& starts);

} // namespace LineBreaks
