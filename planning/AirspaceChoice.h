#pragma once

// The plan map's airspace choice: which airspaces it shows (all of them, none, or those whose
// band holds one altitude) and whether it shows the traffic circuits. The plan window keeps it,
// the airspace display dialog edits it, and planung.crm keeps its airspaces part as text
// (PlanSettings.h); the circuits start off each time the plan window loads. The airspace layer
// draws it as PlanAirspaceSwitches.

#include "airspace/AirspaceLayer.h"

#include <optional>
#include <string_view>

namespace tv {

// The highest altitude the choice holds, feet: the largest that planung.crm reads back.
inline constexpr int kMaxAirspaceAltitudeFt = 32767;

struct PlanAirspaceChoice
{
    // The dialog's option buttons in order: Option1, Option2, Option3.
    enum class Airspaces { All, None, AtAltitude };

    static PlanAirspaceChoice all() { return {Airspaces::All, 0, false}; }
    static PlanAirspaceChoice none() { return {Airspaces::None, 0, false}; }
    // `altitudeFt` 0 .. kMaxAirspaceAltitudeFt.
    static PlanAirspaceChoice atAltitude(int altitudeFt)
    {
        return {Airspaces::AtAltitude, altitudeFt, false};
    }

    Airspaces airspaces = Airspaces::All;
    int altitudeFt = 0;    // with AtAltitude only; 0 otherwise
    bool circuits = false; // traffic circuits shown; None draws them neither

    friend bool operator==(const PlanAirspaceChoice&, const PlanAirspaceChoice&) = default;
};

// The choice when the airspace display dialog closes. `option` is the selected option button;
// with none selected the airspaces part stays as `before` had it. AtAltitude takes a whole
// number 0 to kMaxAirspaceAltitudeFt typed in the altitude box (blanks around it ignored);
// anything else shows no airspaces. The circuits follow `circuits` whatever the option.
PlanAirspaceChoice airspaceChoiceOnClose(const PlanAirspaceChoice& before,
                                         std::optional<PlanAirspaceChoice::Airspaces> option,
                                         std::string_view altitudeText, bool circuits);

// What the plan map's airspace layer draws for `choice`.
PlanAirspaceSwitches planAirspaceSwitches(const PlanAirspaceChoice& choice);

} // namespace tv
