// Plan mode's edits of a route: where a new point lands, what deleting leaves, and that an edit
// the file refuses halfway leaves the route exactly as it was.
#include "route/RouteEditing.h"

#include "RouteFixture.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using tv::NewRoutePoint;

namespace {

class RouteEditing : public ::testing::Test
{
protected:
    // The route's points as (Nummer, Name) in their order, read straight from the file.
    std::vector<std::pair<double, std::string>> stored(int64_t routeId)
    {
        tv::Recordset rs;
        rs.Open("SELECT Nummer, Name FROM GpsPoints WHERE RouteID = ? ORDER BY Nummer, id",
                *data.db, {routeId});
        std::vector<std::pair<double, std::string>> rows;
        for (; !rs.Eof(); rs.MoveNext())
            rows.emplace_back(rs.Field("Nummer").toDouble(), rs.Field("Name").toString());
        return rows;
    }

    static NewRoutePoint waypoint(const char* name)
    {
        NewRoutePoint p;
        p.pointId = 42;
        p.name = QString::fromUtf8(name);
        p.latDDMM = 48.3012;
        p.lonDDMM = 9.1130;
        return p;
    }

    // A trigger that refuses to renumber a point, so that the second statement of an edit
    // fails after the first one has already changed the file.
    void refuseRenumbering(const char* when)
    {
        data.db->Execute(std::string("CREATE TRIGGER refuse BEFORE UPDATE ON GpsPoints WHEN ") +
                         when + " BEGIN SELECT RAISE(ABORT, 'refused'); END");
    }

