#include "language/LetterFields.h"

#include "core/ExerciseCatalogue.h"
#include "frame/WrongKeyHint.h"

namespace {
// Only tasks whose every line is there: an empty answer would be finished by the next key,
// charged as a wrong one.
TaskCycle::Loader withAnswers(TaskCycle::Loader loader, int k)
{
    return [loader = std::move(loader), k] {
        TaskFile::Result result = loader();
        if (!result.ok())
            return result;
        TaskFile::keepUsable(result, exercise(k).tasks);
        if (result.records() == 0) {
            result.lists.clear();
            result.error = TaskFile::message(
                exercise(k).taskFile.mid(1), QStringLiteral("enthält keine vollständige Aufgabe."));
        }
        return result;
    };
}
} // namespace

LetterFields::LetterFields(
    int k, int fields, Scores& scores, RandomSource& random, TaskCycle::Loader loader)
    : m_fields(fields)
    , m_scoring(k, scores)
    , m_tasks(withAnswers(std::move(loader), k), random)
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
    m_active = 1;
    m_entry.start(answer(1));
}

LetterFields::Step LetterFields::press(QChar c)
{
    Step step;
    if (m_active > m_fields)
        return step;

    const LetterEntry::Outcome outcome = m_entry.press(c);
    step.right = outcome.right;
    if (step.right) {
        step.message = m_scoring.right();
    } else {
        ++m_errors;
        step.message = m_scoring.wrong();
        step.hint = WrongKeyHint::text(c, outcome.expected);
    }
    if (!outcome.complete)
        return step;

    // The last key earns its point first, then the field its bonus.
    step.fieldFinished = true;
    step.message = m_scoring.bonus(prompt().size(), m_errors);
    ++m_active;
    step.taskFinished = m_active > m_fields;
    if (!step.taskFinished)
        m_entry.start(answer(m_active));
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
