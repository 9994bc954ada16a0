#include "map/MapSymbols.h"

#include "OverlayFixture.h"
#include "map/AirportData.h"

#include <gtest/gtest.h>

using tv::AirportInfo;
using tv::LayerFlags;
using tv::SymbolModes;
using namespace overlaytest;

namespace {

// The point every symbol below is drawn at: map pixel (500, 250).
constexpr int kX = 500;
constexpr int kY = 250;
const double kLat = latAt(kY);
const double kLon = lonAt(kX);

// The name's label box right of the point.
const QRect kNameBox(kX + 10, kY - 7, 80, 16);

AirportInfo hardRunwayEast()
{
    AirportInfo info;
    info.runwayText = QStringLiteral("09/27 - 1200 m ");
    info.headingDeg = 90.0;
    info.runwayColour = tv::kHardRunwayColour;
    info.lines.info = QStringLiteral("Tower 118.100");
    info.lines.atis = QStringLiteral("ATIS 123.125");
    return info;
}

SymbolModes withAirportData()
{
    SymbolModes modes;
    modes.aptDataAvailable = true;
    return modes;
}

// The airport steps and the waypoint name switch a test turns on.
LayerFlags airportSteps(bool first, bool second, bool waypointNames = false)
{
    LayerFlags layers;
    layers.ShowAPT1 = first;
    layers.ShowAPT2 = second;
    layers.ShowWayInfo = waypointNames;
    return layers;
}

// The map picture after drawing `name` as an ordinary point (kind 0) at (kX, kY) of the loaded
// view; `info` is its airport row or nullptr when it has none.
tv::DrawSurface airportPointDrawn(const QString& name, const LayerFlags& layers,
                                  const SymbolModes& modes, const AirportInfo* info)
{
    auto pic = mapPicture();
    tv::DrawAirportInfo(pic, loadedView(), kLat, kLon, 0, name, layers, modes, info);
    return pic;
}

} // namespace

TEST(WaypointSymbol, OrdinaryPointIsARedRingAroundABlackCentreAtItsPixel)
{
    auto view = loadedView();
    auto pic = mapPicture();
    tv::DrawWaypointSymbol(pic, view, kLat, kLon, 0, QStringLiteral("KRH"), false);
    EXPECT_EQ(pic.Point(kX + 1, kY), kBlack);
    EXPECT_EQ(pic.Point(kX + 5, kY), kRed);
    EXPECT_EQ(pic.Point(kX, kY - 5), kRed);
    EXPECT_EQ(pic.Point(kX - 5, kY + 1), kRed);
    EXPECT_EQ(pic.Point(kX + 10, kY), kWhite);
    EXPECT_EQ(pic.DrawWidth(), 1);
}

TEST(WaypointSymbol, NameIsWrittenBesideThePointOnlyWithWaypointNamesOn)
{
    auto view = loadedView();
    auto withName = mapPicture();
    tv::DrawWaypointSymbol(withName, view, kLat, kLon, 0, QStringLiteral("KRH"), true);
    EXPECT_GT(countColour(withName, kNameBox, kBlack), 5);
    auto withoutName = mapPicture();
    tv::DrawWaypointSymbol(withoutName, view, kLat, kLon, 0, QStringLiteral("KRH"), false);
    EXPECT_EQ(countInk(withoutName, kNameBox), 0);
}

TEST(WaypointSymbol, ActiveTargetIsBlueAndDirectTargetYellow)
{
    auto view = loadedView();
    auto pic = mapPicture();
    tv::DrawWaypointSymbol(pic, view, kLat, kLon, 1, QStringLiteral("A"), false);
    EXPECT_EQ(pic.Point(kX + 5, kY), kBlue);
    tv::DrawWaypointSymbol(pic, view, latAt(100), lonAt(100), 2, QStringLiteral("DF"), false);
    EXPECT_EQ(pic.Point(105, 100), kYellow);
}

TEST(WaypointSymbol, TargetRingsThickenAsTheChartIsEnlarged)
{
    auto view = loadedView();
    // Slider 0: 6 pixels wide, the ring reaches 8 pixels out.
    auto wide = mapPicture();
    tv::DrawWaypointSymbol(wide, view, kLat, kLon, 1, QString(), false);
    EXPECT_EQ(wide.Point(kX + 7, kY), kBlue);
    // Slider 100: 4 pixels wide, as an ordinary point.
    view.setSliderValue(100);
    auto narrow = mapPicture();
    tv::DrawWaypointSymbol(narrow, view, kLat, kLon, 1, QString(), false);
    EXPECT_EQ(narrow.Point(kX + 6, kY), kBlue);
    EXPECT_EQ(narrow.Point(kX + 7, kY), kWhite);
    EXPECT_GT(countColour(wide, QRect(kX - 10, kY - 10, 21, 21), kBlue),
              countColour(narrow, QRect(kX - 10, kY - 10, 21, 21), kBlue));
}

TEST(WaypointSymbol, UnknownKindDrawsNothing)
{
    auto view = loadedView();
    auto pic = mapPicture();
    tv::DrawWaypointSymbol(pic, view, kLat, kLon, 3, QStringLiteral("X"), true);
    EXPECT_EQ(countInk(pic, QRect(kX - 20, kY - 20, 120, 40)), 0);
}

TEST(WaypointSymbol, NothingIsDrawnWithoutAUsableView)
{
    tv::MapView empty; // no chart loaded: no source rectangle
    auto pic = mapPicture();
    tv::DrawWaypointSymbol(pic, empty, kLat, kLon, 0, QStringLiteral("X"), true);
    EXPECT_EQ(countInk(pic, QRect(0, 0, 1000, 500)), 0);
}

