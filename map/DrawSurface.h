#pragma once

#include "map/Drawing.h"

#include <QImage>

#include <cstdint>

namespace tv {

// A picture box's surface: the drawing vocabulary over a backing QImage that it owns. The map
// and the instruments draw here, tests probe the pixels, and a widget only shows image().
class DrawSurface : public Drawing
{
public:
    explicit DrawSurface(int widthPx = 1, int heightPx = 1, uint32_t backColor = 0xFFFFFF);

    // New size in pixels, cleared to the back colour. A pixel scale follows the new size; a
    // user scale keeps its units (they stretch over the new size).
    void resize(int widthPx, int heightPx);
    const QImage& image() const { return image_; }

    // Colour at a point in user units, or -1 outside the surface.
    int64_t Point(double x, double y) const;

protected:
    QPaintDevice* device() const override;
    void fillBackground() override;

private:
    // mutable: handing the image to a QPainter needs a non-const device; reading a size or a
    // pixel never changes it.
    mutable QImage image_;
};

} // namespace tv
