#include "flight/WindCalc.h"
#include "map/DrawSurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

using tv::CalcWind;
using tv::solveWind;
using tv::WindInputs;

namespace {

// A GPS value as its display shows it; "---" is none.
std::optional<double> shown(const char* display)
{
    if (QString::fromUtf8(display) == QStringLiteral("---"))
        return std::nullopt;
    return QString::fromUtf8(display).toDouble();
}

WindInputs captions(const char* ias, const char* heading, const char* speed, const char* bearing,
                    const char* alt = "0", bool feet = true)
{
    return {QString::fromUtf8(ias),
            QString::fromUtf8(heading),
            shown(speed),
            shown(bearing),
            shown(alt),
            feet};
}

} // namespace

// The IAS box's tool tip: the true airspeed on a day 10 degrees colder than standard, on a
// standard day and on a day 10 degrees warmer, at the altitude shown (feet).
TEST(TrueAirspeed, ToolTipShowsColdStandardAndWarmDays)
{
    const struct
    {
        const char* ias;
        double altitudeFt;
        QString toolTip;
    } cases[] = {
        {"100", 6000.0,
         QStringLiteral(" TAS 108 (ISA-10)  |  TAS 110 (ISA)  |  TAS 112 (ISA+10) ")},
        // At sea level the cold day is below IAS.
        {"100", 0.0, QStringLiteral(" TAS 98 (ISA-10)  |  TAS 100 (ISA)  |  TAS 102 (ISA+10) ")},
        {"---", 6000.0, QString()}, // no IAS entered: no tool tip
    };
    for (const auto& c : cases)
        EXPECT_EQ(tv::ShowTAS(QString::fromLatin1(c.ias), c.altitudeFt), c.toolTip)
            << c.ias << " at " << c.altitudeFt << " ft";
}

TEST(TrueAirspeed, AboveFlightLevel300TheFactorGrowsFaster)
{
    EXPECT_DOUBLE_EQ(tv::tasPercent(30000.0), 50.0);
    EXPECT_NEAR(tv::tasPercent(30001.0), 60.002, 1e-9);
    EXPECT_DOUBLE_EQ(tv::tasPercent(6000.0), 10.0);
}

TEST(TrueAirspeed, WindCalculationWritesTheToolTipWithoutTrailingBlank)
{
    const auto result = CalcWind(captions("100", "090", "100", "090", "6000"));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->iasToolTip,
              QStringLiteral(" TAS 108 (ISA-10)  |  TAS 110 (ISA)  |  TAS 112 (ISA+10)"));
    EXPECT_DOUBLE_EQ(result->tas, 110.0);
}

TEST(TrueAirspeed, MetresAltitudeIsConvertedToFeet)
{
    // 1828.8 m is 5999.9 ft: p is just under 10.
    const auto result = CalcWind(captions("100", "090", "100", "090", "1829", false));
    ASSERT_TRUE(result);
    EXPECT_NEAR(result->tas, 100 + 1829 * 3.2808 / 600, 1e-9);
    const auto noAltitude = CalcWind(captions("100", "090", "100", "090", "---", false));
    ASSERT_TRUE(noAltitude);
    EXPECT_DOUBLE_EQ(noAltitude->tas, 100.0);
}

TEST(WindTriangle, HeadingEqualsTrackAndTasEqualsGroundSpeedIsCalm)
{
    const auto wind = solveWind(90, 90, 120, 120);
    EXPECT_DOUBLE_EQ(wind.speed, 0.0);
    EXPECT_EQ(tv::windCaption(wind), QStringLiteral("--- / ---"));
    const auto result = CalcWind(captions("120", "090", "120", "090"));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->windText, QStringLiteral("--- / ---"));
    EXPECT_DOUBLE_EQ(result->relativeDeg, 0.0); // arrow from straight ahead
}

TEST(WindTriangle, PureCrosswindFromTheEast)
{
    // Flying south at TAS 100 with 20 kt from 090: heading 180 - asin(0.2), ground speed
    // 100 cos(asin 0.2).
    const double wca = std::asin(0.2) * 180.0 / 3.14159265358979;
    const double gs = 100.0 * std::cos(std::asin(0.2));
    const auto wind = solveWind(180.0 - wca, 180.0, 100.0, gs);
    EXPECT_NEAR(wind.speed, 20.0, 1e-6);
    EXPECT_NEAR(wind.directionDeg, 90.0, 1e-4);
    EXPECT_EQ(tv::windCaption(wind), QStringLiteral("090 / 20"));
}

TEST(WindTriangle, DriftToTheRightGivesWindFromTheLeft)
{
    const auto result = CalcWind(captions("110", "090", "100", "100"));
    ASSERT_TRUE(result);
    EXPECT_NEAR(result->wind.speed, 20.84, 0.005);
    EXPECT_NEAR(result->wind.directionDeg, 33.56, 0.005);
    EXPECT_EQ(result->windText, QStringLiteral("034 / 21"));
}

TEST(WindTriangle, HeadAndTailWindsOnTheTrack)
{
    EXPECT_EQ(tv::windCaption(solveWind(90, 90, 120, 100)), QStringLiteral("090 / 20"));
    EXPECT_EQ(tv::windCaption(solveWind(90, 90, 120, 130)), QStringLiteral("270 / 10"));
    EXPECT_EQ(tv::windCaption(solveWind(270, 270, 120, 130)), QStringLiteral("090 / 10"));
}

