#include "map/DrawingRaster.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace tv::raster {
namespace {

// The raster engine's scan converter takes polygon corners in 26.6 fixed point (the pixel
// value times 64, cut towards zero) and steps edges in 16.16 fixed point with 0.5 added, so
// that a pixel belongs to a row's span when its centre lies at or right of the left edge and
// left of the right edge.
struct Point26Dot6
{
    int x;
    int y;
};

Point26Dot6 to26Dot6(QPointF p)
{
    return {static_cast<int>(p.x() * 64.0), static_cast<int>(p.y() * 64.0)};
}

// The engine's test that two coordinates are the same to within 1/64 pixel.
bool same26Dot6(double p1, double p2)
{
    return static_cast<int>((p2 - p1) * 64.0) == 0;
}

// One polygon edge over the rows whose centres it crosses: x (16.16, 0.5 added) at the first
// row and its step per row.
struct Edge
{
    int64_t x = 0;
    int64_t step = 0;
    int top = 0;
    int bottom = -1;
};

constexpr int64_t kHalf = int64_t(1) << 15;
// An edge steeper than this (pixels across per row) is not copied: its step would leave the
// engine's 32-bit fixed point.
constexpr double kMaxSlope = 16384.0;

// std::floor for the values at hand (well within 64 bits), without a library call.
int64_t floorToInt(double v)
{
    const auto i = static_cast<int64_t>(v);
    return double(i) > v ? i - 1 : i;
}

// False when the edge is one this does not copy.
[[gnu::always_inline]] inline bool makeEdge(Point26Dot6 a, Point26Dot6 b, Edge& e)
{
    if (a.y > b.y)
        std::swap(a, b);
    e.top = (a.y + 32) >> 6;
    e.bottom = (b.y - 32) >> 6;
    if (e.top > e.bottom)
        return true; // crosses no row centre
    const int64_t aFP = kHalf + (int64_t(a.x) << 10);
    if (b.x == a.x) {
        e.x = aFP;
        e.step = 0;
        return true;
    }
    const double slope = (b.x - a.x) / double(b.y - a.y);
    if (!(std::fabs(slope) < kMaxSlope))
        return false;
    const int64_t t = (int64_t(e.top) << 16) + kHalf - (int64_t(a.y) << 10);
    e.x = aFP + floorToInt(double(b.x - a.x) * double(t) / double(b.y - a.y));
    e.step = static_cast<int64_t>(slope * 65536.0);
    return true;
}

// Whether a line keeps clear of the image's edges: the engine clips lines there its own way.
[[gnu::always_inline]] inline bool clearOfEdges(QPointF a, QPointF b, int widthPx, int imageWidth,
                                                int imageHeight)
{
    const double margin = widthPx / 2.0 + 2.0;
    return std::min(a.x(), b.x()) - margin >= 0.0 && std::min(a.y(), b.y()) - margin >= 0.0 &&
           std::max(a.x(), b.x()) + margin <= imageWidth - 1.0 &&
           std::max(a.y(), b.y()) + margin <= imageHeight - 1.0;
}

// The pixels of a flat-ended line: a rectangle of whole pixels for level and upright lines,
// else the rows between the edges of the rectangle about it.
struct FlatLineShape
{
    bool upright = false;
    int rowFrom = 0; // upright: rows [rowFrom, rowTo), columns [left, right)
    int rowTo = 0;
    int left = 0;
    int right = 0;
    Edge edges[4];
    int top = 0; // any other line: the rows its edges cross
    int bottom = -1;
};

// False for a line this does not copy.
[[gnu::always_inline]] inline bool shapeOf(QPointF a, QPointF b, int widthPx, int imageWidth,
                                           int imageHeight, FlatLineShape& shape)
{
    // The engine clips lines at the image's edge; lines near it are left to QPainter.
    if (!clearOfEdges(a, b, widthPx, imageWidth, imageHeight) || a == b || widthPx < 3)
        return false;
    const double length = std::hypot(b.x() - a.x(), b.y() - a.y());

    // Level and upright lines (to 1/64 pixel) are filled as rectangles: a level line is turned
    // into an upright one as long as the pen is wide, as wide as the line is long.
    QPointF pa = a;
    QPointF pb = b;
    double width = widthPx / length; // relative to the length, as the engine takes it
    if (same26Dot6(pa.y(), pb.y())) {
        const double x = (pa.x() + pb.x()) * 0.5;
        const double dx = std::fabs(pb.x() - pa.x()) * 0.5;
        const double y = pa.y();
        const double dy = width * dx;
        pa = QPointF(x, y - dy);
        pb = QPointF(x, y + dy);
        width = 1 / width;
    }
    if (same26Dot6(pa.x(), pb.x())) {
        if (pa.y() > pb.y())
            std::swap(pa, pb);
        shape.upright = true;
        const double halfWidth = 0.5 * width * (pb.y() - pa.y());
        const double left = std::clamp(pa.x() - halfWidth, 0.0, double(imageWidth));
        const double right = std::clamp(pa.x() + halfWidth, 0.0, double(imageWidth));
        const double top = std::clamp(pa.y(), 0.0, double(imageHeight));
        const double bottom = std::clamp(pb.y(), 0.0, double(imageHeight));
        if (same26Dot6(left, right) || same26Dot6(top, bottom))
            return true; // no pixel
        shape.left = static_cast<int>(left + 0.5);
        shape.right = static_cast<int>(right + 0.5);
        shape.rowFrom = static_cast<int>(top + 0.5);
        shape.rowTo = static_cast<int>(bottom + 0.5);
        return true;
    }

    // Any other line: the rectangle about it, scan-converted.
    const QPointF delta = (b - a) * (0.5 * widthPx / length);
    const QPointF perp(delta.y(), -delta.x());
    const Point26Dot6 corners[4] = {to26Dot6(a + perp), to26Dot6(b + perp), to26Dot6(b - perp),
                                    to26Dot6(a - perp)};
    shape.top = imageHeight;
    shape.bottom = -1;
    for (int i = 0; i < 4; ++i) {
        Edge& e = shape.edges[i];
        if (!makeEdge(corners[i], corners[(i + 1) % 4], e))
            return false;
        if (e.top <= e.bottom) {
            shape.top = std::min(shape.top, e.top);
            shape.bottom = std::max(shape.bottom, e.bottom);
        }
    }
    return true;
}

} // namespace

