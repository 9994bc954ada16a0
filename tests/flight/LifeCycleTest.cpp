// Loading, activating and leaving the flight window, and its layer switches.

#include "FlightWindowFixture.h"

#include "core/windows/frmSettings.h"
#include "flight/FlightLayout.h"
#include "map/PictureBox.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <set>

namespace fwtest {
namespace {

using WindowStart = FlightWindowTest;

TEST_F(WindowStart, FirstStartWritesTheSwitchAndInstrumentFiles)
{
    tv::frmGPSmain& w = openWindow();
    EXPECT_EQ(file("Set.crm"),
              "#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n");
    EXPECT_EQ(file("VOR.crm"), "\"\"\r\n\"Kurs\"\r\n0\r\n");
    EXPECT_EQ(w.navigation().instrument().mode, tv::InstrumentMode::Kurs);
    EXPECT_EQ(w.windowTitle(), "Flug");
    EXPECT_TRUE(messages.empty());
}

TEST_F(WindowStart, StoredSwitchesSetTheirControls)
{
    writeFile("Set.crm",
              "#TRUE#\r\n#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n");
    tv::frmGPSmain& w = openWindow();
    EXPECT_TRUE(w.cmdLR1->isHidden());
    EXPECT_FALSE(w.cmdLR2->isHidden());
    EXPECT_FALSE(w.picPR->isHidden());
    EXPECT_FALSE(w.picWayInfo->isHidden());
    EXPECT_TRUE(w.picShowRoute->isHidden());
}

TEST_F(WindowStart, NoAirportFileHidesTheAirportSwitches)
{
    tv::AptDataAvailable = false;
    tv::frmGPSmain& w = openWindow();
    EXPECT_TRUE(w.cmdAPT1->isHidden());
    EXPECT_TRUE(w.cmdAPT2->isHidden());
    EXPECT_TRUE(w.picAPT3->isHidden());
}

TEST_F(WindowStart, InstrumentStateComesFromItsFile)
{
    writeFile("VOR.crm", "\"EDDS\"\r\n\"VOR\"\r\n\"270\"\r\n");
    tv::frmGPSmain& w = openWindow();
    EXPECT_EQ(w.lblVOR1->text(), "EDDS");
    EXPECT_EQ(w.navigation().instrument().mode, tv::InstrumentMode::Vor);
    EXPECT_EQ(w.navigation().instrument().course, "270");
    w.navigation().chooseStation("EDDM");
    w.Kurskreisel_MouseDown(1, 0, 100, 100); // VOR -> HSI
    tv::forms().unload(&w);
    EXPECT_EQ(file("VOR.crm"), "\"EDDM\"\r\n\"HSI\"\r\n\"270\"\r\n");
}

TEST_F(WindowStart, WithoutChartsTheMapIsClearedAndTheComboEmpty)
{
    tv::frmGPSmain& w = openWindow();
    EXPECT_EQ(w.cmbMaps->count(), 0);
    EXPECT_EQ(probe(10, 10), 0xFFC0C0); // the map's back colour
    w.UpdateMap();
    EXPECT_EQ(probe(10, 10), 0xFFC0C0) << "a redraw has no chart to show";
    // The remembered chart file is re-created as the program always did.
    EXPECT_EQ(file("kartendaten.crm"), "\"demo.bmp\"\r\n");
}

TEST_F(WindowStart, WithoutRoutesTheRouteBoxesAreEmpty)
{
    addStandardChart();
    writeFile("kartendaten.crm", "\"test.png\"\r\n\"Gone\"\r\n");
    tv::frmGPSmain& w = openWindow();
    EXPECT_EQ(w.cmbRoute->count(), 0);
    EXPECT_EQ(w.tRoute->text(), "");
    EXPECT_TRUE(w.navigation().route().pointsOpen());
    EXPECT_FALSE(w.navigation().route().hasPoints());
}

TEST_F(WindowStart, RememberedRouteIsChosenAgain)
{
    addStandardChart();
    for (const auto& [name, nummer] : {std::pair{"Alpha", 1}, std::pair{"Bravo's", 2}})
        tv::MainConnection->Execute("INSERT INTO Route (Name, Nummer) VALUES (?, ?)",
                                    {name, nummer});
    writeFile("kartendaten.crm", "\"test.png\"\r\n\"Bravo's\"\r\n");
    tv::frmGPSmain& w = openWindow();
    EXPECT_EQ(w.cmbRoute->currentText(), "Bravo's");
    EXPECT_EQ(w.tRoute->text(), "Bravo's");
}

TEST_F(WindowStart, RememberedRouteSurvivesRepeatedStarts)
{
    addStandardChart();
    for (const auto& [name, nummer] : {std::pair{"Erste Route", 1}, std::pair{"Zweite Route", 2}})
        tv::MainConnection->Execute("INSERT INTO Route (Name, Nummer) VALUES (?, ?)",
                                    {name, nummer});
    writeFile("kartendaten.crm", "\"test.png\"\r\n\"Zweite Route\"\r\n");
    for (int start = 1; start <= 3; ++start) {
        tv::frmGPSmain& w = openWindow();
        EXPECT_EQ(w.cmbRoute->currentText(), "Zweite Route") << "start " << start;
        w.Form_Deactivate();
        tv::forms().unload(&w);
        EXPECT_EQ(file("kartendaten.crm"), "\"test.png\"\r\n\"Zweite Route\"\r\n")
            << "start " << start;
    }
}

TEST_F(WindowStart, RememberedChartIsShownAgain)
{
    addChart("alpha.png", chartImage(300, 300), 48.00, 49.00, 9.00, 10.00);
    addStandardChart("zulu.png");
    writeFile("kartendaten.crm", "\"zulu.png\"\r\n\"\"\r\n");
    tv::frmGPSmain& w = openWindow();
    EXPECT_EQ(w.cmbMaps->currentText(), "zulu.png");
    EXPECT_EQ(w.cmbMaps->count(), 2);
    EXPECT_EQ(w.mapView.imageWidthPx(), 500);
    EXPECT_EQ(probe(100, 100), chartColour(25, 25)); // four map pixels per chart pixel
}

TEST_F(WindowStart, EveryControlStandsAtItsDesignedPlace)
{
    tv::frmGPSmain& w = window();
    std::set<QString> made;
    for (QWidget* control : w.findChildren<QWidget*>()) {
        const QString name = control->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        EXPECT_TRUE(made.insert(name).second) << name.toStdString() << " twice";
        EXPECT_NO_THROW(EXPECT_EQ(control->geometry(), tv::flightControl(name).place))
            << name.toStdString() << " has no place";
    }
    for (const tv::FlightControl& c : tv::flightControls())
        EXPECT_EQ(made.count(c.name), 1u) << c.name.toStdString() << " was not made";
}

TEST_F(WindowStart, QnhOfAnotherDayComesFromTheSettingsWindow)
{
    tv::QNHDate = tv::Date{std::chrono::year{2001}, std::chrono::month{1}, std::chrono::day{1}};
    tv::QNH = 999;
    tv::frmGPSmain& w = openWindow();
    EXPECT_EQ(tv::QNH, 1013);
    EXPECT_EQ(w.lblQNH->text(), "QNH 1013");
}

TEST_F(WindowStart, MissingPortFileIsRepairedAndThePortKeepsItsNumber)
{
    tv::frmGPSmain& w = openWindow();
    EXPECT_EQ(file("data.crm"), "\"1\"\r\n\"4800\"\r\n");
    // The GPS button tries the port and names it in the status line.
    const auto portTried = [&] {
        w.cmdGPS_Click();
        return w.lblStatus->text();
    };
    EXPECT_EQ(portTried(), "COM 0 existiert nicht") << "the previous port, not the file's 1";

    writeFile("data.crm", "\"7\"\r\n\"9600\"\r\n");
    w.LoadSavedCom();
    EXPECT_EQ(portTried(), "COM 7 existiert nicht");
    writeFile("data.crm", "garbage");
    w.LoadSavedCom();
    EXPECT_EQ(portTried(), "COM 7 existiert nicht");
}

TEST_F(WindowStart, SmallWindowKeepsItsLayoutAndTheNextResizeIsLaidOut)
{
    tv::frmGPSmain& w = openWindow();
    EXPECT_EQ(w.picMap->width(), 1000);
    EXPECT_EQ(w.picMap->height(), 707);
    EXPECT_EQ(w.cmdGPS->pos(), QPoint(1192, 712));
    EXPECT_EQ(w.SlideMap->pos(), QPoint(450, 715));

    w.resize(900, 500); // map area 620 x 447: too small
    w.Form_Resize();
    EXPECT_EQ(w.picMap->width(), 1000);
    w.resize(1380, 860); // the small size left nothing behind: this one is laid out
    w.Form_Resize();
    EXPECT_EQ(w.picMap->width(), 1100);
    EXPECT_EQ(w.picMap->height(), 807);

    w.dontResize = true; // another window comes to the front
    w.resize(1480, 960);
    w.Form_Resize();
    EXPECT_EQ(w.picMap->width(), 1100);
    w.Form_Resize();
    EXPECT_EQ(w.picMap->width(), 1200);
    EXPECT_EQ(w.picMap->height(), 907);
    EXPECT_EQ(w.mapSurface().widthPx(), 1200);
}

using LayerSwitches = FlightWindowTest;

TEST_F(LayerSwitches, AirspaceSwitchCyclesOffOnWithAltitudesOff)
{
    tv::frmGPSmain& w = openWindow();
    w.cmdLR1_Click(); // airspaces
    EXPECT_TRUE(w.cmdLR1->isHidden());
    EXPECT_FALSE(w.cmdLR2->isHidden());
    w.cmdLR2_Click(); // with altitudes
    EXPECT_TRUE(w.cmdLR2->isHidden());
    EXPECT_FALSE(w.picLR3->isHidden());
    w.picLR3_Click(); // off
    EXPECT_FALSE(w.cmdLR1->isHidden());
    EXPECT_FALSE(w.cmdLR2->isHidden());
}

TEST_F(LayerSwitches, AirportSwitchCyclesThroughTwoSteps)
{
    tv::AptDataAvailable = true; // the airport switches show only with the airport file
    tv::frmGPSmain& w = openWindow();
    w.cmdAPT1_Click(); // step 1
    EXPECT_TRUE(w.cmdAPT1->isHidden());
    EXPECT_FALSE(w.cmdAPT2->isHidden());
    w.cmdAPT2_Click(); // step 2
    EXPECT_TRUE(w.cmdAPT2->isHidden());
    EXPECT_FALSE(w.picAPT3->isHidden());
    w.picAPT3_Click(); // off
    EXPECT_FALSE(w.cmdAPT1->isHidden());
    EXPECT_FALSE(w.cmdAPT2->isHidden());
}

TEST_F(LayerSwitches, ClosingTheSettingsStripSavesTheSwitches)
{
    tv::frmGPSmain& w = openWindow();
    w.cmdSet_Click();
    EXPECT_FALSE(w.frmSet->isHidden());
    w.cmdPR_Click();
    w.cmdWayInfo_Click();
    w.picSet_Click();
    EXPECT_TRUE(w.frmSet->isHidden());
    EXPECT_EQ(file("Set.crm"),
              "#FALSE#\r\n#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n");
}

TEST_F(LayerSwitches, AirspaceLayerShowsTheQnhBox)
{
    addStandardChart();
    tv::frmGPSmain& w = openWindow();
    EXPECT_TRUE(w.frmQNH->isHidden());
    w.cmdLR1_Click();
    EXPECT_FALSE(w.frmQNH->isHidden());
    w.picLR3_Click();
    w.cmdPR_Click(); // traffic circuits alone still run the layer, without the QNH box
    EXPECT_TRUE(w.frmQNH->isHidden());
}

TEST_F(LayerSwitches, PointFilterNeedsARoute)
{
    tv::frmGPSmain& w = openWindow();
    w.cmdShowPoints_Click();
    EXPECT_TRUE(w.picShowPoints->isHidden());
}

TEST_F(LayerSwitches, UnitLabelsToggle)
{
    tv::frmGPSmain& w = openWindow();
    w.lblSpeed_Click();
    w.lblAlt_Click();
    w.lblTime_Click();
    const tv::UnitSwitches& units = w.navigation().units();
    EXPECT_FALSE(units.speedKts);
    EXPECT_FALSE(units.altFeet);
    EXPECT_FALSE(units.showEte);
    w.lblSpeed_Click();
    EXPECT_TRUE(units.speedKts);
}

TEST_F(LayerSwitches, ToolTipsFollowTheLanguage)
{
    tv::frmGPSmain& w = openWindow();
    EXPECT_EQ(w.cmdKartezentrieren->toolTip(), " Karte zentrieren an/aus ");
    EXPECT_EQ(w.cmdLR1->toolTip(), " Luftraum an/mit Höhe/aus ");
    tv::Language = 1;
    w.SetToolTips();
    EXPECT_EQ(w.windowTitle(), "Flight");
    EXPECT_EQ(w.cmdKartezentrieren->toolTip(), " Center Map on/off ");
    EXPECT_EQ(w.PicMapScroll->toolTip(), " Automatic map switching on/off ");
    // Not set in English: the German text stays.
    EXPECT_EQ(w.cmdLR1->toolTip(), " Luftraum an/mit Höhe/aus ");
}

} // namespace
} // namespace fwtest
