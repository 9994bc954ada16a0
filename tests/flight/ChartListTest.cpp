#include "flight/MapOverlay.h"

#include "map/OverlayFixture.h"

#include <gtest/gtest.h>

using tv::ChartListUpdate;
using namespace overlaytest;

namespace {

std::vector<QString> charts(std::initializer_list<const char*> names)
{
    std::vector<QString> list;
    for (const char* n : names)
        list.push_back(QString::fromUtf8(n));
    return list;
}

} // namespace

TEST(ChartListUnderAircraft, SecondOfThreeChartsShowsCounterAndNamesTheThird)
{
    const ChartListUpdate u = tv::updateChartList(charts({"a.jpg", "b.jpg", "c.jpg"}),
                                                  QStringLiteral("b.jpg"), QString(), false);
    EXPECT_EQ(u.entries.size(), 3u);
    EXPECT_EQ(u.mapListIndex, 1);
    EXPECT_EQ(u.mapNumberCaption, QStringLiteral("2 / 3"));
    EXPECT_EQ(u.nextMap, QStringLiteral("c.jpg"));
    EXPECT_TRUE(u.showMapNumber);
    EXPECT_TRUE(u.showNextMap);
    EXPECT_FALSE(u.switchTo);
}

TEST(ChartListUnderAircraft, NearTheEdgeTheChartNamedByTheHintIsShownAndTheNextCycles)
{
    const ChartListUpdate u =
        tv::updateChartList(charts({"a.jpg", "b.jpg", "c.jpg"}), QStringLiteral("b.jpg"),
                            QStringLiteral("c.jpg"), true);
    ASSERT_TRUE(u.switchTo);
    EXPECT_EQ(*u.switchTo, QStringLiteral("c.jpg"));
    EXPECT_EQ(u.mapListIndex, 2);
    EXPECT_EQ(u.mapNumberCaption, QStringLiteral("3 / 3"));
    EXPECT_EQ(u.nextMap, QStringLiteral("a.jpg"));
}

TEST(ChartListUnderAircraft, TwoChartsShowTheHintButNoCounter)
{
    const ChartListUpdate u =
        tv::updateChartList(charts({"a.jpg", "b.jpg"}), QStringLiteral("a.jpg"), QString(), false);
    EXPECT_TRUE(u.showNextMap);
    EXPECT_FALSE(u.showMapNumber);
    EXPECT_EQ(u.nextMap, QStringLiteral("b.jpg"));
}

TEST(ChartListUnderAircraft, OneChartNearTheEdgeDoesNotReloadItself)
{
    const ChartListUpdate u = tv::updateChartList(charts({"a.jpg"}), QStringLiteral("a.jpg"),
                                                  QStringLiteral("a.jpg"), true);
    EXPECT_FALSE(u.showNextMap);
    EXPECT_FALSE(u.showMapNumber);
    EXPECT_FALSE(u.switchTo);
    EXPECT_EQ(u.nextMap, QStringLiteral("a.jpg"));
    const ChartListUpdate empty =
        tv::updateChartList(charts({"a.jpg"}), QStringLiteral("a.jpg"), QString(), true);
    EXPECT_FALSE(empty.switchTo);
}

TEST(ChartListUnderAircraft, ShownChartNotUnderTheAircraftCountsAsZero)
{
    const ChartListUpdate u = tv::updateChartList(charts({"a.jpg", "b.jpg", "c.jpg"}),
                                                  QStringLiteral("x.jpg"), QString(), false);
    EXPECT_EQ(u.mapListIndex, -1);
    EXPECT_EQ(u.mapNumberCaption, QStringLiteral("0 / 3"));
    EXPECT_EQ(u.nextMap, QStringLiteral("a.jpg"));
}

TEST(ChartListUnderAircraft, ChartNamesMatchIgnoringCase)
{
    const ChartListUpdate u = tv::updateChartList(charts({"Nord.jpg", "Süd.jpg"}),
                                                  QStringLiteral("SÜD.JPG"), QString(), false);
    EXPECT_EQ(u.mapListIndex, 1);
}

TEST(ChartListUnderAircraft, NoChartUnderTheAircraftEmptiesOnlyTheList)
{
    const ChartListUpdate u =
        tv::updateChartList({}, QStringLiteral("a.jpg"), QStringLiteral("b.jpg"), true);
    EXPECT_TRUE(u.entries.empty());
    EXPECT_FALSE(u.switchTo);
    EXPECT_FALSE(u.showNextMap);
}

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
