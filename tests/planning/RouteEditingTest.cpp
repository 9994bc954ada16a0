#include "PlanData.h"
#include "planning/CategoryAssign.h"
#include "planning/RouteEditing.h"
#include "platform/DbError.h"

#include <gtest/gtest.h>

using Strings = std::vector<std::string>;

namespace {

tv::RoutePointSource wp(const std::string& name)
{
    return {7, name, 48.0, 11.0};
}

} // namespace

TEST(RouteInsert, NewRouteGoesDirectlyAfterTheCurrentOne)
{
    tvtest::PlanData data;
    const int64_t a = data.addRoute("A", 1);
    data.addRoute("B", 2);
    data.addRoute("C", 3);
    const int64_t id = tv::insertRoute(*data.db, a, "New");
    EXPECT_EQ(data.routeList(), (Strings{"A:1", "New:2", "B:3", "C:4"}));
    EXPECT_EQ(data.rows("SELECT Name, RouteID FROM Route WHERE RouteID = ?", {id}),
              Strings{"New:" + std::to_string(id)});
}

TEST(RouteInsert, FirstRouteAndAfterAGap)
{
    tvtest::PlanData data;
    const int64_t first = tv::insertRoute(*data.db, std::nullopt, "First");
    EXPECT_EQ(data.routeList(), Strings{"First:1"});
    // Numbers with gaps, as a deleted or imported route leaves them.
    data.addRoute("Imported", 7);
    const int64_t imported = 2;
    tv::insertRoute(*data.db, first, "Second");
    EXPECT_EQ(data.routeList(), (Strings{"First:1", "Second:2", "Imported:3"}));
    tv::insertRoute(*data.db, imported, "Last");
    EXPECT_EQ(data.routeList(), (Strings{"First:1", "Second:2", "Imported:3", "Last:4"}));
}

TEST(RoutePoints, InsertInTheMiddleFirstAndAfterAGap)
{
    tvtest::PlanData data;
    const int64_t r = data.addRoute("R", 1);
    const int64_t p1 = tv::insertRoutePoint(*data.db, r, std::nullopt, wp("P1"));
    EXPECT_EQ(data.pointList(r), Strings{"P1:1"});
    const int64_t p2 = tv::insertRoutePoint(*data.db, r, p1, wp("P2"));
    tv::insertRoutePoint(*data.db, r, p2, wp("P3"));
    tv::insertRoutePoint(*data.db, r, p1, wp("Mid"));
    EXPECT_EQ(data.pointList(r), (Strings{"P1:1", "Mid:2", "P2:3", "P3:4"}));

    const int64_t g = data.addRoute("Gaps", 2);
    const int64_t a = data.addPoint(g, 1, "A", 48, 11);
    data.addPoint(g, 5, "B", 48, 12);
    tv::insertRoutePoint(*data.db, g, a, wp("AfterA"));
    EXPECT_EQ(data.pointList(g), (Strings{"A:1", "AfterA:2", "B:3"}));
    // The copies are taken as given.
    EXPECT_EQ(data.rows("SELECT PointID, Lat FROM GpsPoints WHERE Name = 'AfterA'"),
              Strings{"7:48"});
}

TEST(RoutePoints, DeletingMiddleLastAndOnlyPoint)
{
    tvtest::PlanData data;
    const int64_t r = data.addRoute("R", 1);
    const int64_t p1 = data.addPoint(r, 1, "P1", 48, 11);
    const int64_t p2 = data.addPoint(r, 2, "P2", 48, 12);
    const int64_t p3 = data.addPoint(r, 3, "P3", 48, 13);
    const int64_t p4 = data.addPoint(r, 4, "P4", 48, 14);

    EXPECT_EQ(tv::deleteRoutePoint(*data.db, r, p2), p3);
    EXPECT_EQ(data.pointList(r), (Strings{"P1:1", "P3:2", "P4:3"}));
    EXPECT_EQ(tv::deleteRoutePoint(*data.db, r, p4), p3);
    EXPECT_EQ(data.pointList(r), (Strings{"P1:1", "P3:2"}));
    EXPECT_EQ(tv::deleteRoutePoint(*data.db, r, p1), p3);
    EXPECT_EQ(tv::deleteRoutePoint(*data.db, r, p3), std::nullopt);
    EXPECT_TRUE(data.pointList(r).empty());
}

