#include "language/TaskRooms.h"

#include "core/ExerciseCatalogue.h"
#include "language/FillIn.h"
#include "language/LineBreaks.h"
#include "language/TypingLayout.h"

namespace {
// The fill-in solution display: the field's width, border and indent.
constexpr qreal FillInPoints = 14.25;
constexpr int FillInMargin = 10;

int typingFits(const QStringList& task)
{
    return TypingLayout::sizeFor(task.value(0)) ? 0 : 1;
}

int framedFits(const QStringList& task)
{
    using namespace TaskRooms;
    if (!fitsWrapped(task.value(0), columns(FramedPromptWidth, SmallestPoints),
            lines(FramedPromptHeight, SmallestPoints)))
        return 1;
    return task.value(1).size() + 1 > columns(FramedEntryWidth, SmallestPoints) ? 2 : 0;
}

// The answer and its typing mark keep at least half the row, the prompt the rest.
int pairFits(const QStringList& task)
{
    using namespace TaskRooms;
    const int half = columns(PairRowWidth / 2 - 2, SmallestPoints);
    if (task.value(1).size() + 2 > half)
        return 2;
    return fitsWrapped(task.value(0), half, lines(PairRowHeight, SmallestPoints)) ? 0 : 1;
}

int fillInColumns(qreal points)
{
    // The field is as wide as its characters at the usual size.
    const int field = static_cast<int>(FillIn::TextColumns * 0.8 * FillInPoints);
    return TaskRooms::columns(field + FillInMargin, points);
}

int fillInFits(const QStringList& task)
{
    return task.join(QString()).size() > fillInColumns(TaskRooms::SmallestPoints) ? 1 : 0;
}

TaskLayout::Fits verbFormsFits(int k)
{
    const TaskRooms::VerbForms room = TaskRooms::verbForms(exercise(k));
    return [room](const QStringList& task) {
        using namespace TaskRooms;
        if (!fitsWrapped(
                task.value(0), columns(room.promptWidth, FieldPoints), VerbFormsPromptLines))
            return 1;
        const int field = columns(room.fieldWidth, SmallestPoints);
        for (int j = 2; j <= task.size(); ++j) {
            if (task[j - 1].size() + 1 > field)
                return j;
        }
        return 0;
    };
}

QString smaller(const QString& answer)
{
    return QStringLiteral("„%1“ passt nicht ganz in sein Feld und wird kleiner geschrieben.")
        .arg(answer.size() > 40 ? answer.first(37) + QStringLiteral("...") : answer);
}
} // namespace

namespace TaskRooms {

int columns(int pixels, qreal points)
{
    return taskFontColumns(pixels, points);
}

int lines(int pixels, qreal points)
{
    return taskFontLines(pixels, points);
}

bool fitsWrapped(const QString& text, int columns, int lines)
{
    // The cheap test first, for texts of any length.
    if (text.size() > qsizetype { columns } * lines)
        return false;
    return LineBreaks::lineStarts(text, columns).size() < lines;
}

VerbForms verbForms(const Exercise& row)
{
    const int column = (VerbFormsWidth - VerbFormsColumnGap) / 2;
    // The caption of the field and its border and indent.
    constexpr int FieldMargin = 6;
    // The time-limit box stands right of the prompt from this point.
    constexpr int TimeLimitLeft = 420;
    if (row.captions.prompt.isEmpty()) {
        // The verb alone, centred over both columns and clear of the time-limit box.
        const int centre = VerbFormsWidth / 2;
        const int half = TimeLimitLeft - centre;
        return { centre - half, 2 * half, true, column - VerbFormsCaptionWidth - FieldMargin };
    }
    constexpr int CaptionWidth = 90;
    return { CaptionWidth, 360 - CaptionWidth, false, column - FieldMargin };
}

TaskLayout::Fits fits(int k)
{
    const Exercise& row = exercise(k);
    switch (row.kind) {
    case ExerciseKind::Typing:
        return typingFits;
    case ExerciseKind::FillIn:
        return fillInFits;
    case ExerciseKind::SingleAnswer:
        if (row.captions.instruction.isEmpty())
            return framedFits;
        return pairFits;
    case ExerciseKind::LetterFields:
        return verbFormsFits(k);
    case ExerciseKind::Puzzle:
    case ExerciseKind::Arithmetic:
        break;
    }
    return {};
}

QList<Tight> tight(int k, const QStringList& task)
{
    const Exercise& row = exercise(k);
    QList<Tight> found;
    switch (row.kind) {
    case ExerciseKind::FillIn:
        if (const QString solution = task.join(QString());
            solution.size() > fillInColumns(FillInPoints))
            found.append({ 1,
                QStringLiteral("Die Lösung ist %1 Zeichen lang, die Lösungsanzeige fasst %2; "
                               "sie wird kleiner geschrieben.")
                    .arg(solution.size())
                    .arg(fillInColumns(FillInPoints)) });
        break;
    case ExerciseKind::SingleAnswer:
        if (row.captions.instruction.isEmpty()) {
            if (task.value(1).size() + 1 > columns(FramedEntryWidth, FieldPoints))
                found.append({ 2, smaller(task.value(1)) });
        } else if (task.value(0).size() + task.value(1).size() + 2
            > columns(PairRowWidth - 4, PairPoints)) {
            found.append({ 2,
                QStringLiteral("Vorgabe und Antwort passen nicht in eine Zeile: Die Vorgabe wird "
                               "umbrochen, die Antwort steht hinter ihrer letzten Zeile.") });
        }
        break;
    case ExerciseKind::LetterFields: {
        const int field = columns(verbForms(row).fieldWidth, FieldPoints);
        for (int j = 2; j <= task.size(); ++j) {
            if (task[j - 1].size() + 1 > field)
                found.append({ j, smaller(task[j - 1]) });
        }
        break;
    }
    case ExerciseKind::Typing:
    case ExerciseKind::Puzzle:
    case ExerciseKind::Arithmetic:
        break;
    }
    return found;
}

} // namespace TaskRooms
