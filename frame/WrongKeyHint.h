#pragma once

#include <QString>

// The error display of the letter-by-letter exercises: which key was typed instead of which.
namespace WrongKeyHint {

// A key as the error display names it: the space and the control keys by their key names.
QString keyName(QChar c);

// "x statt y", "Leertaste statt y", "x statt Leertaste"; `expected` is empty beyond the end of
// the answer.
QString text(QChar typed, const QString& expected);

} // namespace WrongKeyHint
