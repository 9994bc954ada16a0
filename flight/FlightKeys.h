#pragma once

// The keys of the flight window. Key codes are the classic virtual key codes.

#include <Qt>

namespace tv {

inline constexpr int kKeyBack = 8;
inline constexpr int kKeyTab = 9;
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeySpace = 32;
inline constexpr int kKeyLeft = 37;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyRight = 39;
inline constexpr int kKeyDown = 40;
inline constexpr int kKeyDelete = 46;
inline constexpr int kKey0 = 48;
inline constexpr int kKeyA = 65;
inline constexpr int kKeypad0 = 96;

// The classic virtual key code of a Qt key (0 when it has none).
int vbKeyCode(int qtKey, Qt::KeyboardModifiers modifiers = {});

// What a key let go in the flight window does while neither entry box of the instrument is
// open, by the first rule that matches: Space steps to the next chart under the aircraft (in
// chart stepping only), the right and left arrows step along the route, the down and up arrows
// zoom out and in by 10 (at either end of the slider the zoom stays, and the map is still
// redrawn); every other key goes to the heading and airspeed entry.
struct FlightKey
{
    enum class Action { NextChart, NextPoint, PreviousPoint, Zoom, WindEntry };
    Action action = Action::WindEntry;
    int sliderValue = 0; // Zoom: the slider's new value
};
FlightKey flightKey(int keyCode, bool chartStepping, int sliderValue);

} // namespace tv
