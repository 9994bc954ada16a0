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
    void TearDown() override
    {
        setProgramFolderForTesting({});
        setDeviceFolderForTesting({});
    }
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

// A folder standing for /dev, with the nodes a kernel keeps whether or not hardware answers
// behind them (links to /dev/null are character devices like the real nodes).
class FixedPortMapping : public ComPortProbe
{
protected:
    void SetUp() override
    {
        ComPortProbe::SetUp();
        std::filesystem::create_directory(dir_ / "dev");
        setDeviceFolderForTesting(dir_ / "dev");
        for (int i = 0; i < 12; ++i)
            node("ttyS" + std::to_string(i));
        node("ttyUSB0");
        node("ttyACM1");
    }
    void node(const std::string& name)
    {
        std::filesystem::create_symlink("/dev/null", dir_ / "dev" / name);
    }
    std::string dev(const std::string& name) const { return (dir_ / "dev" / name).string(); }
    std::vector<int> portsFound(const std::vector<std::string>& listed) const
    {
        std::vector<int> found;
        for (int16_t n = 1; n <= 20; ++n)
            if (ComPortExists(n, listed) == 1)
                found.push_back(n);
        return found;
    }
};

TEST_F(FixedPortMapping, SerialNodesWithoutHardwareAreNoPorts)
{
    EXPECT_EQ(portsFound({}), std::vector<int>{}) << "twelve ttyS nodes, no UART behind them";
    EXPECT_EQ(portsFound({dev("ttyUSB0"), dev("ttyS1")}), (std::vector<int>{1, 10}));
}

TEST_F(FixedPortMapping, ListedDeviceWithoutANodeIsNoPort)
{
    EXPECT_EQ(portsFound({dev("ttyUSB2")}), std::vector<int>{});
}

TEST_F(FixedPortMapping, ALinkCountsWithoutBeingListed)
{
    link("com3", "/dev/null");
    link("com9", "/dev/null"); // wins over the unlisted ttyS0 node
    link("com5", dir_ / "missing");
    EXPECT_EQ(portsFound({dev("ttyACM0")}), (std::vector<int>{3, 9}));
}
