#include "airspace/AirspacePainter.h"

#include "map/DrawSurface.h"
#include "map/MapView.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace tv {
namespace {

// Text offset from the middle of a labelled line, pixels: right and up.
constexpr double kLabelDx = 10.0;
constexpr double kLabelDy = -10.0;

std::optional<ViewBox> viewBox(DrawSurface& surface, MapView& view)
{
    if (!view.computeViewBounds(0.0, 0.0, surface.ScaleWidth(), surface.ScaleHeight()))
        return std::nullopt;
    return ViewBox{view.viewSouthDDMM(), view.viewNorthDDMM(), view.viewWestDDMM(),
                   view.viewEastDDMM()};
}

} // namespace

void paintAirspaceStrokes(DrawSurface& surface, const MapView& view,
                          const std::vector<AirspaceStroke>& strokes)
{
    const uint32_t foreColour = surface.ForeColor();
    const double left = surface.ScaleLeft();
    const double top = surface.ScaleTop();
    const double right = left + surface.ScaleWidth();
    const double bottom = top + surface.ScaleHeight();
    // Outlines are chains: a line mostly starts where the one before ended.
    struct Projected
    {
        AirspacePoint at;
        std::optional<QPointF> view;
    };
    std::array<Projected, 2> recent{};
    std::size_t older = 0;
    auto project = [&](const AirspacePoint& p) {
        for (const Projected& r : recent)
            if (r.view && r.at.latDeg == p.latDeg && r.at.lonDeg == p.lonDeg)
                return r.view;
        Projected& slot = recent[older];
        older ^= 1;
        slot = {p, view.positionToView({p.latDeg, p.lonDeg})};
        return slot.view;
    };
    // Every line in one batch, then every label: the labels lie on top of the lines, and each
    // outline's label text is made once.
    std::vector<DrawSurface::LineSpec> lines;
    lines.reserve(strokes.size());
    std::vector<std::pair<QPointF, QString>> labels;
    const std::string* labelMadeFrom = nullptr;
    QString label;
    for (const AirspaceStroke& s : strokes) {
        const std::optional<QPointF> a = project(s.from);
        const std::optional<QPointF> b = project(s.to);
        if (!a || !b)
            continue;
        if (!s.label.empty()) {
            if (!labelMadeFrom || *labelMadeFrom != s.label)
                label = QString::fromStdString(s.label);
            labelMadeFrom = &s.label;
            labels.emplace_back(
                QPointF((a->x() + b->x()) / 2.0 + kLabelDx, (a->y() + b->y()) / 2.0 + kLabelDy),
                label);
        }
        // Lines wholly beside the map (the selection looks beyond the view) are left out
        // before they reach the rasteriser.
        const double margin = s.widthPx;
        if (std::max(a->x(), b->x()) < left - margin || std::max(a->y(), b->y()) < top - margin ||
            std::min(a->x(), b->x()) > right + margin || std::min(a->y(), b->y()) > bottom + margin)
            continue;
        lines.push_back({*a, *b, s.colour, s.widthPx});
    }
    surface.Lines(lines);
    surface.setForeColor(kAirspaceLabelColour);
    surface.PrintLabels(labels);
    surface.setForeColor(foreColour);
}

QString airspaceFaultToolTip(int language)
{
    return language == 0 ? QStringLiteral("Luftraumdaten fehlerhaft")
                         : QStringLiteral("Airspace data faulty");
}

FlightAirspaceBox drawFlightAirspaces(AirspaceLayer& layer, DrawSurface& surface, MapView& view,
                                      const std::shared_ptr<Connection>& connection,
                                      const LayerFlags& switches, double shownAltitude,
                                      bool altitudeInFeet, int qnhHpa, int language,
                                      bool& faultShown)
{
    FlightAirspaceBox box;
    box.visible = switches.ShowLuftraum;
    if (!connection || (!switches.ShowLuftraum && !switches.ShowPR))
        return box;
    const std::optional<ViewBox> bounds = viewBox(surface, view);
    if (!bounds)
        return box;

    FlightAirspaceRequest request;
    request.airspaces = switches.ShowLuftraum;
    request.labels = switches.ShowLuftraumHoehe;
    request.circuits = switches.ShowPR;
    request.altitudeFt = flightAltitudeFt(shownAltitude, altitudeInFeet, qnhHpa);
    request.view = *bounds;
    request.sliderValue = view.sliderValue();
    const AirspaceDrawing drawing = layer.flightMap(connection, request);
    paintAirspaceStrokes(surface, view, drawing.strokes);

    if (drawing.faulty) {
        box.qnhColour = kAirspaceBoxAlertColour;
        box.qnhToolTip = airspaceFaultToolTip(language);
    } else {
        // A complete redraw clears the fault signal. An empty airspace pass leaves the colour
        // of the count as it was.
        if (drawing.airspaceCount >= 1)
            box.qnhColour = drawing.airspaceCount > kManyAirspaces ? kAirspaceBoxAlertColour
                                                                   : kAirspaceBoxColour;
        else if (faultShown)
            box.qnhColour = kAirspaceBoxColour;
        box.qnhToolTip = QString();
    }
    faultShown = drawing.faulty;
    return box;
}

PlanAirspaceBox drawPlanAirspaces(AirspaceLayer& layer, DrawSurface& surface, MapView& view,
                                  const std::shared_ptr<Connection>& connection,
                                  const PlanAirspaceSwitches& switches, int language)
{
    PlanAirspaceBox box;
    PlanAirspaceRequest request;
    request.switches = switches;
    request.sliderValue = view.sliderValue();
    const std::optional<ViewBox> bounds = viewBox(surface, view);
    if (bounds)
        request.view = *bounds;
    const PlanAirspaceDrawing result =
        bounds ? layer.planMap(connection, request)
               : layer.planMap(nullptr, request); // no view: the box only
    box.visible = result.boxVisible;
    box.text = QString::fromStdString(result.boxText);
    paintAirspaceStrokes(surface, view, result.drawing.strokes);
    if (result.drawing.faulty) {
        box.backColour = kAirspaceBoxAlertColour;
        box.toolTip = airspaceFaultToolTip(language);
    }
    return box;
}

} // namespace tv
