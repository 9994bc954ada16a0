#pragma once

// Route files: one stored route written as a rowset file (platform/RowsetXml.h) that another
// installation can import (RouteImport.h).
//
// A route file holds the route's GpsPoints rows exactly as openRoutePoints (route/RouteData.h)
// reads them from the main data file: all seven columns (id,
// RouteID, Nummer, PointID, Name, Lat, Long) with their types, one row per point in route
// order. Lat and Long are DD.MM. The file carries no route name: the name is the file name,
// Route/<name>.tvr in the program folder.

#include "planning/MessageText.h"
#include "platform/DbError.h"
#include "platform/Value.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

class Connection;

// One entry of the export window's route box. The key travels with the name, so two routes of
// one name, or a name with an apostrophe, still export the route the pilot chose.
struct RouteChoice
{
    std::int64_t routeId = 0;
    std::string name; // "" for a route stored without a name
};

// Every route in the order of the route list (ascending Nummer).
std::vector<RouteChoice> listRoutes(Connection& db);

// The entry to preselect: the plan window's current route `currentRouteId`, else the first
// entry; -1 for an empty list.
int preselectedRoute(const std::vector<RouteChoice>& routes,
                     std::optional<std::int64_t> currentRouteId);

// The folder of the route files and the file a route name is written to. Characters that a
// file name cannot hold here or on the installations that read the files become "_" (see
// core/SafeFileName.h); the file always lies directly in the folder.
std::filesystem::path routeFolder(const std::filesystem::path& programFolder);
std::filesystem::path routeFilePath(const std::filesystem::path& programFolder,
                                    std::string_view routeName);

// What a route file can carry of one point; the import refuses a file with any other, so the
// export refuses to write one. The name is Null or text that XML can hold (no control
// characters but tab, line feed and carriage return; valid UTF-8) and a name column can hold
// (core/NameLength.h); Lat and Long are Null or a number (text that reads as one counts)
// within +-90 and +-180 that is DD.MM: the minutes after the point below 60 (IsDDMMWithin;
// 48.75 would be 48°75', which no waypoint window can store again).
enum class PointFault {
    None,
    NameNotWritable,
    NameTooLong,
    LatitudeNotANumber,
    LatitudeOutOfRange,
    LatitudeMinutesOver59,
    LongitudeNotANumber,
    LongitudeOutOfRange,
    LongitudeMinutesOver59,
};
// The fault is one of the latitude.
bool isLatitudeFault(PointFault fault);
PointFault routePointFault(const Value& name, const Value& lat, const Value& lon);

// A point that cannot travel in a route file, as the pilot is told about it.
struct RoutePointFault
{
    PointFault fault = PointFault::None;
    std::size_t number = 0; // its place in the route, from 1
    std::string name;       // the waypoint's name as stored or read (UTF-8 or not)
    std::string value;      // the refused coordinate as text
};

// "Streckenpunkt 3 (EDNY): der Breitengrad 91 liegt nicht zwischen -90 und 90." or in English
// "Route point 3 (EDNY): the latitude 91 is not between -90 and 90."
std::string pointFaultText(const RoutePointFault& fault, int language);

// A name as a message shows it: what cannot be shown becomes U+FFFD, and a name too long for a
// message box keeps its beginning and end around "…".
std::string nameForMessage(std::string_view name);

enum class RouteExportStatus {
    Saved,
    NoPoints,    // the route has no points: nothing written, no folder made
    NameTooLong, // the route's name makes too long a file name: nothing written, no folder made
    BadPoint,    // a point the file cannot carry: nothing written, no folder made
    TooLarge,    // more than a route file can hold: nothing written; an older file stays
    WriteFailed, // the folder could not be made or the file not written; an older file stays
};

struct RouteExportResult
{
    RouteExportStatus status = RouteExportStatus::WriteFailed;
    std::filesystem::path file; // the route file (also when writing it failed)
    RoutePointFault point;      // with BadPoint: the first point at fault
    std::string reason;         // why it failed, for the log
    // WriteFailed because the data file failed while its points were read (held by another
    // program, ...): the failure, for core/DataFileFault.h.
    std::optional<DbError> dataFault;
};

// Writes the route's points to its route file: through a temporary file renamed over the old
// one, so a failed write keeps the older file. Every point is checked first (BadPoint).
// Database failures while reading the points count as WriteFailed; nothing escapes.
RouteExportResult exportRoute(Connection& db, const RouteChoice& route,
                              const std::filesystem::path& programFolder);

// The message box after an export. `language` 0 is German, any other value English.
MessageText routeExportMessage(const RouteExportResult& result, std::string_view routeName,
                               int language);

} // namespace tv
