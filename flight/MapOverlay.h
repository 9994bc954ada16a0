#pragma once

#include "map/AirportData.h"
#include "map/LayerFlags.h"
#include "map/MapLayer.h"
#include "map/MapSymbols.h"
#include "map/MapView.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/Value.h"
#include "route/RouteData.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace tv {

class DrawSurface;

// The moving-map overlay: what the flight map draws on top of the chart image and the
// airspaces: the route line and the guide line to the target, the waypoints or the chosen
// route's points and the airports, the direct-flight target, and last the aircraft. In
// stepping mode it also finds the charts under the aircraft (ChartChoice decides the change). It
// draws from plain inputs the window gathers before the redraw and returns what the window does
// after it.
//
// Positions of points are DD.MM (south and west negative), the aircraft position decimal
// degrees; map pixels have y pointing down; colours are 0x00BBGGRR.

// A point of the Waypoints or GpsPoints table.
struct MapPoint
{
    double latDDMM = 0.0;
    double lonDDMM = 0.0;
    QString name;                   // empty when the field has no value
    std::optional<int64_t> pointId; // GpsPoints.PointID (Waypoints.PointID of the point)
};

// State of the overlay that lives as long as the flight window.
struct OverlayState
{
    // The aircraft on the map picture after the last overlay, map pixels (before it, image
    // pixels: the redraw computes them in two steps).
    double PlaneX = 0.0;
    double PlaneY = 0.0;
    // What the airport data file said about the names seen so far.
    AirportLookup airports;
    // The waypoints of the last view whose read succeeded: drawn again while data.tvd cannot
    // be read.
    std::vector<MapPoint> waypoints;
};

// The reads of data.tvd during one redraw. The moving map never waits seconds for the file:
// each read waits at most Connection::ShortWait for another program's lock, and once a read
// failed the redraw reads nothing more (each read would wait again) and draws what was read
// last. The next redraw tries again.
class RedrawReads
{
public:
    // `main` may be null (not open): nothing is read.
    explicit RedrawReads(Connection* main);
    RedrawReads(const RedrawReads&) = delete;
    RedrawReads& operator=(const RedrawReads&) = delete;

    // Runs `read` with the connection unless a read of this redraw failed already. False when
    // it did not run or threw DbError (kept in fault()); what else it throws passes through.
    template <class F> bool read(F&& read)
    {
        if (main_ == nullptr || fault_)
            return false;
        try {
            read(*main_);
        } catch (const DbError& e) {
            fault_ = e;
            return false;
        }
        succeeded_ = true;
        return true;
    }
    // The first failed read's fault; none while every read succeeded.
    const std::optional<DbError>& fault() const { return fault_; }
    // A read of this redraw succeeded.
    bool succeeded() const { return succeeded_; }

private:
    Connection* main_;
    std::optional<Connection::ShortWait> wait_;
    std::optional<DbError> fault_;
    bool succeeded_ = false;
};

// --- queries (MainConnection; every value a bound parameter) ------------------------------

// Waypoints whose position lies in the DD.MM box (edges included), by name.
std::vector<MapPoint> waypointsInView(Connection& main, double southDDMM, double northDDMM,
                                      double westDDMM, double eastDDMM);
// Names of the active charts whose edges contain the DD.MM position (edges included), in the
// order of the chart table.
std::vector<QString> chartsContaining(Connection& main, double latDDMM, double lonDDMM);

// True when `view` holds exactly this chart, loaded without a fault: numeric edges, distinct
// opposite edges, positive sizes, and the view's scales and edges made from them. The overlay
// is never drawn over a chart that failed to load.
bool viewShowsChart(const MapView& view, const ChartRow& chart);

// --- route points -----------------------------------------------------------------------

// The selected row of the route grid, the point being flown to.
struct ActivePoint
{
    std::optional<QString> name;    // none: no row is current (matches no point by name)
    std::optional<int64_t> pointId; // none: no value (matches no point by PointID)
};
// Kind of a route point on the map: the active target (blue) when its name equals the active
// point's name (exactly; a missing name counts as "") or its PointID the active point's
// PointID; else an ordinary point.
PointKind routePointKind(const MapPoint& point, const ActivePoint& active);

// --- chart list -------------------------------------------------------------------------

// Within 10 pixels of the view's edge (single precision, as the map has always compared).
bool nearViewEdge(double planeX, double planeY, double viewWidth, double viewHeight);
// Inside the view widened by 5 pixels on each side.
bool aircraftInSight(double planeX, double planeY, double viewWidth, double viewHeight);

