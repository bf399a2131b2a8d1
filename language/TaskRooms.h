#pragma once

#include "core/TaskLayout.h"

#include <QList>
#include <QString>

struct Exercise;

// The places the language screens give the lines of a task, measured without a display in
// characters of the fixed-pitch task font. The screens lay themselves out by the same numbers.
namespace TaskRooms {

// taskFontColumns and taskFontLines.
int columns(int pixels, qreal points);
int lines(int pixels, qreal points);
// Whether the text, broken at blanks, fits `columns` × `lines`.
bool fitsWrapped(const QString& text, int columns, int lines);

// Beugungen and Zeitformen: the prompt above the answer fields, each field with its caption.
struct VerbForms
{
    int promptLeft;
    int promptWidth;
    bool captionsBeside; // short captions left of their fields, long ones above
    int fieldWidth; // inside the field's border and indent
};
inline constexpr int VerbFormsWidth = 616;
inline constexpr int VerbFormsColumnGap = 16;
inline constexpr int VerbFormsCaptionWidth = 80;
inline constexpr int VerbFormsPromptLines = 2;
VerbForms verbForms(const Exercise& row);

// Answer fields shrink down to this size before an answer counts as too long for them.
inline constexpr qreal SmallestPoints = 8;
inline constexpr qreal FieldPoints = 12;

// Verkleinerungen and Wortraten: the prompt wraps in its frame and shrinks; the answer field
// below it.
inline constexpr int FramedPromptWidth = 388;
inline constexpr int FramedPromptHeight = 94;
inline constexpr int FramedEntryWidth = 386; // inside the field's border
// Wortpaare: prompt and answer on one row, the prompt wrapping where it must.
inline constexpr int PairRowWidth = 384;
inline constexpr int PairRowHeight = 100;
inline constexpr qreal PairPoints = 15.75;

// Exercise k's places: the first line of a task that does not fit even at the smallest size
// its screen shows it. Empty for an exercise whose lines have no place of their own.
TaskLayout::Fits fits(int k);

// A line that fits only at a smaller size than usual, or stands where a child may miss it.
struct Tight
{
    int line; // 1-based, within the task
    QString message;
};
QList<Tight> tight(int k, const QStringList& task);

} // namespace TaskRooms
