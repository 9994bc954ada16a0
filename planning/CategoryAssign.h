#pragma once

// The category manager's data: the waypoints with their categories, and its one write, the
// chosen category into the Kategorie field of the selected waypoints. Each row of the manager's
// lists stands for its waypoint's PointID, so two waypoints of one name are told apart.

#include "platform/Connection.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tv {

// One line of the manager's lists; a missing name or category reads as "".
struct ManagedWaypoint
{
    int64_t pointId = 0;
    std::string name;
    std::string category;
};
// Every waypoint by name (ignoring case). Throws DbError.
std::vector<ManagedWaypoint> waypointsByName(Connection& db);
// The category of every waypoint, by PointID. Throws DbError.
std::unordered_map<int64_t, std::string> waypointCategories(Connection& db);

// Writes `category` into every waypoint of `pointIds`, in order, in one transaction. When a
// waypoint is no longer in the table the writes before it are kept and its index in `pointIds`
// is returned (the caller reports it); none when all were written. Throws DbError when the
// database refuses a write (then nothing is written).
std::optional<size_t> assignCategory(Connection& db, const std::vector<int64_t>& pointIds,
                                     const std::string& category);

} // namespace tv
