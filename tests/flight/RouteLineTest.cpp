#include "flight/RouteNav.h"
#include "map/DrawSurface.h"
#include "map/MapView.h"
#include "support/BgrColours.h"
#include "support/ChartRows.h"
#include "support/PixelProbe.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>

using namespace tv;
using tvtest::chartRow;

namespace {

using tvtest::bgr::kWhite;

// A chart of 48-49° N, 11-12° E, 1000 x 800 pixels, in a 500 x 400 map at a zoom (slider).
class RouteLineOnMap : public ::testing::Test
{
protected:
    void showChart(int slider)
    {
        view = MapView();
        view.setViewSize(500, 400);
        const ChartRow row =
            chartRow({.south = 48.00, .north = 49.00, .west = 11.00, .east = 12.00}, 1000, 800);
        QImage image(1000, 800, QImage::Format_RGB32);
        ASSERT_EQ(view.loadChart(row, image), MapView::LoadResult::Loaded);
        view.setSliderValue(slider);
        view.applyZoom();
        map = DrawSurface(500, 400, kWhite);
    }

    int64_t colourAt(GeoPos p) const
    {
        const QPointF px = *view.positionToView(p);
        return map.Point(px.x(), px.y());
    }

    MapView view;
    DrawSurface map;
};

} // namespace

TEST_F(RouteLineOnMap, RouteLineJoinsConsecutivePointsOnly)
{
    showChart(100);
    // Two legs of a triangle; its closing side is no part of the route.
    const std::vector<RoutePoint> route{
        {1, 1, "A", 48.12, 11.12}, {2, 2, "B", 48.48, 11.12}, {3, 3, "C", 48.48, 11.48}};
    drawRouteLine(map, view, route);
    EXPECT_EQ(colourAt({48.5, 11.2}), kRouteLineColour); // A-B
    EXPECT_EQ(colourAt({48.8, 11.5}), kRouteLineColour); // B-C
    EXPECT_EQ(colourAt({48.5, 11.5}), kWhite);           // middle of C-A
    EXPECT_EQ(map.DrawWidth(), 1);
}

TEST_F(RouteLineOnMap, LegsThickenAsTheMapIsEnlarged)
{
    // 6 - slider / 50, halves to even: 4 at 100, 6 at 25 (5.5), 4 at 75 (4.5), 6 at 0.
    for (const auto& [slider, width] : {std::pair{100, 4}, {25, 6}, {75, 4}, {0, 6}}) {
        showChart(slider);
        ASSERT_TRUE(drawRouteLeg(map, view, {48.9, 11.05}, {48.9, 11.15}, kGuideLineColour));
        const double x = std::floor(view.positionToView({48.9, 11.1})->x());
        EXPECT_EQ(tvtest::countColour(map, QRect(int(x), 0, 1, map.heightPx()), kGuideLineColour),
                  width)
            << "slider " << slider;
    }
}