TEST(AirportSymbol, RingRunwayBarAndCodeWithTheFirstAirportStep)
{
    const AirportInfo info = hardRunwayEast();
    const auto pic = airportPointDrawn(QStringLiteral("EDMA"), airportSteps(true, false),
                                       withAirportData(), &info);
    EXPECT_EQ(pic.Point(kX, kY - 10), kNavy);
    EXPECT_EQ(pic.Point(kX, kY + 10), kNavy);
    // Runway 09/27: a bar east and west through the point, light grey; none north and south.
    EXPECT_EQ(pic.Point(kX + 5, kY), kLightGrey);
    EXPECT_EQ(pic.Point(kX - 5, kY), kLightGrey);
    EXPECT_EQ(pic.Point(kX, kY - 5), kWhite);
    // The code is written whatever the waypoint name switch says.
    EXPECT_GT(countColour(pic, kNameBox, kBlack), 5);
    // No runway text or frequencies without the second step.
    EXPECT_EQ(countInk(pic, QRect(kX + 12, kY + 14, 100, 50)), 0);
}

TEST(AirportSymbol, NorthSouthRunwayBarPointsUp)
{
    AirportInfo info = hardRunwayEast();
    info.headingDeg = 0.0;
    info.runwayColour = tv::kGrassRunwayColour;
    const auto pic = airportPointDrawn(QStringLiteral("EDMA"), airportSteps(true, false),
                                       withAirportData(), &info);
    EXPECT_EQ(pic.Point(kX, kY - 5), kGreen);
    EXPECT_EQ(pic.Point(kX, kY + 5), kGreen);
    EXPECT_EQ(pic.Point(kX + 5, kY), kWhite);
}

TEST(AirportSymbol, AirportWithoutHeadingStillGetsRingAndCode)
{
    const AirportInfo info;
    const auto pic = airportPointDrawn(QStringLiteral("EDMA"), airportSteps(true, false),
                                       withAirportData(), &info);
    EXPECT_EQ(pic.Point(kX - 10, kY), kNavy);
    EXPECT_EQ(pic.Point(kX + 5, kY), kWhite);
    EXPECT_GT(countColour(pic, kNameBox, kBlack), 5);
}

TEST(AirportSymbol, SecondStepAloneWritesTheTextLinesWithoutRing)
{
    const AirportInfo info = hardRunwayEast();
    const auto pic = airportPointDrawn(QStringLiteral("EDMA"), airportSteps(false, true),
                                       withAirportData(), &info);
    EXPECT_EQ(countColour(pic, QRect(kX - 14, kY - 14, 29, 29), kNavy), 0);
    EXPECT_EQ(countInk(pic, kNameBox), 0);
    EXPECT_GT(countColour(pic, QRect(kX + 10, kY + 10, 150, 15), kBlack), 5); // runway
    EXPECT_GT(countColour(pic, QRect(kX + 10, kY + 27, 150, 15), kBlack), 5); // tower
    EXPECT_GT(countColour(pic, QRect(kX + 10, kY + 44, 150, 15), kBlack), 5); // ATIS
}

TEST(AirportSymbol, BothStepsOffDrawNothingForAnAirport)
{
    const AirportInfo info = hardRunwayEast();
    const auto pic = airportPointDrawn(QStringLiteral("EDMA"), airportSteps(false, false),
                                       withAirportData(), &info);
    EXPECT_EQ(countInk(pic, QRect(0, 0, 1000, 500)), 0);
}

TEST(AirportSymbol, WithoutTheAirportDataFileAFourLetterNameIsAnOrdinaryWaypoint)
{
    SymbolModes modes;
    modes.routePointsOnly = true;
    const auto pic =
        airportPointDrawn(QStringLiteral("EDMA"), airportSteps(true, false), modes, nullptr);
    EXPECT_EQ(pic.Point(kX + 5, kY), kRed);
}

TEST(AirportSymbol, FourLetterNameThatIsNoAirportIsDrawnAsAWaypoint)
{
    const auto pic = airportPointDrawn(QStringLiteral("WALD"), airportSteps(true, false, true),
                                       withAirportData(), nullptr);
    EXPECT_EQ(pic.Point(kX + 5, kY), kRed);
    EXPECT_GT(countColour(pic, kNameBox, kBlack), 5);
}

TEST(AirportSymbol, RoutePointsOnlyModeShowsNoOrdinaryWaypointsButTheDirectTarget)
{
    auto view = loadedView();
    LayerFlags layers;
    SymbolModes modes = withAirportData();
    modes.routePointsOnly = true;
    layers.ShowAPT1 = true;
    auto pic = mapPicture();
    tv::DrawAirportInfo(pic, view, kLat, kLon, 0, QStringLiteral("KRH"), layers, modes, nullptr);
    tv::DrawAirportInfo(pic, view, kLat, kLon, 0, QStringLiteral("WALD"), layers, modes, nullptr);
    EXPECT_EQ(countInk(pic, QRect(0, 0, 1000, 500)), 0);
    tv::DrawAirportInfo(pic, view, kLat, kLon, 2, QStringLiteral("DF"), layers, modes, nullptr);
    EXPECT_EQ(pic.Point(kX + 5, kY), kYellow);
}

TEST(AirportSymbol, AllWaypointsModeDrawsShortNamesAsRedRings)
{
    const auto pic = airportPointDrawn(QStringLiteral("KRHAB"), airportSteps(false, false),
                                       withAirportData(), nullptr);
    EXPECT_EQ(pic.Point(kX + 5, kY), kRed);
}
