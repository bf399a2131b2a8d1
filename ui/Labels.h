#pragma once

#include <QFont>
#include <QString>

class ClickLabel;
class QLabel;
class QWidget;

// Controls carry the names they are known by, so tests and the error display can find them.
QLabel* namedLabel(QWidget* parent, const char* name, const QString& text);
ClickLabel* namedLink(QWidget* parent, const char* name, const QString& text);

// `font`, made smaller in half points down to `smallest` points, so that the text fits the
// label's width on one line where it can.
QFont fittingFont(const QLabel* label, const QString& text, QFont font, qreal smallest);
// The text in the label's font, or its end after "…" where the whole would not fit: what was
// typed last stays in sight.
QString fittingTail(const QLabel* label, const QString& text);
