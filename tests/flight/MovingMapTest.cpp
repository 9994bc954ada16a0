#include "flight/MapOverlay.h"

#include "map/OverlayFixture.h"

#include <gtest/gtest.h>

#include <stdexcept>

using tv::OverlayInputs;
using tv::OverlayResult;
using tv::OverlayState;
using namespace overlaytest;

namespace {

// A flight map over the test chart with the data files of a program folder.
class MovingMap : public ::testing::Test
{
protected:
    MovingMap()
    {
        data.addChart("test.jpg", 48.00, 49.00, 9.00, 11.00);
        in.chart = testChart();
        in.noFix = false;
        in.planeSymbol = 1;
        in.modes.aptDataAvailable = true;
        aircraftAt(800, 400);
    }

    void aircraftAt(double x, double y) { in.aircraft = positionAt(x, y); }

    // Drawn as the flight map's layer stack draws it.
    OverlayResult draw()
    {
        layer.prepare(in, data.main.get(), data.airports.get());
        layer.draw(pic, view);
        return layer.result();
    }

    void waypointAt(const std::string& name, double x, double y)
    {
        data.addWaypoint(name, latAt(y), lonAt(x));
    }

    // A point of the chosen route as the route grid holds it, at DD.MM.
    void routePoint(int64_t pointId, const char* name, double latDDMM, double lonDDMM)
    {
        in.routePoints.push_back({pointId, pointId, QString::fromUtf8(name), latDDMM, lonDDMM});
    }

    void airport(const std::string& icao, double x, double y)
    {
        waypointAt(icao, x, y);
        data.addAirport(icao, 1000, 0);
        data.addRunway(icao, "09/27", "090", "0", 1000);
    }

    DataFolder data;
    tv::MapView view = loadedView();
    tv::DrawSurface pic = mapPicture();
    tv::MovingMapLayer layer;
    OverlayState& state = layer.state;
    OverlayInputs in;
};

} // namespace

TEST_F(MovingMap, WaypointIsDrawnAtItsPixelWithItsName)
{
    waypointAt("Kirchheim", 300, 200);
    in.layers.ShowWayInfo = true;
    const OverlayResult r = draw();
    EXPECT_TRUE(r.drawn);
    EXPECT_EQ(pic.Point(305, 200), kRed);
    EXPECT_EQ(pic.Point(301, 200), kBlack);
    EXPECT_GT(countColour(pic, QRect(310, 193, 80, 16), kBlack), 5);
}

TEST_F(MovingMap, WaypointNamesWithApostrophesAreDrawn)
{
    waypointAt("O'Neil's Farm", 300, 200);
    draw();
    EXPECT_EQ(pic.Point(305, 200), kRed);
}

TEST_F(MovingMap, AircraftIsDrawnLastOverAWaypointAtTheSamePlace)
{
    waypointAt("Kirchheim", 300, 200);
    aircraftAt(300, 200);
    const OverlayResult r = draw();
    EXPECT_TRUE(r.aircraftDrawn);
    EXPECT_EQ(pic.Point(300, 200), kGreen);
    EXPECT_EQ(pic.Point(300, 206), kDotRing);
    EXPECT_NEAR(state.PlaneX, 300.0, 1e-6);
    EXPECT_NEAR(state.PlaneY, 200.0, 1e-6);
}

TEST_F(MovingMap, FaultyAirportRowsDoNotStopTheOtherPoints)
{
    airport("EDMA", 200, 100);
    waypointAt("EDNO", 400, 100); // airport without runways or stations
    data.addAirport("EDNO", tv::Value(), tv::Value());
    waypointAt("EDHD", 600, 100); // runway without designation, heading not a number
    data.addAirport("EDHD", 700, 0);
    data.addRunway("EDHD", tv::Value(), "abc", "0", 700);
    waypointAt("ZZZZ", 800, 100); // four letters, no airport
    airport("O'HA", 200, 300);
    in.layers.ShowAPT1 = true;
    in.layers.ShowAPT2 = true;
    aircraftAt(500, 400);

    const OverlayResult r = draw();
    EXPECT_EQ(pic.Point(200, 90), kNavy);
    EXPECT_EQ(pic.Point(205, 100), kLightGrey);
    EXPECT_EQ(pic.Point(400, 90), kNavy);
    EXPECT_EQ(pic.Point(600, 90), kNavy);
    EXPECT_EQ(pic.Point(605, 100), kWhite);
    EXPECT_EQ(pic.Point(805, 100), kRed);
    EXPECT_EQ(pic.Point(200, 290), kNavy);
    EXPECT_TRUE(r.aircraftDrawn);
    EXPECT_EQ(pic.Point(500, 400), kGreen);
}

TEST_F(MovingMap, BrokenAirportFileDrawsAirportsAsWaypointsAndGoesOn)
{
    airport("EDMA", 200, 100);
    data.airports->Execute("DROP TABLE RWY");
    in.layers.ShowAPT1 = true;
    const OverlayResult r = draw();
    EXPECT_EQ(pic.Point(205, 100), kRed);
    EXPECT_TRUE(r.aircraftDrawn);
}

