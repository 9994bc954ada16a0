#pragma once

// Route import: a route file (RouteExport.h) becomes a new route of the main data file, with
// the waypoints it names that the database does not know yet.
//
// The whole file is checked before anything is stored, and waypoints, route and points are
// stored in one transaction: an import adds everything or nothing.

#include "planning/MessageText.h"
#include "planning/RouteExport.h"
#include "platform/DbError.h"
#include "platform/Value.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

class Connection;

// The route name of a route file: its file name without the last extension
// (".../Flug.daten/Nord.Süd.tvr" gives "Nord.Süd").
std::string routeNameFromFile(const std::filesystem::path& file);

// One row of a route file: what the import uses of it. Name may be Null (a point without a
// name); Lat and Long are Null or numbers in range (DD.MM).
struct RouteFilePoint
{
    Value name;
    Value lat;
    Value lon;
};

// Why a route file was not imported.
struct RouteFileProblem
{
    std::string reason;                   // for the log
    std::optional<RoutePointFault> point; // the row at fault, when one row is, for the pilot
    // The file was read, the data file did not take it: the failure as the data file gave it
    // (fault() and file() for core/DataFileFault.h; a lack of memory is OutOfMemory).
    std::optional<DbError> notStored;
};

// Reads a route file and checks it: a readable rowset (platform/RowsetXml.h sets its bounds)
// with the columns Name, Lat and Long, at least one row, and every row one that a route file
// can carry (routePointFault). nullopt when it fails, `problem` then says why. Nothing escapes,
// not even a lack of memory.
std::optional<std::vector<RouteFilePoint>> readRouteFile(const std::filesystem::path& file,
                                                         RouteFileProblem& problem);

struct RouteImportResult
{
    bool imported = false;
    std::string routeName;
    std::int64_t routeId = 0; // the new route
    int waypointsAdded = 0;
    int pointsAdded = 0;
    // Names of the file rows that name a stored waypoint at other coordinates, in file order.
    // The stored waypoint stays as it is and the route point takes its coordinates.
    std::vector<std::string> differingNames;
    RouteFileProblem problem; // why the import failed
};

// Imports the points of a checked route file as a new route named `routeName`, in one
// transaction:
// - every name the Waypoints table does not know (compared ignoring case, umlauts included)
//   becomes a waypoint with the file's coordinates and the category "" (a nameless row gives a
//   waypoint with an empty name);
// - a new Route row at Nummer = the highest Nummer + 1 (1 for the first route); the list is
//   not renumbered, and a route of the same name may exist already;
// - one GpsPoints row per file row, Nummer 1..n in file order, with the waypoint's PointID,
//   stored name and stored coordinates.
// Any failure (of the database, or a lack of memory) rolls everything back: imported is false,
// nothing is stored, and problem.notStored says why.
RouteImportResult importRoutePoints(Connection& db, const std::vector<RouteFilePoint>& points,
                                    const std::string& routeName);

// readRouteFile and importRoutePoints with the route name taken from the file name.
RouteImportResult importRouteFile(Connection& db, const std::filesystem::path& file);

// The message boxes of the import. `language` 0 is German, any other value English.
// A file that cannot be read: nothing was stored; when one row of the file is at fault, the
// message goes on to name it and say what is wrong. A file that was read but could not be
// stored: the data could not be written, with the data file and the reason (dataFaultText).
MessageText routeImportFailedMessage(int language, const RouteFileProblem& problem = {});
// A file row naming a stored waypoint at other coordinates: German only, whatever the language.
MessageText waypointDifferenceMessage(std::string_view name);
// After the import was stored.
MessageText routeImportedMessage(std::string_view routeName, int language);

// The open-file dialog of the import: route files preselected.
struct RouteFileDialogText
{
    std::string title; // the German title ends with a blank
    std::vector<std::string> filters;
    int selectedFilter = 1; // index into filters
    std::string defaultSuffix;
};
RouteFileDialogText routeFileDialogText(int language);

// Test hook: runs inside the import's transaction as file row `row` (from 1) is stored; a hook
// that throws stands for any failure there, std::bad_alloc included. An empty function removes
// it.
void setImportRowHookForTesting(std::function<void(std::size_t row)> hook);

} // namespace tv
