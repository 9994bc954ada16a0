#include "map/MapView.h"
#include "core/GeoMath.h"
#include "map/DrawSurface.h"
#include "support/BgrColours.h"
#include "support/ChartRows.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>

using tv::ChartRow;
using tv::GeoPos;
using tv::MapView;
using tv::MapViewConstants;
using tvtest::chartRow;

namespace {

// A 400 x 200 pixel chart from 9°30' E to 11°30' E and 47°30' N to 48°30' N: two degrees across,
// one degree high, so 20 image pixels per 0.1 degree both ways. The image is four coloured
// quadrants so that painted views can be told apart.
using namespace tvtest::bgr;
constexpr uint32_t kMapBack = 0xFFC0C0;

QImage quadrantImage(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t bgr =
                y < h / 2 ? (x < w / 2 ? kRed : kGreen) : (x < w / 2 ? kBlue : kYellow);
            image.setPixelColor(x, y, tv::vbColor(bgr));
        }
    return image;
}

ChartRow bavarianChart()
{
    return chartRow({.south = 47.30, .north = 48.30, .west = 9.30, .east = 11.30}, 400, 200);
}

// A flight-window map of 200 x 100 pixels with the chart loaded, centring off.
MapView loadedView(MapViewConstants constants = MapViewConstants::flightWindow())
{
    MapView view(constants);
    view.setViewSize(200, 100);
    EXPECT_EQ(view.loadChart(bavarianChart(), quadrantImage(400, 200)),
              MapView::LoadResult::Loaded);
    view.setCentredOnAircraft(false);
    return view;
}

bool allFinite(const MapView& v)
{
    return std::isfinite(v.sourceX()) && std::isfinite(v.sourceY()) &&
           std::isfinite(v.sourceWidth()) && std::isfinite(v.sourceHeight()) &&
           std::isfinite(v.viewAspect()) && std::isfinite(v.scaleX()) &&
           std::isfinite(v.scaleY()) && std::isfinite(v.baseSourceWidth());
}

} // namespace

TEST(ChartLoad, OpensOnTheTopLeftHalfOfTheChartUndistorted)
{
    MapView view = loadedView();
    EXPECT_DOUBLE_EQ(view.scaleX(), 20.0);
    EXPECT_DOUBLE_EQ(view.scaleY(), 20.0);
    EXPECT_FLOAT_EQ(view.imageWidthPx(), 400);
    EXPECT_FLOAT_EQ(view.viewAspect(), 0.5f);
    EXPECT_FLOAT_EQ(view.sourceX(), 0);
    EXPECT_FLOAT_EQ(view.sourceY(), 0);
    EXPECT_FLOAT_EQ(view.sourceWidth(), 200);
    EXPECT_FLOAT_EQ(view.sourceHeight(), 100);
    EXPECT_DOUBLE_EQ(view.baseSourceWidth(), 200);
    EXPECT_EQ(view.sliderValue(), 0);
}

TEST(ChartLoad, FlightWindowStartsCentredWithoutStepping)
{
    MapView flight;
    EXPECT_TRUE(flight.centredOnAircraft());
    EXPECT_FALSE(flight.chartStepping());
    MapView plan(MapViewConstants::planWindow());
    EXPECT_FALSE(plan.centredOnAircraft());
}

TEST(ChartLoad, ImageThatCannotBeLoadedLeavesTheBlankPictureWithTheNewScales)
{
    MapView view;
    view.setViewSize(200, 100);
    EXPECT_EQ(view.loadChart(bavarianChart(), QImage()), MapView::LoadResult::Loaded);
    EXPECT_EQ(view.storage().size(), QSize(100, 100));
    EXPECT_DOUBLE_EQ(view.scaleX(), 20.0);
    EXPECT_FLOAT_EQ(view.sourceWidth(), 50);
}

