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

TEST(TrackIntervalEntry, AnyNumberIsSecondsUpToAMinute)
{
    struct Case
    {
        const char* typed;
        const char* stored;
        int32_t intervalMs;
    };
    for (const Case& c :
         {Case{"15", "15", 15000}, Case{"2.5", "2.5", 2500}, Case{" 20 ", " 20 ", 20000},
          Case{"60", "60", 60000}, Case{"90", "60", 60000},
          Case{"99999999999999999999", "60", 60000}, Case{"0.0004", "0.0004", 0}}) {
        const tv::TrackIntervalSetting s = trackIntervalSetting(c.typed);
        EXPECT_EQ(s.text, c.stored) << c.typed;
        EXPECT_EQ(s.intervalMs, c.intervalMs) << c.typed;
    }
}

TEST(TrackIntervalEntry, ZeroOrTextMeansNoRecordingAndIsStoredAsTyped)
{
    for (const char* typed : {"0", "-5", "abc", "", "2,5"}) {
        const tv::TrackIntervalSetting s = trackIntervalSetting(typed);
        EXPECT_EQ(s.text, typed);
        EXPECT_EQ(s.intervalMs, 0) << typed;
    }
}

} // namespace
