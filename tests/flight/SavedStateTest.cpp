// The flight window's files: Set.crm (layer switches), VOR.crm (instrument) and the view
// memory position.crm.

#include "flight/FlightSettings.h"
#include "map/ViewMemory.h"
#include "platform/Recordset.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

using tv::LayerFlags;
using tvtest::readFile;
using tvtest::TempDir;

TEST(LayerSwitchFile, FirstStartCreatesSevenOffSwitches)
{
    TempDir dir;
    LayerFlags flags;
    EXPECT_FALSE(tv::LoadSetFile(dir / "Set.crm", flags));
    EXPECT_EQ(readFile(dir / "Set.crm"),
              "#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n");
}

TEST(LayerSwitchFile, SavedSwitchesComeBackInTheirOrder)
{
    TempDir dir;
    LayerFlags saved;
    saved.ShowLuftraum = true;
    saved.ShowPR = true;
    saved.ShowAPT2 = true;
    ASSERT_TRUE(tv::SaveSetFile(dir / "Set.crm", saved));
    EXPECT_EQ(readFile(dir / "Set.crm"),
              "#TRUE#\r\n#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#TRUE#\r\n");
    LayerFlags read;
    EXPECT_TRUE(tv::LoadSetFile(dir / "Set.crm", read));
    EXPECT_TRUE(read.ShowLuftraum);
    EXPECT_FALSE(read.ShowLuftraumHoehe);
    EXPECT_TRUE(read.ShowPR);
    EXPECT_FALSE(read.ShowRoute);
    EXPECT_TRUE(read.ShowAPT2);
}

TEST(LayerSwitchFile, ShortFileKeepsWhatWasReadAndIsRepaired)
{
    TempDir dir;
    tvtest::writeFile(dir / "Set.crm", "#TRUE#\r\n#TRUE#\r\nrubbish\r\n");
    LayerFlags flags;
    EXPECT_FALSE(tv::LoadSetFile(dir / "Set.crm", flags));
    EXPECT_TRUE(flags.ShowLuftraum);
    EXPECT_TRUE(flags.ShowLuftraumHoehe);
    EXPECT_FALSE(flags.ShowPR);
    EXPECT_EQ(readFile(dir / "Set.crm"),
              "#TRUE#\r\n#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n");
}

TEST(InstrumentFile, FirstStartWritesEmptyNameKursAndZero)
{
    TempDir dir;
    EXPECT_FALSE(tv::LoadVorFile(dir / "VOR.crm"));
    EXPECT_EQ(readFile(dir / "VOR.crm"), "\"\"\r\n\"Kurs\"\r\n0\r\n");
    // The repaired file reads back, its bare course line as text.
    const auto again = tv::LoadVorFile(dir / "VOR.crm");
    ASSERT_TRUE(again);
    EXPECT_EQ(again->vorName, "");
    EXPECT_EQ(again->mode, "Kurs");
    EXPECT_EQ(again->course, "0");
}

TEST(InstrumentFile, VorNameModeAndCourseRoundTrip)
{
    TempDir dir;
    ASSERT_TRUE(tv::SaveVorFile(dir / "VOR.crm", {"Stuttgart VOR", "HSI", "090"}));
    EXPECT_EQ(readFile(dir / "VOR.crm"), "\"Stuttgart VOR\"\r\n\"HSI\"\r\n\"090\"\r\n");
    const auto read = tv::LoadVorFile(dir / "VOR.crm");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->vorName, "Stuttgart VOR");
    EXPECT_EQ(read->mode, "HSI");
    EXPECT_EQ(read->course, "090");
}

TEST(InstrumentFile, UnknownModeShowsTheCompass)
{
    TempDir dir;
    tvtest::writeFile(dir / "VOR.crm", "\"EDDS\"\r\n\"ILS\"\r\n\"45\"\r\n");
    const auto read = tv::LoadVorFile(dir / "VOR.crm");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->mode, "Kurs");
    EXPECT_EQ(read->vorName, "EDDS");
}

