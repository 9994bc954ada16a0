#include "map/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using tv::formatNumber;
using tv::leadingNumber;
using tv::wholeNumber;

TEST(CaptionNumberFormat, WholeNumbersWithoutLeadingZerosShowNothingForZero)
{
    EXPECT_EQ(formatNumber(108.2, "###"), "108");
    EXPECT_EQ(formatNumber(0.0, "###"), "");
    EXPECT_EQ(formatNumber(0.4, "###"), "");
    EXPECT_EQ(formatNumber(-5.4, "###"), "-5");
}

TEST(CaptionNumberFormat, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(formatNumber(107.5, "###"), "108");
    EXPECT_EQ(formatNumber(108.5, "###"), "108");
    EXPECT_EQ(formatNumber(20.5, "##0"), "20");
}

TEST(CaptionNumberFormat, ThreeDigitCoursesKeepTheirLeadingZeros)
{
    EXPECT_EQ(formatNumber(33.56, "00#"), "034");
    EXPECT_EQ(formatNumber(5.0, "00#"), "005");
    EXPECT_EQ(formatNumber(360.0, "00#"), "360");
    EXPECT_EQ(formatNumber(7.0, "000"), "007");
    EXPECT_EQ(formatNumber(0.0, "000"), "000");
    EXPECT_EQ(formatNumber(0.2, "##0"), "0");
}

TEST(CaptionNumberFormat, DecimalsAreFilledUpToTheLastZeroPlaceholder)
{
    EXPECT_EQ(formatNumber(9.3, "###.##0"), "9.300");
    EXPECT_EQ(formatNumber(0.5, "###.##0"), ".500");
    EXPECT_EQ(formatNumber(-0.5, "###.##0"), "-.500");
    EXPECT_EQ(formatNumber(48.15, "###.##0"), "48.150");
    EXPECT_EQ(formatNumber(29.96, "##0.0"), "30.0");
    EXPECT_EQ(formatNumber(5.25, "0.##"), "5.25");
    EXPECT_EQ(formatNumber(5.2, "0.##"), "5.2");
}

TEST(CaptionNumberFormat, ValuesThatAreNoNumbersGiveAnEmptyText)
{
    EXPECT_EQ(formatNumber(std::nan(""), "###"), "");
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::infinity(), "00#"), "");
}

TEST(CaptionNumberReading, DashesAndEmptyCaptionsReadAsZero)
{
    EXPECT_EQ(leadingNumber("---"), 0.0);
    EXPECT_EQ(leadingNumber(""), 0.0);
    EXPECT_EQ(leadingNumber("--- / ---"), 0.0);
    EXPECT_EQ(leadingNumber("abc"), 0.0);
    EXPECT_EQ(leadingNumber("."), 0.0);
}

TEST(CaptionNumberReading, TheLeadingNumberIsTakenAndTheRestIgnored)
{
    EXPECT_EQ(leadingNumber("123 kt"), 123.0);
    EXPECT_EQ(leadingNumber("  12.5abc"), 12.5);
    EXPECT_EQ(leadingNumber("-7"), -7.0);
    EXPECT_EQ(leadingNumber("+7.25"), 7.25);
    EXPECT_EQ(leadingNumber("090"), 90.0);
    EXPECT_EQ(leadingNumber("1.2.3"), 1.2);
    EXPECT_EQ(leadingNumber("1 2 3"), 123.0);
    EXPECT_EQ(leadingNumber("1e3"), 1000.0);
    EXPECT_EQ(leadingNumber("12E"), 12.0);
    EXPECT_EQ(leadingNumber("5 / 20"), 5.0);
}

TEST(CaptionNumberReading, AnAbsurdExponentDoesNotBecomeInfinity)
{
    EXPECT_EQ(leadingNumber("1e999"), 0.0);
}

TEST(CaptionNumberReading, WholeCaptionMustBeANumber)
{
    EXPECT_EQ(wholeNumber("1000"), 1000.0);
    EXPECT_EQ(wholeNumber(" 12.5 "), 12.5);
    EXPECT_EQ(wholeNumber("-3"), -3.0);
    EXPECT_FALSE(wholeNumber("---"));
    EXPECT_FALSE(wholeNumber(""));
    EXPECT_FALSE(wholeNumber("12a"));
    EXPECT_FALSE(wholeNumber("--5"));
    EXPECT_FALSE(wholeNumber("inf"));
}
