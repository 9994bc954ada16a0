#pragma once

#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "schema/Layout.h"
#include "support/TempDir.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tvtest {

// A program folder laid out by the schema tool with data.tvd open, and builders for
// waypoints, routes and points. Values go in as bound parameters.
class PlanData
{
public:
    explicit PlanData(const tv::schema::LayoutOptions& options = {})
    {
        tv::schema::layoutProgramFolder(dir.path(), options);
        db = std::make_shared<tv::Connection>();
        db->Open((dir / "data.tvd").string());
    }

    int64_t addWaypoint(const std::string& name, double lat, double lon,
                        const std::string& kategorie = "")
    {
        db->Execute("INSERT INTO Waypoints (Name, Lat, Long, Kategorie) VALUES (?, ?, ?, ?)",
                    {name, lat, lon, kategorie});
        return db->LastInsertId();
    }
    int64_t addRoute(const std::string& name, double nummer)
    {
        db->Execute("INSERT INTO Route (Name, Nummer) VALUES (?, ?)", {name, nummer});
        return db->LastInsertId();
    }
    int64_t addPoint(int64_t routeId, double nummer, const std::string& name, double lat,
                     double lon)
    {
        db->Execute("INSERT INTO GpsPoints (RouteID, Nummer, PointID, Name, Lat, Long) "
                    "VALUES (?, ?, 0, ?, ?, ?)",
                    {routeId, nummer, name, lat, lon});
        return db->LastInsertId();
    }
    void addChart(const std::string& name, double unten, double oben, double links, double rechts,
                  int breite, int hoehe, bool active = true)
    {
        db->Execute("INSERT INTO Maps (Name, Unten, Oben, Links, Rechts, Breite, \"Höhe\", Active)"
                    " VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                    {name, unten, oben, links, rechts, breite, hoehe, active ? 1 : 0});
    }

    // "name:nummer" of every row of a query returning name and number, in order.
    std::vector<std::string> rows(const std::string& sql, const std::vector<tv::Value>& p = {})
    {
        tv::Recordset rs;
        rs.Open(sql, *db, p);
        std::vector<std::string> out;
        for (; !rs.Eof(); rs.MoveNext())
            out.push_back(rs.Field(0).toString() + ":" + rs.Field(1).toString());
        return out;
    }
    std::vector<std::string> routeList()
    {
        return rows("SELECT Name, Nummer FROM Route ORDER BY Nummer");
    }
    std::vector<std::string> pointList(int64_t routeId)
    {
        return rows("SELECT Name, Nummer FROM GpsPoints WHERE RouteID = ? ORDER BY Nummer",
                    {routeId});
    }

    TempDir dir;
    std::shared_ptr<tv::Connection> db;
};

} // namespace tvtest
