#include "flight/MapOverlay.h"

#include "core/GeoMath.h"
#include "core/HandlerGuard.h"
#include "flight/RouteNav.h"
#include "map/DrawSurface.h"
#include "map/Drawing.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace tv {

namespace {

using namespace bgr;

constexpr uint32_t kDotRing = 0x001215;
constexpr uint32_t kCentreDot = 0xFFFF80;

QString text(const Value& value)
{
    return QString::fromStdString(value.toString());
}

std::optional<int64_t> optionalInt(const Value& value)
{
    const auto number = value.asNumber();
    if (!number || !std::isfinite(*number))
        return std::nullopt;
    return value.toInt();
}

std::vector<MapPoint> readPoints(Recordset& rs)
{
    std::vector<MapPoint> points;
    points.reserve(static_cast<std::size_t>(rs.RecordCount()));
    const bool hasPointId = rs.FieldIndex("PointID") >= 0;
    for (; !rs.Eof(); rs.MoveNext()) {
        MapPoint p;
        p.latDDMM = rs.Field("Lat").toDouble();
        p.lonDDMM = rs.Field("Long").toDouble();
        p.name = text(rs.Field("Name"));
        if (hasPointId)
            p.pointId = optionalInt(rs.Field("PointID"));
        points.push_back(std::move(p));
    }
    return points;
}

bool closeTo(double a, double b)
{
    return std::fabs(a - b) <= 1e-9 * std::max({1.0, std::fabs(a), std::fabs(b)});
}

// A circle of radius 1 drawn with a wide pen: a solid dot, as the wide pen has always left it
// on the screen (a plain stroke that wide can leave its middle pixel empty).
void solidDot(DrawSurface& surface, double x, double y, uint32_t bgr)
{
    const auto style = surface.fillStyle();
    const uint32_t fill = surface.FillColor();
    surface.setFillStyle(DrawSurface::FillStyle::Solid);
    surface.setFillColor(bgr);
    surface.Circle(x, y, 1, bgr);
    surface.setFillStyle(style);
    surface.setFillColor(fill);
}

} // namespace

// --- queries ------------------------------------------------------------------------------

std::vector<MapPoint> waypointsInView(Connection& main, double southDDMM, double northDDMM,
                                      double westDDMM, double eastDDMM)
{
    Recordset rs;
    rs.Open("SELECT Name, Lat, Long FROM Waypoints WHERE Lat BETWEEN ? AND ? "
            "AND Long BETWEEN ? AND ? ORDER BY Name ASC",
            main, {southDDMM, northDDMM, westDDMM, eastDDMM});
    return readPoints(rs);
}

std::vector<QString> chartsContaining(Connection& main, double latDDMM, double lonDDMM)
{
    Recordset rs;
    rs.Open("SELECT Name FROM Maps WHERE Active <> 0 AND ? BETWEEN Links AND Rechts "
            "AND ? BETWEEN Unten AND Oben ORDER BY rowid",
            main, {lonDDMM, latDDMM});
    std::vector<QString> names;
    for (; !rs.Eof(); rs.MoveNext())
        names.push_back(text(rs.Field("Name")));
    return names;
}

// --- chart ------------------------------------------------------------------------------

bool viewShowsChart(const MapView& view, const ChartRow& chart)
{
    if (!chart.southDDMM || !chart.northDDMM || !chart.westDDMM || !chart.eastDDMM ||
        !chart.widthPx || !chart.heightPx)
        return false;
    for (double v : {*chart.southDDMM, *chart.northDDMM, *chart.westDDMM, *chart.eastDDMM,
                     *chart.widthPx, *chart.heightPx})
        if (!std::isfinite(v))
            return false;
    if (!(*chart.widthPx > 0.0) || !(*chart.heightPx > 0.0) ||
        *chart.southDDMM == *chart.northDDMM || *chart.westDDMM == *chart.eastDDMM)
        return false;
    const double links = MapView::edgeToDegrees(*chart.westDDMM);
    const double unten = MapView::edgeToDegrees(*chart.southDDMM);
    const double scaleX = *chart.widthPx / ((MapView::edgeToDegrees(*chart.eastDDMM) - links) * 10);
    const double scaleY =
        *chart.heightPx / ((MapView::edgeToDegrees(*chart.northDDMM) - unten) * 10);
    return view.chartWidthPx() == *chart.widthPx && view.chartHeightPx() == *chart.heightPx &&
           closeTo(view.westEdgeDeg(), links) && closeTo(view.southEdgeDeg(), unten) &&
           closeTo(view.scaleX(), scaleX) && closeTo(view.scaleY(), scaleY) &&
           view.sourceWidth() > 0.0f && view.sourceHeight() > 0.0f && view.viewWidth() > 0.0 &&
           view.viewHeight() > 0.0;
}

