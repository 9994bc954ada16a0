#pragma once

// The plan window's settings files in the program folder.
//
// planung.crm: one quoted text, the airspaces part of the plan map's airspace choice: "-99" all
// airspaces, "-10" none, or an altitude in feet, a whole number 0..32767. Written when the plan
// window is left, read once when it loads. These texts are read and written here only.
// kartendaten.crm, the chart the flight window showed last, is read with the charts
// (planning/PlanChart.h, map/ActiveCharts.h).

#include "planning/AirspaceChoice.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tv {

// Reads planung.crm. A valid text is "-99", "-10" or a whole number 0..32767 (digits only, no
// sign, no blanks, at most five digits). A missing file or one holding anything else is
// unreadable: the file is written anew with "-99" and all airspaces are returned. The circuits
// are off.
PlanAirspaceChoice loadPlanSettings(const std::filesystem::path& folder);
// Writes planung.crm with the airspaces part of `choice`; false when the file could not be
// written (the old one stays).
[[nodiscard]] bool savePlanSettings(const std::filesystem::path& folder,
                                    const PlanAirspaceChoice& choice);

} // namespace tv
