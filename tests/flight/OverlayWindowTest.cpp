// The flight window's overlay members: what they read from the controls and write back.
// Uses the flight window's test fixture: the chart "test.png" is 500 x 400 pixels over
// 48°-49° N, 9°-10° E, shown four map pixels to one image pixel at first.

#include "FlightWindowFixture.h"

#include "core/GeoMath.h"
#include "map/PictureBox.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace {

using namespace tvtest::bgr;

class OverlayInWindow : public fwtest::FlightWindowTest
{
protected:
    void addWaypoint(const std::string& name, double latDdmm, double lonDdmm)
    {
        tv::MainConnection->Execute(
            "INSERT INTO Waypoints (Name, Lat, Long, Kategorie) VALUES (?, ?, ?, '')",
            {name, latDdmm, lonDdmm});
    }

    // Three charts over the same area; the standard one is shown.
    tv::frmGPSmain& windowWithThreeCharts()
    {
        addStandardChart("a.png");
        addChart("b.png", fwtest::chartImage(500, 400), 48.00, 49.00, 9.00, 10.00);
        addChart("c.png", fwtest::chartImage(500, 400), 48.00, 49.00, 9.00, 10.00);
        return openWindow();
    }
};

TEST_F(OverlayInWindow, WaypointAndAircraftAppearOnTheMap)
{
    addStandardChart();
    addWaypoint("O'Brien", 48.45, 9.15); // chart pixel (125, 100), map pixel (500, 400)
    tv::frmGPSmain& w = openWindow();
    w.picKartezentrieren_Click();
    w.cmdWayInfo_Click();
    // With a fix at map pixel (1000, 800): off the view.
    w.HandleInput(tvtest::fixAt(tv::DDMMToDegrees(48.30), tv::DDMMToDegrees(9.30)));
    w.UpdateMap();
    EXPECT_EQ(probe(505, 400), kRed);
    EXPECT_GT(tvtest::countColour(w.mapSurface(), QRect(510, 393, 80, 16), kBlack), 5);

    // Onto the waypoint: the aircraft covers it.
    w.HandleInput(tvtest::fixAt(tv::DDMMToDegrees(48.45), tv::DDMMToDegrees(9.15)));
    w.UpdateMap();
    EXPECT_EQ(probe(500, 400), kGreen);
}

TEST_F(OverlayInWindow, SteppingModeListsTheChartsAndCountsTheShownOne)
{
    tv::frmGPSmain& w = windowWithThreeCharts();
    placeAircraft(48.5, 9.5);
    w.cmdMapScroll_Click(); // centring on: the aircraft in the middle, far from the edges
    EXPECT_EQ(w.tNextMap->text(), "b.png");
    EXPECT_EQ(w.LblMapNumber->text(), "1 / 3");
    EXPECT_FALSE(w.LblMapNumber->isHidden());
    EXPECT_FALSE(w.tNextMap->isHidden());
    EXPECT_EQ(w.cmbMaps->currentText(), "a.png");
    w.StepToNextChart(); // the third chart comes next
    EXPECT_EQ(w.cmbMaps->currentText(), "b.png");
    EXPECT_EQ(w.tNextMap->text(), "c.png");
}

TEST_F(OverlayInWindow, NearTheEdgeTheWindowChangesToTheNextChart)
{
    tv::frmGPSmain& w = windowWithThreeCharts();
    placeAircraft(48.5, tv::DDMMToDegrees(9.0006)); // 1 image pixel from the west edge
    w.cmdMapScroll_Click(); // near the edge: the change to the next chart under the aircraft
    EXPECT_EQ(w.cmbMaps->currentText(), "b.png");
    EXPECT_EQ(w.tNextMap->text(), "c.png");
    EXPECT_EQ(w.LblMapNumber->text(), "2 / 3");
    // The change made b.png the current chart, not only the combo's text: the next start shows it.
    EXPECT_EQ(file("kartendaten.crm"), "\"b.png\"\r\n\"\"\r\n");
}

TEST_F(OverlayInWindow, FastFlightAcrossTheChartEdgeOpensTheNextChartCentred)
{
    // The east chart overlaps the west one's eastern half. At 250 kt and one position a
    // second the map is redrawn every 21 positions, 1.5 NM apart: the aircraft jumps over the
    // band at the view's edge.
    addStandardChart("a-west.png");
    addChart("b-east.png", fwtest::chartImage(500, 400), 48.00, 49.00, 9.30, 10.30);
    tv::frmGPSmain& w = openWindow();
    placeAircraft(48.5, 9.8);
    w.cmdMapScroll_Click();
    double lonDeg = 9.8;
    for (int second = 0; second < 200; ++second, lonDeg += 250.0 / 3600.0 / 60.0 / 0.6626)
        w.HandleInput(fwtest::rmc(48.30, tv::DegreesToDDMM(lonDeg), 250.0, 90.0));
    ASSERT_GT(lonDeg, 10.05); // well past the west chart's edge
    EXPECT_EQ(w.cmbMaps->currentText(), "b-east.png");
    w.UpdateMap();
    EXPECT_EQ(probe(w.mapView.viewWidth() / 2.0, w.mapView.viewHeight() / 2.0), kGreen);
}

TEST_F(OverlayInWindow, WithoutSteppingTheHintsStayHiddenAndTheChartStays)
{
    tv::frmGPSmain& w = windowWithThreeCharts();
    placeAircraft(48.5, 9.5);
    w.cmdMapScroll_Click(); // stepping on: the hint names the next chart
    ASSERT_EQ(w.tNextMap->text(), "b.png");
    w.PicMapScroll_Click(); // stepping off again
    w.picKartezentrieren_Click();
    // Near the bottom edge of the view, still in sight: with stepping on this would change
    // the chart.
    const auto nearEdge =
        w.mapView.viewToPosition({w.mapView.viewWidth() / 2.0, w.mapView.viewHeight() - 5.0});
    ASSERT_TRUE(nearEdge);
    placeAircraft(nearEdge->latDeg, nearEdge->lonDeg);
    w.tNextMap->show();
    w.UpdateMap();
    EXPECT_TRUE(w.tNextMap->isHidden());
    EXPECT_TRUE(w.LblMapNumber->isHidden());
    EXPECT_EQ(w.cmbMaps->currentText(), "a.png");
}

} // namespace