TEST(ChartViewMemory, StoredViewComesBackForItsChartOnly)
{
    TempDir dir;
    auto memory = tv::newViewMemory();
    ASSERT_TRUE(
        tv::storeView(*memory, "alpha.png", {10, 20, 300, 200, -40, true}, dir / "position.crm"));
    ASSERT_TRUE(tv::storeView(*memory, "beta.png", {1, 2, 3, 4, 50, false}, dir / "position.crm"));
    const auto alpha = tv::findView(*memory, "ALPHA.png");
    ASSERT_TRUE(alpha);
    EXPECT_EQ(alpha->sx, 10);
    EXPECT_EQ(alpha->sw, 300);
    EXPECT_EQ(alpha->slider, -40);
    EXPECT_TRUE(alpha->centerMap);
    EXPECT_FALSE(tv::findView(*memory, "gamma.png"));

    // Reloaded from the file: one row per chart, the second save of a chart replaced its row.
    ASSERT_TRUE(
        tv::storeView(*memory, "alpha.png", {11, 21, 301, 201, 0, false}, dir / "position.crm"));
    auto reloaded = tv::loadViewMemory(dir / "position.crm");
    EXPECT_EQ(reloaded->RecordCount(), 2);
    const auto again = tv::findView(*reloaded, "alpha.png");
    ASSERT_TRUE(again);
    EXPECT_EQ(again->sx, 11);
    EXPECT_FALSE(again->centerMap);
}

TEST(ChartViewMemory, LongChartNamesAndApostrophesAreKept)
{
    TempDir dir;
    const std::string longName = "ICAO Karte Deutschland Blatt Stuttgart 2024 O'Neill.png";
    ASSERT_GT(longName.size(), 30u);
    auto memory = tv::newViewMemory();
    ASSERT_TRUE(tv::storeView(*memory, longName, {5, 6, 7, 8, 9, true}, dir / "position.crm"));
    auto reloaded = tv::loadViewMemory(dir / "position.crm");
    const auto view = tv::findView(*reloaded, longName);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->sh, 8);
}

TEST(ChartViewMemory, FileOfEarlierVersionWithPaddedNamesLoadsAndTakesLongNames)
{
    TempDir dir;
    {
        // The old layout: the name as fixed text of 30 characters.
        tv::Recordset old;
        old.AppendField("Karte", tv::FieldType::Char, 30, true);
        for (const char* name : {"SX", "SY", "SW", "SH", "SlideMap"})
            old.AppendField(name, tv::FieldType::Double, 0, true);
        old.AppendField("CenterMap", tv::FieldType::Boolean, 0, true);
        old.Open();
        old.AddNew();
        old.SetField("Karte", std::string("demo.bmp"));
        old.SetField("SX", 12.0);
        old.SetField("SY", 13.0);
        old.SetField("SW", 140.0);
        old.SetField("SH", 150.0);
        old.SetField("SlideMap", 20.0);
        old.SetField("CenterMap", 0);
        old.Update();
        old.Save(dir / "position.crm");
    }
    auto memory = tv::loadViewMemory(dir / "position.crm");
    const auto demo = tv::findView(*memory, "demo.bmp");
    ASSERT_TRUE(demo);
    EXPECT_EQ(demo->sw, 140);
    EXPECT_EQ(demo->slider, 20);
    const std::string longName(45, 'k');
    EXPECT_TRUE(tv::storeView(*memory, longName, {1, 1, 1, 1, 0, false}, dir / "position.crm"));
    EXPECT_TRUE(tv::findView(*tv::loadViewMemory(dir / "position.crm"), longName));
}

TEST(ChartViewMemory, UnreadableFileGivesAnEmptyMemory)
{
    TempDir dir;
    tvtest::writeFile(dir / "position.crm", "<xml>not a rowset");
    auto memory = tv::loadViewMemory(dir / "position.crm");
    EXPECT_EQ(memory->State(), tv::Recordset::kStateOpen);
    EXPECT_EQ(memory->RecordCount(), 0);
    EXPECT_TRUE(tv::storeView(*memory, "a.png", {1, 2, 3, 4, 5, true}, dir / "position.crm"));
}

} // namespace
