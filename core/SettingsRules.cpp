#include "core/SettingsRules.h"

#include "core/NumberFormat.h"
#include "core/Rounding.h"
#include "core/SettingsFile.h"
#include "platform/TextTrim.h"

#include <algorithm>
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

std::optional<int32_t> trackIntervalMs(std::string_view text)
{
    const std::optional<double> seconds = leadingNumber(text);
    if (!seconds)
        return std::nullopt;
    const double within = std::clamp(*seconds, 0.0, double{kMaxTrackIntervalS});
    return ToInt32HalfEven(within * 1000.0).value_or(0); // always fits: at most 60000
}

TrackIntervalSetting trackIntervalSetting(std::string_view boxText, bool loggerOn,
                                          int32_t intervalInUseMs)
{
    const auto setting = [](int32_t intervalMs, bool refused) {
        return TrackIntervalSetting{numberText(intervalMs / 1000.0, '.'), intervalMs, refused};
    };
    const int32_t intervalMs = trackIntervalMs(boxText).value_or(0);
    if (intervalMs > 0)
        return setting(intervalMs, false);
    if (!loggerOn)
        return setting(0, false);
    return setting(intervalInUseMs > 0 ? intervalInUseMs : kDefaultTrackIntervalS * 1000, true);
}

} // namespace tv
