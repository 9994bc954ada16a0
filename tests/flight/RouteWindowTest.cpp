#include "route/RouteFixture.h"
#include "support/BgrColours.h"
#include "support/NmeaText.h"
#include "support/PixelProbe.h"
#include "support/QtPrint.h"

#include "core/GeoMath.h"
#include "core/Variablen.h"
#include "flight/FlightNavigation.h"
#include "flight/RouteGrid.h"
#include "flight/RouteNav.h"
#include "flight/RouteWindow.h"
#include "flight/frmGPSmain.h"
#include "map/DrawSurface.h"

#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

#include <memory>

using namespace tv;

namespace {

// The flight window over a data file with routes, not shown on screen. The window is not
// loaded; each test brings it to the front (Form_Activate), which fills the route box.
class RouteWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MainConnection = data.db;
        w = std::make_unique<frmGPSmain>();
        setUpRouteGrid(*w);
        w->GridBusy = false;
        w->HandleInput(tvtest::fixStatus(true));
    }

    void TearDown() override
    {
        w.reset();
        resetGlobalsForTesting();
    }

    // A chart from 48°00' to 49°00' N, 11°00' to 12°00' E, 1000 x 800 pixels, shown whole in a
    // 500 x 400 map.
    void showChart()
    {
        data.db->Execute("INSERT INTO Maps (Name, Unten, Oben, Links, Rechts, Breite, \"Höhe\", "
                         "Active) VALUES ('test.png', 48.0, 49.0, 11.0, 12.0, 1000, 800, 1)");
        QImage image(1000, 800, QImage::Format_RGB32);
        image.fill(Qt::white);
        ASSERT_TRUE(
            image.save(QString::fromStdString((data.dir / "Karten" / "test.png").string())));
        w->Form_Load(); // opens the active charts
        w->GridBusy = false;
        blankMap(500, 400);
        w->InitializeData();
        w->mapView.setSliderValue(100);
        w->mapView.applyZoom();
    }

    void blankMap(int width, int height)
    {
        w->mapSurface().resize(width, height);
        w->mapSurface().setBackColor(tvtest::bgr::kWhite);
        w->mapSurface().Cls();
    }
    int64_t mapColourAt(GeoPos p)
    {
        const QPointF px = *w->mapView.positionToView(p);
        return w->mapSurface().Point(px.x(), px.y());
    }

    // A route due north from 48°10' 11°30' in steps of 10' (10 NM), points P1, P2, ...
    int64_t northRoute(const std::string& name, double nummer, int count)
    {
        const int64_t route = data.addRoute(name, nummer);
        for (int i = 1; i <= count; ++i)
            data.addPoint(route, i, "P" + std::to_string(i), 48.0 + i * 0.10, 11.30, 100 + i);
        return route;
    }

    // The pilot picks entry `index` from the route box.
    void pickRoute(int index)
    {
        w->cmbRoute->setCurrentIndex(index);
        emit w->cmbRoute->activated(index);
    }
    QString target() const { return nav().route().targetPoint().value_or(RoutePoint{}).name; }
    bool frameShown() const { return !w->Frame1->isHidden(); }
    // Highlighted grid rows.
    std::vector<int> highlighted() const
    {
        std::vector<int> rows;
        RouteGridModel* model = routeGridModel(*w);
        for (int r = 0; model && r < model->rowCount(); ++r)
            if (model->isRowSelected(r))
                rows.push_back(r);
        return rows;
    }
    // The receiver puts the aircraft `nm` miles north (negative: south) of a DD.MM latitude
    // at 11°30'.
    void placeAircraft(double latDdmm, double nm)
    {
        w->HandleInput(tvtest::fixAt(DDMMToDegrees(latDdmm) + nm / 60.0, DDMMToDegrees(11.30)));
    }
    const FlightNavigation& nav() const { return w->navigation(); }

    tvtest::RouteData data;
    std::unique_ptr<frmGPSmain> w;
};

} // namespace

// ------------------------------------------------------------------ the route box

TEST_F(RouteWindow, ChoosingTheSecondOfTwoRoutesOfOneNameShowsItsPoints)
{
    const int64_t first = northRoute("Sunday", 1, 2);
    const int64_t second = northRoute("Sunday", 2, 3);
    w->Form_Activate();
    ASSERT_EQ(w->cmbRoute->count(), 2);
    EXPECT_EQ(w->cmbRoute->itemData(0).toLongLong(), first);
    pickRoute(1);
    EXPECT_EQ(nav().route().chosenRouteId(), second);
    EXPECT_EQ(routeGridModel(*w)->rowCount(), 3);
}

