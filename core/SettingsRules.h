#pragma once

// What the settings window accepts as QNH and as track logger interval.

#include "core/Dates.h"

#include <cstdint>
#include <optional>
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

// Track logger interval, whole seconds.
inline constexpr int kDefaultTrackIntervalS = 10;
inline constexpr int kMaxTrackIntervalS = 60;

// An interval typed or picked by the pilot: a whole number of seconds, at least 1 (blanks
// around it ignored); a longer interval than kMaxTrackIntervalS counts as that maximum.
// Empty when refused: a timer must never be started at 0 or below, nor at a fraction the
// pilot did not mean.
std::optional<int> acceptTrackIntervalS(std::string_view text);

} // namespace tv
