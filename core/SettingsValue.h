#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

// A decimal number at the start of a text: an optional sign, digits and an optional fraction
// after a full stop, with at least one digit in all. `length` is 0 when the text does not start
// with one.
struct DecimalNumber
{
    // The nearest integer, an exact half to the even neighbour, decided on the decimal digits
    // themselves. Beyond the 32-bit range it stays beyond it, at most by a fixed margin.
    qint64 rounded = 0;
    qsizetype length = 0;

    bool fitsIn32Bits() const;
};
DecimalNumber decimalPrefix(QStringView text);

// The numeric value of the number at the start of a stored text: leading blanks are skipped,
// a sign and a decimal fraction are taken, anything after the number is ignored. Rounded to the
// nearest integer (halves to even) and clamped to the 32-bit range; no number gives 0.
qint32 leadingNumber(QStringView text);
