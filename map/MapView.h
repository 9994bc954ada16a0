#pragma once

#include "map/ChartRow.h"

#include <QImage>
#include <QPointF>
#include <QString>

#include <optional>

namespace tv {

class Drawing;

// The numbers in which the three map windows (flight, plan, two-point calibration) differ.
// Slider positions are twips along the zoom slider, as its mouse events report them.
struct MapViewConstants
{
    // A click on the slider sets the value (X - centre) * 100 / centre.
    double sliderCentreTwips = 1750.0;
    // A click right of this position sets the maximum, one left of that position the minimum;
    // empty where the window has no such rule.
    std::optional<double> sliderMaxBeyondTwips = 3800.0;
    std::optional<double> sliderMinBelowTwips = 200.0;
    // Dragging does nothing while the whole image width is shown (slider at its maximum).
    bool panLockedAtMaxZoom = true;
    // Whether the view starts centred on the aircraft.
    bool centreMapAtStart = true;

    static MapViewConstants flightWindow() { return {}; }
    static MapViewConstants planWindow() { return {1940.0, 3600.0, 200.0, true, false}; }
    static MapViewConstants calibrationWindow()
    {
        return {5250.0, std::nullopt, std::nullopt, false, false};
    }
};

// A position in decimal degrees, south and west negative.
struct GeoPos
{
    double latDeg = 0.0;
    double lonDeg = 0.0;
};

// Where the aircraft stands on the map, as the redraw places it.
struct AircraftPlacement
{
    QPointF imagePx;               // chart image pixels
    std::optional<QPointF> viewPx; // map pixels, before any centring; empty: no usable view
    bool offChart = false;         // outside the chart image: centring was switched off
};

// The chart display model of a map window: the whole chart image is held here (the hidden
// storage picture), and the source rectangle (sourceX, sourceY, sourceWidth, sourceHeight; image
// pixels) of it is stretched
// over the whole visible map, whose size in pixels is the view size.
//
// Coordinate spaces: geographic positions in decimal degrees; image pixels (x right, y down,
// (0, 0) top-left of the chart image); view pixels of the map picture. The scales come from
// the chart's edges and its stored size; the limits of the source rectangle from the size of
// the image actually loaded.
//
// Every conversion that divides (by the source size, the view size or a scale) answers "nothing"
// where the divisor is 0: callers end their drawing there, as the map redraw always ended silently
// on such a fault. Nothing here ever stores a NaN or an infinity.
class MapView
{
public:
    static constexpr int kSliderMin = -100;
    static constexpr int kSliderMax = 100;

    explicit MapView(MapViewConstants constants = MapViewConstants::flightWindow());

    const MapViewConstants& constants() const { return constants_; }

    // --- state -----------------------------------------------------------------------------
    // The chart's size as stored in its row (Breite, Höhe), pixels.
    double chartWidthPx() const { return chartWidthPx_; }
    double chartHeightPx() const { return chartHeightPx_; }
    // Image pixels per 0.1 degree of longitude / latitude.
    double scaleX() const { return scaleX_; }
    double scaleY() const { return scaleY_; }
    // Chart edges in decimal degrees (converted from DD.MM at load).
    double southEdgeDeg() const { return southEdgeDeg_; }
    double westEdgeDeg() const { return westEdgeDeg_; }
    // Size of the image actually loaded, pixels.
    float imageWidthPx() const { return imageWidthPx_; }
    float imageHeightPx() const { return imageHeightPx_; }
    // The source rectangle, image pixels; kept in single precision as the view has always
    // been stored (position.crm).
    float sourceX() const { return sourceX_; }
    float sourceY() const { return sourceY_; }
    float sourceWidth() const { return sourceWidth_; }
    float sourceHeight() const { return sourceHeight_; }
    // sourceHeight / sourceWidth that shows the chart undistorted in the view.
    float viewAspect() const { return viewAspect_; }
    // sourceWidth at zoom 0: half the image width.
    double baseSourceWidth() const { return baseSourceWidth_; }
    // Where the last press on the map was, view pixels (start of a drag).
    float pressX() const { return pressX_; }
    float pressY() const { return pressY_; }
    // The view follows the aircraft (the window's CenterMap switch).
    bool centredOnAircraft() const { return centredOnAircraft_; }
    void setCentredOnAircraft(bool on) { centredOnAircraft_ = on; }
    // A press or Space steps to the next chart under the aircraft (the MapScroll switch).
    bool chartStepping() const { return chartStepping_; }
    void setChartStepping(bool on) { chartStepping_ = on; }
    int sliderValue() const { return sliderValue_; }
    // Values outside -100..100 are taken as the nearer end.
    void setSliderValue(int value);

    // The hidden storage picture: the loaded chart image, or at first a blank 100 x 100 one.
    const QImage& storage() const { return storage_; }
    // Size in pixels of the visible map picture. Zero or negative sizes are kept as 0.
    void setViewSize(double widthPx, double heightPx);
    double viewWidth() const { return viewWidth_; }
    double viewHeight() const { return viewHeight_; }

    // Puts back a remembered view of a chart: the rectangle as Singles, the slider value rounded
    // (halves to even) and taken into -100..100. Numbers that do not fit are refused (false,
    // nothing changed).
    bool restoreView(double sx, double sy, double sw, double sh, double slider);

