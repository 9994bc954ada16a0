#include "map/MapView.h"

#include "core/GeoMath.h"
#include "core/Rounding.h"
#include "map/Drawing.h"
#include "map/NumberText.h"

#include <QColor>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tv {
namespace {

// Largest magnification of the chart: SW never falls below a eighth of the view width.
constexpr double kMaxEnlargement = 8.0;
// A drag stops this many image pixels (times ViewAspect at the bottom) before the far edge.
constexpr double kPanEdgeMargin = 10.0;

// The chart as it is kept for painting: 32-bit pixels, so that each redraw stretches it directly
// instead of converting a possibly huge palette image first.
QImage paintable(const QImage& image)
{
    if (image.format() == QImage::Format_RGB32 ||
        image.format() == QImage::Format_ARGB32_Premultiplied)
        return image;
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage blankStorage()
{
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

bool finite(double v)
{
    return std::isfinite(v);
}

// A value kept as a Single: refused when it does not fit.
bool fitsSingle(double v)
{
    return finite(v) && std::fabs(v) <= std::numeric_limits<float>::max();
}

} // namespace

MapView::MapView(MapViewConstants constants)
    : constants_(constants), storage_(blankStorage()),
      centredOnAircraft_(constants.centreMapAtStart)
{
}

void MapView::setSliderValue(int value)
{
    sliderValue_ = std::clamp(value, kSliderMin, kSliderMax);
}

void MapView::setViewSize(double widthPx, double heightPx)
{
    viewWidth_ = finite(widthPx) && widthPx > 0.0 ? widthPx : 0.0;
    viewHeight_ = finite(heightPx) && heightPx > 0.0 ? heightPx : 0.0;
}

bool MapView::restoreView(double sx, double sy, double sw, double sh, double slider)
{
    if (!fitsSingle(sx) || !fitsSingle(sy) || !fitsSingle(sw) || !fitsSingle(sh) || !finite(slider))
        return false;
    sourceX_ = static_cast<float>(sx);
    sourceY_ = static_cast<float>(sy);
    sourceWidth_ = static_cast<float>(sw);
    sourceHeight_ = static_cast<float>(sh);
    setSliderValue(
        ToInt32HalfEven(std::clamp(slider, double(kSliderMin), double(kSliderMax))).value_or(0));
    return true;
}

double MapView::edgeToDegrees(double ddmm)
{
    return DDMMToDegrees(ddmm);
}

// Height / width of the chart as the calibration knows it; where that is unknown (no chart yet,
// a header size of 0) the loaded image's own proportion, which keeps the image undistorted.
double MapView::chartProportion() const
{
    if (chartWidthPx_ > 0.0 && chartHeightPx_ > 0.0 && finite(chartHeightPx_ / chartWidthPx_))
        return chartHeightPx_ / chartWidthPx_;
    return static_cast<double>(imageHeightPx_) / imageWidthPx_;
}

// ViewAspect = SH / SW that shows the chart undistorted in the view. A view without a size yet
// (a minimised window) is taken as square until it gets one.
void MapView::computeViewAspect()
{
    const double viewRatio = viewWidth_ > 0.0 && viewHeight_ > 0.0 ? viewHeight_ / viewWidth_ : 1.0;
    const double imageRatio = static_cast<double>(imageHeightPx_) / imageWidthPx_;
    const double aspect = imageRatio * viewRatio / chartProportion();
    if (fitsSingle(aspect))
        viewAspect_ = static_cast<float>(aspect);
}

// A newly loaded image is shown from its top-left corner, half of its width across the view,
// slider value 0.
void MapView::startAtTopLeft()
{
    sourceX_ = 0.0f;
    sourceY_ = 0.0f;
    sourceWidth_ = imageWidthPx_ / 2.0f;
    sourceHeight_ = viewAspect_ * sourceWidth_;
    baseSourceWidth_ = sourceWidth_;
    sliderValue_ = 0;
}

MapView::LoadResult MapView::loadChart(const ChartRow& row, const QImage& image)
{
    if (!row.widthPx || !row.heightPx || !finite(*row.widthPx) || !finite(*row.heightPx))
        return LoadResult::BadChart;
    chartWidthPx_ = *row.widthPx;
    chartHeightPx_ = *row.heightPx;
    if (!image.isNull())
        storage_ = paintable(image);
    // From here on the conversions use this row's lower and left edges.
    if (row.southDDMM && finite(*row.southDDMM))
        southEdgeDeg_ = edgeToDegrees(*row.southDDMM);
    if (row.westDDMM && finite(*row.westDDMM))
        westEdgeDeg_ = edgeToDegrees(*row.westDDMM);

    if (!row.eastDDMM || !row.westDDMM)
        return LoadResult::BadChart;
    const double spanX = (edgeToDegrees(*row.eastDDMM) - edgeToDegrees(*row.westDDMM)) * 10.0;
    if (spanX == 0.0 || !finite(chartWidthPx_ / spanX))
        return LoadResult::BadChart;
    scaleX_ = chartWidthPx_ / spanX;
    if (!row.northDDMM || !row.southDDMM)
        return LoadResult::BadChart;
    const double spanY = (edgeToDegrees(*row.northDDMM) - edgeToDegrees(*row.southDDMM)) * 10.0;
    if (spanY == 0.0 || !finite(chartHeightPx_ / spanY))
        return LoadResult::BadChart;
    scaleY_ = chartHeightPx_ / spanY;

    imageWidthPx_ = static_cast<float>(storage_.width());
    imageHeightPx_ = static_cast<float>(storage_.height());
    if (!(chartWidthPx_ > 0.0) || !(chartHeightPx_ > 0.0))
        return LoadResult::BadChart;
    computeViewAspect();
    startAtTopLeft();
    return LoadResult::Loaded;
}

void MapView::loadImage(const QImage& image, double headerWidth, double headerHeight)
{
    if (!image.isNull())
        storage_ = paintable(image);
    chartWidthPx_ = finite(headerWidth) ? headerWidth : 0.0;
    chartHeightPx_ = finite(headerHeight) ? headerHeight : 0.0;
    imageWidthPx_ = static_cast<float>(storage_.width());
    imageHeightPx_ = static_cast<float>(storage_.height());
    computeViewAspect();
    startAtTopLeft();
}

// A view relatively taller than the image: the bottom edge is kept on the image, and when that
// pushes the top above it the whole image height is shown, stretched.
void MapView::clampBottom()
{
    const float imageH = static_cast<float>(storage_.height());
    if (sourceY_ + sourceHeight_ > imageH)
        sourceY_ = imageH - sourceHeight_;
    if (sourceY_ < 0.0f) {
        sourceHeight_ = sourceHeight_ + sourceY_;
        sourceY_ = 0.0f;
    }
}

void MapView::fitToView()
{
    imageWidthPx_ = static_cast<float>(storage_.width());
    imageHeightPx_ = static_cast<float>(storage_.height());
    computeViewAspect();
    sourceHeight_ = viewAspect_ * sourceWidth_;
    if (sourceX_ + sourceWidth_ > imageWidthPx_)
        sourceX_ = imageWidthPx_ - sourceWidth_;
    clampBottom();
}

void MapView::applyZoom(bool thumbDragging)
{
    const double storageW = storage_.width();
    const double sw = sliderValue_ * (storageW - baseSourceWidth_) / 100.0 + baseSourceWidth_;
    sourceWidth_ = static_cast<float>(sw);
    if (viewWidth_ / kMaxEnlargement > sourceWidth_)
        sourceWidth_ = static_cast<float>(viewWidth_ / kMaxEnlargement);
    if (sourceX_ + sourceWidth_ > storageW)
        sourceX_ = static_cast<float>(storageW - sourceWidth_);
    if (thumbDragging && sliderValue_ == kSliderMax)
        sourceHeight_ = sourceWidth_ * static_cast<float>(storage_.height()) /
                        static_cast<float>(storage_.width());
    else
        sourceHeight_ = viewAspect_ * sourceWidth_;
    clampBottom();
}

int MapView::sliderValueFromClick(double xTwips) const
{
    if (constants_.sliderMaxBeyondTwips && xTwips > *constants_.sliderMaxBeyondTwips)
        return kSliderMax;
    if (constants_.sliderMinBelowTwips && xTwips < *constants_.sliderMinBelowTwips)
        return kSliderMin;
    const double centre = constants_.sliderCentreTwips;
    const double raw = (xTwips - centre) * 100.0 / centre;
    if (!finite(raw))
        return sliderValue_;
    const double clamped = std::clamp(raw, double(kSliderMin), double(kSliderMax));
    return ToInt32HalfEven(clamped).value_or(0);
}

void MapView::press(double x, double y)
{
    if (!fitsSingle(x) || !fitsSingle(y))
        return;
    pressX_ = static_cast<float>(x);
    pressY_ = static_cast<float>(y);
}

bool MapView::dragTo(double x, double y)
{
    if (centredOnAircraft_ || (constants_.panLockedAtMaxZoom && sliderValue_ == kSliderMax))
        return false;
    if (!fitsSingle(x) || !fitsSingle(y))
        return false;
    moveSourceX(pressX_ - x);
    moveSourceY(pressY_ - y);
    pressX_ = static_cast<float>(x);
    pressY_ = static_cast<float>(y);
    return true;
}

void MapView::moveSourceX(double dx)
{
    if (!finite(dx))
        return;
    double sx = sourceX_ + dx;
    if (sx < 0.0)
        sx = 0.0;
    if (imageWidthPx_ - kPanEdgeMargin < sx)
        sx = imageWidthPx_ - kPanEdgeMargin;
    if (sx + sourceWidth_ > imageWidthPx_)
        sx = imageWidthPx_ - sourceWidth_;
    sourceX_ = static_cast<float>(sx);
}

void MapView::moveSourceY(double dy)
{
    if (!finite(dy))
        return;
    double sy = sourceY_ + dy;
    if (sy < 0.0)
        sy = 0.0;
    const double bottomMargin = imageHeightPx_ - viewAspect_ * kPanEdgeMargin;
    if (bottomMargin < sy)
        sy = bottomMargin;
    if (sy + sourceHeight_ > imageHeightPx_)
        sy = imageHeightPx_ - sourceHeight_;
    sourceY_ = static_cast<float>(sy);
}

void MapView::centreOn(double planeX, double planeY)
{
    if (!finite(planeX) || !finite(planeY) || viewWidth_ <= 0.0 || viewHeight_ <= 0.0)
        return;
    double sx = sourceX_ + (planeX - viewWidth_ / 2.0) * sourceWidth_ / viewWidth_;
    double sy = sourceY_ + (planeY - viewHeight_ / 2.0) * sourceHeight_ / viewHeight_;
    if (!finite(sx) || !finite(sy))
        return;
    const double storageW = storage_.width();
    const double storageH = storage_.height();
    if (sx + sourceWidth_ > storageW)
        sx = storageW - sourceWidth_;
    if (sy + sourceHeight_ > storageH)
        sy = storageH - sourceHeight_;
    if (sx < 0.0)
        sx = 0.0;
    if (sy < 0.0)
        sy = 0.0;
    sourceX_ = static_cast<float>(sx);
    sourceY_ = static_cast<float>(sy);
}

AircraftPlacement MapView::placeAircraft(GeoPos position)
{
    AircraftPlacement placement;
    placement.imagePx = positionToImage(position);
    const double x = placement.imagePx.x();
    const double y = placement.imagePx.y();
    // The right and bottom edges are already off the chart; a position that gives no number
    // counts as off the chart too.
    placement.offChart =
        !finite(x) || !finite(y) || x < 0.0 || y < 0.0 || x >= chartWidthPx_ || y >= chartHeightPx_;
    if (placement.offChart)
        centredOnAircraft_ = false;
    if (finite(x) && finite(y))
        placement.viewPx = imageToView(placement.imagePx);
    if (centredOnAircraft_ && placement.viewPx)
        centreOn(placement.viewPx->x(), placement.viewPx->y());
    return placement;
}

void MapView::paint(Drawing& surface) const
{
    surface.PaintPicture(storage_, surface.ScaleLeft(), surface.ScaleTop(), surface.ScaleWidth(),
                         surface.ScaleHeight(), sourceX_, sourceY_, sourceWidth_, sourceHeight_);
}

QPointF MapView::positionToImage(GeoPos position) const
{
    return {(position.lonDeg - westEdgeDeg_) * 10.0 * scaleX_,
            chartHeightPx_ - (position.latDeg - southEdgeDeg_) * 10.0 * scaleY_};
}

std::optional<QPointF> MapView::imageToView(QPointF imagePx) const
{
    if (!(sourceWidth_ > 0.0f) || !(sourceHeight_ > 0.0f))
        return std::nullopt;
    const QPointF view((imagePx.x() - sourceX_) * (viewWidth_ / sourceWidth_),
                       (imagePx.y() - sourceY_) * (viewHeight_ / sourceHeight_));
    if (!finite(view.x()) || !finite(view.y()))
        return std::nullopt;
    return view;
}

std::optional<QPointF> MapView::viewToImage(QPointF viewPx) const
{
    if (!(sourceWidth_ > 0.0f) || !(sourceHeight_ > 0.0f) || viewWidth_ <= 0.0 ||
        viewHeight_ <= 0.0)
        return std::nullopt;
    const QPointF image(viewPx.x() / (viewWidth_ / sourceWidth_) + sourceX_,
                        viewPx.y() / (viewHeight_ / sourceHeight_) + sourceY_);
    if (!finite(image.x()) || !finite(image.y()))
        return std::nullopt;
    return image;
}

std::optional<GeoPos> MapView::imageToPosition(QPointF imagePx) const
{
    if (scaleX_ == 0.0 || scaleY_ == 0.0)
        return std::nullopt;
    const GeoPos pos{southEdgeDeg_ - (imagePx.y() - chartHeightPx_) / (scaleY_ * 10.0),
                     westEdgeDeg_ + imagePx.x() / (scaleX_ * 10.0)};
    if (!finite(pos.latDeg) || !finite(pos.lonDeg))
        return std::nullopt;
    return pos;
}

std::optional<QPointF> MapView::positionToView(GeoPos position) const
{
    const QPointF image = positionToImage(position);
    if (!finite(image.x()) || !finite(image.y()))
        return std::nullopt;
    return imageToView(image);
}

std::optional<GeoPos> MapView::viewToPosition(QPointF viewPx) const
{
    const auto image = viewToImage(viewPx);
    if (!image)
        return std::nullopt;
    return imageToPosition(*image);
}

bool MapView::computeViewBounds(double x1, double y1, double x2, double y2)
{
    const auto northWest = viewToPosition({x1, y1});
    const auto southEast = viewToPosition({x2, y2});
    if (!northWest || !southEast)
        return false;
    viewNorthDDMM_ = RoundHalfEven(DegreesToDDMM(northWest->latDeg), 2);
    viewWestDDMM_ = RoundHalfEven(DegreesToDDMM(northWest->lonDeg), 2);
    viewSouthDDMM_ = RoundHalfEven(DegreesToDDMM(southEast->latDeg), 2);
    viewEastDDMM_ = RoundHalfEven(DegreesToDDMM(southEast->lonDeg), 2);
    return true;
}

int MapView::zoomedDrawWidth(int baseWidth) const
{
    return zoomedDrawWidth(baseWidth, sliderValue_);
}

int MapView::zoomedDrawWidth(int baseWidth, int sliderValue)
{
    return ToInt32HalfEven(baseWidth - sliderValue / 50.0).value_or(baseWidth);
}

ChartStep stepToNextChart(int mapListIndex, int entryCount)
{
    ChartStep step;
    step.mapListIndex = mapListIndex < entryCount - 1 ? mapListIndex + 1 : 0;
    if (entryCount > 0)
        step.nextEntry = step.mapListIndex < entryCount - 1 ? step.mapListIndex + 1 : 0;
    return step;
}

QString formatTargetCoordinate(double ddmm)
{
    return formatNumber(ddmm, QStringLiteral("###.##0"));
}

} // namespace tv
