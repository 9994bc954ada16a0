#include "core/GeoMath.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tv;

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

namespace {

// Angles in degrees, converted with the program's own pi, as every course and circle point is.
double toDegrees(double radians)
{
    return radians * 180.0 / kGeoPi;
}

struct AngleCase
{
    const char* what;
    double got;
    double expected;
    double tolerance;
};

} // namespace

TEST(ArccosAndASin, KnownAnglesAndTheBoundariesMeetTheFormulas)
{
    const AngleCase cases[] = {
        {"arccos 1: no angle", Arccos(1.0), 0.0, 0.0},
        {"arccos -1: a half circle", toDegrees(Arccos(-1.0)), 180.0, 1e-6},
        {"arccos 0: a quarter circle", toDegrees(Arccos(0.0)), 90.0, 1e-6},
        {"arccos 0.5: 60 degrees", toDegrees(Arccos(0.5)), 60.0, 1e-6},
        {"asin 1: a quarter circle", toDegrees(ASin(1.0)), 90.0, 1e-6},
        {"asin -1: a quarter circle back", toDegrees(ASin(-1.0)), -90.0, 1e-6},
        {"asin 0.5: 30 degrees", toDegrees(ASin(0.5)), 30.0, 1e-6},
        {"asin 0: no angle", ASin(0.0), 0.0, 0.0},
        // The fixed values at +-1 and the formulas just inside agree: no jump at the boundary.
        {"arccos just above -1", Arccos(-1.0 + 1e-12), Arccos(-1.0), 1e-5},
        {"asin just below 1", ASin(1.0 - 1e-12), ASin(1.0), 1e-5},
        {"a half circle is two quarters", Arccos(-1.0), 2.0 * ASin(1.0), 0.0},
    };
    for (const AngleCase& c : cases)
        EXPECT_NEAR(c.got, c.expected, c.tolerance) << c.what;
}

TEST(ArccosAndASin, RoundingNoiseBeyondOneIsClampedNotNaN)
{
    const AngleCase cases[] = {
        {"arccos a hair above 1", Arccos(1.0000000001), Arccos(1.0), 0.0},
        {"arccos a hair below -1", Arccos(-1.0000000001), Arccos(-1.0), 0.0},
        {"arccos far above 1", Arccos(7.0), Arccos(1.0), 0.0},
        {"asin a hair above 1", ASin(1.0000000001), ASin(1.0), 0.0},
        {"asin far below -1", ASin(-2.0), ASin(-1.0), 0.0},
    };
    for (const AngleCase& c : cases)
        EXPECT_EQ(c.got, c.expected) << c.what;
}

// Distances whose value is known without the formulas. Degrees go into radians and come back
// with the same pi, so a stretch along a meridian is exact whole minutes of arc; a pi that
// differed between the two directions would move these figures by about a billionth.
TEST(GreatCircle, DistancesKnownWithoutTheFormulas)
{
    const AngleCase cases[] = {
        {"60 degrees along a meridian", CalcRouteDist(30.0, 10.0, -30.0, 10.0), 3600.0, 1e-7},
        {"one degree along a meridian in the south", CalcRouteDist(-33.0, -70.5, -34.0, -70.5),
         60.0, 1e-9},
        {"a half circle to the far side of the earth", CalcRouteDist(-10.0, -160.0, 10.0, 20.0),
         10800.0, 1e-3},
        {"ten minutes of latitude, DD.MM", ArcRadius(-33.30, -70.30, -33.40, -70.30), 10.0, 1e-9},
    };
    for (const AngleCase& c : cases)
        EXPECT_NEAR(c.got, c.expected, c.tolerance) << c.what;
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

TEST(ArcDimension, OnOneMeridianSouthIs180AndNorthIsAlmost360)
{
    EXPECT_EQ(ArcDimension(48.00, 11.00, 47.30, 11.00), 180.0);
    const double north = ArcDimension(48.00, 11.00, 48.30, 11.00);
    EXPECT_NEAR(north, 360.0, 0.001);
    EXPECT_EQ(std::lround(north), 360); // shown as 360, never as 000
}

TEST(ArcDimension, TwoEqualPointsGiveZeroNotNaN)
{
    EXPECT_EQ(ArcDimension(48.3012, 11.0545, 48.3012, 11.0545), 0.0);
    EXPECT_EQ(ArcDimension(-33.52, -70.40, -33.52, -70.40), 0.0);
    EXPECT_EQ(ArcDimension(0.0, 0.0, 0.0, 0.0), 0.0);
}

TEST(ArcDimension, EachDirectionFallsInItsSector)
{
    struct Case
    {
        const char* label;
        double fromLat, fromLon, toLat, toLon; // DD.MM
        double aboveDeg, belowDeg;             // the bearing lies strictly between these
    };
    const Case cases[] = {
        {"east along a parallel", 48.00, 11.00, 48.00, 11.10, 89.9, 90.0},
        {"west along a parallel", 48.00, 11.10, 48.00, 11.00, 269.9, 270.0},
        {"north-east", 48.00, 11.00, 48.10, 11.15, 0.0, 90.0},
        {"south-east", 48.00, 11.00, 47.50, 11.15, 90.0, 180.0},
        {"south-west", 48.00, 11.00, 47.50, 10.45, 180.0, 270.0},
        {"north-west", 48.00, 11.00, 48.10, 10.45, 270.0, 360.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const double bearing = ArcDimension(c.fromLat, c.fromLon, c.toLat, c.toLon);
        EXPECT_GT(bearing, c.aboveDeg);
        EXPECT_LT(bearing, c.belowDeg);
    }
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
