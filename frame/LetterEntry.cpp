#include "frame/LetterEntry.h"

void LetterEntry::start(const QString& answer)
{
    m_answer = answer;
    m_typed.clear();
    m_lastWrong = false;
}

LetterEntry::Outcome LetterEntry::press(QChar typed)
{
    Outcome outcome;
    const qsizetype next = m_typed.size();
    if (next < m_answer.size())
        outcome.expected = m_answer.at(next);
    outcome.right = !outcome.expected.isEmpty() && outcome.expected.at(0) == typed;
    if (outcome.right)
        m_typed.append(typed);
    m_lastWrong = !outcome.right;
    outcome.complete = m_typed == m_answer;
    return outcome;
}
