#include "language/LetterFieldsScreen.h"

#include "core/ExerciseCatalogue.h"
#include "core/ProgramState.h"
#include "language/TaskRooms.h"
#include "platform/Platform.h"
#include "ui/Labels.h"
#include "ui/Theme.h"

#include <QLabel>

QLabel* fixedLabel(QWidget* parent, const QString& name, const QString& text, qreal points)
{
    QLabel* label = namedLabel(parent, name, text);
    label->setFont(Theme::fixedFont(points));
    Theme::setTextColour(label, Theme::Black);
    return label;
}

LetterFieldsScreen::LetterFieldsScreen(
    const Exercise& row, ProgramState& state, Platform& platform, QWidget* parent)
    : ExerciseScreen(row, state, platform, ErrorDisplay::Shown, parent)
    , m_exercise(row.number, state.ScoreTable, platform.clock, platform.random, taskLoader())
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
    for (int j = 1; m_fieldPoints > 0 && j <= m_exercise.fields(); ++j) {
        QLabel* field = m_fieldLabels.at(j - 1);
        field->setFont(fittingFont(field, m_exercise.answer(j) + QLatin1Char('_'),
            Theme::fixedFont(m_fieldPoints), TaskRooms::SmallestPoints));
    }
    showFields();
    panel().setTaskNumber(m_exercise.taskNumber());
}

void LetterFieldsScreen::showFields()
{
    for (int j = 1; j <= m_exercise.fields(); ++j) {
        QLabel* field = m_fieldLabels.at(j - 1);
        if (j == m_exercise.activeField()) {
            showEntry(field, m_exercise.entry());
        } else {
            field->setText(m_exercise.fieldText(j));
            Theme::setTextColour(field, Theme::Black);
        }
    }
}

void LetterFieldsScreen::keyPressed(QChar c)
{
    const TaskStep step = m_exercise.press(c);
    if (!step.taken)
        return;
    showStep(step);
    showFields();
    if (step.finished && goOn([this] { return m_exercise.next(); }))
        showTask();
}
