#pragma once

#include <QMdiSubWindow>
#include <QWidget>

// Closes a screen of the main window with the sub-window that holds it, or alone when it has
// none (in a test).
inline void closeWithWindow(QWidget* screen)
{
    if (auto* window = qobject_cast<QMdiSubWindow*>(screen->parentWidget()))
        window->close();
    else
        screen->close();
}
