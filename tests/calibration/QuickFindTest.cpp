#include "calibration/QuickFind.h"

#include "ChartFixture.h"
#include "platform/Recordset.h"

#include <set>

namespace {

using WaypointQuickFind = caltest::ChartFolder;

std::set<std::string> found(tv::Recordset& rs)
{
    std::set<std::string> names;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        names.insert(rs.Field("Name").toString());
    return names;
}

TEST_F(WaypointQuickFind, TheTypedTextIsAPrefixNeverAPattern)
{
    raw->exec("INSERT INTO Waypoints (Name, Lat, Long) VALUES ('B_Nord', 1, 1), ('Bx', 2, 2), "
              "('Berlin', 52.3, 13.2), ('O''Brien', 3, 3), ('50% Hügel', 4, 4), "
              "('500 Turm', 5, 5), ('', 6, 6), ('über', 7, 7)");
    struct Case
    {
        const char* typed;
        std::set<std::string> names;
    };
    const Case cases[] = {
        {"B_", {"B_Nord"}},  {"b", {"B_Nord", "Bx", "Berlin"}},
        {"O'", {"O'Brien"}}, {"50%", {"50% Hügel"}},
        {"%", {}},           {"Ü", {"über"}},
        {"", {""}}, // an empty box finds only a waypoint without a name
    };
    for (const Case& c : cases) {
        tv::Recordset rs;
        tv::openWaypointQuickFind(rs, connection, c.typed);
        EXPECT_EQ(found(rs), c.names) << c.typed;
    }
}

} // namespace
