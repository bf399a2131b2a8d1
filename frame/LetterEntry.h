#pragma once

#include <QString>

// Letter-by-letter answer entry: every typed character is compared at once, exactly, with the
// next character of the answer. A right one is appended, a wrong one refused; there is no
// editing, so Backspace and Enter are characters like any other.
class LetterEntry
{
public:
    struct Outcome
    {
        bool right = false;
        QString expected; // the character that was due; empty beyond the answer's end
        bool complete = false; // the typed text now equals the whole answer
    };

    void start(const QString& answer);
    Outcome press(QChar typed);

    // The right characters so far and the typing mark "_".
    QString line() const { return m_typed + QLatin1Char('_'); }
    const QString& answer() const { return m_answer; }
    // 1-based position of the next expected character.
    qsizetype position() const { return m_typed.size() + 1; }
    // The line is shown red after a wrong character until the next right one.
    bool lastWrong() const { return m_lastWrong; }

private:
    QString m_answer;
    QString m_typed;
    bool m_lastWrong = false;
};
