#pragma once

#include "frame/ExerciseScreen.h"
#include "language/LetterFields.h"

class QLabel;

// What the screens of the LetterFields exercises share: each key goes to the engine, the active
// field shows the right keys so far (red after a wrong one), the panel the points and the wrong
// key, and a finished task brings the next at once, unless the time limit is reached.
class LetterFieldsScreen : public ExerciseScreen
{
    Q_OBJECT

protected:
    LetterFieldsScreen(
        const Exercise& row, ProgramState& state, Platform& platform, QWidget* parent = nullptr);

    const LetterFields& exercise() const { return m_exercise; }
    // The labels of fields 1 .. N, in this order; set in the derived screen's constructor. With
    // `points`, a field starts each task at that size and shrinks until its answer fits.
    void setFieldLabels(const QList<QLabel*>& labels, qreal points = 0)
    {
        m_fieldLabels = labels;
        m_fieldPoints = points;
    }

    // Shows the prompt of the current task; the fields are shown afterwards.
    virtual void showPrompt() = 0;

    QString loadExercise() override;
    void keyPressed(QChar c) override;

private:
    void showTask();
    void showFields();

    LetterFields m_exercise;
    QList<QLabel*> m_fieldLabels;
    qreal m_fieldPoints = 0;
};

// A label in the fixed-pitch font with its object name.
QLabel* fixedLabel(QWidget* parent, const QString& name, const QString& text, qreal points);
