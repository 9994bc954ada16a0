#pragma once

// Filling and reading the category and waypoint tables of a data.tvd, and a program folder with
// an open connection to it.

#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "schema/Layout.h"
#include "support/TempDir.h"

#include <string>
#include <utility>
#include <vector>

namespace settingstest {

using Rows = std::vector<std::pair<double, std::string>>; // (Nummer, Kategorie) in list order

// Categories in list order, numbered 1..n.
inline void addCategories(tv::Connection& db, const std::vector<std::string>& names)
{
    for (std::size_t i = 0; i < names.size(); ++i)
        db.Execute("INSERT INTO Kategorie (Kategorie, Nummer) VALUES (?, ?)",
                   {names[i], static_cast<double>(i + 1)});
}

inline void addWaypoint(tv::Connection& db, const std::string& name, const std::string& category)
{
    db.Execute("INSERT INTO Waypoints (Name, Lat, Long, Kategorie) VALUES (?, 48.1, 11.3, ?)",
               {name, category});
}

inline Rows categoryRows(tv::Connection& db)
{
    tv::Recordset rs;
    rs.Open("SELECT Nummer, Kategorie FROM Kategorie ORDER BY Nummer", db);
    Rows rows;
    for (; !rs.Eof(); rs.MoveNext())
        rows.emplace_back(rs.Field("Nummer").toDouble(), rs.Field("Kategorie").toString());
    return rows;
}

// The waypoint's category; "<null>" for Null.
inline std::string categoryOf(tv::Connection& db, const std::string& waypointName)
{
    tv::Recordset rs;
    rs.Open("SELECT Kategorie FROM Waypoints WHERE Name = ?", db, {waypointName});
    const tv::Value v = rs.Field("Kategorie");
    return v.isNull() ? "<null>" : v.toString();
}

struct CategoryDb
{
    tvtest::TempDir dir;
    tv::Connection db;

    CategoryDb()
    {
        tv::schema::layoutProgramFolder(dir.path());
        db.Open((dir.path() / "data.tvd").string());
    }
    void categories(const std::vector<std::string>& names) { addCategories(db, names); }
    void waypoint(const std::string& name, const std::string& c) { addWaypoint(db, name, c); }
    Rows list() { return categoryRows(db); }
    std::string categoryOf(const std::string& name) { return settingstest::categoryOf(db, name); }
};

} // namespace settingstest
