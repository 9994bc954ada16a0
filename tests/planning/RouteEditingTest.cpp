#include "route/RouteEditing.h"
#include "PlanData.h"
#include "planning/CategoryAssign.h"
#include "planning/RouteName.h"
#include "platform/DbError.h"

#include <gtest/gtest.h>

using Strings = std::vector<std::string>;

TEST(RouteInsert, NewRouteGoesDirectlyAfterTheCurrentOne)
{
    tvtest::PlanData data;
    const int64_t a = data.addRoute("A", 1);
    data.addRoute("B", 2);
    data.addRoute("C", 3);
    const int64_t id = tv::insertRouteAfter(*data.db, a, "New");
    EXPECT_EQ(data.routeList(), (Strings{"A:1", "New:2", "B:3", "C:4"}));
    EXPECT_EQ(data.rows("SELECT Name, RouteID FROM Route WHERE RouteID = ?", {id}),
              Strings{"New:" + std::to_string(id)});
}

TEST(RouteInsert, FirstRouteAndAfterAGap)
{
    tvtest::PlanData data;
    const int64_t first = tv::insertRouteAfter(*data.db, std::nullopt, "First");
    EXPECT_EQ(data.routeList(), Strings{"First:1"});
    // Numbers with gaps, as a deleted or imported route leaves them.
    data.addRoute("Imported", 7);
    const int64_t imported = 2;
    tv::insertRouteAfter(*data.db, first, "Second");
    EXPECT_EQ(data.routeList(), (Strings{"First:1", "Second:2", "Imported:3"}));
    tv::insertRouteAfter(*data.db, imported, "Last");
    EXPECT_EQ(data.routeList(), (Strings{"First:1", "Second:2", "Imported:3", "Last:4"}));
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
