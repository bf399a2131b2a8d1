#include "arithmetic/Expression.h"

#include <QList>

namespace Expression {

namespace {
constexpr qint64 Limit = 999'999'999'999;

bool isMinus(QChar c)
{
    return c == QLatin1Char('-') || c == QChar(0x2013) || c == QChar(0x2212);
}

bool isTimes(QChar c)
{
    return c == QChar(0x00B7) || c == QChar(0x00D7) || c == QLatin1Char('*');
}

bool isDivision(QChar c)
{
    return c == QLatin1Char(':') || c == QChar(0x00F7) || c == QLatin1Char('/');
}

Value failure(const QString& text)
{
    return { 0, text };
}
} // namespace

Value evaluate(const QString& question)
{
    QString text = question.trimmed();
    if (text.endsWith(QLatin1Char('=')))
        text.chop(1);

    // Products first: each term is a product or quotient, the sum adds the terms with their sign.
    qint64 sum = 0;
    qint64 term = 0;
    int sign = 1;
    QChar pending; // the times or division sign before the next number, null at a term's start
    bool expectNumber = true;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const QChar c = text[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        if (expectNumber) {
            if (!c.isDigit() || c.unicode() > '9')
                return failure(QStringLiteral("„%1“ ist keine Zahl.").arg(c));
            qint64 number = 0;
            for (; i < n && text[i].isDigit() && text[i].unicode() <= '9'; ++i) {
                number = number * 10 + (text[i].unicode() - '0');
                if (number > Limit)
                    return failure(QStringLiteral("Die Zahlen sind zu groß."));
            }
            if (pending.isNull()) {
                term = number;
            } else if (isTimes(pending)) {
                if (number != 0 && term > Limit / number)
                    return failure(QStringLiteral("Das Ergebnis ist zu groß."));
                term *= number;
            } else if (number == 0) {
                return failure(QStringLiteral("Die Aufgabe teilt durch null."));
            } else if (term % number != 0) {
                return failure(
                    QStringLiteral("%1 : %2 geht nicht ohne Rest auf.").arg(term).arg(number));
            } else {
                term /= number;
            }
            expectNumber = false;
            continue;
        }
        if (isTimes(c) || isDivision(c)) {
            pending = c;
        } else if (c == QLatin1Char('+') || isMinus(c)) {
            sum += sign * term;
            sign = c == QLatin1Char('+') ? 1 : -1;
            pending = QChar();
        } else {
            return failure(QStringLiteral("„%1“ ist kein Rechenzeichen.").arg(c));
        }
        ++i;
        expectNumber = true;
    }
    if (expectNumber)
        return failure(text.isEmpty() ? QStringLiteral("Die Aufgabe ist leer.")
                                      : QStringLiteral("Nach dem Rechenzeichen fehlt eine Zahl."));
    sum += sign * term;
    if (sum > Limit || sum < -Limit)
        return failure(QStringLiteral("Das Ergebnis ist zu groß."));
    return { sum, {} };
}

bool isPlainNumber(const QString& answer)
{
    const qsizetype start = answer.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (answer.size() == start || answer.size() - start > 12)
        return false;
    for (qsizetype i = start; i < answer.size(); ++i) {
        if (answer[i] < QLatin1Char('0') || answer[i] > QLatin1Char('9'))
            return false;
    }
    return answer.size() - start == 1 || answer[start] != QLatin1Char('0');
}

} // namespace Expression
