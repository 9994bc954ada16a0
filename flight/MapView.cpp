#include "flight/MapView.h"

#include "core/GeoMath.h"
#include "core/Rounding.h"
#include "flight/DrawSurface.h"
#include "flight/NumberText.h"

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
    : constants_(constants), storage_(blankStorage()), CenterMap_(constants.centreMapAtStart)
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
    SX_ = static_cast<float>(sx);
    SY_ = static_cast<float>(sy);
    SW_ = static_cast<float>(sw);
    SH_ = static_cast<float>(sh);
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
    if (ChartWidth_ > 0.0 && ChartHeight_ > 0.0 && finite(ChartHeight_ / ChartWidth_))
        return ChartHeight_ / ChartWidth_;
    return static_cast<double>(ImageHeight_) / ImageWidth_;
}

// ViewAspect = SH / SW that shows the chart undistorted in the view. A view without a size yet
// (a minimised window) is taken as square until it gets one.
void MapView::computeViewAspect()
{
    const double viewRatio = viewWidth_ > 0.0 && viewHeight_ > 0.0 ? viewHeight_ / viewWidth_ : 1.0;
    const double imageRatio = static_cast<double>(ImageHeight_) / ImageWidth_;
    const double aspect = imageRatio * viewRatio / chartProportion();
    if (fitsSingle(aspect))
        ViewAspect_ = static_cast<float>(aspect);
}

// A newly loaded image is shown from its top-left corner, half of its width across the view,
// slider value 0.
void MapView::startAtTopLeft()
{
    SX_ = 0.0f;
    SY_ = 0.0f;
    SW_ = ImageWidth_ / 2.0f;
    SH_ = ViewAspect_ * SW_;
    BaseSW_ = SW_;
    sliderValue_ = 0;
}

MapView::LoadResult MapView::InitializeData(const ChartRow& row, const QImage& image)
{
    if (!row.breite || !row.hoehe || !finite(*row.breite) || !finite(*row.hoehe))
        return LoadResult::BadChart;
    ChartWidth_ = *row.breite;
    ChartHeight_ = *row.hoehe;
    if (!image.isNull())
        storage_ = paintable(image);
    // From here on the conversions use this row's lower and left edges.
    if (row.unten && finite(*row.unten))
        untenDeg_ = edgeToDegrees(*row.unten);
    if (row.links && finite(*row.links))
        linksDeg_ = edgeToDegrees(*row.links);

    if (!row.rechts || !row.links)
        return LoadResult::BadChart;
    const double spanX = (edgeToDegrees(*row.rechts) - edgeToDegrees(*row.links)) * 10.0;
    if (spanX == 0.0 || !finite(ChartWidth_ / spanX))
        return LoadResult::BadChart;
    scaleX_ = ChartWidth_ / spanX;
    if (!row.oben || !row.unten)
        return LoadResult::BadChart;
    const double spanY = (edgeToDegrees(*row.oben) - edgeToDegrees(*row.unten)) * 10.0;
    if (spanY == 0.0 || !finite(ChartHeight_ / spanY))
        return LoadResult::BadChart;
    scaleY_ = ChartHeight_ / spanY;

    ImageWidth_ = static_cast<float>(storage_.width());
    ImageHeight_ = static_cast<float>(storage_.height());
    if (!(ChartWidth_ > 0.0) || !(ChartHeight_ > 0.0))
        return LoadResult::BadChart;
    computeViewAspect();
    startAtTopLeft();
    return LoadResult::Loaded;
}

void MapView::InitializeImageView(const QImage& image, double headerWidth, double headerHeight)
{
    if (!image.isNull())
        storage_ = paintable(image);
    ChartWidth_ = finite(headerWidth) ? headerWidth : 0.0;
    ChartHeight_ = finite(headerHeight) ? headerHeight : 0.0;
    ImageWidth_ = static_cast<float>(storage_.width());
    ImageHeight_ = static_cast<float>(storage_.height());
    computeViewAspect();
    startAtTopLeft();
}

// A view relatively taller than the image: the bottom edge is kept on the image, and when that
// pushes the top above it the whole image height is shown, stretched.
void MapView::clampBottom()
{
    const float imageH = static_cast<float>(storage_.height());
    if (SY_ + SH_ > imageH)
        SY_ = imageH - SH_;
    if (SY_ < 0.0f) {
        SH_ = SH_ + SY_;
        SY_ = 0.0f;
    }
}

void MapView::FitViewToWindow()
{
    ImageWidth_ = static_cast<float>(storage_.width());
    ImageHeight_ = static_cast<float>(storage_.height());
    computeViewAspect();
    SH_ = ViewAspect_ * SW_;
    if (SX_ + SW_ > ImageWidth_)
        SX_ = ImageWidth_ - SW_;
    clampBottom();
}

void MapView::SlideMapChange(bool thumbDragging)
{
    const double storageW = storage_.width();
    const double sw = sliderValue_ * (storageW - BaseSW_) / 100.0 + BaseSW_;
    SW_ = static_cast<float>(sw);
    if (viewWidth_ / kMaxEnlargement > SW_)
        SW_ = static_cast<float>(viewWidth_ / kMaxEnlargement);
    if (SX_ + SW_ > storageW)
        SX_ = static_cast<float>(storageW - SW_);
    if (thumbDragging && sliderValue_ == kSliderMax)
        SH_ = SW_ * static_cast<float>(storage_.height()) / static_cast<float>(storage_.width());
    else
        SH_ = ViewAspect_ * SW_;
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
    PressX_ = static_cast<float>(x);
    PressY_ = static_cast<float>(y);
}

