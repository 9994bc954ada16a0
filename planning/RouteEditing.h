#pragma once

// Editing the ordered route tables of data.tvd: Route (the route list) and GpsPoints (one
// route's points). Both lists are held in ascending Nummer. A new row goes directly after the
// current row, whatever numbers are stored (a deleted route or an imported route can leave
// gaps), and the whole list is numbered 1..n again in the same transaction. Callers find the
// new row afterwards by its key, never by its number.
//
// Every function runs in one transaction: it either does all of its work or none (DbError is
// thrown and the tables are as before).

#include "platform/Connection.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tv {

// The waypoint a route point is made from. Name, Lat and Long are copied into the point and
// stay as they are when the waypoint later changes (DD.MM, south and west negative).
struct RoutePointSource
{
    int64_t pointId = 0;
    std::string name;
    std::optional<double> latDDMM;
    std::optional<double> lonDDMM;
};

// Adds a route named `name` after the route `afterRouteId` (none, or a key that no longer
// exists: after the last one) and numbers the list 1..n. Returns the new RouteID.
int64_t insertRoute(Connection& db, std::optional<int64_t> afterRouteId, const std::string& name);

// Deletes the route's points and its row. Returns the route that becomes current: the one
// after it in the list, else the one before it, else none. The other routes keep their
// numbers.
std::optional<int64_t> deleteRoute(Connection& db, int64_t routeId);

// Adds a point to route `routeId` after its point `afterId` (GpsPoints.id; none or unknown:
// after the last) and numbers the route's points 1..n. Returns the new point's id.
int64_t insertRoutePoint(Connection& db, int64_t routeId, std::optional<int64_t> afterId,
                         const RoutePointSource& source);

// Deletes the point `id` of route `routeId` and numbers the rest 1..n. Returns the point that
// becomes current: the one that followed the deleted one, else the new last one, else none.
std::optional<int64_t> deleteRoutePoint(Connection& db, int64_t routeId, int64_t id);

// The route-name check of a new route and of the route grid's Name cells: the message when the
// name is blank ("Eingabefehler" / "Data error").
struct RouteNameMessage
{
    std::string text;
    std::string title;
};
std::optional<RouteNameMessage> checkRouteName(const std::string& name, int16_t language);

} // namespace tv
