#include "calibration/MapPicture.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tv {
namespace {

int buttonOf(Qt::MouseButtons buttons)
{
    int b = 0;
    if (buttons & Qt::LeftButton)
        b |= 1;
    if (buttons & Qt::RightButton)
        b |= 2;
    if (buttons & Qt::MiddleButton)
        b |= 4;
    return b;
}

} // namespace

MapPicture::MapPicture(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
}

void MapPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, surface_.image());
}

void MapPicture::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (surface_.widthPx() != width() || surface_.heightPx() != height())
        surface_.resize(width(), height());
    if (resized_)
        resized_();
}

void MapPicture::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (mouseDown_)
        mouseDown_(buttonOf(event->button()), event->position().x(), event->position().y());
}

void MapPicture::mouseMoveEvent(QMouseEvent* event)
{
    if (mouseMove_)
        mouseMove_(buttonOf(event->buttons()), event->position().x(), event->position().y());
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
    QWidget::keyPressEvent(event);
}

} // namespace tv
