#pragma once

#include <QString>
#include <QtGlobal>

// The value of an arithmetic question as a task file writes it, e.g. "3 + 4 · 2 =": whole
// numbers joined by + and minus (-, – or −), by times (·, ×, *) and by division (:, ÷, /),
// with the usual precedence (times and division before plus and minus), blanks anywhere and an
// optional "=" at the end.
namespace Expression {

struct Value
{
    qint64 value = 0;
    QString error; // German, for a teacher's task-file check; empty when the value is known

    bool ok() const { return error.isEmpty(); }
};

Value evaluate(const QString& question);

// A plain whole number as a child types it: digits, a minus sign in front for negative ones.
bool isPlainNumber(const QString& answer);

} // namespace Expression
