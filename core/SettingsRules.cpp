#include "core/SettingsRules.h"

#include "core/Rounding.h"
#include "core/SettingsFile.h"
#include "platform/TextTrim.h"

#include <string>

namespace tv {

std::optional<int16_t> acceptQnh(std::string_view text)
{
    std::string number(trimBlanks(text));
    // A German keyboard gives "1013,5"; there are no thousands separators in a QNH.
    if (number.find('.') == std::string::npos) {
        if (const auto comma = number.find(','); comma != std::string::npos)
            number[comma] = '.';
    }
    const std::optional<double> value = parseSettingsNumber(number);
    if (!value || !(*value > 950.0 && *value < 1050.0))
        return std::nullopt;
    return ToInt16HalfEven(*value);
}

int16_t qnhInForce(int16_t storedHpa, const Date& storedOn, const Date& today)
{
    if (storedOn != today)
        return kStandardQnhHpa;
    return acceptQnh(std::to_string(storedHpa)).value_or(kStandardQnhHpa);
}

std::optional<int> acceptTrackIntervalS(std::string_view text)
{
    const std::string_view digits = trimBlanks(text);
    if (digits.empty())
        return std::nullopt;
    int seconds = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        seconds = seconds * 10 + (c - '0');
        if (seconds > kMaxTrackIntervalS)
            seconds = kMaxTrackIntervalS + 1; // stays above the maximum, never overflows
    }
    if (seconds < 1)
        return std::nullopt;
    return seconds > kMaxTrackIntervalS ? kMaxTrackIntervalS : seconds;
}

} // namespace tv
