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

TEST(HsiToFromFlag, CourseWithin90DegreesOfTheBearingShowsTo)
{
    EXPECT_TRUE(tv::hsiShowsTo(90, 80.0));
    EXPECT_FALSE(tv::hsiShowsTo(90, 260.0));
    EXPECT_TRUE(tv::hsiShowsTo(0, 89.0));
    EXPECT_FALSE(tv::hsiShowsTo(0, 90.0));   // exactly abeam counts as FROM
    EXPECT_FALSE(tv::hsiShowsTo(90, 180.5)); // 180.5 - 90 rounds to 90 (halves to even)
}

TEST(HsiToFromFlag, CoursesAcrossNorthAreComparedRoundTheCompass)
{
    EXPECT_TRUE(tv::hsiShowsTo(5, 355.0));
    EXPECT_TRUE(tv::hsiShowsTo(355, 5.0));
    EXPECT_FALSE(tv::hsiShowsTo(175, 355.0));
    EXPECT_TRUE(tv::hsiShowsTo(360, 10.0));
}

TEST(HsiDeviation, TenDegreesOffIsFiftyUnitsAndTwelveHidesTheBar)
{
    EXPECT_DOUBLE_EQ(tv::hsiDeviationDeg(90, 80.0), 10.0);
    EXPECT_DOUBLE_EQ(tv::hsiDeviationDeg(90, 77.0), 13.0);
    EXPECT_DOUBLE_EQ(tv::hsiDeviationDeg(90, 80.0) * tv::kHsiUnitsPerDegree, 50.0);
    EXPECT_GE(tv::hsiDeviationDeg(90, 78.0) * tv::kHsiUnitsPerDegree, tv::kHsiBarLimit);
}

TEST(HsiDeviation, FlyingFromTheStationUsesTheReciprocalCourse)
{
    // Course 090, bearing to the station 260: 10 degrees off the outbound radial, bar right.
    EXPECT_DOUBLE_EQ(tv::hsiDeviationDeg(90, 260.0), -10.0);
    EXPECT_DOUBLE_EQ(tv::hsiDeviationDeg(260, 90.0), 10.0);
}

TEST(HsiDeviation, CoursesAcrossNorthGiveTheSmallDifference)
{
    EXPECT_DOUBLE_EQ(tv::hsiDeviationDeg(5, 355.0), 10.0);
    EXPECT_DOUBLE_EQ(tv::hsiDeviationDeg(355, 5.0), -10.0);
    EXPECT_DOUBLE_EQ(tv::hsiDeviationDeg(360, 2.0), -2.0);
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
