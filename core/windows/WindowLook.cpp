#include "core/windows/WindowLook.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace tv {

namespace {

LinkOpener& linkOpener()
{
    static LinkOpener opener;
    return opener;
}

} // namespace

void paintBackground(QWidget* widget, QColor background)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::Button, background);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void paintFieldBackground(QWidget* widget, QColor background)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, background);
    widget->setPalette(palette);
    paintBackground(widget, background);
}

void paintText(QWidget* widget, QColor text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::Text, text);
    widget->setPalette(palette);
}

QPixmap programPicture(int size)
{
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 100.0, size / 100.0);

    // Compass ring with the four cardinal ticks.
    p.setPen(QPen(fromBgr(0x800000), 4));
    p.setBrush(fromBgr(0xFFF0E0));
    p.drawEllipse(QPointF(50, 50), 45, 45);
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(50, 50);
        p.rotate(90.0 * i);
        p.drawLine(QPointF(0, -45), QPointF(0, -36));
        p.restore();
    }

    // Aircraft seen from above, nose up.
    QPainterPath plane;
    plane.moveTo(50, 14);
    plane.cubicTo(54, 14, 55, 22, 55, 30);
    plane.lineTo(55, 44);
    plane.lineTo(86, 54);
    plane.lineTo(86, 60);
    plane.lineTo(55, 56);
    plane.lineTo(54, 74);
    plane.lineTo(64, 80);
    plane.lineTo(64, 85);
    plane.lineTo(50, 82);
    plane.lineTo(36, 85);
    plane.lineTo(36, 80);
    plane.lineTo(46, 74);
    plane.lineTo(45, 56);
    plane.lineTo(14, 60);
    plane.lineTo(14, 54);
    plane.lineTo(45, 44);
    plane.lineTo(45, 30);
    plane.cubicTo(45, 22, 46, 14, 50, 14);
    p.setPen(QPen(fromBgr(0x400000), 1.5));
    p.setBrush(fromBgr(0x0000C0));
    p.drawPath(plane);
    return picture;
}

QIcon modeIcon(int mode)
{
    constexpr int size = 64;
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink = fromBgr(0x800000);
    p.setPen(QPen(ink, 3));
    switch (mode) {
    case 0: // flight: the program picture
        p.drawPixmap(0, 0, programPicture(size));
        break;
    case 1: { // plan: a route through three waypoints on a sheet
        p.setBrush(fromBgr(0xE0FFFF));
        p.drawRect(6, 6, 52, 52);
        const QPointF points[] = {{14, 48}, {30, 20}, {50, 38}};
        p.setPen(QPen(fromBgr(0x0000FF), 3));
        p.drawPolyline(points, 3);
        p.setBrush(fromBgr(0x0000FF));
        for (const QPointF& pt : points)
            p.drawEllipse(pt, 4, 4);
        break;
    }
    case 2: // settings: three sliders
        for (int i = 0; i < 3; ++i) {
            const int y = 14 + 18 * i;
            p.drawLine(8, y, 56, y);
            p.setBrush(fromBgr(0x00C0FF));
            p.drawRect(QRectF(12 + 14 * ((i * 2) % 3), y - 6, 10, 12));
        }
        break;
    case 3: { // map data: a chart with a grid and its calibration corners
        p.setBrush(fromBgr(0xC0FFC0));
        p.drawRect(6, 10, 52, 44);
        p.setPen(QPen(ink, 1));
        for (int x = 19; x < 58; x += 13)
            p.drawLine(x, 10, x, 54);
        for (int y = 21; y < 54; y += 11)
            p.drawLine(6, y, 58, y);
        p.setPen(QPen(fromBgr(0x0000FF), 3));
        p.drawLine(6, 10, 16, 10);
        p.drawLine(6, 10, 6, 20);
        p.drawLine(58, 54, 48, 54);
        p.drawLine(58, 54, 58, 44);
        break;
    }
    default: // flight plan: a navigation log
        p.setBrush(Qt::white);
        p.drawRect(12, 4, 40, 56);
        p.setPen(QPen(ink, 2));
        for (int y = 16; y < 56; y += 8)
            p.drawLine(18, y, 46, y);
        p.drawLine(30, 12, 30, 54);
        break;
    }
    return QIcon(picture);
}

void openLink(const QUrl& url)
{
    if (linkOpener()) {
        linkOpener()(url);
        return;
    }
    QDesktopServices::openUrl(url);
}

void setLinkOpenerForTesting(LinkOpener opener)
{
    linkOpener() = std::move(opener);
}

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void ClickLabel::enterEvent(QEnterEvent* event)
{
    emit hovered();
    QLabel::enterEvent(event);
}

void ClickLabel::leaveEvent(QEvent* event)
{
    emit left();
    QLabel::leaveEvent(event);
}

} // namespace tv
