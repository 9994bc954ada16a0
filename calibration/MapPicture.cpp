#include "calibration/MapPicture.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace tv {

MapPicture::MapPicture(QWidget* parent) : PictureBox(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
}

void MapPicture::resizeEvent(QResizeEvent* event)
{
    PictureBox::resizeEvent(event);
    if (resized_)
        resized_();
}

void MapPicture::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    PictureBox::mousePressEvent(event);
}

void MapPicture::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && doubleClick_)
        doubleClick_();
}

void MapPicture::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() && keyPress_) {
        keyPress_(text);
        return;
    }
    PictureBox::keyPressEvent(event);
}

} // namespace tv
