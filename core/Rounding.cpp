#include "core/Rounding.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace tv {
namespace {

// Whole-number rounding with halves to even, independent of the floating-point rounding mode.
double roundWholeHalfEven(double value)
{
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff < 0.5)
        return lower;
    if (diff > 0.5)
        return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

template <typename Int> std::optional<Int> toIntHalfEven(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = roundWholeHalfEven(value);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(rounded);
}

// From 2^52 on every double is a whole number, so there is nothing left to round.
constexpr double kAllWhole = 4503599627370496.0;

// Powers of ten up to 10^15 are exact doubles; a table spares pow() in long exports.
constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

} // namespace

double RoundHalfEven(double value, int decimals)
{
    if (!std::isfinite(value))
        return value;
    if (decimals < 0)
        decimals = 0;
    if (decimals > 15)
        return value;
    const double scale = kPowersOfTen[decimals];
    const double scaled = value * scale;
    if (std::fabs(scaled) >= kAllWhole)
        return value;
    return roundWholeHalfEven(scaled) / scale;
}

double RoundHalfAwayOnDecimalText(double magnitude, int decimals)
{
    if (!std::isfinite(magnitude))
        return magnitude;
    if (decimals < 0)
        decimals = 0;
    if (decimals > 15)
        return magnitude;
    const double scale = kPowersOfTen[decimals];
    const double scaled = magnitude * scale;
    if (scaled >= kAllWhole)
        return magnitude;
    // From 10^15 on, 15 significant digits would cut whole digits off the shown value
    // (1234567890123456 is no 1234567890123460); there the double itself is rounded.
    if (scaled >= 1e15)
        return std::round(scaled) / scale;
    // Cutting to 15 significant digits moves the value by less than scaled * 1e-14. A fraction
    // farther than that from the half rounds alike either way, so only values next to a half
    // (rare in long exports) need their text.
    const double lower = std::floor(scaled);
    const double fraction = scaled - lower;
    const double margin = scaled * 1e-13;
    if (fraction < 0.5 - margin)
        return lower / scale;
    if (fraction > 0.5 + margin)
        return (lower + 1.0) / scale;
    // to_chars and from_chars, unlike printf, ignore the C locale's decimal mark.
    char text[64];
    const auto written =
        std::to_chars(text, text + sizeof text, scaled, std::chars_format::general, 15);
    double reread = 0.0;
    std::from_chars(text, written.ptr, reread);
    return std::floor(reread + 0.5) / scale;
}

std::optional<int16_t> ToInt16HalfEven(double value)
{
    return toIntHalfEven<int16_t>(value);
}

std::optional<int32_t> ToInt32HalfEven(double value)
{
    return toIntHalfEven<int32_t>(value);
}

} // namespace tv
