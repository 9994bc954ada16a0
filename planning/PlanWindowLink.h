#pragma once

// What the route export and the route import need of the plan window, and nothing more: the
// plan window fills these in when it loads and clears them when it unloads, so the two windows
// never reach into its grids or recordsets. Each entry may be empty (plan window not loaded).

#include <cstdint>
#include <functional>
#include <optional>

namespace tv {

struct PlanWindowLink
{
    // The key (RouteID) of the plan window's current route, if it has one.
    std::function<std::optional<std::int64_t>()> currentRouteId;
    // Reads waypointsRS, planrouteRS and planpointsRS again after a route import was stored.
    std::function<void()> requeryAfterImport;
};

// The program's one link.
PlanWindowLink& planWindowLink();

} // namespace tv
