#include "language/SingleAnswerScreen.h"

#include "core/ExerciseCatalogue.h"
#include "language/TaskRooms.h"
#include "ui/Accessibility.h"
#include "ui/Labels.h"
#include "ui/Theme.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <functional>

namespace {
// The places --check measures the lines of a task against.
constexpr qreal PromptPoints = TaskRooms::FieldPoints;
constexpr qreal SmallestPromptPoints = TaskRooms::SmallestPoints;
using TaskRooms::PairPoints;

// The largest size from `points` down to the smallest at which the text fits.
QFont largestFitting(qreal points, const std::function<bool(const QFontMetrics&)>& fits)
{
    QFont font = Theme::fixedFont(points);
    while (font.pointSizeF() > SmallestPromptPoints && !fits(QFontMetrics(font)))
        font.setPointSizeF(font.pointSizeF() - 1);
    return font;
}

int wrappedHeight(const QFontMetrics& metrics, int width, const QString& text)
{
    return metrics.boundingRect(QRect(0, 0, width, 10000), Qt::TextWordWrap, text).height();
}

// Wortpaare's line: prompt and typed word side by side, centred in a row of the given size; the
// typed word has the room of the answer, the blank before it and the typing mark. A prompt that
// leaves too little room wraps, keeping at least half the row.
struct PairLine
{
    QRect prompt;
    QRect typed;
    int blank;
};

PairLine pairLine(
    const QFontMetrics& metrics, const QString& prompt, const QString& answer, const QRect& row)
{
    PairLine line;
    line.blank = metrics.horizontalAdvance(QLatin1Char(' '));
    const int typed = line.blank + metrics.horizontalAdvance(answer + QLatin1Char('_')) + 2;
    const int width = std::min(
        metrics.horizontalAdvance(prompt) + 2, std::max(row.width() - typed, row.width() / 2));
    const int height = std::max(wrappedHeight(metrics, width, prompt), metrics.lineSpacing()) + 4;
    const int left = row.left() + std::max(0, (row.width() - width - typed) / 2);
    line.prompt = QRect(left, row.top(), width, height);
    line.typed = QRect(left + width, row.top(), row.right() + 1 - (left + width), height);
    return line;
}
} // namespace

SingleAnswerScreen::SingleAnswerScreen(
    const Exercise& row, ProgramState& state, Platform& platform, QWidget* parent)
    : LetterFieldsScreen(row, state, platform, parent)
    , m_pair(!row.captions.instruction.isEmpty())
{
    if (m_pair)
        buildPair(row.captions.instruction);
    else
        buildFramed(row.captions.prompt, row.captions.entry);
    const bool captioned = !m_pair && !row.captions.prompt.isEmpty();
    Accessibility::readWithCaption(m_vorgabe,
        captioned ? row.captions.prompt : QStringLiteral("Vorgabe"), QStringLiteral(": "));
    Accessibility::readWithCaption(m_eingabe,
        captioned ? row.captions.entry : QStringLiteral("Eingabe"), QStringLiteral(": "));
    // The answer of a pair shrinks with its prompt.
    setFieldLabels({ m_eingabe }, m_pair ? 0 : PromptPoints);
}

void SingleAnswerScreen::buildFramed(const QString& promptCaption, const QString& entryCaption)
{
    const int width = taskArea()->width();
    QGroupBox* prompt = namedFrame(taskArea(), "fraVorgabe", promptCaption, { 0, 0, width, 124 });
    m_vorgabe = fixedLabel(
        prompt, QStringLiteral("lblVorgabe"), QStringLiteral("Vorgabetext"), PromptPoints);
    m_vorgabe->setGeometry(10, 22, TaskRooms::FramedPromptWidth, TaskRooms::FramedPromptHeight);
    m_vorgabe->setAlignment(Qt::AlignCenter);
    m_vorgabe->setWordWrap(true);

    QGroupBox* entry = namedFrame(taskArea(), "fraEingabe", entryCaption, { 0, 134, width, 76 });
    m_eingabe = fixedLabel(entry, QStringLiteral("lblEingabe"), QStringLiteral("_"), PromptPoints);
    m_eingabe->setGeometry(10, 28, width - 20, 34);
    m_eingabe->setAlignment(Qt::AlignCenter);
    Theme::makeEntryBox(m_eingabe);
}

void SingleAnswerScreen::buildPair(const QString& instructionText)
{
    const int width = taskArea()->width();
    QGroupBox* box = namedFrame(taskArea(), "fraEingabe", {}, { 0, 0, width, 180 });
    QLabel* instruction = namedLabel(box, "Label9", instructionText);
    instruction->setFont(Theme::uiFont(13, true));
    Theme::setTextColour(instruction, Theme::Black);
    instruction->setGeometry(16, 24, width - 32, 28);

    // Prompt and typed word stand on one line; a prompt that wraps keeps the typed word on its
    // last line, both being aligned to the bottom of the same height.
    m_vorgabe
        = fixedLabel(box, QStringLiteral("lblVorgabe"), QStringLiteral("Vorgabetext"), PairPoints);
    m_vorgabe->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    m_vorgabe->setWordWrap(true);
    m_eingabe = fixedLabel(box, QStringLiteral("lblEingabe"), QStringLiteral("_"), PairPoints);
    m_eingabe->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    placePair();
}

void SingleAnswerScreen::showPrompt()
{
    const QString prompt = exercise().prompt();
    if (!m_pair) {
        // A riddle too long for its frame shrinks rather than lose its last lines.
        const QRect room = m_vorgabe->contentsRect();
        m_vorgabe->setFont(largestFitting(PromptPoints, [&](const QFontMetrics& metrics) {
            return wrappedHeight(metrics, room.width(), prompt) <= room.height();
        }));
        m_vorgabe->setText(prompt);
        return;
    }
    m_vorgabe->setText(prompt);
    placePair();
}

// A prompt too long for the frame shrinks, so that the typed word stays in sight.
void SingleAnswerScreen::placePair()
{
    const QRect row(12, 72, TaskRooms::PairRowWidth, TaskRooms::PairRowHeight);
    const QString answer = exercise().answer(1);
    const QFont font = largestFitting(PairPoints, [&](const QFontMetrics& metrics) {
        return pairLine(metrics, m_vorgabe->text(), answer, row).prompt.height() <= row.height();
    });
    const PairLine line = pairLine(QFontMetrics(font), m_vorgabe->text(), answer, row);
    m_vorgabe->setFont(font);
    m_vorgabe->setGeometry(line.prompt);
    m_eingabe->setFont(font);
    m_eingabe->setContentsMargins(line.blank, 0, 0, 0);
    m_eingabe->setGeometry(line.typed);
}
