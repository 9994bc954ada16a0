#include "route/ActiveRoute.h"

#include "platform/Connection.h"
#include "platform/Recordset.h"

namespace tv {
namespace {

bool isOpen(const std::shared_ptr<Recordset>& set)
{
    return set && set->State() == Recordset::kStateOpen;
}

} // namespace

ActiveRoute::ActiveRoute()
    : routes(std::make_shared<Recordset>()), points(std::make_shared<Recordset>())
{
}

void ActiveRoute::openList(Connection& db)
{
    if (!routes)
        routes = std::make_shared<Recordset>();
    if (!isOpen(routes))
        openRouteList(*routes, db);
}

ActiveRoute::Choice ActiveRoute::refresh(Connection& db, std::optional<int64_t> routeKey,
                                         const QString& routeName)
{
    if (!routes)
        routes = std::make_shared<Recordset>();
    if (isOpen(routes))
        routes->Requery();
    else
        openRouteList(*routes, db);
    if (!points)
        points = std::make_shared<Recordset>();

    Choice choice;
    choice.entries = routeEntries(*routes);
    if (choice.entries.empty()) {
        openRoutePoints(*points, db, kNoRouteId);
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
    if (!selectRoute(*routes, route.routeId))
        routes->MoveFirst();
    openRoutePoints(*points, db, route.routeId);
    choice.hasPoints = points->RecordCount() > 0;
    if (!choice.hasPoints)
        gotoActive = false;
    return choice;
}

void ActiveRoute::restoreTarget(int64_t pointId)
{
    if (!hasPoints())
        return;
    points->MoveFirst();
    points->Find("PointID", CompareOp::Equal, Value(pointId));
    if (points->Eof())
        points->MoveFirst();
}

bool ActiveRoute::choose(Connection& db, int64_t routeId)
{
    if (!routes || !selectRoute(*routes, routeId))
        return false;
    if (!points)
        points = std::make_shared<Recordset>();
    openRoutePoints(*points, db, routeId);
    return true;
}

bool ActiveRoute::startNavigation()
{
    gotoActive = hasPoints();
    return gotoActive;
}

StepResult ActiveRoute::advance()
{
    if (!points)
        return StepResult::NoRow;
    const StepResult result = stepToNextPoint(*points);
    if (result == StepResult::AtLastEnd)
        gotoActive = false;
    return result;
}

StepResult ActiveRoute::back()
{
    if (!points)
        return StepResult::NoRow;
    return stepToPreviousPoint(*points);
}

std::optional<RoutePoint> ActiveRoute::target() const
{
    if (!points || !currentPointRowId(*points))
        return std::nullopt;
    return routePointFromRow(*points);
}

bool ActiveRoute::hasPoints() const
{
    return isOpen(points) && points->RecordCount() > 0;
}

} // namespace tv
