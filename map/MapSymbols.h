#pragma once

#include "map/LayerFlags.h"

#include <QPointF>
#include <QString>

#include <cstdint>
#include <optional>

namespace tv {

class Drawing;
class MapView;
struct AirportInfo;

// The symbols of single points on the flight map: waypoints (two rings coloured by role, and
// the name) and airports (a ring, the main runway as a bar along its heading, the ICAO code,
// and on request the runway and two radio frequencies).
//
// Positions are DD.MM (south and west negative); lengths and radii are map pixels, y down;
// colours 0x00BBGGRR.

// Role of a point on the map.
enum class PointKind : int16_t {
    Ordinary = 0,     // a waypoint
    ActiveTarget = 1, // the route point being flown to
    DirectTarget = 2, // the target of a direct flight
};

// The two modes that decide with the layer switches what a point shows.
struct SymbolModes
{
    bool routePointsOnly = false;  // the map shows only the route's points and airports
    bool aptDataAvailable = false; // the airport data file is open
};

// Map pixel of a DD.MM position on the current chart and view; none when the view cannot
// convert (no valid chart, an empty source rectangle).
std::optional<QPointF> mapPixelOf(const MapView& view, double latDDMM, double lonDDMM);

// Waypoint symbol at map pixel `at`: an inner ring of radius 2 in black, an outer one of
// radius 5, red for an ordinary point (width 4), blue for the active target and yellow for a
// direct-flight target (those two thicken as the chart is enlarged). Any other kind draws
// nothing. With `showName` the name is printed as " name " with its top-left corner at
// (x + 10, y - 7). The draw width is 1 afterwards.
void drawWaypointSymbol(Drawing& surface, const MapView& view, QPointF at, int kind,
                        const QString& name, bool showName);

// The waypoint symbol of a DD.MM position (nothing when the view cannot place it).
void DrawWaypointSymbol(Drawing& surface, const MapView& view, double latDDMM, double lonDDMM,
                        int kind, const QString& name, bool showWayInfo);

// A point that may be an airport. `airport` is what the airport data file holds for `name`,
// nullptr when it holds no such airport. Decides:
// - no airport data file: the waypoint symbol;
// - a name that is not 4 characters long, or a 4-character name that is no airport: nothing
//   in route-points-only mode (unless it is the direct-flight target), else the waypoint
//   symbol;
// - an airport: with ShowAPT1 (of `layers`) a navy ring of radius 10, the runway bar (20 pixels,
// north up)
//   and the name; with ShowAPT2 the runway text and the information and ATIS lines under it;
//   with both off nothing.
void DrawAirportInfo(Drawing& surface, const MapView& view, double latDDMM, double lonDDMM,
                     int kind, const QString& name, const LayerFlags& layers, SymbolModes modes,
                     const AirportInfo* airport);

} // namespace tv