Mask maskOf(const QImage& image, const QRect& area, QPoint origin)
{
    Mask mask;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int x = r.left();
        while (x <= r.right()) {
            if (qAlpha(row[x]) == 0) {
                ++x;
                continue;
            }
            const int start = x;
            while (x <= r.right() && qAlpha(row[x]) != 0)
                ++x;
            mask.push_back({static_cast<int16_t>(y - origin.y()),
                            static_cast<int16_t>(start - origin.x()), x - start});
        }
    }
    return mask;
}

std::optional<ImageTarget> ImageTarget::of(QImage& image)
{
    const QImage::Format f = image.format();
    if (image.isNull() ||
        (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 &&
         f != QImage::Format_ARGB32_Premultiplied) ||
        image.width() >= 32768 || image.height() >= 32768)
        return std::nullopt;
    return ImageTarget(image.bits(), image.bytesPerLine(), image.width(), image.height());
}

void ImageTarget::stampInside(const Mask& mask, QPoint at, QRgb colour)
{
    uchar* const origin = bits_ + at.y() * bytesPerLine_ + qsizetype(at.x()) * 4;
    for (const Run& run : mask) {
        QRgb* p = reinterpret_cast<QRgb*>(origin + run.dy * bytesPerLine_) + run.x;
        for (QRgb* const end = p + run.length; p != end; ++p)
            *p = colour;
    }
}

void ImageTarget::stampInside(const Mask& mask, QPoint at, QRgb colour, Rows rows)
{
    uchar* const origin = bits_ + at.y() * bytesPerLine_ + qsizetype(at.x()) * 4;
    for (const Run& run : mask) {
        const int y = at.y() + run.dy;
        if (y < rows.first || y > rows.last)
            continue;
        QRgb* p = reinterpret_cast<QRgb*>(origin + run.dy * bytesPerLine_) + run.x;
        for (QRgb* const end = p + run.length; p != end; ++p)
            *p = colour;
    }
}

void ImageTarget::stamp(const Mask& mask, QPoint at, QRgb colour)
{
    for (const Run& run : mask) {
        const int y = at.y() + run.dy;
        if (y < 0 || y >= height_)
            continue;
        const int from = std::max(at.x() + run.x, 0);
        const int to = std::min(at.x() + run.x + run.length, width_);
        if (from < to)
            span(y, from, to - from, colour);
    }
}

bool ImageTarget::copiesFlatLine(QPointF a, QPointF b, int widthPx) const
{
    if (!clearOfEdges(a, b, widthPx, width_, height_) || a == b || widthPx < 3)
        return false;
    // Only an edge that runs 256 pixels across or more can be too flat to copy; the rectangle's
    // edges run no further across than the line or the pen's width.
    constexpr double kShortAcross = 250.0;
    if (std::fabs(b.x() - a.x()) < kShortAcross && widthPx < kShortAcross)
        return true;
    FlatLineShape shape;
    return shapeOf(a, b, widthPx, width_, height_, shape);
}

bool ImageTarget::flatLine(QPointF a, QPointF b, int widthPx, QRgb colour)
{
    return flatLine(a, b, widthPx, colour, {0, height_ - 1});
}

bool ImageTarget::flatLine(QPointF a, QPointF b, int widthPx, QRgb colour, Rows rows)
{
    FlatLineShape shape;
    if (!shapeOf(a, b, widthPx, width_, height_, shape))
        return false;
    if (shape.upright) {
        const int from = std::max(shape.rowFrom, rows.first);
        const int to = std::min(shape.rowTo, rows.last + 1);
        for (int y = from; y < to && shape.left < shape.right; ++y)
            span(y, shape.left, shape.right - shape.left, colour);
        return true;
    }
    // Each row's span runs from the leftmost to the rightmost edge crossing it (every row of
    // a closed outline is crossed twice or more), gathered edge by edge.
    constexpr int kRows = 64;
    const int top = std::max(shape.top, rows.first);
    const int bottom = std::min(shape.bottom, rows.last);
    for (int first = top; first <= bottom; first += kRows) {
        const int last = std::min(bottom, first + kRows - 1);
        int64_t left[kRows];
        int64_t right[kRows];
        std::fill_n(left, last - first + 1, std::numeric_limits<int64_t>::max());
        std::fill_n(right, last - first + 1, std::numeric_limits<int64_t>::min());
        for (const Edge& e : shape.edges) {
            const int from = std::max(e.top, first);
            const int to = std::min(e.bottom, last);
            int64_t x = e.x + e.step * (from - e.top);
            for (int r = from - first; r <= to - first; ++r, x += e.step) {
                left[r] = std::min(left[r], x);
                right[r] = std::max(right[r], x);
            }
        }
        for (int y = first; y <= last; ++y) {
            const int r = y - first;
            if (left[r] > right[r])
                continue;
            const int from = static_cast<int>(left[r] >> 16);
            const int to = static_cast<int>(right[r] >> 16);
            if (from < to)
                span(y, from, to - from, colour);
        }
    }
    return true;
}

} // namespace tv::raster
