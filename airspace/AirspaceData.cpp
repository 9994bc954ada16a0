#include "airspace/AirspaceData.h"

#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"

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

} // namespace

AirspaceRows readAirspaceRows(Connection& connection, int32_t index)
{
    Recordset rs;
    rs.Open("SELECT * FROM \"Luftraum\" WHERE \"Index\" = ? ORDER BY \"PNumber\" ASC, rowid ASC",
            connection, {index});
    const Columns c{rs.FieldIndex("AspType"), rs.FieldIndex("Low"),      rs.FieldIndex("High"),
                    rs.FieldIndex("LowType"), rs.FieldIndex("HighType"), rs.FieldIndex("Drawtype"),
                    rs.FieldIndex("Lat"),     rs.FieldIndex("Long"),     rs.FieldIndex("arcRad"),
                    rs.FieldIndex("arcLat"),  rs.FieldIndex("arcLong"),  rs.FieldIndex("Arcx1"),
                    rs.FieldIndex("Arcy1"),   rs.FieldIndex("Arcx2"),    rs.FieldIndex("Arcy2"),
                    rs.FieldIndex("arcDir"),  rs.FieldIndex("PNumber")};
    AirspaceRows rows;
    rows.reserve(static_cast<std::size_t>(rs.RecordCount()));
    for (; !rs.Eof(); rs.MoveNext()) {
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
        rows.push_back(std::move(r));
    }
    return rows;
}

const AirspaceRows& AirspaceStore::rows(const std::shared_ptr<Connection>& connection,
                                        int32_t index)
{
    if (connection_.lock() != connection) {
        cache_.clear();
        connection_ = connection;
    }
    if (const auto it = cache_.find(index); it != cache_.end())
        return it->second;
    if (!connection)
        throw DbError("the airspace data file is not open");
    return cache_.emplace(index, readAirspaceRows(*connection, index)).first->second;
}

} // namespace tv
