#include "airspace/AirspaceData.h"

#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/TextFold.h"

#include <algorithm>
#include <functional>
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

// `first`: the first row of its airspace.
AirspaceRow readRow(const QueryRow& v, bool first)
{
    AirspaceRow r;
    r.drawType = v.text(5);
    r.pNumber = v.number(16);
    if (first) {
        r.aspType = v.text(0);
        r.lowFt = v.number(1);
        r.highFt = v.number(2);
        r.lowType = v.text(3);
        r.highType = v.text(4);
    }
    if (r.drawType == "DP" || r.drawType == "DC") {
        r.lat = v.number(6);
        r.lon = v.number(7);
        if (r.drawType == "DC")
            r.arcRadNm = v.number(8);
    } else if (r.drawType == "DB") {
        r.arcLat = v.number(9);
        r.arcLong = v.number(10);
        r.arcx1 = v.number(11);
        r.arcy1 = v.number(12);
        r.arcx2 = v.number(13);
        r.arcy2 = v.number(14);
        r.arcDir = v.text(15);
    }
    return r;
}

} // namespace

void readAirspaceRows(Connection& connection, const std::vector<int32_t>& indexes,
                      const std::function<void(int32_t, const AirspaceRows&)>& each)
{
    if (indexes.empty())
        return;
    std::string sql =
        "SELECT " + selectList(connection) + " FROM \"Luftraum\" WHERE \"Index\" IN (?";
    std::vector<Value> params{indexes.front()};
    for (std::size_t i = 1; i < indexes.size(); ++i) {
        sql += ", ?";
        params.emplace_back(indexes[i]);
    }
    sql += ") ORDER BY \"Index\" ASC, \"PNumber\" ASC, rowid ASC";
    // One airspace's rows at a time, in one list that keeps its room.
    AirspaceRows rows;
    int32_t current = 0;
    connection.ForEachRow(sql, params, [&](const QueryRow& row) {
        const auto index = static_cast<int32_t>(row.value(kIndexColumn).toInt());
        if (!rows.empty() && index != current) {
            each(current, rows);
            rows.clear();
        }
        current = index;
        rows.push_back(readRow(row, rows.empty()));
    });
    if (!rows.empty())
        each(current, rows);
}

AirspaceRows readAirspaceRows(Connection& connection, int32_t index)
{
    AirspaceRows rows;
    connection.ForEachRow(
        "SELECT " + selectList(connection) +
            " FROM \"Luftraum\" WHERE \"Index\" = ? ORDER BY \"PNumber\" ASC, "
            "rowid ASC",
        {index}, [&rows](const QueryRow& row) { rows.push_back(readRow(row, rows.empty())); });
    return rows;
}

} // namespace tv
