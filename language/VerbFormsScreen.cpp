#include "language/VerbFormsScreen.h"

#include "core/ExerciseCatalogue.h"
#include "language/TaskRooms.h"
#include "ui/Accessibility.h"
#include "ui/Labels.h"
#include "ui/Theme.h"

#include <QLabel>

namespace {
constexpr int Margin = 12;
constexpr int FieldsTop = 88;
constexpr int FieldHeight = 28;
constexpr int CaptionHeight = 18;

// Field j's label is Label10(0) for the third field, and Label10(j) or Label10(j - 1) in order
// around it.
int captionIndex(int j)
{
    return j < 3 ? j : j == 3 ? 0 : j - 1;
}

QLabel* captionLabel(QWidget* parent, const QString& name, const QString& text)
{
    QLabel* label = namedLabel(parent, name, text);
    label->setFont(Theme::uiFont(10, true));
    Theme::setTextColour(label, Theme::Black);
    return label;
}
} // namespace

VerbFormsScreen::VerbFormsScreen(
    const Exercise& row, ProgramState& state, Platform& platform, QWidget* parent)
    : LetterFieldsScreen(row, state, platform, parent)
{
    // Zeitformen's answers run to about thirty characters: the fields take the whole width below
    // the time-limit box, the prompt and the pictures the room left of it.
    setTaskArea({ Margin, 44, TaskRooms::VerbFormsWidth, 244 });
    QWidget* area = taskArea();
    const TaskRooms::VerbForms room = TaskRooms::verbForms(row);
    // Left of the prompt, which stands in the middle, or right of it.
    movePictures(room.captionsBeside ? QPoint { Margin + 24, 60 } : QPoint { 384, 60 });
    const int column = (area->width() - TaskRooms::VerbFormsColumnGap) / 2;
    const int fields = exercise().fields();
    const bool beside = room.captionsBeside;
    constexpr int LabelWidth = TaskRooms::VerbFormsCaptionWidth;

    QList<QLabel*> labels;
    for (int j = 1; j <= fields; ++j) {
        QLabel* field = fixedLabel(area, QStringLiteral("lblEingabe(%1)").arg(j),
            j == 1 ? QStringLiteral("_") : QString(), TaskRooms::FieldPoints);
        Theme::makeEntryBox(field);
        field->setIndent(4);
        QLabel* label = captionLabel(area, QStringLiteral("Label10(%1)").arg(captionIndex(j)),
            row.captions.fields.value(j - 1));
        // The first half of the fields in the left column, the rest in the right one.
        const int split = fields / 2;
        const int left = j <= split ? 0 : column + TaskRooms::VerbFormsColumnGap;
        const int line = j <= split ? j - 1 : j - split - 1;
        if (beside) {
            const int top = FieldsTop + 8 + line * (FieldHeight + 14);
            label->setGeometry(left, top, LabelWidth, FieldHeight);
            field->setGeometry(left + LabelWidth, top, column - LabelWidth, FieldHeight);
        } else {
            const int top = FieldsTop + line * (CaptionHeight + FieldHeight + 6);
            label->setGeometry(left, top, column, CaptionHeight);
            field->setGeometry(left, top + CaptionHeight, column, FieldHeight);
        }
        labels.append(field);
        Accessibility::readWithCaption(field, label->text(), QStringLiteral(": "));
    }
    setFieldLabels(labels, TaskRooms::FieldPoints);

    m_vorgabe = fixedLabel(area, QStringLiteral("lblVorgabe"), QString(), TaskRooms::FieldPoints);
    QFont bold = m_vorgabe->font();
    bold.setBold(true);
    m_vorgabe->setFont(bold);
    // Two lines, for a long phrase to wrap into.
    m_vorgabe->setWordWrap(true);
    m_vorgabe->setGeometry(room.promptLeft, 10, room.promptWidth, 2 * FieldHeight);
    Accessibility::readWithCaption(m_vorgabe,
        row.captions.prompt.isEmpty() ? QStringLiteral("Vorgabe") : row.captions.prompt,
        QStringLiteral(": "));
    if (row.captions.prompt.isEmpty()) {
        m_vorgabe->setAlignment(Qt::AlignCenter);
    } else {
        QLabel* caption = captionLabel(area, QStringLiteral("Label9"), row.captions.prompt);
        caption->setGeometry(0, 10, room.promptLeft, 2 * FieldHeight);
        m_vorgabe->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
}

void VerbFormsScreen::showPrompt()
{
    m_vorgabe->setText(exercise().prompt());
}
