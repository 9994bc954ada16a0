#include "planning/RouteImport.h"

#include "core/DataFileFault.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"
#include "platform/TextFold.h"

#include <sqlite3.h>

#include <exception>
#include <new>
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

// A coordinate that passed routePointFault: Null stays Null, text that reads as a number
// becomes that number.
Value coordinate(const Value& v)
{
    return v.isNull() ? Value() : Value(*v.asNumber());
}

std::function<void(std::size_t)>& importRowHook()
{
    static std::function<void(std::size_t)> hook;
    return hook;
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
                                                         RouteFileProblem& problem)
{
    try {
        Recordset rs;
        rs.OpenFile(file);
        const int nameField = rs.FieldIndex("Name");
        const int latField = rs.FieldIndex("Lat");
        const int longField = rs.FieldIndex("Long");
        if (nameField < 0 || latField < 0 || longField < 0) {
            problem.reason = "the file has no Name, Lat or Long column";
            return std::nullopt;
        }
        if (rs.RecordCount() == 0) {
            problem.reason = "the file holds no points";
            return std::nullopt;
        }
        std::vector<RouteFilePoint> points;
        points.reserve(static_cast<std::size_t>(rs.RecordCount()));
        for (; !rs.Eof(); rs.MoveNext()) {
            const Value& name = rs.Field(nameField);
            const Value& lat = rs.Field(latField);
            const Value& lon = rs.Field(longField);
            const PointFault fault = routePointFault(name, lat, lon);
            if (fault != PointFault::None) {
                const bool latitude = isLatitudeFault(fault);
                problem.point = RoutePointFault{fault, points.size() + 1, name.toString(),
                                                latitude ? lat.toString() : lon.toString()};
                problem.reason = pointFaultText(*problem.point, 1);
                return std::nullopt;
            }
            points.push_back({name, coordinate(lat), coordinate(lon)});
        }
        return points;
    } catch (const std::exception& e) {
        // A rowset the reader refuses, or one it has no memory for.
        problem.reason = e.what();
        return std::nullopt;
    }
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
            if (importRowHook())
                importRowHook()(pointWaypoints.size());
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
    } catch (const std::exception& e) {
        // The transaction has rolled back: nothing of the import is stored.
        result = RouteImportResult{};
        result.routeName = routeName;
        result.problem.reason = e.what();
        if (const auto* refused = dynamic_cast<const DbError*>(&e))
            result.problem.notStored = *refused;
        else if (dynamic_cast<const std::bad_alloc*>(&e))
            result.problem.notStored =
                DbError(e.what(), SQLITE_NOMEM, DataFault::OutOfMemory, db.path());
        else
            result.problem.notStored = DbError(e.what(), 0, DataFault::None, db.path());
    }
    return result;
}

RouteImportResult importRouteFile(Connection& db, const std::filesystem::path& file)
{
    RouteImportResult failed;
    try {
        failed.routeName = routeNameFromFile(file);
        const auto points = readRouteFile(file, failed.problem);
        if (points)
            return importRoutePoints(db, *points, failed.routeName);
    } catch (const std::exception& e) {
        failed.problem.reason = e.what();
    }
    return failed;
}

MessageText routeImportFailedMessage(int language, const RouteFileProblem& problem)
{
    if (problem.notStored) {
        const std::string why = dataFaultText(*problem.notStored, language);
        return language == 0
                   ? MessageText{"Datenfehler",
                                 "Die Daten konnten nicht gespeichert werden.\n\n" + why}
                   : MessageText{"Data error", "The data could not be written.\n\n" + why};
    }
    MessageText m = language == 0 ? MessageText{"Datenfehler", "Fehler beim Einlesen der Wegpunkte"}
                                  : MessageText{"Data error", "Error reading waypoint data"};
    if (problem.point)
        m.text += "\n\n" + pointFaultText(*problem.point, language);
    return m;
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
    const std::string name = nameForMessage(routeName);
    if (language == 0)
        return {"Datenimport", "Strecke: " + name + " wurde hinzugefügt"};
    return {"Data imported", "Route: " + name + " was added to the database"};
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

void setImportRowHookForTesting(std::function<void(std::size_t row)> hook)
{
    importRowHook() = std::move(hook);
}

} // namespace tv
