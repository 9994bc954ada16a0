#pragma once

// The category manager's one write: the chosen category into the Kategorie field of the
// selected waypoints. Each row of the manager's lists stands for its waypoint's PointID, so two
// waypoints of one name are told apart.

#include "platform/Connection.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tv {

// Writes `category` into every waypoint of `pointIds`, in order, in one transaction. When a
// waypoint is no longer in the table the writes before it are kept and its index in `pointIds`
// is returned (the caller reports it); none when all were written. Throws DbError when the
// database refuses a write (then nothing is written).
std::optional<size_t> assignCategory(Connection& db, const std::vector<int64_t>& pointIds,
                                     const std::string& category);

} // namespace tv
