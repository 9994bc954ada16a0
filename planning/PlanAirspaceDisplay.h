#pragma once

// ADAPTER, to go when the plan window owns its airspace display: the plan window still keeps
// the display in its hidden boxes tLRHoehe and tPR, and this lends them to the airspace display
// dialog as an AirspaceDisplayAccess. Once frmPlanung holds an AirspaceDisplay value and
// implements AirspaceDisplayAccess itself, the menu item hands the plan window to
// showAirspaceDialog and these two files are deleted.

#include "planning/AirspaceChoice.h"

#include <memory>

namespace tv {

class frmPlanung;

// Reads and writes `plan`'s two boxes. When the plan window is unloaded meanwhile (the program
// ends while the dialog is open), reading gives the plan map's start values and writing does
// nothing.
std::unique_ptr<AirspaceDisplayAccess> planWindowAirspaceDisplay(frmPlanung& plan);

} // namespace tv
