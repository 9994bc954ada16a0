#include "flight/MapOverlay.h"

#include "map/OverlayFixture.h"

#include <gtest/gtest.h>

using tv::AircraftSymbol;
using namespace overlaytest;

namespace {

AircraftSymbol dotAt(double x, double y, double track, bool noFix)
{
    return {x, y, track, noFix, 1};
}

AircraftSymbol outlineAt(double x, double y, double track, bool noFix)
{
    return {x, y, track, noFix, 2};
}

} // namespace

TEST(AircraftDotSymbol, GreenDotInADarkRingWithAFix)
{
    auto pic = mapPicture();
    tv::drawAircraft(pic, dotAt(300, 200, 90, false));
    EXPECT_EQ(pic.Point(300, 200), kGreen);
    EXPECT_EQ(pic.Point(300, 206), kDotRing);
    EXPECT_EQ(pic.Point(294, 200), kDotRing);
    EXPECT_EQ(pic.Point(300, 212), kWhite);
    EXPECT_EQ(pic.DrawWidth(), 1);
}

TEST(AircraftDotSymbol, RedDotWithoutAFix)
{
    auto pic = mapPicture();
    tv::drawAircraft(pic, dotAt(300, 200, 0, true));
    EXPECT_EQ(pic.Point(300, 200), kRed);
}

TEST(AircraftDotSymbol, TrackLineReaches15PixelsAheadNorthUp)
{
    auto pic = mapPicture();
    tv::drawAircraft(pic, dotAt(300, 200, 0, false));
    // White core, blue edges, 15 pixels up; nothing below the ring.
    EXPECT_EQ(pic.Point(300, 188), kWhite);
    EXPECT_EQ(pic.Point(303, 188), kBlue);
    EXPECT_EQ(pic.Point(297, 188), kBlue);
    EXPECT_EQ(pic.Point(300, 186), kWhite);
    EXPECT_EQ(countColour(pic, QRect(290, 208, 21, 15), kBlue), 0);
}

TEST(AircraftDotSymbol, TrackLinePointsAlongTheTrack)
{
    auto east = mapPicture();
    tv::drawAircraft(east, dotAt(300, 200, 90, false));
    EXPECT_EQ(east.Point(312, 200), kWhite);
    EXPECT_EQ(east.Point(312, 203), kBlue);
    EXPECT_EQ(countColour(east, QRect(300, 180, 5, 12), kBlue), 0);

    auto southWest = mapPicture();
    tv::drawAircraft(southWest, dotAt(300, 200, 225, false));
    EXPECT_EQ(southWest.Point(291, 209), kWhite);
    EXPECT_EQ(countColour(southWest, QRect(305, 185, 15, 10), kBlue), 0);
}

TEST(AircraftOutlineSymbol, NoseAtThePositionFuselageBehindAlongTheTrack)
{
    auto pic = mapPicture();
    tv::drawAircraft(pic, outlineAt(300, 200, 0, false));
    // Light centre dot at the nose, green fuselage core downwards with black outline.
    EXPECT_EQ(pic.Point(300, 200), 0xFFFF80);
    EXPECT_EQ(pic.Point(300, 212), kGreen);
    EXPECT_EQ(pic.Point(303, 212), kBlack);
    // Wings 5 pixels behind the nose reaching 17 pixels to each side.
    EXPECT_EQ(pic.Point(312, 205), kGreen);
    EXPECT_EQ(pic.Point(288, 205), kGreen);
    // Tailplane 17 pixels behind, 7 to each side.
    EXPECT_EQ(pic.Point(305, 217), kGreen);
    // Nothing ahead of the nose.
    EXPECT_EQ(countInk(pic, QRect(290, 180, 21, 12)), 0);
}

TEST(AircraftOutlineSymbol, TurnsWithTheTrackAndShowsTheFixColour)
{
    auto pic = mapPicture();
    tv::drawAircraft(pic, outlineAt(300, 200, 90, true));
    // Heading east: the fuselage lies west of the nose, the wings north and south.
    EXPECT_EQ(pic.Point(288, 200), kRed);
    EXPECT_EQ(pic.Point(295, 212), kRed);
    EXPECT_EQ(pic.Point(295, 188), kRed);
    EXPECT_EQ(countInk(pic, QRect(306, 190, 15, 21)), 0);
}
