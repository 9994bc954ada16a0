#include "platform/SerialPorts.h"

#include "platform/ProgramFolder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tv;
using tvtest::TempDir;
using tvtest::writeFile;

namespace {

class ComPortProbe : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setProgramFolderForTesting(dir_.path());
        std::filesystem::create_directory(dir_ / "dosdevices");
    }
    void TearDown() override { setProgramFolderForTesting({}); }
    void link(const std::string& name, const std::filesystem::path& target)
    {
        std::filesystem::create_symlink(target, dir_ / "dosdevices" / name);
    }

    TempDir dir_;
};

} // namespace

TEST_F(ComPortProbe, LinkToACharacterDeviceIsAPort)
{
    link("com3", "/dev/null");
    EXPECT_EQ(ComPortExists(3), 1);
    EXPECT_EQ(comPortPath(3), (dir_ / "dosdevices" / "com3").string());
}

TEST_F(ComPortProbe, LinkToARegularFileOrToNothingIsNoPort)
{
    writeFile(dir_ / "plain.txt", "$GPRMC");
    link("com4", dir_ / "plain.txt");
    link("com5", dir_ / "missing");
    EXPECT_EQ(ComPortExists(4), 0);
    EXPECT_EQ(ComPortExists(5), 0);
    // The link wins even when it leads nowhere: no fallback to /dev/ttyACM0.
    EXPECT_EQ(comPortPath(5), (dir_ / "dosdevices" / "com5").string());
}

TEST_F(ComPortProbe, WithoutALinkTheUsualDevicesStandIn)
{
    EXPECT_EQ(comPortPath(1), "/dev/ttyUSB0");
    EXPECT_EQ(comPortPath(4), "/dev/ttyUSB3");
    EXPECT_EQ(comPortPath(5), "/dev/ttyACM0");
    EXPECT_EQ(comPortPath(8), "/dev/ttyACM3");
    EXPECT_EQ(comPortPath(9), "/dev/ttyS0");
    EXPECT_EQ(comPortPath(20), "/dev/ttyS11");
}

TEST_F(ComPortProbe, NumbersOutsideOneToTwentyAreNoPorts)
{
    link("com0", "/dev/null");
    link("com21", "/dev/null");
    EXPECT_EQ(ComPortExists(0), 0);
    EXPECT_EQ(ComPortExists(21), 0);
    EXPECT_EQ(ComPortExists(-1), 0);
    EXPECT_EQ(comPortPath(21), "");
}
