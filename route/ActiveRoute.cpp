#include "route/ActiveRoute.h"

#include "platform/Connection.h"
#include "platform/Recordset.h"

#include <algorithm>

namespace tv {
namespace {

bool isOpen(const Recordset& set)
{
    return set.State() == Recordset::kStateOpen;
}

} // namespace

ActiveRoute::ActiveRoute()
    : routes_(std::make_unique<Recordset>()), points_(std::make_unique<Recordset>())
{
}

ActiveRoute::~ActiveRoute() = default;

void ActiveRoute::openList(Connection& db)
{
    if (!isOpen(*routes_))
        openRouteList(*routes_, db);
}

ActiveRoute::Choice ActiveRoute::refresh(Connection& db, std::optional<int64_t> routeKey,
                                         const QString& routeName)
{
    // Everything is read before anything shown changes: a read that fails (the file held by
    // another program) leaves the route box, the grid and the map on the route shown before.
    Recordset list;
    openRouteList(list, db);
    Choice choice;
    choice.entries = routeEntries(list);
    Recordset read;
    if (choice.entries.empty()) {
        openRoutePoints(read, db, kNoRouteId);
        *routes_ = std::move(list);
        adoptPoints(read);
        return choice;
    }
    choice.chosen = 0;
    for (size_t i = 0; i < choice.entries.size(); ++i) {
        if (routeKey ? choice.entries[i].routeId == *routeKey
                     : choice.entries[i].name == routeName) {
            choice.chosen = static_cast<int>(i);
            break;
        }
    }
    const RouteEntry& route = choice.entries[static_cast<size_t>(choice.chosen)];
    openRoutePoints(read, db, route.routeId);
    if (!selectRoute(list, route.routeId))
        list.MoveFirst();
    *routes_ = std::move(list);
    adoptPoints(read);
    choice.hasPoints = points_->RecordCount() > 0;
    if (!choice.hasPoints)
        gotoActive_ = false;
    return choice;
}

void ActiveRoute::restoreTarget(int64_t pointId)
{
    if (!hasPoints())
        return;
    points_->MoveFirst();
    points_->Find("PointID", CompareOp::Equal, Value(pointId));
    if (points_->Eof())
        points_->MoveFirst();
}

bool ActiveRoute::choose(Connection& db, int64_t routeId)
{
    if (!isOpen(*routes_))
        return false;
    const std::vector<RouteEntry> entries = routeEntries(*routes_);
    if (std::none_of(entries.begin(), entries.end(),
                     [&](const RouteEntry& e) { return e.routeId == routeId; }))
        return false;
    // The points first: when they cannot be read the route shown before stays chosen.
    Recordset read;
    openRoutePoints(read, db, routeId);
    selectRoute(*routes_, routeId);
    adoptPoints(read);
    return true;
}

void ActiveRoute::adoptPoints(Recordset& read)
{
    std::vector<RoutePoint> list;
    list.reserve(static_cast<size_t>(read.RecordCount()));
    for (read.MoveFirst(); !read.Eof(); read.MoveNext())
        list.push_back(routePointFromRow(read));
    if (read.RecordCount() > 0)
        read.MoveFirst();
    *points_ = std::move(read);
    pointList_ = std::move(list);
}

bool ActiveRoute::startNavigation()
{
    gotoActive_ = hasPoints();
    return gotoActive_;
}

StepResult ActiveRoute::advance()
{
    const StepResult result = stepToNextPoint(*points_);
    if (result == StepResult::AtLastEnd)
        gotoActive_ = false;
    return result;
}

StepResult ActiveRoute::back()
{
    return stepToPreviousPoint(*points_);
}

std::optional<RoutePoint> ActiveRoute::targetPoint() const
{
    if (!currentPointRowId(*points_))
        return std::nullopt;
    return routePointFromRow(*points_);
}

std::optional<int64_t> ActiveRoute::chosenRouteId() const
{
    if (!isOpen(*routes_))
        return std::nullopt;
    return currentRouteId(*routes_);
}

bool ActiveRoute::hasRoutes() const
{
    return isOpen(*routes_) && routes_->RecordCount() > 0;
}

bool ActiveRoute::pointsOpen() const
{
    return isOpen(*points_);
}

bool ActiveRoute::hasPoints() const
{
    return pointsOpen() && points_->RecordCount() > 0;
}

} // namespace tv
