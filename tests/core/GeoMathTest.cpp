#include "core/GeoMath.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tv;

namespace {
constexpr double kTruePi = 3.14159265358979323846;
}

TEST(DDMMConversion, MinutesBecomeFractionsOfADegree)
{
    EXPECT_NEAR(DDMMToDegrees(48.30), 48.5, 1e-12);
    EXPECT_NEAR(DDMMToDegrees(11.0545), 11.0908333333333, 1e-12);
    EXPECT_NEAR(DegreesToDDMM(48.5), 48.3, 1e-12);
    EXPECT_DOUBLE_EQ(DDMMToDegrees(47.0), 47.0);
}

TEST(DDMMConversion, SouthAndWestKeepTheirSignOnTheWholeValue)
{
    EXPECT_NEAR(DDMMToDegrees(-7.30), -7.5, 1e-12);
    EXPECT_NEAR(DegreesToDDMM(-7.5), -7.3, 1e-12);
    EXPECT_NEAR(DegreesToDDMM(DDMMToDegrees(-7.30)), -7.30, 1e-12);
    // Below one degree the sign must not get lost with the integer part.
    EXPECT_NEAR(DDMMToDegrees(0.30), 0.5, 1e-12);
    EXPECT_NEAR(DDMMToDegrees(-0.30), -0.5, 1e-12);
    EXPECT_NEAR(DegreesToDDMM(-0.5), -0.3, 1e-12);
}

TEST(DDMMConversion, ChartEdgeShownWithTwoDecimalsRoundsHalvesToEven)
{
    EXPECT_DOUBLE_EQ(RoundHalfEven(DegreesToDDMM(48.5), 2), 48.3);
    EXPECT_DOUBLE_EQ(RoundHalfEven(0.125, 2), 0.12);
}

TEST(ArccosAndASin, BoundaryValuesUseTheFixedHalfPi)
{
    EXPECT_EQ(Arccos(1.0), 0.0);
    EXPECT_EQ(Arccos(-1.0), 3.1415926535898);
    EXPECT_NEAR(Arccos(0.0), kTruePi / 2, 1e-12);
    EXPECT_NEAR(Arccos(0.5), kTruePi / 3, 1e-12);
    EXPECT_EQ(ASin(1.0), 1.5707963267949);
    EXPECT_EQ(ASin(-1.0), -1.5707963267949);
    EXPECT_NEAR(ASin(0.5), kTruePi / 6, 1e-12);
    EXPECT_EQ(ASin(0.0), 0.0);
}

TEST(ArccosAndASin, RoundingNoiseBeyondOneIsClampedNotNaN)
{
    EXPECT_EQ(Arccos(1.0000000001), 0.0);
    EXPECT_EQ(Arccos(-1.0000000001), 3.1415926535898);
    EXPECT_EQ(Arccos(7.0), 0.0);
    EXPECT_EQ(ASin(1.0000000001), 1.5707963267949);
    EXPECT_EQ(ASin(-2.0), -1.5707963267949);
}

TEST(ArcRadius, TenMinutesOfLatitudeAreTenMiles)
{
    EXPECT_NEAR(ArcRadius(48.00, 11.00, 48.10, 11.00), 10.0, 1e-6);
    EXPECT_NEAR(ArcRadius(48.10, 11.00, 48.00, 11.00), 10.0, 1e-6);
}

TEST(ArcRadius, OneMinuteOfLongitudeShrinksWithLatitude)
{
    // 60 minutes of longitude at 60° N: 60 * cos(60°) = 30 NM along the parallel, a little
    // less along the great circle.
    const double d = ArcRadius(60.00, 10.00, 60.00, 11.00);
    EXPECT_GT(d, 29.9);
    EXPECT_LT(d, 30.0);
}

TEST(ArcDimension, EastAndWestAlongAParallel)
{
    const double east = ArcDimension(48.00, 11.00, 48.00, 11.10);
    EXPECT_GT(east, 89.9);
    EXPECT_LT(east, 90.0);
    const double west = ArcDimension(48.00, 11.10, 48.00, 11.00);
    EXPECT_GT(west, 269.9);
    EXPECT_LT(west, 270.0);
}

TEST(ArcDimension, OnOneMeridianSouthIs180AndNorthIsAlmost360)
{
    EXPECT_EQ(ArcDimension(48.00, 11.00, 47.30, 11.00), 180.0);
    const double north = ArcDimension(48.00, 11.00, 48.30, 11.00);
    EXPECT_NEAR(north, 360.0, 0.001);
    // An angle of pi turned into degrees with the short pi 3.14159265 is 180.0000002: a pin
    // that the conversion uses the program's literal, not the full-precision value.
    EXPECT_NEAR(north, 360.00000020568, 1e-9);
}