TEST(ChartLoad, EqualUpperAndLowerEdgesAreReportedAndKeepTheOldView)
{
    MapView view = loadedView();
    view.setSliderValue(50);
    view.applyZoom();
    view.press(100, 50);
    view.dragTo(60, 30);
    const float sx = view.sourceX(), sw = view.sourceWidth();

    ChartRow flat = bavarianChart();
    flat.northDDMM = flat.southDDMM;
    flat.eastDDMM = 12.30; // three degrees across: a new scaleX
    EXPECT_EQ(view.loadChart(flat, QImage()), MapView::LoadResult::BadChart);
    EXPECT_DOUBLE_EQ(view.scaleX(), 400.0 / 30.0);
    EXPECT_DOUBLE_EQ(view.scaleY(), 20.0);
    EXPECT_FLOAT_EQ(view.sourceX(), sx);
    EXPECT_FLOAT_EQ(view.sourceWidth(), sw);
    EXPECT_TRUE(allFinite(view));
}

TEST(ChartLoad, EqualLeftAndRightEdgesAreReported)
{
    MapView view;
    ChartRow row = bavarianChart();
    row.eastDDMM = row.westDDMM;
    EXPECT_EQ(view.loadChart(row, QImage()), MapView::LoadResult::BadChart);
    EXPECT_TRUE(allFinite(view));
    EXPECT_FALSE(view.imageToPosition({10, 10}));
}

TEST(ChartLoad, MissingEdgeOrSizeOrZeroSizeIsReported)
{
    for (int field = 0; field < 6; ++field) {
        ChartRow row = bavarianChart();
        std::optional<double>* fields[] = {&row.southDDMM, &row.northDDMM, &row.westDDMM,
                                           &row.eastDDMM,  &row.widthPx,   &row.heightPx};
        fields[field]->reset();
        MapView view;
        view.setViewSize(200, 100);
        EXPECT_EQ(view.loadChart(row, QImage()), MapView::LoadResult::BadChart) << field;
        EXPECT_TRUE(allFinite(view)) << field;
    }
    ChartRow zeroWidth = bavarianChart();
    zeroWidth.widthPx = 0;
    MapView view;
    EXPECT_EQ(view.loadChart(zeroWidth, QImage()), MapView::LoadResult::BadChart);
    EXPECT_TRUE(allFinite(view));
}

TEST(MapConversions, KnownPositionLandsOnItsPixel)
{
    MapView view = loadedView();
    // 48°00' N, 10°30' E: one degree east of the left edge, half a degree north of the bottom.
    const QPointF image = view.positionToImage({48.0, 10.5});
    EXPECT_NEAR(image.x(), 200.0, 1e-9);
    EXPECT_NEAR(image.y(), 100.0, 1e-9);
    const auto pixel = view.positionToView({48.0, 10.5});
    ASSERT_TRUE(pixel);
    EXPECT_NEAR(pixel->x(), 200.0, 1e-9);
    EXPECT_NEAR(pixel->y(), 100.0, 1e-9);
    // The chart's top-left corner is image pixel (0, 0).
    const QPointF corner = view.positionToImage({48.5, 9.5});
    EXPECT_NEAR(corner.x(), 0.0, 1e-9);
    EXPECT_NEAR(corner.y(), 0.0, 1e-9);
}

TEST(MapConversions, PositionSurvivesTheRoundTripAtAnyZoomAndPan)
{
    MapView view = loadedView();
    for (int slider : {-100, -40, 0, 33, 100}) {
        view.setSliderValue(slider);
        view.applyZoom();
        view.press(150, 80);
        view.dragTo(120, 60);
        const GeoPos pos{48.123, 10.321};
        const auto pixel = view.positionToView(pos);
        ASSERT_TRUE(pixel);
        const auto image = view.viewToImage(*pixel);
        ASSERT_TRUE(image);
        EXPECT_NEAR(image->x(), view.positionToImage(pos).x(), 1e-6);
        const auto back = view.viewToPosition(*pixel);
        ASSERT_TRUE(back);
        EXPECT_NEAR(back->latDeg, pos.latDeg, 1e-9) << slider;
        EXPECT_NEAR(back->lonDeg, pos.lonDeg, 1e-9) << slider;
    }
}

