#include "core/CoreSettings.h"

#include "core/SettingsFile.h"
#include "core/Variablen.h"
#include "core/Version.h"
#include "platform/ProgramFolder.h"

#include "Unprivileged.h"
#include "support/Dates.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tv;
using tvtest::day;
using tvtest::readFile;
using tvtest::TempDir;
using tvtest::writeFile;

namespace {

// A fresh program folder with no settings files and every global at its start value.
class CoreSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        resetGlobalsForTesting();
        setProgramFolderForTesting(dir_.path());
    }
    void TearDown() override
    {
        setProgramFolderForTesting({});
        resetGlobalsForTesting();
    }
    std::string file(const std::string& name) const { return readFile(dir_ / name); }
    void put(const std::string& name, const std::string& content) const
    {
        writeFile(dir_ / name, content);
    }
    bool exists(const std::string& name) const { return std::filesystem::exists(dir_ / name); }

    TempDir dir_;
    const Date today_ = day(2024, 3, 7);
};

using FirstStart = CoreSettingsTest;
using TrackSettingsFile = CoreSettingsTest;
using SettingsFileRepair = CoreSettingsTest;
using QnhFile = CoreSettingsTest;
using ComSettingsFile = CoreSettingsTest;
using SettingsFileWriters = CoreSettingsTest;

} // namespace

TEST_F(FirstStart, MissingFilesAreCreatedWithTheirDefaults)
{
    Language = 5;
    PlaneSymbol = 2;
    TrackLoggerOn = true;
    TrackInterval = 7000;
    QNH = 990;

    EXPECT_FALSE(LoadLanguage());
    EXPECT_FALSE(LoadSymbol());
    EXPECT_FALSE(LoadTrackSettings());
    EXPECT_FALSE(LoadQnh(today_));

    EXPECT_EQ(Language, 0);
    EXPECT_EQ(PlaneSymbol, 1);
    EXPECT_FALSE(TrackLoggerOn);
    EXPECT_EQ(TrackInterval, 0);
    EXPECT_EQ(QNH, 1013);
    EXPECT_EQ(QNHDate, today_);

    EXPECT_EQ(file("lang.crm"), "0\r\n");
    EXPECT_EQ(file("symbol.crm"), "1\r\n");
    EXPECT_EQ(file("track.crm"), "0\r\n0\r\n0\r\n");
    EXPECT_EQ(file("LR.crm"), "1013\r\n#2024-03-07#\r\n");
    EXPECT_FALSE(exists("data.crm"));
}

TEST_F(FirstStart, FlightWindowCreatesDataCrmWhenItFirstReadsIt)
{
    EXPECT_EQ(LoadSavedCom(), std::nullopt);
    EXPECT_EQ(file("data.crm"), "\"1\"\r\n\"4800\"\r\n");
    const auto com = LoadSavedCom();
    ASSERT_TRUE(com.has_value());
    EXPECT_EQ(com->port, 1);
    EXPECT_EQ(com->settings, "4800,n,8,1");
}

TEST_F(FirstStart, FilesWrittenAtRepairReadBackNextStart)
{
    LoadLanguage();
    LoadSymbol();
    LoadTrackSettings();
    LoadQnh(today_);
    EXPECT_TRUE(LoadLanguage());
    EXPECT_TRUE(LoadSymbol());
    EXPECT_TRUE(LoadTrackSettings());
    EXPECT_TRUE(LoadQnh(day(2025, 1, 1)));
    EXPECT_EQ(QNHDate, today_);
}

TEST_F(TrackSettingsFile, QuotedIntervalFromTheSettingsWindow)
{
    put("track.crm", "1\r\n\"10\"\r\n1\r\n");
    EXPECT_TRUE(LoadTrackSettings());
    EXPECT_TRUE(TrackLoggerOn);
    EXPECT_EQ(TrackInterval, 10000);
    EXPECT_TRUE(TrackAutoOn);
}

TEST_F(TrackSettingsFile, BareIntervalFromTheRecordSwitches)
{
    put("track.crm", "1\r\n5\r\n0\r\n");
    EXPECT_TRUE(LoadTrackSettings());
    EXPECT_TRUE(TrackLoggerOn);
    EXPECT_EQ(TrackInterval, 5000);
    EXPECT_FALSE(TrackAutoOn);
}

