#include "planning/RouteExport.h"

#include "core/SafeFileName.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"

#include <system_error>

namespace tv {

std::vector<RouteChoice> listRoutes(Connection& db)
{
    Recordset rs;
    rs.Open("SELECT RouteID, Name From Route Order by NUMMER ASC", db);
    std::vector<RouteChoice> routes;
    routes.reserve(static_cast<std::size_t>(rs.RecordCount()));
    for (; !rs.Eof(); rs.MoveNext())
        routes.push_back({rs.Field(0).toInt(), rs.Field(1).toString()});
    return routes;
}

int preselectedRoute(const std::vector<RouteChoice>& routes,
                     std::optional<std::int64_t> currentRouteId)
{
    if (routes.empty())
        return -1;
    if (currentRouteId) {
        for (std::size_t i = 0; i < routes.size(); ++i) {
            if (routes[i].routeId == *currentRouteId)
                return static_cast<int>(i);
        }
    }
    return 0;
}

std::filesystem::path routeFolder(const std::filesystem::path& programFolder)
{
    return programFolder / "Route";
}

std::filesystem::path routeFilePath(const std::filesystem::path& programFolder,
                                    std::string_view routeName)
{
    // The name is made safe before the extension is added: "" gives "_.tvr", not the hidden
    // file ".tvr".
    return routeFolder(programFolder) / std::filesystem::path(safeFileName(routeName) + ".tvr");
}

RouteExportResult exportRoute(Connection& db, const RouteChoice& route,
                              const std::filesystem::path& programFolder)
{
    RouteExportResult result;
    result.file = routeFilePath(programFolder, route.name);
    try {
        Recordset points;
        points.Open("SELECT * From GpsPoints WHERE RouteID = ? ORDER BY Nummer ASC", db,
                    {route.routeId});
        // The check comes before the folder is made: an empty route leaves no trace.
        if (points.RecordCount() == 0) {
            result.status = RouteExportStatus::NoPoints;
            return result;
        }
        std::error_code ec;
        std::filesystem::create_directories(routeFolder(programFolder), ec);
        if (ec) {
            result.reason =
                "cannot make " + routeFolder(programFolder).string() + ": " + ec.message();
            return result;
        }
        points.Save(result.file);
        result.status = RouteExportStatus::Saved;
    } catch (const DbError& e) {
        result.status = RouteExportStatus::WriteFailed;
        result.reason = e.what();
    }
    return result;
}

MessageText routeExportMessage(const RouteExportResult& result, std::string_view routeName,
                               int language)
{
    const bool german = language == 0;
    const std::string name(routeName);
    switch (result.status) {
    case RouteExportStatus::Saved:
        if (german)
            return {"Strecke gespeichert", "Strecke: " + name + " wurde gespeichert."};
        return {"Route saved", "Route: " + name + " was saved."};
    case RouteExportStatus::NoPoints:
        if (german)
            return {"Fehler in Strecke", "Flugstrecke - " + name + " - enthält keine Wegpunkte..."};
        return {"Route error", "Route - " + name + " - contains no waypoints..."};
    case RouteExportStatus::WriteFailed:
        break;
    }
    const std::string file = result.file.string();
    if (german)
        return {"Fehler in Strecke", "Flugstrecke - " + name +
                                         " - konnte nicht gespeichert werden (" + file +
                                         "). Eine ältere Datei bleibt unverändert."};
    return {"Route error", "Route - " + name + " - could not be saved (" + file +
                               "). An older file stays unchanged."};
}

} // namespace tv
