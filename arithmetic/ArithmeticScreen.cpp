#include "arithmetic/ArithmeticScreen.h"

#include "app/ExerciseCatalogue.h"
#include "app/ProgramState.h"
#include "app/Theme.h"
#include "platform/Dialogs.h"
#include "platform/Folders.h"
#include "platform/Platform.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QTimer>

namespace {
constexpr int PauseMs = 1000;
constexpr qreal TaskPoints = 20;
// Long chains shrink down to this size before they wrap.
constexpr qreal SmallestTaskPoints = 12;
constexpr int Left = 16;
constexpr int Width = 376;
// The answer stands in a bordered box; the question keeps the same left edge.
constexpr int TextIndent = 8;

QLabel* taskLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    return label;
}

void showFitting(QLabel* label, const QString& text)
{
    const int room = label->contentsRect().width() - 2 * label->indent();
    QFont font = Theme::fixedFont(TaskPoints);
    while (
        font.pointSizeF() > SmallestTaskPoints && QFontMetrics(font).horizontalAdvance(text) > room)
        font.setPointSizeF(font.pointSizeF() - 1);
    label->setFont(font);
    label->setText(text);
}
} // namespace

ArithmeticScreen::ArithmeticScreen(int k, ProgramState& state, Platform& platform, QWidget* parent)
    : ExerciseScreen(k, state, platform, parent)
    , m_exercise(k, state, platform.clock, platform.random,
          platform.folders.programDirectory() + exercise(k).taskFile)
{
    fraEingabe = new QGroupBox(taskArea());
    fraEingabe->setObjectName(QStringLiteral("fraEingabe"));
    fraEingabe->setGeometry(taskArea()->rect());

    Label9 = taskLabel(fraEingabe, "Label9", QStringLiteral("Berechne die Aufgabe!"),
        QRect(Left + TextIndent + 1, 24, Width, 28));
    Label9->setFont(Theme::uiFont(13, true));

    lblVorgabe = taskLabel(
        fraEingabe, "lblVorgabe", QStringLiteral("Vorgabetext"), QRect(Left, 68, Width, 56));
    lblVorgabe->setFont(Theme::fixedFont(TaskPoints));
    lblVorgabe->setIndent(TextIndent + 1);
    lblVorgabe->setWordWrap(true);

    lblEingabe
        = taskLabel(fraEingabe, "lblEingabe", QStringLiteral("_"), QRect(Left, 140, Width, 48));
    lblEingabe->setFont(Theme::fixedFont(TaskPoints));
    lblEingabe->setIndent(TextIndent);
    Theme::makeEntryBox(lblEingabe);

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setSingleShot(true);
    Timer2->setInterval(PauseMs);
    connect(Timer2, &QTimer::timeout, this, &ArithmeticScreen::pauseEnded);
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
    const std::optional<TimedTask::Step> step = m_exercise.press(c);
    if (!step)
        return;
    lblPunktemeldung->clear();
    showEntry(lblEingabe, m_exercise.entry());
    lblFehleranzeige->setText(step->outcome.right ? QString() : QStringLiteral("Fehler"));
    lblFehler->setNum(m_exercise.errors());
    if (!step->finished)
        return;
    showFeedback(Feedback::Done);
    lblPunktemeldung->setText(state().strErgebnis);
    subPunkteAnzeigen();
    Timer2->start();
}

void ArithmeticScreen::pauseEnded()
{
    Timer2->stop();
    if (timeLimitReached()) {
        subZeitAbgelaufen();
        return;
    }
    showFeedback(Feedback::None);
    lblFehleranzeige->clear();
    if (const QString error = m_exercise.next(); !error.isEmpty()) {
        endForTaskFile(error);
        return;
    }
    showTask();
}

void ArithmeticScreen::showTask()
{
    showFitting(lblVorgabe, m_exercise.question());
    lblEingabe->setText(m_exercise.entry().line());
    // An empty answer is solved by a wrong key, which left the line red.
    Theme::setTextColour(lblEingabe, Theme::Black);
    lblAufg->setNum(m_exercise.taskNumber());
}
