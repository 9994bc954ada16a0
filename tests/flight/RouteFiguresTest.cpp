#include "support/QtPrint.h"

#include "flight/RouteNav.h"

#include <gtest/gtest.h>

using namespace tv;

namespace {

// Due north from 48°00' 11°00' with legs of 10, 20 and 15 NM; GpsPoints ids 101 to 104.
std::vector<RoutePoint> fortyFiveMileRoute()
{
    return {{101, 1, "P1", 48.00, 11.00},
            {102, 2, "P2", 48.10, 11.00},
            {103, 3, "P3", 48.30, 11.00},
            {104, 4, "P4", 48.45, 11.00}};
}

} // namespace

TEST(RouteFigures, LengthAndTheRestFromEachTargetPoint)
{
    const auto route = fortyFiveMileRoute();
    EXPECT_EQ(routeLengthText(routeFigures(route, 101).totalNm), "45");
    EXPECT_NEAR(routeFigures(route, 101).restNm, 45.0, 1e-6); // first point: all of it
    EXPECT_NEAR(routeFigures(route, 102).restNm, 35.0, 1e-6);
    EXPECT_NEAR(routeFigures(route, 104).restNm, 0.0, 1e-9); // last point
    EXPECT_NEAR(routeFigures(route, std::nullopt).restNm, 45.0, 1e-6);
}

TEST(RouteFigures, RouteOfOnePointHasAnEmptyLength)
{
    EXPECT_EQ(routeLengthText(routeFigures({fortyFiveMileRoute()[0]}, 101).totalNm), "");
}

TEST(RouteFigures, RemainingDistanceAddsTheTargetDistanceOnlyWithAFix)
{
    const RouteFigures f{45.0, 35.0};
    EXPECT_EQ(remainingDistanceText(f, true, 2.3, false, QString()), "37.3 NM");
    EXPECT_EQ(remainingDistanceText(f, false, 2.3, false, QString()), "35.0 NM");
    EXPECT_EQ(remainingDistanceText(f, true, 2.3, true, QStringLiteral("12.5 NM")), "12.5 NM");
}
