// The typed fix as the receiver's sentences build it, one group of events at a time.
#include "gps/GpsFix.h"

#include "gps/RecordingEvents.h"
#include "gps/VB6NmeaInterpreter.h"
#include "support/Dates.h"
#include "support/NmeaText.h"

#include <gtest/gtest.h>

using tvtest::withChecksum;

namespace {

class GpsFixFromSentences : public ::testing::Test
{
protected:
    GpsFixFromSentences() : builder(&forwarded) { gps.setEvents(&builder); }

    void feed(const std::string& body) { ASSERT_TRUE(gps.Parse(withChecksum(body))); }
    const tv::GpsFix& fix() const { return builder.fix(); }

    tvtest::RecordingEvents forwarded;
    tv::GpsFixBuilder builder;
    tv::VB6NmeaInterpreter gps;
};

const char* kRmcValid = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W";
const char* kRmcVoid = "$GPRMC,123521,V,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W";

using FixPosition = GpsFixFromSentences;
using FixMotion = GpsFixFromSentences;
using FixAltitude = GpsFixFromSentences;
using FixClock = GpsFixFromSentences;
using FixState = GpsFixFromSentences;
using FixSatellites = GpsFixFromSentences;
using FixForwarding = GpsFixFromSentences;

TEST_F(FixPosition, PositionWithAFixIsInDecimalDegreesSouthAndWestNegative)
{
    struct Case
    {
        const char* sentence;
        double lat;
        double lon;
    };
    const Case cases[] = {
        {"$GPRMC,123519,A,4807.038,N,01131.000,E,,,230394,,", 48.1173, 11.516666666666667},
        {"$GPRMC,123519,A,3351.000,S,15112.600,E,,,230394,,", -33.85, 151.21},
        {"$GPRMC,123519,A,4043.800,N,07400.600,W,,,230394,,", 40.73, -74.01},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sentence);
        feed(c.sentence);
        EXPECT_TRUE(fix().hasPosition);
        EXPECT_NEAR(fix().latDeg, c.lat, 1e-9);
        EXPECT_NEAR(fix().lonDeg, c.lon, 1e-9);
    }
}

TEST_F(FixPosition, PositionWithoutAFixKeepsTheAircraftWhereItWas)
{
    feed(kRmcValid);
    feed("$GPRMC,123521,V,5000.000,N,00800.000,E,,,230394,,");
    EXPECT_FALSE(fix().hasPosition);
    EXPECT_NEAR(fix().latDeg, 48.1173, 1e-9);
}

TEST_F(FixMotion, SpeedInKnotsAndTrackInDegreesTrue)
{
    feed(kRmcValid);
    EXPECT_EQ(fix().speedKt, 22.4);
    EXPECT_EQ(fix().trackDegTrue, 84.4);
    EXPECT_EQ(tv::shownTrackDeg(fix()), 84.0);
}

TEST_F(FixMotion, ValuesReceivedWithoutAFixAreGoneAsTheDisplaysShowThem)
{
    feed(kRmcValid);
    feed(kRmcVoid);
    EXPECT_FALSE(fix().speedKt);
    EXPECT_FALSE(fix().trackDegTrue);
    EXPECT_EQ(tv::shownTrackDeg(fix()), 0.0);
}

