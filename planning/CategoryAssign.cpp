#include "planning/CategoryAssign.h"

#include "platform/Recordset.h"

namespace tv {

std::vector<ManagedWaypoint> waypointsByName(Connection& db)
{
    Recordset rs;
    rs.Open("SELECT PointID, Name, Kategorie FROM Waypoints ORDER BY Name ASC", db);
    std::vector<ManagedWaypoint> waypoints;
    waypoints.reserve(static_cast<size_t>(rs.RecordCount()));
    for (; !rs.Eof(); rs.MoveNext())
        waypoints.push_back({rs.Field(0).toInt(), rs.Field(1).toString(), rs.Field(2).toString()});
    return waypoints;
}

std::unordered_map<int64_t, std::string> waypointCategories(Connection& db)
{
    Recordset rs;
    rs.Open("SELECT PointID, Kategorie FROM Waypoints", db);
    std::unordered_map<int64_t, std::string> categories;
    for (; !rs.Eof(); rs.MoveNext())
        categories[rs.Field(0).toInt()] = rs.Field(1).toString();
    return categories;
}

std::optional<size_t> assignCategory(Connection& db, const std::vector<int64_t>& pointIds,
                                     const std::string& category)
{
    Connection::Transaction t(db);
    std::optional<size_t> missing;
    for (size_t i = 0; i < pointIds.size(); ++i) {
        if (db.Execute("UPDATE Waypoints SET Kategorie = ? WHERE PointID = ?",
                       {category, pointIds[i]}) == 0) {
            missing = i;
            break;
        }
    }
    t.commit();
    return missing;
}

} // namespace tv
