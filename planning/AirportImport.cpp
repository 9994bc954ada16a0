#include "planning/AirportImport.h"

#include "core/GeoMath.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "platform/TextFold.h"
#include "platform/TextTrim.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace tv {
namespace {

// The first two characters (code points) of a UTF-8 text.
std::string countryPrefix(const std::string& code)
{
    std::size_t end = 0;
    for (int chars = 0; chars < 2 && end < code.size(); ++chars) {
        ++end;
        while (end < code.size() && (static_cast<unsigned char>(code[end]) & 0xC0) == 0x80)
            ++end;
    }
    return code.substr(0, end);
}

// An airport without a code, or with one of blanks only, has no name to become a waypoint
// under: it belongs to no country and is never transferred.
bool hasCode(const Value& code)
{
    return !code.isNull() && !trimBlanks(code.toString()).empty();
}

// Degrees as the waypoint stores them: DD.MM, unrounded; a missing position stays missing.
Value toDDMM(const Value& degrees)
{
    if (!degrees.isNumber())
        return Value();
    return Value(DegreesToDDMM(degrees.toDouble()));
}

struct Airport
{
    Value code;
    Value lat;
    Value lon;
};

} // namespace

std::vector<AirportCountry> listAirportCountries(Connection& airportDb)
{
    // Country names by their trimmed, folded prefix; the first row of a prefix counts.
    std::unordered_map<std::string, std::string> names;
    {
        Recordset rs;
        rs.Open("SELECT ICAO, Name FROM ICAOCODE ORDER BY ICAO ASC", airportDb);
        for (; !rs.Eof(); rs.MoveNext()) {
            names.try_emplace(foldCase(trimBlanks(rs.Field(0).toString())),
                              std::string(trimBlanks(rs.Field(1).toString())));
        }
    }

    std::vector<AirportCountry> countries;
    std::unordered_map<std::string, std::size_t> byPrefix;
    Recordset rs;
    rs.Open("SELECT ICAO FROM ARPT WHERE ICAO IS NOT NULL ORDER BY ICAO ASC", airportDb);
    for (; !rs.Eof(); rs.MoveNext()) {
        if (!hasCode(rs.Field(0)))
            continue;
        const std::string prefix = countryPrefix(rs.Field(0).toString());
        const auto [it, added] = byPrefix.try_emplace(foldCase(prefix), countries.size());
        if (added) {
            const auto name = names.find(foldCase(trimBlanks(prefix)));
            countries.push_back(
                {prefix, name != names.end() ? name->second : std::string(kUnknownCountry), 0});
        }
        ++countries[it->second].airports;
    }
    std::stable_sort(countries.begin(), countries.end(),
                     [](const AirportCountry& a, const AirportCountry& b) {
                         return compareForSort(Value(a.name), Value(b.name)) < 0;
                     });
    return countries;
}

std::int32_t airportsOf(const std::vector<AirportCountry>& countries,
                        const std::vector<std::size_t>& ticked)
{
    std::int64_t sum = 0;
    for (const std::size_t i : ticked) {
        if (i < countries.size())
            sum += countries[i].airports;
    }
    return static_cast<std::int32_t>(std::min<std::int64_t>(sum, INT32_MAX));
}

std::string airportCountText(std::int32_t airports)
{
    if (airports == 1)
        return "1 Flughafen";
    return std::to_string(airports) + " Flughäfen";
}

std::string transferButtonCaption(std::string_view category)
{
    return "Flughäfen in Kategorie " + std::string(category) + " importieren";
}

std::int32_t transferAirports(Connection& airportDb, Connection& mainDb,
                              const std::vector<std::string>& prefixes, std::string_view category)
{
    // The chosen countries' airports, by country, in the order of the airport file.
    std::unordered_map<std::string, std::vector<Airport>> chosen;
    for (const std::string& prefix : prefixes)
        chosen.try_emplace(foldCase(prefix));
    {
        Recordset rs;
        rs.Open("SELECT ICAO, WGS_DLAT, WGS_DLONG FROM ARPT WHERE ICAO IS NOT NULL "
                "ORDER BY rowid",
                airportDb);
        for (; !rs.Eof(); rs.MoveNext()) {
            if (!hasCode(rs.Field(0)))
                continue;
            const auto it = chosen.find(foldCase(countryPrefix(rs.Field(0).toString())));
            if (it != chosen.end())
                it->second.push_back({rs.Field(0), rs.Field(1), rs.Field(2)});
        }
    }

    Connection::Transaction transaction(mainDb);
    // Every waypoint name, read once; the airports added below join it, so a code that occurs
    // twice is added once.
    std::unordered_set<std::string> taken;
    {
        Recordset rs;
        rs.Open("SELECT Name FROM Waypoints WHERE Name IS NOT NULL", mainDb);
        taken.reserve(static_cast<std::size_t>(rs.RecordCount()));
        for (; !rs.Eof(); rs.MoveNext())
            taken.insert(foldCase(rs.Field(0).toString()));
    }
    const Value kategorie{std::string(category)};
    std::int32_t added = 0;
    std::unordered_set<std::string> done; // a prefix given twice is imported once
    for (const std::string& prefix : prefixes) {
        const std::string key = foldCase(prefix);
        if (!done.insert(key).second)
            continue;
        for (const Airport& airport : chosen[key]) {
            if (!taken.insert(foldCase(airport.code.toString())).second)
                continue;
            mainDb.Execute("INSERT INTO Waypoints (Name, Lat, Long, Kategorie) VALUES (?, ?, ?, ?)",
                           {airport.code, toDDMM(airport.lat), toDDMM(airport.lon), kategorie});
            ++added;
        }
    }
    transaction.commit();
    return added;
}

MessageText transferMessage(std::int32_t added)
{
    if (added == 0)
        return {"Nichts hinzugefügt",
                "Es wurden keine Flughäfen hinzugefügt. Flughäfen sind schon vorhanden."};
    if (added == 1)
        return {"Flughafen hinzugefügt", "Es wurde ein Flughafen hinzugefügt."};
    const std::string n = std::to_string(added);
    return {n + " Flughäfen hinzugefügt", "Es wurden " + n + " Flughäfen hinzugefügt."};
}

MessageText transferFailedMessage()
{
    return {"Datenfehler", "Fehler beim Import der Flughäfen. Es wurde nichts hinzugefügt."};
}

} // namespace tv
