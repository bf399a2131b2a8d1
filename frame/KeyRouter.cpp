#include "frame/KeyRouter.h"

#include <QKeyEvent>

namespace KeyRouter {

namespace {
bool isTypedControl(QChar c)
{
    return c == QLatin1Char('\b') || c == QLatin1Char('\r') || c.unicode() == 27;
}

// Alt or Ctrl alone make a command of a key; both together are AltGr where the window system
// reports it that way.
bool isCommand(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool alt = modifiers & Qt::AltModifier;
    const bool control = modifiers & Qt::ControlModifier;
    return alt != control || modifiers & Qt::MetaModifier;
}
} // namespace

Route route(const QKeyEvent& event, bool inTextField)
{
    if (event.key() == Qt::Key_F1)
        return Route::Help;
    if (inTextField) {
        const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
        return enter && !isCommand(event) ? Route::Enter : Route::Field;
    }
    const QString text = event.text();
    if (text.isEmpty() || event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab)
        return Route::PassOn;
    if (isCommand(event))
        return Route::Swallow;
    return characters(event).isEmpty() ? Route::Swallow : Route::Characters;
}

QString characters(const QKeyEvent& event)
{
    QString typed;
    for (const QChar c : event.text()) {
        // Delete arrives as character 127, Ctrl combinations as control codes.
        if (c.isPrint() || isTypedControl(c))
            typed += c;
    }
    return typed;
}

} // namespace KeyRouter