TEST_F(RouteWindow, RouteNameWithAnApostropheCanBeChosen)
{
    northRoute("Other", 1, 1);
    northRoute("Pilot's Loop", 2, 4);
    w->Form_Activate();
    pickRoute(1);
    EXPECT_EQ(routeGridModel(*w)->rowCount(), 4);
    EXPECT_EQ(w->tRoute->text(), "Pilot's Loop");
}

TEST_F(RouteWindow, RefillKeepsTheRouteAndTargetPointShownBefore)
{
    northRoute("Sunday", 1, 2);
    northRoute("Sunday", 2, 3);
    w->Form_Activate();
    pickRoute(1);
    w->gridWaypoints->setCurrentIndex(routeGridModel(*w)->index(1, 1)); // the pilot clicks P2
    w->Form_Activate();
    EXPECT_EQ(w->cmbRoute->currentIndex(), 1);
    EXPECT_EQ(target(), "P2");
    EXPECT_EQ(highlighted(), std::vector<int>{1});
}

TEST_F(RouteWindow, FirstRefillFindsTheRouteNamedAtStartAndStartsThereWithoutAFix)
{
    northRoute("Alpha", 1, 1);
    northRoute("Bravo's", 2, 2);
    w->navigation().rememberRouteName(QStringLiteral("Bravo's")); // as kartendaten.crm names it
    w->HandleInput(tvtest::fixStatus(false));
    w->Form_Activate();
    EXPECT_EQ(w->cmbRoute->currentText(), "Bravo's");
    EXPECT_NEAR(nav().aircraft().latDeg, 48.0 + 10.0 / 60.0, 1e-9);
    EXPECT_NEAR(nav().aircraft().lonDeg, 11.5, 1e-9);
}

TEST_F(RouteWindow, NoRoutesEmptiesTheBoxAndTheGrid)
{
    w->navigation().rememberRouteName(QStringLiteral("Gone")); // as kartendaten.crm names it
    w->Form_Activate();
    EXPECT_EQ(w->cmbRoute->count(), 0);
    EXPECT_EQ(w->tRoute->text(), "");
    EXPECT_TRUE(nav().route().pointsOpen());
    EXPECT_EQ(routeGridModel(*w)->rowCount(), 0);
}

TEST_F(RouteWindow, RouteFiguresFollowAChoiceOnlyWhileAChartIsActive)
{
    northRoute("Alpha", 1, 1);
    northRoute("Bravo", 2, 3);
    w->Form_Activate();
    w->lblRoute->setText(QStringLiteral("old"));
    pickRoute(1);
    EXPECT_EQ(routeGridModel(*w)->rowCount(), 3);
    EXPECT_EQ(w->lblRoute->text(), "old");
    EXPECT_FALSE(std::filesystem::exists(data.dir / "kartendaten.crm"));

    showChart();
    pickRoute(1);
    EXPECT_EQ(w->lblRoute->text(), "20");
    EXPECT_TRUE(std::filesystem::exists(data.dir / "kartendaten.crm"));
}

// ------------------------------------------------------------------ route navigation

TEST_F(RouteWindow, RouteWithoutPointsCannotBeNavigatedNorStepped)
{
    data.addRoute("Empty", 1);
    w->Form_Activate();
    w->cmdActivateGoto_Click();
    EXPECT_FALSE(nav().route().followingRoute());
    EXPECT_TRUE(w->picActivateGoto->isHidden());
    EXPECT_FALSE(frameShown());
    w->cmdNext_Click();
    w->cmdPrev_Click();
    EXPECT_TRUE(highlighted().empty());
}

TEST_F(RouteWindow, NextToTheLastPointKeepsNavigatingOneMoreEndsIt)
{
    northRoute("Alpha", 1, 3);
    w->Form_Activate();
    w->cmdActivateGoto_Click();
    EXPECT_TRUE(nav().route().followingRoute());
    EXPECT_TRUE(frameShown());
    EXPECT_EQ(highlighted(), std::vector<int>{0});
    w->cmdNext_Click();
    w->cmdNext_Click();
    EXPECT_EQ(target(), "P3");
    EXPECT_TRUE(nav().route().followingRoute());
    EXPECT_EQ(highlighted(), std::vector<int>{2});
    EXPECT_EQ(w->gridWaypoints->currentIndex().row(), 2);

    w->cmdNext_Click();
    EXPECT_FALSE(nav().route().followingRoute());
    EXPECT_FALSE(w->cmdNext->isEnabled());
    EXPECT_FALSE(frameShown());
    EXPECT_EQ(target(), "P3");

    w->cmdPrev_Click();
    EXPECT_TRUE(w->cmdNext->isEnabled());
    EXPECT_EQ(target(), "P2");
}

