#include "route/RouteEditing.h"

#include "platform/Connection.h"
#include "platform/Recordset.h"

#include <sqlite3.h>

#include <vector>

namespace tv {
namespace {

// The route's row ids in their order.
std::vector<int64_t> orderedRowIds(Connection& db, int64_t routeId)
{
    Recordset rs;
    rs.Open("SELECT id FROM GpsPoints WHERE RouteID = ? ORDER BY Nummer ASC, id ASC", db,
            {Value(routeId)});
    std::vector<int64_t> ids;
    ids.reserve(static_cast<size_t>(rs.RecordCount()));
    for (; !rs.Eof(); rs.MoveNext())
        ids.push_back(rs.Field("id").toInt());
    return ids;
}

void numberInOrder(Connection& db, const std::vector<int64_t>& ids)
{
    for (size_t i = 0; i < ids.size(); ++i)
        db.Execute("UPDATE GpsPoints SET Nummer = ? WHERE id = ?",
                   {Value(static_cast<double>(i + 1)), Value(ids[i])});
}

} // namespace

void renumberRoute(Connection& db, int64_t routeId)
{
    Connection::Transaction tx(db);
    numberInOrder(db, orderedRowIds(db, routeId));
    tx.commit();
}

int64_t insertPointAfter(Connection& db, int64_t routeId, std::optional<int64_t> afterRowId,
                         const NewRoutePoint& point)
{
    Connection::Transaction tx(db);
    // Numbered 1..n first, so that "just after the current point" is a number between it and
    // the next one whatever the old numbers were.
    const std::vector<int64_t> before = orderedRowIds(db, routeId);
    numberInOrder(db, before);
    size_t place = before.size(); // number of points in front of the new one
    if (afterRowId) {
        for (size_t i = 0; i < before.size(); ++i)
            if (before[i] == *afterRowId)
                place = i + 1;
    }
    db.Execute("INSERT INTO GpsPoints (RouteID, Nummer, PointID, Name, Lat, Long) "
               "VALUES (?, ?, ?, ?, ?, ?)",
               {Value(routeId), Value(static_cast<double>(place) + 0.5), Value(point.pointId),
                Value(point.name.toStdString()), Value(point.latDDMM), Value(point.lonDDMM)});
    const int64_t newId = sqlite3_last_insert_rowid(db.handle());
    std::vector<int64_t> after = before;
    after.insert(after.begin() + static_cast<std::ptrdiff_t>(place), newId);
    numberInOrder(db, after);
    tx.commit();
    return newId;
}

bool deletePoint(Connection& db, int64_t routeId, int64_t rowId)
{
    Connection::Transaction tx(db);
    if (db.Execute("DELETE FROM GpsPoints WHERE id = ? AND RouteID = ?",
                   {Value(rowId), Value(routeId)}) == 0)
        return false; // nothing changed: the guard rolls the empty transaction back
    numberInOrder(db, orderedRowIds(db, routeId));
    tx.commit();
    return true;
}

} // namespace tv
