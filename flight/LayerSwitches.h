#pragma once

// The layer switches of the flight map. Each is a button with one or two pictures or buttons
// stacked at its place; the visible face shows the state (the layer flags, Set.crm) and a
// click on it moves to the next state:
//   airspaces    cmdLR1 (off) -> cmdLR2 (airspaces) -> picLR3 (with altitudes) -> off
//   airports     cmdAPT1 (off) -> cmdAPT2 (step 1) -> picAPT3 (step 2) -> off
//   circuits     cmdPR (off) <-> picPR (on)
//   route line   cmdshowRoute (off) <-> picShowRoute (on)
//   point names  cmdWayInfo (off) <-> picWayInfo (on)
// Without an airspace file the airspace and circuit switches are gone for the whole run,
// without an airport file the airport switches.

#include "flight/FlightSettings.h"

#include <QString>

#include <utility>
#include <vector>

namespace tv {

// The flags after a click on the face named `face`; the same flags for any other name.
LayerFlags pressLayerSwitch(LayerFlags flags, const QString& face);

// Every face that comes and goes, with whether it shows for these flags and files.
std::vector<std::pair<QString, bool>> layerSwitchFaces(const LayerFlags& flags, bool airspaceFile,
                                                       bool airportFile);

} // namespace tv