bool MapView::dragTo(double x, double y)
{
    if (CenterMap_ || (constants_.panLockedAtMaxZoom && sliderValue_ == kSliderMax))
        return false;
    if (!fitsSingle(x) || !fitsSingle(y))
        return false;
    moveSourceX(PressX_ - x);
    moveSourceY(PressY_ - y);
    PressX_ = static_cast<float>(x);
    PressY_ = static_cast<float>(y);
    return true;
}

void MapView::moveSourceX(double dx)
{
    if (!finite(dx))
        return;
    double sx = SX_ + dx;
    if (sx < 0.0)
        sx = 0.0;
    if (ImageWidth_ - kPanEdgeMargin < sx)
        sx = ImageWidth_ - kPanEdgeMargin;
    if (sx + SW_ > ImageWidth_)
        sx = ImageWidth_ - SW_;
    SX_ = static_cast<float>(sx);
}

void MapView::moveSourceY(double dy)
{
    if (!finite(dy))
        return;
    double sy = SY_ + dy;
    if (sy < 0.0)
        sy = 0.0;
    const double bottomMargin = ImageHeight_ - ViewAspect_ * kPanEdgeMargin;
    if (bottomMargin < sy)
        sy = bottomMargin;
    if (sy + SH_ > ImageHeight_)
        sy = ImageHeight_ - SH_;
    SY_ = static_cast<float>(sy);
}

void MapView::CenterMapOnPosition(double planeX, double planeY)
{
    if (!finite(planeX) || !finite(planeY) || viewWidth_ <= 0.0 || viewHeight_ <= 0.0)
        return;
    double sx = SX_ + (planeX - viewWidth_ / 2.0) * SW_ / viewWidth_;
    double sy = SY_ + (planeY - viewHeight_ / 2.0) * SH_ / viewHeight_;
    if (!finite(sx) || !finite(sy))
        return;
    const double storageW = storage_.width();
    const double storageH = storage_.height();
    if (sx + SW_ > storageW)
        sx = storageW - SW_;
    if (sy + SH_ > storageH)
        sy = storageH - SH_;
    if (sx < 0.0)
        sx = 0.0;
    if (sy < 0.0)
        sy = 0.0;
    SX_ = static_cast<float>(sx);
    SY_ = static_cast<float>(sy);
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
        !finite(x) || !finite(y) || x < 0.0 || y < 0.0 || x >= ChartWidth_ || y >= ChartHeight_;
    if (placement.offChart)
        CenterMap_ = false;
    if (finite(x) && finite(y))
        placement.viewPx = imageToView(placement.imagePx);
    if (CenterMap_ && placement.viewPx)
        CenterMapOnPosition(placement.viewPx->x(), placement.viewPx->y());
    return placement;
}

void MapView::paint(DrawSurface& picMap) const
{
    picMap.PaintPicture(storage_, picMap.ScaleLeft(), picMap.ScaleTop(), picMap.ScaleWidth(),
                        picMap.ScaleHeight(), SX_, SY_, SW_, SH_);
}

QPointF MapView::positionToImage(GeoPos position) const
{
    return {(position.lonDeg - linksDeg_) * 10.0 * scaleX_,
            ChartHeight_ - (position.latDeg - untenDeg_) * 10.0 * scaleY_};
}

std::optional<QPointF> MapView::imageToView(QPointF imagePx) const
{
    if (!(SW_ > 0.0f) || !(SH_ > 0.0f))
        return std::nullopt;
    const QPointF view((imagePx.x() - SX_) * (viewWidth_ / SW_),
                       (imagePx.y() - SY_) * (viewHeight_ / SH_));
    if (!finite(view.x()) || !finite(view.y()))
        return std::nullopt;
    return view;
}

std::optional<QPointF> MapView::viewToImage(QPointF viewPx) const
{
    if (!(SW_ > 0.0f) || !(SH_ > 0.0f) || viewWidth_ <= 0.0 || viewHeight_ <= 0.0)
        return std::nullopt;
    const QPointF image(viewPx.x() / (viewWidth_ / SW_) + SX_,
                        viewPx.y() / (viewHeight_ / SH_) + SY_);
    if (!finite(image.x()) || !finite(image.y()))
        return std::nullopt;
    return image;
}

std::optional<GeoPos> MapView::imageToPosition(QPointF imagePx) const
{
    if (scaleX_ == 0.0 || scaleY_ == 0.0)
        return std::nullopt;
    const GeoPos pos{untenDeg_ - (imagePx.y() - ChartHeight_) / (scaleY_ * 10.0),
                     linksDeg_ + imagePx.x() / (scaleX_ * 10.0)};
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

bool MapView::CalcViewBounds(double x1, double y1, double x2, double y2)
{
    const auto northWest = viewToPosition({x1, y1});
    const auto southEast = viewToPosition({x2, y2});
    if (!northWest || !southEast)
        return false;
    ViewTop_ = RoundHalfEven(DegreesToDDMM(northWest->latDeg), 2);
    ViewLeft_ = RoundHalfEven(DegreesToDDMM(northWest->lonDeg), 2);
    ViewBottom_ = RoundHalfEven(DegreesToDDMM(southEast->latDeg), 2);
    ViewRight_ = RoundHalfEven(DegreesToDDMM(southEast->lonDeg), 2);
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
