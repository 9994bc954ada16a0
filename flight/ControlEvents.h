#pragma once

// Events that a control has no signal for, each run by a handler of the window: a press on a
// picture or a label (its click), a double click, the mouse moving over it, the focus leaving
// it, the mouse let go or the wheel turned on it. The watch lives as long as the control.

#include <QEvent>

#include <functional>

class QWidget;

namespace tv {

// `handler` runs when `control` gets an event of `type`, and says whether it took the event: a
// taken event reaches neither the control nor any other watch.
void onEvent(QWidget* control, QEvent::Type type, std::function<bool(QEvent&)> handler);
// A press of the left button on `control` runs `handler`; the control does not see the press.
void onClick(QWidget* control, std::function<void()> handler);

} // namespace tv
