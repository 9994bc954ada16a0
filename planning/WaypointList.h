#pragma once

// The waypoints of data.tvd as the plan window lists them, and the name check of adding one.
// Names compare and sort ignoring case, umlauts included (the column's collation).

#include <optional>
#include <string>

namespace tv {

class Connection;
class Recordset;

// Opens `waypoints` on every field of the waypoints by name: all of them, or only those of
// `category` when one is given. Throws DbError.
void openWaypointList(Recordset& waypoints, Connection& db,
                      const std::optional<std::string>& category);

// Some waypoint of the whole table has this name (ignoring case), whatever the list shows.
// Throws DbError.
bool waypointNameTaken(Connection& db, const std::string& name);

} // namespace tv
