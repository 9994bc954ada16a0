#include "planning/RouteExport.h"

#include "core/DataFileFault.h"
#include "core/GeoMath.h"
#include "core/NameLength.h"
#include "core/SafeFileName.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"
#include "platform/RowsetXml.h"
#include "route/RouteData.h"

#include <cmath>
#include <system_error>

namespace tv {

std::vector<RouteChoice> listRoutes(Connection& db)
{
    Recordset rs;
    openRouteList(rs, db);
    std::vector<RouteChoice> routes;
    routes.reserve(static_cast<std::size_t>(rs.RecordCount()));
    for (; !rs.Eof(); rs.MoveNext())
        routes.push_back({rs.Field("RouteID").toInt(), rs.Field("Name").toString()});
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

namespace {

PointFault coordinateFault(const Value& v, double limit, PointFault notANumber,
                           PointFault outOfRange, PointFault minutesOver59)
{
    if (v.isNull())
        return PointFault::None;
    const std::optional<double> d = v.asNumber();
    if (!d || std::isnan(*d))
        return notANumber;
    if (!std::isfinite(*d) || std::fabs(*d) > limit)
        return outOfRange;
    // Within the limit but not DD.MM (89.7 = 89°70'): told as minutes, not as beyond the pole.
    if (!IsDDMMWithin(*d, limit))
        return minutesOver59;
    return PointFault::None;
}

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// Calls `shown` with each character of `text` as a message can show it: a character XML can
// hold as it is, anything else (a control character, a byte that is no UTF-8) as one U+FFFD.
template <typename Shown> void forEachShownCharacter(std::string_view text, Shown shown)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        const std::string_view c = text.substr(i, length);
        if (xmlCanHold(c)) {
            shown(c);
            i += c.size();
            continue;
        }
        shown(kReplacement);
        for (++i; i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80; ++i) {
        }
    }
}

// `text` shown, and cut in its middle when it has more than `maxCharacters` characters.
std::string shownText(std::string_view text, std::size_t maxCharacters)
{
    std::size_t count = 0;
    forEachShownCharacter(text, [&count](std::string_view) { ++count; });
    const std::size_t head = count > maxCharacters ? maxCharacters * 2 / 3 : count;
    const std::size_t tailFrom = count > maxCharacters ? count - (maxCharacters - head - 1) : count;
    std::string out;
    std::size_t n = 0;
    forEachShownCharacter(text, [&](std::string_view c) {
        if (n < head || n >= tailFrom)
            out += c;
        if (n == head && head < count)
            out += "\xE2\x80\xA6"; // "…"
        ++n;
    });
    return out;
}

// A message box stays readable on the screen with names of this length; longer ones are cut.
constexpr std::size_t kNameCharacters = 48;
constexpr std::size_t kPathCharacters = 72;

constexpr std::string_view kRouteFileSuffix = ".tvr";

} // namespace

PointFault routePointFault(const Value& name, const Value& lat, const Value& lon)
{
    if (!name.isNull()) {
        const std::string text = name.toString();
        if (!xmlCanHold(text))
            return PointFault::NameNotWritable;
        // A file row's name becomes a waypoint's and a route point's name.
        if (!nameFits(text))
            return PointFault::NameTooLong;
    }
    const PointFault latitude =
        coordinateFault(lat, 90.0, PointFault::LatitudeNotANumber, PointFault::LatitudeOutOfRange,
                        PointFault::LatitudeMinutesOver59);
    if (latitude != PointFault::None)
        return latitude;
    return coordinateFault(lon, 180.0, PointFault::LongitudeNotANumber,
                           PointFault::LongitudeOutOfRange, PointFault::LongitudeMinutesOver59);
}

bool isLatitudeFault(PointFault fault)
{
    return fault == PointFault::LatitudeNotANumber || fault == PointFault::LatitudeOutOfRange ||
           fault == PointFault::LatitudeMinutesOver59;
}

std::string pointFaultText(const RoutePointFault& fault, int language)
{
    const bool german = language == 0;
    const std::string value = shownText(fault.value, kNameCharacters);
    std::string reason;
    switch (fault.fault) {
    case PointFault::None:
        break;
    case PointFault::NameNotWritable:
        reason = german ? "der Name enthält Zeichen, die eine Streckendatei nicht aufnehmen kann"
                        : "the name holds characters that a route file cannot carry";
        break;
    case PointFault::NameTooLong:
        reason = (german ? "der Name ist " : "the name is ") + nameTooLongReason(language);
        break;
    case PointFault::LatitudeNotANumber:
        reason = german ? "der Breitengrad \"" + value + "\" ist keine Zahl"
                        : "the latitude \"" + value + "\" is not a number";
        break;
    case PointFault::LatitudeOutOfRange:
        reason = german ? "der Breitengrad " + value + " liegt nicht zwischen -90 und 90"
                        : "the latitude " + value + " is not between -90 and 90";
        break;
    case PointFault::LatitudeMinutesOver59:
        reason =
            german ? "der Breitengrad " + value +
                         " ist keine Angabe in Grad und Minuten (Minuten 00 bis 59)"
                   : "the latitude " + value + " is not in degrees and minutes (minutes 00 to 59)";
        break;
    case PointFault::LongitudeMinutesOver59:
        reason =
            german ? "der Längengrad " + value +
                         " ist keine Angabe in Grad und Minuten (Minuten 00 bis 59)"
                   : "the longitude " + value + " is not in degrees and minutes (minutes 00 to 59)";
        break;
    case PointFault::LongitudeNotANumber:
        reason = german ? "der Längengrad \"" + value + "\" ist keine Zahl"
                        : "the longitude \"" + value + "\" is not a number";
        break;
    case PointFault::LongitudeOutOfRange:
        reason = german ? "der Längengrad " + value + " liegt nicht zwischen -180 und 180"
                        : "the longitude " + value + " is not between -180 and 180";
        break;
    }
    return (german ? "Streckenpunkt " : "Route point ") + std::to_string(fault.number) + " (" +
           nameForMessage(fault.name) + "): " + reason + ".";
}