TEST_F(RouteWindow, PreviousOnTheFirstPointKeepsIt)
{
    northRoute("Alpha", 1, 3);
    w->Form_Activate();
    w->cmdActivateGoto_Click();
    w->cmdPrev_Click();
    EXPECT_FALSE(w->cmdPrev->isEnabled());
    EXPECT_EQ(target(), "P1");
    EXPECT_EQ(highlighted(), std::vector<int>{0});
}

TEST_F(RouteWindow, ClickingARowMakesItTheTarget)
{
    northRoute("Alpha", 1, 3);
    w->Form_Activate();
    w->cmdActivateGoto_Click();
    w->gridWaypoints->setCurrentIndex(routeGridModel(*w)->index(2, 1));
    EXPECT_EQ(target(), "P3");
    EXPECT_EQ(highlighted(), std::vector<int>{2});
}

// ------------------------------------------------------------------ direct flight

TEST_F(RouteWindow, DirectFlightShowsNothingUntilATargetIsPicked)
{
    showChart();
    northRoute("Alpha", 1, 2);
    w->Form_Activate();
    w->lblDistanz->setText(QStringLiteral("9.9 NM"));
    w->cmdDirectFly_Click();
    EXPECT_TRUE(frameShown());
    EXPECT_EQ(w->lblDistanz->text(), "");
    w->UpdateTargetNav();
    EXPECT_EQ(w->lblDistanz->text(), "");

    // A right click at the top middle of the map picks 49°00' 11°30'.
    w->picMap_MouseDown(2, 0, 250, 0);
    EXPECT_EQ(w->lblLatx->text(), "49.000");
    EXPECT_EQ(w->lblLongx->text(), "11.300");
    placeAircraft(48.30, 0.0);
    w->UpdateTargetNav();
    EXPECT_EQ(w->lblDistanz->text(), "30.0 NM");
    EXPECT_EQ(w->lblTrueBearing->text(), "360 °");
    EXPECT_EQ(w->lblRemDist->text(), "30.0 NM");
}

TEST_F(RouteWindow, EachModeKeepsTheFiguresUpWhileTheOtherIsOn)
{
    northRoute("Alpha", 1, 1);
    w->Form_Activate();
    w->cmdActivateGoto_Click();
    w->cmdDirectFly_Click();
    w->picDF_Click();
    EXPECT_TRUE(frameShown());
    EXPECT_TRUE(w->lblLatx->isHidden());

    w->cmdDirectFly_Click();
    w->cmdNext_Click(); // past the only point: route navigation ends
    EXPECT_FALSE(nav().route().followingRoute());
    EXPECT_TRUE(frameShown());
    w->picDF_Click();
    EXPECT_FALSE(frameShown());
}

// ------------------------------------------------------------------ target navigation

TEST_F(RouteWindow, NavigationShowsDistanceCourseTimeAndTheRestOfTheRoute)
{
    northRoute("Alpha", 1, 3); // P1 48°10', P2 48°20', P3 48°30'
    w->Form_Activate();
    w->cmdActivateGoto_Click();
    w->HandleInput(tvtest::nmea("GPRMC,120000,A,,,,,059.0,,,,")); // 59 kt, with a fix
    placeAircraft(48.10, -5.0);
    w->UpdateTargetNav();
    EXPECT_EQ(w->lblDistanz->text(), "5.0 NM");
    EXPECT_EQ(w->lblTrueBearing->text(), "360 °");
    EXPECT_EQ(w->lblTime->text(), "00:05");
    EXPECT_EQ(w->lblRemDist->text(), "25.0 NM");
    EXPECT_EQ(w->lblRoute->text(), "20");

    w->HandleInput(tvtest::fixStatus(false)); // no fix: the legs after the target only
    w->UpdateRouteInfo();
    EXPECT_EQ(w->lblRemDist->text(), "20.0 NM");
}

TEST_F(RouteWindow, SwitchingToKmhBeforeTheNextSpeedReportKeepsTheTimeEnRoute)
{
    northRoute("Alpha", 1, 3); // P1 48°10'
    w->Form_Activate();
    w->cmdActivateGoto_Click();
    w->HandleInput(tvtest::nmea("GPRMC,120000,A,,,,,059.0,,,,")); // 59 kt
    placeAircraft(48.10, -5.0);
    w->lblSpeed_Click(); // km/h; the display still reads 59 until the next report
    w->UpdateTargetNav();
    EXPECT_EQ(w->lblDistanz->text(), "5.0 NM");
    EXPECT_EQ(w->lblTime->text(), "00:05"); // 9.26 km at 109 km/h, not at 59
}

