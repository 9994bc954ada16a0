#pragma once

// Puts airspace strokes on a map, and the two maps' airspace passes built on it: the flight
// map's and the plan map's (their map layers are airspace/AirspaceMapLayers.h). The windows
// only copy the returned box states to their controls.

#include "airspace/AirspaceLayer.h"
#include "map/LayerFlags.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace tv {

class Connection;
class DrawSurface;
class MapView;

// Draws the strokes in order onto `surface` through the view's conversions (chart edges and
// scales, then the visible rectangle), then their labels over all of them: a label is printed
// in 0x000080 ten pixels right of and above the middle of its line. A stroke whose points do
// not convert is skipped. The surface's colours and width are as before afterwards.
void paintAirspaceStrokes(DrawSurface& surface, const MapView& view,
                          const std::vector<AirspaceStroke>& strokes);

// The status boxes' colours (0x00BBGGRR) and the tool tip of a faulty redraw.
inline constexpr uint32_t kAirspaceBoxColour = 0x80FFFF;
inline constexpr uint32_t kAirspaceBoxAlertColour = 0x8080FF; // many airspaces, or faulty data
QString airspaceFaultToolTip(int language);

// What the flight map's QNH box shows after a redraw.
struct FlightAirspaceBox
{
    bool visible = false;              // the QNH box: shown with the airspace pass
    std::optional<uint32_t> qnhColour; // empty: keep the colour it has
    std::optional<QString> qnhToolTip; // empty: keep the tool tip it has
};

// The flight map's airspace pass: selection for the whole of `surface` (view bounds from `view`),
// strokes painted, as the switches ShowLuftraum, ShowLuftraumHoehe and ShowPR of `switches` say
// (the others are not read). `shownAltitude` is the altitude the altitude display shows (0 without
// a fix), in feet or metres by `altitudeInFeet`. `faultShown` is the layer's memory that its last
// redraw was faulty, so that a complete redraw clears the signal.
FlightAirspaceBox drawFlightAirspaces(AirspaceLayer& layer, DrawSurface& surface, MapView& view,
                                      const std::shared_ptr<Connection>& connection,
                                      const LayerFlags& switches, double shownAltitude,
                                      bool altitudeInFeet, int qnhHpa, int language,
                                      bool& faultShown);

// What the plan map's airspace box shows after a redraw.
struct PlanAirspaceBox
{
    bool visible = false;
    QString text; // while visible
    uint32_t backColour = kAirspaceBoxColour;
    QString toolTip;
};

// The plan map's airspace pass as `switches` choose it.
PlanAirspaceBox drawPlanAirspaces(AirspaceLayer& layer, DrawSurface& surface, MapView& view,
                                  const std::shared_ptr<Connection>& connection,
                                  const PlanAirspaceSwitches& switches, int language);

} // namespace tv
