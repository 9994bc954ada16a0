#include "support/QtPrint.h"

#include "flight/RouteNav.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tv;

namespace {

const GeoPos kHome{48.0, 11.0};

// A position `nm` nautical miles north of `p` (one minute of latitude each).
GeoPos northOf(GeoPos p, double nm)
{
    return {p.latDeg + nm / 60.0, p.lonDeg};
}

TargetInputs inputsFor(GeoPos target, GeoPos own, int64_t pointRowId = 1)
{
    TargetInputs in;
    in.target = target;
    in.own = own;
    in.key = {false, pointRowId, target.latDeg, target.lonDeg};
    in.groundSpeed = 120.0;
    in.now = QTime(12, 0);
    return in;
}

// `speed` as the speed display shows it; "---" is none.
QString timeAt(double nm, const char* speed, bool knots = true)
{
    const QString shown = QString::fromLatin1(speed);
    const std::optional<double> groundSpeed =
        shown == QStringLiteral("---") ? std::nullopt : std::optional<double>(shown.toDouble());
    return timeText(hoursEnRoute(nm, groundSpeed, knots), true, QTime(12, 0));
}

} // namespace

TEST(TargetFigures, DistanceAndCourseToEachQuarter)
{
    EXPECT_EQ(distanceText(*targetDistanceNm({48.5, 11.0}, kHome)), "30.0 NM");
    EXPECT_EQ(courseText(*courseToTargetDeg({48.5, 11.0}, kHome)), "360 °");
    EXPECT_NEAR(*courseToTargetDeg({48.0, 11.2}, kHome), 89.9, 0.1);
    EXPECT_NEAR(*courseToTargetDeg({47.5, 11.0}, kHome), 180.0, 1e-6);
    EXPECT_NEAR(*courseToTargetDeg({48.0, 10.8}, kHome), 270.0, 0.2);
    EXPECT_EQ(distanceText(0.04), "0.0 NM");
}

TEST(TargetFigures, NoPositionOrTargetOnTheAircraftLeavesTheFiguresAlone)
{
    RouteNavState state;
    state.PrevTargetDistance = 3.0;
    EXPECT_FALSE(calcNavToTarget(state, inputsFor(kHome, kHome)));
    EXPECT_FALSE(calcNavToTarget(state, inputsFor({48.5, 11.0}, {0.0, 11.0})));
    EXPECT_FALSE(calcNavToTarget(state, inputsFor({48.5, 0.0}, kHome)));
    EXPECT_EQ(state.PrevTargetDistance, 3.0);
    EXPECT_FALSE(state.referenceTarget);
}

TEST(TargetFigures, AFewMetresApartKeepTheLastCourse)
{
    // About 2 m, 0.2 m and a hair apart: no direction, and the formula's divisor is (nearly) 0.
    for (const double d : {1.7e-5, 1.7e-6, 1e-12}) {
        RouteNavState state;
        const auto figures = calcNavToTarget(state, inputsFor({48.0 + d, 11.0 + d}, kHome));
        ASSERT_TRUE(figures) << d;
        EXPECT_FALSE(figures->courseText) << d;
        EXPECT_EQ(figures->distanceText, "0.0 NM");
        EXPECT_EQ(figures->timeText, "00:00");
    }
    // 50 m apart still give one.
    EXPECT_NEAR(*courseToTargetDeg({48.0, 11.0007}, kHome), 90.0, 0.5);
}

TEST(TimeEnRoute, ShownAsThePilotExpects)
{
    EXPECT_EQ(timeAt(30.0, "10"), "00:00"); // 10 kt itself gives no time
    EXPECT_EQ(timeAt(30.0, "---"), "00:00");
    EXPECT_EQ(timeAt(30.0, "10.1"), "02:58");
    EXPECT_EQ(timeAt(30.0, "60"), "00:30");
    EXPECT_EQ(timeAt(0.6, "60"), "00:36");                   // 36 seconds
    EXPECT_EQ(timeAt(54.0, "100", false), "01:00");          // 100.008 km at 100 km/h
    EXPECT_EQ(timeText(1.0, false, QTime(23, 30)), "00:30"); // arrival after midnight
    EXPECT_EQ(timeText(1.5, false, QTime(9, 15, 40)), "10:45");
}

TEST(TimeEnRoute, ADayOrMoreShowsAllItsHours)
{
    EXPECT_EQ(timeAt(300.0, "12"), "25:00");
    EXPECT_EQ(timeText(25.0, false, QTime(10, 0)), "11:00");
    EXPECT_EQ(timeText(1000.0 + 5.0 / 60.0 + 1e-9, true, QTime(12, 0)), "1000:05");
}

TEST(AutomaticAdvance, OnlyAGrowthOfLessThanAMileWithinFiveMilesSteps)
{
    EXPECT_TRUE(automaticAdvanceDue(2.0, 2.5));
    EXPECT_TRUE(automaticAdvanceDue(4.5, 4.9));
    EXPECT_FALSE(automaticAdvanceDue(2.0, 3.0)); // exactly 1.0 NM more
    EXPECT_FALSE(automaticAdvanceDue(2.0, 2.0)); // unchanged
    EXPECT_FALSE(automaticAdvanceDue(2.0, 1.5)); // closing in
    EXPECT_FALSE(automaticAdvanceDue(4.5, 5.0)); // 5 NM away
}

TEST(AutomaticAdvance, PassingAPointStepsOnButACloseNextPointIsNotSkipped)
{
    // Two points 1.2 NM apart. Approaching the first does nothing; passing it steps on. The
    // next point is then 0.9 NM away, farther than the point just passed, but it is new.
    RouteNavState state;
    const GeoPos first = northOf(kHome, 10.0);
    const GeoPos second = northOf(first, 1.2);
    for (const double nm : {-2.0, -0.5, -0.2})
        EXPECT_FALSE(calcNavToTarget(state, inputsFor(first, northOf(first, nm), 1))->advance);
    const auto passed = calcNavToTarget(state, inputsFor(first, northOf(first, 0.3), 1));
    EXPECT_TRUE(passed->advance);
    EXPECT_EQ(passed->distanceText, "0.3 NM"); // still the point just passed

    const auto next = calcNavToTarget(state, inputsFor(second, northOf(first, 0.3), 2));
    EXPECT_FALSE(next->advance);
    EXPECT_NEAR(state.PrevTargetDistance, 0.9, 1e-6);
    calcNavToTarget(state, inputsFor(second, northOf(second, -0.1), 2));
    EXPECT_TRUE(calcNavToTarget(state, inputsFor(second, northOf(second, 0.2), 2))->advance);
}

TEST(AutomaticAdvance, DirectFlightNeverSteps)
{
    RouteNavState state;
    const GeoPos point = northOf(kHome, 10.0);
    auto in = inputsFor(point, northOf(point, -0.1));
    in.directFly = true;
    in.key.direct = true;
    calcNavToTarget(state, in);
    in.own = northOf(point, 0.2);
    EXPECT_FALSE(calcNavToTarget(state, in)->advance);
}
