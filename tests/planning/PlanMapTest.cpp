#include "planning/PlanMap.h"
#include "PlanData.h"
#include "map/ActiveCharts.h"
#include "map/DrawSurface.h"
#include "planning/PlanText.h"
#include "platform/Recordset.h"
#include "route/RouteData.h"
#include "support/ChartRows.h"
#include "support/GuiApp.h"
#include "support/HeldDataFile.h"
#include "support/PixelProbe.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>

using tv::ChartRow;
using tv::DDMMPoint;
using tv::PlanMap;
using tvtest::chartRow;

namespace {

constexpr uint32_t kChartColour = 0xE0E0E0;

QImage plainChart(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(tv::vbColor(kChartColour));
    return image;
}

// 10°00' E to 12°00' E and 47°00' N to 48°00' N, 1000 x 500 pixels: 50 image pixels per 0.1
// degree both ways. A map of 500 x 250 pixels at zoom 0 shows the left half of the top half
// one to one, so map pixels are image pixels.
ChartRow alpineChart()
{
    return chartRow({.south = 47.00, .north = 48.00, .west = 10.00, .east = 12.00}, 1000, 500);
}

PlanMap loadedMap()
{
    PlanMap map;
    map.resize(500, 250);
    EXPECT_TRUE(map.loadChart(alpineChart(), plainChart(1000, 500)));
    return map;
}

uint32_t at(const PlanMap& map, double x, double y)
{
    return static_cast<uint32_t>(map.surface().Point(x, y));
}

// Number of route-coloured pixels in the column x around y.
int lineThickness(const PlanMap& map, int x, int y)
{
    return tvtest::thicknessAt(map.surface(), x, y, tv::kPlanRouteColour);
}

} // namespace

TEST(PlanMapView, SliderClicksInTwips)
{
    const PlanMap map = loadedMap();
    EXPECT_EQ(map.view().sliderValueFromClick(3601), 100);
    EXPECT_EQ(map.view().sliderValueFromClick(3600), 86);
    EXPECT_EQ(map.view().sliderValueFromClick(199), -100);
    EXPECT_EQ(map.view().sliderValueFromClick(1940), 0);
    EXPECT_EQ(map.sliderValueFromClickPx(240.1), 100); // 15 twips per pixel
}

TEST(PlanMapView, PanStopsAtTheChartEdges)
{
    PlanMap map = loadedMap();
    map.view().press(250, 100);
    map.view().dragTo(-5000, 100); // dragging left shows more of the right
    EXPECT_FLOAT_EQ(map.view().sourceX() + map.view().sourceWidth(), 1000.0f);
    map.view().press(0, 0);
    map.view().dragTo(5000, 5000);
    EXPECT_FLOAT_EQ(map.view().sourceX(), 0.0f);
    EXPECT_FLOAT_EQ(map.view().sourceY(), 0.0f);
    map.setZoom(100);
    const float sx = map.view().sourceX();
    map.view().press(0, 0);
    EXPECT_FALSE(map.view().dragTo(-100, 0)); // whole width shown: no pan
    EXPECT_FLOAT_EQ(map.view().sourceX(), sx);
}

TEST(PlanMapView, CursorReadOutSouthOfTheEquatorIsNegative)
{
    PlanMap map;
    map.resize(500, 250);
    const ChartRow row =
        chartRow({.south = -34.00, .north = -33.00, .west = -71.00, .east = -70.00}, 500, 500);
    ASSERT_TRUE(map.loadChart(row, plainChart(500, 500)));
    // Zoom 0 shows 250 x 125 image pixels, a quarter degree across: (0, 0) is 33°00' S
    // 71°00' W, the map's bottom-right corner 33°15' S 70°45' W.
    const auto topLeft = map.positionAt(0, 0);
    ASSERT_TRUE(topLeft);
    EXPECT_NEAR(topLeft->lat, -33.00, 1e-9);
    EXPECT_NEAR(topLeft->lon, -71.00, 1e-9);
    const auto p = map.positionAt(250, 250);
    ASSERT_TRUE(p);
    EXPECT_NEAR(p->lat, -33.15, 1e-9);
    EXPECT_NEAR(p->lon, -70.45, 1e-9);
}

