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

// What leaving the settings window makes of the interval box. Any number ("." as decimal
// point, as track.crm holds it) is seconds: "2.5" is 2500 ms; more than kMaxTrackIntervalS
// becomes "60". A text that is no number is stored as typed and, like "0", gives interval 0:
// no recording (the recording timer treats 0 as stopped). A negative number counts as 0 too.
struct TrackIntervalSetting
{
    std::string text;   // what the box shows and track.crm stores
    int32_t intervalMs; // the new TrackInterval, whole milliseconds (halves to even), >= 0
};
TrackIntervalSetting trackIntervalSetting(std::string_view boxText);

} // namespace tv
