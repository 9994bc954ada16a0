#include "calibration/TwoPointCalibration.h"
#include "calibration/ChartHemispheres.h"

#include <gtest/gtest.h>

using tv::CalculateCalibration;
using tv::CalibrationMessage;
using tv::ReferencePoint;

TEST(TwoPointCalibration, TwoPointsFarApartGiveTheEdges)
{
    // 1000 x 800 image; 48°30' N 8°30' E at (100, 100), 47°30' N 9°30' E at (900, 700).
    const auto r =
        CalculateCalibration({100, 100, 48.3, 8.3}, {900, 700, 47.3, 9.3}, 1000.0, 800.0);
    EXPECT_EQ(r.message, CalibrationMessage::Calibrated);
    EXPECT_DOUBLE_EQ(r.unten, 47.2);
    EXPECT_DOUBLE_EQ(r.oben, 48.4);
    EXPECT_DOUBLE_EQ(r.links, 8.225);
    EXPECT_DOUBLE_EQ(r.rechts, 9.375);
    // A left edge at 7°59.9994' E: the minutes round up to 60 and carry, 8°00' and not 7.600.
    const auto carried =
        CalculateCalibration({100, 100, 48.3, 8.3}, {900, 700, 47.3, 12.300048}, 1000.0, 800.0);
    EXPECT_DOUBLE_EQ(carried.links, 8.0);
}

TEST(TwoPointCalibration, PointsCloserThanHalfTheImageGiveTheHint)
{
    const auto r =
        CalculateCalibration({100, 100, 48.3, 8.3}, {400, 300, 47.3, 9.3}, 1000.0, 800.0);
    EXPECT_EQ(r.message, CalibrationMessage::CalibratedHint);
    // 300 px for one degree of longitude: the left edge lies 100 px west of 8°30'.
    EXPECT_DOUBLE_EQ(r.links, 8.1);
}

TEST(TwoPointCalibration, PointsTooCloseInXOrY)
{
    struct Case
    {
        double x2, y2;
        CalibrationMessage expected;
    };
    const Case cases[] = {
        {110, 700, CalibrationMessage::PointsTooClose}, // dx 10, tested before any latitude
        {119, 700, CalibrationMessage::PointsTooClose}, // dx 19
        {120, 700, CalibrationMessage::CalibratedHint}, // dx 20 passes
        {600, 110, CalibrationMessage::PointsTooClose}, // dy 10
        {600, 120, CalibrationMessage::CalibratedHint}, // dy 20 passes
        {80, 80, CalibrationMessage::CalibratedHint},   // dx, dy 20 the other way round
    };
    for (const Case& c : cases)
        EXPECT_EQ(
            CalculateCalibration({100, 100, 48.3, 8.3}, {c.x2, c.y2, 47.3, 9.3}, 1000, 800).message,
            c.expected)
            << c.x2 << ", " << c.y2;
}

TEST(TwoPointCalibration, WestOfGreenwichWithMagnitudes)
{
    // W selectors in the chart window: the points are typed as magnitudes, 9°30' W at the left.
    const auto r = CalculateCalibration({100, 100, 48.3, 9.3}, {900, 700, 47.3, 8.3}, 1000, 800);
    EXPECT_DOUBLE_EQ(r.links, 9.375);
    EXPECT_DOUBLE_EQ(r.rechts, 8.225);
}

TEST(TwoPointCalibration, SignedPositionsGiveSignedEdges)
{
    // Waypoints stored negative (west): the edges come out negative, left of right.
    const auto r = CalculateCalibration({100, 100, 48.3, -9.3}, {900, 700, 47.3, -8.3}, 1000, 800);
    EXPECT_DOUBLE_EQ(r.links, -9.375);
    EXPECT_DOUBLE_EQ(r.rechts, -8.225);
    EXPECT_LT(r.links, r.rechts);
    // South of the equator: rows grow towards the pole, the lower edge is the more negative.
    const auto s =
        CalculateCalibration({100, 100, -33.3, 18.3}, {900, 700, -34.3, 19.3}, 1000, 800);
    EXPECT_DOUBLE_EQ(s.oben, -33.2);
    EXPECT_DOUBLE_EQ(s.unten, -34.4);
}

TEST(TwoPointCalibration, TypedMagnitudesLieInTheShownHemispheresTypedSignsAsTyped)
{
    // A 1000 x 800 chart across the meridian shown N N W E: left half west, right half east.
    tv::ChartHemispheres h;
    h.showChart({47.0, 49.0, -1.0, 1.0});
    struct Case
    {
        const char* typed;
        double xPx;
        double expected;
    };
    const Case cases[] = {
        {"0,3", 100, -0.3}, {"0,3", 900, 0.3},   {"-0,3", 900, -0.3},
        {"+0,3", 100, 0.3}, {" 0.3", 499, -0.3}, {"0,3", 500, 0.3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tv::typedCoordinate(c.typed, h.longitudeAt(c.xPx, 1000)), c.expected)
            << c.typed << " at x " << c.xPx;
    EXPECT_EQ(tv::typedCoordinate("48,3", h.latitudeAt(700, 800)), 48.3);
    EXPECT_FALSE(tv::typedCoordinate("W 9,3", 1));

    // The western example: W W shown, magnitudes typed.
    h.showChart({47.0, 49.0, -10.0, -8.0});
    const auto lon = [&h](const char* typed, double x) {
        return *tv::typedCoordinate(typed, h.longitudeAt(x, 1000));
    };
    const auto r = CalculateCalibration({100, 100, 48.3, lon("9,3", 100)},
                                        {900, 700, 48.0, lon("8,3", 900)}, 1000, 800);
    EXPECT_DOUBLE_EQ(r.links, -9.375);
    EXPECT_DOUBLE_EQ(r.rechts, -8.225);
}

TEST(TwoPointCalibration, APositionIsShownHemisphereFirst)
{
    EXPECT_EQ(tv::coordinateWords(-8.225, false, ','), "W 8°22,5'");
    EXPECT_EQ(tv::coordinateWords(-33.05, true, '.'), "S 33°05'");
}
