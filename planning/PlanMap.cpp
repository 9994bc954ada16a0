#include "planning/PlanMap.h"

#include "core/GeoMath.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"

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

PlanMessage mapErrorMessage(const QString& chartName, int16_t language)
{
    if (language == 0)
        return {QStringLiteral("Fehler in Karte: ") + chartName +
                    QStringLiteral(" - Bitte Koordinaten üperprüfen."),
                QStringLiteral("Fehler in Karte")};
    return {QStringLiteral("Map error: ") + chartName + QStringLiteral(" - please check coordinates."),
            QStringLiteral("Map error")};
}

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

void PlanMap::resize(int widthPx, int heightPx)
{
    surface().resize(widthPx, heightPx);
    surfaceResized();
}

void PlanMap::surfaceResized()
{
    view_.setViewSize(surface().ScaleWidth(), surface().ScaleHeight());
    if (chartShown_)
        view_.FitViewToWindow();
}

bool PlanMap::loadChart(const ChartRow& row, const QImage& picture)
{
    chartShown_ = false;
    // A picture that cannot be read is a chart error: its edges must never be drawn over the
    // previous chart's picture.
    if (picture.isNull() ||
        view_.InitializeData(row, picture) != MapView::LoadResult::Loaded ||
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
    surface().Cls();
}

void PlanMap::setZoom(int sliderValue)
{
    view_.setSliderValue(sliderValue);
    view_.SlideMapChange();
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

std::optional<PlanMap::ViewBox> PlanMap::viewBox() const
{
    const std::optional<DDMMPoint> topLeft = positionAt(0, 0);
    const std::optional<DDMMPoint> bottomRight =
        positionAt(surface().ScaleWidth(), surface().ScaleHeight());
    if (!topLeft || !bottomRight)
        return std::nullopt;
    return ViewBox{topLeft->lat, topLeft->lon, bottomRight->lat, bottomRight->lon};
}

void PlanMap::centreOn(DDMMPoint position)
{
    if (!chartShown_)
        return;
    if (const std::optional<QPointF> p = pointOf(position.lat, position.lon))
        view_.CenterMapOnPosition(p->x(), p->y());
}

std::optional<double> PlanMap::RedrawMap(const Layers& layers)
{
    if (!chartShown_) {
        surface().Cls();
        return std::nullopt;
    }
    view_.paint(surface());
    // The airspace layer draws right after the chart.
    if (layers.airspaces)
        layers.airspaces();
    std::optional<double> length;
    if (layers.route)
        length = drawRoute(*layers.route);
    drawWaypoints(layers);
    return length;
}

double PlanMap::drawRoute(const std::vector<PlanRoutePoint>& route)
{
    double total = 0.0;
    const int width = view_.zoomedDrawWidth(6);
    for (size_t k = 0; k + 1 < route.size(); ++k) {
        const PlanRoutePoint& a = route[k];
        const PlanRoutePoint& b = route[k + 1];
        // A point without a position draws no leg and adds nothing.
        if (!a.latDDMM || !a.lonDDMM || !b.latDDMM || !b.lonDDMM)
            continue;
        const double lat1 = DDMMToDegrees(*a.latDDMM), lon1 = DDMMToDegrees(*a.lonDDMM);
        const double lat2 = DDMMToDegrees(*b.latDDMM), lon2 = DDMMToDegrees(*b.lonDDMM);
        const std::optional<QPointF> p1 = view_.positionToView(GeoPos{lat1, lon1});
        const std::optional<QPointF> p2 = view_.positionToView(GeoPos{lat2, lon2});
        if (p1 && p2) {
            surface().setDrawWidth(width);
            surface().Line(p2->x(), p2->y(), p1->x(), p1->y(), kPlanRouteColour);
            surface().setDrawWidth(1);
        }
        const double leg = CalcRouteDist(lat2, lon2, lat1, lon1);
        if (finite(leg))
            total += leg;
    }
    return total;
}

void PlanMap::drawWaypoints(const Layers& layers)
{
    if (!layers.waypoints)
        return;
    const std::optional<ViewBox> box = viewBox();
    if (!box)
        return;
    try {
        Recordset rs;
        rs.Open("SELECT PointID, Name, Lat, Long FROM Waypoints "
                "WHERE Lat BETWEEN ? AND ? AND Long BETWEEN ? AND ?",
                *layers.waypoints, {box->latS, box->latN, box->lonW, box->lonE});
        std::vector<QString> names;
        names.reserve(static_cast<size_t>(rs.RecordCount()));
        for (; !rs.Eof(); rs.MoveNext())
            names.push_back(QString::fromStdString(rs.Field(1).toString()));
        if (layers.airports)
            airports_.prefetch(*layers.airports, names);
        size_t i = 0;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext(), ++i) {
            const Value lat = rs.Field(2);
            const Value lon = rs.Field(3);
            if (lat.isNull() || lon.isNull())
                continue;
            const bool current =
                layers.currentPointId && rs.Field(0).toInt() == *layers.currentPointId;
            const AirportInfo* airport =
                layers.airports && names[i].size() == 4 ? airports_.find(names[i]) : nullptr;
            DrawWaypoint(lat.toDouble(), lon.toDouble(),
                         current ? PlanSymbol::Current : PlanSymbol::Other, names[i], airport);
        }
    } catch (const DbError&) {
        // The symbols drawn so far stay, as a redraw always ended silently.
    }
}

void PlanMap::DrawWaypoint(double latDDMM, double lonDDMM, PlanSymbol kind, const QString& name,
                           const AirportInfo* airport)
{
    uint32_t colour = 0;
    switch (kind) {
    case PlanSymbol::Current: colour = kCurrentWaypointColour; break;
    case PlanSymbol::Other: colour = kOtherWaypointColour; break;
    case PlanSymbol::MapPoint: colour = kMapPointColour; break;
    default: return;
    }
    const std::optional<QPointF> at = pointOf(latDDMM, lonDDMM);
    if (!at)
        return;
    const double x = at->x(), y = at->y();
    if (airport) {
        surface().setDrawWidth(6);
        surface().Circle(x, y, 10, kAirportRingColour);
        if (airport->headingDeg) {
            const double h = *airport->headingDeg * kGeoPi / 180.0;
            surface().Line(x, y, x + 10 * std::sin(h), y - 10 * std::cos(h), airport->runwayColour);
            surface().Line(x, y, x - 10 * std::sin(h), y + 10 * std::cos(h), airport->runwayColour);
        }
        surface().setCurrentX(x + 10);
        surface().setCurrentY(y - 7);
        surface().Print(QStringLiteral(" ") + name + QStringLiteral(" "));
    }
    surface().setDrawWidth(5);
    surface().setForeColor(0x000000);
    surface().Circle(x, y, 4, colour);
    surface().setDrawWidth(3);
    surface().Circle(x, y, 6, 0x000000);
    if (kind != PlanSymbol::MapPoint) {
        surface().setCurrentX(x + 10);
        surface().setCurrentY(y - 8);
        surface().Print(QStringLiteral(" ") + name + QStringLiteral(" "));
    }
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
