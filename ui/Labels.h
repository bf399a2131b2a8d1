#pragma once

#include <QFont>
#include <QString>

class ClickLabel;
class QGroupBox;
class QPushButton;
class QLabel;
class QRect;
class QWidget;

// Controls carry the names they are known by, so tests and the error display can find them.
// Labels show their text as plain text: much of it comes from files.
QLabel* namedLabel(QWidget* parent, const QString& name, const QString& text);
QLabel* namedLabel(QWidget* parent, const char* name, const QString& text);
ClickLabel* namedLink(QWidget* parent, const char* name, const QString& text);
// A push button in the program's bold font; its text shows as it stands, "&" too. Enter presses
// it as well as Space, as in a dialog: the screens that hold buttons are none.
QPushButton* namedButton(QWidget* parent, const QString& name, const QString& text, qreal points);
// A frame with its caption (empty for none), placed in its parent.
QGroupBox* namedFrame(
    QWidget* parent, const char* name, const QString& caption, const QRect& geometry);

// `font`, made smaller in half points down to `smallest` points, so that the text fits the
// label's width on one line where it can.
QFont fittingFont(const QLabel* label, const QString& text, QFont font, qreal smallest);
// The text in the label's font, or its end after "…" where the whole would not fit: what was
// typed last stays in sight.
QString fittingTail(const QLabel* label, const QString& text);
