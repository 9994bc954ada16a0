#pragma once

// The plan window's airspace choice at its two edges beneath the window: the display dialog
// that edits it and the airspace layer that draws it.

#include "airspace/AirspacePainter.h"
#include "planning/AirspaceChoice.h"

namespace tv {

// The menu item of the airspace display dialog: the dialog edits the plan window's choice, and
// the plan map shows the new choice at once. When the plan window is unloaded meanwhile (the
// program ends while the dialog is open), the choice goes nowhere.
void showPlanAirspaceDialog();

// What the plan map's airspace layer draws for `choice`.
PlanAirspaceSwitches planAirspaceSwitches(const PlanAirspaceChoice& choice);

} // namespace tv
