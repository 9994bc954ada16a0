#include "flight/Instruments.h"

#include <gtest/gtest.h>

using tv::InstrumentMode;

TEST(InstrumentModeSwitch, LeftClicksCycleCourseVorHsi)
{
    EXPECT_EQ(tv::nextInstrumentMode(InstrumentMode::Kurs), InstrumentMode::Vor);
    EXPECT_EQ(tv::nextInstrumentMode(InstrumentMode::Vor), InstrumentMode::Hsi);
    EXPECT_EQ(tv::nextInstrumentMode(InstrumentMode::Hsi), InstrumentMode::Kurs);
}

TEST(InstrumentModeSwitch, SavedModeTextRoundTripsAndUnknownTextMeansCourse)
{
    for (auto mode : {InstrumentMode::Kurs, InstrumentMode::Vor, InstrumentMode::Hsi})
        EXPECT_EQ(tv::instrumentModeFromText(tv::instrumentModeText(mode)), mode);
    EXPECT_EQ(tv::instrumentModeText(InstrumentMode::Kurs), "Kurs");
    EXPECT_EQ(tv::instrumentModeFromText("vor"), InstrumentMode::Kurs);
    EXPECT_EQ(tv::instrumentModeFromText(""), InstrumentMode::Kurs);
}

TEST(HsiSelectedCourse, NumbersUpTo360AreDrawnOthersHideTheArrow)
{
    EXPECT_EQ(tv::selectedCourse("090"), 90.0);
    EXPECT_EQ(tv::selectedCourse("360"), 360.0);
    EXPECT_EQ(tv::selectedCourse("0"), 0.0);
    EXPECT_FALSE(tv::selectedCourse("360.5"));
    EXPECT_FALSE(tv::selectedCourse("abc"));
    EXPECT_FALSE(tv::selectedCourse(""));
    EXPECT_FALSE(tv::selectedCourse("-5"));
}

namespace {

// Course selected on the instrument, degrees, and the bearing to the station, degrees true.
struct CourseAndBearing
{
    int course;
    double bearing;
    const char* why;
};

} // namespace

