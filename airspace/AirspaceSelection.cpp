#include "airspace/AirspaceSelection.h"

#include "core/Units.h"
#include "platform/Connection.h"
#include "platform/TextFold.h"
#include "platform/Value.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tv {

ViewBox widenedViewBox(const ViewBox& view)
{
    const double span = view.east - view.west;
    const double d = span < 1.0 ? (1.2 - span) / 1.3 : 0.1;
    return {view.south - d, view.north + d, view.west - d, view.east + d};
}

double flightAltitudeFt(double shownAltitude, bool altitudeInFeet, int qnhHpa)
{
    constexpr double kCorrectionAboveFt = 5000.0;
    constexpr int kFeetPerHpa = 30;
    double h = altitudeInFeet ? shownAltitude : shownAltitude * kFeetPerMetre;
    if (h > kCorrectionAboveFt)
        h += (1013 - qnhHpa) * kFeetPerHpa;
    return h;
}

AltitudeBand flightBand(double altitudeFt)
{
    constexpr double kHalfBandFt = 400.0;
    return {altitudeFt - kHalfBandFt, altitudeFt + kHalfBandFt};
}

AltitudeBand singleAltitude(double altitudeFt)
{
    return {altitudeFt, altitudeFt};
}

namespace {

// Parts of a quarter (DD.MM numbers) from -200 to 200 degrees, the outermost two also holding
// the values beyond: in the order of the values, the same for latitudes and longitudes.
constexpr int kPartsPerDegree = 4;
constexpr int kLowestPart = -200 * kPartsPerDegree;
constexpr int kPartCount = 400 * kPartsPerDegree + 2;

int partOf(double ddmm)
{
    // Exact: a quarter times a whole number is a double, so the parts meet where the
    // database's comparisons put their bounds.
    const double p = std::floor(ddmm * kPartsPerDegree);
    return p < kLowestPart     ? 0
           : p >= -kLowestPart ? kPartCount - 1
                               : static_cast<int>(p) - kLowestPart + 1;
}

// The lower bound of a part (the outermost have none below, resp. above).
double lowerBound(int part)
{
    return double(part - 1 + kLowestPart) / kPartsPerDegree;
}

// "field" >= the lower bound of `first` and < that of the part after `last`.
void bounds(const char* field, int first, int last, std::string& sql, std::vector<Value>& params)
{
    if (first > 0) {
        sql += params.empty() ? " WHERE " : " AND ";
        sql += std::string(field) + " >= ?";
        params.emplace_back(lowerBound(first));
    }
    if (last < kPartCount - 1) {
        sql += params.empty() ? " WHERE " : " AND ";
        sql += std::string(field) + " < ?";
        params.emplace_back(lowerBound(last + 1));
    }
}

double numberOr(const QueryRow& row, int column, double none)
{
    const std::optional<double> n = row.number(column);
    return n ? *n : none;
}

} // namespace

void AirspaceIndex::add(const QueryRow& row, int south, int north, int west, int east)
{
    // An "Index" that is no whole 32-bit number names no airspace that can be drawn.
    const std::optional<double> n = row.number(0);
    if (!n || !(*n >= INT32_MIN && *n <= INT32_MAX) || *n != std::floor(*n))
        return;
    // A row without a position meets no box. The database compares texts above all numbers;
    // a text that reads as a number is kept only where the database found it.
    const std::optional<double> lat = row.number(1);
    const std::optional<double> lon = row.number(2);
    if (!lat || !lon || std::isnan(*lat) || std::isnan(*lon))
        return;
    const int band = partOf(*lat);
    const int lonPart = partOf(*lon);
    if (band < south || band > north || lonPart < west || lonPart > east)
        return;
    const auto number = static_cast<int32_t>(*n);
    const auto [place, added] = places_.try_emplace(number, static_cast<uint32_t>(numbers_.size()));
    if (added)
        numbers_.push_back(number);
    constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
    bands_[static_cast<std::size_t>(band)].rows.push_back(
        {*lat, *lon, numberOr(row, 3, kNone), numberOr(row, 4, kNone), place->second,
         !row.isNull(5) && equalsNoCase(row.text(5), "A")});
    ++rowCount_;
}

bool AirspaceIndex::worthScanning(Connection& connection, int south, int north)
{
    // The file's latitude index finds a band's rows, but each row it finds is then looked up
    // in the table: for a band of more than about a fifth of the file, reading the whole
    // table in its order is faster. The rows are taken to spread evenly between the lowest
    // and the highest latitude (two look-ups in the index, once).
    constexpr double kScanShare = 0.2;
    if (south == 0 && north == kPartCount - 1)
        return false; // no bounds: the table is read in its order anyway
    if (!latitudes_) {
        auto edge = [&connection](const char* which) {
            std::optional<double> value;
            connection.ForEachRow(std::string("SELECT ") + which + "(\"Lat\") FROM \"Luftraum\"",
                                  {}, [&value](const QueryRow& row) { value = row.number(0); });
            return value;
        };
        const std::optional<double> lowest = edge("min");
        const std::optional<double> highest = edge("max");
        latitudes_ = lowest && highest && *lowest < *highest
                         ? std::pair<double, double>(*lowest, *highest)
                         : std::pair<double, double>(0.0, 0.0);
    }
    const auto [lowest, highest] = *latitudes_;
    if (!(lowest < highest))
        return false;
    const double from = std::max(lowest, lowerBound(south));
    const double to = std::min(highest, lowerBound(north + 1));
    return to - from > kScanShare * (highest - lowest);
}

