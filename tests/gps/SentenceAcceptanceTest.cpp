#include "gps/RecordingEvents.h"
#include "gps/VB6NmeaInterpreter.h"

#include <gtest/gtest.h>

#include <string>

using tvtest::RecordingEvents;
using tvtest::withChecksum;

namespace {

class SentenceAcceptance : public ::testing::Test
{
protected:
    SentenceAcceptance() { gps.setEvents(&events); }

    tv::VB6NmeaInterpreter gps;
    RecordingEvents events;
};

TEST_F(SentenceAcceptance, PositionReportWithRightChecksumIsAccepted)
{
    EXPECT_TRUE(gps.Parse("$GPGLL,4916.45,N,12311.12,W,225444,A*31"));
    EXPECT_EQ(events.log, (std::vector<std::string>{
                              "PositionReceived(N 49\xC2\xB0 16.45', W 123\xC2\xB0 11.12', "
                              "4916.45, 12311.12)",
                              "TimeChanged(22:54:44)",
                              "FixObtained()",
                          }));
}

TEST_F(SentenceAcceptance, RecommendedMinimumNeedsUpperCaseChecksumDigits)
{
    EXPECT_TRUE(gps.Parse("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A"));
    events.clear();
    EXPECT_FALSE(gps.Parse("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6a"));
    EXPECT_TRUE(events.log.empty());
}

TEST_F(SentenceAcceptance, DollarInsideTheBodyIsLeftOutOfTheChecksum)
{
    // Same characters as the accepted GLL sentence plus a "$": the checksum stays 31.
    EXPECT_TRUE(gps.Parse("$GPGLL,4916.45,N,12311.12,W,225444,A$*31"));
    EXPECT_EQ(events.count("FixObtained"), 0); // the status word is now "A$"
    EXPECT_EQ(events.count("TimeChanged(22:54:44)"), 1);
}

TEST_F(SentenceAcceptance, SentenceWithoutStarIsCheckedAgainstItsOwnLastCharacters)
{
    // Without "*" every character counts, the last two included: 0x4B here. The last three
    // characters are then dropped as if they were "*" and the digits.
    EXPECT_TRUE(gps.Parse("$GPGLL,,,,,,A,4B"));
    EXPECT_EQ(events.log, (std::vector<std::string>{"FixObtained()"}));
    events.clear();
    EXPECT_FALSE(gps.Parse("$GPGLL,,,,,,A,4C"));
    EXPECT_FALSE(gps.Parse("$GPGLL,4916.45,N,12311.12,W,225444,A"));
    EXPECT_TRUE(events.log.empty());
}

// Texts refused whole: Parse says no and not one event is raised.
TEST_F(SentenceAcceptance, RefusedTextsRaiseNoEvent)
{
    const std::string gll = "$GPGLL,4916.45,N,12311.12,W,225444,A*31"; // accepted as it is
    const struct
    {
        const char* why;
        std::string text;
    } cases[] = {
        {"wrong checksum", "$GPGLL,4916.45,N,12311.12,W,225444,A*1D"},
        {"empty", ""},
        {"a dollar alone", "$"},
        {"a star alone", "*"},
        {"one digit", "0"},
        {"a checksum without identifier", "$*00"},
        {"CR after the checksum", gll + "\r"},
        {"blank after the checksum", gll + " "},
        {"CR LF after the checksum", gll + "\r\n"},
        {"track and speed sentence", withChecksum("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K")},
        {"fix data of the GNSS talker",
         withChecksum("$GNGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,")},
        {"minimum data of the GNSS talker",
         withChecksum("$GNRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W")},
        {"BeiDou talker", withChecksum("$BDGSA,A,1,,,,,,,,,,,,,0.0,0.0,0.0")},
        {"lower-case identifier", withChecksum("$gpgll,4916.45,N,12311.12,W,225444,A")},
        {"longer identifier", withChecksum("$GPGLLX,4916.45,N,12311.12,W,225444,A")},
        {"no dollar", withChecksum("GPGLL,4916.45,N,12311.12,W,225444,A")},
        {"blank before the dollar", withChecksum(" $GPGLL,4916.45,N,12311.12,W,225444,A")},
    };
    for (const auto& c : cases) {
        events.clear();
        EXPECT_FALSE(gps.Parse(c.text)) << c.why;
        EXPECT_TRUE(events.log.empty()) << c.why;
    }
}

TEST_F(SentenceAcceptance, IdentifierAloneIsAcceptedAndRaisesOnlyTheAlwaysPresentEvents)
{
    EXPECT_TRUE(gps.Parse(withChecksum("$GPRMC")));
    EXPECT_TRUE(gps.Parse(withChecksum("$GPGGA")));
    EXPECT_TRUE(gps.Parse(withChecksum("$GPGLL")));
    EXPECT_TRUE(gps.Parse(withChecksum("$GPGSV")));
    EXPECT_TRUE(events.log.empty());
    EXPECT_TRUE(gps.Parse(withChecksum("$GPGSA")));
    EXPECT_EQ(events.log.size(), 12u); // the twelve channels, all 0
    EXPECT_EQ(events.count("Ch12SatReceived(0)"), 1);
}

TEST_F(SentenceAcceptance, WithoutSubscriberSentencesAreStillCheckedAndDecoded)
{
    tv::VB6NmeaInterpreter lonely;
    EXPECT_TRUE(lonely.Parse("$GPGLL,4916.45,N,12311.12,W,225444,A*31"));
    EXPECT_FALSE(lonely.Parse("$GPGLL,4916.45,N,12311.12,W,225444,A*1D"));
    gps.setEvents(nullptr);
    EXPECT_TRUE(gps.Parse("$GPGLL,4916.45,N,12311.12,W,225444,A*31"));
    EXPECT_TRUE(events.log.empty());
}

TEST_F(SentenceAcceptance, VeryLongSentenceIsCheckedLikeAnyOther)
{
    // Beyond 32767 characters, where a 16-bit character counter would wrap.
    const std::string station(40000, '7');
    const std::string sentence = withChecksum("$GPGGA,123519,,,,,,,,,,,,," + station);
    ASSERT_GT(sentence.size(), 40000u);
    EXPECT_TRUE(gps.Parse(sentence));
    ASSERT_EQ(events.log.size(), 2u);
    EXPECT_EQ(events.log[0], "TimeChanged(12:35:19)");
    EXPECT_EQ(events.log[1], "DGPSstationIDReceived(" + station + ")");

    std::string broken = sentence;
    broken[35000] = '8';
    events.clear();
    EXPECT_FALSE(gps.Parse(broken));
    EXPECT_TRUE(events.log.empty());
}

} // namespace