TEST_F(RouteWindow, NoSignalLeavesTheTargetFiguresClearedUntilANewPosition)
{
    showChart();
    northRoute("Alpha", 1, 3); // P1 48°10'
    w->Form_Activate();
    w->cmdActivateGoto_Click();
    w->HandleInput(tvtest::nmea("GPRMC,120000,A,,,,,059.0,,,,")); // 59 kt, receiving a fix
    placeAircraft(48.10, -5.0);
    w->UpdateMap();
    ASSERT_EQ(w->lblDistanz->text(), "5.0 NM");

    w->silenceWatch.fire(); // five seconds without data
    ASSERT_FALSE(w->picGPSCheck[2]->isHidden());
    w->UpdateMap(); // redraws in the mode show nothing that looks current either
    for (const QLabel* figure : {w->lblDistanz, w->lblTrueBearing, w->lblTime})
        EXPECT_EQ(figure->text(), "---");

    // The receiver is back with a fix: a position 4 NM south of P1.
    placeAircraft(48.10, -4.0);
    w->UpdateMap();
    EXPECT_EQ(w->lblDistanz->text(), "4.0 NM");
    EXPECT_EQ(w->lblTrueBearing->text(), "360 °");
}

TEST_F(RouteWindow, PassingARoutePointStepsToTheNextByItself)
{
    northRoute("Alpha", 1, 3);
    w->Form_Activate();
    w->cmdActivateGoto_Click();
    placeAircraft(48.10, -0.3);
    w->UpdateTargetNav();
    placeAircraft(48.10, -0.1);
    w->UpdateTargetNav();
    EXPECT_EQ(target(), "P1");
    placeAircraft(48.10, 0.2);
    w->UpdateTargetNav();
    EXPECT_EQ(target(), "P2");
    EXPECT_EQ(highlighted(), std::vector<int>{1});
    EXPECT_EQ(w->lblDistanz->text(), "0.2 NM"); // still the point just passed

    placeAircraft(48.10, 0.4);
    w->UpdateTargetNav();
    placeAircraft(48.10, 0.6);
    w->UpdateTargetNav();
    EXPECT_EQ(target(), "P2");
    EXPECT_EQ(w->lblDistanz->text(), "9.4 NM");
}

TEST_F(RouteWindow, RouteWithoutATargetRowLeavesTheFiguresAlone)
{
    northRoute("Alpha", 1, 1);
    data.addRoute("Empty", 2);
    w->Form_Activate();
    w->cmdActivateGoto_Click();
    placeAircraft(48.10, -1.0);
    w->UpdateTargetNav();
    ASSERT_EQ(w->lblDistanz->text(), "1.0 NM");
    // Another route chosen while navigating: it has no point to steer to.
    pickRoute(1);
    ASSERT_TRUE(nav().route().followingRoute());
    placeAircraft(48.10, -2.0);
    w->UpdateTargetNav();
    EXPECT_EQ(w->lblDistanz->text(), "1.0 NM");
}

// ------------------------------------------------------------------ drawing

TEST_F(RouteWindow, RouteLineAndGuideLineAreDrawnOnTheMap)
{
    showChart();
    northRoute("Alpha", 1, 3); // up the meridian 11°30'
    w->Form_Activate();
    w->layers.ShowRoute = true;
    w->HandleInput(tvtest::fixAt(DDMMToDegrees(48.10), 11.9));
    w->UpdateMap();
    EXPECT_EQ(mapColourAt({48.0 + 15.0 / 60.0, 11.5}), kRouteLineColour);
    EXPECT_EQ(mapColourAt({48.05, 11.5}), tvtest::bgr::kWhite); // south of the first point
    EXPECT_EQ(mapColourAt({DDMMToDegrees(48.10), 11.7}), tvtest::bgr::kWhite); // not navigating

    w->cmdActivateGoto_Click(); // guide line east from P1 to the aircraft
    EXPECT_EQ(mapColourAt({DDMMToDegrees(48.10), 11.7}), kGuideLineColour);
    EXPECT_EQ(w->lblDistanz->text(), "16.0 NM"); // worked out after the redraw
}

TEST_F(RouteWindow, NothingIsDrawnWithoutAnActiveChart)
{
    northRoute("Alpha", 1, 3);
    w->Form_Activate();
    blankMap(100, 100);
    w->layers.ShowRoute = true;
    w->UpdateMap();
    EXPECT_EQ(tvtest::countInk(w->mapSurface(), QRect(0, 0, 100, 100)), 0);
}
