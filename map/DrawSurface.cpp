#include "map/DrawSurface.h"

#include <cmath>

namespace tv {
namespace {

// 96 dots per inch, so that point sizes come out in the pixel sizes the program was laid out for.
constexpr int kDotsPerMeter = 3780;

QImage blankImage(int widthPx, int heightPx, uint32_t backColor)
{
    if (widthPx <= 0 || heightPx <= 0)
        return {};
    QImage image(widthPx, heightPx, QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    image.fill(vbColor(backColor));
    return image;
}

} // namespace

DrawSurface::DrawSurface(int widthPx, int heightPx, uint32_t backColor)
    : Drawing(widthPx, heightPx, backColor), image_(blankImage(widthPx, heightPx, BackColor()))
{
}

void DrawSurface::resize(int widthPx, int heightPx)
{
    image_ = blankImage(widthPx, heightPx, BackColor());
    deviceResized(widthPx, heightPx);
}

QPaintDevice* DrawSurface::device() const
{
    return image_.isNull() ? nullptr : &image_;
}

void DrawSurface::fillBackground()
{
    if (!image_.isNull())
        image_.fill(vbColor(BackColor()));
}

int64_t DrawSurface::Point(double x, double y) const
{
    const QPointF p = toPixels({x, y});
    if (image_.isNull() || !std::isfinite(p.x()) || !std::isfinite(p.y()))
        return -1;
    const double px = std::floor(p.x());
    const double py = std::floor(p.y());
    if (px < 0 || py < 0 || px >= image_.width() || py >= image_.height())
        return -1;
    return vbColorValue(image_.pixelColor(static_cast<int>(px), static_cast<int>(py)));
}

} // namespace tv
