#include "airspace/AirspaceSelection.h"

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
    constexpr double kFeetPerMetre = 3.2808;
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

// Parts of a quarter (DD.MM) from -100 to 100 degrees, the outermost two also holding the
// latitudes beyond (not on the earth): in the order of the latitudes.
constexpr int kPartsPerDegree = 4;
constexpr int kLowestPart = -100 * kPartsPerDegree;
constexpr int kPartCount = 200 * kPartsPerDegree + 2;

constexpr const char* kIndexFields =
    "SELECT \"Index\", \"Lat\", \"Long\", \"Low\", \"High\", \"AspType\" FROM \"Luftraum\"";

double numberOr(const QueryRow& row, int column, double none)
{
    const std::optional<double> n = row.number(column);
    return n ? *n : none;
}

} // namespace

int AirspaceIndex::partOf(double latDdmm)
{
    // Exact: a quarter times a whole number is a double, so the parts meet where the
    // database's comparisons put their bounds.
    const double p = std::floor(latDdmm * kPartsPerDegree);
    return p < kLowestPart     ? 0
           : p >= -kLowestPart ? kPartCount - 1
                               : static_cast<int>(p) - kLowestPart + 1;
}

void AirspaceIndex::add(const QueryRow& row)
{
    // An "Index" that is no whole 32-bit number names no airspace that can be drawn.
    const std::optional<double> n = row.number(0);
    if (!n || !(*n >= INT32_MIN && *n <= INT32_MAX) || *n != std::floor(*n))
        return;
    const std::optional<double> lat = row.number(1);
    if (!lat || std::isnan(*lat))
        return;
    const auto number = static_cast<int32_t>(*n);
    const auto [place, added] = places_.try_emplace(number, static_cast<uint32_t>(numbers_.size()));
    if (added)
        numbers_.push_back(number);
    constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
    parts_[static_cast<std::size_t>(partOf(*lat))].rows.push_back(
        {*lat, numberOr(row, 2, kNone), numberOr(row, 3, kNone), numberOr(row, 4, kNone),
         place->second, !row.isNull(5) && equalsNoCase(row.text(5), "A")});
    ++rowCount_;
}

void AirspaceIndex::readParts(Connection& connection, int first, int last)
{
    // The outermost parts are open-ended; the others run from their lower bound up to (not
    // including) the next part's.
    std::string sql = kIndexFields;
    std::vector<Value> bounds;
    if (first > 0) {
        sql += " WHERE \"Lat\" >= ?";
        bounds.emplace_back(double(first - 1 + kLowestPart) / kPartsPerDegree);
    }
    if (last < kPartCount - 1) {
        sql += bounds.empty() ? " WHERE \"Lat\" < ?" : " AND \"Lat\" < ?";
        bounds.emplace_back(double(last + kLowestPart) / kPartsPerDegree);
    }
    std::vector<std::size_t> before;
    for (int p = first; p <= last; ++p)
        before.push_back(parts_[static_cast<std::size_t>(p)].rows.size());
    const std::size_t rowsBefore = rowCount_;
    try {
        connection.ForEachRow(sql, bounds, [this](const QueryRow& row) { add(row); });
    } catch (...) {
        // Nothing of a failed read is kept, so that the next redraw reads the parts again.
        for (int p = first; p <= last; ++p)
            parts_[static_cast<std::size_t>(p)].rows.resize(
                before[static_cast<std::size_t>(p - first)]);
        rowCount_ = rowsBefore;
        throw;
    }
    for (int p = first; p <= last; ++p) {
        Part& part = parts_[static_cast<std::size_t>(p)];
        part.read = true;
        std::sort(part.rows.begin(), part.rows.end(),
                  [](const Row& a, const Row& b) { return a.lat < b.lat; });
    }
}

AirspaceIndex AirspaceIndex::read(Connection& connection)
{
    AirspaceIndex index;
    index.parts_.resize(kPartCount);
    index.readParts(connection, 0, kPartCount - 1);
    return index;
}

void AirspaceIndex::cover(Connection& connection, double southDdmm, double northDdmm)
{
    if (!(southDdmm <= northDdmm))
        return; // NaN edges meet nothing
    if (parts_.empty())
        parts_.resize(kPartCount);
    const int last = partOf(northDdmm);
    for (int p = partOf(southDdmm); p <= last; ++p) {
        if (parts_[static_cast<std::size_t>(p)].read)
            continue;
        int end = p;
        while (end < last && !parts_[static_cast<std::size_t>(end + 1)].read)
            ++end;
        readParts(connection, p, end);
        p = end;
    }
}

std::vector<int32_t> AirspaceIndex::select(const AirspaceQuery& query) const
{
    std::vector<int32_t> numbers;
    const double south = query.box.south;
    const double north = query.box.north;
    // NaN edges meet nothing.
    if (!(south <= north) || parts_.empty())
        return numbers;
    const bool circuits = query.kind == AirspaceKind::TrafficCircuits;
    std::vector<char> selected(numbers_.size(), 0);
    const int last = partOf(north);
    for (int p = partOf(south); p <= last; ++p) {
        const std::vector<Row>& rows = parts_[static_cast<std::size_t>(p)].rows;
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
