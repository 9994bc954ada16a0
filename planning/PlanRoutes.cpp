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
    try {
        if (db_)
            openRouteList(routes_, *db_);
        else
            routes_.Close();
    } catch (const DbError& e) {
        logIgnoredFault(e, "the route list stays empty");
        routes_.Close();
    }
    reopenPoints(std::nullopt);
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

void PlanRoutes::chooseRoute(Recordset::BookmarkId row)
{
    if (!isOpen(routes_))
        return;
    routes_.SetBookmark(row);
    reopenPoints(std::nullopt);
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
// closed without a route.
void PlanRoutes::reopenPoints(std::optional<int64_t> point)
{
    const std::optional<int64_t> route = routeId();
    try {
        if (route && db_) {
            openRoutePoints(points_, *db_, *route);
            seekRowKey(points_, "id", point);
            return;
        }
    } catch (const DbError& e) {
        logIgnoredFault(e, "the route's points are not shown");
    }
    points_.Close();
}

void PlanRoutes::reread()
{
    reread(routeId(), pointRowId());
}

void PlanRoutes::reread(std::optional<int64_t> route, std::optional<int64_t> point)
{
    try {
        if (isOpen(routes_))
            routes_.Requery();
        seekRowKey(routes_, "RouteID", route);
    } catch (const DbError& e) {
        // What cannot be read is not shown: a list that fails is empty, never a stale copy.
        logIgnoredFault(e, "the route list is shown empty");
        routes_.Close();
    }
    reopenPoints(routeId() == route ? point : std::nullopt);
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
        result = Write::Failed;
    }
    reread(route, point);
    return result;
}

using Current = std::pair<std::optional<int64_t>, std::optional<int64_t>>;

PlanRoutes::Write PlanRoutes::newRoute(const QString& name)
{
    if (!db_ || !isOpen(routes_))
        return Write::Nothing;
    return write([&](std::optional<int64_t> route, std::optional<int64_t>) {
        return Current{insertRouteAfter(*db_, route, name), std::nullopt};
    });
}

PlanRoutes::Write PlanRoutes::deleteRoute()
{
    if (!db_ || !routeId())
        return Write::Nothing;
    return write([&](std::optional<int64_t> route, std::optional<int64_t>) {
        return Current{tv::deleteRoute(*db_, *route), std::nullopt};
    });
}

PlanRoutes::Write PlanRoutes::addPoint(const NewRoutePoint& newPoint)
{
    if (!db_ || !routeId())
        return Write::Nothing;
    return write([&](std::optional<int64_t> route, std::optional<int64_t> point) {
        return Current{route, insertPointAfter(*db_, *route, point, newPoint)};
    });
}

PlanRoutes::Write PlanRoutes::deletePoint()
{
    if (!db_ || !routeId() || !pointRowId())
        return Write::Nothing;
    const std::optional<int64_t> next = rowAfterRemoval(keysOf(points_, "id"), *pointRowId());
    return write([&](std::optional<int64_t> route, std::optional<int64_t> point) {
        tv::deletePoint(*db_, *route, *point);
        return Current{route, next};
    });
}

} // namespace tv
