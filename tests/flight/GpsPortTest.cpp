#include "flight/GpsPort.h"
#include "platform/ProgramFolder.h"
#include "support/PseudoTerminal.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using tvtest::waitFor;

// COM 3 is one end of a pseudo-terminal pair; the test plays the receiver on the other.
class GpsPortLine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!tvtest::PseudoTerminalPair::socatInstalled())
            GTEST_SKIP() << "socat is not installed";
        tv::setProgramFolderForTesting(dir.path());
        std::filesystem::create_directories(dir / "dosdevices");
        ASSERT_NO_FATAL_FAILURE(receiver.start(dir / "a", dir / "b"));
        std::filesystem::create_symlink(dir / "a", dir / "dosdevices" / "com3");
        std::filesystem::create_symlink(dir / "nowhere", dir / "dosdevices" / "com4");
        port.onComm([this](int16_t event) { events.push_back(event); });
    }
    void TearDown() override
    {
        port.closeIfOpen();
        receiver.stop();
        tv::setProgramFolderForTesting({});
    }

    tvtest::TempDir dir;
    tvtest::PseudoTerminalPair receiver;
    tv::GpsPort port;
    std::vector<int16_t> events;
};

TEST_F(GpsPortLine, ReceivesWhatTheGpsSendsAndClosesWhenItIsUnplugged)
{
    ASSERT_TRUE(port.openCom(3));
    EXPECT_EQ(port.baudRate(), 4800);
    EXPECT_EQ(port.dataBits(), QSerialPort::Data8);
    EXPECT_EQ(port.parity(), QSerialPort::NoParity);
    receiver.write("$GPRMC,1\r\n");
    ASSERT_TRUE(waitFor([&] { return !events.empty(); }));
    EXPECT_EQ(events.front(), tv::GpsPort::comEvReceive);
    EXPECT_EQ(port.readAll(), "$GPRMC,1\r\n");

    events.clear();
    receiver.stop();
    ASSERT_TRUE(waitFor([&] { return !events.empty(); }));
    EXPECT_TRUE(events.front() == tv::GpsPort::comEventFrame ||
                events.front() == tv::GpsPort::comEventRxOver);
    EXPECT_FALSE(port.isOpen());
}

TEST_F(GpsPortLine, PortsWithoutADeviceDoNotOpenAndSayNothing)
{
    for (const int com : {0, 4, 21})
        EXPECT_FALSE(port.openCom(com)) << "COM " << com;
    EXPECT_TRUE(events.empty());
}

TEST_F(GpsPortLine, TheLineSettingsGiveTheBaudRateWhenTheyNameOne)
{
    struct Case
    {
        const char* settings;
        qint32 baud;
    } const cases[] = {
        {"9600,n,8,1", 9600}, {"garbage", 9600},        {"0,n,8,1", 9600},
        {"57600", 57600},     {"4000001,n,8,1", 57600}, {"", 57600},
    };
    ASSERT_TRUE(port.openCom(3));
    for (const Case& c : cases) {
        port.takeSettings(c.settings);
        EXPECT_EQ(port.baudRate(), c.baud) << '"' << c.settings << '"';
    }
    port.closeIfOpen();
    port.takeSettings("19200,n,8,1");
    ASSERT_TRUE(port.openCom(3));
    EXPECT_EQ(port.baudRate(), 19200);
}

} // namespace