TEST(PlanMapView, BadChartsGiveTheMapErrorAndABlankMap)
{
    PlanMap map = loadedMap();
    map.RedrawMap({});
    ASSERT_EQ(at(map, 10, 10), kChartColour);

    ChartRow sameEdges = alpineChart();
    sameEdges.eastDDMM = sameEdges.westDDMM;
    EXPECT_FALSE(map.loadChart(sameEdges, plainChart(1000, 500)));
    EXPECT_FALSE(map.hasChart());
    map.RedrawMap({});
    EXPECT_NE(at(map, 10, 10), kChartColour);

    ASSERT_TRUE(map.loadChart(alpineChart(), plainChart(1000, 500)));
    EXPECT_FALSE(map.loadChart(alpineChart(), QImage())); // the picture did not load
    map.RedrawMap({});
    EXPECT_NE(at(map, 10, 10), kChartColour);
    EXPECT_TRUE(std::isfinite(map.view().sourceWidth()));

    const tv::ChartMessage en = tv::chartErrorMessage("O'Brien.jpg", false);
    EXPECT_EQ(en.text, QStringLiteral("Map error: O'Brien.jpg - please check coordinates."));
    EXPECT_EQ(en.title, QStringLiteral("Map error"));
    EXPECT_EQ(tv::chartErrorMessage("a.bmp", true).title, QStringLiteral("Fehler in Karte"));
}

TEST(PlanMapSymbols, CurrentYellowOthersRedAndTheMapPointBlue)
{
    tvtest::ensureGuiApplication();
    tvtest::PlanData data;
    // 47°45' N: image y 125; 10°30' E: image x 250; 10°45' E: x 375.
    const int64_t current = data.addWaypoint("Here", 47.45, 10.30);
    data.addWaypoint("There", 47.45, 10.45);
    data.addWaypoint("Outside", 47.10, 10.30); // image y 450: below the view
    PlanMap map = loadedMap();
    tv::PlanMapInputs layers;
    layers.waypoints.waypoints = data.db.get();
    layers.waypoints.currentPointId = current;
    map.RedrawMap(layers);
    EXPECT_EQ(at(map, 253, 125), tv::kCurrentWaypointColour);
    EXPECT_EQ(at(map, 256, 125), 0x000000u); // black outer ring
    EXPECT_EQ(at(map, 378, 125), tv::kOtherWaypointColour);

    layers.waypoints.currentPointId.reset(); // an empty list: every symbol red
    map.RedrawMap(layers);
    EXPECT_EQ(at(map, 253, 125), tv::kOtherWaypointColour);
    // While another program holds the file the symbols read last stay.
    tvtest::HeldDataFile held(data.dir / "data.tvd");
    map.RedrawMap(layers);
    EXPECT_EQ(at(map, 253, 125), tv::kOtherWaypointColour);

    map.DrawWaypoint(47.40, 10.10, tv::PlanSymbol::MapPoint, QString());
    // 47°40' N = 47.6667°: y = 500 - 0.6667 * 500 = 166.7; 10°10' E: x = 83.3
    EXPECT_EQ(at(map, 86, 167), tv::kMapPointColour);
}

TEST(PlanMapSymbols, AirportRingAndRunwayBar)
{
    tvtest::ensureGuiApplication();
    tv::schema::LayoutOptions options;
    options.airports = true;
    tvtest::PlanData data(options);
    tv::Connection apt;
    apt.Open((data.dir / "tvdata.tvd").string());
    apt.Execute("INSERT INTO ARPT (ICAO, RWYALen, RWYGLen) VALUES ('EDXA', 800, 0), "
                "('EDXB', 0, 500), ('EDXC', 900, 0)");
    apt.Execute("INSERT INTO RWY (ICAO, rwy, RWYHdg, Surface, LENGTH) VALUES "
                "('EDXA', '09/27', '090', '0', 800), ('EDXB', '09/27', '090', '1', 500), "
                "('EDXC', 'NN', 'abc', '0', 900)");
    data.addWaypoint("EDXA", 47.45, 10.15); // x 125, y 125
    data.addWaypoint("edxb", 47.45, 10.30); // x 250
    data.addWaypoint("EDXC", 47.45, 10.45); // x 375
    PlanMap map = loadedMap();
    tv::PlanMapInputs layers;
    layers.waypoints.waypoints = data.db.get();
    layers.waypoints.airports = &apt;
    map.RedrawMap(layers);
    EXPECT_EQ(at(map, 125, 115), tv::kAirportRingColour);
    EXPECT_EQ(at(map, 134, 125), tv::kHardRunwayColour);
    EXPECT_EQ(at(map, 241, 125), tv::kGrassRunwayColour);
    // A heading that is no number: ring and name, no bar.
    EXPECT_EQ(at(map, 375, 115), tv::kAirportRingColour);
    EXPECT_EQ(at(map, 384, 125), tv::kAirportRingColour);
}

