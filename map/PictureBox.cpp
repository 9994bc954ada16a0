#include "map/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace tv {

PictureBox::PictureBox(QWidget* parent, uint32_t backColor)
    : QWidget(parent), surface_(1, 1, backColor)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::Refresh()
{
    update();
}

void PictureBox::Cls()
{
    surface_.Cls();
    update();
}

int PictureBox::vbButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int PictureBox::vbButtons(Qt::MouseButtons buttons)
{
    int result = 0;
    if (buttons & Qt::LeftButton)
        result |= 1;
    if (buttons & Qt::RightButton)
        result |= 2;
    if (buttons & Qt::MiddleButton)
        result |= 4;
    return result;
}

int PictureBox::vbShift(Qt::KeyboardModifiers modifiers)
{
    int result = 0;
    if (modifiers & Qt::ShiftModifier)
        result |= 1;
    if (modifiers & Qt::ControlModifier)
        result |= 2;
    if (modifiers & Qt::AltModifier)
        result |= 4;
    return result;
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), vbColor(surface_.BackColor()));
    painter.drawImage(0, 0, surface_.image());
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const QSize size = event->size();
    if (size.width() > 0 && size.height() > 0 &&
        (size.width() != surface_.widthPx() || size.height() != surface_.heightPx()))
        surface_.resize(size.width(), size.height());
}

void PictureBox::report(const MouseHandler& handler, int button, QMouseEvent* event)
{
    if (!handler)
        return;
    const QPointF user = surface_.toUser(event->position());
    handler(button, vbShift(event->modifiers()), user.x(), user.y());
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    report(mouseDown_, vbButton(event->button()), event);
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    report(mouseMove_, vbButtons(event->buttons()), event);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    report(mouseUp_, vbButton(event->button()), event);
}

} // namespace tv
