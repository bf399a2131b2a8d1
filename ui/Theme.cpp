#include "ui/Theme.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLineEdit>
#include <QPainter>
#include <QPixmapCache>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QSvgRenderer>
#include <QWidget>

namespace {
// The application's style, except that a group box's frame is a plain line around the contents
// with nothing laid over its inside, and a text field's frame a plain line too. Plain lines,
// because the style's antialiased rounded outlines cost as much as the rest of a screen.
class PanelStyle final : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget) const override
    {
        if (element == PE_IndicatorRadioButton || element == PE_PanelButtonCommand) {
            drawCached(element, option, painter, widget);
            return;
        }
        if (element != PE_PanelLineEdit) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        painter->fillRect(option->rect, option->palette.brush(QPalette::Base));
        const bool focused = option->state & State_HasFocus;
        painter->save();
        painter->setPen(focused ? option->palette.color(QPalette::Highlight)
                                : option->palette.color(QPalette::Window).darker(150));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        if (focused)
            painter->drawRect(option->rect.adjusted(1, 1, -2, -2));
        painter->restore();
    }

    // Radio buttons and push buttons are drawn once for each look and then copied: every
    // exercise screen shows the same few.
    void drawCached(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget) const
    {
        const QPalette& palette = option->palette;
        const qreal ratio = painter->device()->devicePixelRatioF();
        const QString key = QStringLiteral("tambolino/%1/%2/%3x%4@%5/%6/%7/%8/%9")
                                .arg(int(element))
                                .arg(uint(option->state))
                                .arg(option->rect.width())
                                .arg(option->rect.height())
                                .arg(ratio)
                                .arg(palette.color(QPalette::Window).rgba())
                                .arg(palette.color(QPalette::Button).rgba())
                                .arg(palette.color(QPalette::Base).rgba())
                                .arg(palette.color(QPalette::Text).rgba());
        QPixmap pixmap;
        if (!QPixmapCache::find(key, &pixmap)) {
            pixmap = QPixmap(option->rect.size() * ratio);
            pixmap.setDevicePixelRatio(ratio);
            pixmap.fill(Qt::transparent);
            QPainter cache(&pixmap);
            // Drawn at the pixmap's origin, from a copy of the option of the same kind.
            QStyleOptionButton button;
            QStyleOption plain(*option);
            QStyleOption* moved = &plain;
            if (const auto* given = qstyleoption_cast<const QStyleOptionButton*>(option)) {
                button = *given;
                moved = &button;
            }
            moved->rect = QRect(QPoint(), option->rect.size());
            QProxyStyle::drawPrimitive(element, moved, &cache, widget);
            cache.end();
            QPixmapCache::insert(key, pixmap);
        }
        painter->drawPixmap(option->rect.topLeft(), pixmap);
    }

    // The only text field is the one a child types missing letters into: a caret of one pixel
    // is easily missed there.
    int pixelMetric(
        PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_TextCursorWidth)
            return 3;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
        QPainter* painter, const QWidget* widget) const override
    {
        const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        if (control != CC_GroupBox || !box || !(box->subControls & SC_GroupBoxFrame)) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        QStyleOptionGroupBox title(*box);
        title.subControls &= ~SC_GroupBoxFrame;
        QProxyStyle::drawComplexControl(control, &title, painter, widget);
        const QRect contents = subControlRect(CC_GroupBox, box, SC_GroupBoxContents, widget);
        painter->save();
        painter->setPen(box->palette.color(QPalette::Window).darker(125));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(contents.adjusted(-2, -2, 1, 1));
        painter->restore();
    }
};

QStyle* panelStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new PanelStyle(QStyleFactory::create(QApplication::style()->name()));
        style->setParent(qApp);
    }
    return style;
}
} // namespace

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

void makePanel(QGroupBox* frame, const QColor& colour)
{
    setBackground(frame, colour);
    frame->setStyle(panelStyle());
}

void makeTextField(QLineEdit* field)
{
    field->setStyle(panelStyle());
}

void makeQuick(QAbstractButton* button)
{
    button->setStyle(panelStyle());
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
    // Every exercise screen shows the same pictures: render each once, at the screen's pixel
    // density, so that a scaled window shows them sharp.
    const qreal ratio = qApp->devicePixelRatio();
    const QString key = QStringLiteral("tambolino/%1/%2x%3@%4")
                            .arg(name)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(ratio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    QSvgRenderer renderer(QStringLiteral(":/images/") + name + QStringLiteral(".svg"));
    pixmap = QPixmap((QSizeF(size) * ratio).toSize());
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(), size));
    painter.end();
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

void paintPicture(QPainter& painter, const QString& name, const QRectF& target)
{
    QSvgRenderer renderer(QStringLiteral(":/images/") + name + QStringLiteral(".svg"));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, target);
    painter.restore();
}

namespace {
int g_zoom = 100;
QByteArray g_givenFactor;
bool g_factorGiven = false;
const char* const ScaleVariable = "QT_SCALE_FACTOR";
} // namespace

void prepareZoom(int percent)
{
    g_zoom = percent;
    g_factorGiven = qEnvironmentVariableIsSet(ScaleVariable);
    g_givenFactor = qgetenv(ScaleVariable);
    bool number = false;
    const double given = g_givenFactor.toDouble(&number);
    const double factor = (number && given > 0 ? given : 1.0) * percent / 100.0;
    if (percent != 100)
        qputenv(ScaleVariable, QByteArray::number(factor));
}

void zoomApplied()
{
    if (g_factorGiven)
        qputenv(ScaleVariable, g_givenFactor);
    else
        qunsetenv(ScaleVariable);
}

int zoom()
{
    return g_zoom;
}

QIcon windowIcon()
{
    // Rendered by the SVG icon engine when the window system asks for a size.
    return QIcon(QStringLiteral(":/images/tambolino.svg"));
}

} // namespace Theme
