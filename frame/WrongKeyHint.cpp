#include "frame/WrongKeyHint.h"

namespace WrongKeyHint {

QString keyName(QChar c)
{
    switch (c.unicode()) {
    case ' ':
        return QStringLiteral("Leertaste");
    case '\b':
        return QStringLiteral("Rücktaste");
    case '\r':
        return QStringLiteral("Eingabetaste");
    case 27:
        return QStringLiteral("Esc-Taste");
    default:
        return c;
    }
}

QString text(QChar typed, const QString& expected)
{
    return keyName(typed) + QStringLiteral(" statt ")
        + (expected.isEmpty() ? QString() : keyName(expected.front()));
}

} // namespace WrongKeyHint