TEST(MapConversions, SouthernAndWesternChartsConvertWithTheirSigns)
{
    // 7°30' W .. 5°30' W, 34°30' S .. 33°30' S.
    const ChartRow row =
        chartRow({.south = -34.30, .north = -33.30, .west = -7.30, .east = -5.30}, 400, 200);
    MapView view;
    view.setViewSize(200, 100);
    ASSERT_EQ(view.loadChart(row, quadrantImage(400, 200)), MapView::LoadResult::Loaded);
    const QPointF image = view.positionToImage({-34.0, -6.5});
    EXPECT_NEAR(image.x(), 200.0, 1e-9);
    EXPECT_NEAR(image.y(), 100.0, 1e-9);
}

TEST(MapConversions, NoChartNoSizeGivesNoPositionInsteadOfNaN)
{
    MapView view;
    EXPECT_FALSE(view.viewToImage({10, 10}));
    EXPECT_FALSE(view.viewToPosition({10, 10}));
    EXPECT_FALSE(view.imageToPosition({10, 10}));
    EXPECT_FALSE(view.computeViewBounds(0, 0, 200, 100));
    const auto pixel = view.positionToView({48, 10});
    EXPECT_FALSE(pixel);
}

TEST(MapZoom, SliderAtMinimumEnlargesEightfold)
{
    MapView view = loadedView();
    view.setSliderValue(-100);
    view.applyZoom();
    EXPECT_FLOAT_EQ(view.sourceWidth(), 25); // 200 / 8
    EXPECT_FLOAT_EQ(view.sourceHeight(), 12.5);
}

TEST(MapZoom, SliderAtMaximumShowsTheWholeWidth)
{
    MapView view = loadedView();
    view.setSliderValue(100);
    view.applyZoom();
    EXPECT_FLOAT_EQ(view.sourceWidth(), 400);
    EXPECT_FLOAT_EQ(view.sourceHeight(), 200);
    EXPECT_FLOAT_EQ(view.sourceX(), 0);
    // Dragging does nothing while the whole width is shown.
    view.press(100, 50);
    EXPECT_FALSE(view.dragTo(50, 20));
    EXPECT_FLOAT_EQ(view.sourceX(), 0);
}

TEST(MapZoom, ValuesOutsideTheSliderRangeTakeTheNearerEnd)
{
    MapView view = loadedView();
    view.setSliderValue(150);
    EXPECT_EQ(view.sliderValue(), 100);
    view.setSliderValue(-1000);
    EXPECT_EQ(view.sliderValue(), -100);
}

TEST(MapZoom, ZoomKeepsTheTopLeftCornerWhileItFits)
{
    MapView view = loadedView();
    view.press(100, 50);
    view.dragTo(60, 20); // SX 40, SY 30
    view.setSliderValue(-50);
    view.applyZoom();
    EXPECT_FLOAT_EQ(view.sourceX(), 40);
    EXPECT_FLOAT_EQ(view.sourceY(), 30);
    EXPECT_FLOAT_EQ(view.sourceWidth(), 100);
    // Zooming out again past the right edge pulls the corner back onto the image.
    view.setSliderValue(80);
    view.applyZoom();
    EXPECT_FLOAT_EQ(view.sourceWidth(), 360);
    EXPECT_FLOAT_EQ(view.sourceX(), 40);
    view.setSliderValue(100);
    view.applyZoom();
    EXPECT_FLOAT_EQ(view.sourceX(), 0);
    EXPECT_FLOAT_EQ(view.sourceY(), 0);
}

