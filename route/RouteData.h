#pragma once

// The routes of data.tvd as every window reads them: the route list (Route), one route's points
// (GpsPoints) in their order, stepping along them, and the route line on a map.
//
// Stored route points are DD.MM (48.3012 = 48°30.12', south and west negative); positions are
// decimal degrees. Colours are 0x00BBGGRR.

#include "map/MapView.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace tv {

class Connection;
class Drawing;
class Recordset;

inline constexpr uint32_t kRouteLineColour = 0x800000; // navy: the legs of the route
// Route legs (and the flight map's guide line) are this wide at zoom 0 and thicken as the map
// is enlarged.
inline constexpr int kRouteLegBaseWidth = 6;

// One point of a route as stored in GpsPoints.
struct RoutePoint
{
    int64_t id = 0;      // GpsPoints.id, the row's key
    int64_t pointId = 0; // Waypoints.PointID it was made from
    QString name;
    double latDdmm = 0.0;
    double longDdmm = 0.0;

    GeoPos position() const; // decimal degrees
};

// --- route data ----------------------------------------------------------------------------

// (Re)opens `routes` on the route list (every Route row) in its order (Nummer). Throws DbError.
void openRouteList(Recordset& routes, Connection& connection);
// (Re)opens `points` on the given route's points (every GpsPoints row) in Nummer order.
// Throws DbError.
void openRoutePoints(Recordset& points, Connection& connection, int64_t routeId);
// The current row of a point set; a missing value reads as 0 or "".
RoutePoint routePointFromRow(const Recordset& points);

struct RouteEntry
{
    int64_t routeId = 0;
    QString name;
};
// Every row of the route set in its order (the route box entries); the set's current row is
// kept where possible.
std::vector<RouteEntry> routeEntries(Recordset& routes);
// Makes the route with this key the current row. False (and the current row as it was, when
// there was one) when no row has it.
bool selectRoute(Recordset& routes, int64_t routeId);
// The whole number in `field` of the set's current row; empty without a current row or value.
std::optional<int64_t> currentKey(const Recordset& set, const char* field);
// The RouteID of the current route row; empty at BOF/EOF or on a closed set.
std::optional<int64_t> currentRouteId(const Recordset& routes);
// The GpsPoints.id of the target row; empty when no row is current.
std::optional<int64_t> currentPointRowId(const Recordset& points);

// --- stepping along the route --------------------------------------------------------------

enum class StepResult {
    Moved,     // the next (previous) point is the target now
    AtLastEnd, // the target was the last point: route navigation ends here
    AtFirst,   // the target is the first point: it stays
    NoRow,     // no point is current (empty or closed set): nothing happened
};
StepResult stepToNextPoint(Recordset& points);
StepResult stepToPreviousPoint(Recordset& points);

// --- drawing -------------------------------------------------------------------------------

// One straight line between two positions on the map, from the second point to the first,
// `kRouteLegBaseWidth` thickened with the zoom; the draw width is 1 afterwards. False (nothing
// drawn) when the view cannot place the points.
bool drawRouteLeg(Drawing& surface, const MapView& view, GeoPos p1, GeoPos p2, uint32_t colour);
// The route line: every leg between consecutive points in the route colour.
void drawRouteLine(Drawing& surface, const MapView& view, const std::vector<RoutePoint>& points);

} // namespace tv
