#pragma once

#include <QString>

class ClickLabel;
class QLabel;
class QWidget;

// Controls carry the names they are known by, so tests and the error display can find them.
QLabel* namedLabel(QWidget* parent, const char* name, const QString& text);
ClickLabel* namedLink(QWidget* parent, const char* name, const QString& text);