TEST(WindTriangle, HeadWindOnANorthHeadingShowsNoWind)
{
    // The direction comes out as 0, which the display takes as "no wind".
    const auto wind = solveWind(0, 0, 120, 100);
    EXPECT_DOUBLE_EQ(wind.directionDeg, 0.0);
    EXPECT_EQ(tv::windCaption(wind), QStringLiteral("--- / ---"));
}

TEST(WindTriangle, DriftAcrossNorthIsTakenTheShortWayRound)
{
    // Heading 350, track 010: a 20 degree drift to the right, wind from the left.
    const auto right = solveWind(350, 10, 110, 100);
    const auto sameDrift = solveWind(90, 110, 110, 100);
    EXPECT_NEAR(right.speed, sameDrift.speed, 1e-9);
    EXPECT_NEAR(right.directionDeg, std::fmod(sameDrift.directionDeg - 90 + 350, 360.0), 1e-9);
    // Heading 010, track 350: the mirror image, wind from the right.
    const auto left = solveWind(10, 350, 110, 100);
    EXPECT_NEAR(left.speed, right.speed, 1e-9);
    EXPECT_NEAR(left.directionDeg, 360.0 - right.directionDeg, 1e-9);
}

TEST(WindTriangle, NoTrackOrNoGroundSpeedLeavesTheDisplayAlone)
{
    EXPECT_FALSE(CalcWind(captions("110", "090", "---", "100")));
    EXPECT_FALSE(CalcWind(captions("110", "090", "100", "---")));
}

TEST(WindTriangle, ZeroTasGivesNoDivision)
{
    const auto wind = solveWind(90, 100, 0, 100);
    EXPECT_TRUE(std::isfinite(wind.directionDeg));
    EXPECT_NEAR(wind.speed, 100.0, 1e-9);
    const auto result = CalcWind(captions("---", "---", "0", "0"));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->windText, QStringLiteral("--- / ---"));
}

TEST(WindArrow, ShaftComesFromTheSideTheWindBlowsFrom)
{
    const auto ahead = tv::windArrowGeometry(0);
    EXPECT_NEAR(ahead.shaft.x1(), 50, 1e-6);
    EXPECT_NEAR(ahead.shaft.y1(), 0, 1e-6);
    EXPECT_EQ(ahead.shaft.p2(), QPointF(50, 50));
    // The barbs point back up, 45 degrees either side.
    EXPECT_NEAR(ahead.barbFirst.x2(), 50 + 20 * std::sqrt(0.5), 1e-6);
    EXPECT_NEAR(ahead.barbFirst.y2(), 50 - 20 * std::sqrt(0.5), 1e-6);
    EXPECT_NEAR(ahead.barbSecond.x2(), 50 - 20 * std::sqrt(0.5), 1e-6);
    EXPECT_NEAR(ahead.barbSecond.y2(), 50 - 20 * std::sqrt(0.5), 1e-6);
}

TEST(WindArrow, WindFromTheRightIsDrawnOnTheRight)
{
    tv::DrawSurface picWind(33, 33, 0x000000);
    tv::drawWindArrow(picWind, 90);
    EXPECT_DOUBLE_EQ(picWind.ScaleWidth(), 100);
    EXPECT_EQ(picWind.Point(85, 50), 0x00FF00);
    EXPECT_EQ(picWind.Point(15, 50), 0x000000);
    // Drawn afresh each time: the old arrow is gone.
    tv::drawWindArrow(picWind, 270);
    EXPECT_EQ(picWind.Point(85, 50), 0x000000);
    EXPECT_EQ(picWind.Point(15, 50), 0x00FF00);
}

TEST(WindEntryKeys, HeadingThenAirspeedThreeDigitsEach)
{
    struct Case
    {
        const char* keys; // '\b' Backspace, 'a' a key that is no digit of the main keyboard
        const char *heading, *ias;
        bool complete;
    };
    const Case cases[] = {
        {"1", "1--", "---", false},
        {"12", "12-", "---", false},
        {"123", "123", "---", false},
        {"12395", "123", "95-", false},
        {"123950", "123", "950", true},
        {"1239504", "4--", "---", false}, // the next key begins a new heading
        {"\b", "---", "---", false},
        {"12\b", "1--", "---", false},
        {"1\b\b", "---", "---", false},
        {"123\b", "123", "---", false}, // Backspace goes to the airspeed once the heading is whole
        {"a1a", "1--", "---", false},
        {"400", "400", "---", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        tv::WindEntry entry;
        tv::WindEntry::KeyResult last;
        for (const char* k = c.keys; *k; ++k)
            last = entry.key(*k == '\b' ? 8 : *k == 'a' ? 97 : *k);
        EXPECT_EQ(entry.heading, c.heading);
        EXPECT_EQ(entry.ias, c.ias);
        EXPECT_EQ(last.complete, c.complete);
    }
}

TEST(WindEntryKeys, AHeadingAbove360IsShownOnRedAndANewEntryClearsTheTip)
{
    tv::WindEntry entry;
    for (const char k : std::string("361"))
        entry.key(k);
    EXPECT_TRUE(entry.headingTooHigh());
    for (const char k : std::string("100"))
        EXPECT_FALSE(entry.key(k).newEntry);
    EXPECT_TRUE(entry.key('3').newEntry);
    EXPECT_FALSE(entry.headingTooHigh());
}
