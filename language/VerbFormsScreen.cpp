#include "language/VerbFormsScreen.h"

#include "ui/Labels.h"
#include "ui/Theme.h"

#include <QLabel>

namespace {
constexpr int Beugungen = 6;
constexpr qreal Points = 12;

constexpr int Margin = 12;
constexpr int FieldsTop = 88;
constexpr int ColumnGap = 16;
constexpr int FieldHeight = 28;
constexpr int CaptionHeight = 18;

// A field's caption: which of Label10(0) .. Label10(N-1) names field j, and its text.
struct Caption
{
    int index;
    const char* text;
};

// Fields 1 .. 6: ich, du, er/sie/es, wir, ihr, sie.
constexpr Caption Persons[]
    = { { 1, "ich" }, { 2, "du" }, { 0, "er/sie/es" }, { 3, "wir" }, { 4, "ihr" }, { 5, "sie" } };
// Fields 1 .. 5: Zukunft, vollendete Zukunft, vollendete Gegenwart, Vergangenheit, vollendete
// Vergangenheit.
constexpr Caption Tenses[] = { { 1, "Zukunft:" }, { 2, "vollendete Zukunft:" },
    { 0, "vollendete Gegenwart:" }, { 3, "Vergangenheit:" }, { 4, "vollendete Vergangenheit:" } };

QLabel* captionLabel(QWidget* parent, const QString& name, const QString& text)
{
    QLabel* label = namedLabel(parent, name, text);
    label->setFont(Theme::uiFont(10, true));
    Theme::setTextColour(label, Theme::Black);
    return label;
}
} // namespace

VerbFormsScreen::VerbFormsScreen(int k, ProgramState& state, Platform& platform, QWidget* parent)
    : LetterFieldsScreen(k, k == Beugungen ? 6 : 5, state, platform, parent)
{
    // Zeitformen's answers run to about thirty characters: the fields take the whole width below
    // the time-limit box, the prompt and the pictures the room left of it.
    setTaskArea({ Margin, 44, width() - 2 * Margin, 244 });
    movePictures({ 384, 60 });
    QWidget* area = taskArea();
    const int column = (area->width() - ColumnGap) / 2;

    QList<QLabel*> fields;
    const bool persons = k == Beugungen;
    for (int j = 1; j <= exercise().fields(); ++j) {
        QLabel* field = fixedLabel(area, QStringLiteral("lblEingabe(%1)").arg(j),
            j == 1 ? QStringLiteral("_") : QString(), Points);
        Theme::makeEntryBox(field);
        field->setIndent(4);
        const Caption& caption = persons ? Persons[j - 1] : Tenses[j - 1];
        QLabel* label = captionLabel(area, QStringLiteral("Label10(%1)").arg(caption.index),
            QString::fromUtf8(caption.text));
        // Beugungen: fields 1-3 left, 4-6 right, the person left of its field. Zeitformen: fields
        // 1-2 left, 3-5 right, the tense above its field.
        const int split = persons ? 3 : 2;
        const int left = j <= split ? 0 : column + ColumnGap;
        const int row = j <= split ? j - 1 : j - split - 1;
        if (persons) {
            constexpr int LabelWidth = 80;
            const int top = FieldsTop + 8 + row * (FieldHeight + 14);
            label->setGeometry(left, top, LabelWidth, FieldHeight);
            field->setGeometry(left + LabelWidth, top, column - LabelWidth, FieldHeight);
        } else {
            const int top = FieldsTop + row * (CaptionHeight + FieldHeight + 6);
            label->setGeometry(left, top, column, CaptionHeight);
            field->setGeometry(left, top + CaptionHeight, column, FieldHeight);
        }
        fields.append(field);
    }
    setFieldLabels(fields);

    m_vorgabe = fixedLabel(area, QStringLiteral("lblVorgabe"),
        persons ? QString() : QStringLiteral("ich laufe"), Points);
    QFont bold = m_vorgabe->font();
    bold.setBold(true);
    m_vorgabe->setFont(bold);
    // Two lines, for a long phrase to wrap into.
    m_vorgabe->setWordWrap(true);
    if (persons) {
        m_vorgabe->setGeometry(0, 10, 360, 2 * FieldHeight);
        m_vorgabe->setAlignment(Qt::AlignCenter);
    } else {
        QLabel* present
            = captionLabel(area, QStringLiteral("Label9"), QStringLiteral("Gegenwart:"));
        present->setGeometry(0, 10, 90, 2 * FieldHeight);
        m_vorgabe->setGeometry(90, 10, 270, 2 * FieldHeight);
        m_vorgabe->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
}

void VerbFormsScreen::showPrompt()
{
    m_vorgabe->setText(exercise().prompt());
}
