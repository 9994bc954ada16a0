#pragma once

// A blank image like the one a DrawSurface owns (RGB32 at 96 dots per inch, so text comes out
// in the same pixel sizes), for drawing the same calls through a painter and comparing pixels.

#include <QColor>
#include <QImage>

namespace tvtest {

inline QImage blankSurfaceImage(int widthPx, int heightPx, const QColor& fill)
{
    QImage image(widthPx, heightPx, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(fill);
    return image;
}

} // namespace tvtest
