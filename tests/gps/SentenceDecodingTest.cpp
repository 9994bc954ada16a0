#include "gps/RecordingEvents.h"
#include "gps/VB6NmeaInterpreter.h"

#include <gtest/gtest.h>

using tvtest::RecordingEvents;
using tvtest::withChecksum;
using Log = std::vector<std::string>;

namespace {

const std::string kDeg = "\xC2\xB0"; // UTF-8 degree sign

class Decoding : public tvtest::ParsedSentences
{
};

using GgaSentence = Decoding;
using GllSentence = Decoding;
using GsaSentence = Decoding;
using RmcSentence = Decoding;
using FieldTexts = Decoding;

TEST_F(GgaSentence, FullFixReportsEveryFieldInOrder)
{
    ASSERT_TRUE(gps.Parse("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47"));
    EXPECT_EQ(events.log, (Log{
                              "TimeChanged(12:35:19)",
                              "PositionReceived(N 48" + kDeg + " 07.038', E 011" + kDeg +
                                  " 31.000', 4807.038, 01131.000)",
                              "PositionFixReceived(Valid SPS)",
                              "SatellitesUsedReceived(8)",
                              "HDOPReceived(0.9)",
                              "AltitudeReceived(545.4)",
                              "AltitudeUnitsReceived(M)",
                              "GeoidSeparationReceived(46.9)",
                              "GeoidSeparationUnitsReceived(M)",
                          }));
}

TEST_F(GgaSentence, DifferentialStationIsReported)
{
    EXPECT_EQ(raised("$GPGGA,,,,,,2,,,,,,,3,0123"), (Log{
                                                        "PositionFixReceived(Valid DGPS)",
                                                        "DGPSageReceived(3)",
                                                        "DGPSstationIDReceived(0123)",
                                                    }));
}

TEST_F(GgaSentence, MissingLongitudeHemisphereDropsOnlyThePosition)
{
    const Log log = raised("$GPGGA,123519,4807.038,N,01131.000,,1,08,0.9,545.4,M,46.9,M,,");
    EXPECT_EQ(events.count("PositionReceived"), 0);
    EXPECT_EQ(log.size(), 8u);
    EXPECT_EQ(log.front(), "TimeChanged(12:35:19)");
    EXPECT_EQ(log.back(), "GeoidSeparationUnitsReceived(M)");
}

TEST_F(GgaSentence, FixQualityNamesAndNegativeAltitudeText)
{
    EXPECT_EQ(raised("$GPGGA,,,,,,3"), (Log{"PositionFixReceived(Valid PPS)"}));
    EXPECT_EQ(raised("$GPGGA,,,,,,0"), (Log{"PositionFixReceived(Invalid)"}));
    EXPECT_EQ(raised("$GPGGA,,,,,,6"), (Log{"PositionFixReceived(Invalid)"}));
    EXPECT_EQ(raised("$GPGGA,,,,,,,,,-4.0,M,-46.5"), (Log{
                                                         "AltitudeReceived(-4.0)",
                                                         "AltitudeUnitsReceived(M)",
                                                         "GeoidSeparationReceived(-46.5)",
                                                     }));
}

TEST_F(GgaSentence, FixQualityDoesNotDecideAboutTheFix)
{
    const Log log = raised("$GPGGA,123519,4807.038,N,01131.000,E,0,00,,,,,,,");
    EXPECT_EQ(events.count("FixLost"), 0);
    EXPECT_EQ(events.count("FixObtained"), 0);
    EXPECT_EQ(events.count("PositionReceived"), 1);
}

TEST_F(GllSentence, StatusVMeansFixLost)
{
    EXPECT_EQ(raised("$GPGLL,0000.0000000,N,00000.0000000,E,212406.000,V,N"),
              (Log{
                  "PositionReceived(N 00" + kDeg + " 00.0000000', E 000" + kDeg +
                      " 00.0000000', 0000.0000000, 00000.0000000)",
                  "TimeChanged(21:24:06)",
                  "FixLost()",
              }));
}

TEST_F(GllSentence, UnknownStatusRaisesNeitherFixEvent)
{
    EXPECT_EQ(raised("$GPGLL,,,,,225444,a"), (Log{"TimeChanged(22:54:44)"}));
    EXPECT_EQ(raised("$GPGLL,,,,,,AV"), Log{});
}

TEST_F(GsaSentence, FiveSatellitesFillFiveChannelsAndTheRestAreZero)
{
    const Log log = raised("$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1");
    EXPECT_EQ(log, (Log{
                       "AutoManModeReceived(Auto 2D/3D)",
                       "Mode3DReceived(3D)",
                       "Ch1SatReceived(4)",
                       "Ch2SatReceived(5)",
                       "Ch3SatReceived(0)",
                       "Ch4SatReceived(9)",
                       "Ch5SatReceived(12)",
                       "Ch6SatReceived(0)",
                       "Ch7SatReceived(0)",
                       "Ch8SatReceived(24)",
                       "Ch9SatReceived(0)",
                       "Ch10SatReceived(0)",
                       "Ch11SatReceived(0)",
                       "Ch12SatReceived(0)",
                       "PDOPReceived(2.5)",
                       "HDOPReceived(1.3)",
                       "VDOPReceived(2.1)",
                   }));
}

TEST_F(GsaSentence, ModesAreNamed)
{
    raised("$GPGSA,M,2");
    EXPECT_EQ(events.log[0], "AutoManModeReceived(Forced 2D/3D)");
    EXPECT_EQ(events.log[1], "Mode3DReceived(2D)");
    raised("$GPGSA,x,1");
    EXPECT_EQ(events.log[0], "AutoManModeReceived(Unknown)");
    EXPECT_EQ(events.log[1], "Mode3DReceived(No Fix)");
}

TEST_F(GsaSentence, ShortSentenceStillReportsAllTwelveChannels)
{
    const Log log = raised("$GPGSA,A,3,17");
    ASSERT_EQ(log.size(), 14u);
    EXPECT_EQ(log[2], "Ch1SatReceived(17)");
    EXPECT_EQ(log[13], "Ch12SatReceived(0)");
}

TEST_F(RmcSentence, RecommendedMinimumReportsTimeFixPositionSpeedCourseDate)
{
    ASSERT_TRUE(gps.Parse("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A"));
    EXPECT_EQ(events.log, (Log{
                              "TimeChanged(12:35:19)",
                              "FixObtained()",
                              "PositionReceived(N 48" + kDeg + " 07.038', E 011" + kDeg +
                                  " 31.000', 4807.038, 01131.000)",
                              "SpeedReceived(022.4)",
                              "BearingReceived(084.4)",
                              "DateChanged(23/03/94)",
                          }));
}

TEST_F(RmcSentence, VoidStatusStillReportsPositionSpeedCourseAndDate)
{
    EXPECT_EQ(raised("$GPRMC,212406.000,V,4527.458,S,16709.165,E,000.0,094.5,280316,,,N"),
              (Log{
                  "TimeChanged(21:24:06)",
                  "FixLost()",
                  "PositionReceived(S 45" + kDeg + " 27.458', E 167" + kDeg +
                      " 09.165', 4527.458, 16709.165)",
                  "SpeedReceived(000.0)",
                  "BearingReceived(094.5)",
                  "DateChanged(28/03/16)",
              }));
}

TEST_F(RmcSentence, OnlyFirstThreeFieldsGiveTimeAndFixStatus)
{
    EXPECT_EQ(raised("$GPRMC,123519,A,4807.038"), (Log{"TimeChanged(12:35:19)", "FixObtained()"}));
}

TEST_F(RmcSentence, EmptyCourseIsNotReported)
{
    const Log log = raised("$GPRMC,083723.00,A,5155.55442,N,00434.65873,E,0.211,,210810,,,A");
    EXPECT_EQ(events.count("BearingReceived"), 0);
    EXPECT_EQ(events.count("SpeedReceived(0.211)"), 1);
    EXPECT_EQ(log.back(), "DateChanged(21/08/10)");
}

TEST_F(FieldTexts, TimeDropsFractionsOfSeconds)
{
    EXPECT_EQ(raised("$GPRMC,235959.999"), (Log{"TimeChanged(23:59:59)"}));
}

TEST_F(FieldTexts, ShortTimeAndDateFieldsGiveShortTexts)
{
    EXPECT_EQ(raised("$GPRMC,1"), (Log{"TimeChanged(1::)"}));
    EXPECT_EQ(raised("$GPRMC,1234"), (Log{"TimeChanged(12:34:)"}));
    EXPECT_EQ(raised("$GPRMC,,,,,,,,,23"), (Log{"DateChanged(23//)"}));
    EXPECT_EQ(raised("$GPRMC,,,,,,,,,2303"), (Log{"DateChanged(23/03/)"}));
}

TEST_F(FieldTexts, ShortPositionFieldsGiveEmptyMinutes)
{
    EXPECT_EQ(raised("$GPGLL,4,N,01,E"),
              (Log{"PositionReceived(N 4" + kDeg + " ', E 01" + kDeg + " ', 4, 01)"}));
    EXPECT_EQ(raised("$GPGLL,48,N,011,E"),
              (Log{"PositionReceived(N 48" + kDeg + " ', E 011" + kDeg + " ', 48, 011)"}));
}

TEST_F(FieldTexts, TextsAreSentUnchangedWithoutTrimming)
{
    EXPECT_EQ(raised("$GPRMC,,,,,,, 12.5 ,x"), (Log{
                                                   "SpeedReceived( 12.5 )",
                                                   "BearingReceived(x)",
                                               }));
}

} // namespace