TEST(ArcDimension, TwoEqualPointsGiveZeroNotNaN)
{
    EXPECT_EQ(ArcDimension(48.3012, 11.0545, 48.3012, 11.0545), 0.0);
    EXPECT_EQ(ArcDimension(-33.52, -70.40, -33.52, -70.40), 0.0);
    EXPECT_EQ(ArcDimension(0.0, 0.0, 0.0, 0.0), 0.0);
}

TEST(ArcDimension, QuadrantsAroundACentre)
{
    const double ne = ArcDimension(48.00, 11.00, 48.10, 11.15);
    EXPECT_GT(ne, 0.0);
    EXPECT_LT(ne, 90.0);
    const double se = ArcDimension(48.00, 11.00, 47.50, 11.15);
    EXPECT_GT(se, 90.0);
    EXPECT_LT(se, 180.0);
    const double sw = ArcDimension(48.00, 11.00, 47.50, 10.45);
    EXPECT_GT(sw, 180.0);
    EXPECT_LT(sw, 270.0);
    const double nw = ArcDimension(48.00, 11.00, 48.10, 10.45);
    EXPECT_GT(nw, 270.0);
    EXPECT_LT(nw, 360.0);
}

TEST(CalcRouteDist, HalfADegreeOfLatitudeIsThirtyMiles)
{
    EXPECT_NEAR(CalcRouteDist(48.5, 11.0, 48.0, 11.0), 30.0, 1e-6);
    EXPECT_NEAR(CalcRouteDist(-33.5, -70.5, -34.0, -70.5), 30.0, 1e-6);
}

TEST(CalcRouteDist, EqualPointsAndZeroCoordinatesGiveZero)
{
    EXPECT_EQ(CalcRouteDist(48.5, 11.0, 48.5, 11.0), 0.0);
    // A coordinate of exactly zero means "no position yet".
    EXPECT_EQ(CalcRouteDist(0.0, 11.0, 48.0, 11.0), 0.0);
    EXPECT_EQ(CalcRouteDist(48.5, 0.0, 48.0, 11.0), 0.0);
    EXPECT_EQ(CalcRouteDist(48.5, 11.0, 0.0, 11.0), 0.0);
    EXPECT_EQ(CalcRouteDist(48.5, 11.0, 48.0, 0.0), 0.0);
    EXPECT_EQ(CalcRouteDist(48.5, 11.0, 48.0, -0.0), 0.0);
}

TEST(CalcRouteDistCourse, CourseRunsFromPointOneToPointTwo)
{
    double course = -1.0;
    // Point 2 is given first: from 11°E (point 1) eastwards to 12°E (point 2).
    CalcRouteDist(48.0, 12.0, 48.0, 11.0, course);
    EXPECT_GT(course, 89.0);
    EXPECT_LT(course, 90.0);
    // Westbound the course is the eastbound course at the far end plus 180: 269.6, not the
    // initial course 270.4 of the great circle. Flight plans were computed this way.
    CalcRouteDist(48.0, 11.0, 48.0, 12.0, course);
    EXPECT_GT(course, 269.0);
    EXPECT_LT(course, 270.0);
    CalcRouteDist(47.5, 11.0, 48.0, 11.0, course);
    EXPECT_NEAR(course, 180.0, 1e-6);
    CalcRouteDist(48.5, 11.0, 48.0, 11.0, course);
    EXPECT_NEAR(course, 360.0, 0.001);
}

TEST(CalcRouteDistCourse, CourseKeepsThePreviousLegWhenTheGuardApplies)
{
    double course = 123.25;
    EXPECT_EQ(CalcRouteDist(48.0, 11.0, 48.0, 11.0, course), 0.0);
    EXPECT_EQ(course, 123.25);
    EXPECT_EQ(CalcRouteDist(0.0, 11.0, 48.0, 11.0, course), 0.0);
    EXPECT_EQ(course, 123.25);
}

TEST(CalcRouteDistCourse, PointsTooCloseForAnAngleGiveNoNaN)
{
    double course = 42.0;
    const double d = CalcRouteDist(48.0, 11.0, 48.0 + 1e-13, 11.0, course);
    EXPECT_FALSE(std::isnan(d));
    EXPECT_FALSE(std::isnan(course));
}