TEST(MapZoom, FlightSliderClickPositions)
{
    MapView view;
    EXPECT_EQ(view.sliderValueFromClick(3700), 100); // 111 taken as 100
    EXPECT_EQ(view.sliderValueFromClick(150), -100);
    EXPECT_EQ(view.sliderValueFromClick(1750), 0);
    EXPECT_EQ(view.sliderValueFromClick(2625), 50);
    EXPECT_EQ(view.sliderValueFromClick(1758.75), 0); // 0.5 goes to 0
    EXPECT_EQ(view.sliderValueFromClick(1776.25), 2); // 1.5 goes to 2
    EXPECT_EQ(view.sliderValueFromClick(3801), 100);
}

TEST(MapZoom, PlanSliderClickPositions)
{
    MapView view(MapViewConstants::planWindow());
    EXPECT_EQ(view.sliderValueFromClick(3601), 100);
    EXPECT_EQ(view.sliderValueFromClick(3600), 86);
    EXPECT_EQ(view.sliderValueFromClick(199), -100);
    EXPECT_EQ(view.sliderValueFromClick(1940), 0);
}

TEST(MapZoom, CalibrationSliderClickPositions)
{
    MapView view(MapViewConstants::calibrationWindow());
    EXPECT_EQ(view.sliderValueFromClick(10695), 100); // 104 kept at 100
    EXPECT_EQ(view.sliderValueFromClick(5250), 0);
    EXPECT_EQ(view.sliderValueFromClick(150), -97);
    EXPECT_EQ(view.sliderValueFromClick(0), -100);
}

TEST(MapPanning, DragRightMovesTheViewLeftByTheSamePixelsAtEveryZoom)
{
    for (int slider : {-100, 0, 50}) {
        MapView view = loadedView();
        view.press(0, 0);
        view.dragTo(-100, 0); // first move away from the left edge
        view.setSliderValue(slider);
        view.applyZoom();
        const float before = view.sourceX();
        view.press(100, 50);
        EXPECT_TRUE(view.dragTo(150, 50));
        EXPECT_FLOAT_EQ(view.sourceX(), before - 50) << slider;
        EXPECT_FLOAT_EQ(view.pressX(), 150);
    }
}

TEST(MapPanning, StopsAtTheLeftAndTopEdges)
{
    MapView view = loadedView();
    view.press(100, 50);
    view.dragTo(150, 90);
    EXPECT_FLOAT_EQ(view.sourceX(), 0);
    EXPECT_FLOAT_EQ(view.sourceY(), 0);
}

TEST(MapPanning, StopsWithTheViewOnTheRightAndBottomEdges)
{
    MapView view = loadedView();
    view.press(100, 50);
    view.dragTo(-1000, -1000);
    EXPECT_FLOAT_EQ(view.sourceX(), 400 - 200);
    EXPECT_FLOAT_EQ(view.sourceY(), 200 - 100);
}

TEST(MapPanning, DoesNothingWhileCentredOnTheAircraft)
{
    MapView view = loadedView();
    view.setCentredOnAircraft(true);
    view.press(100, 50);
    EXPECT_FALSE(view.dragTo(50, 50));
    EXPECT_FLOAT_EQ(view.sourceX(), 0);
}

TEST(MapPanning, CalibrationViewPansAlsoAtTheWholeWidth)
{
    MapView view(MapViewConstants::calibrationWindow());
    view.setViewSize(200, 100);
    view.loadImage(quadrantImage(400, 200), 400, 200);
    view.setSliderValue(100);
    view.applyZoom();
    view.press(100, 50);
    EXPECT_TRUE(view.dragTo(100, 20));
    EXPECT_FLOAT_EQ(view.sourceY(), 0); // SH is the whole height: nowhere to go
}

TEST(MapPanning, ArrowKeyStepsUseThePanLimits)
{
    MapView view(MapViewConstants::calibrationWindow());
    view.setViewSize(200, 100);
    view.loadImage(quadrantImage(400, 200), 400, 200);
    for (int tick = 0; tick < 10; ++tick)
        view.moveSourceX(view.imageWidthPx() / 20);
    EXPECT_FLOAT_EQ(view.sourceX(), 400 - view.sourceWidth());
    for (int tick = 0; tick < 3; ++tick)
        view.moveSourceY(-view.imageHeightPx() / 20);
    EXPECT_FLOAT_EQ(view.sourceY(), 0);
}