namespace {

// A route of data.tvd through the given DD.MM positions, in order; the inputs that show it.
tv::PlanRouteLayer::Inputs routeThrough(tvtest::PlanData& data,
                                        const std::vector<tv::PlanRoutePoint>& points)
{
    const int64_t route = data.addRoute("R" + std::to_string(data.routeList().size()), 1);
    for (size_t i = 0; i < points.size(); ++i)
        data.db->Execute("INSERT INTO GpsPoints (RouteID, Nummer, PointID, Name, Lat, Long) "
                         "VALUES (?, ?, 0, 'P', ?, ?)",
                         {route, static_cast<double>(i + 1),
                          points[i].latDDMM ? tv::Value(*points[i].latDDMM) : tv::Value(),
                          points[i].lonDDMM ? tv::Value(*points[i].lonDDMM) : tv::Value()});
    tv::Recordset rs;
    tv::openRoutePoints(rs, *data.db, route);
    return {tv::planRoutePoints(rs)};
}

} // namespace

TEST(PlanMapRoute, NavyLineThinsAsTheUserZoomsOut)
{
    tvtest::PlanData data;
    // Two points on 47°45' N from 10°06' E to 10°54' E.
    const tv::PlanRouteLayer::Inputs route = routeThrough(data, {{47.45, 10.06}, {47.45, 10.54}});
    struct Case
    {
        int slider;
        int width;
    };
    for (const Case c : {Case{0, 6}, Case{25, 6}, Case{75, 4}}) {
        PlanMap map = loadedMap();
        map.setZoom(c.slider);
        tv::PlanMapInputs layers;
        layers.route = route;
        map.RedrawMap(layers);
        const auto mid = map.pointOf(47.45, 10.30);
        ASSERT_TRUE(mid);
        EXPECT_EQ(lineThickness(map, int(mid->x()), int(mid->y())), c.width) << c.slider;
    }
}

TEST(PlanMapRoute, LengthInWholeMiles)
{
    tvtest::PlanData data;
    PlanMap map = loadedMap();
    tv::PlanMapInputs layers;
    layers.route = routeThrough(data, {{50.00, 10.00}, {51.00, 10.00}});
    const auto length = map.RedrawMap(layers).routeLengthNm;
    ASSERT_TRUE(length);
    EXPECT_EQ(tv::routeLengthText(*length, {}), QStringLiteral("60 NM"));

    layers.route = routeThrough(data, {{50.00, 10.00}});
    EXPECT_EQ(tv::routeLengthText(*map.RedrawMap(layers).routeLengthNm, {}), QStringLiteral(" NM"));

    // A point without a position draws no leg and adds nothing.
    layers.route = routeThrough(data, {{50.00, 10.00}, {std::nullopt, 10.0}, {51.00, 10.00}});
    EXPECT_EQ(tv::routeLengthText(*map.RedrawMap(layers).routeLengthNm, {}), QStringLiteral(" NM"));

    // No route chosen: the line is shown without points.
    layers.route = tv::PlanRouteLayer::Inputs{};
    EXPECT_EQ(tv::routeLengthText(*map.RedrawMap(layers).routeLengthNm, {}), QStringLiteral(" NM"));
}

TEST(PlanMapLayers, WaypointsOverTheRouteLineOverTheChart)
{
    tvtest::ensureGuiApplication();
    tvtest::PlanData data;
    data.addWaypoint("Here", 47.45, 10.30); // x 250, y 125, on the route line
    PlanMap map = loadedMap();
    EXPECT_EQ(map.layerNames(), (std::vector<std::string>{"airspaces", "route", "waypoints"}));
    tv::PlanMapInputs in;
    in.route = routeThrough(data, {{47.45, 10.06}, {47.45, 10.54}});
    in.waypoints.waypoints = data.db.get();
    const tv::PlanMapResult result = map.RedrawMap(in);
    EXPECT_EQ(at(map, 253, 125), tv::kOtherWaypointColour); // the symbol over the line
    EXPECT_EQ(at(map, 300, 125), tv::kPlanRouteColour);
    EXPECT_EQ(at(map, 300, 140), kChartColour);
    EXPECT_TRUE(result.routeLengthNm);
    EXPECT_FALSE(result.airspaceBox); // no airspace inputs: tLR is left alone

    // Without a chart nothing is drawn, but the route keeps its length.
    map.clearChart();
    const tv::PlanMapResult blank = map.RedrawMap(in);
    EXPECT_EQ(blank.routeLengthNm, result.routeLengthNm);
    EXPECT_FALSE(blank.airspaceBox);
    EXPECT_NE(at(map, 300, 125), tv::kPlanRouteColour);
}

