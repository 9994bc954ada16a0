#pragma once

#include "platform/Value.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tv {

class Connection;

// What the airport data file (tvdata.tvd, read only, supplied by the airport tool) says about
// one airport, as the map draws it.
//
// Tables read: ARPT (ICAO, RWYALen, RWYGLen: lengths in metres, RWYALen > 0 = the airport has
// a hard runway), RWY (ICAO, rwy, RWYHdg, Surface '0' hard / '1' grass, LENGTH) and ACOM (ICAO,
// Name, Freq). ICAO codes match waypoint names ignoring case, as the file's collation does.

// One radio station of an airport (ACOM row); `Freq` is printed as stored.
struct AirportStation
{
    QString name;
    QString freq;
};

// One runway (RWY row). Empty optionals: the field holds no value.
struct AirportRunway
{
    std::optional<QString> rwy;     // designation as printed, e.g. "07/25"
    std::optional<QString> heading; // RWYHdg as stored
    QString surface;                // "0" hard, "1" grass
};

// The two frequency lines under an airport: the information (or tower) station and ATIS, each
// "Name Freq", empty when no station fits.
struct FrequencyLines
{
    QString info;
    QString atis;
};

// Picks the lines from the stations in the order read. Names are compared in upper case by
// containment: the last station with "ATIS" gives the ATIS line; the last "INFO" station that
// is not one of the large area information services (LANGEN, MÜNCHEN, MUNICH, MUNCHEN,
// BERLIN, BREMEN) gives the information line; failing that, the first station with "TWR",
// "TOWER", "START" or "TURM".
FrequencyLines frequencyLines(const std::vector<AirportStation>& stations);

// Runway direction in degrees from RWYHdg: its first three characters when they form a number,
// otherwise none ("07/" gives none, "245" 245).
std::optional<double> runwayHeading(const QString& rwyHdg);

// An airport as the map draws it.
struct AirportInfo
{
    // "rwy - length m " (e.g. "07/25 - 800 m "), empty when the airport has no runway row of
    // the chosen surface or the row has no designation.
    QString runwayText;
    // Direction of the runway bar, degrees; none: no bar.
    std::optional<double> headingDeg;
    // Colour of the bar, 0x00BBGGRR: light grey for hard, green for grass.
    uint32_t runwayColour = 0x00FF00;
    FrequencyLines lines;
};

inline constexpr uint32_t kHardRunwayColour = 0xC0C0C0;
inline constexpr uint32_t kGrassRunwayColour = 0x00FF00;

// Builds the drawing of an airport from its ARPT lengths (metres; RWYALen above 0: it has a
// hard runway): with a hard runway the longest RWY row of surface "0" and RWYALen, otherwise
// the longest of surface "1" and RWYGLen. `runwaysLongestFirst` are the airport's RWY rows,
// longest first. A length without a value prints as nothing ("07/25 -  m ").
AirportInfo describeAirport(const Value& hardLengthM, const Value& grassLengthM,
                            const std::vector<AirportRunway>& runwaysLongestFirst,
                            const std::vector<AirportStation>& stations);

// Looks airports up by name for the map, a batch of names per query with bound parameters,
// and keeps what it found: the airport data file is only read, never written, while the
// program runs, so an answer stays true. A name whose lookup failed (a database error) is not
// remembered and is asked again at the next redraw.
class AirportLookup
{
public:
    // Looks up the names of exactly four characters that are not known yet. DbError does not
    // leave here: the names of a failed batch simply stay unknown.
    void prefetch(Connection& airports, const std::vector<QString>& names);
    // The airport of that name; nullptr when there is none or its lookup failed.
    const AirportInfo* find(const QString& name) const;
    // Whether the name has been answered (airport or no airport).
    bool known(const QString& name) const;
    void clear();
    // Forgets everything when the airport connection is another one than before.
    void useConnection(const Connection* airports);

private:
    static std::string key(const QString& name);
    void lookUpBatch(Connection& airports, const std::vector<std::string>& keys,
                     const std::vector<QString>& names);

    const Connection* connection_ = nullptr;
    // Folded name -> the airport, or none when the file has no such airport.
    std::unordered_map<std::string, std::optional<AirportInfo>> known_;
};

} // namespace tv
