#pragma once

// The airspace layer of a map: its passes (the airspaces, then the traffic circuits), the
// outlines of what they select, and what the map's status box shows. One layer per map window;
// it keeps the outlines it has read and the edge colour between redraws.

#include "airspace/AirspaceOutline.h"
#include "airspace/AirspaceSelection.h"
#include "airspace/AirspaceStore.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

class Connection;

// One redraw's strokes and what went wrong on the way.
struct AirspaceDrawing
{
    std::vector<AirspaceStroke> strokes;
    // Airspaces the airspace pass selected (traffic circuits not counted).
    int airspaceCount = 0;
    // A selection failed or an airspace was left out; everything else was drawn.
    bool faulty = false;
};

// The flight map's switches and the altitude of interest (flightAltitudeFt).
struct FlightAirspaceRequest
{
    bool airspaces = false; // ShowLuftraum
    bool labels = false;    // ShowLuftraumHoehe
    bool circuits = false;  // ShowPR
    double altitudeFt = 0.0;
    ViewBox view; // the whole map, unwidened
    int sliderValue = 0;
};

// What the plan map draws: no airspaces (and then no traffic circuits either), all of them, or
// those whose band holds one altitude; and the traffic circuits at every altitude.
struct PlanAirspaceSwitches
{
    bool airspaces = true;            // false: nothing is drawn and the airspace box is hidden
    std::optional<double> altitudeFt; // empty: every airspace in the view
    bool circuits = false;
};

struct PlanAirspaceRequest
{
    PlanAirspaceSwitches switches;
    ViewBox view; // the whole map, unwidened
    int sliderValue = 0;
};

struct PlanAirspaceDrawing
{
    AirspaceDrawing drawing;
    bool boxVisible = false;
    // What the airspace box shows ("Alle Lufträume", "Luftraum in 3500 ft"); empty while it is
    // hidden.
    std::string boxText;
};

class AirspaceLayer
{
public:
    // Nothing is selected without an open airspace data file (the start notice has told the
    // pilot): no strokes and no fault.
    AirspaceDrawing flightMap(const std::shared_ptr<Connection>& connection,
                              const FlightAirspaceRequest& request);
    PlanAirspaceDrawing planMap(const std::shared_ptr<Connection>& connection,
                                const PlanAirspaceRequest& request);

    // Off: the next straight edge is red. Off when the map window is created.
    bool edgeColourSwitch() const { return edgeColourSwitch_; }
    const AirspaceStore& store() const { return store_; }

private:
    // Selects and outlines one pass; returns the number of airspaces selected.
    int pass(const std::shared_ptr<Connection>& connection, const AirspaceQuery& query,
             const OutlineStyle& style, AirspaceDrawing& drawing);

    AirspaceStore store_;
    bool edgeColourSwitch_ = false;
};

// The plan map's fixed texts (German in both languages).
inline constexpr std::string_view kAllAirspacesText = "Alle Lufträume";
std::string planAltitudeText(double altitudeFt); // "Luftraum in 3500 ft"

} // namespace tv
