#pragma once

#include "map/PictureBox.h"

#include <QString>

#include <functional>

namespace tv {

// The two-point window's map picture: the shared picture box, which also reports a double
// click, the characters typed while it has the focus, and that it got its size (a new size
// clears the surface, so the window draws again).
class MapPicture : public PictureBox
{
    Q_OBJECT
public:
    explicit MapPicture(QWidget* parent = nullptr);

    void onDoubleClick(std::function<void()> handler) { doubleClick_ = std::move(handler); }
    void onKeyPress(std::function<void(const QString& text)> handler)
    {
        keyPress_ = std::move(handler);
    }
    void onResize(std::function<void()> handler) { resized_ = std::move(handler); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<void()> doubleClick_;
    std::function<void(const QString&)> keyPress_;
    std::function<void()> resized_;
};

} // namespace tv
