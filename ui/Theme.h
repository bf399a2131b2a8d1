#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>

class QAbstractButton;
class QFrame;
class QGroupBox;
class QLineEdit;
class QPainter;
class QRectF;
class QWidget;

// Colours, fonts and pictures shared by all screens.
namespace Theme {

inline constexpr QColor PanelBackground { 255, 255, 205 };
inline constexpr QColor EntryColour { 192, 0, 0 };
inline constexpr QColor HoverColour { 128, 0, 0 };
inline constexpr QColor WrongColour { 255, 0, 0 };
inline constexpr QColor Black { 0, 0, 0 };

// Positions are designed in twips, 15 to a pixel at 96 dpi.
constexpr int px(int twips)
{
    return twips / 15;
}

void setTextColour(QWidget* widget, const QColor& colour);
QColor textColour(const QWidget* widget);
void setBackground(QWidget* widget, const QColor& colour);
// A frame filled with exactly its colour: the style's own frame lays a shade over the inside.
void makePanel(QGroupBox* frame, const QColor& colour);

// A radio or push button that looks as in the application's style, drawn from a cache.
void makeQuick(QAbstractButton* button);

// A text field framed by a plain line, a double one while it has the focus.
void makeTextField(QLineEdit* field);

// A white box with a thin sunken border that shows on all four sides, for typed lines and values.
void makeEntryBox(QFrame* box);

QFont uiFont(qreal points, bool bold = false);
// "Courier New"; fontconfig maps it to Liberation Mono where the original is missing.
QFont fixedFont(qreal points);

// A picture from the compiled-in resources, rendered at the given size.
QPixmap picture(const QString& name, const QSize& size);
// The same picture painted straight onto a painter's device, for a picture shown only once.
void paintPicture(QPainter& painter, const QString& name, const QRectF& target);
QIcon windowIcon();

// The zoom in percent: one factor for every position, size, font and picture, applied by Qt's
// scaling of the whole window on top of any factor the environment gives (QT_SCALE_FACTOR).
// Called before the application object exists; zoomApplied() afterwards, so that programs
// started from here (the browser) are not scaled by it.
void prepareZoom(int percent);
void zoomApplied();
// The zoom the program runs with.
int zoom();

} // namespace Theme