std::string nameForMessage(std::string_view name)
{
    return shownText(name, kNameCharacters);
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
    return routeFolder(programFolder) /
           std::filesystem::path(safeFileName(routeName) + std::string(kRouteFileSuffix));
}

RouteExportResult exportRoute(Connection& db, const RouteChoice& route,
                              const std::filesystem::path& programFolder)
{
    RouteExportResult result;
    result.file = routeFilePath(programFolder, route.name);
    if (!fileNameFits(route.name, kRouteFileSuffix)) {
        result.status = RouteExportStatus::NameTooLong;
        result.reason = "the file name has more than " + std::to_string(kMaxFileNameBytes) +
                        " bytes: " + result.file.filename().string();
        return result;
    }
    try {
        Recordset points;
        openRoutePoints(points, db, route.routeId);
        // The checks come before the folder is made: a route that is not written leaves no
        // trace.
        if (points.RecordCount() == 0) {
            result.status = RouteExportStatus::NoPoints;
            return result;
        }
        const int nameField = points.FieldIndex("Name");
        const int latField = points.FieldIndex("Lat");
        const int longField = points.FieldIndex("Long");
        for (std::size_t number = 1; !points.Eof(); points.MoveNext(), ++number) {
            const Value& lat = points.Field(latField);
            const Value& lon = points.Field(longField);
            const PointFault fault = routePointFault(points.Field(nameField), lat, lon);
            if (fault == PointFault::None)
                continue;
            const bool latitude = isLatitudeFault(fault);
            const std::string value = fault == PointFault::NameNotWritable ? std::string()
                                      : latitude                           ? lat.toString()
                                                                           : lon.toString();
            result.status = RouteExportStatus::BadPoint;
            result.point = {fault, number, points.Field(nameField).toString(), value};
            result.reason = pointFaultText(result.point, 1);
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
    } catch (const RowsetTooLarge& e) {
        result.status = RouteExportStatus::TooLarge;
        result.reason = e.what();
    } catch (const DbError& e) {
        result.status = RouteExportStatus::WriteFailed;
        result.reason = e.what();
        if (e.fault() != DataFault::None)
            result.dataFault = e;
    }
    return result;
}

MessageText routeExportMessage(const RouteExportResult& result, std::string_view routeName,
                               int language)
{
    const bool german = language == 0;
    const std::string name = nameForMessage(routeName);
    switch (result.status) {
    case RouteExportStatus::Saved:
        if (german)
            return {"Strecke gespeichert", "Strecke: " + name + " wurde gespeichert."};
        return {"Route saved", "Route: " + name + " was saved."};
    case RouteExportStatus::NoPoints:
        if (german)
            return {"Fehler in Strecke", "Flugstrecke - " + name + " - enthält keine Wegpunkte..."};
        return {"Route error", "Route - " + name + " - contains no waypoints..."};
    case RouteExportStatus::BadPoint:
        if (german)
            return {"Fehler in Strecke", "Flugstrecke - " + name +
                                             " - wurde nicht gespeichert.\n\n" +
                                             pointFaultText(result.point, language)};
        return {"Route error", "Route - " + name + " - was not saved.\n\n" +
                                   pointFaultText(result.point, language)};
    case RouteExportStatus::NameTooLong:
        if (german)
            return {"Fehler in Strecke",
                    "Flugstrecke - " + name + " - wurde nicht gespeichert.\n\nDer Name ist " +
                        fileNameTooLongReason(language, kRouteFileSuffix) + "."};
        return {"Route error", "Route - " + name + " - was not saved.\n\nThe name is " +
                                   fileNameTooLongReason(language, kRouteFileSuffix) + "."};
    case RouteExportStatus::TooLarge:
        if (german)
            return {"Fehler in Strecke",
                    "Flugstrecke - " + name +
                        " - wurde nicht gespeichert.\n\nSie ist zu lang für eine Streckendatei "
                        "(mehr als 8 MB). Eine ältere Datei bleibt unverändert."};
        return {"Route error", "Route - " + name +
                                   " - was not saved.\n\nIt is too long for a route file (more "
                                   "than 8 MB). An older file stays unchanged."};
    case RouteExportStatus::WriteFailed:
        break;
    }
    const std::string file = shownText(result.file.string(), kPathCharacters);
    const std::string why =
        result.dataFault ? "\n\n" + dataFaultText(*result.dataFault, language) : std::string();
    if (german)
        return {"Fehler in Strecke", "Flugstrecke - " + name +
                                         " - konnte nicht gespeichert werden (" + file +
                                         "). Eine ältere Datei bleibt unverändert." + why};
    return {"Route error", "Route - " + name + " - could not be saved (" + file +
                               "). An older file stays unchanged." + why};
}

} // namespace tv
