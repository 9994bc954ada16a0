#include "airspace/AirspaceLayer.h"

#include "core/NumberFormat.h"
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
    constexpr double kNone = -10.0;
    constexpr double kAll = -99.0;
    PlanAirspaceDrawing result;
    const std::optional<double> h = readStrictNumber(request.tLRHoehe);
    if (h && *h == kNone)
        return result;
    result.tLRVisible = true;
    if (!h) {
        // Not a number: nothing can be selected; the box says so.
        result.drawing.faulty = true;
        return result;
    }
    result.tLRText = *h == kAll ? std::string(kAllAirspacesText) : planAltitudeText(*h);
    if (!connection)
        return result;
    const OutlineStyle style = OutlineStyle::planMap(request.sliderValue);
    std::optional<AltitudeBand> band;
    if (*h != kAll)
        band = singleAltitude(*h);
    result.drawing.airspaceCount =
        pass(connection, {widenedViewBox(request.view), band, AirspaceKind::Airspaces}, style,
             result.drawing);

    const std::optional<double> circuits = readStrictNumber(request.tPR);
    if (!circuits)
        result.drawing.faulty = true;
    else if (*circuits == 1.0)
        pass(connection, {request.view, std::nullopt, AirspaceKind::TrafficCircuits}, style,
             result.drawing);
    return result;
}

std::string planAltitudeText(double altitudeFt)
{
    return "Luftraum in " + Value(altitudeFt).toString() + " ft";
}

} // namespace tv
