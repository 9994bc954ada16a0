#pragma once

// Airport import: the airports of the airport data file (tvdata.tvd, positions in decimal
// degrees) of the countries the pilot ticks become waypoints of the main data file (DD.MM),
// named by their ICAO code, in a chosen category. Codes that are waypoint names already are
// skipped; existing waypoints are never changed.
//
// A country is the first two characters of the code (compared ignoring case). Its name comes
// from the ICAOCODE table, or is "Kein Land gefunden"; two unknown prefixes therefore show the
// same name but stay two countries.

#include "planning/MessageText.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

class Connection;

inline constexpr const char* kUnknownCountry = "Kein Land gefunden";

struct AirportCountry
{
    std::string prefix; // the first two characters of its codes, as the first of them has it
    std::string name;   // country name, blanks trimmed; may be empty
    std::int32_t airports = 0;
};

// One row per country prefix found in ARPT, ordered by name (ignoring case; countries of one
// name in prefix order). Airports without a code (Null, empty or blanks only) belong to no
// country. An empty ARPT table gives an empty list. Throws DbError when the airport file cannot be
// read.
std::vector<AirportCountry> listAirportCountries(Connection& airportDb);

// The number of airports of the countries at `ticked` (indexes into `countries`).
std::int32_t airportsOf(const std::vector<AirportCountry>& countries,
                        const std::vector<std::size_t>& ticked);

// The label under the list: "1 Flughafen", otherwise "<n> Flughäfen" ("0 Flughäfen").
std::string airportCountText(std::int32_t airports);

// The caption of the transfer button for the chosen category.
std::string transferButtonCaption(std::string_view category);

// Adds, in one transaction, every airport of the countries with the given prefixes whose code
// is not yet a waypoint name (ignoring case, umlauts included): Name = the code exactly as
// stored, Lat and Long converted to DD.MM, Kategorie = `category`. A code found twice is added
// once. Returns the number of waypoints added. Throws DbError when a database refuses a step;
// nothing is added then.
std::int32_t transferAirports(Connection& airportDb, Connection& mainDb,
                              const std::vector<std::string>& prefixes, std::string_view category);

// The message after a transfer that added `added` waypoints, and after one that failed.
MessageText transferMessage(std::int32_t added);
MessageText transferFailedMessage();

} // namespace tv