// --- route points ------------------------------------------------------------------------

PointKind routePointKind(const MapPoint& point, const ActivePoint& active)
{
    const bool sameId = point.pointId && active.pointId && *point.pointId == *active.pointId;
    const bool sameName = active.name && *active.name == point.name;
    return sameName || sameId ? PointKind::ActiveTarget : PointKind::Ordinary;
}

// --- chart list --------------------------------------------------------------------------

bool nearViewEdge(double planeX, double planeY, double viewWidth, double viewHeight)
{
    const float x = static_cast<float>(planeX);
    const float y = static_cast<float>(planeY);
    return x < 10.0f || y < 10.0f || x > static_cast<float>(viewWidth - 10.0) ||
           y > static_cast<float>(viewHeight - 10.0);
}

bool aircraftInSight(double planeX, double planeY, double viewWidth, double viewHeight)
{
    const float x = static_cast<float>(planeX);
    const float y = static_cast<float>(planeY);
    return !(x < -5.0f || y < -5.0f || x > static_cast<float>(viewWidth + 5.0) ||
             y > static_cast<float>(viewHeight + 5.0));
}

// --- aircraft ----------------------------------------------------------------------------

void drawAircraft(DrawSurface& surface, const AircraftSymbol& aircraft)
{
    const double x = aircraft.x;
    const double y = aircraft.y;
    const double b = aircraft.trackDeg * kGeoPi / 180.0;
    const double c = std::cos(b);
    const double s = std::sin(b);
    const uint32_t fixColour = aircraft.noFix ? kRed : kGreen;

    if (aircraft.planeSymbol == 1) {
        surface.setDrawWidth(9);
        surface.Line(x, y, x + 15 * s, y - 15 * c, kBlue);
        surface.setDrawWidth(3);
        surface.Line(x, y, x + 15 * s, y - 15 * c, kWhite);
        surface.setDrawWidth(5);
        solidDot(surface, x, y, fixColour);
        surface.Circle(x, y, 6, kDotRing);
        surface.setDrawWidth(1);
        return;
    }

    // Aircraft outline with the nose at the position: fuselage 20 pixels back against the
    // track, wings 5 pixels behind the nose reaching 17 pixels to each side, tailplane 17
    // pixels behind the nose reaching 7 to each side.
    struct Stroke
    {
        double x1, y1, x2, y2;
        int blackWidth;
    };
    const double wx = x - 5 * s;
    const double wy = y + 5 * c;
    const double tx = x - 17 * s;
    const double ty = y + 17 * c;
    const Stroke strokes[] = {
        {x, y, x - 20 * s, y + 20 * c, 10},     {wx, wy, wx + 17 * c, wy + 17 * s, 10},
        {wx, wy, wx - 17 * c, wy - 17 * s, 10}, {tx, ty, tx + 7 * c, ty + 7 * s, 8},
        {tx, ty, tx - 7 * c, ty - 7 * s, 8},
    };
    for (const Stroke& st : strokes) {
        surface.setDrawWidth(st.blackWidth);
        surface.Line(st.x1, st.y1, st.x2, st.y2, kBlack);
    }
    surface.setDrawWidth(2);
    for (const Stroke& st : strokes)
        surface.Line(st.x1, st.y1, st.x2, st.y2, fixColour);
    surface.setDrawWidth(3);
    solidDot(surface, x, y, kCentreDot);
    surface.setDrawWidth(1);
}

// --- the whole overlay -------------------------------------------------------------------

