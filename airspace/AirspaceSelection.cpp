#include "airspace/AirspaceSelection.h"

#include "platform/Connection.h"
#include "platform/Recordset.h"

#include <string>

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

std::vector<int32_t> selectAirspaces(Connection& connection, const AirspaceQuery& query)
{
    // "Index" is an SQL keyword: always quoted. AspType compares ignoring case (TVNOCASE), as
    // the data file's engine always did; a type without a value is an ordinary airspace.
    std::string sql = "SELECT DISTINCT \"Index\" FROM \"Luftraum\" WHERE \"Lat\" BETWEEN ? AND ? "
                      "AND \"Long\" BETWEEN ? AND ? AND \"Index\" IS NOT NULL";
    std::vector<Value> params{query.box.south, query.box.north, query.box.west, query.box.east};
    if (query.band) {
        sql += " AND \"Low\" <= ? AND \"High\" >= ?";
        params.emplace_back(query.band->highFt);
        params.emplace_back(query.band->lowFt);
    }
    sql += query.kind == AirspaceKind::TrafficCircuits
               ? " AND \"AspType\" = 'A'"
               : " AND (\"AspType\" IS NULL OR \"AspType\" <> 'A')";
    sql += " ORDER BY \"Index\" ASC";

    Recordset rs;
    rs.Open(sql, connection, params);
    std::vector<int32_t> numbers;
    numbers.reserve(static_cast<std::size_t>(rs.RecordCount()));
    for (; !rs.Eof(); rs.MoveNext()) {
        // An "Index" that is no whole 32-bit number names no airspace that can be drawn.
        const std::optional<double> n = rs.Field(0).asNumber();
        if (n && *n >= INT32_MIN && *n <= INT32_MAX && *n == static_cast<int32_t>(*n))
            numbers.push_back(static_cast<int32_t>(*n));
    }
    return numbers;
}

} // namespace tv
