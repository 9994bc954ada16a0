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

TrackIntervalSetting trackIntervalSetting(std::string_view boxText)
{
    const std::optional<double> seconds = parseSettingsNumber(boxText);
    if (!seconds)
        return {std::string(boxText), 0};
    if (*seconds > kMaxTrackIntervalS)
        return {std::to_string(kMaxTrackIntervalS), kMaxTrackIntervalS * 1000};
    if (*seconds <= 0.0)
        return {std::string(boxText), 0};
    return {std::string(boxText), ToInt32HalfEven(*seconds * 1000.0).value_or(0)};
}

} // namespace tv
