#include "ui/HoverGroup.h"

#include "ui/ClickLabel.h"
#include "ui/Theme.h"

#include <algorithm>

HoverGroup::HoverGroup(QObject* parent, bool exclusive)
    : QObject(parent)
    , m_exclusive(exclusive)
{ }

void HoverGroup::add(ClickLabel* label, const QColor& rest)
{
    label->setCursor(Qt::PointingHandCursor);
    Theme::setTextColour(label, rest);
    m_members.append({ label, rest });
    connect(label, &ClickLabel::entered, this, [this, label] {
        if (m_exclusive)
            reset();
        Theme::setTextColour(label, Theme::HoverColour);
    });
}

void HoverGroup::reset()
{
    for (const Member& member : std::as_const(m_members))
        Theme::setTextColour(member.label, member.rest);
}

bool HoverGroup::contains(const QObject* object) const
{
    return std::any_of(m_members.begin(), m_members.end(),
        [object](const Member& member) { return member.label == object; });
}