TEST(MapCentring, PutsTheAircraftInTheMiddleOfTheView)
{
    MapView view = loadedView();
    view.setCentredOnAircraft(true);
    const auto placed = view.placeAircraft({48.0, 10.5}); // image (200, 100)
    EXPECT_FALSE(placed.offChart);
    ASSERT_TRUE(placed.viewPx);
    EXPECT_NEAR(placed.viewPx->x(), 200, 1e-6); // where it was before centring
    EXPECT_FLOAT_EQ(view.sourceX(), 100);
    EXPECT_FLOAT_EQ(view.sourceY(), 50);
    const auto now = view.positionToView({48.0, 10.5});
    ASSERT_TRUE(now);
    EXPECT_NEAR(now->x(), 100, 1e-4);
    EXPECT_NEAR(now->y(), 50, 1e-4);
}

TEST(MapCentring, NearTheImageEdgeTheAircraftStandsOffTheMiddle)
{
    MapView view = loadedView();
    view.setCentredOnAircraft(true);
    view.placeAircraft({48.45, 9.55}); // image (20, 10)
    EXPECT_FLOAT_EQ(view.sourceX(), 0);
    EXPECT_FLOAT_EQ(view.sourceY(), 0);
    view.placeAircraft({47.55, 11.45}); // image (380, 190)
    EXPECT_FLOAT_EQ(view.sourceX(), 200);
    EXPECT_FLOAT_EQ(view.sourceY(), 100);
}

TEST(MapCentring, AircraftWestOfTheChartSwitchesCentringOff)
{
    MapView view = loadedView();
    view.setCentredOnAircraft(true);
    const auto placed = view.placeAircraft({48.0, 9.49});
    EXPECT_TRUE(placed.offChart);
    EXPECT_FALSE(view.centredOnAircraft());
    EXPECT_FLOAT_EQ(view.sourceX(), 0); // the view stays
}

TEST(MapCentring, LeftEdgeIsOnTheChartRightEdgeIsOff)
{
    // Whole-degree edges, so that the edges are exact pixel 0 and pixel 400.
    const ChartRow row = chartRow({.south = 47, .north = 48, .west = 9, .east = 11}, 400, 200);
    MapView view;
    view.setViewSize(200, 100);
    ASSERT_EQ(view.loadChart(row, quadrantImage(400, 200)), MapView::LoadResult::Loaded);
    EXPECT_FALSE(view.placeAircraft({47.5, 9.0}).offChart);
    EXPECT_TRUE(view.centredOnAircraft());
    EXPECT_FALSE(view.placeAircraft({48.0, 10.0}).offChart); // top edge: y = 0
    EXPECT_TRUE(view.placeAircraft({47.5, 11.0}).offChart);  // x = ChartWidth
    EXPECT_FALSE(view.centredOnAircraft());
}

TEST(MapCentring, NoViewSizeLeavesTheViewAlone)
{
    MapView view = loadedView();
    view.setViewSize(0, 0);
    view.setCentredOnAircraft(true);
    view.centreOn(100, 50);
    view.placeAircraft({48.0, 10.5});
    EXPECT_FLOAT_EQ(view.sourceX(), 0);
    EXPECT_TRUE(allFinite(view));
}

TEST(MapResize, TallWindowShowsTheWholeImageHeightStretched)
{
    MapView view = loadedView();
    view.setViewSize(200, 1000);
    view.fitToView();
    EXPECT_FLOAT_EQ(view.sourceWidth(), 200);
    EXPECT_FLOAT_EQ(view.sourceY(), 0);
    EXPECT_FLOAT_EQ(view.sourceHeight(), 200);
}

TEST(MapResize, WiderWindowKeepsTheWidthAndTheProportions)
{
    MapView view = loadedView();
    view.setViewSize(400, 100);
    view.fitToView();
    EXPECT_FLOAT_EQ(view.sourceWidth(), 200);
    EXPECT_FLOAT_EQ(view.sourceHeight(), 50);
}

