#pragma once

// The layer switches of the flight map. Each is a button with one or two faces stacked at its
// place; the visible face shows the state (the layer flags, Set.crm) and a click on it moves to
// the next state:
//   airspaces    off -> airspaces -> with altitudes -> off
//   airports     off -> step 1 -> step 2 -> off
//   circuits, route line, point names    off <-> on
// Without an airspace file the airspace and circuit switches are gone for the whole run,
// without an airport file the airport switches.

#include "flight/FlightSettings.h"

#include <utility>
#include <vector>

namespace tv {

// The faces of the switches, in the order they stand; the window keeps which control is which.
enum class SwitchFace {
    AirspacesOff,           // "LR"
    Airspaces,              // "LR Höhe" over the third step
    AirspacesWithAltitudes, // the third step, under the second
    CircuitsOff,
    Circuits,
    AirportsOff,   // "APT"
    AirportsStep1, // "APT 2" over the second step
    AirportsStep2, // the second step, under the first
    RouteLineOff,
    RouteLine,
    PointNamesOff,
    PointNames,
};

// The flags after a click on `face`.
LayerFlags pressLayerSwitch(LayerFlags flags, SwitchFace face);

// Every face that comes and goes, with whether it shows for these flags and files.
std::vector<std::pair<SwitchFace, bool>> layerSwitchFaces(const LayerFlags& flags,
                                                          bool airspaceFile, bool airportFile);

} // namespace tv
