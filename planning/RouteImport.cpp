#include "planning/RouteImport.h"

#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"
#include "platform/TextFold.h"

#include <cmath>
#include <unordered_map>

namespace tv {
namespace {

// A stored waypoint as the route points copy it.
struct StoredWaypoint
{
    std::int64_t pointId = 0;
    Value name;
    Value lat;
    Value lon;
};

// The file's value checked for a coordinate column: Null stays Null, a number (or text that
// reads as one) within +-limit is kept as a number; anything else fails.
bool coordinate(const Value& v, double limit, Value& out)
{
    if (v.isNull()) {
        out = Value();
        return true;
    }
    const std::optional<double> d = v.asNumber();
    if (!d || !std::isfinite(*d) || std::fabs(*d) > limit)
        return false;
    out = Value(*d);
    return true;
}

// An empty value on either side is no difference: only two numbers can differ.
bool differs(const Value& stored, const Value& file)
{
    return stored.isNumber() && file.isNumber() && stored.toDouble() != file.toDouble();
}

} // namespace

std::string routeNameFromFile(const std::filesystem::path& file)
{
    return file.filename().stem().string();
}

std::optional<std::vector<RouteFilePoint>> readRouteFile(const std::filesystem::path& file,
                                                         std::string& why)
{
    Recordset rs;
    try {
        rs.OpenFile(file);
    } catch (const DbError& e) {
        why = e.what();
        return std::nullopt;
    }
    const int nameField = rs.FieldIndex("Name");
    const int latField = rs.FieldIndex("Lat");
    const int longField = rs.FieldIndex("Long");
    if (nameField < 0 || latField < 0 || longField < 0) {
        why = "the file has no Name, Lat or Long column";
        return std::nullopt;
    }
    if (rs.RecordCount() == 0) {
        why = "the file holds no points";
        return std::nullopt;
    }
    std::vector<RouteFilePoint> points;
    points.reserve(static_cast<std::size_t>(rs.RecordCount()));
    for (; !rs.Eof(); rs.MoveNext()) {
        RouteFilePoint p;
        p.name = rs.Field(nameField);
        if (!coordinate(rs.Field(latField), 90.0, p.lat) ||
            !coordinate(rs.Field(longField), 180.0, p.lon)) {
            why = "point " + std::to_string(points.size() + 1) + " has no valid position";
            return std::nullopt;
        }
        points.push_back(std::move(p));
    }
    return points;
}

RouteImportResult importRoutePoints(Connection& db, const std::vector<RouteFilePoint>& points,
                                    const std::string& routeName)
{
    RouteImportResult result;
    result.routeName = routeName;
    try {
        Connection::Transaction transaction(db);

        // The stored waypoints by name, read once. The first of a name in list order counts,
        // as a search from the top of the list would find it; a waypoint without a name can
        // be found by no name.
        std::unordered_map<std::string, StoredWaypoint> byName;
        {
            Recordset rs;
            rs.Open("SELECT PointID, Name, Lat, Long FROM Waypoints ORDER BY Name ASC, PointID ASC",
                    db);
            byName.reserve(static_cast<std::size_t>(rs.RecordCount()) + points.size());
            for (; !rs.Eof(); rs.MoveNext()) {
                if (rs.Field(1).isNull())
                    continue;
                byName.try_emplace(
                    foldCase(rs.Field(1).toString()),
                    StoredWaypoint{rs.Field(0).toInt(), rs.Field(1), rs.Field(2), rs.Field(3)});
            }
        }

        // Waypoints first: a name new to the database becomes a waypoint without category.
        std::vector<const StoredWaypoint*> pointWaypoints;
        pointWaypoints.reserve(points.size());
        for (const RouteFilePoint& p : points) {
            const std::string name = p.name.toString(); // Null: the empty name
            auto [it, added] = byName.try_emplace(foldCase(name));
            if (added) {
                db.Execute("INSERT INTO Waypoints (Name, Lat, Long, Kategorie) VALUES (?, ?, ?, ?)",
                           {name, p.lat, p.lon, ""});
                it->second = StoredWaypoint{db.LastInsertId(), Value(name), p.lat, p.lon};
                ++result.waypointsAdded;
            } else if (differs(it->second.lat, p.lat) || differs(it->second.lon, p.lon)) {
                result.differingNames.push_back(name);
            }
            pointWaypoints.push_back(&it->second);
        }

        // The route comes last in the list; the list is not renumbered.
        Recordset last;
        last.Open("SELECT MAX(Nummer) FROM Route", db);
        const double nummer = last.Field(0).isNull() ? 1.0 : last.Field(0).toDouble() + 1.0;
        db.Execute("INSERT INTO Route (Name, Nummer) VALUES (?, ?)", {routeName, nummer});
        result.routeId = db.LastInsertId();

        // The points copy the stored waypoint, not the file row.
        for (std::size_t i = 0; i < pointWaypoints.size(); ++i) {
            const StoredWaypoint& w = *pointWaypoints[i];
            db.Execute("INSERT INTO GpsPoints (RouteID, Nummer, PointID, Name, Lat, Long) "
                       "VALUES (?, ?, ?, ?, ?, ?)",
                       {result.routeId, static_cast<std::int64_t>(i + 1), w.pointId,
                        w.name.toString(), w.lat, w.lon});
            ++result.pointsAdded;
        }
        transaction.commit();
        result.imported = true;
    } catch (const DbError& e) {
        result = RouteImportResult{};
        result.routeName = routeName;
        result.reason = e.what();
    }
    return result;
}

RouteImportResult importRouteFile(Connection& db, const std::filesystem::path& file)
{
    std::string why;
    const auto points = readRouteFile(file, why);
    if (!points) {
        RouteImportResult result;
        result.routeName = routeNameFromFile(file);
        result.reason = why;
        return result;
    }
    return importRoutePoints(db, *points, routeNameFromFile(file));
}

MessageText routeImportFailedMessage(int language)
{
    if (language == 0)
        return {"Datenfehler", "Fehler beim Einlesen der Wegpunkte"};
    return {"Data error", "Error reading waypoint data"};
}

MessageText waypointDifferenceMessage(std::string_view name)
{
    return {"Datenunterschied",
            "Der Punkt: " + std::string(name) +
                " unterscheidet sich von dem schon vorhandenem Punkt. Die alten Koordinaten "
                "werden beibehalten - Bitte den Streckenpunkt überprüfen."};
}

MessageText routeImportedMessage(std::string_view routeName, int language)
{
    if (language == 0)
        return {"Datenimport", "Strecke: " + std::string(routeName) + " wurde hinzugefügt"};
    return {"Data imported", "Route: " + std::string(routeName) + " was added to the database"};
}

RouteFileDialogText routeFileDialogText(int language)
{
    RouteFileDialogText t;
    t.title = language == 0 ? "Tramvik Route importieren " : "Import Tramvik Route";
    t.filters = {"All files (*.*)", "Tramvik Route (*.tvr)"};
    t.selectedFilter = 1;
    t.defaultSuffix = "tvr";
    return t;
}

} // namespace tv
