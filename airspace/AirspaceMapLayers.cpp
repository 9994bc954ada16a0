#include "airspace/AirspaceMapLayers.h"

namespace tv {

void FlightAirspaceMapLayer::prepare(Inputs inputs)
{
    in_ = std::move(inputs);
    box_.reset();
}

void FlightAirspaceMapLayer::draw(DrawSurface& surface, MapView& view)
{
    box_ =
        drawFlightAirspaces(rows_, surface, view, in_.connection, in_.switches, in_.shownAltitude,
                            in_.altitudeInFeet, in_.qnhHpa, in_.language, faultShown_);
}

void PlanAirspaceMapLayer::prepare(std::optional<Inputs> inputs)
{
    in_ = std::move(inputs);
    box_.reset();
}

void PlanAirspaceMapLayer::draw(DrawSurface& surface, MapView& view)
{
    if (!in_)
        return;
    box_ = drawPlanAirspaces(rows_, surface, view, in_->connection, in_->switches, in_->language);
}

} // namespace tv
