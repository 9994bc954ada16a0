#include "gps/NmeaNumbers.h"
#include "gps/RecordingEvents.h"
#include "gps/VB6NmeaInterpreter.h"
#include "support/GermanLocale.h"

#include <gtest/gtest.h>

#include <optional>

using tvtest::RecordingEvents;
using tvtest::withChecksum;
using Log = std::vector<std::string>;

namespace {

TEST(NumericFieldConversion, PlainNumbersAsReceiversSendThem)
{
    EXPECT_EQ(tv::nmeaInteger("08"), 8);
    EXPECT_EQ(tv::nmeaInteger("0000"), 0);
    EXPECT_EQ(tv::nmeaInteger("-12"), -12);
    EXPECT_EQ(tv::nmeaDouble("0.9"), 0.9);
    EXPECT_EQ(tv::nmeaDouble("-4.0"), -4.0);
    EXPECT_EQ(tv::nmeaDouble("46.9"), 46.9);
    EXPECT_EQ(tv::nmeaDouble("2."), 2.0);
    EXPECT_EQ(tv::nmeaDouble(".5"), 0.5);
    EXPECT_EQ(tv::nmeaDouble("000012.50"), 12.5);
}

TEST(NumericFieldConversion, BlanksAroundAndPlusSignAreTolerated)
{
    EXPECT_EQ(tv::nmeaInteger(" 5"), 5);
    EXPECT_EQ(tv::nmeaInteger("5 "), 5);
    EXPECT_EQ(tv::nmeaInteger("\t+5\t"), 5);
    EXPECT_EQ(tv::nmeaDouble(" +2.5 "), 2.5);
}

TEST(NumericFieldConversion, AnythingButAWholePlainNumberIsNoNumber)
{
    for (const char* garbage :
         {"",     " ",   "+",     "-",   ".",   "-.",  "5x",  "x5",  "1e3",      "1E3",
          "0x10", "1,5", "1.2.3", "inf", "nan", "- 5", "5 5", "++5", "\xC2\xB0", "5\r"}) {
        EXPECT_FALSE(tv::nmeaInteger(garbage).has_value()) << garbage;
        EXPECT_FALSE(tv::nmeaDouble(garbage).has_value()) << garbage;
    }
}

TEST(NumericFieldConversion, IntegersBeyondSixteenBitsAreNoNumber)
{
    EXPECT_EQ(tv::nmeaInteger("32767"), 32767);
    EXPECT_EQ(tv::nmeaInteger("-32768"), -32768);
    EXPECT_FALSE(tv::nmeaInteger("32768").has_value());
    EXPECT_FALSE(tv::nmeaInteger("-32769").has_value());
    EXPECT_FALSE(tv::nmeaInteger("65544").has_value()); // would wrap to 8 in 16 bits
    EXPECT_FALSE(tv::nmeaInteger("99999999999999999999999").has_value());
    EXPECT_EQ(tv::nmeaInteger("000000000000000000000000042"), 42);
}

TEST(NumericFieldConversion, DecimalIntegersRoundHalfToEven)
{
    EXPECT_EQ(tv::nmeaInteger("2.4"), 2);
    EXPECT_EQ(tv::nmeaInteger("2.5"), 2);
    EXPECT_EQ(tv::nmeaInteger("3.5"), 4);
    EXPECT_EQ(tv::nmeaInteger("2.50001"), 3);
    EXPECT_EQ(tv::nmeaInteger("2.6"), 3);
    EXPECT_EQ(tv::nmeaInteger("-2.5"), -2);
    EXPECT_EQ(tv::nmeaInteger("-3.5"), -4);
    EXPECT_EQ(tv::nmeaInteger(".5"), 0);
    EXPECT_EQ(tv::nmeaInteger("32767.4"), 32767);
    EXPECT_FALSE(tv::nmeaInteger("32767.5").has_value());
    EXPECT_EQ(tv::nmeaInteger("-32768.5"), -32768);
}

TEST(NumericFieldConversion, HugeDoublesAreNoNumber)
{
    EXPECT_FALSE(tv::nmeaDouble("1" + std::string(400, '0')).has_value());
    EXPECT_EQ(tv::nmeaDouble("1" + std::string(300, '0')), 1e300);
}

TEST(NumericFieldConversion, DecimalPointIsADotWhateverTheLocale)
{
    std::optional<double> dot, comma;
    {
        const tvtest::GermanCLocale german;
        ASSERT_TRUE(german.active()) << tvtest::kGermanLocaleMissing;
        dot = tv::nmeaDouble("0.9");
        comma = tv::nmeaDouble("0,9");
    }
    EXPECT_EQ(dot, 0.9);
    EXPECT_FALSE(comma.has_value());
}

class NumericGarbage : public tvtest::ParsedSentences
{
};

TEST_F(NumericGarbage, GarbledNumbersInFixDataRaiseNothingButTextsStillArrive)
{
    EXPECT_EQ(raised("$GPGGA,,,,,,,8x,0..9,545.4x,M,1e3,M,70000,ST"),
              (Log{
                  "AltitudeReceived(545.4x)",
                  "AltitudeUnitsReceived(M)",
                  "GeoidSeparationUnitsReceived(M)",
                  "DGPSstationIDReceived(ST)",
              }));
}

TEST_F(NumericGarbage, GarbledChannelReportsZero)
{
    const Log log = raised("$GPGSA,A,3,07,x9,99999,-4,,,,,,,,,1.5x,abc,2.0");
    ASSERT_EQ(log.size(), 15u);
    EXPECT_EQ(log[2], "Ch1SatReceived(7)");
    EXPECT_EQ(log[3], "Ch2SatReceived(0)");
    EXPECT_EQ(log[4], "Ch3SatReceived(0)");
    EXPECT_EQ(log[5], "Ch4SatReceived(-4)");
    EXPECT_EQ(log[14], "VDOPReceived(2)");
}

} // namespace
