#pragma once

#include <QString>

class QKeyEvent;

// Where a key pressed on an exercise screen goes. The screen sees every key before its
// controls: F1 always opens help; a key that types a character goes to the exercise, unless
// the exercise's text field has the focus, where it edits the field and only Enter goes to the
// exercise. Keys that type nothing never reach the exercise: Delete, Alt or Ctrl with a
// letter, arrows, function keys. AltGr characters (@, €, {) are characters.
namespace KeyRouter {

enum class Route
{
    Help, // F1
    Characters, // characters() go to the exercise, one by one
    Enter, // the text field's Enter: to the exercise as '\r', not into the field
    Field, // the text field edits with it; the exercise is told a key came
    Swallow, // types nothing and must not reach any control
    PassOn, // for the control with the focus (Tab, arrows on an option)
};

Route route(const QKeyEvent& event, bool inTextField);

// What a key of route Characters types: Backspace, Enter and Escape count as characters.
QString characters(const QKeyEvent& event);

} // namespace KeyRouter
