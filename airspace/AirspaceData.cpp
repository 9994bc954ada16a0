#include "airspace/AirspaceData.h"

#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/TextFold.h"

#include <algorithm>
#include <string>

namespace tv {
namespace {

// The fields an outline needs, in the order the reads select them.
constexpr const char* kFields[] = {"AspType", "Low",   "High",   "LowType", "HighType", "Drawtype",
                                   "Lat",     "Long",  "arcRad", "arcLat",  "arcLong",  "Arcx1",
                                   "Arcy1",   "Arcx2", "Arcy2",  "arcDir",  "PNumber",  "Index"};
constexpr int kIndexColumn = 17;

// The select list: a field the file lacks reads as no value, as it always has.
std::string selectList(Connection& connection)
{
    std::vector<std::string> present;
    connection.ForEachRow("PRAGMA table_info(\"Luftraum\")", {},
                          [&present](const QueryRow& row) { present.push_back(row.text(1)); });
    std::string list;
    for (const char* field : kFields) {
        const bool there = std::any_of(present.begin(), present.end(), [field](const auto& name) {
            return equalsNoCase(name, field);
        });
        list += list.empty() ? "" : ", ";
        list += there ? "\"" + std::string(field) + "\"" : std::string("NULL");
    }
    return list;
}

AirspaceRow readRow(const QueryRow& v)
{
    auto text = [&v](int i) { return v.text(i); };
    auto number = [&v](int i) { return v.number(i); };
    AirspaceRow r;
    r.aspType = text(0);
    r.lowFt = number(1);
    r.highFt = number(2);
    r.lowType = text(3);
    r.highType = text(4);
    r.drawType = text(5);
    r.lat = number(6);
    r.lon = number(7);
    r.arcRadNm = number(8);
    r.arcLat = number(9);
    r.arcLong = number(10);
    r.arcx1 = number(11);
    r.arcy1 = number(12);
    r.arcx2 = number(13);
    r.arcy2 = number(14);
    r.arcDir = text(15);
    r.pNumber = number(16);
    return r;
}

} // namespace

std::vector<std::pair<int32_t, AirspaceRows>> readAirspaceRows(Connection& connection,
                                                               const std::vector<int32_t>& indexes)
{
    std::vector<std::pair<int32_t, AirspaceRows>> result;
    if (indexes.empty())
        return result;
    std::string sql =
        "SELECT " + selectList(connection) + " FROM \"Luftraum\" WHERE \"Index\" IN (?";
    std::vector<Value> params{indexes.front()};
    for (std::size_t i = 1; i < indexes.size(); ++i) {
        sql += ", ?";
        params.emplace_back(indexes[i]);
    }
    sql += ") ORDER BY \"Index\" ASC, \"PNumber\" ASC, rowid ASC";
    connection.ForEachRow(sql, params, [&result](const QueryRow& row) {
        const auto index = static_cast<int32_t>(row.value(kIndexColumn).toInt());
        if (result.empty() || result.back().first != index)
            result.emplace_back(index, AirspaceRows{});
        result.back().second.push_back(readRow(row));
    });
    return result;
}

AirspaceRows readAirspaceRows(Connection& connection, int32_t index)
{
    AirspaceRows rows;
    connection.ForEachRow("SELECT " + selectList(connection) +
                              " FROM \"Luftraum\" WHERE \"Index\" = ? ORDER BY \"PNumber\" ASC, "
                              "rowid ASC",
                          {index}, [&rows](const QueryRow& row) { rows.push_back(readRow(row)); });
    return rows;
}

} // namespace tv
