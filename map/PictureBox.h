#pragma once

#include "map/DrawSurface.h"

#include <QWidget>

#include <functional>

namespace tv {

// A picture box that is drawn on: it owns a DrawSurface and shows its image. Drawing code
// works on surface() and never on the widget, so tests can probe the pixels without a screen.
//
// The surface follows the widget's size (a resize clears it, as the platform's persistent
// picture did). Mouse events are reported in the surface's user units, with the button as
// 1 left, 2 right, 4 middle (0 while moving without a button) and the shift state as
// 1 Shift, 2 Ctrl, 4 Alt.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr, uint32_t backColor = 0xFFFFFF);

    DrawSurface& surface() { return surface_; }
    const DrawSurface& surface() const { return surface_; }

    // Shows what was drawn (the surface is only copied to the screen when asked).
    void Refresh();
    // Clears the surface to its back colour and shows it.
    void Cls();

    using MouseHandler = std::function<void(int button, int shift, double x, double y)>;
    void onMouseDown(MouseHandler handler) { mouseDown_ = std::move(handler); }
    void onMouseMove(MouseHandler handler) { mouseMove_ = std::move(handler); }
    void onMouseUp(MouseHandler handler) { mouseUp_ = std::move(handler); }

    // Mouse state as the handlers get it.
    static int vbButton(Qt::MouseButton button);
    static int vbButtons(Qt::MouseButtons buttons);
    static int vbShift(Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void report(const MouseHandler& handler, int button, QMouseEvent* event);

    DrawSurface surface_;
    MouseHandler mouseDown_;
    MouseHandler mouseMove_;
    MouseHandler mouseUp_;
};

} // namespace tv
