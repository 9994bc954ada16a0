#include "planning/WaypointList.h"

#include "platform/Connection.h"
#include "platform/Recordset.h"

namespace tv {

void openWaypointList(Recordset& waypoints, Connection& db,
                      const std::optional<std::string>& category)
{
    if (category)
        waypoints.Open("SELECT * From Waypoints WHERE Kategorie = ? ORDER by NAME ASC", db,
                       {*category});
    else
        waypoints.Open("SELECT * From Waypoints Order by NAME ASC", db);
}

bool waypointNameTaken(Connection& db, const std::string& name)
{
    Recordset same;
    same.Open("SELECT PointID FROM Waypoints WHERE Name = ?", db, {name});
    return same.RecordCount() > 0;
}

} // namespace tv
