#include "language/TypingScreen.h"

#include "core/ExerciseCatalogue.h"
#include "language/LineBreaks.h"
#include "language/TypingLayout.h"
#include "platform/Platform.h"
#include "ui/Accessibility.h"
#include "ui/Labels.h"
#include "ui/Theme.h"

#include <QGroupBox>
#include <QLabel>

namespace {
constexpr int BoxHeight = 118;
constexpr int BoxGap = 8;
constexpr int LineMargin = 4;
const QRect LineGeometry { 10, 24, 388, 84 };

QGroupBox* textBox(QWidget* parent, const char* name, const QString& caption, int top)
{
    return namedFrame(parent, name, caption, { 0, top, parent->width(), BoxHeight });
}

// Model and typed line share everything that decides where a character is drawn; only the
// border and the background differ, and the model label makes up for the border by margins.
QLabel* textLine(QGroupBox* box, const char* name, const QString& text)
{
    QLabel* label = namedLabel(box, name, text);
    label->setGeometry(LineGeometry);
    label->setFont(Theme::fixedFont(TypingLayout::Sizes.front().points));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(false);
    label->setIndent(0);
    label->setMargin(LineMargin);
    Theme::setTextColour(label, Theme::Black);
    return label;
}
} // namespace

TypingScreen::TypingScreen(
    const Exercise& row, ProgramState& state, Platform& platform, QWidget* parent)
    : ExerciseScreen(row, state, platform, ErrorDisplay::Shown, parent)
    , m_typing(row.number, state, platform.clock, platform.random, taskLoader())
{
    QGroupBox* model = textBox(taskArea(), "fraVorgabe", row.captions.prompt, 0);
    QGroupBox* typed = textBox(taskArea(), "fraEingabe", row.captions.entry, BoxHeight + BoxGap);

    m_eingabe = textLine(typed, "lblEingabe", QStringLiteral("_"));
    Theme::makeEntryBox(m_eingabe);

    m_vorgabe = textLine(model, "lblVorgabe", QStringLiteral("Vorgabetext"));
    const int border = m_eingabe->frameWidth();
    m_vorgabe->setContentsMargins(border, border, border, border);
    Accessibility::readWithCaption(m_vorgabe, row.captions.prompt, QStringLiteral(": "));
    Accessibility::readWithCaption(m_eingabe, row.captions.entry, QStringLiteral(": "));
}

QString TypingScreen::loadExercise()
{
    if (QString error = m_typing.start(); !error.isEmpty())
        return error;
    showText();
    return {};
}

void TypingScreen::showText()
{
    // Every text was checked at loading.
    const TypingLayout::Size* size = TypingLayout::sizeFor(m_typing.text());
    const TypingLayout::Size fitting = size ? *size : TypingLayout::Sizes.back();
    m_vorgabe->setFont(Theme::fixedFont(fitting.points));
    m_eingabe->setFont(m_vorgabe->font());
    m_lineStarts = LineBreaks::lineStarts(m_typing.text(), fitting.columns);
    m_vorgabe->setText(LineBreaks::apply(m_typing.text(), m_lineStarts));
    Theme::setTextColour(m_eingabe, Theme::Black);
    m_eingabe->setText(typedLine());
    panel().setTaskNumber(m_typing.taskNumber());
}

QString TypingScreen::typedLine() const
{
    return LineBreaks::apply(m_typing.entry().line(), m_lineStarts);
}

void TypingScreen::keyPressed(QChar c)
{
    const TaskStep step = m_typing.press(c);
    showEntry(m_eingabe, m_typing.entry(), typedLine());
    showStep(step);
    if (step.finished && goOn([this] { return m_typing.next(); }))
        showText();
}
