// The GPS on a serial port: COM 3 is one end of a pseudo-terminal pair made by socat, the test
// plays the receiver on the other end and sends real NMEA recordings in pieces that split
// sentences. Also the port check, the no-signal watchdog and its texts.

#include "FlightWindowFixture.h"

#include "gps/VB6NmeaInterpreter.h"
#include "map/PictureBox.h"
#include "support/PseudoTerminal.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace fwtest {
namespace {

using tvtest::settle;
using tvtest::waitFor;

// A recording from tests/fixtures/nmea without its comment lines, every line ended by CR LF.
std::string recording(const std::string& name)
{
    const std::string raw = tvtest::readFile(std::filesystem::path(TRAMVIK_NMEA_FIXTURES) / name);
    std::string out;
    std::size_t start = 0;
    while (start < raw.size()) {
        std::size_t end = raw.find('\n', start);
        if (end == std::string::npos)
            end = raw.size();
        std::string line = raw.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] != '#')
            out += line + "\r\n";
        start = end + 1;
    }
    return out;
}

// What the window should have done with a recording: the position events it acted on (with a
// fix) and where they leave the redraw rhythm (-1 before the first, then 0..20).
struct Expected : tv::NmeaEvents
{
    bool fix = false;
    int positions = 0;
    int counter = -1;
    std::string lastLatitude;
    void FixObtained() override { fix = true; }
    void FixLost() override { fix = false; }
    void PositionReceived(const std::string& latitude, const std::string&, const std::string&,
                          const std::string&) override
    {
        if (!fix)
            return;
        ++positions;
        lastLatitude = latitude;
        if (++counter > 20)
            counter = 0;
    }
};

Expected expectedFor(const std::string& text)
{
    Expected expected;
    tv::VB6NmeaInterpreter gps;
    gps.setEvents(&expected);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        gps.Parse(text.substr(start, end - start));
        start = end + 2;
    }
    gps.setEvents(nullptr);
    return expected;
}

class SerialLink : public FlightWindowTest
{
protected:
    void SetUp() override
    {
        FlightWindowTest::SetUp();
        if (!tvtest::PseudoTerminalPair::socatInstalled())
            GTEST_SKIP() << "socat is not installed";
        addStandardChart();
        startReceiver();
        writeFile("data.crm", "\"3\"\r\n\"4800\"\r\n");
        openWindow();
        ASSERT_EQ(window().SavedComPort, 3);
    }

    void TearDown() override
    {
        stopReceiver();
        FlightWindowTest::TearDown();
    }

    void startReceiver()
    {
        ASSERT_NO_FATAL_FAILURE(receiver_.start(dir / "a", dir / "b"));
        port(3, dir / "a");
    }

    void stopReceiver() { receiver_.stop(); }

    // The receiver sends `text` in pieces of `piece` bytes, letting each arrive.
    void send(const std::string& text, std::size_t piece = 0)
    {
        if (piece == 0)
            piece = text.size();
        for (std::size_t at = 0; at < text.size(); at += piece) {
            ASSERT_NO_FATAL_FAILURE(receiver_.write(text.substr(at, piece)));
            settle(piece < 64 ? 5 : 30);
        }
        settle(200);
    }

    void switchGpsOn()
    {
        window().cmdGPS_Click();
        ASSERT_TRUE(window().MSComm1.isOpen());
    }

    tvtest::PseudoTerminalPair receiver_;
};