TEST_F(MovingMap, BrokenWaypointTableStillDrawsTheAircraft)
{
    data.main->Execute("DROP TABLE Waypoints");
    const OverlayResult r = draw();
    EXPECT_TRUE(r.aircraftDrawn);
    EXPECT_EQ(pic.Point(800, 400), kGreen);
}

TEST_F(MovingMap, NothingIsDrawnWithoutActiveCharts)
{
    waypointAt("Kirchheim", 300, 200);
    in.chart.reset();
    const OverlayResult r = draw();
    EXPECT_FALSE(r.drawn);
    EXPECT_EQ(countInk(pic, QRect(0, 0, 1000, 500)), 0);
}

TEST_F(MovingMap, NothingIsDrawnOnAChartThatIsNotValid)
{
    waypointAt("Kirchheim", 300, 200);
    tv::ChartRow flat = testChart();
    flat.northDDMM = flat.southDDMM;
    in.chart = flat;
    EXPECT_FALSE(draw().drawn);
    // A chart row that the view was not loaded from (the load failed half-way).
    tv::ChartRow other = testChart();
    other.eastDDMM = 12.00;
    in.chart = other;
    EXPECT_FALSE(draw().drawn);
    in.chart = testChart();
    in.chartLoaded = false;
    EXPECT_FALSE(draw().drawn);
    EXPECT_EQ(countInk(pic, QRect(0, 0, 1000, 500)), 0);
}

TEST_F(MovingMap, AircraftOffTheChartSwitchesCentringOff)
{
    view.setCentredOnAircraft(true);
    in.aircraft = {48.5, 8.99};
    const OverlayResult r = draw();
    EXPECT_TRUE(r.offChart);
    EXPECT_FALSE(view.centredOnAircraft());
}

TEST_F(MovingMap, AircraftFivePixelsOutsideTheViewIsDrawnSixIsNot)
{
    aircraftAt(-5, 250);
    EXPECT_TRUE(draw().aircraftDrawn);
    aircraftAt(-6, 250);
    const OverlayResult r = draw();
    EXPECT_FALSE(r.aircraftDrawn);
    EXPECT_FALSE(r.hideHints);
}

TEST_F(MovingMap, WithChartSteppingOnTheAircraftIsDrawnWhereverItIs)
{
    in.mapScroll = true;
    aircraftAt(-50, 250);
    EXPECT_TRUE(draw().aircraftDrawn);
}

TEST_F(MovingMap, RoutePointsOnlyWithoutARouteDrawsOnlyTargetAndAircraft)
{
    waypointAt("Kirchheim", 300, 200);
    in.modes.routePointsOnly = true;
    in.directTarget = {latAt(100), lonAt(600)};
    const OverlayResult r = draw();
    EXPECT_EQ(pic.Point(305, 200), kWhite);
    EXPECT_EQ(pic.Point(605, 100), kYellow);
    EXPECT_TRUE(r.aircraftDrawn);
}

TEST_F(MovingMap, RoutePointsOnlyMarksTheActivePointBlueOverTheAirports)
{
    waypointAt("Kirchheim", 300, 200); // not on the route: left out
    airport("EDMA", 200, 100);
    const int64_t route = data.addRoute("Alpen");
    routePoint(11, "EDMA", latAt(100), lonAt(200));
    routePoint(12, "Wendepunkt", latAt(300), lonAt(400));
    routePoint(13, "Ziel", latAt(300), lonAt(600));
    in.modes.routePointsOnly = true;
    in.layers.ShowAPT1 = true;
    in.routeId = tv::Value(route);
    in.activePoint = tv::ActivePoint{QStringLiteral("Wendepunkt"), 12};

    draw();
    EXPECT_EQ(pic.Point(305, 200), kWhite);
    EXPECT_EQ(pic.Point(200, 90), kNavy);  // the airport ring
    EXPECT_EQ(pic.Point(205, 100), kRed);  // the route point over its runway bar
    EXPECT_EQ(pic.Point(405, 300), kBlue); // active target
    EXPECT_EQ(pic.Point(605, 300), kRed);
}

TEST_F(MovingMap, ActivePointIsFoundByItsWaypointKeyToo)
{
    const int64_t route = data.addRoute("Alpen");
    routePoint(11, "Start", latAt(300), lonAt(400));
    routePoint(12, "Ziel", latAt(300), lonAt(600));
    in.modes.routePointsOnly = true;
    in.routeId = tv::Value(route);
    in.activePoint = tv::ActivePoint{QStringLiteral("renamed"), 12};
    draw();
    EXPECT_EQ(pic.Point(405, 300), kRed);
    EXPECT_EQ(pic.Point(605, 300), kBlue);
}

TEST_F(MovingMap, RoutePointsAreNotDrawnWhileTheRouteGridIsEmpty)
{
    const int64_t route = data.addRoute("Alpen");
    routePoint(11, "Start", latAt(300), lonAt(400));
    in.modes.routePointsOnly = true;
    in.routeId = tv::Value(route);
    draw();
    EXPECT_EQ(pic.Point(405, 300), kWhite);
}

