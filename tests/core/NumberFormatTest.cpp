#include "core/NumberFormat.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <optional>

using tv::formatPattern;
using tv::HalfRounding;
using tv::NumberStyle;
using tv::readStrictNumber;

namespace {
const NumberStyle kScreenGerman{',', HalfRounding::AwayFromZero};
const NumberStyle kScreenEnglish{'.', HalfRounding::AwayFromZero};
} // namespace

TEST(PatternFormat, PlanAndExportPatternsShowTheirDigits)
{
    struct Case
    {
        double value;
        const char* pattern;
        NumberStyle style;
        const char* shown;
    } const cases[] = {
        {40.06, "##0.0", kScreenEnglish, "40.1"},
        {40.06, "##0.0", kScreenGerman, "40,1"},
        {0.0, "##0.0", kScreenGerman, "0,0"},
        {359.6, "##0", kScreenEnglish, "360"},
        {48.5, "####.###0", kScreenGerman, "48,5000"},
        {-9.12345, "####.###0", kScreenEnglish, "-9.1235"},
        {12345.4, "#####", kScreenEnglish, "12345"},
        {0.0, "#####", kScreenEnglish, ""},
        {8.0, "###.####", NumberStyle{}, "8."},
        {0.5, "###.####", NumberStyle{}, ".5"},
        {-0.25, "###.####", NumberStyle{}, "-.25"},
        {48.12346, "###.####", NumberStyle{}, "48.1235"},
        {0.00001, "###.####", NumberStyle{}, "."},
        {-0.00001, "###.####", NumberStyle{}, "."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatPattern(c.value, c.pattern, c.style), c.shown)
            << c.value << " as " << c.pattern;
}

TEST(PatternFormat, HalvesGoAwayFromZeroOnScreenAndToEvenInCaptions)
{
    EXPECT_EQ(formatPattern(2.5, "##0", kScreenEnglish), "3");
    EXPECT_EQ(formatPattern(-2.5, "##0", kScreenEnglish), "-3");
    EXPECT_EQ(formatPattern(2.5, "##0"), "2");
    EXPECT_EQ(formatPattern(3.5, "##0"), "4");
    // Decimal halves as typed, although the binary value lies just below or above the half.
    EXPECT_EQ(formatPattern(2.675, "##0.00", kScreenEnglish), "2.68");
    EXPECT_EQ(formatPattern(0.125, "##0.00", kScreenEnglish), "0.13");
    EXPECT_EQ(formatPattern(0.05, "##0.0", kScreenEnglish), "0.1");
    EXPECT_EQ(formatPattern(0.04999, "##0.0", kScreenEnglish), "0.0");
}

// Halves of the last decimal shown, as a GPX export and the plan texts meet them: away from zero
// on the decimal value (most of these lie just below the half as doubles), to even on the
// double; and no whole digit is ever lost to rounding.
TEST(PatternFormat, HalvesOfTheLastDecimalAndHugeValues)
{
    struct Case
    {
        double value;
        const char* pattern;
        const char* away;
        const char* even;
    } const cases[] = {
        {48.12345, "###.####", "48.1235", "48.1234"},
        {-48.12345, "###.####", "-48.1235", "-48.1234"},
        {0.00005, "###.####", ".0001", "."},
        {0.03125, "###.####", ".0313", ".0312"},
        {179.99995, "###.####", "180.", "180."},
        {9.12345, "####.###0", "9.1235", "9.1234"},
        {1.0049999999999997, "##0.00", "1.01", "1.00"},
        {1234567890123456.0, "0", "1234567890123456", "1234567890123456"},
        {1e15 + 0.5, "0", "1000000000000001", "1000000000000000"},
        {123456789012.34565, "0.0000", "123456789012.3457", "123456789012.3456"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatPattern(c.value, c.pattern, kScreenEnglish), c.away)
            << c.value << " as " << c.pattern;
        EXPECT_EQ(formatPattern(c.value, c.pattern), c.even) << c.value << " as " << c.pattern;
    }
}

TEST(StrictNumberReading, TypedNumbersReadTheSameInEveryLocale)
{
    struct Case
    {
        const char* typed;
        std::optional<double> read;
    } const cases[] = {
        {"48.3012", 48.3012}, {"48,3012", 48.3012}, {" -9.5 ", -9.5}, {"+7", 7.0},
        {"5.", 5.0},          {",5", 0.5},          {"0", 0.0},       {"\t12\r\n", 12.0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readStrictNumber(c.typed), c.read) << c.typed;
}

TEST(StrictNumberReading, GroupingExponentsAndStrayCharactersAreNoNumber)
{
    for (const char* typed : {"", " ", "1.000,5", "1e3", "1.2.3", "1,2,3", "--1", "+-1", "1 000",
                              "12a", "abc", ".", "-", ",", "0x10", "inf", "nan", "1-"})
        EXPECT_EQ(readStrictNumber(typed), std::nullopt) << '"' << typed << '"';
}

// What a window shows in the user's format reads back as the same number.
TEST(UserNumberFormat, TheMarkOfEachLocaleReadsBack)
{
    struct Case
    {
        QLocale locale;
        char mark;
    } const cases[] = {
        {QLocale(QLocale::German, QLocale::Germany), ','},
        {QLocale(QLocale::English, QLocale::UnitedStates), '.'},
        {QLocale(QLocale::German, QLocale::Switzerland), '.'},
        {QLocale(QLocale::Arabic, QLocale::Egypt), '.'}, // its own mark is no ASCII character
    };
    const QLocale before;
    for (const Case& c : cases) {
        QLocale::setDefault(c.locale);
        EXPECT_EQ(tv::userDecimalMark(), c.mark) << c.locale.name().toStdString();
        EXPECT_EQ(tv::userNumberStyle().decimalMark, c.mark);
        EXPECT_EQ(readStrictNumber(tv::numberText(-47.4, tv::userDecimalMark())), -47.4);
    }
    QLocale::setDefault(before);
}

TEST(UserNumberFormat, StoredNumbersShowTheirSignificantDigits)
{
    struct Case
    {
        double value;
        char mark;
        const char* shown;
    } const cases[] = {
        {47.4, ',', "47,4"},     {8.0, ',', "8"},      {-0.0, '.', "0"},
        {0.1 + 0.2, ',', "0,3"}, {1e20, '.', "1e+20"}, {-1234.5678, ',', "-1234,5678"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tv::numberText(c.value, c.mark), c.shown) << c.value;
}
