// The chart on the map: where the aircraft is drawn, zoom and pan limits, centring, chart
// errors, the chart combo and the per-chart view memory.

#include "FlightWindowFixture.h"

#include "core/GeoMath.h"
#include "map/PictureBox.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>

namespace fwtest {
namespace {

class ChartOnMap : public FlightWindowTest
{
protected:
    // The standard chart shown, centring off, aircraft at a DD.MM position, map redrawn.
    tv::frmGPSmain& showAt(double latDdmm, double lonDdmm)
    {
        addStandardChart();
        tv::frmGPSmain& w = openWindow();
        w.picKartezentrieren_Click();
        placeAircraft(tv::DDMMToDegrees(latDdmm), tv::DDMMToDegrees(lonDdmm));
        w.UpdateMap();
        return w;
    }
};

TEST_F(ChartOnMap, NewChartShowsItsTopLeftHalfWidth)
{
    tv::frmGPSmain& w = showAt(48.45, 9.15);
    EXPECT_EQ(w.mapView.sourceX(), 0);
    EXPECT_EQ(w.mapView.sourceY(), 0);
    EXPECT_EQ(w.mapView.sourceWidth(), 250);
    EXPECT_NEAR(w.mapView.sourceHeight(), 250 * 0.707, 0.01);
    EXPECT_EQ(w.SlideMap->value(), 0);
    // Map pixel (100, 100) shows chart pixel (25, 25): four map pixels per image pixel.
    EXPECT_EQ(probe(100, 100), chartColour(25, 25));
    EXPECT_EQ(probe(999, 10), chartColour(249, 2));
}

TEST_F(ChartOnMap, AircraftIsDrawnWhereItsPositionLies)
{
    // 48°45' N 9°15' E: chart pixel (125, 100), map pixel (500, 400).
    tv::frmGPSmain& w = showAt(48.45, 9.15);
    EXPECT_NEAR(w.movingMap.state.PlaneX, 500, 0.01);
    EXPECT_NEAR(w.movingMap.state.PlaneY, 400, 0.01);
    EXPECT_EQ(probe(500, 400), kRed); // no fix: the red dot
    EXPECT_EQ(probe(470, 400), chartColour(117, 100));
}

TEST_F(ChartOnMap, CentringPutsTheAircraftInTheMiddle)
{
    addStandardChart();
    tv::frmGPSmain& w = openWindow();
    // Chart pixel (250, 200), the image's middle.
    placeAircraft(tv::DDMMToDegrees(48.30), tv::DDMMToDegrees(9.30));
    w.cmdKartezentrieren_Click();
    EXPECT_TRUE(w.mapView.centredOnAircraft());
    EXPECT_NEAR(w.mapView.sourceX(), 250 - w.mapView.sourceWidth() / 2, 0.01);
    EXPECT_NEAR(w.mapView.sourceY(), 200 - w.mapView.sourceHeight() / 2, 0.01);
    EXPECT_EQ(probe(300, 300),
              chartColour(125 + 300 / 4, static_cast<int>(w.mapView.sourceY() + 300 / 4.0)));
}

TEST_F(ChartOnMap, AircraftOffTheChartSwitchesCentringOff)
{
    addStandardChart();
    tv::frmGPSmain& w = openWindow();
    w.cmdKartezentrieren_Click();
    ASSERT_FALSE(w.picKartezentrieren->isHidden());
    placeAircraft(tv::DDMMToDegrees(48.30), tv::DDMMToDegrees(8.50)); // west of the chart
    w.UpdateMap();
    EXPECT_FALSE(w.mapView.centredOnAircraft());
    EXPECT_TRUE(w.picKartezentrieren->isHidden());
    EXPECT_EQ(probe(100, 100), chartColour(25, 25)); // painted with the view unchanged
}

TEST_F(ChartOnMap, ZoomStopsAtEightTimesAndAtTheWholeWidth)
{
    tv::frmGPSmain& w = showAt(48.45, 9.15);
    w.SlideMap_MouseUp(1, 0, 150, 0); // left of 200 twips: the minimum
    EXPECT_EQ(w.SlideMap->value(), -100);
    EXPECT_EQ(w.mapView.sourceWidth(), 1000 / 8);
    w.SlideMap_MouseUp(1, 0, 3700, 0); // 111 taken as 100
    EXPECT_EQ(w.SlideMap->value(), 100);
    EXPECT_EQ(w.mapView.sourceWidth(), 500);
    w.SlideMap_MouseUp(1, 0, 1750, 0);
    EXPECT_EQ(w.SlideMap->value(), 0);
}

TEST_F(ChartOnMap, ArrowKeysZoomInStepsOfTenWithinTheRange)
{
    tv::frmGPSmain& w = showAt(48.45, 9.15);
    w.Form_KeyUp(38, 0);
    EXPECT_EQ(w.SlideMap->value(), 10);
    for (int i = 0; i < 11; ++i)
        w.Form_KeyUp(38, 0);
    EXPECT_EQ(w.SlideMap->value(), 100);
    // At the end of the range the key changes nothing but still redraws: the aircraft, moved
    // meanwhile, shows where it is now.
    placeAircraft(tv::DDMMToDegrees(48.30), tv::DDMMToDegrees(9.30));
    w.Form_KeyUp(38, 0);
    EXPECT_EQ(w.SlideMap->value(), 100);
    EXPECT_EQ(w.mapView.sliderValue(), 100);
    const QPointF aircraft = *w.mapView.positionToView(w.navigation().aircraft());
    EXPECT_EQ(probe(aircraft.x(), aircraft.y()), kRed);
    w.Form_KeyUp(40, 0);
    EXPECT_EQ(w.SlideMap->value(), 90);
}

TEST_F(ChartOnMap, DraggingMovesTheChartWithThePointerAndStopsAtTheEdge)
{
    tv::frmGPSmain& w = showAt(48.45, 9.15);
    w.picMap_MouseDown(1, 0, 500, 300);
    w.picMap_MouseMove(1, 0, 450, 300); // 50 pixels left: the view moves 50 image pixels right
    EXPECT_EQ(w.mapView.sourceX(), 50);
    w.picMap_MouseMove(1, 0, 600, 300); // 150 right: back past the left edge, held at 0
    EXPECT_EQ(w.mapView.sourceX(), 0);
    w.picMap_MouseUp(1, 0, 600, 300);
    EXPECT_EQ(probe(100, 100), chartColour(25, 25));

    // With centring on, dragging does nothing.
    w.cmdKartezentrieren_Click();
    const float sx = w.mapView.sourceX();
    w.picMap_MouseDown(1, 0, 500, 300);
    w.picMap_MouseMove(1, 0, 300, 300);
    EXPECT_EQ(w.mapView.sourceX(), sx);
}

TEST_F(ChartOnMap, RightPressPicksTheDirectFlightTarget)
{
    tv::frmGPSmain& w = showAt(48.45, 9.15);
    w.cmdDirectFly_Click();
    // Map pixel (1000, 400) is chart pixel (250, 100): 9.5° E, 48.75° N.
    w.picMap_MouseDown(2, 0, 1000, 400);
    EXPECT_EQ(w.lblLongx->text(), "9.300");
    EXPECT_EQ(w.lblLatx->text(), "48.450");
    // Without a direct flight a right press picks nothing; the last target is kept.
    w.picDF_Click();
    w.picMap_MouseDown(2, 0, 10, 10);
    EXPECT_EQ(w.lblLatx->text(), "48.450");
    ASSERT_TRUE(w.navigation().directTarget());
    EXPECT_EQ(w.navigation().directTarget()->latDDMM, 48.45);
}

using ChartErrors = FlightWindowTest;

TEST_F(ChartErrors, MissingImageIsAChartErrorAndNothingIsDrawn)
{
    addChart("gone.png", QImage(), 48.00, 49.00, 9.00, 10.00);
    tv::frmGPSmain& w = openWindow();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Fehler in Karte: gone.png - Bitte Koordinaten üperprüfen.");
    EXPECT_EQ(messages[0].title, "Fehler in Karte");
    EXPECT_EQ(probe(100, 100), 0xFFC0C0);
    w.UpdateMap();
    EXPECT_EQ(probe(100, 100), 0xFFC0C0);
}

TEST_F(ChartErrors, EqualEdgesAreAChartErrorInEnglishToo)
{
    tv::Language = 1;
    addChart("flat.png", chartImage(100, 100), 48.00, 48.00, 9.00, 10.00);
    tv::frmGPSmain& w = openWindow();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Map error: flat.png - please check coordinates.");
    EXPECT_EQ(messages[0].title, "Map error");
    w.UpdateMap();
    EXPECT_EQ(probe(100, 100), 0xFFC0C0) << "no chart drawn";
}

TEST_F(ChartErrors, GoodChartAfterABadOneShowsOnlyItself)
{
    addChart("a-bad.png", QImage(), 48.00, 49.00, 9.00, 10.00);
    addStandardChart("b-good.png");
    tv::frmGPSmain& w = openWindow();
    ASSERT_EQ(probe(100, 100), 0xFFC0C0);
    pickChart(w, 1); // a pick from the list
    EXPECT_EQ(probe(100, 100), chartColour(25, 25));
    // And back: the bad chart does not show the good one's picture.
    pickChart(w, 0);
    EXPECT_EQ(probe(100, 100), 0xFFC0C0);
}

using ChartChoice = FlightWindowTest;

TEST_F(ChartChoice, ChartNamesWithApostrophesWork)
{
    addStandardChart("O'Hare's chart.png");
    addChart("Zeta.png", chartImage(200, 200), 48.00, 49.00, 9.00, 10.00);
    writeFile("kartendaten.crm", "\"O'Hare's chart.png\"\r\n\"\"\r\n");
    tv::frmGPSmain& w = openWindow();
    EXPECT_EQ(w.cmbMaps->currentText(), "O'Hare's chart.png");
    EXPECT_EQ(probe(100, 100), chartColour(25, 25));
    EXPECT_EQ(w.mapView.imageWidthPx(), 500);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ChartChoice, SwitchingAwayAndBackRestoresTheView)
{
    addStandardChart("alpha.png");
    addChart("beta.png", chartImage(300, 240), 47.00, 48.00, 9.00, 10.00);
    tv::frmGPSmain& w = openWindow();
    ASSERT_EQ(w.cmbMaps->currentText(), "alpha.png");
    w.picKartezentrieren_Click();
    w.Form_KeyUp(40, 0); // zoom in a step
    w.picMap_MouseDown(1, 0, 500, 300);
    w.picMap_MouseMove(1, 0, 480, 290);
    const float sx = w.mapView.sourceX(), sy = w.mapView.sourceY(), sw = w.mapView.sourceWidth();
    ASSERT_EQ(w.SlideMap->value(), -10);

    pickChart(w, 1);
    EXPECT_EQ(w.mapView.imageWidthPx(), 300);
    EXPECT_EQ(w.mapView.sourceX(), 0); // never shown before: the initial view
    EXPECT_EQ(w.SlideMap->value(), 0);
    EXPECT_EQ(file("kartendaten.crm"), "\"beta.png\"\r\n\"\"\r\n");

    pickChart(w, 0);
    EXPECT_EQ(w.mapView.sourceX(), sx);
    EXPECT_EQ(w.mapView.sourceY(), sy);
    EXPECT_EQ(w.mapView.sourceWidth(), sw);
    EXPECT_EQ(w.SlideMap->value(), -10);
    EXPECT_FALSE(w.mapView.centredOnAircraft());
    EXPECT_TRUE(exists("position.crm"));
}

TEST_F(ChartChoice, ViewIsRememberedAcrossStarts)
{
    // South of the aircraft's start position (49° N 9° E), so no centring moves the view.
    addChart("alpha.png", chartImage(500, 400), 47.00, 48.00, 9.00, 10.00);
    {
        tv::frmGPSmain& w = openWindow();
        w.picKartezentrieren_Click();
        w.picMap_MouseDown(1, 0, 500, 300);
        w.picMap_MouseMove(1, 0, 440, 280);
        ASSERT_EQ(w.mapView.sourceX(), 60);
        w.Form_Deactivate();
        tv::forms().unload(&w);
    }
    tv::frmGPSmain& again = openWindow();
    EXPECT_EQ(again.mapView.sourceX(), 60);
    EXPECT_EQ(again.mapView.sourceY(), 20);
    EXPECT_FALSE(again.mapView.centredOnAircraft());
}

TEST_F(ChartChoice, TypingAnUnknownNameShowsTheFirstChart)
{
    addStandardChart("alpha.png");
    addChart("beta.png", chartImage(300, 240), 47.00, 48.00, 9.00, 10.00);
    writeFile("kartendaten.crm", "\"beta.png\"\r\n\"\"\r\n");
    tv::frmGPSmain& w = openWindow();
    ASSERT_EQ(w.mapView.imageWidthPx(), 300);
    w.cmbMaps->setEditText("nonsense");
    EXPECT_EQ(w.mapView.imageWidthPx(), 500);
    EXPECT_EQ(file("kartendaten.crm"), "\"alpha.png\"\r\n\"\"\r\n");
}

TEST_F(ChartChoice, SteppingWithSpaceCyclesTheChartsUnderTheAircraft)
{
    addStandardChart("alpha.png");
    addChart("beta.png", chartImage(300, 240), 48.00, 49.00, 9.00, 10.00);
    tv::frmGPSmain& w = openWindow();
    placeAircraft(48.5, 9.5); // in the middle of both charts: no automatic change near the edge
    w.cmdMapScroll_Click();   // the redraw finds both charts under the aircraft
    w.Form_KeyUp(32, 0);
    EXPECT_EQ(w.tNextMap->text(), "alpha.png");
    EXPECT_EQ(w.cmbMaps->currentText(), "beta.png");
    EXPECT_EQ(w.mapView.imageWidthPx(), 300);

    // Space without stepping mode is a key of the heading entry, not a chart step.
    w.mapView.setChartStepping(false);
    w.Form_KeyUp(32, 0);
    EXPECT_EQ(w.cmbMaps->currentText(), "beta.png");
}

TEST_F(ChartChoice, SteppingWithOneChartOnlyRedraws)
{
    addStandardChart();
    tv::frmGPSmain& w = openWindow();
    placeAircraft(48.5, 9.5);
    w.cmdMapScroll_Click();   // the only chart under the aircraft
    placeAircraft(48.6, 9.4); // moved meanwhile: the redraw centres the map on it
    const QImage before = w.mapSurface().image();
    w.picMap_MouseDown(1, 0, 100, 100);
    EXPECT_EQ(w.cmbMaps->currentText(), "test.png");
    EXPECT_NE(w.mapSurface().image(), before);
}

} // namespace
} // namespace fwtest
