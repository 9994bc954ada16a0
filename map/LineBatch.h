#pragma once

// What Drawing::Lines draws with: the batch's ends in pixels, what each line puts down and
// where (straight into the image's rows or through the painter), the pens and discs of its
// colours and widths, and the long runs shared out by rows among a few threads. Only Drawing
// uses this.

#include <QPointF>

#include <cstdint>
#include <vector>

class QPainter;

namespace tv {

namespace raster {
class ImageTarget;
}

// One line of a batch: ends in user units, colour 0x00BBGGRR, width in pixels.
struct LineSpec
{
    QPointF from;
    QPointF to;
    uint32_t bgr = 0;
    int widthPx = 1;
};

// Where user units land in pixels: ((x - left) * perUnitX, (y - top) * perUnitY).
struct UserScale
{
    double left;
    double top;
    double perUnitX;
    double perUnitY;
};

// Whether a line between these pixel positions goes to the rasteriser: coordinates far
// outside the picture (a point thousands of charts away) are left out.
bool drawableLine(QPointF a, QPointF b);

// Draws batches of lines and keeps its lists from batch to batch, so that a large drawing does
// not fault in fresh memory for them on every redraw. A copy starts without.
class LineBatch
{
public:
    LineBatch() = default;
    LineBatch(const LineBatch&) {}
    LineBatch& operator=(const LineBatch&) { return *this; }

    // Draws `lines` in order with `painter`, on the image's rows themselves through `direct`
    // where that gives the painter's pixels (null: everything through the painter). `painter`
    // must draw on the same rows as `direct`.
    void draw(const std::vector<LineSpec>& lines, const UserScale& scale, QPainter& painter,
              raster::ImageTarget* direct);

    // One line of a batch: its stroke and the discs at its ends, each drawn straight into the
    // image (kDirect) or through the painter.
    enum Way : uint8_t { kNone, kDirect, kPainter };
    struct Item
    {
        uint32_t line;  // in the batch
        uint32_t style; // the pen, in the order the batch met them
        Way stroke;
        Way disc[2];
        int32_t rowFirst; // the rows a direct part may touch
        int32_t rowLast;
    };

private:
    std::vector<QPointF> ends_;
    std::vector<char> marks_;
    std::vector<Item> run_;
};

} // namespace tv
