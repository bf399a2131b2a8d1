#pragma once

#include <QString>
#include <QtGlobal>

// The numeric value of the number at the start of a stored text: leading blanks are skipped,
// a sign and a decimal fraction are taken, anything after the number is ignored. Rounded to the
// nearest integer (halves to even) and clamped to the 32-bit range; no number gives 0.
qint32 leadingNumber(const QString& text);
