#pragma once

// Which airspaces a map shows: those with a boundary row inside the view box whose limits meet
// the altitude of interest. The box and the band are tested row by row, on each row's own Lat,
// Long, Low and High: an airspace is shown when at least one of its rows passes both.
//
// Box values are DD.MM taken as plain decimals (no conversion to degrees); altitudes feet.

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tv {

class Connection;
class QueryRow;

// Edges of a map's view as CalcViewBounds gives them: DD.MM, rounded to 2 decimals.
struct ViewBox
{
    double south = 0.0;
    double north = 0.0;
    double west = 0.0;
    double east = 0.0;
};

// The airspace pass looks a little beyond the view so that airspaces whose boundary rows all
// lie just outside still show their edges across it. With the longitude span s = east - west,
// each side moves out by (1.2 - s) / 1.3 below a span of 1, and by 0.1 from 1 on (so a view
// just under one degree wide looks further out than one just over it; the rule is kept as the
// program has always applied it).
ViewBox widenedViewBox(const ViewBox& view);

// The flight map's altitude of interest in feet from the shown altitude (0 without a
// fix): metres turned into feet (kFeetPerMetre), and above 5000 ft (not at 5000) corrected for the
// pressure setting by 30 ft per hPa below 1013.
double flightAltitudeFt(double shownAltitude, bool altitudeInFeet, int qnhHpa);

// Limits in feet. An airspace meets the band when Low <= highFt and High >= lowFt; a limit
// without a value meets nothing.
struct AltitudeBand
{
    double lowFt = 0.0;
    double highFt = 0.0;
};
// The flight map's band: 400 ft either side of the altitude of interest.
AltitudeBand flightBand(double altitudeFt);
// The plan map's band: the chosen altitude itself.
AltitudeBand singleAltitude(double altitudeFt);

enum class AirspaceKind {
    Airspaces,       // every type but "A" (a type without a value included)
    TrafficCircuits, // type "A" only
};

struct AirspaceQuery
{
    ViewBox box;
    std::optional<AltitudeBand> band; // empty: any altitude
    AirspaceKind kind = AirspaceKind::Airspaces;
};

// What the selection tests of the rows of the airspace data file, read once: the file does not
// change while the program runs, and testing rows in memory keeps a redraw within a frame
// where the database would look up every row of a latitude band. The rows are read in tiles
// of a quarter degree each way (as DD.MM numbers: 48.00 to 48.25 ...) as views first need
// them, through the file's index on Lat, so that the first redraw of a region reads only the
// rows about it.
class AirspaceIndex
{
public:
    // Reads every row. Throws DbError.
    static AirspaceIndex read(Connection& connection);
    // Reads the rows inside the box (DD.MM) that are not read yet. Throws DbError; what was
    // read before stays.
    void cover(Connection& connection, const ViewBox& box);

    // The numbers of the airspaces the query selects among the rows read, each once,
    // ascending. Comparisons are the database's: a field without a (numeric) value meets
    // nothing, the type "A" is found ignoring case, a type without a value is an ordinary
    // airspace.
    std::vector<int32_t> select(const AirspaceQuery& query) const;

    std::size_t rowCount() const { return rowCount_; }

private:
    struct Row
    {
        double lat; // DD.MM
        double lon;
        double low; // feet; NaN without a value
        double high;
        uint32_t airspace; // place of the row's "Index" in numbers_
        bool circuit;      // AspType "A"
    };
    // The rows of one quarter degree of latitude, and which of its tiles are read.
    struct Band
    {
        std::vector<Row> rows;  // ordered by latitude
        std::vector<bool> read; // by longitude part; empty: none read yet
    };
    // Reads the tiles of the latitude parts `south` to `north` and the longitude parts `west`
    // to `east` in one query.
    void readTiles(Connection& connection, int south, int north, int west, int east);
    // Whether the rows of the latitude parts `south` to `north` are found faster by reading
    // the whole table than through the file's latitude index.
    bool worthScanning(Connection& connection, int south, int north);
    // Keeps a row that lies in the tiles being read.
    void add(const QueryRow& row, int south, int north, int west, int east);

    std::vector<Band> bands_;
    std::unordered_map<int32_t, uint32_t> places_; // airspace number -> place in numbers_
    std::vector<int32_t> numbers_;                 // in the order first read
    std::size_t rowCount_ = 0;
    // The lowest and the highest latitude in the file, once asked; equal when unknown.
    std::optional<std::pair<double, double>> latitudes_;
};

// More than this many airspaces in the airspace pass colour the flight map's QNH box.
inline constexpr int kManyAirspaces = 31;

} // namespace tv
