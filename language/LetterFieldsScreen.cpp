#include "language/LetterFieldsScreen.h"

#include "core/ProgramState.h"
#include "platform/Platform.h"
#include "ui/Labels.h"
#include "ui/Theme.h"

#include <QLabel>

QLabel* fixedLabel(QWidget* parent, const QString& name, const QString& text, qreal points)
{
    QLabel* label = namedLabel(parent, name, text);
    label->setFont(Theme::fixedFont(points));
    label->setTextFormat(Qt::PlainText);
    Theme::setTextColour(label, Theme::Black);
    return label;
}

LetterFieldsScreen::LetterFieldsScreen(
    int k, int fields, ProgramState& state, Platform& platform, QWidget* parent)
    : ExerciseScreen(k, state, platform, ErrorDisplay::Shown, parent)
    , m_exercise(
          k, fields, state.ScoreTable, platform.random, TaskFile::forExercise(platform.folders, k))
{ }

QString LetterFieldsScreen::loadExercise()
{
    if (QString error = m_exercise.start(); !error.isEmpty())
        return error;
    showTask();
    return {};
}

void LetterFieldsScreen::showTask()
{
    showPrompt();
    showFields();
    panel().setTaskNumber(m_exercise.taskNumber());
}

void LetterFieldsScreen::showFields()
{
    for (int j = 1; j <= m_exercise.fields(); ++j) {
        QLabel* field = m_fieldLabels.at(j - 1);
        field->setText(m_exercise.fieldText(j));
        Theme::setTextColour(field, Theme::Black);
    }
}

void LetterFieldsScreen::keyPressed(QChar c)
{
    const int active = m_exercise.activeField();
    const LetterFields::Step step = m_exercise.press(c);
    if (step.message.isEmpty())
        return;

    panel().setErrors(m_exercise.errors());
    panel().setMessage(step.message);
    panel().setErrorHint(step.hint);
    publishScore();
    if (!step.fieldFinished) {
        showEntry(m_fieldLabels.at(active - 1), m_exercise.entry());
        return;
    }

    showFeedback(Feedback::Done);
    showFields();
    if (!step.taskFinished)
        return;
    if (goOn([this] { return m_exercise.next(); }))
        showTask();
}
