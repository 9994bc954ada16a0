#include "core/Rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace tv;

// Halves go to the even neighbour at the digit asked for; values beyond what the digits can
// change, and values that are no number, come back as they are.
TEST(HalfEvenRounding, RoundsAtTheDigitsAsked)
{
    const struct
    {
        double value;
        int digits;
        double rounded;
        const char* why;
    } cases[] = {
        {2.5, 0, 2.0, "half down to even"},
        {3.5, 0, 4.0, "half up to even"},
        {-2.5, 0, -2.0, "negative half towards zero"},
        {-3.5, 0, -4.0, "negative half away from zero"},
        {2.5000001, 0, 3.0, "just above the half"},
        {0.375, 2, 0.38, "decimal half up to even"},
        {0.625, 2, 0.62, "decimal half down to even"},
        {48.3012, 4, 48.3012, "already at the digits"},
        {1e300, 4, 1e300, "huge"},
        {12.345, 40, 12.345, "more digits than a double holds"},
        {std::nan(""), 2, std::nan(""), "no number"},
    };
    for (const auto& c : cases) {
        const double got = RoundHalfEven(c.value, c.digits);
        if (std::isnan(c.rounded))
            EXPECT_TRUE(std::isnan(got)) << c.why;
        else
            EXPECT_EQ(got, c.rounded) << c.value << " to " << c.digits << ": " << c.why;
    }
}

TEST(HalfEvenRounding, WholeNumberConversionChecksTheRange)
{
    EXPECT_EQ(ToInt16HalfEven(1013.5), 1014);
    EXPECT_EQ(ToInt16HalfEven(1012.5), 1012);
    EXPECT_EQ(ToInt16HalfEven(32767.4), 32767);
    EXPECT_EQ(ToInt16HalfEven(32767.5), std::nullopt);
    EXPECT_EQ(ToInt16HalfEven(-32768.5), -32768);
    EXPECT_EQ(ToInt16HalfEven(-32769.0), std::nullopt);
    EXPECT_EQ(ToInt16HalfEven(std::nan("")), std::nullopt);
    EXPECT_EQ(ToInt32HalfEven(40000.0), 40000);
    EXPECT_EQ(ToInt32HalfEven(2147483648.0), std::nullopt);
    EXPECT_EQ(ToInt32HalfEven(std::numeric_limits<double>::infinity()), std::nullopt);
}
