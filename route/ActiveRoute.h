#pragma once

// The route being flown: the route list, the chosen route with its points, and what the flight
// follows on it. The current row of `points` is the target point. The flight window shows this
// state (route box, waypoint grid, switches); the verbs below decide what changes.

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

    // The route list (Route, by Nummer) and the chosen route's points (GpsPoints, by Nummer).
    // Shared with the window's grid model; either may be replaced by a fresh set.
    std::shared_ptr<Recordset> routes;
    std::shared_ptr<Recordset> points;
    // Route navigation to the current point is on (the GOTO switch).
    bool gotoActive = false;
    // A direct flight to a point picked on the map is on.
    bool directFly = false;

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
    // ends route navigation. Throws DbError.
    Choice refresh(Connection& db, std::optional<int64_t> routeKey, const QString& routeName);

    // Makes the point made from waypoint `pointId` the target again; the first point when the
    // route no longer has it.
    void restoreTarget(int64_t pointId);

    // Chooses the route with this key and opens its points. False (nothing changed) when the
    // list has no such route. Throws DbError.
    bool choose(Connection& db, int64_t routeId);

    // Route navigation on: only a route with points can be flown. Returns whether it is on.
    bool startNavigation();
    void stopNavigation() { gotoActive = false; }
    // The next point becomes the target. Past the last point route navigation ends
    // (AtLastEnd, the target stays on the last point).
    StepResult advance();
    // The previous point becomes the target; on the first point nothing changes (AtFirst).
    StepResult back();

    void startDirectFlight() { directFly = true; }
    void stopDirectFlight() { directFly = false; }
    // Some navigation runs: the target figures are shown.
    bool navigating() const { return gotoActive || directFly; }

    // The target point; empty when no point is current.
    std::optional<RoutePoint> target() const;
    bool hasPoints() const;
};

} // namespace tv