TEST(MapResize, MinimisedWindowKeepsTheViewUsable)
{
    MapView view = loadedView();
    view.setViewSize(0, 0);
    view.fitToView();
    view.setSliderValue(-100);
    view.applyZoom();
    EXPECT_TRUE(allFinite(view));
    EXPECT_FALSE(view.viewToImage({1, 1}));
    view.setViewSize(200, 100);
    view.fitToView();
    view.applyZoom();
    EXPECT_FLOAT_EQ(view.sourceWidth(), 25);
    EXPECT_TRUE(view.viewToImage({1, 1}));
}

TEST(MapViewBounds, InitialViewCoversTheTopLeftOfTheChart)
{
    MapView view = loadedView();
    // The bottom corner is taken 10 pixels up (48.05 degrees = 48°03'): a whole degree may come
    // out as 47°60' (47.60), which bounds the same area.
    ASSERT_TRUE(view.computeViewBounds(0, 0, 200, 90));
    EXPECT_DOUBLE_EQ(view.viewNorthDDMM(), 48.30);
    EXPECT_DOUBLE_EQ(view.viewWestDDMM(), 9.30);
    EXPECT_DOUBLE_EQ(view.viewSouthDDMM(), 48.03);
    EXPECT_DOUBLE_EQ(view.viewEastDDMM(), 10.30);
}

TEST(MapViewBounds, BoundsAreRoundedToTwoDecimalsOfDDMM)
{
    MapView view = loadedView();
    // y 98 is 48.01 degrees = 48°00.6' -> 48.006 -> 48.01; x 70 is 9.85 degrees = 9°51' -> 9.51.
    // y 102 is 47.99 degrees = 47°59.4' -> 47.594 -> 47.59.
    ASSERT_TRUE(view.computeViewBounds(70, 98, 70, 102));
    EXPECT_DOUBLE_EQ(view.viewNorthDDMM(), 48.01);
    EXPECT_DOUBLE_EQ(view.viewWestDDMM(), 9.51);
    EXPECT_DOUBLE_EQ(view.viewSouthDDMM(), 47.59);
}

TEST(MapTargetPick, PickedTargetIsShownAsDDMMWithThreeDecimals)
{
    MapView view = loadedView();
    // 48°15' N 9°30' E is image pixel (0, 50).
    const auto pos = view.viewToPosition({0, 50});
    ASSERT_TRUE(pos);
    EXPECT_NEAR(pos->latDeg, 48.25, 1e-12);
    EXPECT_NEAR(pos->lonDeg, 9.5, 1e-12);
    EXPECT_EQ(tv::formatTargetCoordinate(tv::DegreesToDDMM(pos->lonDeg)), "9.300");
    EXPECT_EQ(tv::formatTargetCoordinate(tv::DegreesToDDMM(pos->latDeg)), "48.150");
    EXPECT_EQ(tv::formatTargetCoordinate(0.5), ".500");
}

TEST(MapDrawWidth, LinesThickenAsTheMapIsEnlarged)
{
    MapView view = loadedView();
    view.setSliderValue(0);
    EXPECT_EQ(view.zoomedDrawWidth(6), 6);
    view.setSliderValue(25);
    EXPECT_EQ(view.zoomedDrawWidth(6), 6); // 5.5 to even
    view.setSliderValue(75);
    EXPECT_EQ(view.zoomedDrawWidth(6), 4); // 4.5 to even
    view.setSliderValue(100);
    EXPECT_EQ(view.zoomedDrawWidth(6), 4);
    view.setSliderValue(-100);
    EXPECT_EQ(view.zoomedDrawWidth(7), 9);
}

