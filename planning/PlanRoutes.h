#pragma once

// The plan window's routes, held here once: the route list with its current route, and the
// current route's points with the current point. The route grids are bound to the two sets and
// show their current rows as highlighted; the window writes them from here and reads nothing
// back from them.
//
// Every edit is one verb: it writes data.tvd and then reads both lists again, whether the
// write was stored or not, so the grids show what is stored and the current rows are rows that
// exist. The current route and point are kept by their keys across that re-read.
//
// A read that fails (another program holds data.tvd) is a state of the lists, not an empty
// result: they keep the rows last read, the route list and the points always of one route, and
// are stale; the next verb, pick or reread reads again. fault() tells why the last one failed.

#include "planning/PlanMapLayers.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"
#include "route/RouteEditing.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace tv {

class Connection;

// Makes the row whose `field` holds `key` current; the first row when none does (false).
bool seekRowKey(Recordset& rs, const char* field, std::optional<int64_t> key);

class PlanRoutes
{
public:
    // Opens the route list of `db` (none: both lists stay closed) with its first route current,
    // and that route's points with the first point current. A file that cannot be read leaves
    // the lists empty and stale: the next verb, pick or reread reads them. Throws nothing.
    void open(Connection* db);

    Recordset& routes() { return routes_; }
    Recordset& points() { return points_; }

    std::optional<int64_t> routeId() const;    // RouteID of the current route
    std::optional<int64_t> pointRowId() const; // GpsPoints.id of the current point
    QString routeName() const;                 // "" without a current route

    // The pilot chose a row of the route grid: its points are shown, the first current. False
    // when they cannot be read: the route shown before stays current with its points.
    bool chooseRoute(Recordset::BookmarkId row);
    // The pilot chose a row of the points grid: the point that "+" goes after and "-" deletes.
    void choosePoint(Recordset::BookmarkId row);
    // The route list is shown by number again, the current route stays (a header click).
    void sortRoutesByNumber();
    void sortPointsByNumber();

    // What a verb did to data.tvd.
    enum class Write {
        Nothing, // nothing to do: no route, no point, no data file
        Stored,
        Failed, // the file refused the write: nothing changed, the pilot is told
    };
    // A new route named `name` after the current one; it becomes current with its (no) points.
    Write newRoute(const QString& name);
    // Deletes the current route with its points; the next route becomes current, after the
    // last the one before it.
    Write deleteRoute();
    // Adds `point` to the current route after the current point; it becomes current.
    Write addPoint(const NewRoutePoint& point);
    // Deletes the current point; the next becomes current, after the last the one before it.
    Write deletePoint();

    // Reads both lists again from the file (another window wrote them, or the pilot came back
    // to the window); the current route and point stay when they are still stored, else the
    // first row is current. False when the file could not be read: the rows stay as they were.
    bool reread();

    // The lists hold the rows last read, not (for certain) what is stored: a read failed since.
    bool stale() const { return stale_; }
    // Why the last verb, pick or reread failed (the write, else the read after it); none when
    // it succeeded.
    const std::optional<DbError>& fault() const { return fault_; }

    // The current route's points as the points grid holds them, in its order: the route line.
    std::vector<PlanRoutePoint> routeLine();

private:
    bool reread(std::optional<int64_t> route, std::optional<int64_t> point);
    bool reopenPoints(std::optional<int64_t> point);
    bool readFailed(const DbError& e);
    bool readAgainIfStale();
    template <typename Edit> Write write(Edit edit);

    Connection* db_ = nullptr;
    Recordset routes_;
    Recordset points_;
    std::optional<int64_t> pointsRoute_; // the route whose points points_ holds
    bool stale_ = false;
    std::optional<DbError> fault_;
};

} // namespace tv