TEST_F(TrackSettingsFile, OnlyExactlyOneSwitchesOn)
{
    put("track.crm", "2\r\n\"2.5\"\r\n2\r\n");
    EXPECT_TRUE(LoadTrackSettings());
    EXPECT_FALSE(TrackLoggerOn);
    EXPECT_EQ(TrackInterval, 2500);
    EXPECT_FALSE(TrackAutoOn);
    EXPECT_EQ(file("track.crm"), "2\r\n\"2.5\"\r\n2\r\n");
}

TEST_F(TrackSettingsFile, TwoLineFileIsRepairedAndTheLoggerIsOff)
{
    TrackAutoOn = true; // not touched by the repair
    put("track.crm", "1\r\n\"10\"\r\n");
    EXPECT_FALSE(LoadTrackSettings());
    EXPECT_FALSE(TrackLoggerOn);
    EXPECT_EQ(TrackInterval, 0);
    EXPECT_TRUE(TrackAutoOn);
    EXPECT_EQ(file("track.crm"), "0\r\n0\r\n0\r\n");
}

TEST_F(TrackSettingsFile, IntervalThatIsNoNumberIsRepaired)
{
    put("track.crm", "1\r\n\"abc\"\r\n1\r\n");
    EXPECT_FALSE(LoadTrackSettings());
    EXPECT_FALSE(TrackLoggerOn);
    EXPECT_EQ(TrackInterval, 0);
    EXPECT_EQ(file("track.crm"), "0\r\n0\r\n0\r\n");
}

TEST_F(TrackSettingsFile, TheIntervalLineIsReadAsTheSettingsBoxReadsIt)
{
    const struct
    {
        const char* line;
        int32_t intervalMs;
    } cases[] = {
        {"\"12x\"", 12000},   // an old file: the leading number, logger and automatic stay on
        {"\" 2.5 s\"", 2500}, // blanks skipped, the unit ignored
        {"3000000", 60000},   // longer than a minute counts as a minute, as in the box
        {"\"-5\"", 0},        // no interval, but the switches are read as stored
    };
    for (const auto& c : cases) {
        const std::string content = std::string("1\r\n") + c.line + "\r\n1\r\n";
        put("track.crm", content);
        EXPECT_TRUE(LoadTrackSettings()) << c.line;
        EXPECT_TRUE(TrackLoggerOn) << c.line;
        EXPECT_EQ(TrackInterval, c.intervalMs) << c.line;
        EXPECT_TRUE(TrackAutoOn) << c.line;
        EXPECT_EQ(file("track.crm"), content) << c.line << ": not written anew";
    }
}

TEST_F(TrackSettingsFile, SettingsWindowShowsTheStoredBoxes)
{
    put("track.crm", "1\r\n\"15\"\r\n0\r\n");
    const auto boxes = ReadTrackFileForSettings();
    ASSERT_TRUE(boxes.has_value());
    EXPECT_EQ(boxes->logger, 1);
    EXPECT_EQ(boxes->intervalText, "15");
    EXPECT_EQ(boxes->automatic, 0);
    // The start-up repair writes a bare interval; the window shows it as text all the same.
    put("track.crm", "0\r\n0\r\n0\r\n");
    EXPECT_EQ(ReadTrackFileForSettings()->intervalText, "0");
}

TEST_F(TrackSettingsFile, SettingsWindowRepairsWithTenSeconds)
{
    EXPECT_EQ(ReadTrackFileForSettings(), std::nullopt);
    EXPECT_EQ(file("track.crm"), "0\r\n10\r\n0\r\n");
    put("track.crm", "5\r\n\"10\"\r\n0\r\n");
    EXPECT_EQ(ReadTrackFileForSettings(), std::nullopt);
    EXPECT_EQ(file("track.crm"), "0\r\n10\r\n0\r\n");
}

TEST_F(TrackSettingsFile, SettingsWindowWritesTheBoxesAsTheyStand)
{
    ASSERT_TRUE(WriteTrackSettings(true, "15", true));
    EXPECT_EQ(file("track.crm"), "1\r\n\"15\"\r\n1\r\n");
    ASSERT_TRUE(WriteTrackSettings(false, "15", true));
    EXPECT_EQ(file("track.crm"), "0\r\n\"15\"\r\n0\r\n");
    ASSERT_TRUE(WriteTrackSettings(true, "abc", false));
    EXPECT_EQ(file("track.crm"), "1\r\n\"abc\"\r\n0\r\n");
}

