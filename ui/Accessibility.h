#pragma once

#include <QString>

class QLabel;

// What assistive technology (a screen reader) is told of labels beyond their text.
namespace Accessibility {

// The label is read with its caption: "Punktestand 0000120" with a blank as `separator`,
// "Fehleranzeige: x statt T" with ": "; the caption alone while the label is empty. Its text
// stays its value. A colon at the end of the caption is dropped.
void readWithCaption(QLabel* label, const QString& caption, const QString& separator);

// The label's new text is announced at once, as a live region is: for messages.
void announce(QLabel* label);

} // namespace Accessibility
