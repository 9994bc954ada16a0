#pragma once

// Keys that act when they are let go, as every window's KeyUp handlers do (Enter adds, saves,
// closes; the quick finds search after the typed letter is in the box). A release acts only when
// its press began in the same control while that control had the keyboard: a message box or a
// cell editor closed with Enter takes the press, and the release that then reaches the control
// under it does nothing. Every window handles Enter through here.

#include <Qt>

#include <functional>

class QWidget;

namespace tv {

bool isEnterKey(int key);

// Runs `handler` with the key (Qt::Key) when a key whose press began in `control` is let go
// there. Key repeats of a held key do not run it. The watch lives as long as the control; a
// control may have one watch.
void onKeyUp(QWidget* control, std::function<void(int key)> handler);
// The same, for handlers that tell keys apart by their modifiers (the digits of the keypad).
void onKeyUp(QWidget* control, std::function<void(int key, Qt::KeyboardModifiers)> handler);

} // namespace tv
