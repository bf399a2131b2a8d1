#include "arithmetic/ArithmeticScreen.h"

#include "core/ExerciseCatalogue.h"
#include "platform/Platform.h"
#include "ui/Accessibility.h"
#include "ui/Labels.h"
#include "ui/Theme.h"

#include <QGroupBox>
#include <QLabel>
#include <QTimer>

namespace {
// Long chains shrink before they wrap; long answers before they scroll.
constexpr qreal TaskPoints = ArithmeticExercise::TextPoints;
constexpr qreal SmallestTaskPoints = ArithmeticExercise::SmallestTextPoints;
constexpr int Left = 16;
constexpr int Width = 376;
// The answer stands in a bordered box; the question keeps the same left edge.
constexpr int TextIndent = 8;
static_assert(Width == ArithmeticExercise::TextWidth + 2 * (TextIndent + 1));

QLabel* taskLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    QLabel* label = namedLabel(parent, name, text);
    label->setGeometry(geometry);
    return label;
}

void showFitting(QLabel* label, const QString& text)
{
    label->setFont(fittingFont(label, text, Theme::fixedFont(TaskPoints), SmallestTaskPoints));
    label->setText(text);
}
} // namespace

ArithmeticScreen::ArithmeticScreen(
    const Exercise& row, ProgramState& state, Platform& platform, QWidget* parent)
    : ExerciseScreen(row, state, platform, ErrorDisplay::Shown, parent)
    , m_exercise(row.number, state, platform.clock, platform.random, taskLoader())
{
    QGroupBox* frame = namedFrame(taskArea(), "fraEingabe", {}, taskArea()->rect());

    QLabel* instruction = taskLabel(
        frame, "Label9", row.captions.instruction, QRect(Left + TextIndent + 1, 24, Width, 28));
    instruction->setFont(Theme::uiFont(13, true));

    m_vorgabe
        = taskLabel(frame, "lblVorgabe", QStringLiteral("Vorgabetext"), QRect(Left, 68, Width, 56));
    m_vorgabe->setFont(Theme::fixedFont(TaskPoints));
    m_vorgabe->setIndent(TextIndent + 1);
    m_vorgabe->setWordWrap(true);

    m_eingabe = taskLabel(frame, "lblEingabe", QStringLiteral("_"), QRect(Left, 140, Width, 48));
    m_eingabe->setFont(Theme::fixedFont(TaskPoints));
    m_eingabe->setIndent(TextIndent);
    Theme::makeEntryBox(m_eingabe);
    Accessibility::readWithCaption(m_vorgabe, QStringLiteral("Aufgabe"), QStringLiteral(": "));
    Accessibility::readWithCaption(m_eingabe, QStringLiteral("Eingabe"), QStringLiteral(": "));

    m_timer2 = addTimer("Timer2");
    connect(m_timer2, &QTimer::timeout, this, &ArithmeticScreen::pauseEnded);
}

QString ArithmeticScreen::loadExercise()
{
    if (QString error = m_exercise.start(); !error.isEmpty())
        return error;
    showTask();
    return {};
}

void ArithmeticScreen::keyPressed(QChar c)
{
    const TaskStep step = m_exercise.press(c);
    if (!step.taken)
        return;
    showEntry(m_eingabe, m_exercise.entry(), fittingTail(m_eingabe, m_exercise.entry().line()));
    showStep(step);
    if (step.pause > 0)
        m_timer2->start(step.pause);
}

void ArithmeticScreen::pauseEnded()
{
    m_timer2->stop();
    const bool next = goOn([this] {
        showFeedback(TaskStep::Picture::None);
        panel().setErrorHint({});
        return m_exercise.next();
    });
    if (next)
        showTask();
}

void ArithmeticScreen::showTask()
{
    showFitting(m_vorgabe, m_exercise.question());
    // The font that fits the whole answer stays for the task; a longer one scrolls.
    const QString whole = m_exercise.entry().answer() + QLatin1Char('_');
    m_eingabe->setFont(
        fittingFont(m_eingabe, whole, Theme::fixedFont(TaskPoints), SmallestTaskPoints));
    m_eingabe->setText(m_exercise.entry().line());
    // An empty answer is solved by a wrong key, which left the line red.
    Theme::setTextColour(m_eingabe, Theme::Black);
    panel().setTaskNumber(m_exercise.taskNumber());
}
