// The GPS displays as they show the fix, in the units the pilot switched to.
#include "flight/GpsDisplay.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(GpsDisplays, ShowTheFixInTheChosenUnits)
{
    struct Case
    {
        const char* name;
        std::optional<double> knots, track, metres;
        bool kts, feet;
        const char *speed, *bearing, *altitude;
    };
    const Case cases[] = {
        {"knots and feet", 12.3, 84.4, 304.8, true, true, "12", "084", "1000"},
        {"km/h and metres", 12.3, 84.4, 304.8, false, false, "23", "084", "305"},
        {"359.6 degrees show as 360", 0.0, 359.6, 0.0, true, true, "0", "360", ""},
        {"0.3 m shows nothing in metres", 0.0, 0.0, 0.3, true, false, "0", "000", ""},
        {"0.3 m in feet", 0.0, 0.0, 0.3, true, true, "0", "000", "1"},
        {"below sea level keeps the sign", 0.0, 0.0, -12.0, true, false, "0", "000", "-12"},
        {"no fix: dashes", std::nullopt, std::nullopt, std::nullopt, true, true, "---", "---",
         "---"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tv::GpsFix fix;
        fix.speedKt = c.knots;
        fix.trackDegTrue = c.track;
        fix.altitudeM = c.metres;
        EXPECT_EQ(tv::speedText(fix, c.kts), c.speed);
        EXPECT_EQ(tv::trackText(fix), c.bearing);
        // The course instrument turns by the track the display shows.
        EXPECT_EQ(tv::shownTrack(fix),
                  c.track ? std::optional(std::stod(c.bearing)) : std::nullopt);
        EXPECT_EQ(tv::altitudeText(fix, c.feet), c.altitude);
    }
    EXPECT_EQ(tv::speedUnitText(false), "km/h");
    EXPECT_EQ(tv::altitudeUnitText(false), "m");
}

TEST(GpsDisplays, SatelliteTipCountsUsedAndInView)
{
    tv::GpsFix fix;
    fix.satellitesInView = 12;
    EXPECT_EQ(tv::satelliteTip(fix), "Sat: /12") << "before the first count of satellites used";
    fix.satellitesUsed = 7;
    EXPECT_EQ(tv::satelliteTip(fix), "Sat: 7/12");
}

} // namespace
