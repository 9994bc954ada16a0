#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tv {

// Numbers in NMEA fields. A field converts only when the whole field is a plain decimal number:
// optional blanks (space, tab), an optional "+" or "-", digits with at most one "." (at least one
// digit in all: "08", " 5", "+5", "-4.0", "2.", ".5"), optional blanks. Anything else is no
// number -- "1e3", "5x", "0x10", "1,5", "inf", "- 5", a field of blanks only -- and the decoders
// treat it like an empty field. Blanks around the number are tolerated because VB's conversions,
// which the event interface was designed around, tolerate them; the exponent form is refused
// because no receiver sends it and a corrupted field must not turn into a plausible large number.
// The decimal point is always "." whatever the C locale says.

// A Double field; nothing when the text is no number or beyond the range of a double.
std::optional<double> nmeaDouble(std::string_view field);

// An Integer field: the number rounded to the nearest whole number, halves to the even one as
// VB's CInt does ("2.5" -> 2, "3.5" -> 4, "-2.5" -> -2), so a receiver that sends a DGPS age as
// "2.4" still reports 2. Nothing when the text is no number or the result lies outside
// -32768..32767.
std::optional<int16_t> nmeaInteger(std::string_view field);

// The same as a plain int, kNoInteger when there is none. The decoders use this form: it keeps
// the value in a register (an optional<int16_t> returned from another unit goes through memory,
// and the load that follows stalls on the partly written bytes).
inline constexpr int kNoInteger = INT32_MIN;
int nmeaIntegerOrNone(std::string_view field);

inline std::optional<int16_t> nmeaInteger(std::string_view field)
{
    const int value = nmeaIntegerOrNone(field);
    if (value == kNoInteger)
        return std::nullopt;
    return static_cast<int16_t>(value);
}

} // namespace tv
