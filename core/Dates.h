#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace tv {

// A calendar day without time of day (QNH date, airspace release date). A default-constructed
// Date is the "empty" date of a variable nothing has been assigned to yet.
using Date = std::chrono::year_month_day;

// Today's date in the computer's local time zone.
Date today();

// "yyyy-mm-dd" (2024-03-07). Years 0..9999 only; other dates give an empty text.
std::string formatIsoDate(Date date);

// Reads "yyyy-mm-dd" (four-digit year, two-digit month and day, a real calendar day). A time of
// day after a blank ("2024-03-07 00:00:00") is accepted and dropped. Empty for anything else.
std::optional<Date> parseIsoDate(std::string_view text);

} // namespace tv
