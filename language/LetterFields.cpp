#include "language/LetterFields.h"

#include "core/ExerciseCatalogue.h"
#include "core/ProgramState.h"
#include "frame/WrongKeyHint.h"
#include "language/TaskRooms.h"

LetterFields::LetterFields(
    int k, Scores& scores, const Clock& clock, RandomSource& random, TaskCycle::Loader loader)
    : m_number(k)
    , m_fields(exercise(k).answers())
    , m_scores(scores)
    , m_scoring(k, scores)
    , m_tasks(TaskFile::usable(std::move(loader), k, TaskRooms::fits(k)), random)
    , m_tally(k, clock)
{ }

QString LetterFields::start()
{
    if (QString error = m_tasks.start(); !error.isEmpty())
        return error;
    begin();
    return {};
}

QString LetterFields::next()
{
    if (QString error = m_tasks.next(); !error.isEmpty())
        return error;
    begin();
    return {};
}

void LetterFields::begin()
{
    m_tally.begin(prompt());
    m_active = 1;
    m_entry.start(answer(1));
}

TaskStep LetterFields::press(QChar c)
{
    if (m_active > m_fields)
        return { .taken = false };

    const qint32 before = m_scores(m_number);
    TaskStep step;
    step.scoreChanged = true;
    const LetterEntry::Outcome outcome = m_entry.press(c);
    if (outcome.right) {
        step.picture = TaskStep::Picture::Right;
        step.message = m_scoring.right();
        step.hint = Cleared;
    } else {
        ++m_errors;
        m_tally.wrong();
        step.picture = TaskStep::Picture::Wrong;
        step.message = m_scoring.wrong();
        step.hint = WrongKeyHint::text(c, outcome.expected);
    }
    step.errors = m_errors;
    if (outcome.complete) {
        // The last key earns its point first, then the field its bonus.
        step.picture = TaskStep::Picture::Done;
        step.message = m_scoring.bonus(prompt().size(), m_errors);
        ++m_active;
        if (m_active <= m_fields)
            m_entry.start(answer(m_active));
    }
    m_tally.add(qint64 { m_scores(m_number) } - before);
    if (m_active > m_fields)
        step.finished = m_tally.result();
    return step;
}

QString LetterFields::fieldText(int j) const
{
    if (j < m_active)
        return answer(j);
    if (j == m_active)
        return m_entry.line();
    return {};
}
