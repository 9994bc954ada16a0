#include "airspace/AirspacePainter.h"

#include "map/DrawSurface.h"
#include "map/MapView.h"

#include <algorithm>

namespace tv {
namespace {

// Text offset from the middle of a labelled line, pixels: right and up.
constexpr double kLabelDx = 10.0;
constexpr double kLabelDy = -10.0;

std::optional<ViewBox> viewBox(DrawSurface& picMap, MapView& view)
{
    if (!view.computeViewBounds(0.0, 0.0, picMap.ScaleWidth(), picMap.ScaleHeight()))
        return std::nullopt;
    return ViewBox{view.viewSouthDDMM(), view.viewNorthDDMM(), view.viewWestDDMM(),
                   view.viewEastDDMM()};
}

} // namespace

void paintAirspaceStrokes(DrawSurface& picMap, const MapView& view,
                          const std::vector<AirspaceStroke>& strokes)
{
    const uint32_t foreColour = picMap.ForeColor();
    const double right = picMap.ScaleLeft() + picMap.ScaleWidth();
    const double bottom = picMap.ScaleTop() + picMap.ScaleHeight();
    // Lines go in batches; a label is printed right after its line, as each line has always
    // been drawn and labelled in turn.
    std::vector<DrawSurface::LineSpec> batch;
    batch.reserve(strokes.size());
    for (const AirspaceStroke& s : strokes) {
        const std::optional<QPointF> a = view.positionToView({s.from.latDeg, s.from.lonDeg});
        const std::optional<QPointF> b = view.positionToView({s.to.latDeg, s.to.lonDeg});
        if (!a || !b)
            continue;
        if (s.label.empty()) {
            // Lines wholly beside the map (the selection looks beyond the view) are left out
            // before they reach the rasteriser.
            const double margin = s.widthPx;
            if (std::max(a->x(), b->x()) < -margin || std::max(a->y(), b->y()) < -margin ||
                std::min(a->x(), b->x()) > right + margin ||
                std::min(a->y(), b->y()) > bottom + margin)
                continue;
            batch.push_back({*a, *b, s.colour, s.widthPx});
            continue;
        }
        batch.push_back({*a, *b, s.colour, s.widthPx});
        picMap.Lines(batch);
        batch.clear();
        picMap.setForeColor(kAirspaceLabelColour);
        picMap.setCurrentX((a->x() + b->x()) / 2.0 + kLabelDx);
        picMap.setCurrentY((a->y() + b->y()) / 2.0 + kLabelDy);
        picMap.Print(QString::fromStdString(s.label));
    }
    picMap.Lines(batch);
    picMap.setForeColor(foreColour);
}

QString airspaceFaultToolTip(int language)
{
    return language == 0 ? QStringLiteral("Luftraumdaten fehlerhaft")
                         : QStringLiteral("Airspace data faulty");
}

FlightAirspaceBox drawFlightAirspaces(AirspaceLayer& layer, DrawSurface& picMap, MapView& view,
                                      const std::shared_ptr<Connection>& connection,
                                      const FlightAirspaceSwitches& switches, double shownAltitude,
                                      bool altitudeInFeet, int qnhHpa, int language,
                                      bool& faultShown)
{
    FlightAirspaceBox box;
    box.visible = switches.showLuftraum;
    if (!connection || (!switches.showLuftraum && !switches.showPR))
        return box;
    const std::optional<ViewBox> bounds = viewBox(picMap, view);
    if (!bounds)
        return box;

    FlightAirspaceRequest request;
    request.airspaces = switches.showLuftraum;
    request.labels = switches.showLuftraumHoehe;
    request.circuits = switches.showPR;
    request.altitudeFt = flightAltitudeFt(shownAltitude, altitudeInFeet, qnhHpa);
    request.view = *bounds;
    request.sliderValue = view.sliderValue();
    const AirspaceDrawing drawing = layer.flightMap(connection, request);
    paintAirspaceStrokes(picMap, view, drawing.strokes);

    if (drawing.faulty) {
        box.lblQNHColour = kAirspaceBoxAlertColour;
        box.lblQNHToolTip = airspaceFaultToolTip(language);
    } else {
        // A complete redraw clears the fault signal. An empty airspace pass leaves the colour
        // of the count as it was.
        if (drawing.airspaceCount >= 1)
            box.lblQNHColour = drawing.airspaceCount > kManyAirspaces ? kAirspaceBoxAlertColour
                                                                      : kAirspaceBoxColour;
        else if (faultShown)
            box.lblQNHColour = kAirspaceBoxColour;
        box.lblQNHToolTip = QString();
    }
    faultShown = drawing.faulty;
    return box;
}

PlanAirspaceBox drawPlanAirspaces(AirspaceLayer& layer, DrawSurface& picMap, MapView& view,
                                  const std::shared_ptr<Connection>& connection,
                                  const PlanAirspaceSwitches& switches, int language)
{
    PlanAirspaceBox box;
    PlanAirspaceRequest request;
    request.switches = switches;
    request.sliderValue = view.sliderValue();
    const std::optional<ViewBox> bounds = viewBox(picMap, view);
    if (bounds)
        request.view = *bounds;
    const PlanAirspaceDrawing result =
        bounds ? layer.planMap(connection, request)
               : layer.planMap(nullptr, request); // no view: the box only
    box.visible = result.tLRVisible;
    box.text = QString::fromStdString(result.tLRText);
    paintAirspaceStrokes(picMap, view, result.drawing.strokes);
    if (result.drawing.faulty) {
        box.backColour = kAirspaceBoxAlertColour;
        box.toolTip = airspaceFaultToolTip(language);
    }
    return box;
}

} // namespace tv
