#include "language/FillInScreen.h"

#include "core/ExerciseCatalogue.h"
#include "language/TaskRooms.h"
#include "platform/Platform.h"
#include "ui/ClickLabel.h"
#include "ui/Labels.h"
#include "ui/Theme.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {
constexpr QColor RightColour { 0, 192, 0 };
constexpr QColor SolutionBackground { 255, 255, 128 };
constexpr qreal TextPoints = 14.25;
// Below the time-limit box, across the whole width of the screen.
const QRect TaskArea { 12, 126, 616, 162 };
constexpr int Left = 16;
constexpr int FieldTop = 58;
constexpr int FieldHeight = 34;
// The frame's feedback pictures, right of the field.
constexpr int PictureSize = 32;
// The run of blanks in the hint is where the Enter button stands.
const QString HintBefore = QStringLiteral("Wenn fertig >>> [Enter]-Taste");
const QString HintBlanks = QString(14, QLatin1Char(' '));
const QString HintAfter = QStringLiteral("drücken");
} // namespace

FillInScreen::FillInScreen(
    const Exercise& row, ProgramState& state, Platform& platform, QWidget* parent)
    : ExerciseScreen(row, state, platform, ErrorDisplay::Absent, parent)
    , m_fillIn(row.number, state, platform.clock, platform.random, taskLoader())
{
    setTaskArea(TaskArea);
    QGroupBox* frame = namedFrame(taskArea(), "fraEingabe", {}, taskArea()->rect());

    QLabel* instruction = namedLabel(frame, "Label9", row.captions.instruction);
    instruction->setFont(Theme::uiFont(11, true));
    instruction->setGeometry(Left, 20, frame->width() - 2 * Left, 24);

    m_eingabe = new QLineEdit(frame);
    m_eingabe->setObjectName(QStringLiteral("txtEingabe"));
    m_eingabe->setFont(Theme::fixedFont(TextPoints));
    const int textWidth = QFontMetrics(m_eingabe->font())
                              .horizontalAdvance(QString(FillIn::TextColumns, QLatin1Char('M')));
    m_eingabe->setGeometry(Left, FieldTop, textWidth + 16, FieldHeight);
    Theme::setTextColour(m_eingabe, Theme::Black);
    setTextField(m_eingabe);
    // The field is read by the instruction above it.
    instruction->setBuddy(m_eingabe);

    // The solution stands where the text field is, letter over letter.
    m_loesung = namedLabel(frame, "lblLoesungsAnzeige", {});
    m_loesung->setFont(m_eingabe->font());
    m_loesung->setGeometry(m_eingabe->geometry());
    Theme::makeEntryBox(m_loesung);
    Theme::setBackground(m_loesung, SolutionBackground);
    Theme::setTextColour(m_loesung, Theme::Black);
    m_loesung->setIndent(2);
    m_loesung->hide();

    QLabel* hint = namedLabel(frame, "Label10", HintBefore + HintBlanks + HintAfter);
    hint->setFont(Theme::uiFont(10));
    hint->adjustSize();
    hint->move(Left, FieldTop + FieldHeight + 22);

    const QFontMetrics hintMetrics(hint->font());
    const int gapLeft = hint->x() + hintMetrics.horizontalAdvance(HintBefore);
    const int gapWidth = hintMetrics.horizontalAdvance(HintBlanks);
    auto* enter = new QPushButton(QStringLiteral("↵"), frame);
    enter->setObjectName(QStringLiteral("cmdEnter"));
    enter->setFont(Theme::uiFont(10, true));
    enter->setFocusPolicy(Qt::NoFocus);
    enter->setAccessibleName(QStringLiteral("Prüfen (Eingabetaste)"));
    const int buttonHeight = hint->height() + 6;
    enter->setGeometry(gapLeft + 4, hint->y() - 3, gapWidth - 8, buttonHeight);
    connect(enter, &QPushButton::clicked, this, [this] {
        m_eingabe->setFocus();
        judgeAnswer();
    });

    movePictures(TaskArea.topLeft()
        + QPoint((m_eingabe->geometry().right() + frame->width() - PictureSize) / 2,
            FieldTop + (FieldHeight - PictureSize) / 2));

    ClickLabel* repeat = panel().addLink("lblAnzeigeWdhlg", QStringLiteral("&Anzeige wiederholen"));
    ClickLabel* solution = panel().addLink("lblLoesAnzeige", QStringLiteral("&Lösung anzeigen"));
    connect(repeat, &ClickLabel::clicked, this, &FillInScreen::repeatDisplay);
    connect(solution, &ClickLabel::clicked, this, &FillInScreen::showSolution);

    m_timer2 = addTimer("Timer2");
    connect(m_timer2, &QTimer::timeout, this, &FillInScreen::pauseEnded);
    m_timer3 = addTimer("Timer3");
    connect(m_timer3, &QTimer::timeout, this, &FillInScreen::solutionEnded);
}

QString FillInScreen::loadExercise()
{
    if (QString error = m_fillIn.start(); !error.isEmpty())
        return error;
    showTask();
    return {};
}

void FillInScreen::showTask()
{
    m_eingabe->setText(m_fillIn.shownText());
    m_eingabe->setCursorPosition(static_cast<int>(m_fillIn.gap()));
    Theme::setTextColour(m_eingabe, Theme::Black);
    showMessage();
}

void FillInScreen::showMessage()
{
    panel().setMessage(m_fillIn.message());
}

void FillInScreen::textFieldKey()
{
    showStep(m_fillIn.keyInField());
}

void FillInScreen::keyPressed(QChar c)
{
    // Other characters arrive only while the field has no focus (it is hidden, or the child
    // clicked an option); they go nowhere.
    if (c != QLatin1Char('\r'))
        return;
    if (m_eingabe->hasFocus())
        textFieldKey();
    judgeAnswer();
}

void FillInScreen::judgeAnswer()
{
    const TaskStep step = m_fillIn.judge(m_eingabe->text());
    if (!step.taken)
        return;
    Theme::setTextColour(m_eingabe, step.finished ? RightColour : Theme::WrongColour);
    showStep(step);
    if (step.pause > 0)
        m_timer2->start(step.pause);
}

void FillInScreen::pauseEnded()
{
    m_timer2->stop();
    if (goOn([this] { return m_fillIn.next(); }))
        showNextTask();
}

void FillInScreen::showNextTask()
{
    panel().setTaskNumber(m_fillIn.taskNumber());
    showFeedback(TaskStep::Picture::None);
    showTask();
}

void FillInScreen::repeatDisplay()
{
    const TaskStep step = m_fillIn.repeatDisplay();
    if (!step.taken)
        return;
    showStep(step);
    m_eingabe->setFocus();
    showTask();
}

void FillInScreen::showSolution()
{
    const TaskStep step = m_fillIn.showSolution(m_eingabe->cursorPosition());
    if (!step.taken)
        return;
    showStep(step);
    // A long solution shrinks rather than lose its end.
    m_loesung->setFont(fittingFont(
        m_loesung, m_fillIn.solution(), Theme::fixedFont(TextPoints), TaskRooms::SmallestPoints));
    m_loesung->setText(m_fillIn.solution());
    m_eingabe->hide();
    m_loesung->show();
    m_timer3->start(FillIn::SolutionTime);
}

void FillInScreen::solutionEnded()
{
    m_timer3->stop();
    const qsizetype cursor = m_fillIn.solutionShown(m_eingabe->text().size());
    m_loesung->hide();
    m_eingabe->show();
    m_eingabe->setFocus();
    m_eingabe->setCursorPosition(static_cast<int>(cursor));
}
