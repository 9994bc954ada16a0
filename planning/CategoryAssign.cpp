#include "planning/CategoryAssign.h"

namespace tv {

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
