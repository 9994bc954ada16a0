#pragma once

// The route being flown: the route list, the chosen route with its points, and what the flight
// follows on it. The current row of the point set is the target point. The flight window shows
// this state (route box, waypoint grid, switches); only the verbs below change it.

#include "route/RouteData.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace tv {

class Connection;
class Recordset;

// The route key that no route has: opening the points on it gives an open, empty set.
inline constexpr int64_t kNoRouteId = -99999;

class ActiveRoute
{
public:
    ActiveRoute();
    ~ActiveRoute();
    ActiveRoute(const ActiveRoute&) = delete;
    ActiveRoute& operator=(const ActiveRoute&) = delete;

    // Opens the route list when it is not open yet. Throws DbError.
    void openList(Connection& db);

    struct Choice
    {
        std::vector<RouteEntry> entries; // the route box, in list order; empty: no routes
        int chosen = -1;                 // index into entries
        bool hasPoints = false;          // the chosen route has points
    };
    // Re-reads the route list and chooses the route shown before: by its key when one is
    // given, else by its name (as after the start, when only the name was saved); the first
    // route when neither is there any more. Opens the chosen route's points (on the first
    // point). Without routes the points are an open, empty set. A chosen route without points
    // ends route navigation. Throws DbError; then the list, the chosen route and its points
    // are all as they were.
    Choice refresh(Connection& db, std::optional<int64_t> routeKey, const QString& routeName);

    // Makes the point made from waypoint `pointId` the target again; the first point when the
    // route no longer has it.
    void restoreTarget(int64_t pointId);

    // Chooses the route with this key and opens its points. False (nothing changed) when the
    // list has no such route. Throws DbError; then the route and its points are as they were.
    bool choose(Connection& db, int64_t routeId);

    // Route navigation on: only a route with points can be flown. Returns whether it is on.
    bool startNavigation();
    void stopNavigation() { gotoActive_ = false; }
    // The next point becomes the target. Past the last point route navigation ends
    // (AtLastEnd, the target stays on the last point).
    StepResult advance();
    // The previous point becomes the target; on the first point nothing changes (AtFirst).
    StepResult back();

    void startDirectFlight() { directFly_ = true; }
    void stopDirectFlight() { directFly_ = false; }

    // Route navigation to the target point is on (the GOTO switch).
    bool followingRoute() const { return gotoActive_; }
    // A direct flight to a point picked on the map is on.
    bool flyingDirect() const { return directFly_; }
    // Some navigation runs: the target figures are shown.
    bool navigating() const { return gotoActive_ || directFly_; }

    // The target point; empty when no point is current.
    std::optional<RoutePoint> targetPoint() const;
    // The route chosen in the route box; empty before the list is open or without routes.
    std::optional<int64_t> chosenRouteId() const;
    // The route list is open and has routes.
    bool hasRoutes() const;
    // The chosen route's points are open (from the first refresh on), perhaps empty.
    bool pointsOpen() const;
    bool hasPoints() const;

    // The chosen route's points in their order, as they were read with the point set: the
    // route line and the route figures are made from these, so that they always belong to the
    // route in the route box and the grid.
    const std::vector<RoutePoint>& points() const { return pointList_; }

    // Read-only views: the route list (Route, by Nummer) and the chosen route's points
    // (GpsPoints, by Nummer), on their current rows.
    const Recordset& routeList() const { return *routes_; }
    const Recordset& pointSet() const { return *points_; }
    // The point set as the waypoint grid shows it: a row the pilot moves to in the grid
    // becomes the current row, that is the target point. Nothing else moves it from outside.
    Recordset& gridPoints() { return *points_; }

private:
    // Takes a route's points just read (on their first row) as the chosen route's.
    void adoptPoints(Recordset& read);

    // Never null; refreshing and choosing reopen the same sets, so the grid keeps its set.
    std::unique_ptr<Recordset> routes_;
    std::unique_ptr<Recordset> points_;
    std::vector<RoutePoint> pointList_;
    bool gotoActive_ = false;
    bool directFly_ = false;
};

} // namespace tv
