#include "flight/GpsPort.h"
#include "platform/ProgramFolder.h"
#include "support/PseudoTerminal.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

// COM 3 is one end of a pseudo-terminal pair, COM 4 a link to nowhere. What the port receives
// and how it fails are the flight window's tests (SerialLink).
TEST(GpsPortLine, TheLineSettingsGiveTheBaudRateWhenTheyNameOne)
{
    if (!tvtest::PseudoTerminalPair::socatInstalled())
        GTEST_SKIP() << "socat is not installed";
    tvtest::TempDir dir;
    tv::setProgramFolderForTesting(dir.path());
    std::filesystem::create_directories(dir / "dosdevices");
    tvtest::PseudoTerminalPair receiver;
    ASSERT_NO_FATAL_FAILURE(receiver.start(dir / "a", dir / "b"));
    std::filesystem::create_symlink(dir / "a", dir / "dosdevices" / "com3");
    std::filesystem::create_symlink(dir / "nowhere", dir / "dosdevices" / "com4");

    tv::GpsPort port;
    for (const int com : {0, 4, 21})
        EXPECT_FALSE(port.openCom(com)) << "COM " << com << " has no device";
    ASSERT_TRUE(port.openCom(3));
    EXPECT_EQ(port.baudRate(), 4800);
    EXPECT_EQ(port.dataBits(), QSerialPort::Data8);
    EXPECT_EQ(port.parity(), QSerialPort::NoParity);
    struct Case
    {
        const char* settings;
        qint32 baud;
    } const cases[] = {
        {"9600,n,8,1", 9600}, {"garbage", 9600},        {"0,n,8,1", 9600},
        {"57600", 57600},     {"4000001,n,8,1", 57600}, {"", 57600},
    };
    for (const Case& c : cases) {
        port.takeSettings(c.settings);
        EXPECT_EQ(port.baudRate(), c.baud) << '"' << c.settings << '"';
    }
    port.closeIfOpen();
    port.takeSettings("19200,n,8,1"); // taken at the next opening
    ASSERT_TRUE(port.openCom(3));
    EXPECT_EQ(port.baudRate(), 19200);
    port.closeIfOpen();
    tv::setProgramFolderForTesting({});
}

} // namespace
