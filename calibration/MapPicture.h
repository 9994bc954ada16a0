#pragma once

#include "flight/DrawSurface.h"

#include <QWidget>

#include <functional>

namespace tv {

// The two-point window's map picture: it owns a drawing surface of its own size, shows what
// was drawn on it, and reports the mouse (view pixels; button 1 left, 2 right) and typed
// characters. Drawing goes to surface(), so a test probes the pixels without a screen.
class MapPicture : public QWidget
{
    Q_OBJECT
public:
    explicit MapPicture(QWidget* parent = nullptr);

    DrawSurface& surface() { return surface_; }
    const DrawSurface& surface() const { return surface_; }

    using MouseHandler = std::function<void(int button, double x, double y)>;
    void onMouseDown(MouseHandler handler) { mouseDown_ = std::move(handler); }
    void onMouseMove(MouseHandler handler) { mouseMove_ = std::move(handler); }
    void onDoubleClick(std::function<void()> handler) { doubleClick_ = std::move(handler); }
    void onKeyPress(std::function<void(const QString& text)> handler)
    {
        keyPress_ = std::move(handler);
    }
    // Runs after the widget got its size (the surface keeps what was drawn when the size did
    // not change).
    void onResize(std::function<void()> handler) { resized_ = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    DrawSurface surface_;
    MouseHandler mouseDown_;
    MouseHandler mouseMove_;
    std::function<void()> doubleClick_;
    std::function<void(const QString&)> keyPress_;
    std::function<void()> resized_;
};

} // namespace tv
