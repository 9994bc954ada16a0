#include "flight/FlightKeys.h"

#include "map/MapView.h"

namespace tv {
int vbKeyCode(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        // Digits of the numeric keypad have codes of their own.
        const int digit = qtKey - Qt::Key_0;
        return (modifiers & Qt::KeypadModifier) ? kKeypad0 + digit : kKey0 + digit;
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return kKeyA + (qtKey - Qt::Key_A);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return kKeyBack;
    case Qt::Key_Tab:
        return kKeyTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kKeyEnter;
    case Qt::Key_Escape:
        return kKeyEscape;
    case Qt::Key_Space:
        return kKeySpace;
    case Qt::Key_Left:
        return kKeyLeft;
    case Qt::Key_Up:
        return kKeyUp;
    case Qt::Key_Right:
        return kKeyRight;
    case Qt::Key_Down:
        return kKeyDown;
    case Qt::Key_Delete:
        return kKeyDelete;
    default:
        return 0;
    }
}

FlightKey flightKey(int keyCode, bool chartStepping, int sliderValue)
{
    using Action = FlightKey::Action;
    if (keyCode == kKeySpace && chartStepping)
        return {Action::NextChart};
    if (keyCode == kKeyRight)
        return {Action::NextPoint};
    if (keyCode == kKeyLeft)
        return {Action::PreviousPoint};
    if (keyCode == kKeyDown)
        return {Action::Zoom, sliderValue > MapView::kSliderMin ? sliderValue - 10 : sliderValue};
    if (keyCode == kKeyUp)
        return {Action::Zoom, sliderValue < MapView::kSliderMax ? sliderValue + 10 : sliderValue};
    return {Action::WindEntry};
}

} // namespace tv
