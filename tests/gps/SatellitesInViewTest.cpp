#include "gps/RecordingEvents.h"
#include "gps/VB6NmeaInterpreter.h"

#include <gtest/gtest.h>

using tvtest::RecordingEvents;
using tvtest::withChecksum;
using Log = std::vector<std::string>;

namespace {

class GsvNumbering : public tvtest::ParsedSentences
{
};

TEST_F(GsvNumbering, ThreeMessagesNumberTwelveSatellitesInTurn)
{
    // SatelliteReceived(number, prn, azimuth, elevation, snr): azimuth before elevation.
    EXPECT_EQ(raised("$GPGSV,3,1,11,01,78,221,47,03,09,042,00,04,05,242,00,06,04,149,00"),
              (Log{
                  "SatellitesInViewReceived(11)",
                  "SatelliteReceived(1, 1, 221, 78, 47)",
                  "SatelliteReceived(2, 3, 42, 9, 0)",
                  "SatelliteReceived(3, 4, 242, 5, 0)",
                  "SatelliteReceived(4, 6, 149, 4, 0)",
              }));
    EXPECT_EQ(raised("$GPGSV,3,2,11,13,37,235,48,20,41,333,46,22,65,081,46,24,02,205,00"),
              (Log{
                  "SatellitesInViewReceived(11)",
                  "SatelliteReceived(5, 13, 235, 37, 48)",
                  "SatelliteReceived(6, 20, 333, 41, 46)",
                  "SatelliteReceived(7, 22, 81, 65, 46)",
                  "SatelliteReceived(8, 24, 205, 2, 0)",
              }));
    EXPECT_EQ(raised("$GPGSV,3,3,12,25,20,108,00,27,08,281,00,28,17,339,39,29,01,001,01"),
              (Log{
                  "SatellitesInViewReceived(12)",
                  "SatelliteReceived(9, 25, 108, 20, 0)",
                  "SatelliteReceived(10, 27, 281, 8, 0)",
                  "SatelliteReceived(11, 28, 339, 17, 39)",
                  "SatelliteReceived(12, 29, 1, 1, 1)",
              }));
}

TEST_F(GsvNumbering, LastMessageWithTwoSatellitesReportsOnlyTwo)
{
    EXPECT_EQ(raised("$GPGSV,3,3,10,25,20,108,30,27,08,281,31"),
              (Log{
                  "SatellitesInViewReceived(10)",
                  "SatelliteReceived(9, 25, 108, 20, 30)",
                  "SatelliteReceived(10, 27, 281, 8, 31)",
              }));
    // The trailing empty record of a receiver that pads its sentences is not reported either.
    EXPECT_EQ(raised("$GPGSV,3,3,11,25,20,108,00,27,08,281,00,28,17,339,39,,,,"),
              (Log{
                  "SatellitesInViewReceived(11)",
                  "SatelliteReceived(9, 25, 108, 20, 0)",
                  "SatelliteReceived(10, 27, 281, 8, 0)",
                  "SatelliteReceived(11, 28, 339, 17, 39)",
              }));
}

TEST_F(GsvNumbering, SatelliteWithoutSignalValueIsSkippedButKeepsItsPlace)
{
    EXPECT_EQ(raised("$GPGSV,3,1,12,05,04,187,,08,11,078,29,09,43,270,37,12,03,212,"),
              (Log{
                  "SatellitesInViewReceived(12)",
                  "SatelliteReceived(2, 8, 78, 11, 29)",
                  "SatelliteReceived(3, 9, 270, 43, 37)",
              }));
}

TEST_F(GsvNumbering, MessageWithoutNumberContinuesTheNumberOfTheLastMessage)
{
    raised("$GPGSV,3,2,11,13,37,235,48");
    EXPECT_EQ(raised("$GPGSV,3,,11,20,41,333,46,22,65,081,46"),
              (Log{
                  "SatellitesInViewReceived(11)",
                  "SatelliteReceived(5, 20, 333, 41, 46)",
                  "SatelliteReceived(6, 22, 81, 65, 46)",
              }));
}

TEST_F(GsvNumbering, BeforeAnyMessageNumberSatellitesCarryNumberZero)
{
    EXPECT_EQ(raised("$GPGSV,1,,02,23,00,000,30,09,00,000,24"),
              (Log{
                  "SatellitesInViewReceived(2)",
                  "SatelliteReceived(0, 23, 0, 0, 30)",
                  "SatelliteReceived(0, 9, 0, 0, 24)",
              }));
}

TEST_F(GsvNumbering, MessageNumberZeroKeepsTheLastSatelliteNumber)
{
    // Message 2 numbers all four places, 5..8, even when it carries only three satellites.
    raised("$GPGSV,2,2,07,13,37,235,48,20,41,333,46,22,65,081,46");
    EXPECT_EQ(raised("$GPGSV,2,0,07,01,02,003,04,05,06,007,08"),
              (Log{
                  "SatellitesInViewReceived(7)",
                  "SatelliteReceived(8, 1, 3, 2, 4)",
                  "SatelliteReceived(8, 5, 7, 6, 8)",
              }));
}

TEST_F(GsvNumbering, SatelliteNumbersBeyondSixteenBitsAreSkipped)
{
    // Message 8192 numbers its records 32765..32768; the last does not fit.
    EXPECT_EQ(raised("$GPGSV,9,8192,4,01,02,003,04,05,06,007,08,09,10,011,12,13,14,015,16"),
              (Log{
                  "SatellitesInViewReceived(4)",
                  "SatelliteReceived(32765, 1, 3, 2, 4)",
                  "SatelliteReceived(32766, 5, 7, 6, 8)",
                  "SatelliteReceived(32767, 9, 11, 10, 12)",
              }));
    EXPECT_EQ(raised("$GPGSV,9,32767,4,01,02,003,04,05,06,007,08"),
              (Log{"SatellitesInViewReceived(4)"}));
    EXPECT_EQ(raised("$GPGSV,9,-32768,4,01,02,003,04"), (Log{"SatellitesInViewReceived(4)"}));
    // The set goes on normally once a sane message arrives.
    EXPECT_EQ(raised("$GPGSV,3,1,4,01,02,003,04"),
              (Log{"SatellitesInViewReceived(4)", "SatelliteReceived(1, 1, 3, 2, 4)"}));
}

TEST_F(GsvNumbering, GarbledMessageNumberCountsAsMissing)
{
    raised("$GPGSV,3,2,11,13,37,235,48");
    EXPECT_EQ(raised("$GPGSV,3,2x,11,20,41,333,46"),
              (Log{"SatellitesInViewReceived(11)", "SatelliteReceived(5, 20, 333, 41, 46)"}));
}

TEST_F(GsvNumbering, RecordWithAGarbledValueIsNotReported)
{
    EXPECT_EQ(raised("$GPGSV,1,1,3,01,02,0x3,04,05,06,007,99999,09,10,011,12"),
              (Log{"SatellitesInViewReceived(3)", "SatelliteReceived(3, 9, 11, 10, 12)"}));
}

} // namespace