TEST(Measuring, DistanceAndCourseFromTheWaypointToTheCursor)
{
    struct Case
    {
        DDMMPoint cursor;
        const char* distance;
        const char* course;
    };
    const DDMMPoint waypoint{48.00, 11.00};
    const Case cases[] = {
        {{48.00, 12.00}, "40.1 NM", "90 °"},  {{48.00, 10.00}, "40.1 NM", "270 °"},
        {{49.00, 11.00}, "60.0 NM", "360 °"}, {{47.00, 11.00}, "60.0 NM", "180 °"},
        {{48.00, 11.00}, "0.0 NM", "0 °"},
    };
    for (const Case& c : cases) {
        const tv::Measurement m = tv::measure(waypoint, c.cursor);
        const tv::NumberStyle style{'.', tv::HalfRounding::AwayFromZero};
        EXPECT_EQ(tv::distanceText(m.distanceNm, style), QString::fromUtf8(c.distance));
        EXPECT_EQ(tv::courseText(m.courseDeg, style), QString::fromUtf8(c.course));
    }
    const tv::NumberStyle comma{',', tv::HalfRounding::AwayFromZero};
    EXPECT_EQ(tv::distanceText(tv::measure(waypoint, {48.00, 12.00}).distanceNm, comma),
              QStringLiteral("40,1 NM"));
}

TEST(Measuring, LineFromTheCursorToTheWaypoint)
{
    PlanMap map = loadedMap();
    map.RedrawMap({});
    map.DrawMeasureLine({47.45, 10.10}, {47.45, 10.50}); // x 83 .. 417 on y 125
    EXPECT_EQ(at(map, 250, 125), 0x000000u);
    EXPECT_EQ(at(map, 250, 140), kChartColour);
    // The next move paints the last redraw back: no trace of the previous line.
    ASSERT_TRUE(map.restoreLastRedraw());
    map.DrawMeasureLine({47.42, 10.10}, {47.42, 10.50});
    EXPECT_EQ(at(map, 250, 125), kChartColour);
    EXPECT_EQ(at(map, 250, 150), 0x000000u);
}

// Redraws after the view or the chart changed show the new view, never the previous one again.
TEST(PlanMapView, RedrawShowsTheChartAsItIsNow)
{
    constexpr uint32_t kEast = 0x80C080;
    QImage twoHalves = plainChart(1000, 500);
    for (int y = 0; y < 500; ++y)
        for (int x = 500; x < 1000; ++x)
            twoHalves.setPixelColor(x, y, tv::vbColor(kEast));
    PlanMap map;
    map.resize(500, 250);
    ASSERT_TRUE(map.loadChart(alpineChart(), twoHalves));
    map.RedrawMap({});
    EXPECT_EQ(at(map, 400, 100), kChartColour);
    map.RedrawMap({});
    EXPECT_EQ(at(map, 400, 100), kChartColour);

    map.view().press(400, 100);
    map.view().dragTo(100, 100); // 300 pixels further east
    map.RedrawMap({});
    EXPECT_EQ(at(map, 400, 100), kEast);
    EXPECT_EQ(at(map, 100, 100), kChartColour);

    constexpr uint32_t kOther = 0x4060A0;
    QImage other(1000, 500, QImage::Format_RGB32);
    other.fill(tv::vbColor(kOther));
    ASSERT_TRUE(map.loadChart(alpineChart(), other));
    map.RedrawMap({});
    EXPECT_EQ(at(map, 100, 100), kOther);

    map.resize(300, 150);
    map.RedrawMap({});
    EXPECT_EQ(at(map, 299, 149), kOther);
    EXPECT_EQ(map.surface().image().size(), QSize(300, 150));
}
