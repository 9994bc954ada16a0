#include "planning/AirspaceChoice.h"

#include "core/Rounding.h"
#include "core/SettingsFile.h"
#include "platform/TextTrim.h"

#include <charconv>

namespace tv {

AirspaceDialogStart airspaceDialogStart(std::string_view tLRHoehe, std::string_view tPR)
{
    AirspaceDialogStart start;
    const std::optional<double> number = parseSettingsNumber(tLRHoehe);
    const std::optional<int16_t> n = number ? ToInt16HalfEven(*number) : std::nullopt;
    if (n) {
        if (*n >= 0) {
            start.option = AirspaceOption::AtAltitude;
            start.altitudeText = std::string(tLRHoehe);
        } else if (*n == -99) {
            start.option = AirspaceOption::All;
        } else if (*n == -10) {
            start.option = AirspaceOption::Nothing;
        }
    }
    const std::optional<double> circuits = parseSettingsNumber(tPR);
    start.showCircuits = circuits && *circuits == 1.0;
    return start;
}

std::optional<std::string> airspaceFilterOnClose(AirspaceOption option,
                                                 std::string_view altitudeText)
{
    switch (option) {
    case AirspaceOption::All:
        return "-99";
    case AirspaceOption::Nothing:
        return "-10";
    case AirspaceOption::AtAltitude: {
        const std::string_view text = trimBlanks(altitudeText);
        int value = -1;
        const char* end = text.data() + text.size();
        const auto [ptr, ec] = std::from_chars(text.data(), end, value);
        if (!text.empty() && ec == std::errc() && ptr == end && value >= 0 &&
            value <= kMaxAirspaceAltitudeFt)
            return std::string(text);
        return "-10";
    }
    case AirspaceOption::NoneSelected:
        break;
    }
    return std::nullopt;
}

} // namespace tv
