#include "core/Rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace tv;

TEST(HalfEvenRounding, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(RoundHalfEven(3.5), 4.0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
    EXPECT_EQ(RoundHalfEven(-3.5), -4.0);
    EXPECT_EQ(RoundHalfEven(2.5000001), 3.0);
    EXPECT_EQ(RoundHalfEven(0.375, 2), 0.38);
    EXPECT_EQ(RoundHalfEven(0.625, 2), 0.62);
    EXPECT_EQ(RoundHalfEven(48.3012, 4), 48.3012);
}

TEST(HalfEvenRounding, HugeAndNonFiniteValuesComeBackUnchanged)
{
    EXPECT_EQ(RoundHalfEven(1e300, 4), 1e300);
    EXPECT_TRUE(std::isnan(RoundHalfEven(std::nan(""), 2)));
    EXPECT_EQ(RoundHalfEven(12.345, 40), 12.345);
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
