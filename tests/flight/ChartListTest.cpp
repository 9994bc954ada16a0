#include "flight/MapOverlay.h"

#include "map/OverlayFixture.h"

#include <gtest/gtest.h>

using namespace overlaytest;

TEST(ChartListNearEdge, TenPixelsFromEachEdgeCount)
{
    EXPECT_TRUE(tv::nearViewEdge(9.9, 250, 1000, 500));
    EXPECT_FALSE(tv::nearViewEdge(10, 250, 1000, 500));
    EXPECT_TRUE(tv::nearViewEdge(500, 9.5, 1000, 500));
    EXPECT_FALSE(tv::nearViewEdge(990, 490, 1000, 500));
    EXPECT_TRUE(tv::nearViewEdge(990.1, 250, 1000, 500));
    EXPECT_TRUE(tv::nearViewEdge(500, 490.1, 1000, 500));
}

TEST(ChartListNearEdge, AircraftInSightWithinFivePixelsOutside)
{
    EXPECT_TRUE(tv::aircraftInSight(-5, 250, 1000, 500));
    EXPECT_FALSE(tv::aircraftInSight(-6, 250, 1000, 500));
    EXPECT_TRUE(tv::aircraftInSight(1005, 505, 1000, 500));
    EXPECT_FALSE(tv::aircraftInSight(1006, 250, 1000, 500));
    EXPECT_FALSE(tv::aircraftInSight(500, 505.5, 1000, 500));
}

TEST(ChartsContainingTheAircraft, ActiveChartsWhoseEdgesHoldThePositionEdgesIncluded)
{
    DataFolder data;
    data.addChart("Nord.jpg", 48.30, 49.30, 9.00, 11.00);
    data.addChart("Süd.jpg", 47.30, 48.30, 9.00, 11.00);
    data.addChart("O'Brien's.jpg", 48.00, 49.00, 10.00, 12.00);
    data.addChart("Alt.jpg", 48.00, 49.00, 9.00, 11.00, false);
    // 48°30' N 10°15' E lies on the edge between Nord and Süd and inside O'Brien's.
    const auto names = tv::chartsContaining(*data.main, 48.30, 10.15);
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0], QStringLiteral("Nord.jpg"));
    EXPECT_EQ(names[1], QStringLiteral("Süd.jpg"));
    EXPECT_EQ(names[2], QStringLiteral("O'Brien's.jpg"));
    EXPECT_TRUE(tv::chartsContaining(*data.main, 50.00, 10.00).empty());
}
