// The flight map's layer stack drawn without a window, as the flight window stacks it: the
// airspaces first, then the moving map with the aircraft last over everything.
#include "airspace/AirspaceFixture.h"
#include "map/OverlayFixture.h"

#include "airspace/AirspaceMapLayers.h"
#include "airspace/AirspaceOutline.h"
#include "flight/MapOverlay.h"
#include "map/MapLayer.h"

#include <gtest/gtest.h>

using namespace overlaytest;

namespace {

class FlightMapLayers : public astest::AirspaceFile
{
protected:
    void SetUp() override
    {
        AirspaceFile::SetUp();
        stack.add(airspaces);
        stack.add(movingMap);
        folder.addChart("test.jpg", 48.00, 49.00, 9.00, 11.00);
    }

    // Both layers given their inputs, the stack drawn onto a fresh picture.
    void redraw(const tv::LayerFlags& switches)
    {
        pic = mapPicture();
        airspaces.prepare({db, switches, 1000.0, true, 1013, 0});
        tv::OverlayInputs in;
        in.chart = testChart();
        in.aircraft = aircraft;
        in.noFix = false;
        in.layers = switches;
        movingMap.prepare(in, folder.main.get(), folder.airports.get());
        stack.draw(pic, view);
    }

    DataFolder folder;
    tv::FlightAirspaceMapLayer airspaces;
    tv::MovingMapLayer movingMap;
    tv::MapLayerStack stack;
    tv::MapView view = loadedView();
    tv::DrawSurface pic = mapPicture();
    // On the north edge of the airspace below: 48°45' N 9°21' E, map pixel (350, 250).
    tv::GeoPos aircraft = positionAt(350, 250);
};

} // namespace

TEST_F(FlightMapLayers, AircraftOverTheAirspacesWhichFollowTheirSwitches)
{
    // A square airspace from GND to 2,500 ft whose north edge runs along 48°45' N from 9°20'
    // to 9°22' E: map pixels (333, 250) to (367, 250). The aircraft flies at 1,000 ft.
    addSquare(1, 48.45, 9.20);
    EXPECT_EQ(stack.names(), (std::vector<std::string>{"airspaces", "moving map"}));
    struct Case
    {
        const char* what;
        bool airspacesOn;
        bool circuitsOn;
        uint32_t onTheEdge; // ten pixels west of the aircraft
        bool qnhBoxShown;
    };
    const Case cases[] = {
        {"both switches off", false, false, kWhite, false},
        {"airspaces on", true, false, tv::kAirspaceRed, true},
        {"traffic circuits only", false, true, kWhite, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tv::LayerFlags switches;
        switches.ShowLuftraum = c.airspacesOn;
        switches.ShowPR = c.circuitsOn;
        redraw(switches);
        EXPECT_EQ(pic.Point(340, 250), c.onTheEdge);
        EXPECT_EQ(pic.Point(350, 250), kGreen); // the aircraft's centre, drawn last
        ASSERT_TRUE(airspaces.box());
        EXPECT_EQ(airspaces.box()->visible, c.qnhBoxShown);
        EXPECT_TRUE(movingMap.result().aircraftDrawn);
    }
}
