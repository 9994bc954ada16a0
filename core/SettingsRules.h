#pragma once

// What the settings window accepts as QNH and as track logger interval.

#include "core/Dates.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tv {

// Standard pressure, hPa: the QNH whenever no valid value was entered on the day.
inline constexpr int16_t kStandardQnhHpa = 1013;

// A QNH typed by the pilot, hPa. Accepted when it is a number strictly between 950 and 1050
// (blanks around it ignored; "," or "." as decimal point); the value is rounded to a whole
// number with halves to even (1013.5 -> 1014, 1012.5 -> 1012). Empty when refused.
std::optional<int16_t> acceptQnh(std::string_view text);

// The QNH in force, hPa: the stored QNH when it was set on `today` and passes acceptQnh,
// otherwise standard pressure (a QNH of another day is never flown with). Every window that
// shows or uses the QNH goes through this rule.
int16_t qnhInForce(int16_t storedHpa, const Date& storedOn, const Date& today);

// Track logger interval: seconds in the box, milliseconds in TrackInterval.
inline constexpr int kMaxTrackIntervalS = 60;

// An interval text, from the box or from track.crm, read by its leading number (leadingNumber):
// "12x" is 12 s, "2.5" is 2500 ms; more than kMaxTrackIntervalS counts as kMaxTrackIntervalS,
// 0 or less as 0. Milliseconds, halves to even. Empty when the text has no leading number at all
// ("abc", "", "-").
std::optional<int32_t> trackIntervalMs(std::string_view text);

// The interval box read when the settings window is left, by trackIntervalMs. What the box shows
// and track.crm stores is the interval in use, so that the next start reads the same one.
// An interval of 0 ms or less ("0", "abc", "", "-5", "0.0004") is no interval: while the logger
// is on it is refused and the interval in use stays (kDefaultTrackIntervalS when there is none
// above 0, as on a first start); with the logger off it gives interval 0.
inline constexpr int kDefaultTrackIntervalS = 10;
struct TrackIntervalSetting
{
    std::string text;     // seconds, what the box shows and track.crm stores ("12", "2.5")
    int32_t intervalMs;   // the new TrackInterval
    bool refused = false; // the pilot is told that the box held no usable interval
};
TrackIntervalSetting trackIntervalSetting(std::string_view boxText, bool loggerOn,
                                          int32_t intervalInUseMs);

} // namespace tv
