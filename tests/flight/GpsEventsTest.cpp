// What the flight window does with the GPS sentences it receives: the displays, the aircraft
// position, the redraw rhythm, the fix pictures and the automatic track recording.

#include "FlightWindowFixture.h"

#include "gps/VB6NmeaInterpreter.h"
#include "map/PictureBox.h"

#include <QLabel>
#include <QPushButton>

namespace fwtest {
namespace {

const std::string kNoFix = nmea("GPRMC,120000,V,4830.0000,N,00930.0000,E,000.0,000.0,010624,,");

class GpsEvents : public FlightWindowTest
{
protected:
    void SetUp() override
    {
        FlightWindowTest::SetUp();
        addStandardChart();
    }
    void feed(const std::string& text) { window().HandleInput(text); }
    const tv::FlightNavigation& nav() { return window().navigation(); }
};

TEST_F(GpsEvents, FixShowsPositionSpeedAndCourse)
{
    tv::frmGPSmain& w = openWindow();
    feed(rmc(48.3012, 9.1545, 12.3, 359.6));
    EXPECT_TRUE(nav().hasFix());
    EXPECT_FALSE(w.picGPSCheck[1]->isHidden());
    EXPECT_TRUE(w.picGPSCheck[0]->isHidden());
    EXPECT_EQ(w.lblLat->text(), QString::fromUtf8("N 48° 30.1200'"));
    EXPECT_EQ(w.lblLong->text(), QString::fromUtf8("E 009° 15.4500'"));
    EXPECT_NEAR(nav().aircraft().latDeg, 48.502, 1e-9);
    EXPECT_NEAR(nav().aircraft().lonDeg, 9.2575, 1e-9);
    EXPECT_EQ(w.lblSpeed->text(), "12");
    EXPECT_EQ(w.lblSpeedmode->text(), "kts");
    EXPECT_EQ(w.lblBearing->text(), "360");
    EXPECT_EQ(nav().fix().utcTime, "12:00:00");
}

TEST_F(GpsEvents, SouthAndWestGiveNegativeDegrees)
{
    tv::frmGPSmain& w = openWindow();
    feed(rmc(-33.52, -151.12));
    EXPECT_NEAR(nav().aircraft().latDeg, -33.866666666666667, 1e-9);
    EXPECT_NEAR(nav().aircraft().lonDeg, -151.2, 1e-9);
    EXPECT_EQ(w.lblLat->text(), QString::fromUtf8("S 33° 52.0000'"));
}

TEST_F(GpsEvents, KilometresPerHourAndMetresWhenSwitched)
{
    tv::frmGPSmain& w = openWindow();
    feed(rmc(48.30, 9.30));
    w.lblSpeed_Click();
    w.lblAlt_Click();
    feed(rmc(48.30, 9.30, 12.3) + gga("0.3"));
    EXPECT_EQ(w.lblSpeed->text(), "23");
    EXPECT_EQ(w.lblSpeedmode->text(), "km/h");
    EXPECT_EQ(w.lblAlt->text(), ""); // 0 m shows nothing
    EXPECT_EQ(w.lblAltmode->text(), "m");
    w.lblAlt_Click();
    feed(gga("0.3"));
    EXPECT_EQ(w.lblAlt->text(), "1");
    EXPECT_EQ(w.lblAltmode->text(), "ft");
}

TEST_F(GpsEvents, WithoutFixDisplaysShowDashesAndTheAircraftStays)
{
    tv::frmGPSmain& w = openWindow();
    const tv::GeoPos before = nav().aircraft();
    feed(kNoFix + gga("500"));
    EXPECT_FALSE(nav().hasFix());
    EXPECT_EQ(w.lblLat->text(), "---");
    EXPECT_EQ(w.lblSpeed->text(), "---");
    EXPECT_EQ(w.lblAlt->text(), "---");
    EXPECT_EQ(nav().aircraft().latDeg, before.latDeg);
    EXPECT_EQ(nav().aircraft().lonDeg, before.lonDeg);
    EXPECT_EQ(nav().positionRefreshCounter(), -1) << "no redraw is due";
}

TEST_F(GpsEvents, MapIsRedrawnOnTheFirstAndEveryTwentyFirstPosition)
{
    tv::frmGPSmain& w = openWindow();
    w.picKartezentrieren_Click(); // the view stays: each position has a pixel of its own
    std::vector<int> redrawnAt;
    for (int n = 1; n <= 43; ++n) {
        // Eastwards along 48.9 N, 16 map pixels apart.
        const tv::GeoPos at{48.9, 9.05 + n * 0.008};
        feed(tvtest::fixAt(at.latDeg, at.lonDeg));
        const QPointF px = *w.mapView.positionToView(at);
        if (probe(px.x(), px.y()) == kGreen) // the aircraft's centre with a fix, where it is now
            redrawnAt.push_back(n);
    }
    EXPECT_EQ(redrawnAt, (std::vector<int>{1, 22, 43}));
}

TEST_F(GpsEvents, EachCompleteSentenceIsHandedOnOnce)
{
    tv::frmGPSmain& w = openWindow();
    const std::string first = rmc(48.30, 9.30, 5.0);
    const std::string second = gga("100");
    // The GGA sentence arrives in two pieces; the RMC before it must not be parsed again.
    feed(first + second.substr(0, 10));
    EXPECT_EQ(nav().positionRefreshCounter(), 0);
    feed(second.substr(10));
    EXPECT_EQ(nav().positionRefreshCounter(), 1);
    EXPECT_EQ(w.lblAlt->text(), "328");
    // A chunk beginning with "$" throws an unfinished line away.
    feed(second.substr(0, 20));
    feed(first);
    EXPECT_EQ(nav().positionRefreshCounter(), 2);
}

TEST_F(GpsEvents, GarbageNeverHarmsTheWindow)
{
    tv::frmGPSmain& w = openWindow();
    std::string noise;
    for (int i = 0; i < 5000; ++i)
        noise.push_back(static_cast<char>((i * 7919) % 256));
    feed(noise);
    feed("$GPRMC,,,,,,,,,,,*00\r\n$GPGGA,1,2,3\r\n\r\n\r\n$$$*\r\n");
    feed(std::string(10000, 'x')); // no line end ever (wrong baud rate)
    EXPECT_LE(w.LineBuffer.tail().size(), tv::LineAssembler::kMaxTailBytes);
    feed(rmc(48.30, 9.30));
    EXPECT_TRUE(nav().hasFix());
}

TEST_F(GpsEvents, SatelliteCountsGoToTheFixPictureTip)
{
    tv::frmGPSmain& w = openWindow();
    feed(nmea("GPGSV,3,1,12,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45"));
    EXPECT_EQ(w.picGPSCheck[0]->toolTip(), "Sat: -/-");
    feed(rmc(48.30, 9.30) + gga("100", 7));
    feed(nmea("GPGSV,3,1,12,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45"));
    EXPECT_EQ(nav().fix().satellitesUsed, 7);
    EXPECT_EQ(w.picGPSCheck[1]->toolTip(), "Sat: 7/12");
}

TEST_F(GpsEvents, LosingTheFixShowsTheNoFixPicture)
{
    tv::frmGPSmain& w = openWindow();
    feed(rmc(48.30, 9.30));
    feed(kNoFix);
    EXPECT_FALSE(nav().hasFix());
    EXPECT_FALSE(w.picGPSCheck[0]->isHidden());
    EXPECT_TRUE(w.picGPSCheck[1]->isHidden());
}

TEST_F(GpsEvents, LosingTheFixBlanksTheFiguresAndShowsOneWholePicture)
{
    tv::MainConnection->Execute(
        "INSERT INTO Waypoints (Name, Lat, Long, Kategorie) VALUES ('Mitte', 48.32, 9.32, '')");
    tv::frmGPSmain& w = openWindow();
    w.cmdKartezentrieren_Click();
    w.cmdWayInfo_Click();
    feed(rmc(48.30, 9.30, 250.0, 124.0) + gga("1067.1")); // redrawn, centred here
    feed(rmc(48.30, 9.31, 250.0, 124.0)); // moved on; the next redraw is 20 positions away
    ASSERT_EQ(w.lblSpeed->text(), "250");
    ASSERT_EQ(w.lblAlt->text(), "3501");
    feed(tvtest::fixStatus(false)); // status V, every other field empty
    EXPECT_EQ(w.lblSpeed->text(), "---");
    EXPECT_EQ(w.lblBearing->text(), "---");
    EXPECT_EQ(w.lblAlt->text(), "---");
    EXPECT_EQ(w.lblLat->text(), "---");
    const QImage shown = w.mapSurface().image();
    w.UpdateMap();
    EXPECT_TRUE(shown == w.mapSurface().image()) << "the map shows what a fresh redraw shows";
}

class AutomaticRecording : public GpsEvents
{
protected:
    void SetUp() override
    {
        GpsEvents::SetUp();
        tv::TrackLoggerOn = true;
        tv::TrackAutoOn = true;
        tv::TrackInterval = 5000;
    }
};

TEST_F(AutomaticRecording, StartsAboveThirtyKnotsAndStopsBelow)
{
    tv::frmGPSmain& w = openWindow();
    ASSERT_FALSE(w.cmdRecordAuto->isHidden());
    feed(rmc(48.30, 9.30, 30.0));
    EXPECT_TRUE(w.picRecord->isHidden()); // exactly 30 kt: nothing changes
    EXPECT_FALSE(w.cmdRecordAuto->isHidden());

    feed(rmc(48.30, 9.30, 30.1));
    EXPECT_FALSE(w.picRecord->isHidden());
    EXPECT_TRUE(w.cmdRecordAuto->isHidden());
    EXPECT_EQ(w.lblRecord->text(), "0");

    feed(rmc(48.30, 9.30, 29.9));
    EXPECT_TRUE(w.picRecord->isHidden());
    EXPECT_FALSE(w.cmdRecordAuto->isHidden());
    EXPECT_TRUE(w.cmdRecord->isHidden());
}

TEST_F(AutomaticRecording, SpeedInKilometresPerHourStillDecidesInKnots)
{
    tv::frmGPSmain& w = openWindow();
    w.lblSpeed_Click();
    feed(rmc(48.30, 9.30, 20.0)); // 37 km/h shown, 20 kt
    EXPECT_EQ(w.lblSpeed->text(), "37");
    EXPECT_TRUE(w.picRecord->isHidden());
    EXPECT_FALSE(w.cmdRecordAuto->isHidden());
}

} // namespace
} // namespace fwtest
