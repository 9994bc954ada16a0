#include "airspace/AirspaceSelection.h"

#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "platform/TextFold.h"

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

AirspaceIndex AirspaceIndex::read(Connection& connection)
{
    Recordset rs;
    rs.Open("SELECT \"Index\", \"Lat\", \"Long\", \"Low\", \"High\", \"AspType\" "
            "FROM \"Luftraum\"",
            connection);
    constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
    auto number = [&rs](int field) {
        const std::optional<double> v = rs.Field(field).asNumber();
        return v ? *v : kNone;
    };
    AirspaceIndex index;
    index.rows_.reserve(static_cast<std::size_t>(rs.RecordCount()));
    for (; !rs.Eof(); rs.MoveNext()) {
        // An "Index" that is no whole 32-bit number names no airspace that can be drawn.
        const std::optional<double> n = rs.Field(0).asNumber();
        if (!n || !(*n >= INT32_MIN && *n <= INT32_MAX) || *n != std::floor(*n))
            continue;
        const double lat = number(1);
        if (std::isnan(lat))
            continue;
        const Value type = rs.Field(5);
        index.rows_.push_back({lat, number(2), number(3), number(4), static_cast<int32_t>(*n),
                               !type.isNull() && equalsNoCase(type.toString(), "A")});
        index.numbers_.push_back(static_cast<int32_t>(*n));
    }
    std::sort(index.numbers_.begin(), index.numbers_.end());
    index.numbers_.erase(std::unique(index.numbers_.begin(), index.numbers_.end()),
                         index.numbers_.end());
    // Each row refers to its airspace by place, so a selection needs no sorting.
    for (Row& row : index.rows_) {
        row.number = static_cast<int32_t>(
            std::lower_bound(index.numbers_.begin(), index.numbers_.end(), row.number) -
            index.numbers_.begin());
    }
    std::sort(index.rows_.begin(), index.rows_.end(),
              [](const Row& a, const Row& b) { return a.lat < b.lat; });
    return index;
}

std::vector<int32_t> AirspaceIndex::select(const AirspaceQuery& query) const
{
    const bool circuits = query.kind == AirspaceKind::TrafficCircuits;
    const auto first = std::lower_bound(rows_.begin(), rows_.end(), query.box.south,
                                        [](const Row& r, double lat) { return r.lat < lat; });
    std::vector<char> selected(numbers_.size(), 0);
    for (auto it = first; it != rows_.end() && it->lat <= query.box.north; ++it) {
        // NaN fails every comparison, as a field without a value meets nothing.
        if (it->circuit != circuits || !(it->lon >= query.box.west && it->lon <= query.box.east))
            continue;
        if (query.band && !(it->low <= query.band->highFt && it->high >= query.band->lowFt))
            continue;
        selected[static_cast<std::size_t>(it->number)] = 1;
    }
    std::vector<int32_t> numbers;
    for (std::size_t i = 0; i < numbers_.size(); ++i) {
        if (selected[i])
            numbers.push_back(numbers_[i]);
    }
    return numbers;
}

} // namespace tv
