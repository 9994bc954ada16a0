// Heading and airspeed typed on the keyboard, the wind and the true airspeeds.

#include "FlightWindowFixture.h"

#include "map/PictureBox.h"

#include <QFrame>
#include <QLabel>

namespace fwtest {
namespace {

class HeadingEntry : public FlightWindowTest
{
protected:
    void type(const std::string& keys)
    {
        for (char c : keys)
            window().Form_KeyUp(c == '\b' ? 8 : c, 0);
    }
};

TEST_F(HeadingEntry, DigitsFillHeadingThenAirspeed)
{
    tv::frmGPSmain& w = openWindow();
    type("1");
    EXPECT_EQ(w.lblHeading->text(), "1--");
    type("2");
    EXPECT_EQ(w.lblHeading->text(), "12-");
    type("3");
    EXPECT_EQ(w.lblHeading->text(), "123");
    type("95");
    EXPECT_EQ(w.lblIAS->text(), "95-");
    type("0");
    EXPECT_EQ(w.lblIAS->text(), "950");
    // The next key starts a new heading.
    type("4");
    EXPECT_EQ(w.lblHeading->text(), "4--");
    EXPECT_EQ(w.lblIAS->text(), "---");
}

TEST_F(HeadingEntry, BackspaceTakesBackOneDigit)
{
    tv::frmGPSmain& w = openWindow();
    type("\b");
    EXPECT_EQ(w.lblHeading->text(), "---");
    type("12\b");
    EXPECT_EQ(w.lblHeading->text(), "1--");
}

TEST_F(HeadingEntry, OtherKeysAddNothing)
{
    tv::frmGPSmain& w = openWindow();
    w.Form_KeyUp(97, 0); // keypad 1
    w.Form_KeyUp(65, 0); // A
    EXPECT_EQ(w.lblHeading->text(), "---");
}

TEST_F(HeadingEntry, HeadingAbove360IsKeptOnRed)
{
    tv::frmGPSmain& w = openWindow();
    type("400");
    EXPECT_EQ(w.lblHeading->text(), "400");
    EXPECT_TRUE(w.lblHeading->styleSheet().contains("#FF0000"));
    type("100"); // the airspeed completes the entry
    type("1");   // and the next key begins a new heading
    EXPECT_EQ(w.lblHeading->text(), "1--");
    EXPECT_FALSE(w.lblHeading->styleSheet().contains("#FF0000"));
}

TEST_F(HeadingEntry, KeysForTheInstrumentEntryDoNotReachTheMap)
{
    tv::frmGPSmain& w = openWindow();
    w.frmKurs->show();
    type("123");
    EXPECT_EQ(w.lblHeading->text(), "---");
}

class Wind : public HeadingEntry
{
protected:
    // The receiver reports a fix without a position (the aircraft stays put): speed in knots,
    // track in degrees, altitude in metres, "---" for a field it leaves empty.
    void gps(const std::string& speed, const std::string& track, const std::string& alt = "0")
    {
        const auto field = [](const std::string& value) {
            return value == "---" ? std::string() : value;
        };
        window().HandleInput(
            nmea("GPRMC,120000,A,,,,," + field(speed) + "," + field(track) + ",,,"));
        window().HandleInput(nmea("GPGGA,,,,,,,,," + field(alt) + ",M,,,,"));
    }
};

TEST_F(Wind, TrackRightOfHeadingGivesWindFromTheLeft)
{
    tv::frmGPSmain& w = openWindow();
    gps("100", "100");
    type("090110");
    EXPECT_EQ(w.lblWind->text(), "034 / 21");
    EXPECT_TRUE(w.lblIAS->toolTip().contains("TAS 110 (ISA)"));
    // The arrow is drawn in green in the wind picture.
    EXPECT_GT(tvtest::countColour(w.picWind->surface(), QRect(0, 0, 33, 33), kGreen), 0);
}

TEST_F(Wind, TrackFarAroundTheCircleTakesTheShorterSide)
{
    // Heading 100, track 300: the track lies 160 degrees left of the heading, not 200 right.
    tv::frmGPSmain& w = openWindow();
    gps("50", "300");
    type("100100");
    EXPECT_EQ(w.lblWind->text(), "107 / 148");
}

TEST_F(Wind, NoTrackLeavesTheWindAsItWas)
{
    tv::frmGPSmain& w = openWindow();
    gps("---", "---");
    type("090110");
    EXPECT_EQ(w.lblWind->text(), "--- / ---");
    EXPECT_EQ(w.lblIAS->toolTip(), "");
}

TEST_F(Wind, MetresWithoutAltitudeCountAsSeaLevel)
{
    tv::frmGPSmain& w = openWindow();
    w.lblAlt_Click();
    gps("100", "090", "---");
    type("090100");
    EXPECT_TRUE(w.lblIAS->toolTip().startsWith(" TAS 98 (ISA-10)"));
}

TEST_F(Wind, AltitudeReportsGiveTheTrueAirspeedTip)
{
    tv::frmGPSmain& w = openWindow();
    type("000100"); // heading 000, IAS 100
    w.ShowTAS(6000);
    EXPECT_EQ(w.lblIAS->toolTip(), " TAS 108 (ISA-10)  |  TAS 110 (ISA)  |  TAS 112 (ISA+10) ");
    type("1"); // a new heading: no IAS
    ASSERT_EQ(w.lblIAS->text(), "---");
    w.ShowTAS(6000);
    EXPECT_EQ(w.lblIAS->toolTip(), "");
}

} // namespace
} // namespace fwtest
