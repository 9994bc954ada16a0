#include "planning/PlanRoutes.h"

#include "platform/DbError.h"
#include "platform/Log.h"
#include "route/RouteData.h"

#include <algorithm>
#include <vector>

namespace tv {

namespace {

bool isOpen(const Recordset& rs)
{
    return rs.State() == Recordset::kStateOpen;
}

// The keys of every row in the set's order; the current row stays.
std::vector<int64_t> keysOf(Recordset& rs, const char* field)
{
    std::vector<int64_t> keys;
    if (!isOpen(rs) || rs.RecordCount() == 0)
        return keys;
    const bool hadRow = rs.HasCurrentRow();
    const auto keep = hadRow ? rs.Bookmark() : 0;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        if (const std::optional<int64_t> key = currentKey(rs, field))
            keys.push_back(*key);
    }
    if (hadRow)
        rs.SetBookmark(keep);
    else
        rs.MoveFirst();
    return keys;
}

// A header click: the set by number again, on the same row.
void sortByNumber(Recordset& rs)
{
    if (!isOpen(rs))
        return;
    const bool hadRow = rs.HasCurrentRow();
    const auto keep = hadRow ? rs.Bookmark() : 0;
    rs.Sort("Nummer ASC");
    if (hadRow)
        rs.SetBookmark(keep);
}

// The row that becomes current when `removed` leaves a list in the order `keys`: the one after
// it, after the last the one before it; none when the list holds no other row.
std::optional<int64_t> rowAfterRemoval(const std::vector<int64_t>& keys, int64_t removed)
{
    const auto at = std::find(keys.begin(), keys.end(), removed);
    if (at == keys.end())
        return std::nullopt;
    if (at + 1 != keys.end())
        return *(at + 1);
    if (at != keys.begin())
        return *(at - 1);
    return std::nullopt;
}

} // namespace

bool seekRowKey(Recordset& rs, const char* field, std::optional<int64_t> key)
{
    if (!isOpen(rs) || rs.RecordCount() == 0)
        return false;
    rs.MoveFirst();
    if (!key)
        return false;
    rs.Find(field, CompareOp::Equal, Value(*key));
    if (!rs.Eof())
        return true;
    rs.MoveFirst();
    return false;
}

void PlanRoutes::open(Connection* db)
{
    db_ = db;
    routes_.Close();
    points_.Close();
    pointsRoute_.reset();
    stale_ = false;
    fault_.reset();
    reread(std::nullopt, std::nullopt);
}

std::optional<int64_t> PlanRoutes::routeId() const
{
    return currentRouteId(routes_);
}

std::optional<int64_t> PlanRoutes::pointRowId() const
{
    return currentPointRowId(points_);
}

QString PlanRoutes::routeName() const
{
    if (!routes_.HasCurrentRow())
        return {};
    return QString::fromStdString(routes_.Field("Name").toString());
}

bool PlanRoutes::chooseRoute(Recordset::BookmarkId row)
{
    fault_.reset();
    if (!isOpen(routes_))
        return true;
    routes_.SetBookmark(row);
    return stale_ ? reread(routeId(), std::nullopt) : reopenPoints(std::nullopt);
}

void PlanRoutes::choosePoint(Recordset::BookmarkId row)
{
    if (isOpen(points_))
        points_.SetBookmark(row);
}

void PlanRoutes::sortRoutesByNumber()
{
    sortByNumber(routes_);
}

void PlanRoutes::sortPointsByNumber()
{
    sortByNumber(points_);
}

// The points of the current route with `point` current (the first when it is not among them);
// closed without a route. A failed read keeps the points shown before.
bool PlanRoutes::reopenPoints(std::optional<int64_t> point)
{
    const std::optional<int64_t> route = routeId();
    if (!route || !db_) {
        points_.Close();
        pointsRoute_.reset();
        return true;
    }
    Recordset fresh;
    try {
        openRoutePoints(fresh, *db_, *route);
    } catch (const DbError& e) {
        return readFailed(e);
    }
    points_ = std::move(fresh);
    pointsRoute_ = route;
    seekRowKey(points_, "id", point);
    return true;
}

// A read failed: the lists keep the rows last read, and the route list stands on the route
// whose points are shown (one route in both grids and on the map), or shows no points when
// that route is gone from it.
bool PlanRoutes::readFailed(const DbError& e)
{
    logIgnoredFault(e, "the lists keep the rows last read; the pilot is told");
    stale_ = true;
    if (!fault_)
        fault_ = e;
    if (routeId() != pointsRoute_ && !(pointsRoute_ && selectRoute(routes_, *pointsRoute_))) {
        points_.Close();
        pointsRoute_.reset();
    }
    return false;
}

