#pragma once

// Drawing's fast path into its own 32-bit image: the pixels Qt's raster engine puts down for a
// wide line with flat ends (aliased), for an image stamped at a point and for a text's glyphs,
// written straight into the image rows. A map layer draws tens of thousands of these per redraw,
// and through QPainter most of each call is set-up (about 0.3 µs a line, 2 µs a label), not
// pixels. Only Drawing uses this; tests compare it with what QPainter draws.
//
// Coordinates are device pixels, (0, 0) the top-left corner of the image.

#include <QImage>
#include <QPointF>
#include <QRect>

#include <cstdint>
#include <optional>
#include <vector>

namespace tv::raster {

// A shape as horizontal runs of pixels relative to its origin (small shapes: discs, labels).
struct Run
{
    int16_t dy;
    int16_t x;
    int32_t length;
};
using Mask = std::vector<Run>;

// The pixels of `image` (ARGB32 or ARGB32_Premultiplied) that are not transparent, as runs
// relative to `origin` within the rectangle `area` of the image (both within 32,767 pixels of
// each other).
Mask maskOf(const QImage& image, const QRect& area, QPoint origin);

// An image in one of the formats whose pixels are a 32-bit 0xAARRGGBB value (RGB32, ARGB32,
// ARGB32_Premultiplied), drawn on in opaque colours only.
class ImageTarget
{
public:
    // Empty for other formats, a null image or one too large for the fixed-point arithmetic.
    static std::optional<ImageTarget> of(QImage& image);

    // Rows first..last of the image: one thread's share of a drawing.
    struct Rows
    {
        int first;
        int last;
    };

    // The line a->b `widthPx` (3 or more) wide with flat ends, as QPainter draws it without
    // anti-aliasing. False (nothing drawn) for a line this does not copy: one that comes near
    // the image's edge, or whose sides are almost level over hundreds of pixels; QPainter
    // draws those.
    bool flatLine(QPointF a, QPointF b, int widthPx, QRgb colour);
    // The same line's pixels within `rows` only.
    bool flatLine(QPointF a, QPointF b, int widthPx, QRgb colour, Rows rows);
    // Whether flatLine draws the line (cheap for all but long lines).
    bool copiesFlatLine(QPointF a, QPointF b, int widthPx) const;
    int width() const { return width_; }
    // Whether `rect` lies inside the image, a pixel off its edges.
    bool holds(const QRect& rect) const
    {
        return rect.left() >= 1 && rect.top() >= 1 && rect.right() < width_ - 1 &&
               rect.bottom() < height_ - 1;
    }
    // The mask with its origin at `at`, clipped to the image.
    void stamp(const Mask& mask, QPoint at, QRgb colour);
    // The same for a mask known to lie inside the image.
    void stampInside(const Mask& mask, QPoint at, QRgb colour);
    void stampInside(const Mask& mask, QPoint at, QRgb colour, Rows rows);
    int height() const { return height_; }
    // The first pixel of the image, to tell whether a painter still draws into the same rows.
    const uchar* bits() const { return bits_; }

private:
    ImageTarget(uchar* bits, qsizetype bytesPerLine, int width, int height)
        : bits_(bits), bytesPerLine_(bytesPerLine), width_(width), height_(height)
    {
    }
    void span(int y, int x, int length, QRgb colour)
    {
        auto* row = reinterpret_cast<QRgb*>(bits_ + y * bytesPerLine_) + x;
        for (int i = 0; i < length; ++i)
            row[i] = colour;
    }

    uchar* bits_;
    qsizetype bytesPerLine_;
    int width_;
    int height_;
};

} // namespace tv::raster
