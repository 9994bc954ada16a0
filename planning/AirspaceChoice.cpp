#include "planning/AirspaceChoice.h"

#include "platform/TextTrim.h"

#include <charconv>

namespace tv {

PlanAirspaceChoice airspaceChoiceOnClose(const PlanAirspaceChoice& before,
                                         std::optional<PlanAirspaceChoice::Airspaces> option,
                                         std::string_view altitudeText, bool circuits)
{
    using Airspaces = PlanAirspaceChoice::Airspaces;
    PlanAirspaceChoice chosen = before;
    if (option == Airspaces::All) {
        chosen = PlanAirspaceChoice::all();
    } else if (option == Airspaces::None) {
        chosen = PlanAirspaceChoice::none();
    } else if (option == Airspaces::AtAltitude) {
        const std::string_view text = trimBlanks(altitudeText);
        int value = -1;
        const char* end = text.data() + text.size();
        const auto [ptr, ec] = std::from_chars(text.data(), end, value);
        const bool whole = !text.empty() && ec == std::errc() && ptr == end;
        chosen = whole && value >= 0 && value <= kMaxAirspaceAltitudeFt
                     ? PlanAirspaceChoice::atAltitude(value)
                     : PlanAirspaceChoice::none();
    }
    chosen.circuits = circuits;
    return chosen;
}

PlanAirspaceSwitches planAirspaceSwitches(const PlanAirspaceChoice& choice)
{
    PlanAirspaceSwitches switches;
    switches.airspaces = choice.airspaces != PlanAirspaceChoice::Airspaces::None;
    if (choice.airspaces == PlanAirspaceChoice::Airspaces::AtAltitude)
        switches.altitudeFt = choice.altitudeFt;
    switches.circuits = choice.circuits;
    return switches;
}

} // namespace tv
