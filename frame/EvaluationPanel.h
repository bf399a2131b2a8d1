#pragma once

#include <QGroupBox>

class ClickLabel;
class HoverGroup;
class QLabel;

// fraAuswertung: the label pairs every exercise screen shows (time, time of day, score,
// messages, errors, task number, and the error display where the exercise has one), and room
// for the exercise's own link labels. Moving the mouse over the panel turns its links black.
class EvaluationPanel : public QGroupBox
{
    Q_OBJECT

public:
    enum class Arrangement
    {
        TwoRows, // the numbers above, messages and error display below
        OneRow, // everything side by side, for exercises that need the height
    };

    EvaluationPanel(bool errorDisplay, QWidget* parent);

    // Lays the pairs out in the given rectangle of the screen.
    void arrange(Arrangement arrangement, const QRect& geometry);
    // A link label of the exercise, right of the messages and one under the other, laid out at
    // once in the panel's arrangement; it turns dark red under the mouse and black again over
    // the panel or another of its links. Alt and the character after "&" in `text` click it.
    ClickLabel* addLink(const char* name, const QString& text);
    HoverGroup& links() const { return *m_links; }

    void setElapsed(const QString& text);
    void setTimeOfDay(const QString& text);
    void setScore(qint64 score);
    void setMessage(const QString& text);
    void setErrors(int errors);
    void setTaskNumber(int number);
    // Nothing where the exercise has no error display.
    void setErrorHint(const QString& text);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QLabel* m_zeit;
    QLabel* m_uhrzeit;
    QLabel* m_punktestand;
    QLabel* m_punktemeldung;
    QLabel* m_fehler;
    QLabel* m_aufgabe;
    QLabel* m_fehleranzeige = nullptr;
    QList<QLabel*> m_captions; // in the order of the values below
    QList<QLabel*> m_values;
    QList<ClickLabel*> m_linkLabels;
    HoverGroup* m_links;
    Arrangement m_arrangement = Arrangement::TwoRows;
};
