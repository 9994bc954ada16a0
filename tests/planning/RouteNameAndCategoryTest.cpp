// Plan mode's own rules beside route editing: route names and category assignment.
#include "PlanData.h"
#include "planning/CategoryAssign.h"
#include "planning/RouteName.h"

#include <gtest/gtest.h>

using Strings = std::vector<std::string>;

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
