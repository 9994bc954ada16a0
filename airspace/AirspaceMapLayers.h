#pragma once

// The airspace layers of the two maps. Each keeps the airspace rows it has read and draws
// from what its owner prepared before the redraw; the box it decided (the flight map's QNH box,
// the plan map's airspace box) is read after the redraw. Empty until the layer was drawn to its end
// after the last prepare: a faulty draw leaves the box as the window shows it.

#include "airspace/AirspaceLayer.h"
#include "airspace/AirspacePainter.h"
#include "map/LayerFlags.h"
#include "map/MapLayer.h"

#include <memory>
#include <optional>

namespace tv {

class Connection;

// The flight map's "airspaces": airspaces around the aircraft at its altitude and the traffic
// circuits. Drawn whatever the switches say: with ShowLuftraum and ShowPR both off it draws
// nothing and its box is hidden.
class FlightAirspaceMapLayer final : public MapLayer
{
public:
    struct Inputs
    {
        std::shared_ptr<Connection> connection; // Luftraum.tvd; null: nothing is drawn
        LayerFlags switches;
        // The altitude the altitude display shows (0 without a fix), feet or metres by
        // altitudeInFeet.
        double shownAltitude = 0.0;
        bool altitudeInFeet = true;
        int qnhHpa = 1013;
        int language = 0;
    };
    // Takes the inputs of the next redraw and forgets the box of the last one.
    void prepare(Inputs inputs);
    std::string name() const override { return "airspaces"; }
    void draw(DrawSurface& surface, MapView& view) override;
    const std::optional<FlightAirspaceBox>& box() const { return box_; }

private:
    Inputs in_;
    AirspaceLayer rows_;
    // The last complete redraw was faulty: the box says so until a complete redraw.
    bool faultShown_ = false;
    std::optional<FlightAirspaceBox> box_;
};

// The plan map's "airspaces", as the plan window's airspace choice switches them.
class PlanAirspaceMapLayer final : public MapLayer
{
public:
    struct Inputs
    {
        std::shared_ptr<Connection> connection; // Luftraum.tvd; null: the box only
        PlanAirspaceSwitches switches;
        int language = 0;
    };
    // Takes the inputs of the next redraw and forgets the box of the last one; none: the
    // layer draws nothing and decides no box.
    void prepare(std::optional<Inputs> inputs);
    std::string name() const override { return "airspaces"; }
    void draw(DrawSurface& surface, MapView& view) override;
    const std::optional<PlanAirspaceBox>& box() const { return box_; }

private:
    std::optional<Inputs> in_;
    AirspaceLayer rows_;
    std::optional<PlanAirspaceBox> box_;
};

} // namespace tv
