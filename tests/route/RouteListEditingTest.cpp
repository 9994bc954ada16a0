// Plan mode's edits of the route list: where a new route lands among the numbers, and that
// deleting a route takes its points with it or, when the file refuses, neither.
#include "route/RouteEditing.h"

#include "RouteFixture.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

// "name:number" of every row of a query returning a name and a number, in order.
Strings rows(tvtest::RouteData& data, const std::string& sql, const std::vector<tv::Value>& p = {})
{
    tv::Recordset rs;
    rs.Open(sql, *data.db, p);
    Strings out;
    for (; !rs.Eof(); rs.MoveNext())
        out.push_back(rs.Field(0).toString() + ":" + rs.Field(1).toString());
    return out;
}
Strings routeList(tvtest::RouteData& data)
{
    return rows(data, "SELECT Name, Nummer FROM Route ORDER BY Nummer");
}
Strings pointList(tvtest::RouteData& data, int64_t routeId)
{
    return rows(data, "SELECT Name, Nummer FROM GpsPoints WHERE RouteID = ? ORDER BY Nummer",
                {routeId});
}

TEST(RouteInsert, NewRouteGoesDirectlyAfterTheCurrentOne)
{
    tvtest::RouteData data;
    const int64_t a = data.addRoute("A", 1);
    data.addRoute("B", 2);
    data.addRoute("C", 3);
    const int64_t id = tv::insertRouteAfter(*data.db, a, "New");
    EXPECT_EQ(routeList(data), (Strings{"A:1", "New:2", "B:3", "C:4"}));
    EXPECT_EQ(rows(data, "SELECT Name, RouteID FROM Route WHERE RouteID = ?", {id}),
              Strings{"New:" + std::to_string(id)});
}

TEST(RouteInsert, FirstRouteAndAfterAGap)
{
    tvtest::RouteData data;
    const int64_t first = tv::insertRouteAfter(*data.db, std::nullopt, "First");
    EXPECT_EQ(routeList(data), Strings{"First:1"});
    // Numbers with gaps, as a deleted or imported route leaves them.
    data.addRoute("Imported", 7);
    const int64_t imported = 2;
    tv::insertRouteAfter(*data.db, first, "Second");
    EXPECT_EQ(routeList(data), (Strings{"First:1", "Second:2", "Imported:3"}));
    tv::insertRouteAfter(*data.db, imported, "Last");
    EXPECT_EQ(routeList(data), (Strings{"First:1", "Second:2", "Imported:3", "Last:4"}));
}

TEST(RouteDelete, PointsAndRowGoTogetherAndTheNextBecomesCurrent)
{
    tvtest::RouteData data;
    const int64_t a = data.addRoute("A", 1);
    const int64_t b = data.addRoute("B", 2);
    const int64_t c = data.addRoute("C", 3);
    data.addPoint(b, 1, "P", 48, 11);
    EXPECT_EQ(tv::deleteRoute(*data.db, b), c);
    EXPECT_EQ(routeList(data), (Strings{"A:1", "C:3"})); // the gap stays
    EXPECT_TRUE(pointList(data, b).empty());
    EXPECT_EQ(tv::deleteRoute(*data.db, c), a);
    EXPECT_EQ(tv::deleteRoute(*data.db, a), std::nullopt);
}

TEST(RouteDelete, FailingSecondStatementKeepsBoth)
{
    tvtest::RouteData data;
    const int64_t a = data.addRoute("A", 1);
    data.addPoint(a, 1, "P", 48, 11);
    data.db->Execute("CREATE TRIGGER keep BEFORE DELETE ON Route "
                     "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_THROW(tv::deleteRoute(*data.db, a), tv::DbError);
    EXPECT_EQ(routeList(data), Strings{"A:1"});
    EXPECT_EQ(pointList(data, a), Strings{"P:1"});
}

} // namespace
