#include "ui/Labels.h"

#include "ui/ClickLabel.h"
#include "ui/Theme.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QPushButton>
#include <algorithm>

namespace {
// The width a single line of text may take; an indent may stand on either side.
int room(const QLabel* label)
{
    return label->contentsRect().width() - 2 * std::max(0, label->indent());
}
} // namespace

QLabel* namedLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    // Task files, score files and the settings store fill labels; their text is never markup.
    label->setTextFormat(Qt::PlainText);
    label->setObjectName(name);
    return label;
}

QLabel* namedLabel(QWidget* parent, const char* name, const QString& text)
{
    return namedLabel(parent, QString::fromLatin1(name), text);
}

QPushButton* namedButton(QWidget* parent, const QString& name, const QString& text, qreal points)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setText(QString(text).replace(u'&', QStringLiteral("&&")));
    button->setFont(Theme::uiFont(points, true));
    button->setAutoDefault(true);
    return button;
}

ClickLabel* namedLink(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new ClickLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QGroupBox* namedFrame(
    QWidget* parent, const char* name, const QString& caption, const QRect& geometry)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(geometry);
    return frame;
}

QFont fittingFont(const QLabel* label, const QString& text, QFont font, qreal smallest)
{
    while (font.pointSizeF() - 0.5 >= smallest
        && QFontMetrics(font).horizontalAdvance(text) > room(label))
        font.setPointSizeF(font.pointSizeF() - 0.5);
    return font;
}

QString fittingTail(const QLabel* label, const QString& text)
{
    const QFontMetrics metrics(label->font());
    if (metrics.horizontalAdvance(text) <= room(label))
        return text;
    const QString ellipsis(QChar(0x2026));
    qsizetype start = 1;
    while (start < text.size() - 1
        && metrics.horizontalAdvance(ellipsis + text.mid(start)) > room(label))
        ++start;
    return ellipsis + text.mid(start);
}
