#pragma once

namespace tv {

// The seven layer switches of the flight map, in the order of the lines of Set.crm (the flight
// window's settings file keeps them in this order): airspaces, airspace labels with altitudes,
// traffic circuits, route line, waypoint names, airports step 1, airports step 2.
struct LayerFlags
{
    bool ShowLuftraum = false;      // airspaces around the aircraft
    bool ShowLuftraumHoehe = false; // their labels with the altitudes
    bool ShowPR = false;            // traffic circuits
    bool ShowRoute = false;         // the chosen route's line
    bool ShowWayInfo = false;       // waypoint names beside the rings
    bool ShowAPT1 = false;          // airports: ring, runway bar and code
    bool ShowAPT2 = false;          // airports: runway text and frequencies
};

} // namespace tv
