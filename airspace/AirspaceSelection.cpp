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
    std::vector<int32_t> numbers;
    for (auto it = first; it != rows_.end() && it->lat <= query.box.north; ++it) {
        // NaN fails every comparison, as a field without a value meets nothing.
        if (it->circuit != circuits || !(it->lon >= query.box.west && it->lon <= query.box.east))
            continue;
        if (query.band && !(it->low <= query.band->highFt && it->high >= query.band->lowFt))
            continue;
        numbers.push_back(it->index);
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

} // namespace tv