TEST_F(TrackSettingsFile, RecordSwitchWritesWholeSecondsAndAutomaticOff)
{
    ASSERT_TRUE(WriteTrackRecordSwitch(10000));
    EXPECT_EQ(file("track.crm"), "1\r\n10\r\n0\r\n");
    ASSERT_TRUE(WriteTrackRecordSwitch(2500));
    EXPECT_EQ(file("track.crm"), "1\r\n2\r\n0\r\n");
    ASSERT_TRUE(WriteTrackRecordSwitch(3500));
    EXPECT_EQ(file("track.crm"), "1\r\n4\r\n0\r\n");
    EXPECT_TRUE(LoadTrackSettings());
    EXPECT_TRUE(TrackLoggerOn);
    EXPECT_EQ(TrackInterval, 4000);
    EXPECT_FALSE(TrackAutoOn);
}

TEST_F(SettingsFileRepair, LanguageTwoMeansEnglish)
{
    put("lang.crm", "2\r\n");
    EXPECT_TRUE(LoadLanguage());
    EXPECT_EQ(Language, 2);
    EXPECT_EQ(file("lang.crm"), "2\r\n");
}

TEST_F(SettingsFileRepair, LanguageOutOfRangeIsRepairedToGerman)
{
    Language = 1;
    put("lang.crm", "70000\r\n");
    EXPECT_FALSE(LoadLanguage());
    EXPECT_EQ(Language, 0);
    EXPECT_EQ(file("lang.crm"), "0\r\n");
}

TEST_F(SettingsFileRepair, SymbolThatIsNoNumberBecomesSymbolOne)
{
    put("symbol.crm", "\"Cessna\"\r\n");
    EXPECT_FALSE(LoadSymbol());
    EXPECT_EQ(PlaneSymbol, 1);
    EXPECT_EQ(file("symbol.crm"), "1\r\n");
}

TEST_F(QnhFile, StoredQnhAndDateAreTaken)
{
    put("LR.crm", "1020\r\n#2024-03-01#\r\n");
    EXPECT_TRUE(LoadQnh(today_));
    EXPECT_EQ(QNH, 1020);
    EXPECT_EQ(QNHDate, day(2024, 3, 1));
    EXPECT_EQ(file("LR.crm"), "1020\r\n#2024-03-01#\r\n");
}

TEST_F(QnhFile, BadDateDiscardsAValidQnhToo)
{
    QNH = 1000;
    put("LR.crm", "1020\r\nyesterday\r\n");
    EXPECT_FALSE(LoadQnh(today_));
    EXPECT_EQ(QNH, 1013);
    EXPECT_EQ(QNHDate, today_);
    EXPECT_EQ(file("LR.crm"), "1013\r\n#2024-03-07#\r\n");
}

TEST_F(QnhFile, SaveWritesTodayNotTheQnhDate)
{
    QNH = 998;
    QNHDate = day(2020, 1, 1);
    ASSERT_TRUE(SaveQnh(today_));
    EXPECT_EQ(file("LR.crm"), "998\r\n#2024-03-07#\r\n");
    EXPECT_EQ(QNHDate, day(2020, 1, 1));
}

TEST_F(QnhFile, ClockOverloadsWriteTheComputersDate)
{
    QNH = 1001;
    ASSERT_TRUE(SaveQnh());
    EXPECT_TRUE(LoadQnh());
    EXPECT_EQ(QNH, 1001);
    EXPECT_EQ(QNHDate, tv::today());
}

TEST_F(ComSettingsFile, PortAndBaudBecomeTheSerialSettings)
{
    put("data.crm", "\"3\"\r\n\"9600\"\r\n");
    const auto com = LoadSavedCom();
    ASSERT_TRUE(com.has_value());
    EXPECT_EQ(com->port, 3);
    EXPECT_EQ(com->settings, "9600,n,8,1");
}

TEST_F(ComSettingsFile, UnreadablePortIsRepairedWithPortOne)
{
    put("data.crm", "\"COM3\"\r\n\"9600\"\r\n");
    EXPECT_EQ(LoadSavedCom(), std::nullopt);
    EXPECT_EQ(file("data.crm"), "\"1\"\r\n\"4800\"\r\n");
}

TEST_F(ComSettingsFile, MissingBaudLineIsRepaired)
{
    put("data.crm", "\"3\"\n");
    EXPECT_EQ(LoadSavedCom(), std::nullopt);
    EXPECT_EQ(file("data.crm"), "\"1\"\r\n\"4800\"\r\n");
}

