#include "airspace/AirspaceLayer.h"

#include "platform/DbError.h"
#include "platform/Value.h"

namespace tv {

int AirspaceLayer::pass(const std::shared_ptr<Connection>& connection, const AirspaceQuery& query,
                        const OutlineStyle& style, AirspaceDrawing& drawing)
{
    std::vector<int32_t> numbers;
    try {
        numbers = store_.select(connection, query);
    } catch (const DbError&) {
        drawing.faulty = true;
        return 0;
    }
    store_.prefetch(connection, numbers);
    // One airspace never takes the layer down: one that cannot be read or drawn is left out
    // whole and the others are drawn.
    for (const int32_t number : numbers) {
        try {
            appendStrokes(store_.outline(connection, number), style, edgeColourSwitch_,
                          drawing.strokes);
        } catch (const DbError&) {
            drawing.faulty = true;
        } catch (const AirspaceDataError&) {
            drawing.faulty = true;
        }
    }
    return static_cast<int>(numbers.size());
}

AirspaceDrawing AirspaceLayer::flightMap(const std::shared_ptr<Connection>& connection,
                                         const FlightAirspaceRequest& request)
{
    AirspaceDrawing drawing;
    if (!connection)
        return drawing;
    const AltitudeBand band = flightBand(request.altitudeFt);
    const OutlineStyle style = OutlineStyle::flightMap(request.sliderValue, request.labels);
    if (request.airspaces) {
        drawing.airspaceCount =
            pass(connection, {widenedViewBox(request.view), band, AirspaceKind::Airspaces}, style,
                 drawing);
    }
    if (request.circuits)
        pass(connection, {request.view, band, AirspaceKind::TrafficCircuits}, style, drawing);
    return drawing;
}

PlanAirspaceDrawing AirspaceLayer::planMap(const std::shared_ptr<Connection>& connection,
                                           const PlanAirspaceRequest& request)
{
    const PlanAirspaceSwitches& switches = request.switches;
    PlanAirspaceDrawing result;
    if (!switches.airspaces)
        return result;
    result.boxVisible = true;
    result.boxText = switches.altitudeFt ? planAltitudeText(*switches.altitudeFt)
                                         : std::string(kAllAirspacesText);
    if (!connection)
        return result;
    const OutlineStyle style = OutlineStyle::planMap(request.sliderValue);
    std::optional<AltitudeBand> band;
    if (switches.altitudeFt)
        band = singleAltitude(*switches.altitudeFt);
    result.drawing.airspaceCount =
        pass(connection, {widenedViewBox(request.view), band, AirspaceKind::Airspaces}, style,
             result.drawing);
    if (switches.circuits)
        pass(connection, {request.view, std::nullopt, AirspaceKind::TrafficCircuits}, style,
             result.drawing);
    return result;
}

std::string planAltitudeText(double altitudeFt)
{
    return "Luftraum in " + Value(altitudeFt).toString() + " ft";
}

} // namespace tv
