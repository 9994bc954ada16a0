#pragma once

// The moving map is the chart image with layers drawn over it in a fixed order. Each layer
// decides by itself whether it is shown (its switch) and draws onto the map picture; a layer
// that fails is left out of that redraw (and logged), the layers after it are still drawn.
//
// The flight window's order (frmGPSmain's constructor):
//   "airspaces"   airspaces and traffic circuits (airspace/, through frmGPSmain::DrawAirspaces:
//                 it draws while either switch is on, and hides the QNH box when both are off)
//   "moving map"  route line, target navigation, waypoints and airports, direct-flight target,
//                 charts under the aircraft, and the aircraft last (see MapOverlay.h)

#include <functional>
#include <string>
#include <vector>

namespace tv {

struct MapLayer
{
    std::string name;
    // Empty: always shown.
    std::function<bool()> shown;
    std::function<void()> draw;
};

class MapLayers
{
public:
    // Adds a layer on top of the others.
    void add(MapLayer layer);
    // Adds a layer just below the named one (on top when there is no such layer).
    void addBelow(const std::string& name, MapLayer layer);
    // Draws every shown layer, bottom first.
    void draw() const;
    std::vector<std::string> names() const;

private:
    std::vector<MapLayer> layers_;
};

} // namespace tv