// --- aircraft ---------------------------------------------------------------------------

struct AircraftSymbol
{
    double x = 0.0; // map pixels
    double y = 0.0;
    double trackDeg = 0.0; // GPS track, degrees true, 0 = up
    bool noFix = true;     // red centre without a fix, green with one
    int planeSymbol = 1;   // 1: dot with a track line; anything else: aircraft outline
};
// Symbol 1: a 15-pixel track line (blue with a white core) and a dot in the fix colour inside a
// dark ring. Symbol 2: an aircraft outline, nose at the position, pointing along the track,
// black with a core in the fix colour and a light centre dot. Draw width 1 afterwards.
void drawAircraft(DrawSurface& surface, const AircraftSymbol& aircraft);

// --- the whole overlay ------------------------------------------------------------------

struct OverlayInputs
{
    // The current chart row; none when there are no active charts.
    std::optional<ChartRow> chart;
    // False when the current chart failed to load (its image or its edges): nothing is drawn.
    bool chartLoaded = true;
    GeoPos aircraft; // decimal degrees
    double trackDeg = 0.0;
    bool noFix = true;
    int planeSymbol = 1;
    LayerFlags layers; // ShowRoute, ShowWayInfo, ShowAPT1 and ShowAPT2 are read
    SymbolModes modes;
    // The chosen route's points as the route grid shows them: joined by the route line while
    // ShowRoute is on, and the points drawn in route-points-only mode.
    std::vector<RoutePoint> routePoints;
    bool navigating = false; // route navigation or direct flight: target navigation runs
    // What the guide line runs to from the aircraft while navigating, decimal degrees; none:
    // no target (nothing picked yet, no current route point).
    std::optional<GeoPos> guideTarget;
    bool mapScroll = false; // chart stepping mode
    // Route-points-only mode: the chosen route's key (none: no route in the database) and the
    // active point (none: the route grid has no rows).
    std::optional<Value> routeId;
    std::optional<ActivePoint> activePoint;
    // Direct-flight target, DD.MM; none when direct flight is off or no target is picked.
    std::optional<std::pair<double, double>> directTarget;
};

struct OverlayResult
{
    bool drawn = false;     // false: no chart, or a chart that is not valid; nothing was drawn
    bool offChart = false;  // the aircraft is outside the chart image: centring went off
    bool hideHints = false; // hide the hint and the chart number (before showing new ones)
    // Stepping mode on: the active charts holding the aircraft, in the order of the chart
    // table, and whether it is within 10 pixels of the view's edge or beyond it (or off the
    // chart).
    std::optional<std::vector<QString>> chartsUnderAircraft;
    bool atViewEdge = false;
    bool aircraftDrawn = false;
    // Navigating, and the overlay got as far as the target navigation (a chart and an aircraft
    // position it could place): the window works out the target figures after the redraw.
    bool navigationDue = false;
    // data.tvd could not be read: what was read last was drawn. None when every read worked.
    std::optional<DbError> readFault;
    // A read of data.tvd succeeded in this redraw (the file is readable again).
    bool readSucceeded = false;
};

// Draws the overlay in its order. Every part is drawn on its own: a bad row leaves out what it
// concerns, never the rest; a data.tvd that cannot be read draws the waypoints read last, and the
// aircraft is drawn last whenever it is in sight (or stepping mode is on). `main` and `airports`
// may be null (not open).
OverlayResult drawMovingMap(DrawSurface& surface, MapView& view, OverlayState& state,
                            Connection* main, Connection* airports, const OverlayInputs& in);

// The flight map's "moving map" layer: drawMovingMap over the inputs of the last prepare.
class MovingMapLayer final : public MapLayer
{
public:
    // Takes the inputs of the next redraw (the connections may be null: not open) and forgets
    // the result of the last one.
    void prepare(OverlayInputs inputs, Connection* main, Connection* airports);
    std::string name() const override { return "moving map"; }
    void draw(DrawSurface& surface, MapView& view) override;
    // What the last draw decided; nothing drawn when the draw did not run or failed.
    const OverlayResult& result() const { return result_; }

    // Lives as long as the layer: the aircraft's place, the airports seen.
    OverlayState state;

private:
    OverlayInputs in_;
    Connection* main_ = nullptr;
    Connection* airports_ = nullptr;
    OverlayResult result_;
};

} // namespace tv
