#include "ui/Theme.h"

#include <QFrame>
#include <QIcon>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>
#include <QWidget>

namespace Theme {

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

QColor textColour(const QWidget* widget)
{
    return widget->palette().color(QPalette::WindowText);
}

void setBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Button, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void makeEntryBox(QFrame* box)
{
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setLineWidth(1);
    setBackground(box, Qt::white);
    // The light edges of a sunken border would vanish against the white box.
    QPalette palette = box->palette();
    palette.setColor(QPalette::Light, palette.color(QPalette::Mid));
    box->setPalette(palette);
}

QFont uiFont(qreal points, bool bold)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QFont fixedFont(qreal points)
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSizeF(points);
    return font;
}

QPixmap picture(const QString& name, const QSize& size)
{
    // Every exercise screen shows the same pictures: render each once.
    const QString key
        = QStringLiteral("tambolino/%1/%2x%3").arg(name).arg(size.width()).arg(size.height());
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    QSvgRenderer renderer(QStringLiteral(":/images/") + name + QStringLiteral(".svg"));
    pixmap = QPixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

QIcon windowIcon()
{
    // Rendered by the SVG icon engine when the window system asks for a size.
    return QIcon(QStringLiteral(":/images/tambolino.svg"));
}

} // namespace Theme