TEST_F(SerialLink, RecordedFlightInSplitPiecesFillsTheDisplays)
{
    tv::frmGPSmain& w = window();
    switchGpsOn();
    EXPECT_EQ(w.lblStatus->text(), "COM 3 wird überprüft");
    EXPECT_NE(QApplication::overrideCursor(), nullptr);

    const std::string flight = recording("garmin48.log");
    const Expected expected = expectedFor(flight);
    ASSERT_GT(expected.positions, 0);
    send(flight, 7); // 7-byte pieces split nearly every sentence
    ASSERT_TRUE(waitFor([&] { return w.lblLat->text() != "---"; }));
    EXPECT_EQ(w.lblLat->text().toStdString(), expected.lastLatitude);
    EXPECT_TRUE(w.lblLat->text().startsWith("S 45"));
    EXPECT_LT(w.navigation().aircraft().latDeg, -45.0);
    // Every position handed on once: the redraw rhythm stands where the recording leaves it.
    EXPECT_EQ(w.navigation().positionRefreshCounter(), expected.counter);
    EXPECT_TRUE(w.lblStatus->isHidden()); // data came: the status text went at once

    // The verdict with data: no status text, normal pointer, the timer stops.
    w.timerCheck.fire();
    w.timerCheck.fire();
    EXPECT_TRUE(w.lblStatus->isHidden());
    EXPECT_EQ(w.timerCheck.interval(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(SerialLink, AnotherRecordingInLargePiecesGivesTheSameRhythm)
{
    tv::frmGPSmain& w = window();
    switchGpsOn();
    const std::string flight = recording("ublox-lea-5h.log");
    const Expected expected = expectedFor(flight);
    ASSERT_GT(expected.positions, 21);
    send(flight, 100);
    ASSERT_TRUE(waitFor([&] { return w.lblLat->text().toStdString() == expected.lastLatitude; }));
    settle(200);
    EXPECT_EQ(w.navigation().positionRefreshCounter(), expected.counter);
}

TEST_F(SerialLink, SilentPortGivesNoSignalAtTheVerdict)
{
    tv::frmGPSmain& w = window();
    switchGpsOn();
    w.timerCheck.fire();
    EXPECT_EQ(w.lblStatus->text(), "COM 3 wird überprüft");
    w.timerCheck.fire();
    EXPECT_EQ(w.lblStatus->text(), "Kein Signal an COM 3");
    EXPECT_FALSE(w.lblStatus->isHidden());
    EXPECT_TRUE(w.picGPSCheck[0]->isHidden());
    EXPECT_TRUE(w.picGPSCheck[1]->isHidden());
    EXPECT_EQ(w.timerCheck.interval(), 0);
    EXPECT_TRUE(w.MSComm1.isOpen()); // reopened once: text that still comes is read
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    send(rmc(48.30, 9.30));
    EXPECT_FALSE(w.picGPSCheck[1]->isHidden()); // a fix shows its picture again
}

TEST_F(SerialLink, SilentPortInEnglish)
{
    tv::Language = 1;
    tv::frmGPSmain& w = window();
    switchGpsOn();
    EXPECT_EQ(w.lblStatus->text(), "Checking COM 3");
    w.timerCheck.fire();
    w.timerCheck.fire();
    EXPECT_EQ(w.lblStatus->text(), "No Signal an COM 3");
}

TEST_F(SerialLink, ReceiverFallingSilentStartsTheNoSignalMode)
{
    tv::frmGPSmain& w = window();
    switchGpsOn();
    send(rmc(48.30, 9.30, 80.0) + gga("1000"));
    w.timerCheck.fire();
    w.timerCheck.fire();
    ASSERT_FALSE(w.picGPSCheck[1]->isHidden());
    ASSERT_EQ(w.lblSpeed->text(), "80");
    EXPECT_EQ(w.silenceWatch.interval(), tv::frmGPSmain::kSilenceMs);
    w.picKartezentrieren_Click(); // the aircraft stays where the map shows it
    w.UpdateMap();
    const QPointF aircraft = *w.mapView.positionToView(w.navigation().aircraft());
    ASSERT_EQ(probe(aircraft.x(), aircraft.y()), kGreen); // a fix

    w.silenceWatch.fire(); // five seconds without data
    EXPECT_FALSE(w.picGPSCheck[2]->isHidden());
    EXPECT_FALSE(w.navigation().hasFix());
    EXPECT_EQ(w.lblSpeed->text(), "---");
    EXPECT_EQ(w.lblAlt->text(), "---");
    EXPECT_EQ(w.timerCheck.interval(), 5000);
    EXPECT_EQ(probe(aircraft.x(), aircraft.y()), kRed); // redrawn: no fix

    // Each tick without data reopens the port and says so.
    w.timerCheck.fire();
    EXPECT_EQ(w.lblStatus->text(), "Kein Signal an COM 3");
    EXPECT_TRUE(w.MSComm1.isOpen());
    EXPECT_EQ(w.timerCheck.interval(), 5000);

    // Data again: the next tick ends the mode.
    send(rmc(48.30, 9.30, 80.0));
    EXPECT_TRUE(w.navigation().link().dataReceived());
    w.timerCheck.fire();
    EXPECT_EQ(w.timerCheck.interval(), 0);
    EXPECT_TRUE(w.lblStatus->isHidden());
}

TEST_F(SerialLink, AMessageBoxOpenWhileSentencesArriveIsNoSilence)
{
    tv::frmGPSmain& w = window();
    switchGpsOn();
    send(rmc(48.30, 9.30, 80.0, 90.0) + gga("1000"));
    w.timerCheck.fire();
    w.timerCheck.fire();
    ASSERT_FALSE(w.picGPSCheck[1]->isHidden());
    // A VOR that is not in the waypoint table: the next track report opens the error box.
    w.navigation().chooseInstrumentMode(tv::InstrumentMode::Vor);
    w.navigation().chooseStation("Nowhere");
    int boxes = 0;
    bool noSignalWhileOpen = false;
    tv::setMsgBoxHook([&](const tv::MsgRecord& m) {
        messages.push_back(m);
        ++boxes;
        // The pilot reads the box while the receiver goes on sending; then the watchdog's
        // five seconds are up.
        receiver_.write(rmc(48.30, 9.30, 80.0, 90.0));
        waitFor([&] { return w.MSComm1.bytesAvailable() > 0; });
        w.silenceWatch.fire();
        noSignalWhileOpen = !w.picGPSCheck[2]->isHidden();
        return tv::MsgResult::Ok;
    });
    send(rmc(48.30, 9.30, 80.0, 90.0));
    ASSERT_EQ(boxes, 1);
    EXPECT_FALSE(noSignalWhileOpen) << "\"Kein Signal\" while the GPS was sending";
    EXPECT_TRUE(w.picGPSCheck[2]->isHidden());
    EXPECT_FALSE(w.picGPSCheck[1]->isHidden());
    EXPECT_EQ(w.silenceWatch.interval(), tv::frmGPSmain::kSilenceMs);
}

TEST_F(SerialLink, DeviceGoneStartsTheNoSignalMode)
{
    tv::frmGPSmain& w = window();
    switchGpsOn();
    send(rmc(48.30, 9.30, 80.0));
    w.timerCheck.fire();
    w.timerCheck.fire();
    ASSERT_FALSE(w.picGPSCheck[1]->isHidden());

    stopReceiver(); // the receiver is unplugged
    ASSERT_TRUE(waitFor([&] { return !w.picGPSCheck[2]->isHidden(); }, 3000))
        << "the port did not report the lost device";
    EXPECT_EQ(w.lblSpeed->text(), "---");
    EXPECT_EQ(w.timerCheck.interval(), 5000); // the port is tried again every 5 s

    w.timerCheck.fire(); // the device is still gone
    EXPECT_EQ(w.lblStatus->text(), "COM 3 existiert nicht");
}

TEST_F(SerialLink, LeavingAndReturningReopensThePortWithoutANewCheck)
{
    tv::frmGPSmain& w = window();
    switchGpsOn();
    send(rmc(48.30, 9.30, 40.0));
    w.timerCheck.fire();
    w.timerCheck.fire();
    w.Form_Deactivate();
    EXPECT_FALSE(w.MSComm1.isOpen());
    EXPECT_EQ(w.timerCheck.interval(), 0);
    EXPECT_FALSE(w.picGPSCheck[1]->isHidden());
    w.Form_Activate();
    EXPECT_TRUE(w.MSComm1.isOpen());
    EXPECT_EQ(w.timerCheck.interval(), 0);
    EXPECT_TRUE(w.lblStatus->isHidden());
    send(rmc(48.30, 9.30, 41.0));
    EXPECT_EQ(w.lblSpeed->text(), "41");
}

TEST_F(SerialLink, ClickOnTheStatusPictureSwitchesTheGpsOff)
{
    tv::frmGPSmain& w = window();
    switchGpsOn();
    w.picGPSCheck_Click(0);
    EXPECT_FALSE(w.MSComm1.isOpen());
    EXPECT_EQ(w.timerCheck.interval(), 0);
    for (QLabel* check : w.picGPSCheck)
        EXPECT_TRUE(check->isHidden());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(SerialLink, AutomaticRecordingFollowsTheReceivedSpeed)
{
    tv::TrackLoggerOn = true;
    tv::TrackAutoOn = true;
    tv::TrackInterval = 2000;
    tv::frmGPSmain& w = window();
    w.Form_Activate();
    switchGpsOn();
    send(rmc(48.30, 9.30, 95.0));
    EXPECT_FALSE(w.picRecord->isHidden());
    EXPECT_TRUE(w.cmdRecordAuto->isHidden());
    send(rmc(48.30, 9.30, 10.0));
    EXPECT_TRUE(w.picRecord->isHidden());
    EXPECT_FALSE(w.cmdRecordAuto->isHidden());
}

using PortMissing = FlightWindowTest;

TEST_F(PortMissing, PortThatCannotBeOpenedLeavesTheButtonUsable)
{
    writeFile("data.crm", "\"5\"\r\n\"4800\"\r\n");
    tv::frmGPSmain& w = openWindow();
    w.cmdGPS_Click();
    EXPECT_EQ(w.lblStatus->text(), "COM 5 existiert nicht");
    for (QLabel* check : w.picGPSCheck)
        EXPECT_TRUE(check->isHidden());
    EXPECT_EQ(w.timerCheck.interval(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    tv::Language = 1;
    w.cmdGPS_Click();
    EXPECT_EQ(w.lblStatus->text(), "COM 5 does not exist");
}

} // namespace
} // namespace fwtest