    // --- loading ---------------------------------------------------------------------------
    enum class LoadResult { Loaded, BadChart };
    // Loads a chart: stored size, the image (a null `image` is one that could not be loaded:
    // the old picture stays, as before), the scales, and the initial view (top-left corner,
    // half the image width, slider 0). BadChart: an edge or size is missing, two opposite
    // edges are equal or a size is not positive; the members set before the fault keep their
    // new values, the rest their old ones (the caller reports the chart's coordinates).
    LoadResult loadChart(const ChartRow& row, const QImage& image);
    // The calibration window's load: the image and the view only, with the aspect reference
    // taken from the size in the image file's header (the loaded size when the header gave 0).
    void loadImage(const QImage& image, double headerWidth, double headerHeight);

    // --- view operations -------------------------------------------------------------------
    // Refits viewAspect and sourceHeight after the map picture changed size; sourceWidth stays.
    void fitToView();
    // Zoom from the slider value about the top-left corner. `thumbDragging`: the calibration
    // window's variant while its slider thumb is dragged, which at the maximum shows the image
    // in its own proportions.
    void applyZoom(bool thumbDragging = false);
    // Slider value for a click at `xTwips` along the slider (halves to even, -100..100).
    int sliderValueFromClick(double xTwips) const;
    // Press on the map: remembers the pointer as the start of a drag.
    void press(double x, double y);
    // One drag step with the left button alone to (x, y) in view pixels: the pointer movement
    // moves the source rectangle by as many image pixels (not scaled by the zoom), dragging
    // right shows more of the left. False (and nothing changed) while centring is on or, where
    // the window locks it, while the whole width is shown.
    bool dragTo(double x, double y);
    // The pan steps with their clamps (also the calibration window's arrow-key steps).
    void moveSourceX(double dx);
    void moveSourceY(double dy);
    // Moves the source rectangle so that the view pixel (planeX, planeY) comes to the middle,
    // within the image; near the image edges the point stays off the middle.
    void centreOn(double planeX, double planeY);
    // The redraw's placement of the aircraft: image pixel, off-chart test (switches centring
    // off), view pixel, and centring when it is on.
    AircraftPlacement placeAircraft(GeoPos position);
    // Paints the source rectangle of the storage picture over the whole of `surface`.
    void paint(Drawing& surface) const;

    // --- conversions -----------------------------------------------------------------------
    // DD.MM chart edge -> decimal degrees.
    static double edgeToDegrees(double ddmm);
    QPointF positionToImage(GeoPos position) const;
    std::optional<QPointF> imageToView(QPointF imagePx) const;
    std::optional<QPointF> viewToImage(QPointF viewPx) const;
    std::optional<GeoPos> imageToPosition(QPointF imagePx) const;
    std::optional<QPointF> positionToView(GeoPos position) const;
    std::optional<GeoPos> viewToPosition(QPointF viewPx) const;

    // --- view bounds -----------------------------------------------------------------------
    // DD.MM bounds of the view, rounded to 2 decimals: north and west from the corner
    // (x1, y1), south and east from (x2, y2), view pixels. False (bounds unchanged) when the
    // view cannot convert.
    bool computeViewBounds(double x1, double y1, double x2, double y2);
    double viewNorthDDMM() const { return viewNorthDDMM_; }
    double viewWestDDMM() const { return viewWestDDMM_; }
    double viewSouthDDMM() const { return viewSouthDDMM_; }
    double viewEastDDMM() const { return viewEastDDMM_; }

    // Pen width of map drawing that thickens as the map is enlarged: base - slider / 50,
    // halves to even (6 gives 6 at 0, 4 at 100, 8 at -100).
    int zoomedDrawWidth(int baseWidth) const;
    // The same rule for a given slider value (layers that work out their widths beforehand).
    static int zoomedDrawWidth(int baseWidth, int sliderValue);

private:
    double chartProportion() const;
    void computeViewAspect();
    void startAtTopLeft();
    void clampBottom();

    MapViewConstants constants_;
    QImage storage_;
    double viewWidth_ = 0.0;
    double viewHeight_ = 0.0;

    double chartWidthPx_ = 0.0;
    double chartHeightPx_ = 0.0;
    double scaleX_ = 0.0;
    double scaleY_ = 0.0;
    double southEdgeDeg_ = 0.0;
    double westEdgeDeg_ = 0.0;
    float imageWidthPx_ = 0.0f;
    float imageHeightPx_ = 0.0f;
    float sourceX_ = 0.0f;
    float sourceY_ = 0.0f;
    float sourceWidth_ = 0.0f;
    float sourceHeight_ = 0.0f;
    float viewAspect_ = 0.0f;
    double baseSourceWidth_ = 0.0;
    float pressX_ = 0.0f;
    float pressY_ = 0.0f;
    bool centredOnAircraft_;
    bool chartStepping_ = false;
    int sliderValue_ = 0;
    double viewNorthDDMM_ = 0.0;
    double viewWestDDMM_ = 0.0;
    double viewSouthDDMM_ = 0.0;
    double viewEastDDMM_ = 0.0;
};

// Chart stepping with a click or Space: the index of the next chart under the aircraft
// (cycling to 0) and the entry a further step would show (-1 when the list is empty).
struct ChartStep
{
    int mapListIndex = 0;
    int nextEntry = -1;
};
ChartStep stepToNextChart(int mapListIndex, int entryCount);

// The picked direct-flight target as the target labels show it: DD.MM with three decimals and
// no digit before the point below 1 (9.3 -> "9.300", 0.5 -> ".500").
QString formatTargetCoordinate(double ddmm);

} // namespace tv
