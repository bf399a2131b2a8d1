#include "ui/ClickLabel.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
// What a screen reader is told of a click label: a button named by its text (without the
// mnemonic's "&"), described by its accessible description, that can be pressed.
class ClickLabelAccessible final : public QAccessibleWidget
{
public:
    explicit ClickLabelAccessible(ClickLabel* label)
        : QAccessibleWidget(label, QAccessible::Button)
    { }

    QString text(QAccessible::Text t) const override
    {
        const auto* label = static_cast<const ClickLabel*>(widget());
        if (t == QAccessible::Name && label->accessibleName().isEmpty()) {
            QString name = label->text();
            return name.remove(QLatin1Char('&'));
        }
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << pressAction();
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            Q_EMIT static_cast<ClickLabel*>(widget())->clicked();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* clickLabelInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String("ClickLabel"))
        return new ClickLabelAccessible(static_cast<ClickLabel*>(object));
    return nullptr;
}
} // namespace

ClickLabel::ClickLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    static const bool installed = (QAccessible::installFactory(clickLabelInterface), true);
    Q_UNUSED(installed);
}

void ClickLabel::takeFocusLikeButton(const QColor& frame)
{
    m_focusFrame = frame;
    setFocusPolicy(Qt::StrongFocus);
    // Room for the frame around the text.
    setContentsMargins(3, 1, 3, 1);
}

void ClickLabel::setMnemonicText(const QString& text)
{
    // A label shows and answers its mnemonic only when it has a buddy; being its own, the
    // shortcut comes back to it as a click.
    setBuddy(this);
    setText(text);
}

bool ClickLabel::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        Q_EMIT clicked();
        return true;
    }
    return QLabel::event(event);
}

void ClickLabel::keyPressEvent(QKeyEvent* event)
{
    const bool press = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter
        || event->key() == Qt::Key_Space;
    if (m_focusFrame.isValid() && press
        && !event->modifiers().testAnyFlags(
            Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        event->accept();
        Q_EMIT clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a press and a release on the label, as with buttons.
    const bool click = m_pressed && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        Q_EMIT clicked();
}

void ClickLabel::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    Q_EMIT entered();
}

void ClickLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus() || !m_focusFrame.isValid())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(m_focusFrame, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
}