bool PlanRoutes::reread()
{
    fault_.reset();
    return reread(routeId(), pointRowId());
}

bool PlanRoutes::reread(std::optional<int64_t> route, std::optional<int64_t> point)
{
    if (!db_) {
        routes_.Close();
        points_.Close();
        pointsRoute_.reset();
        stale_ = false;
        return true;
    }
    try {
        // A failed Requery leaves the set as it was; a list never read is opened.
        if (isOpen(routes_))
            routes_.Requery();
        else
            openRouteList(routes_, *db_);
    } catch (const DbError& e) {
        return readFailed(e);
    }
    seekRowKey(routes_, "RouteID", route);
    if (!reopenPoints(routeId() == route ? point : std::nullopt))
        return false;
    stale_ = false;
    return true;
}

// Before a verb: lists that could not be read are read first, so that the verb works on what
// is stored. False when they still cannot be read (nothing is written then).
bool PlanRoutes::readAgainIfStale()
{
    fault_.reset();
    return !stale_ || reread(routeId(), pointRowId());
}

std::vector<PlanRoutePoint> PlanRoutes::routeLine()
{
    if (!isOpen(points_) || points_.RecordCount() == 0)
        return {};
    const bool hadRow = points_.HasCurrentRow();
    const auto keep = hadRow ? points_.Bookmark() : 0;
    points_.MoveFirst();
    std::vector<PlanRoutePoint> line = planRoutePoints(points_);
    if (hadRow)
        points_.SetBookmark(keep);
    else
        points_.MoveFirst();
    return line;
}

// Runs `edit` (which gives the route and point to make current after it was stored, and
// throws DbError when the file refuses it), then reads both lists again: after a failure the
// current route and point stay.
template <typename Edit> PlanRoutes::Write PlanRoutes::write(Edit edit)
{
    std::optional<int64_t> route = routeId();
    std::optional<int64_t> point = pointRowId();
    Write result = Write::Stored;
    try {
        std::tie(route, point) = edit(route, point);
    } catch (const DbError& e) {
        logIgnoredFault(e, "the change is not stored; the pilot is told");
        fault_ = e;
        result = Write::Failed;
        // Nothing changed, so the rows shown are what is stored; a file held by another
        // program would only keep the pilot waiting again for each list. The next action reads.
        if (e.fault() == DataFault::Locked) {
            stale_ = true;
            return result;
        }
    }
    reread(route, point);
    return result;
}

using Current = std::pair<std::optional<int64_t>, std::optional<int64_t>>;

PlanRoutes::Write PlanRoutes::newRoute(const QString& name)
{
    if (!db_)
        return Write::Nothing;
    if (!readAgainIfStale())
        return Write::Failed;
    return write([&](std::optional<int64_t> route, std::optional<int64_t>) {
        return Current{insertRouteAfter(*db_, route, name), std::nullopt};
    });
}

PlanRoutes::Write PlanRoutes::deleteRoute()
{
    if (!db_)
        return Write::Nothing;
    if (!readAgainIfStale())
        return Write::Failed;
    if (!routeId())
        return Write::Nothing;
    return write([&](std::optional<int64_t> route, std::optional<int64_t>) {
        return Current{tv::deleteRoute(*db_, *route), std::nullopt};
    });
}

PlanRoutes::Write PlanRoutes::addPoint(const NewRoutePoint& newPoint)
{
    if (!db_)
        return Write::Nothing;
    if (!readAgainIfStale())
        return Write::Failed;
    if (!routeId())
        return Write::Nothing;
    return write([&](std::optional<int64_t> route, std::optional<int64_t> point) {
        return Current{route, insertPointAfter(*db_, *route, point, newPoint)};
    });
}

PlanRoutes::Write PlanRoutes::deletePoint()
{
    if (!db_)
        return Write::Nothing;
    if (!readAgainIfStale())
        return Write::Failed;
    if (!routeId() || !pointRowId())
        return Write::Nothing;
    const std::optional<int64_t> next = rowAfterRemoval(keysOf(points_, "id"), *pointRowId());
    return write([&](std::optional<int64_t> route, std::optional<int64_t> point) {
        tv::deletePoint(*db_, *route, *point);
        return Current{route, next};
    });
}

} // namespace tv
