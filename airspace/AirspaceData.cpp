#include "airspace/AirspaceData.h"

#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"

#include <algorithm>
#include <string>

namespace tv {
namespace {

struct Columns
{
    int aspType, low, high, lowType, highType, drawType, lat, lon, arcRad, arcLat, arcLong, arcx1,
        arcy1, arcx2, arcy2, arcDir, pNumber;
};

std::string text(const Recordset& rs, int field)
{
    return field < 0 ? std::string() : rs.Field(field).toString();
}

std::optional<double> number(const Recordset& rs, int field)
{
    return field < 0 ? std::nullopt : rs.Field(field).asNumber();
}

Columns columns(const Recordset& rs)
{
    return {rs.FieldIndex("AspType"), rs.FieldIndex("Low"),      rs.FieldIndex("High"),
            rs.FieldIndex("LowType"), rs.FieldIndex("HighType"), rs.FieldIndex("Drawtype"),
            rs.FieldIndex("Lat"),     rs.FieldIndex("Long"),     rs.FieldIndex("arcRad"),
            rs.FieldIndex("arcLat"),  rs.FieldIndex("arcLong"),  rs.FieldIndex("Arcx1"),
            rs.FieldIndex("Arcy1"),   rs.FieldIndex("Arcx2"),    rs.FieldIndex("Arcy2"),
            rs.FieldIndex("arcDir"),  rs.FieldIndex("PNumber")};
}

AirspaceRow readRow(const Recordset& rs, const Columns& c)
{
    AirspaceRow r;
    r.aspType = text(rs, c.aspType);
    r.lowFt = number(rs, c.low);
    r.highFt = number(rs, c.high);
    r.lowType = text(rs, c.lowType);
    r.highType = text(rs, c.highType);
    r.drawType = text(rs, c.drawType);
    r.lat = number(rs, c.lat);
    r.lon = number(rs, c.lon);
    r.arcRadNm = number(rs, c.arcRad);
    r.arcLat = number(rs, c.arcLat);
    r.arcLong = number(rs, c.arcLong);
    r.arcx1 = number(rs, c.arcx1);
    r.arcy1 = number(rs, c.arcy1);
    r.arcx2 = number(rs, c.arcx2);
    r.arcy2 = number(rs, c.arcy2);
    r.arcDir = text(rs, c.arcDir);
    r.pNumber = number(rs, c.pNumber);
    return r;
}

} // namespace

std::vector<std::pair<int32_t, AirspaceRows>> readAirspaceRows(Connection& connection,
                                                               const std::vector<int32_t>& indexes)
{
    std::vector<std::pair<int32_t, AirspaceRows>> result;
    if (indexes.empty())
        return result;
    std::string sql = "SELECT * FROM \"Luftraum\" WHERE \"Index\" IN (?";
    std::vector<Value> params{indexes.front()};
    for (std::size_t i = 1; i < indexes.size(); ++i) {
        sql += ", ?";
        params.emplace_back(indexes[i]);
    }
    sql += ") ORDER BY \"Index\" ASC, \"PNumber\" ASC, rowid ASC";
    Recordset rs;
    rs.Open(sql, connection, params);
    const Columns c = columns(rs);
    const int indexField = rs.FieldIndex("Index");
    for (; !rs.Eof(); rs.MoveNext()) {
        const int32_t index = static_cast<int32_t>(rs.Field(indexField).toInt());
        if (result.empty() || result.back().first != index)
            result.emplace_back(index, AirspaceRows{});
        result.back().second.push_back(readRow(rs, c));
    }
    return result;
}

AirspaceRows readAirspaceRows(Connection& connection, int32_t index)
{
    Recordset rs;
    rs.Open("SELECT * FROM \"Luftraum\" WHERE \"Index\" = ? ORDER BY \"PNumber\" ASC, rowid ASC",
            connection, {index});
    const Columns c = columns(rs);
    AirspaceRows rows;
    rows.reserve(static_cast<std::size_t>(rs.RecordCount()));
    for (; !rs.Eof(); rs.MoveNext())
        rows.push_back(readRow(rs, c));
    return rows;
}

} // namespace tv
