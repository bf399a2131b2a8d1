#pragma once

#include <QColor>
#include <QList>
#include <QObject>

class ClickLabel;

// Link labels that turn dark red while the mouse is over them and return to their own colour
// when the mouse crosses something that resets the group (the background, a separator). In an
// exclusive group the label under the mouse also resets the others.
class HoverGroup : public QObject
{
    Q_OBJECT

public:
    explicit HoverGroup(QObject* parent, bool exclusive = false);

    // Shows the link pointer over the label; `rest` is its colour when the mouse is elsewhere.
    void add(ClickLabel* label, const QColor& rest);
    void reset();
    bool contains(const QObject* object) const;

private:
    struct Member
    {
        ClickLabel* label;
        QColor rest;
    };
    QList<Member> m_members;
    const bool m_exclusive;
};