void AirspaceIndex::readTiles(Connection& connection, int south, int north, int west, int east)
{
    std::string sql =
        "SELECT \"Index\", \"Lat\", \"Long\", \"Low\", \"High\", \"AspType\" FROM \"Luftraum\"";
    if (worthScanning(connection, south, north))
        sql += " NOT INDEXED";
    std::vector<Value> params;
    bounds("\"Lat\"", south, north, sql, params);
    bounds("\"Long\"", west, east, sql, params);
    std::vector<std::size_t> before;
    for (int b = south; b <= north; ++b)
        before.push_back(bands_[static_cast<std::size_t>(b)].rows.size());
    const std::size_t rowsBefore = rowCount_;
    try {
        connection.ForEachRow(sql, params,
                              [&](const QueryRow& row) { add(row, south, north, west, east); });
    } catch (...) {
        // Nothing of a failed read is kept, so that the next redraw reads the tiles again.
        for (int b = south; b <= north; ++b)
            bands_[static_cast<std::size_t>(b)].rows.resize(
                before[static_cast<std::size_t>(b - south)]);
        rowCount_ = rowsBefore;
        throw;
    }
    for (int b = south; b <= north; ++b) {
        Band& band = bands_[static_cast<std::size_t>(b)];
        if (band.read.empty())
            band.read.assign(kPartCount, false);
        std::fill(band.read.begin() + west, band.read.begin() + east + 1, true);
        std::sort(band.rows.begin(), band.rows.end(),
                  [](const Row& a, const Row& r) { return a.lat < r.lat; });
    }
}

AirspaceIndex AirspaceIndex::read(Connection& connection)
{
    AirspaceIndex index;
    index.bands_.resize(kPartCount);
    index.readTiles(connection, 0, kPartCount - 1, 0, kPartCount - 1);
    return index;
}

void AirspaceIndex::cover(Connection& connection, const ViewBox& box)
{
    // NaN edges meet nothing.
    if (!(box.south <= box.north) || !(box.west <= box.east))
        return;
    if (bands_.empty())
        bands_.resize(kPartCount);
    const int west = partOf(box.west);
    const int east = partOf(box.east);
    // The tiles not read yet, as runs of longitude parts per latitude part; neighbouring
    // latitude parts with the same runs are read together (on a first view: one query).
    auto missing = [&](int b) {
        std::vector<std::pair<int, int>> runs;
        const std::vector<bool>& read = bands_[static_cast<std::size_t>(b)].read;
        for (int q = west; q <= east; ++q) {
            if (!read.empty() && read[static_cast<std::size_t>(q)])
                continue;
            if (!runs.empty() && runs.back().second == q - 1)
                runs.back().second = q;
            else
                runs.emplace_back(q, q);
        }
        return runs;
    };
    const int north = partOf(box.north);
    int first = partOf(box.south);
    std::vector<std::pair<int, int>> runs = missing(first);
    for (int b = first + 1; b <= north + 1; ++b) {
        std::vector<std::pair<int, int>> next;
        if (b <= north)
            next = missing(b);
        if (b <= north && next == runs)
            continue;
        for (const auto& [w, e] : runs)
            readTiles(connection, first, b - 1, w, e);
        first = b;
        runs = std::move(next);
    }
}

std::vector<int32_t> AirspaceIndex::select(const AirspaceQuery& query) const
{
    std::vector<int32_t> numbers;
    const double south = query.box.south;
    const double north = query.box.north;
    // NaN edges meet nothing.
    if (!(south <= north) || bands_.empty())
        return numbers;
    const bool circuits = query.kind == AirspaceKind::TrafficCircuits;
    std::vector<char> selected(numbers_.size(), 0);
    const int last = partOf(north);
    for (int p = partOf(south); p <= last; ++p) {
        const std::vector<Row>& rows = bands_[static_cast<std::size_t>(p)].rows;
        auto it = std::lower_bound(rows.begin(), rows.end(), south,
                                   [](const Row& r, double lat) { return r.lat < lat; });
        for (; it != rows.end() && it->lat <= north; ++it) {
            // NaN fails every comparison, as a field without a value meets nothing.
            if (it->circuit != circuits ||
                !(it->lon >= query.box.west && it->lon <= query.box.east))
                continue;
            if (query.band && !(it->low <= query.band->highFt && it->high >= query.band->lowFt))
                continue;
            selected[it->airspace] = 1;
        }
    }
    for (std::size_t i = 0; i < numbers_.size(); ++i) {
        if (selected[i])
            numbers.push_back(numbers_[i]);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

} // namespace tv
