#include "core/SettingsRules.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using tv::acceptQnh;
using tv::trackIntervalSetting;

// What the pilot types into the QNH box: a whole hPa value strictly between 950 and 1050, or
// nothing.
TEST(QnhEntry, TypedTextBecomesAPressureOrNothing)
{
    struct Case
    {
        const char* typed;
        std::optional<int16_t> hPa;
        const char* why;
    };
    const Case cases[] = {
        {"951", 951, "just inside the range"},
        {"1049", 1049, "just inside the range"},
        {"1013", 1013, "standard pressure"},
        {"950", std::nullopt, "the lower limit itself"},
        {"1050", std::nullopt, "the upper limit itself"},
        {"29.92", std::nullopt, "inches of mercury are not hPa"},
        {"abc", std::nullopt, "no number"},
        {"", std::nullopt, "empty"},
        {"   ", std::nullopt, "blanks only"},
        {"1013 hPa", std::nullopt, "a unit after the number"},
        {"1013.5", 1014, "half rounds to even: up"},
        {"1012.5", 1012, "half rounds to even: down"},
        {"1012.6", 1013, "more than half rounds up"},
        {"1013,4", 1013, "German decimal comma"},
        {" 1020 ", 1020, "blanks around"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(acceptQnh(c.typed), c.hPa) << '"' << c.typed << "\": " << c.why;
}

TEST(QnhInForce, OnlyTodaysAcceptableQnhIsFlownWith)
{
    using namespace std::chrono;
    const tv::Date day{year{2026}, month{12}, std::chrono::day{9}};
    const tv::Date yesterday{year{2026}, month{12}, std::chrono::day{8}};
    struct Case
    {
        int16_t stored;
        tv::Date storedOn;
        int16_t expected;
    };
    const Case cases[] = {
        {1020, day, 1020},                         // set today
        {1020, yesterday, 1013},                   // set on another day: standard pressure
        {999, yesterday, 1013},  {950, day, 1013}, // out of range even today (a damaged LR.crm)
        {0, day, 1013},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tv::qnhInForce(c.stored, c.storedOn, day), c.expected) << c.stored;
}

TEST(TrackIntervalEntry, TheLeadingNumberIsSecondsUpToAMinuteAndNoTimeKeepsTheIntervalInUse)
{
    struct Case
    {
        const char* typed;
        bool loggerOn;
        const char* stored;
        int32_t intervalMs;
        bool refused;
    };
    const Case cases[] = {
        {"15", true, "15", 15000, false},   {"2.5", true, "2.5", 2500, false},
        {" 20 ", true, "20", 20000, false}, {"12x", true, "12", 12000, false},
        {"90", true, "60", 60000, false},   {"99999999999999999999", true, "60", 60000, false},
        {"0", true, "7", 7000, true},       {"-5", true, "7", 7000, true},
        {"abc", true, "7", 7000, true},     {"", true, "7", 7000, true},
        {"0.0004", true, "7", 7000, true}, // rounds to 0 ms
        {"abc", false, "0", 0, false},     // the logger is off: nothing to keep running
    };
    for (const Case& c : cases) {
        const tv::TrackIntervalSetting s = trackIntervalSetting(c.typed, c.loggerOn, 7000);
        EXPECT_EQ(s.text, c.stored) << c.typed;
        EXPECT_EQ(s.intervalMs, c.intervalMs) << c.typed;
        EXPECT_EQ(s.refused, c.refused) << c.typed;
    }
}

} // namespace
