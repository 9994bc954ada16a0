#include "planning/PlanMap.h"

#include "core/GeoMath.h"
#include "platform/Connection.h"

#include <cmath>

namespace tv {

namespace {

constexpr double kTwipsPerPixel = 15.0;
constexpr uint32_t kBlankMap = 0xFFC0C0; // designed back colour of the map

bool finite(double v)
{
    return std::isfinite(v);
}

} // namespace

Measurement measure(DDMMPoint waypoint, DDMMPoint cursor)
{
    Measurement m;
    m.distanceNm = ArcRadius(waypoint.lat, waypoint.lon, cursor.lat, cursor.lon);
    m.courseDeg = ArcDimension(waypoint.lat, waypoint.lon, cursor.lat, cursor.lon);
    if (!finite(m.distanceNm))
        m.distanceNm = 0.0;
    if (!finite(m.courseDeg))
        m.courseDeg = 0.0;
    return m;
}

PlanMap::PlanMap(DrawSurface* external)
    : view_(MapViewConstants::planWindow()), own_(509, 430, kBlankMap), external_(external)
{
    view_.setViewSize(surface().ScaleWidth(), surface().ScaleHeight());
}

MapLayerStack PlanMap::layerStack()
{
    MapLayerStack stack;
    stack.add(airspaceLayer_);
    stack.add(routeLayer_);
    stack.add(waypointLayer_);
    return stack;
}

void PlanMap::resize(int widthPx, int heightPx)
{
    surface().resize(widthPx, heightPx);
    surfaceResized();
}

void PlanMap::surfaceResized()
{
    view_.setViewSize(surface().ScaleWidth(), surface().ScaleHeight());
    if (chartShown_)
        view_.fitToView();
}

bool PlanMap::loadChart(const ChartRow& row, const QImage& picture)
{
    chartShown_ = false;
    // A picture that cannot be read is a chart error: its edges must never be drawn over the
    // previous chart's picture.
    if (picture.isNull() || view_.loadChart(row, picture) != MapView::LoadResult::Loaded ||
        !(view_.scaleX() > 0.0) || !(view_.scaleY() > 0.0) || !finite(view_.scaleX()) ||
        !finite(view_.scaleY())) {
        surface().Cls();
        return false;
    }
    chartShown_ = true;
    setZoom(0);
    return true;
}

void PlanMap::clearChart()
{
    chartShown_ = false;
    lastRedraw_ = QImage();
    paintedChart_ = QImage();
    surface().Cls();
}

void PlanMap::setZoom(int sliderValue)
{
    view_.setSliderValue(sliderValue);
    view_.applyZoom();
}

int PlanMap::sliderValueFromClickPx(double xPixels) const
{
    return view_.sliderValueFromClick(xPixels * kTwipsPerPixel);
}

std::optional<DDMMPoint> PlanMap::positionAt(double x, double y) const
{
    if (!chartShown_)
        return std::nullopt;
    const std::optional<GeoPos> pos = view_.viewToPosition(QPointF(x, y));
    if (!pos || !finite(pos->latDeg) || !finite(pos->lonDeg))
        return std::nullopt;
    return DDMMPoint{DegreesToDDMM(pos->latDeg), DegreesToDDMM(pos->lonDeg)};
}

std::optional<QPointF> PlanMap::pointOf(double latDDMM, double lonDDMM) const
{
    if (!finite(latDDMM) || !finite(lonDDMM))
        return std::nullopt;
    return view_.positionToView(GeoPos{DDMMToDegrees(latDDMM), DDMMToDegrees(lonDDMM)});
}

std::optional<PlanViewBox> PlanMap::viewBox() const
{
    if (!chartShown_)
        return std::nullopt;
    return planViewBox(surface(), view_);
}

void PlanMap::centreOn(DDMMPoint position)
{
    if (!chartShown_)
        return;
    if (const std::optional<QPointF> p = pointOf(position.lat, position.lon))
        view_.centreOn(p->x(), p->y());
}

PlanMapResult PlanMap::RedrawMap(PlanMapInputs inputs)
{
    airspaceLayer_.prepare(std::move(inputs.airspaces));
    routeLayer_.prepare(std::move(inputs.route));
    waypointLayer_.prepare(inputs.waypoints);
    if (!chartShown_) {
        surface().Cls();
        return {routeLayer_.lengthNm(), std::nullopt};
    }
    paintChart();
    layerStack().draw(surface(), view_);
    lastRedraw_ = surface().image();
    return {routeLayer_.lengthNm(), airspaceLayer_.box()};
}

PlanMap::ChartPaint PlanMap::chartPaintKey() const
{
    const DrawSurface& s = surface();
    return {view_.storage().cacheKey(),
            view_.sourceX(),
            view_.sourceY(),
            view_.sourceWidth(),
            view_.sourceHeight(),
            s.widthPx(),
            s.heightPx(),
            s.ScaleLeft(),
            s.ScaleTop(),
            s.ScaleWidth(),
            s.ScaleHeight(),
            s.BackColor()};
}

void PlanMap::paintChart()
{
    DrawSurface& s = surface();
    const ChartPaint key = chartPaintKey();
    if (!paintedChart_.isNull() && key == paintedKey_ && paintedChart_.size() == s.image().size() &&
        paintedChart_.format() == s.image().format()) {
        // The same picture, part and surface: the scaled chart is copied, not scaled again.
        s.PaintPicture(paintedChart_, s.ScaleLeft(), s.ScaleTop(), s.ScaleWidth(), s.ScaleHeight(),
                       0, 0, paintedChart_.width(), paintedChart_.height());
        return;
    }
    view_.paint(s);
    paintedKey_ = key;
    paintedChart_ = s.image().copy();
}

void PlanMap::DrawWaypoint(double latDDMM, double lonDDMM, PlanSymbol kind, const QString& name,
                           const AirportInfo* airport)
{
    if (kind != PlanSymbol::Current && kind != PlanSymbol::Other && kind != PlanSymbol::MapPoint)
        return;
    const std::optional<QPointF> at = pointOf(latDDMM, lonDDMM);
    if (!at)
        return;
    drawPlanSymbols(surface(), {PlanMapSymbol{*at, kind, name, airport}});
}

bool PlanMap::restoreLastRedraw()
{
    DrawSurface& s = surface();
    if (!chartShown_ || lastRedraw_.isNull() || lastRedraw_.width() != s.widthPx() ||
        lastRedraw_.height() != s.heightPx())
        return false;
    s.PaintPicture(lastRedraw_, s.ScaleLeft(), s.ScaleTop(), s.ScaleWidth(), s.ScaleHeight(), 0, 0,
                   lastRedraw_.width(), lastRedraw_.height());
    return true;
}

void PlanMap::DrawMeasureLine(DDMMPoint waypoint, DDMMPoint cursor)
{
    const std::optional<QPointF> from = pointOf(cursor.lat, cursor.lon);
    const std::optional<QPointF> to = pointOf(waypoint.lat, waypoint.lon);
    if (!from || !to)
        return;
    // The pen a waypoint symbol leaves: black, three pixels.
    surface().setDrawWidth(3);
    surface().Circle(from->x(), from->y(), 1, 0x000000);
    surface().Line(from->x(), from->y(), to->x(), to->y(), 0x000000);
}

} // namespace tv
