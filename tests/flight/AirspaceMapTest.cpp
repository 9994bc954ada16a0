// The airspace layer on the flight map: switched on, with labels, off again; the traffic
// circuits by their own switch; the band follows the altitude shown; faulty data on lblQNH.

#include "FlightWindowFixture.h"

#include "airspace/AirspacePainter.h"
#include "core/GeoMath.h"
#include "platform/Connection.h"
#include "schema/Schema.h"

#include <QFrame>
#include <QLabel>

namespace fwtest {
namespace {

class AirspaceOnFlightMap : public FlightWindowTest
{
protected:
    void SetUp() override
    {
        FlightWindowTest::SetUp();
        tv::schema::createDataFile(dir / "Luftraum.tvd", tv::schema::DataFile::Airspace);
        tv::AirspaceConnection = std::make_shared<tv::Connection>();
        tv::AirspaceConnection->Open((dir / "Luftraum.tvd").string());
    }

    // A square airspace 48°40'-48°50' N, 9°10'-9°20' E (DD.MM corners), limits in feet.
    void addBox(int index, const std::string& type, double low, double high,
                const std::string& lowType = "GND", bool broken = false)
    {
        const double corners[4][2] = {{48.50, 9.10}, {48.50, 9.20}, {48.40, 9.20}, {48.40, 9.10}};
        for (int i = 0; i < 4; ++i) {
            tv::AirspaceConnection->Execute(
                "INSERT INTO \"Luftraum\" (\"AspType\", \"Index\", \"Low\", \"High\", "
                "\"LowType\", \"HighType\", \"Drawtype\", \"Lat\", \"Long\", \"PNumber\") "
                "VALUES (?, ?, ?, ?, ?, '', 'DP', ?, ?, ?)",
                {type, index, low, high, lowType, corners[i][0],
                 broken && i == 2 ? tv::Value() : tv::Value(corners[i][1]), i + 1});
        }
    }

    tv::frmGPSmain& show()
    {
        addStandardChart();
        tv::frmGPSmain& w = openWindow();
        w.picKartezentrieren_Click();
        placeAircraft(tv::DDMMToDegrees(48.30), tv::DDMMToDegrees(9.25));
        w.UpdateMap();
        return w;
    }

    QPointF px(double latDdmm, double lonDdmm)
    {
        return *window().mapView.positionToView(
            {tv::DDMMToDegrees(latDdmm), tv::DDMMToDegrees(lonDdmm)});
    }
    // The middle of the box's northern edge (the first edge drawn).
    int64_t northEdge()
    {
        const QPointF p = (px(48.50, 9.10) + px(48.50, 9.20)) / 2.0;
        return probe(p.x(), p.y());
    }
    // Label pixels beside the northern edge.
    int labelPixels()
    {
        const QPointF m = (px(48.50, 9.10) + px(48.50, 9.20)) / 2.0;
        const QRect beside(static_cast<int>(m.x()) + 10, static_cast<int>(m.y()) - 10, 80, 14);
        return tvtest::countColour(window().mapSurface(), beside, tv::kAirspaceLabelColour);
    }
};

TEST_F(AirspaceOnFlightMap, OneSpotCyclesOffOnWithLabelsAndOff)
{
    addBox(1, "D", 0, 2500);
    tv::frmGPSmain& w = show();
    EXPECT_NE(northEdge(), kRed);
    EXPECT_TRUE(w.frmQNH->isHidden());

    w.cmdLR1_Click();
    EXPECT_EQ(northEdge(), kRed); // the first edge after the window opened
    EXPECT_EQ(labelPixels(), 0);
    EXPECT_FALSE(w.frmQNH->isHidden());

    w.cmdLR2_Click();
    EXPECT_GT(labelPixels(), 10);

    w.picLR3_Click();
    EXPECT_NE(northEdge(), kRed);
    EXPECT_NE(northEdge(), 0);
    EXPECT_EQ(labelPixels(), 0);
    EXPECT_TRUE(w.frmQNH->isHidden());
}

TEST_F(AirspaceOnFlightMap, TrafficCircuitsByTheirOwnSwitch)
{
    addBox(1, "A", 0, 3000);
    tv::frmGPSmain& w = show();
    w.cmdLR1_Click();
    EXPECT_NE(northEdge(), tv::kTrafficCircuitColour);
    w.cmdPR_Click();
    EXPECT_EQ(northEdge(), tv::kTrafficCircuitColour);
    w.picLR3_Click(); // airspaces off, circuits still on: the QNH box goes
    EXPECT_EQ(northEdge(), tv::kTrafficCircuitColour);
    EXPECT_TRUE(w.frmQNH->isHidden());
    w.picPR_Click();
    EXPECT_NE(northEdge(), tv::kTrafficCircuitColour);
}

TEST_F(AirspaceOnFlightMap, BandFollowsTheAltitudeShown)
{
    addBox(1, "D", 0, 2500);
    tv::frmGPSmain& w = show();
    w.cmdLR1_Click();
    auto drawn = [&] { return northEdge() == kRed || northEdge() == 0; };
    EXPECT_TRUE(drawn());                           // no fix: -400 to 400 ft
    w.HandleInput(rmc(48.30, 9.30) + gga("914.4")); // 3000 ft: 2600 to 3400, above it
    w.UpdateMap();
    EXPECT_EQ(w.lblAlt->text(), QStringLiteral("3000"));
    EXPECT_FALSE(drawn());
    w.HandleInput(gga("853.44")); // 2800 ft: 2400 to 3200
    w.UpdateMap();
    EXPECT_TRUE(drawn());
    w.lblAlt_Click(); // metres: 853 m shown, 2798.5 ft
    w.UpdateMap();
    EXPECT_TRUE(drawn());
    w.HandleInput(gga("1000")); // 1000 m, 3280.8 ft
    w.UpdateMap();
    EXPECT_FALSE(drawn());
}

TEST_F(AirspaceOnFlightMap, FaultyAirspaceIsLeftOutAndLblQnhSaysSo)
{
    addBox(1, "D", 0, 2500, "GND", true);
    tv::frmGPSmain& w = show();
    w.cmdLR1_Click();
    EXPECT_NE(northEdge(), kRed); // nothing half-drawn
    EXPECT_EQ(w.lblQNH->toolTip(), QStringLiteral("Luftraumdaten fehlerhaft"));
    EXPECT_EQ(tv::vbColorValue(w.lblQNH->palette().color(QPalette::Window)),
              tv::kAirspaceBoxAlertColour);

    // The file mended and opened anew: the next redraw is complete.
    tv::AirspaceConnection->Execute("DELETE FROM \"Luftraum\"");
    addBox(2, "D", 0, 2500);
    tv::AirspaceConnection = std::make_shared<tv::Connection>();
    tv::AirspaceConnection->Open((dir / "Luftraum.tvd").string());
    w.UpdateMap();
    EXPECT_TRUE(w.lblQNH->toolTip().isEmpty());
    EXPECT_EQ(tv::vbColorValue(w.lblQNH->palette().color(QPalette::Window)),
              tv::kAirspaceBoxColour);
}

TEST_F(AirspaceOnFlightMap, WithoutAirspaceFileTheMapIsDrawnAsUsual)
{
    addBox(1, "D", 0, 2500);
    tv::AirspaceConnection.reset();
    tv::frmGPSmain& w = show();
    w.cmdLR1_Click();
    EXPECT_NE(northEdge(), kRed);
    EXPECT_TRUE(w.lblQNH->toolTip().isEmpty());
}

} // namespace
} // namespace fwtest
