#pragma once

// The plan window's side of the airspace display dialog: the plan window keeps the display in
// its hidden boxes tLRHoehe and tPR, and this lends them to the dialog as an
// AirspaceDisplayAccess, so the dialog never touches the plan window's controls. It holds the
// window weakly: the program may unload the plan window while the dialog is open.

#include "planning/AirspaceChoice.h"

#include <memory>

namespace tv {

class frmPlanung;

// Reads and writes `plan`'s two boxes; writing redraws the plan map with them. When the plan window
// is unloaded meanwhile (the program ends while the dialog is open), reading gives the plan map's
// start values and writing does nothing.
std::unique_ptr<AirspaceDisplayAccess> planWindowAirspaceDisplay(frmPlanung& plan);

} // namespace tv
