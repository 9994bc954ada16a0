#include "route/ActiveRoute.h"

#include "platform/Connection.h"
#include "platform/Recordset.h"

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
    if (isOpen(*routes_))
        routes_->Requery();
    else
        openRouteList(*routes_, db);

    Choice choice;
    choice.entries = routeEntries(*routes_);
    if (choice.entries.empty()) {
        openRoutePoints(*points_, db, kNoRouteId);
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
    if (!selectRoute(*routes_, route.routeId))
        routes_->MoveFirst();
    openRoutePoints(*points_, db, route.routeId);
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
    if (!selectRoute(*routes_, routeId))
        return false;
    openRoutePoints(*points_, db, routeId);
    return true;
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
