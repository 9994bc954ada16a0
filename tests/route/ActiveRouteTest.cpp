// The route being flown, without a window: choosing and reselecting a route, stepping along its
// points, and what ends route navigation.
#include "route/ActiveRoute.h"

#include "RouteFixture.h"
#include "platform/Recordset.h"

#include <gtest/gtest.h>

using tv::ActiveRoute;
using tv::StepResult;

namespace {

class ActiveRouteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        first = data.addRoute("Stuttgart - Augsburg", 1);
        data.addPoint(first, 1, "EDDS", 48.41, 9.13, 11);
        data.addPoint(first, 2, "ULM", 48.23, 9.59, 12);
        data.addPoint(first, 3, "EDMA", 48.25, 10.53, 13);
        second = data.addRoute("Augsburg - Stuttgart", 2);
        data.addPoint(second, 1, "EDMA", 48.25, 10.53, 13);
        data.addPoint(second, 2, "EDDS", 48.41, 9.13, 11);
        empty = data.addRoute("leer", 3);
    }

    QString target() const { return route.targetPoint() ? route.targetPoint()->name : QString(); }

    tvtest::RouteData data;
    ActiveRoute route;
    int64_t first = 0;
    int64_t second = 0;
    int64_t empty = 0;
};

TEST_F(ActiveRouteTest, RefreshChoosesTheRouteShownBefore)
{
    struct Case
    {
        const char* label;
        std::optional<int64_t> key;
        QString name;
        QString expectedRoute;
    };
    const Case cases[] = {
        {"by its key", second, QStringLiteral("Stuttgart - Augsburg"),
         QStringLiteral("Augsburg - Stuttgart")},
        {"by its name when no key is known (after the start)", std::nullopt,
         QStringLiteral("Augsburg - Stuttgart"), QStringLiteral("Augsburg - Stuttgart")},
        {"the first route when the key is gone", 9999, QString(),
         QStringLiteral("Stuttgart - Augsburg")},
        {"the first route when the name is unknown", std::nullopt, QStringLiteral("?"),
         QStringLiteral("Stuttgart - Augsburg")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const ActiveRoute::Choice choice = route.refresh(*data.db, c.key, c.name);
        ASSERT_EQ(choice.entries.size(), 3u);
        EXPECT_EQ(choice.entries[static_cast<size_t>(choice.chosen)].name, c.expectedRoute);
        EXPECT_TRUE(choice.hasPoints);
        EXPECT_EQ(route.chosenRouteId(),
                  choice.entries[static_cast<size_t>(choice.chosen)].routeId);
    }
}

TEST_F(ActiveRouteTest, RefreshSeesRoutesAddedSinceTheLastOne)
{
    route.refresh(*data.db, first, QString());
    data.addRoute("neu", 4);
    EXPECT_EQ(route.refresh(*data.db, first, QString()).entries.size(), 4u);
}

TEST_F(ActiveRouteTest, ChoosingARouteWithoutPointsEndsRouteNavigation)
{
    route.refresh(*data.db, first, QString());
    ASSERT_TRUE(route.startNavigation());
    const ActiveRoute::Choice choice = route.refresh(*data.db, empty, QString());
    EXPECT_FALSE(choice.hasPoints);
    EXPECT_FALSE(route.followingRoute());
    EXPECT_FALSE(route.startNavigation());
}

TEST_F(ActiveRouteTest, WithoutRoutesThePointsAreAnOpenEmptySet)
{
    data.db->Execute("DELETE FROM GpsPoints");
    data.db->Execute("DELETE FROM Route");
    const ActiveRoute::Choice choice = route.refresh(*data.db, std::nullopt, QString());
    EXPECT_TRUE(choice.entries.empty());
    EXPECT_TRUE(route.pointsOpen());
    EXPECT_FALSE(route.hasPoints());
    EXPECT_FALSE(route.targetPoint());
}

TEST_F(ActiveRouteTest, TargetComesBackByItsWaypointAfterARefresh)
{
    route.refresh(*data.db, first, QString());
    route.restoreTarget(13); // EDMA
    EXPECT_EQ(target(), "EDMA");
    route.restoreTarget(99); // a waypoint the route no longer has
    EXPECT_EQ(target(), "EDDS");
}

TEST_F(ActiveRouteTest, AdvancingPastTheLastPointEndsRouteNavigation)
{
    route.refresh(*data.db, first, QString());
    ASSERT_TRUE(route.startNavigation());
    EXPECT_EQ(route.advance(), StepResult::Moved);
    EXPECT_EQ(target(), "ULM");
    EXPECT_EQ(route.advance(), StepResult::Moved);
    EXPECT_TRUE(route.followingRoute());
    EXPECT_EQ(route.advance(), StepResult::AtLastEnd);
    EXPECT_FALSE(route.followingRoute());
    EXPECT_EQ(target(), "EDMA");
}

TEST_F(ActiveRouteTest, GoingBackStopsAtTheFirstPoint)
{
    route.refresh(*data.db, first, QString());
    route.advance();
    EXPECT_EQ(route.back(), StepResult::Moved);
    EXPECT_EQ(route.back(), StepResult::AtFirst);
    EXPECT_EQ(target(), "EDDS");
}

TEST_F(ActiveRouteTest, ChoosingARouteByKeyOpensItsPoints)
{
    route.refresh(*data.db, first, QString());
    EXPECT_TRUE(route.choose(*data.db, second));
    EXPECT_EQ(route.pointSet().RecordCount(), 2);
    EXPECT_EQ(target(), "EDMA");
    EXPECT_FALSE(route.choose(*data.db, 9999));
    EXPECT_EQ(route.chosenRouteId(), second);
}

TEST_F(ActiveRouteTest, DirectFlightKeepsTheFiguresUpWithoutRouteNavigation)
{
    route.refresh(*data.db, first, QString());
    EXPECT_FALSE(route.navigating());
    route.startDirectFlight();
    EXPECT_TRUE(route.navigating());
    route.stopDirectFlight();
    route.startNavigation();
    EXPECT_TRUE(route.navigating());
}

} // namespace