TEST(RouteDelete, PointsAndRowGoTogetherAndTheNextBecomesCurrent)
{
    tvtest::PlanData data;
    const int64_t a = data.addRoute("A", 1);
    const int64_t b = data.addRoute("B", 2);
    const int64_t c = data.addRoute("C", 3);
    data.addPoint(b, 1, "P", 48, 11);
    EXPECT_EQ(tv::deleteRoute(*data.db, b), c);
    EXPECT_EQ(data.routeList(), (Strings{"A:1", "C:3"})); // the gap stays
    EXPECT_TRUE(data.pointList(b).empty());
    EXPECT_EQ(tv::deleteRoute(*data.db, c), a);
    EXPECT_EQ(tv::deleteRoute(*data.db, a), std::nullopt);
}

TEST(RouteDelete, FailingSecondStatementKeepsBoth)
{
    tvtest::PlanData data;
    const int64_t a = data.addRoute("A", 1);
    data.addPoint(a, 1, "P", 48, 11);
    data.db->Execute("CREATE TRIGGER keep BEFORE DELETE ON Route "
                     "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_THROW(tv::deleteRoute(*data.db, a), tv::DbError);
    EXPECT_EQ(data.routeList(), Strings{"A:1"});
    EXPECT_EQ(data.pointList(a), Strings{"P:1"});
}

TEST(RouteNames, BlankNameIsRefusedInBothLanguages)
{
    EXPECT_FALSE(tv::checkRouteName("Alpen", 0));
    EXPECT_EQ(tv::checkRouteName("", 0)->text, "Bitte eine Streckenbezeichnung eingeben !");
    EXPECT_EQ(tv::checkRouteName(" ", 0)->title, "Eingabefehler");
    EXPECT_EQ(tv::checkRouteName("", 1)->text, "Please enter a route name !");
    EXPECT_EQ(tv::checkRouteName("", 1)->title, "Data error");
}

TEST(CategoryAssignment, ExactlyTheSelectedWaypointsAlsoOfOneName)
{
    tvtest::PlanData data;
    const int64_t a = data.addWaypoint("Alpha", 48, 11);
    const int64_t b1 = data.addWaypoint("Bravo", 48, 12);
    const int64_t b2 = data.addWaypoint("Bravo", 49, 12);
    const int64_t c = data.addWaypoint("O'Brien", 49, 13);
    data.addWaypoint("Delta", 50, 13, "Alt");
    EXPECT_EQ(tv::assignCategory(*data.db, {a, b2, c}, "Seen"), std::nullopt);
    EXPECT_EQ(data.rows("SELECT Name, Kategorie FROM Waypoints ORDER BY PointID"),
              (Strings{"Alpha:Seen", "Bravo:", "Bravo:Seen", "O'Brien:Seen", "Delta:Alt"}));
    (void)b1;
}

TEST(CategoryAssignment, VanishedWaypointStopsAndKeepsTheWritesBefore)
{
    tvtest::PlanData data;
    const int64_t a = data.addWaypoint("Alpha", 48, 11);
    const int64_t b = data.addWaypoint("Bravo", 48, 12);
    EXPECT_EQ(tv::assignCategory(*data.db, {a, 999, b}, "X"), 1u);
    EXPECT_EQ(data.rows("SELECT Name, Kategorie FROM Waypoints ORDER BY PointID"),
              (Strings{"Alpha:X", "Bravo:"}));
}
