#include "ui/Labels.h"

#include "ui/ClickLabel.h"

QLabel* namedLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

ClickLabel* namedLink(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new ClickLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}
