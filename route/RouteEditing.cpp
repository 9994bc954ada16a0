#include "route/RouteEditing.h"

#include "platform/Connection.h"
#include "platform/Recordset.h"

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

// The route list's RouteIDs in their order.
std::vector<int64_t> orderedRouteIds(Connection& db)
{
    Recordset rs;
    rs.Open("SELECT RouteID FROM Route ORDER BY Nummer ASC, RouteID ASC", db);
    std::vector<int64_t> ids;
    ids.reserve(static_cast<size_t>(rs.RecordCount()));
    for (; !rs.Eof(); rs.MoveNext())
        ids.push_back(rs.Field("RouteID").toInt());
    return ids;
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
    const int64_t newId = db.LastInsertId();
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

int64_t insertRouteAfter(Connection& db, std::optional<int64_t> afterRouteId, const QString& name)
{
    Connection::Transaction tx(db);
    std::vector<int64_t> ids = orderedRouteIds(db);
    size_t place = ids.size();
    if (afterRouteId) {
        for (size_t i = 0; i < ids.size(); ++i)
            if (ids[i] == *afterRouteId)
                place = i + 1;
    }
    db.Execute("INSERT INTO Route (Name, Nummer) VALUES (?, ?)",
               {Value(name.toStdString()), Value(static_cast<double>(place) + 0.5)});
    const int64_t newId = db.LastInsertId();
    ids.insert(ids.begin() + static_cast<std::ptrdiff_t>(place), newId);
    for (size_t i = 0; i < ids.size(); ++i)
        db.Execute("UPDATE Route SET Nummer = ? WHERE RouteID = ?",
                   {Value(static_cast<double>(i + 1)), Value(ids[i])});
    tx.commit();
    return newId;
}

std::optional<int64_t> deleteRoute(Connection& db, int64_t routeId)
{
    Connection::Transaction tx(db);
    const std::vector<int64_t> ids = orderedRouteIds(db);
    std::optional<int64_t> next;
    for (size_t i = 0; i < ids.size(); ++i) {
        if (ids[i] != routeId)
            continue;
        if (i + 1 < ids.size())
            next = ids[i + 1];
        else if (i > 0)
            next = ids[i - 1];
    }
    db.Execute("DELETE FROM GpsPoints WHERE RouteID = ?", {Value(routeId)});
    db.Execute("DELETE FROM Route WHERE RouteID = ?", {Value(routeId)});
    tx.commit();
    return next;
}

} // namespace tv