TEST(HsiToFromFlag, CourseWithin90DegreesOfTheBearingShowsTo)
{
    const struct
    {
        CourseAndBearing at;
        bool to;
    } cases[] = {
        {{90, 80.0, "ten degrees off"}, true},
        {{90, 260.0, "station behind"}, false},
        {{0, 89.0, "just before abeam"}, true},
        {{0, 90.0, "exactly abeam counts as FROM"}, false},
        {{90, 180.5, "180.5 - 90 rounds to 90 (halves to even)"}, false},
        {{5, 355.0, "across north, course east of it"}, true},
        {{355, 5.0, "across north, course west of it"}, true},
        {{175, 355.0, "across north, station behind"}, false},
        {{360, 10.0, "course 360 is north"}, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tv::hsiShowsTo(c.at.course, c.at.bearing), c.to) << c.at.why;
}

TEST(HsiDeviation, TenDegreesOffIsFiftyUnitsAndTwelveHidesTheBar)
{
    EXPECT_DOUBLE_EQ(tv::hsiDeviationDeg(90, 80.0) * tv::kHsiUnitsPerDegree, 50.0);
    EXPECT_GE(tv::hsiDeviationDeg(90, 78.0) * tv::kHsiUnitsPerDegree, tv::kHsiBarLimit);
}

// Degrees the selected course lies off the bearing; positive puts the bar left of centre.
TEST(HsiDeviation, DegreesOffTheSelectedCourse)
{
    const struct
    {
        CourseAndBearing at;
        double deviation;
    } cases[] = {
        {{90, 80.0, "ten degrees off"}, 10.0},
        {{90, 77.0, "thirteen degrees off"}, 13.0},
        // From the station the reciprocal course counts: 10 degrees off the outbound radial.
        {{90, 260.0, "from the station, bar right"}, -10.0},
        {{260, 90.0, "from the station, bar left"}, 10.0},
        {{5, 355.0, "across north, the small difference"}, 10.0},
        {{355, 5.0, "across north the other way"}, -10.0},
        {{360, 2.0, "course 360 is north"}, -2.0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(tv::hsiDeviationDeg(c.at.course, c.at.bearing), c.deviation) << c.at.why;
}

TEST(HsiDeviation, AnglesReduceToTheHalfOpenCircle)
{
    EXPECT_DOUBLE_EQ(tv::reduceDegrees180(180.0), 180.0);
    EXPECT_DOUBLE_EQ(tv::reduceDegrees180(-180.0), 180.0);
    EXPECT_DOUBLE_EQ(tv::reduceDegrees180(540.0), 180.0);
    EXPECT_DOUBLE_EQ(tv::reduceDegrees180(-190.0), 170.0);
    EXPECT_DOUBLE_EQ(tv::reduceDegrees180(350.0), -10.0);
}

TEST(VorNavigation, StationDueNorthOnTheSameMeridian)
{
    const auto nav = tv::calcNavToVor(48.5, 9.0, 48.0, 9.0, 0.0);
    ASSERT_TRUE(nav);
    EXPECT_NEAR(nav->distanceNm, 30.0, 1e-6);
    EXPECT_NEAR(nav->bearingDeg, 360.0, 1e-3);
}

TEST(VorNavigation, StationsEastSouthAndWest)
{
    const auto east = tv::calcNavToVor(48.0, 10.0, 48.0, 9.0, 0.0);
    ASSERT_TRUE(east);
    EXPECT_GT(east->bearingDeg, 89.0);
    EXPECT_LT(east->bearingDeg, 90.0); // the great circle starts a little north of east
    EXPECT_NEAR(east->distanceNm, 40.15, 0.05);

    const auto west = tv::calcNavToVor(48.0, 9.0, 48.0, 10.0, 0.0);
    ASSERT_TRUE(west);
    // West of the aircraft the bearing is the station's course back to us plus 180.
    EXPECT_NEAR(west->bearingDeg, 180.0 + east->bearingDeg, 1e-9);

    const auto south = tv::calcNavToVor(48.0, 9.0, 48.5, 9.0, 0.0);
    ASSERT_TRUE(south);
    EXPECT_NEAR(south->bearingDeg, 180.0, 1e-3);
}

TEST(VorNavigation, SamePositionOrNoPositionYetChangesNothing)
{
    EXPECT_FALSE(tv::calcNavToVor(48.0, 9.0, 48.0, 9.0, 12.0));
    EXPECT_FALSE(tv::calcNavToVor(48.0, 9.0, 0.0, 9.0, 12.0));
    EXPECT_FALSE(tv::calcNavToVor(48.0, 0.0, 47.0, 9.0, 12.0));
}

TEST(VorNavigation, PositionsAFewMetresApartKeepTheLastBearing)
{
    const auto metres = tv::calcNavToVor(48.00001, 9.0, 48.0, 9.0, 123.0);
    ASSERT_TRUE(metres);
    EXPECT_DOUBLE_EQ(metres->bearingDeg, 123.0);
    EXPECT_LT(metres->distanceNm, 0.01);

    const auto rounding = tv::calcNavToVor(48.000000001, 9.0, 48.0, 9.0, 77.0);
    ASSERT_TRUE(rounding);
    EXPECT_DOUBLE_EQ(rounding->bearingDeg, 77.0);
    EXPECT_EQ(tv::vorDistanceText(rounding->distanceNm), "0.0");
}

TEST(VorDistanceLabel, OneDecimalBelowThirtyMiles)
{
    EXPECT_EQ(tv::vorDistanceText(29.96), "30.0");
    EXPECT_EQ(tv::vorDistanceText(30.2), "30");
    EXPECT_EQ(tv::vorDistanceText(5.04), "5.0");
    EXPECT_EQ(tv::vorDistanceText(0.04), "0.0");
    EXPECT_EQ(tv::vorDistanceText(152.6), "153");
}