    tvtest::RouteData data;
};

using Rows = std::vector<std::pair<double, std::string>>;

TEST_F(RouteEditing, PointInsertedAfterTheCurrentOneLandsBetweenItAndTheNext)
{
    const int64_t r = data.addRoute("Stuttgart - Augsburg", 1);
    const int64_t a = data.addPoint(r, 1, "EDDS", 48.41, 9.13);
    data.addPoint(r, 2, "EDMA", 48.25, 10.53);
    tv::insertPointAfter(*data.db, r, a, waypoint("ULM"));
    EXPECT_EQ(stored(r), (Rows{{1, "EDDS"}, {2, "ULM"}, {3, "EDMA"}}));
}

TEST_F(RouteEditing, InsertingAfterANumberingGapKeepsTheOrderAndClosesTheGap)
{
    // Files of older versions: gaps and numbers closer than 1 apart.
    struct Case
    {
        const char* label;
        std::vector<double> numbers;
        int after; // index of the current point
    };
    const Case cases[] = {
        {"gap after the current point", {1, 2, 5}, 1},
        {"gap before the current point", {1, 4, 5}, 1},
        {"numbers closer than 1", {1, 1.1, 1.2}, 0},
        {"numbers that are not whole", {0.5, 7.25, 9}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const int64_t r = data.addRoute(c.label, 1);
        std::vector<int64_t> ids;
        const char* names[] = {"A", "B", "C"};
        for (size_t i = 0; i < c.numbers.size(); ++i)
            ids.push_back(data.addPoint(r, c.numbers[i], names[i], 48.0, 9.0));
        tv::insertPointAfter(*data.db, r, ids[static_cast<size_t>(c.after)], waypoint("NEW"));
        Rows expected{{1, "A"}, {2, "B"}, {3, "C"}};
        expected.insert(expected.begin() + c.after + 1, {0, "NEW"});
        for (size_t i = 0; i < expected.size(); ++i)
            expected[i].first = static_cast<double>(i + 1);
        EXPECT_EQ(stored(r), expected);
    }
}

TEST_F(RouteEditing, WithoutACurrentPointTheNewPointGoesToTheEnd)
{
    const int64_t r = data.addRoute("R", 1);
    data.addPoint(r, 1, "A", 48.0, 9.0);
    tv::insertPointAfter(*data.db, r, std::nullopt, waypoint("B"));
    const int64_t empty = data.addRoute("empty", 2);
    tv::insertPointAfter(*data.db, empty, std::nullopt, waypoint("FIRST"));
    EXPECT_EQ(stored(r), (Rows{{1, "A"}, {2, "B"}}));
    EXPECT_EQ(stored(empty), (Rows{{1, "FIRST"}}));
}

TEST_F(RouteEditing, InsertedPointIsACopyOfItsWaypoint)
{
    const int64_t r = data.addRoute("R", 1);
    const int64_t id = tv::insertPointAfter(*data.db, r, std::nullopt, waypoint("O'Hare Süd"));
    tv::Recordset rs;
    rs.Open("SELECT * FROM GpsPoints WHERE id = ?", *data.db, {id});
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Field("Name").toString(), "O'Hare Süd");
    EXPECT_EQ(rs.Field("PointID").toInt(), 42);
    EXPECT_DOUBLE_EQ(rs.Field("Lat").toDouble(), 48.3012);
    EXPECT_DOUBLE_EQ(rs.Field("Long").toDouble(), 9.1130);
}

TEST_F(RouteEditing, DeletingTheLastPointLeavesTheOthersNumbered)
{
    const int64_t r = data.addRoute("R", 1);
    data.addPoint(r, 1, "A", 48.0, 9.0);
    data.addPoint(r, 3, "B", 48.0, 9.0);
    const int64_t last = data.addPoint(r, 7, "C", 48.0, 9.0);
    EXPECT_TRUE(tv::deletePoint(*data.db, r, last));
    EXPECT_EQ(stored(r), (Rows{{1, "A"}, {2, "B"}}));
}

TEST_F(RouteEditing, DeletingTheOnlyPointLeavesAnEmptyRoute)
{
    const int64_t r = data.addRoute("R", 1);
    const int64_t only = data.addPoint(r, 1, "A", 48.0, 9.0);
    EXPECT_TRUE(tv::deletePoint(*data.db, r, only));
    EXPECT_TRUE(stored(r).empty());
}

TEST_F(RouteEditing, DeletingAPointOfAnotherRouteChangesNothing)
{
    const int64_t r = data.addRoute("R", 1);
    const int64_t other = data.addRoute("other", 2);
    data.addPoint(r, 1, "A", 48.0, 9.0);
    const int64_t foreign = data.addPoint(other, 5, "X", 48.0, 9.0);
    EXPECT_FALSE(tv::deletePoint(*data.db, r, foreign));
    EXPECT_EQ(stored(other), (Rows{{5, "X"}}));
}

TEST_F(RouteEditing, RenumberingClosesGapsInOrder)
{
    const int64_t r = data.addRoute("R", 1);
    data.addPoint(r, 10, "B", 48.0, 9.0);
    data.addPoint(r, 2.5, "A", 48.0, 9.0);
    tv::renumberRoute(*data.db, r);
    EXPECT_EQ(stored(r), (Rows{{1, "A"}, {2, "B"}}));
}

TEST_F(RouteEditing, InsertRefusedWhileRenumberingLeavesTheRouteAsItWas)
{
    const int64_t r = data.addRoute("R", 1);
    const int64_t a = data.addPoint(r, 1, "A", 48.0, 9.0);
    data.addPoint(r, 2, "B", 48.0, 9.0);
    // The new point (stored at a half number) cannot be given its whole number.
    refuseRenumbering("OLD.Nummer <> CAST(OLD.Nummer AS INTEGER)");
    EXPECT_THROW(tv::insertPointAfter(*data.db, r, a, waypoint("NEW")), tv::DbError);
    EXPECT_EQ(stored(r), (Rows{{1, "A"}, {2, "B"}}));
}

TEST_F(RouteEditing, DeleteRefusedWhileRenumberingKeepsThePoint)
{
    const int64_t r = data.addRoute("R", 1);
    const int64_t a = data.addPoint(r, 1, "A", 48.0, 9.0);
    data.addPoint(r, 2, "B", 48.0, 9.0);
    refuseRenumbering("1");
    EXPECT_THROW(tv::deletePoint(*data.db, r, a), tv::DbError);
    EXPECT_EQ(stored(r), (Rows{{1, "A"}, {2, "B"}}));
}

} // namespace