TEST_F(FixMotion, ALostFixWithEmptyFieldsClearsSpeedTrackAndAltitude)
{
    feed(kRmcValid);
    feed("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
    feed("$GPRMC,,V,,,,,,,,,");
    EXPECT_FALSE(fix().speedKt);
    EXPECT_FALSE(fix().trackDegTrue);
    EXPECT_FALSE(fix().altitudeM);
    EXPECT_NEAR(fix().latDeg, 48.1173, 1e-9) << "the aircraft stays where it was";
}

TEST_F(FixMotion, ShownTrackRoundsHalvesToEvenLikeTheDisplay)
{
    feed("$GPRMC,123519,A,4807.038,N,01131.000,E,0,359.5,230394,,");
    EXPECT_EQ(tv::shownTrackDeg(fix()), 360.0);
    feed("$GPRMC,123519,A,4807.038,N,01131.000,E,0,358.5,230394,,");
    EXPECT_EQ(tv::shownTrackDeg(fix()), 358.0);
}

TEST_F(FixMotion, ClearedDisplaysClearTheShownValuesButNotThePosition)
{
    feed(kRmcValid);
    builder.clearShownValues();
    EXPECT_FALSE(fix().speedKt);
    EXPECT_FALSE(fix().trackDegTrue);
    EXPECT_TRUE(fix().hasPosition);
    EXPECT_TRUE(fix().valid);
}

TEST_F(FixAltitude, AltitudeInMetresFromGga)
{
    feed(kRmcValid);
    feed("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
    EXPECT_EQ(fix().altitudeM, 545.4);
}

TEST_F(FixAltitude, ShownAltitudeIsWholeFeetOrMetresAsTheDisplayShowsIt)
{
    feed(kRmcValid);
    feed("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,304.8,M,46.9,M,,");
    EXPECT_EQ(tv::shownAltitude(fix(), true), 1000.0); // 999.99 ft shows as 1000
    EXPECT_EQ(tv::shownAltitude(fix(), false), 305.0);
    feed(kRmcVoid);
    feed("$GPGGA,123521,4807.038,N,01131.000,E,0,00,,304.8,M,,M,,");
    EXPECT_FALSE(tv::shownAltitude(fix(), true));
}

TEST_F(FixMotion, ShownSpeedIsWholeKnotsOrKilometresPerHour)
{
    feed(kRmcValid);
    EXPECT_EQ(tv::shownSpeed(fix(), true), 22.0);
    EXPECT_EQ(tv::shownSpeed(fix(), false), 41.0); // 41.48 km/h
}

TEST_F(FixAltitude, AltitudeWithoutAFixIsNone)
{
    feed("$GPGGA,123519,4807.038,N,01131.000,E,0,00,,545.4,M,,M,,");
    EXPECT_FALSE(fix().altitudeM);
}

TEST_F(FixClock, UtcTimeAndDateAsTextAndAsNumbers)
{
    feed(kRmcValid);
    EXPECT_EQ(fix().utcTime, "12:35:19");
    EXPECT_EQ(fix().utcTimeOfDay, std::chrono::seconds(12 * 3600 + 35 * 60 + 19));
    EXPECT_EQ(fix().utcDate, "23/03/94");
    EXPECT_EQ(fix().utcDay, tvtest::day(1994, 3, 23));
    feed("$GPRMC,000000,A,4807.038,N,01131.000,E,,,091226,,");
    EXPECT_EQ(fix().utcDay, tvtest::day(2026, 12, 9));
}

TEST_F(FixClock, ADateThatIsNoCalendarDayKeepsItsTextOnly)
{
    feed("$GPRMC,123519,A,4807.038,N,01131.000,E,,,310294,,");
    EXPECT_EQ(fix().utcDate, "31/02/94");
    EXPECT_FALSE(fix().utcDay);
}

TEST_F(FixClock, EveryEventMarksTheTimeOfTheLastUpdate)
{
    EXPECT_FALSE(fix().lastUpdate);
    const auto before = std::chrono::steady_clock::now();
    feed("$GPGSV,2,1,08,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45");
    ASSERT_TRUE(fix().lastUpdate);
    EXPECT_GE(*fix().lastUpdate, before);
}

TEST_F(FixState, StatusOfRmcAndGllDecidesTheFix)
{
    feed(kRmcValid);
    EXPECT_TRUE(fix().valid);
    feed("$GPGLL,4807.038,N,01131.000,E,123520,V");
    EXPECT_FALSE(fix().valid);
}

TEST_F(FixState, GgaQualityIsKeptAsTheReceiverSaysIt)
{
    struct Case
    {
        const char* quality;
        tv::FixQuality expected;
    };
    const Case cases[] = {{"0", tv::FixQuality::Invalid},
                          {"1", tv::FixQuality::Sps},
                          {"2", tv::FixQuality::Dgps},
                          {"3", tv::FixQuality::Pps}};
    for (const Case& c : cases) {
        feed(std::string("$GPGGA,123519,4807.038,N,01131.000,E,") + c.quality +
             ",08,0.9,545.4,M,46.9,M,,");
        EXPECT_EQ(fix().quality, c.expected) << c.quality;
    }
}

TEST_F(FixSatellites, SatellitesUsedAndInView)
{
    feed("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
    feed("$GPGSV,2,1,08,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45");
    EXPECT_EQ(fix().satellitesUsed, 8);
    EXPECT_EQ(fix().satellitesInView, 8);
}

TEST_F(FixForwarding, EveryEventReachesTheWindowAfterTheFixWasUpdated)
{
    feed("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
    feed(kRmcValid);
    tvtest::RecordingEvents direct;
    tv::VB6NmeaInterpreter plain;
    plain.setEvents(&direct);
    ASSERT_TRUE(plain.Parse(
        withChecksum("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,")));
    ASSERT_TRUE(plain.Parse(withChecksum(kRmcValid)));
    EXPECT_EQ(forwarded.log, direct.log);
}

} // namespace