TEST_F(MovingMap, DirectFlightTargetIsAYellowRing)
{
    in.directTarget = {latAt(100), lonAt(600)};
    draw();
    EXPECT_EQ(pic.Point(605, 100), kYellow);
}

TEST_F(MovingMap, RouteLineAndGuideLineAreDrawnUnderThePointsWhenSwitchedOn)
{
    // The route runs along the row y = 200 through a waypoint; the guide line from the target
    // at (300, 400) to the aircraft at (800, 400).
    waypointAt("Kirchheim", 300, 200);
    const auto routePoint = [](double x, double y) {
        tv::RoutePoint p;
        p.latDdmm = latAt(y);
        p.longDdmm = lonAt(x);
        return p;
    };
    struct Case
    {
        const char* what;
        bool showRoute;
        bool navigating;
        uint32_t onRoute;
        uint32_t onGuide;
    };
    const Case cases[] = {
        {"both off", false, false, kWhite, kWhite},
        {"route line on", true, false, kNavy, kWhite},
        {"navigating", false, true, kWhite, kBlue},
        {"both on", true, true, kNavy, kBlue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        pic = mapPicture();
        in.layers.ShowRoute = c.showRoute;
        in.navigating = c.navigating;
        in.routePoints = {routePoint(100, 200), routePoint(700, 200)};
        in.guideTarget = positionAt(300, 400);
        const OverlayResult r = draw();
        EXPECT_EQ(pic.Point(500, 200), c.onRoute);
        EXPECT_EQ(pic.Point(305, 200), kRed); // the waypoint over the route line
        EXPECT_EQ(pic.Point(550, 400), c.onGuide);
        // The target figures are the window's to work out once the redraw is over.
        EXPECT_EQ(r.navigationDue, c.navigating);
        EXPECT_TRUE(r.aircraftDrawn);
    }
}

TEST_F(MovingMap, NavigatingWithoutATargetDrawsNoGuideLine)
{
    in.navigating = true;
    in.guideTarget.reset();
    const OverlayResult r = draw();
    EXPECT_TRUE(r.navigationDue);
    EXPECT_EQ(countColour(pic, QRect(0, 390, 780, 20), kBlue), 0);
}

TEST_F(MovingMap, ChartSteppingListsTheChartsUnderTheAircraft)
{
    data.addChart("west.jpg", 48.00, 49.00, 8.00, 10.00);
    data.addChart("elsewhere.jpg", 40.00, 41.00, 8.00, 10.00);
    in.mapScroll = true;
    aircraftAt(500, 250);
    const OverlayResult r = draw();
    EXPECT_TRUE(r.hideHints);
    ASSERT_TRUE(r.chartsUnderAircraft);
    EXPECT_EQ(*r.chartsUnderAircraft,
              (std::vector<QString>{QStringLiteral("test.jpg"), QStringLiteral("west.jpg")}));
    EXPECT_FALSE(r.atViewEdge);
}

TEST_F(MovingMap, NearTheViewEdgeTheAircraftIsAtTheEdge)
{
    data.addChart("west.jpg", 48.00, 49.00, 8.00, 10.00);
    in.mapScroll = true;
    aircraftAt(5, 250);
    const OverlayResult r = draw();
    ASSERT_TRUE(r.chartsUnderAircraft);
    EXPECT_EQ(r.chartsUnderAircraft->size(), 2u);
    EXPECT_TRUE(r.atViewEdge);
    EXPECT_TRUE(r.aircraftDrawn);
}

TEST_F(MovingMap, NoChartListWhileSteppingIsOff)
{
    data.addChart("west.jpg", 48.00, 49.00, 8.00, 10.00);
    aircraftAt(5, 250);
    const OverlayResult r = draw();
    EXPECT_FALSE(r.chartsUnderAircraft);
    EXPECT_TRUE(r.hideHints);
}

TEST_F(MovingMap, AircraftAwayFromTheEdgeIsNotAtTheEdge)
{
    data.addChart("west.jpg", 48.00, 49.00, 8.00, 10.00);
    in.mapScroll = true;
    aircraftAt(500, 250);
    EXPECT_FALSE(draw().atViewEdge);
}

TEST_F(MovingMap, ChartRowIsReadFromTheActiveChartsAndMatchesTheLoadedView)
{
    tv::Recordset maps;
    maps.Open("SELECT * FROM Maps WHERE Active <> 0 ORDER BY Name", *data.main);
    const tv::ChartRow row = tv::readChartRow(maps);
    ASSERT_TRUE(row.heightPx);
    EXPECT_EQ(*row.heightPx, 1000.0);
    EXPECT_EQ(*row.eastDDMM, 11.00);
    EXPECT_TRUE(tv::viewShowsChart(view, row));
    tv::MapView unloaded;
    EXPECT_FALSE(tv::viewShowsChart(unloaded, row));
}
