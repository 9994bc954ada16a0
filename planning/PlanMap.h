#pragma once

// The plan map without its window: one chart of the Maps table on the shared MapView (plan
// window constants) drawn into a DrawSurface, with its layer stack over it on every redraw:
// the chart as the base, then "airspaces", "route" and "waypoints" (map/MapLayer.h). The window
// gives the layers their inputs with the redraw and shows what they decided after it. The
// measuring line is drawn over a redraw by the mouse move.
//
// Positions are DD.MM (south and west negative) unless a name says degrees; map points are
// pixels of the map picture, y down. Colours are 0x00BBGGRR.

#include "airspace/AirspaceMapLayers.h"
#include "map/AirportData.h"
#include "map/DrawSurface.h"
#include "map/MapLayer.h"
#include "map/MapView.h"
#include "planning/PlanMapLayers.h"
#include "planning/WaypointEntry.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tv {

class Connection;

// Distance (NM) and course (degrees true) from the waypoint to the cursor, with ArcRadius and
// ArcDimension. The cursor on the waypoint gives 0 and 0.
struct Measurement
{
    double distanceNm = 0.0;
    double courseDeg = 0.0;
};
Measurement measure(DDMMPoint waypoint, DDMMPoint cursor);

// What a redraw draws besides the chart.
struct PlanMapInputs
{
    // The airspace layer's inputs; none: no airspaces and no airspace box.
    std::optional<PlanAirspaceMapLayer::Inputs> airspaces;
    // The route line's inputs when it is shown; none: no line and no length.
    std::optional<PlanRouteLayer::Inputs> route;
    PlanWaypointLayer::Inputs waypoints;
};

// What the layers decided in a redraw, for the window to show.
struct PlanMapResult
{
    // The route's length when the route line is shown, with a chart or without one.
    std::optional<double> routeLengthNm;
    // What the airspace box shows; none when no airspace inputs were given, without a chart, or
    // when the airspace layer failed.
    std::optional<PlanAirspaceBox> airspaceBox;
};

class PlanMap
{
public:
    // Draws on `external` (the window's picture box) when given, else on a surface of its own.
    explicit PlanMap(DrawSurface* external = nullptr);

    MapView& view() { return view_; }
    const MapView& view() const { return view_; }
    DrawSurface& surface() { return external_ ? *external_ : own_; }
    const DrawSurface& surface() const { return external_ ? *external_ : own_; }

    // A chart is loaded and valid: the map draws.
    bool hasChart() const { return chartShown_; }

    // New size of the map picture in pixels; the view keeps its width and refits its height
    // (no redraw).
    void resize(int widthPx, int heightPx);
    // The surface was resized by its widget: the view follows (no redraw).
    void surfaceResized();

    // Loads a chart row with its picture (a null image: the file could not be read). A picture
    // that failed or edges without a valid scale are a chart error: false, the map is blank
    // and stays blank until a chart loads; the caller shows chartErrorMessage (map/ActiveCharts.h).
    bool loadChart(const ChartRow& row, const QImage& picture);
    // No active chart: blank map, nothing draws.
    void clearChart();

    // Paints the chart and the layers over it from `inputs`; without a chart the map is blank.
    PlanMapResult RedrawMap(PlanMapInputs inputs);
    // The layers' names, bottom first.
    std::vector<std::string> layerNames() { return layerStack().names(); }

    // Zoom by the slider value (-100..100) with the plan window's clamps; no redraw.
    void setZoom(int sliderValue);
    // A click on the slider at `xPixels` along it: the value (15 twips per pixel).
    int sliderValueFromClickPx(double xPixels) const;

    // Cursor position in DD.MM under map point (x, y); empty without a chart.
    std::optional<DDMMPoint> positionAt(double x, double y) const;
    // Map point of a DD.MM position; empty when the view cannot place it.
    std::optional<QPointF> pointOf(double latDDMM, double lonDDMM) const;
    // The DD.MM box of the view: the waypoint query's bounds. Empty without a chart.
    using ViewBox = PlanViewBox;
    std::optional<ViewBox> viewBox() const;

    // Moves the view so that the DD.MM position comes to the middle (within the image).
    void centreOn(DDMMPoint position);

    // One symbol: kinds 1 and 2 with the name, 3 a blue mark without a label; an airport of
    // the airport data file first gets its navy ring, runway bar and name.
    void DrawWaypoint(double latDDMM, double lonDDMM, PlanSymbol kind, const QString& name,
                      const AirportInfo* airport = nullptr);
    // The measuring line from the cursor to the waypoint, over what the map shows now.
    void DrawMeasureLine(DDMMPoint waypoint, DDMMPoint cursor);
    // Paints the picture of the last redraw back (a measuring move draws its line over it
    // instead of redrawing every layer). False when there is none of the surface's size.
    bool restoreLastRedraw();

    // Airports already looked up (kept across redraws; the airport file is only read).
    AirportLookup& airportLookup() { return waypointLayer_.airports; }

private:
    MapView view_;
    DrawSurface own_;
    DrawSurface* external_ = nullptr;
    bool chartShown_ = false;
    PlanAirspaceMapLayer airspaceLayer_;
    PlanRouteLayer routeLayer_;
    PlanWaypointLayer waypointLayer_;
    // The stack over the layers above, bottom first. Made for each use: it refers to this
    // map's own layers, which move with the map.
    MapLayerStack layerStack();
    QImage lastRedraw_;
    // The chart as the last redraw scaled it into the surface, and what it was scaled from:
    // scaling the whole picture down costs more than all the symbols, and most redraws show
    // the same part of the chart again.
    struct ChartPaint
    {
        qint64 pictureKey = 0;
        float sourceX = 0, sourceY = 0, sourceWidth = 0, sourceHeight = 0;
        int widthPx = 0, heightPx = 0;
        double scaleLeft = 0, scaleTop = 0, scaleWidth = 0, scaleHeight = 0;
        uint32_t backColor = 0;
        bool operator==(const ChartPaint&) const = default;
    };
    ChartPaint chartPaintKey() const;
    void paintChart();
    ChartPaint paintedKey_;
    QImage paintedChart_;
};

} // namespace tv
