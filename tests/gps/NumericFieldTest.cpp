#include "gps/NmeaNumbers.h"
#include "gps/RecordingEvents.h"
#include "gps/VB6NmeaInterpreter.h"
#include "support/GermanLocale.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using tvtest::RecordingEvents;
using tvtest::withChecksum;
using Log = std::vector<std::string>;

namespace {

// Whole-number fields (satellites, fix quality, channels): 16 bits as the receiver's old
// decoder held them, decimals rounded half to even, nothing where that would not fit.
TEST(NumericFieldConversion, IntegerFieldsAsReceiversSendThem)
{
    const struct
    {
        std::string field;
        std::optional<int16_t> value;
        const char* why;
    } cases[] = {
        {"08", 8, "leading zero"},
        {"0000", 0, "zeros only"},
        {"-12", -12, "negative"},
        {" 5", 5, "blank before"},
        {"5 ", 5, "blank after"},
        {"\t+5\t", 5, "tabs and plus sign"},
        {"32767", 32767, "largest in 16 bits"},
        {"-32768", -32768, "smallest in 16 bits"},
        {"32768", std::nullopt, "one above 16 bits"},
        {"-32769", std::nullopt, "one below 16 bits"},
        {"65544", std::nullopt, "would wrap to 8 in 16 bits"},
        {"99999999999999999999999", std::nullopt, "far beyond any integer"},
        {"000000000000000000000000042", 42, "many leading zeros"},
        {"2.4", 2, "below the half"},
        {"2.5", 2, "half to even: down"},
        {"3.5", 4, "half to even: up"},
        {"2.50001", 3, "just above the half"},
        {"2.6", 3, "above the half"},
        {"-2.5", -2, "negative half to even: towards zero"},
        {"-3.5", -4, "negative half to even: away from zero"},
        {".5", 0, "half without a whole digit"},
        {"32767.4", 32767, "rounds into 16 bits"},
        {"32767.5", std::nullopt, "rounds out of 16 bits"},
        {"-32768.5", -32768, "rounds to even at the lower end"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tv::nmeaInteger(c.field), c.value) << '"' << c.field << "\": " << c.why;
}

TEST(NumericFieldConversion, DecimalFieldsAsReceiversSendThem)
{
    const struct
    {
        std::string field;
        std::optional<double> value;
        const char* why;
    } cases[] = {
        {"0.9", 0.9, "dilution of precision"},
        {"-4.0", -4.0, "altitude below the sea"},
        {"46.9", 46.9, "geoid separation"},
        {"2.", 2.0, "point without decimals"},
        {".5", 0.5, "decimals without a whole digit"},
        {"000012.50", 12.5, "leading and trailing zeros"},
        {" +2.5 ", 2.5, "blanks around and plus sign"},
        {"1" + std::string(300, '0'), 1e300, "huge but a double"},
        {"1" + std::string(400, '0'), std::nullopt, "beyond any double"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tv::nmeaDouble(c.field), c.value) << c.why;
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
