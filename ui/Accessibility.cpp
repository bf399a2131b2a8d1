#include "ui/Accessibility.h"

#include <QAccessibleWidget>
#include <QLabel>

namespace {
const char* const CaptionProperty = "tambolinoCaption";
const char* const SeparatorProperty = "tambolinoCaptionSeparator";

class CaptionedLabel final : public QAccessibleWidget
{
public:
    explicit CaptionedLabel(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    { }

    QString text(QAccessible::Text t) const override
    {
        const auto* label = static_cast<const QLabel*>(widget());
        if (t == QAccessible::Value)
            return label->text();
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const QString caption = label->property(CaptionProperty).toString();
        if (label->text().isEmpty())
            return caption;
        return caption + label->property(SeparatorProperty).toString() + label->text();
    }
};

// Consulted before Qt's own interfaces; only labels given a caption are answered here.
QAccessibleInterface* captionedInterface(const QString& className, QObject* object)
{
    if (className != QLatin1String("QLabel") || !object->property(CaptionProperty).isValid())
        return nullptr;
    return new CaptionedLabel(static_cast<QLabel*>(object));
}
} // namespace

namespace Accessibility {

void readWithCaption(QLabel* label, const QString& caption, const QString& separator)
{
    static const bool installed = (QAccessible::installFactory(captionedInterface), true);
    Q_UNUSED(installed);
    // A caption on the screen may end in a colon of its own.
    label->setProperty(
        CaptionProperty, caption.endsWith(QLatin1Char(':')) ? caption.chopped(1) : caption);
    label->setProperty(SeparatorProperty, separator);
    // An interface made before, while a screen reader listened to the label's first text,
    // gives way to one that reads the caption.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(label);
        made && !dynamic_cast<CaptionedLabel*>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void announce(QLabel* label)
{
    QAccessibleValueChangeEvent event(label, label->text());
    QAccessible::updateAccessibility(&event);
}

} // namespace Accessibility
