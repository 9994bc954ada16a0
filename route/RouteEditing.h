#pragma once

// Editing the points of a route in data.tvd (GpsPoints), as plan mode does it. Every verb is one
// transaction: it changes the route completely or, when any statement fails, not at all (the
// DbError is thrown on to the caller).
//
// A route's points are ordered by Nummer (ties by id). After every edit they are numbered
// 1..n again in that order, so a route never keeps a gap or a fraction for long; routes from
// older files may have gaps (1, 2, 5) or numbers closer than 1 (1, 1.1), and the verbs place
// points correctly in either case.

#include <QString>

#include <cstdint>
#include <optional>

namespace tv {

class Connection;

// A point to add: a copy of the waypoint it is made from. Position in DD.MM.
struct NewRoutePoint
{
    int64_t pointId = 0; // Waypoints.PointID
    QString name;
    double latDDMM = 0.0;
    double lonDDMM = 0.0;
};

// Adds `point` to route `routeId` right after the point whose GpsPoints.id is `afterRowId` (the
// current row of the route grid); at the end of the route when `afterRowId` is empty or no
// point of this route has that id. Returns the new row's GpsPoints.id. Throws DbError.
int64_t insertPointAfter(Connection& db, int64_t routeId, std::optional<int64_t> afterRowId,
                         const NewRoutePoint& point);

// Deletes the point with GpsPoints.id `rowId` from route `routeId` and numbers the rest 1..n.
// False (nothing changed) when the route has no such point. Throws DbError.
bool deletePoint(Connection& db, int64_t routeId, int64_t rowId);

// Numbers the points of route `routeId` 1..n in their order. Throws DbError.
void renumberRoute(Connection& db, int64_t routeId);

// The route list (Route) is ordered the same way, by Nummer (ties by RouteID).

// Adds a route named `name` right after the route `afterRouteId` (the current row of the route
// grid); at the end when `afterRouteId` is empty or no route has that id. The list is numbered
// 1..n again. Returns the new RouteID. Throws DbError.
int64_t insertRouteAfter(Connection& db, std::optional<int64_t> afterRouteId,
                         const QString& name);

// Deletes route `routeId` with its points; the other routes keep their numbers. Returns the
// route that becomes current: the one after it in the list, else the one before it, else none.
// Throws DbError (then nothing is deleted).
std::optional<int64_t> deleteRoute(Connection& db, int64_t routeId);

} // namespace tv
