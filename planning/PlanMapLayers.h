#pragma once

// The plan map's own layers over the chart: the route line and the waypoint symbols (the
// airspaces are airspace/AirspaceMapLayers.h), and the symbols they and the window stamp.
//
// Positions are DD.MM (south and west negative) unless a name says degrees; map points are
// pixels of the map picture, y down. Colours are 0x00BBGGRR.

#include "map/AirportData.h"
#include "map/MapLayer.h"

#include <QPointF>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace tv {

class Connection;
class DrawSurface;
class MapView;
class Recordset;

// Symbol kinds of the plan map.
enum class PlanSymbol : int16_t { Current = 1, Other = 2, MapPoint = 3 };

inline constexpr uint32_t kCurrentWaypointColour = 0x00FFFF; // yellow
inline constexpr uint32_t kOtherWaypointColour = 0x0000FF;   // red
inline constexpr uint32_t kMapPointColour = 0xFF0000;        // blue
inline constexpr uint32_t kAirportRingColour = 0x800000;     // navy
inline constexpr uint32_t kPlanRouteColour = 0x800000;       // navy

// One point of the route as stored (GpsPoints), in route order; a field without a number
// leaves its value empty.
struct PlanRoutePoint
{
    std::optional<double> latDDMM;
    std::optional<double> lonDDMM;
};
// The positions of the points of a route's point set (route/RouteData.h) from its current row
// to its end, in the set's order. Throws DbError.
std::vector<PlanRoutePoint> planRoutePoints(Recordset& points);
// The length of the route in NM: the legs whose ends both have a position, by CalcRouteDist
// (which gives 0 for a leg with a coordinate of exactly 0).
double planRouteLengthNm(const std::vector<PlanRoutePoint>& route);

// The DD.MM box the map shows (top, left, bottom, right): the waypoint query's bounds.
struct PlanViewBox
{
    double latN = 0.0, lonW = 0.0, latS = 0.0, lonE = 0.0;
};
// The box of the whole surface; empty when the view cannot convert its corners.
std::optional<PlanViewBox> planViewBox(const DrawSurface& surface, const MapView& view);

// One symbol: kinds 1 and 2 with the name, 3 a blue mark without a label; an airport of the
// airport data file first gets its navy ring, runway bar and name.
struct PlanMapSymbol
{
    QPointF at; // map pixel
    PlanSymbol kind = PlanSymbol::Other;
    QString name;
    const AirportInfo* airport = nullptr;
};
// Draws symbols in layers: airport rings and bars, then the waypoint symbols, then every
// label, each layer in one pass over the surface. The pen is black, three pixels afterwards.
void drawPlanSymbols(DrawSurface& surface, const std::vector<PlanMapSymbol>& symbols);

// "route": the legs between the points of a route, navy, thickening as the chart is enlarged.
// The points are the ones the window's points grid holds (the map shows the route the grid
// shows, also while data.tvd cannot be read); the route's length is worked out when the layer
// is prepared, with a chart or without one: the length belongs to the route, not the drawing.
class PlanRouteLayer final : public MapLayer
{
public:
    struct Inputs
    {
        std::vector<PlanRoutePoint> points; // in route order; none without a route
    };
    // None: the route line is not shown and no length is worked out. Throws nothing.
    void prepare(std::optional<Inputs> inputs);
    std::string name() const override { return "route"; }
    void draw(DrawSurface& surface, MapView& view) override;
    // Empty when the route is not shown.
    std::optional<double> lengthNm() const { return lengthNm_; }

private:
    std::optional<Inputs> in_;
    std::vector<PlanRoutePoint> route_;
    std::optional<double> lengthNm_;
};

// "waypoints": the waypoints of data.tvd in view, the current one yellow and the others red,
// airports of the airport data file with their rings. While data.tvd cannot be read the
// waypoints read last are drawn (the map keeps showing what the waypoint list shows); the
// window tells the fault with the pilot's action.
class PlanWaypointLayer final : public MapLayer
{
public:
    struct Inputs
    {
        Connection* waypoints = nullptr;       // data.tvd; null: no symbols
        std::optional<int64_t> currentPointId; // drawn yellow, the others red
        Connection* airports = nullptr;        // tvdata.tvd when it is open
    };
    void prepare(const Inputs& inputs) { in_ = inputs; }
    std::string name() const override { return "waypoints"; }
    void draw(DrawSurface& surface, MapView& view) override;

    // Airports already looked up (kept across redraws; the airport file is only read).
    AirportLookup airports;

private:
    struct Waypoint
    {
        int64_t pointId = 0;
        QString name;
        double latDDMM = 0.0;
        double lonDDMM = 0.0;
    };
    Inputs in_;
    std::vector<Waypoint> lastRead_;
};

} // namespace tv
