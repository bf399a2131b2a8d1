#pragma once

#include <QLabel>

// A label that can be clicked and tells when the mouse comes over it. To assistive technology it
// is a push button.
class ClickLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ClickLabel(const QString& text, QWidget* parent = nullptr);

    // Takes the focus by Tab, shows a frame in `frame` while it has it, and is clicked by Enter
    // or Space, as a button is. Only where those keys are not the exercise's answers.
    void takeFocusLikeButton(const QColor& frame);
    // Alt and the letter after "&" in `text` click the label, whichever control of its screen
    // has the focus; the letter is shown underlined.
    void setMnemonicText(const QString& text);

Q_SIGNALS:
    void clicked();
    void entered();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_pressed = false;
    QColor m_focusFrame;
};