TEST_F(ComSettingsFile, SettingsWindowReadsTextsAndNeverCreatesTheFile)
{
    EXPECT_EQ(ReadSavedComTexts(), std::nullopt);
    EXPECT_FALSE(exists("data.crm"));
    put("data.crm", "\"3\"\n");
    EXPECT_EQ(ReadSavedComTexts(), std::nullopt);
    EXPECT_EQ(file("data.crm"), "\"3\"\n");

    ASSERT_TRUE(SaveComSettings("4", "38400"));
    EXPECT_EQ(file("data.crm"), "\"4\"\r\n\"38400\"\r\n");
    const auto texts = ReadSavedComTexts();
    ASSERT_TRUE(texts.has_value());
    EXPECT_EQ(texts->port, "4");
    EXPECT_EQ(texts->baud, "38400");
}

TEST_F(SettingsFileWriters, LanguageAndSymbolAreWrittenBare)
{
    Language = 1;
    PlaneSymbol = 2;
    ASSERT_TRUE(SaveLanguage());
    ASSERT_TRUE(SaveSymbol());
    EXPECT_EQ(file("lang.crm"), "1\r\n");
    EXPECT_EQ(file("symbol.crm"), "2\r\n");
}

TEST_F(SettingsFileWriters, VersionFileHoldsTheQuotedVersion)
{
    ASSERT_TRUE(WriteVersionFile());
    EXPECT_EQ(file("version.crm"), "\"" + std::string(kVersionText) + "\"\r\n");
}

TEST_F(SettingsFileWriters, WriteProtectedFolderKeepsTheOldFileAndReportsFailure)
{
    put("lang.crm", "1\r\n");
    Language = 0;
    const auto outcome =
        coretest::runWithReadOnlyFolder(dir_.path(), [] { return SaveLanguage(); });
    if (outcome == coretest::Outcome::CannotTest)
        GTEST_SKIP() << "cannot take write permission away here";
    EXPECT_EQ(outcome, coretest::Outcome::Failed);
    EXPECT_EQ(file("lang.crm"), "1\r\n");
}

TEST_F(SettingsFileWriters, RepairInAWriteProtectedFolderStillSetsTheDefaults)
{
    put("symbol.crm", "x\r\n");
    const auto outcome = coretest::runWithReadOnlyFolder(
        dir_.path(), [] { return !LoadSymbol() && PlaneSymbol == 1; });
    if (outcome == coretest::Outcome::CannotTest)
        GTEST_SKIP() << "cannot take write permission away here";
    EXPECT_EQ(outcome, coretest::Outcome::Succeeded);
    EXPECT_EQ(file("symbol.crm"), "x\r\n");
}

// A file that starts like a good one but goes on for 100 MB (sparse, so it costs no disk).
void padTo100MB(const std::filesystem::path& file)
{
    std::filesystem::resize_file(file, 100u * 1024u * 1024u);
}

TEST_F(SettingsFileRepair, HugeFilesCountAsUnreadableAndAreRepaired)
{
    put("lang.crm", "1\r\n");
    padTo100MB(dir_ / "lang.crm");
    put("track.crm", "1\r\n\"15\"\r\n1\r\n");
    padTo100MB(dir_ / "track.crm");
    EXPECT_FALSE(LoadLanguage());
    EXPECT_EQ(Language, 0);
    EXPECT_EQ(file("lang.crm"), "0\r\n");
    EXPECT_FALSE(LoadTrackSettings());
    EXPECT_FALSE(TrackLoggerOn);
    EXPECT_EQ(file("track.crm"), "0\r\n0\r\n0\r\n");
}

TEST_F(SettingsFileRepair, AFileJustUnderTheLimitIsStillRead)
{
    std::string content = "1\r\n";
    content.resize(kMaxSettingsFileBytes, ' ');
    put("symbol.crm", content);
    EXPECT_TRUE(LoadSymbol());
    EXPECT_EQ(PlaneSymbol, 1);
}

TEST(ReleaseDateMarkers, MarkersAreDistinctAndNoRealDate)
{
    EXPECT_NE(kAirspaceNotOpened, kAirspaceNoDate);
    EXPECT_TRUE(isReleaseDateMarker(kAirspaceNotOpened));
    EXPECT_TRUE(isReleaseDateMarker(kAirspaceNoDate));
    EXPECT_FALSE(isReleaseDateMarker(day(2024, 1, 1)));
    EXPECT_FALSE(isReleaseDateMarker(Date{}));
    EXPECT_EQ(formatIsoDate(kAirspaceNotOpened), "");
}