namespace {

void drawPoints(DrawSurface& surface, const MapView& view, OverlayState& state, RedrawReads& reads,
                Connection* airports, const OverlayInputs& in)
{
    const LayerFlags& layers = in.layers;
    SymbolModes modes = in.modes;
    modes.aptDataAvailable = modes.aptDataAvailable && airports != nullptr;

    const bool allWaypoints = !modes.routePointsOnly;
    // In route-points-only mode nothing is drawn without a route in the database.
    if (!allWaypoints && !in.routeId)
        return;

    if (allWaypoints || layers.ShowAPT1) {
        guarded([&] {
            reads.read([&](Connection& main) {
                state.waypoints = waypointsInView(main, view.viewSouthDDMM(), view.viewNorthDDMM(),
                                                  view.viewWestDDMM(), view.viewEastDDMM());
            });
        });
        const std::vector<MapPoint>& waypoints = state.waypoints;
        if (modes.aptDataAvailable) {
            std::vector<QString> names;
            names.reserve(waypoints.size());
            for (const MapPoint& p : waypoints)
                names.push_back(p.name);
            state.airports.prefetch(*airports, names);
        }
        for (const MapPoint& p : waypoints) {
            guarded([&] {
                const AirportInfo* airport =
                    modes.aptDataAvailable ? state.airports.find(p.name) : nullptr;
                DrawAirportInfo(surface, view, p.latDDMM, p.lonDDMM,
                                static_cast<int>(PointKind::Ordinary), p.name, layers, modes,
                                airport);
            });
        }
    }

    if (!allWaypoints) {
        if (!in.activePoint)
            return; // the route grid is empty: no point of it is drawn
        for (const RoutePoint& r : in.routePoints) {
            const MapPoint p{r.latDdmm, r.longDdmm, r.name, r.pointId};
            guarded([&] {
                DrawWaypointSymbol(surface, view, p.latDDMM, p.lonDDMM,
                                   static_cast<int>(routePointKind(p, *in.activePoint)), p.name,
                                   layers.ShowWayInfo);
            });
        }
    }
}

void drawDirectTarget(DrawSurface& surface, const MapView& view, Connection* airports,
                      const OverlayInputs& in)
{
    if (!in.directTarget)
        return;
    SymbolModes modes = in.modes;
    modes.aptDataAvailable = modes.aptDataAvailable && airports != nullptr;
    // "DF" has two letters: it never is an airport.
    DrawAirportInfo(surface, view, in.directTarget->first, in.directTarget->second,
                    static_cast<int>(PointKind::DirectTarget), QStringLiteral("DF"), in.layers,
                    modes, nullptr);
}

OverlayResult drawOverlay(DrawSurface& surface, MapView& view, OverlayState& state,
                          RedrawReads& reads, Connection* airports, const OverlayInputs& in)
{
    OverlayResult result;
    if (!in.chartLoaded || !in.chart || !viewShowsChart(view, *in.chart))
        return result;

    const AircraftPlacement placement = view.placeAircraft(in.aircraft);
    result.offChart = placement.offChart;
    if (!placement.viewPx)
        return result;
    result.drawn = true;
    state.PlaneX = placement.viewPx->x();
    state.PlaneY = placement.viewPx->y();
    // The DD.MM position serves only the chart query.
    const double latDDMM = DegreesToDDMM(in.aircraft.latDeg);
    const double lonDDMM = DegreesToDDMM(in.aircraft.lonDeg);

    if (in.layers.ShowRoute)
        guarded([&] { drawRouteLine(surface, view, in.routePoints); });
    if (in.navigating) {
        result.navigationDue = true;
        if (in.guideTarget)
            guarded([&] {
                drawRouteLeg(surface, view, *in.guideTarget, in.aircraft, kGuideLineColour);
            });
    }

    if (view.computeViewBounds(0, 0, view.viewWidth(), view.viewHeight()))
        drawPoints(surface, view, state, reads, airports, in);
    guarded([&] { drawDirectTarget(surface, view, airports, in); });

    const double w = view.viewWidth();
    const double h = view.viewHeight();
    if (!in.mapScroll && !aircraftInSight(state.PlaneX, state.PlaneY, w, h))
        return result;
    result.hideHints = true;

    if (in.mapScroll) {
        // Unread, the chart list stays as it is: no chart change on this redraw.
        guarded([&] {
            reads.read([&](Connection& main) {
                result.chartsUnderAircraft = chartsContaining(main, latDDMM, lonDDMM);
                result.atViewEdge =
                    placement.offChart || nearViewEdge(state.PlaneX, state.PlaneY, w, h);
            });
        });
    }

    drawAircraft(surface, {state.PlaneX, state.PlaneY, in.trackDeg, in.noFix, in.planeSymbol});
    result.aircraftDrawn = true;
    return result;
}

} // namespace

OverlayResult drawMovingMap(DrawSurface& surface, MapView& view, OverlayState& state,
                            Connection* main, Connection* airports, const OverlayInputs& in)
{
    RedrawReads reads(main);
    OverlayResult result = drawOverlay(surface, view, state, reads, airports, in);
    result.readFault = reads.fault();
    result.readSucceeded = reads.succeeded();
    return result;
}

RedrawReads::RedrawReads(Connection* main) : main_(main)
{
    if (main_ != nullptr)
        wait_.emplace(*main_);
}

void MovingMapLayer::prepare(OverlayInputs inputs, Connection* main, Connection* airports)
{
    in_ = std::move(inputs);
    main_ = main;
    airports_ = airports;
    result_ = {};
}

void MovingMapLayer::draw(DrawSurface& surface, MapView& view)
{
    result_ = drawMovingMap(surface, view, state, main_, airports_, in_);
}

} // namespace tv
