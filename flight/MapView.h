#pragma once

#include <QImage>
#include <QPointF>
#include <QString>

#include <optional>

namespace tv {

class DrawSurface;

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

// One row of the chart table as the map needs it. Edges are DD.MM (south and west negative),
// sizes are the image size in pixels as stored. Empty = the field has no (numeric) value.
struct ChartRow
{
    std::optional<double> unten;  // lower (south) edge
    std::optional<double> oben;   // upper (north) edge
    std::optional<double> links;  // left (west) edge
    std::optional<double> rechts; // right (east) edge
    std::optional<double> breite; // width in pixels
    std::optional<double> hoehe;  // height in pixels
};

// Where the aircraft stands on the map, as the redraw places it.
struct AircraftPlacement
{
    QPointF imagePx;               // chart image pixels
    std::optional<QPointF> viewPx; // map pixels, before any centring; empty: no usable view
    bool offChart = false;         // outside the chart image: centring was switched off
};

// The chart display model of a map window: the whole chart image is held here (the hidden
// storage picture), and the source rectangle SX, SY, SW, SH (image pixels) of it is stretched
// over the whole visible map, whose size in pixels is the view size.
//
// Coordinate spaces: geographic positions in decimal degrees; image pixels (x right, y down,
// (0, 0) top-left of the chart image); view pixels of the map picture. The scales come from
// the chart's edges and its stored size; the limits of the source rectangle from the size of
// the image actually loaded.
//
// Every conversion that divides (by SW, SH, the view size or a scale) answers "nothing" where
// the divisor is 0: callers end their drawing there, as the map redraw always ended silently
// on such a fault. Nothing here ever stores a NaN or an infinity.
class MapView
{
public:
    static constexpr int kSliderMin = -100;
    static constexpr int kSliderMax = 100;

    explicit MapView(MapViewConstants constants = MapViewConstants::flightWindow());

    const MapViewConstants& constants() const { return constants_; }

    // --- state -----------------------------------------------------------------------------
    double ChartWidth() const { return ChartWidth_; }
    double ChartHeight() const { return ChartHeight_; }
    // Image pixels per 0.1 degree of longitude / latitude.
    double scaleX() const { return scaleX_; }
    double scaleY() const { return scaleY_; }
    // Chart edges in decimal degrees (converted from DD.MM at load).
    double lowerEdgeDeg() const { return untenDeg_; }
    double leftEdgeDeg() const { return linksDeg_; }
    float ImageWidth() const { return ImageWidth_; }
    float ImageHeight() const { return ImageHeight_; }
    float SX() const { return SX_; }
    float SY() const { return SY_; }
    float SW() const { return SW_; }
    float SH() const { return SH_; }
    float ViewAspect() const { return ViewAspect_; }
    double BaseSW() const { return BaseSW_; }
    float PressX() const { return PressX_; }
    float PressY() const { return PressY_; }
    bool CenterMap() const { return CenterMap_; }
    void setCenterMap(bool on) { CenterMap_ = on; }
    bool MapScroll() const { return MapScroll_; }
    void setMapScroll(bool on) { MapScroll_ = on; }
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
    LoadResult InitializeData(const ChartRow& row, const QImage& image);
    // The calibration window's load: the image and the view only, with the aspect reference
    // taken from the size in the image file's header (the loaded size when the header gave 0).
    void InitializeImageView(const QImage& image, double headerWidth, double headerHeight);

    // --- view operations -------------------------------------------------------------------
    // Refits ViewAspect and SH after the map picture changed size; SW stays.
    void FitViewToWindow();
    // Zoom from the slider value about the top-left corner. `thumbDragging`: the calibration
    // window's variant while its slider thumb is dragged, which at the maximum shows the image
    // in its own proportions.
    void SlideMapChange(bool thumbDragging = false);
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
    void CenterMapOnPosition(double planeX, double planeY);
    // The redraw's placement of the aircraft: image pixel, off-chart test (switches CenterMap
    // off), view pixel, and centring when CenterMap is on.
    AircraftPlacement placeAircraft(GeoPos position);
    // Paints the source rectangle of the storage picture over the whole of `picMap`.
    void paint(DrawSurface& picMap) const;

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
    bool CalcViewBounds(double x1, double y1, double x2, double y2);
    double ViewTop() const { return ViewTop_; }
    double ViewLeft() const { return ViewLeft_; }
    double ViewBottom() const { return ViewBottom_; }
    double ViewRight() const { return ViewRight_; }

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

    double ChartWidth_ = 0.0;
    double ChartHeight_ = 0.0;
    double scaleX_ = 0.0;
    double scaleY_ = 0.0;
    double untenDeg_ = 0.0;
    double linksDeg_ = 0.0;
    float ImageWidth_ = 0.0f;
    float ImageHeight_ = 0.0f;
    float SX_ = 0.0f;
    float SY_ = 0.0f;
    float SW_ = 0.0f;
    float SH_ = 0.0f;
    float ViewAspect_ = 0.0f;
    double BaseSW_ = 0.0;
    float PressX_ = 0.0f;
    float PressY_ = 0.0f;
    bool CenterMap_;
    bool MapScroll_ = false;
    int sliderValue_ = 0;
    double ViewTop_ = 0.0;
    double ViewLeft_ = 0.0;
    double ViewBottom_ = 0.0;
    double ViewRight_ = 0.0;
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
