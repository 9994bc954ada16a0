#include "planning/RouteEditing.h"

#include "platform/DbError.h"
#include "platform/Recordset.h"

#include <sqlite3.h>

#include <algorithm>
#include <vector>

namespace tv {

namespace {

// Keys of a list in its order; equal numbers keep the order in which the rows were stored.
std::vector<int64_t> orderedKeys(Connection& db, const std::string& sql,
                                 const std::vector<Value>& params)
{
    Recordset rs;
    rs.Open(sql, db, params);
    std::vector<int64_t> keys;
    keys.reserve(static_cast<size_t>(rs.RecordCount()));
    for (; !rs.Eof(); rs.MoveNext())
        keys.push_back(rs.Field(0).toInt());
    return keys;
}

std::vector<int64_t> routeKeys(Connection& db)
{
    return orderedKeys(db, "SELECT RouteID FROM Route ORDER BY Nummer ASC, RouteID ASC", {});
}

std::vector<int64_t> pointKeys(Connection& db, int64_t routeId)
{
    return orderedKeys(db,
                       "SELECT id FROM GpsPoints WHERE RouteID = ? ORDER BY Nummer ASC, id ASC",
                       {routeId});
}

// Index after which a new row goes: after `after` when it is in the list, else at the end.
size_t insertIndex(const std::vector<int64_t>& keys, std::optional<int64_t> after)
{
    if (after) {
        const auto it = std::find(keys.begin(), keys.end(), *after);
        if (it != keys.end())
            return static_cast<size_t>(it - keys.begin()) + 1;
    }
    return keys.size();
}

void renumber(Connection& db, const std::string& updateSql, const std::vector<int64_t>& keys)
{
    for (size_t i = 0; i < keys.size(); ++i)
        db.Execute(updateSql, {static_cast<int64_t>(i + 1), keys[i]});
}

int64_t lastInsertId(Connection& db)
{
    return sqlite3_last_insert_rowid(db.handle());
}

Value optionalNumber(const std::optional<double>& v)
{
    return v ? Value(*v) : Value();
}

} // namespace

int64_t insertRoute(Connection& db, std::optional<int64_t> afterRouteId, const std::string& name)
{
    Connection::Transaction t(db);
    std::vector<int64_t> keys = routeKeys(db);
    const size_t at = insertIndex(keys, afterRouteId);
    db.Execute("INSERT INTO Route (Name, Nummer) VALUES (?, ?)",
               {name, static_cast<int64_t>(at + 1)});
    const int64_t id = lastInsertId(db);
    keys.insert(keys.begin() + static_cast<std::ptrdiff_t>(at), id);
    renumber(db, "UPDATE Route SET Nummer = ? WHERE RouteID = ?", keys);
    t.commit();
    return id;
}

std::optional<int64_t> deleteRoute(Connection& db, int64_t routeId)
{
    Connection::Transaction t(db);
    const std::vector<int64_t> keys = routeKeys(db);
    std::optional<int64_t> next;
    const auto it = std::find(keys.begin(), keys.end(), routeId);
    if (it != keys.end()) {
        if (it + 1 != keys.end())
            next = *(it + 1);
        else if (it != keys.begin())
            next = *(it - 1);
    }
    db.Execute("DELETE FROM GpsPoints WHERE RouteID = ?", {routeId});
    db.Execute("DELETE FROM Route WHERE RouteID = ?", {routeId});
    t.commit();
    return next;
}

int64_t insertRoutePoint(Connection& db, int64_t routeId, std::optional<int64_t> afterId,
                         const RoutePointSource& source)
{
    Connection::Transaction t(db);
    std::vector<int64_t> keys = pointKeys(db, routeId);
    const size_t at = insertIndex(keys, afterId);
    db.Execute("INSERT INTO GpsPoints (RouteID, Nummer, PointID, Name, Lat, Long) "
               "VALUES (?, ?, ?, ?, ?, ?)",
               {routeId, static_cast<int64_t>(at + 1), source.pointId, source.name,
                optionalNumber(source.latDDMM), optionalNumber(source.lonDDMM)});
    const int64_t id = lastInsertId(db);
    keys.insert(keys.begin() + static_cast<std::ptrdiff_t>(at), id);
    renumber(db, "UPDATE GpsPoints SET Nummer = ? WHERE id = ?", keys);
    t.commit();
    return id;
}

std::optional<int64_t> deleteRoutePoint(Connection& db, int64_t routeId, int64_t id)
{
    Connection::Transaction t(db);
    std::vector<int64_t> keys = pointKeys(db, routeId);
    const auto it = std::find(keys.begin(), keys.end(), id);
    if (it == keys.end())
        throw DbError("route point not found");
    const size_t at = static_cast<size_t>(it - keys.begin());
    db.Execute("DELETE FROM GpsPoints WHERE id = ?", {id});
    keys.erase(it);
    renumber(db, "UPDATE GpsPoints SET Nummer = ? WHERE id = ?", keys);
    t.commit();
    if (keys.empty())
        return std::nullopt;
    return keys[std::min(at, keys.size() - 1)];
}

std::optional<RouteNameMessage> checkRouteName(const std::string& name, int16_t language)
{
    if (name.find_first_not_of(" \t") != std::string::npos)
        return std::nullopt;
    if (language == 0)
        return RouteNameMessage{"Bitte eine Streckenbezeichnung eingeben !", "Eingabefehler"};
    return RouteNameMessage{"Please enter a route name !", "Data error"};
}

} // namespace tv