TEST(ChartStepping, StepsCycleThroughTheChartsUnderTheAircraft)
{
    const auto third = tv::stepToNextChart(2, 3);
    EXPECT_EQ(third.mapListIndex, 0);
    EXPECT_EQ(third.nextEntry, 1);
    const auto first = tv::stepToNextChart(0, 3);
    EXPECT_EQ(first.mapListIndex, 1);
    EXPECT_EQ(first.nextEntry, 2);
    const auto empty = tv::stepToNextChart(-1, 0);
    EXPECT_EQ(empty.mapListIndex, 0);
    EXPECT_EQ(empty.nextEntry, -1);
}

TEST(MapPainting, ViewShowsTheSourceRectangleStretched)
{
    MapView view = loadedView();
    tv::DrawSurface picMap(200, 100, kMapBack);
    view.paint(picMap);
    // The initial view is the top half of the left half: red left, green right of x = 200 in
    // the image, which is the view's right edge, so all red.
    EXPECT_EQ(picMap.Point(10, 10), kRed);
    EXPECT_EQ(picMap.Point(190, 90), kRed);
    view.setSliderValue(100);
    view.applyZoom();
    view.paint(picMap);
    EXPECT_EQ(picMap.Point(50, 25), kRed);
    EXPECT_EQ(picMap.Point(150, 25), kGreen);
    EXPECT_EQ(picMap.Point(50, 75), kBlue);
    EXPECT_EQ(picMap.Point(150, 75), kYellow);
}

TEST(MapViewMemory, RestoredViewBeyondTheImageShowsTheBackColour)
{
    MapView view = loadedView();
    ASSERT_TRUE(view.restoreView(300, 0, 200, 100, 0));
    tv::DrawSurface picMap(200, 100, kMapBack);
    picMap.Line(0, 0, 200, 100, kBlue);
    view.paint(picMap);
    EXPECT_EQ(picMap.Point(50, 20), kGreen);
    EXPECT_EQ(picMap.Point(150, 20), kMapBack);
    EXPECT_FALSE(view.restoreView(std::nan(""), 0, 1, 1, 0));
    EXPECT_TRUE(view.restoreView(0, 0, 200, 100, 12.5));
    EXPECT_EQ(view.sliderValue(), 12);
    EXPECT_TRUE(view.restoreView(0, 0, 200, 100, 250));
    EXPECT_EQ(view.sliderValue(), 100);
    EXPECT_FALSE(view.restoreView(0, 0, 1e300, 1, 0));
}

TEST(CalibrationView, OpensOnTheUpperLeftHalfOfTheImage)
{
    MapView view(MapViewConstants::calibrationWindow());
    view.setViewSize(712, 396);
    view.loadImage(quadrantImage(2000, 1000), 2000, 1000);
    EXPECT_FLOAT_EQ(view.sourceWidth(), 1000);
    EXPECT_NEAR(view.sourceHeight(), 1000.0 * 396 / 712, 0.01);
    view.setSliderValue(-100);
    view.applyZoom();
    EXPECT_FLOAT_EQ(view.sourceWidth(), 89);
}

TEST(CalibrationView, WholeWidthFromTheSliderOrTheThumb)
{
    MapView view(MapViewConstants::calibrationWindow());
    view.setViewSize(712, 396);
    view.loadImage(quadrantImage(2000, 1000), 2000, 1000);
    view.setSliderValue(100);
    view.applyZoom(true);
    EXPECT_FLOAT_EQ(view.sourceWidth(), 2000);
    EXPECT_FLOAT_EQ(view.sourceHeight(), 1000);
    view.applyZoom(false); // aspect x 2000 is about 1112: cut to the image height
    EXPECT_FLOAT_EQ(view.sourceY(), 0);
    EXPECT_FLOAT_EQ(view.sourceHeight(), 1000);
}

TEST(CalibrationView, HeaderSizeOfZeroKeepsTheImageUndistorted)
{
    MapView view(MapViewConstants::calibrationWindow());
    view.setViewSize(712, 396);
    view.loadImage(quadrantImage(2000, 1000), 0, 0);
    EXPECT_NEAR(view.viewAspect(), 396.0 / 712, 1e-6);
    EXPECT_TRUE(allFinite(view));
}
