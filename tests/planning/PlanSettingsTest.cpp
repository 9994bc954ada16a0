#include "planning/PlanSettings.h"
#include "core/SettingsFile.h"
#include "planning/PlanChart.h"
#include "planning/PlanLayout.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

void writeFile(const std::filesystem::path& p, const std::string& content)
{
    std::ofstream(p, std::ios::binary) << content;
}

std::string readFile(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

TEST(PlanSettingsFile, ReadsTheThreeChoicesAndRepairsTheRest)
{
    using tv::PlanAirspaceChoice;
    struct Case
    {
        const char* content;
        PlanAirspaceChoice want;
        bool repaired;
    };
    const PlanAirspaceChoice all = PlanAirspaceChoice::all();
    const Case cases[] = {
        {"\"-99\"\r\n", all, false},
        {"\"-10\"\r\n", PlanAirspaceChoice::none(), false},
        {"\"3500\"\r\n", PlanAirspaceChoice::atAltitude(3500), false},
        {"\"0\"\n", PlanAirspaceChoice::atAltitude(0), false},
        {"\"32767\"\r\n", PlanAirspaceChoice::atAltitude(32767), false},
        {"\"32768\"\r\n", all, true},
        {"\"-5\"\r\n", all, true},
        {"\"3500.5\"\r\n", all, true},
        {"\"abc\"\r\n", all, true},
        {"", all, true},
        {"\"-0.4\"\r\n", all, true},
        {"\"-99.2\"\r\n", all, true},
        {"\"-40000\"\r\n", all, true},
        {"\"1e9\"\r\n", all, true},
        {"\" 3500\"\r\n", all, true},
        {"\"\"\r\n", all, true},
    };
    for (const Case& c : cases) {
        tvtest::TempDir dir;
        writeFile(dir / "planung.crm", c.content);
        EXPECT_EQ(tv::loadPlanSettings(dir.path()), c.want) << c.content;
        if (c.repaired)
            EXPECT_EQ(readFile(dir / "planung.crm"), "\"-99\"\r\n") << c.content;
        else
            EXPECT_EQ(readFile(dir / "planung.crm"), c.content);
    }
}

TEST(PlanSettingsFile, EachChoiceIsWrittenAsTheTextItIsReadFrom)
{
    using tv::PlanAirspaceChoice;
    PlanAirspaceChoice circuitsOn = PlanAirspaceChoice::atAltitude(4500);
    circuitsOn.circuits = true;
    const struct
    {
        PlanAirspaceChoice choice;
        const char* file;
        PlanAirspaceChoice readBack; // the circuits are not kept
    } cases[] = {
        {PlanAirspaceChoice::all(), "\"-99\"\r\n", PlanAirspaceChoice::all()},
        {PlanAirspaceChoice::none(), "\"-10\"\r\n", PlanAirspaceChoice::none()},
        {PlanAirspaceChoice::atAltitude(0), "\"0\"\r\n", PlanAirspaceChoice::atAltitude(0)},
        {PlanAirspaceChoice::atAltitude(32767), "\"32767\"\r\n",
         PlanAirspaceChoice::atAltitude(32767)},
        {circuitsOn, "\"4500\"\r\n", PlanAirspaceChoice::atAltitude(4500)},
    };
    for (const auto& c : cases) {
        tvtest::TempDir dir;
        ASSERT_TRUE(tv::savePlanSettings(dir.path(), c.choice)) << c.file;
        EXPECT_EQ(readFile(dir / "planung.crm"), c.file);
        EXPECT_EQ(tv::loadPlanSettings(dir.path()), c.readBack) << c.file;
    }
}

TEST(PlanSettingsFile, MissingFileIsWrittenWithAllAirspaces)
{
    tvtest::TempDir dir;
    EXPECT_EQ(tv::loadPlanSettings(dir.path()), tv::PlanAirspaceChoice::all());
    EXPECT_EQ(readFile(dir / "planung.crm"), "\"-99\"\r\n");
}

TEST(LastChartFile, ReadOnceAndRecreatedOnlyWhenMissingOrUnreadable)
{
    tvtest::TempDir dir;
    writeFile(dir / "kartendaten.crm", "\"O'Brien Field.jpg\"\r\n\"Route 1\"\r\n");
    tv::PlanChart().open(nullptr, dir.path());
    EXPECT_EQ(readFile(dir / "kartendaten.crm"), "\"O'Brien Field.jpg\"\r\n\"Route 1\"\r\n");

    tvtest::TempDir empty;
    tv::PlanChart().open(nullptr, empty.path());
    EXPECT_EQ(readFile(empty / "kartendaten.crm"), "\"demo.bmp\"\r\n");
}

TEST(PlanWindowLayout, BelowTheSmallestMapNothingMoves)
{
    EXPECT_FALSE(tv::planLayout(950, 600));
    EXPECT_FALSE(tv::planLayout(1200, 520));
    EXPECT_TRUE(tv::planLayout(951, 521));
}

TEST(PlanWindowLayout, MapGrowsAndTheColumnFollowsItsRightEdge)
{
    const auto places = tv::planLayout(1443, 900);
    ASSERT_TRUE(places);
    auto at = [&](const char* name) {
        for (const tv::ControlPlace& p : *places)
            if (p.name == QLatin1String(name))
                return p.rect;
        ADD_FAILURE() << name;
        return QRect();
    };
    EXPECT_EQ(at("picMap"), QRect(4, 56, 1000, 800));
    const int x0 = 4 + 1000 + 13;
    EXPECT_EQ(at("tWaypoint1").left(), x0);
    EXPECT_EQ(at("gridRoute").left(), x0 - 1);
    EXPECT_EQ(at("tEW").left(), x0 + 390);
    EXPECT_EQ(at("cmdDeleteWaypoint").left(), x0 + 354);
    EXPECT_EQ(at("lblLatx").left(), x0 - 238);
    EXPECT_EQ(at("cmdshowRoute").left(), 500 - 45 - 4 - 15);
    EXPECT_EQ(at("cmbMaps").top(), 800 + 56 + 3);
    EXPECT_EQ(at("SlideMap").top(), 800 + 56 + 2);
    EXPECT_EQ(at("cmdMessen").top(), 858);
    // Sizes and the other coordinates keep their designed values.
    EXPECT_EQ(at("gridWaypoints"), QRect(x0, 104, 337, 185));
    EXPECT_EQ(at("cmdChange").top(), 152);
}
