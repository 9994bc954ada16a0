// Making data files and program folders: new files only, never overwriting what a pilot has.
#include "schema/Layout.h"
#include "TestDb.h"
#include "schema/Schema.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using tv::schema::AirspaceFile;
using tv::schema::DataFile;
using tv::schema::LayoutOptions;

namespace {

std::string failureOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "";
}

bool hasNoFiles(const fs::path& folder)
{
    return fs::is_empty(folder);
}

// "yyyy-mm-dd"
bool isIsoDate(const std::string& s)
{
    if (s.size() != 10 || s[4] != '-' || s[7] != '-')
        return false;
    for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (s[i] < '0' || s[i] > '9')
            return false;
    return true;
}

} // namespace

TEST(CreatingADataFile, GivesAFileTheProgramOpensWithoutCreatingIt)
{
    tvtest::TempDir dir;
    tv::schema::createDataFile(dir / "data.tvd", DataFile::Main);
    tvtest::TestDb db(dir / "data.tvd");
    EXPECT_EQ(db.column("SELECT count(*) FROM Waypoints"), std::vector<std::string>{"0"});
}

TEST(CreatingADataFile, RefusesAnExistingFileAndLeavesItAsItWas)
{
    tvtest::TempDir dir;
    tvtest::writeFile(dir / "data.tvd", "the pilot's waypoints");
    const std::string message =
        failureOf([&] { tv::schema::createDataFile(dir / "data.tvd", DataFile::Main); });
    EXPECT_NE(message.find("data.tvd"), std::string::npos) << message;
    EXPECT_NE(message.find("already exists"), std::string::npos) << message;
    EXPECT_EQ(tvtest::readFile(dir / "data.tvd"), "the pilot's waypoints");
}

TEST(CreatingADataFile, RefusesEvenAnEmptyExistingFile)
{
    tvtest::TempDir dir;
    tvtest::writeFile(dir / "track.tvd", "");
    EXPECT_THROW(tv::schema::createDataFile(dir / "track.tvd", DataFile::Track),
                 std::runtime_error);
    EXPECT_EQ(fs::file_size(dir / "track.tvd"), 0u);
}

TEST(CreatingADataFile, RefusesASymbolicLinkWithoutFollowingIt)
{
    tvtest::TempDir dir;
    fs::create_symlink(dir / "elsewhere.tvd", dir / "data.tvd");
    EXPECT_THROW(tv::schema::createDataFile(dir / "data.tvd", DataFile::Main), std::runtime_error);
    EXPECT_FALSE(fs::exists(dir / "elsewhere.tvd"));
}

TEST(CreatingADataFile, InAMissingFolderFailsWithTheFileNamed)
{
    tvtest::TempDir dir;
    const std::string message = failureOf(
        [&] { tv::schema::createDataFile(dir / "missing" / "data.tvd", DataFile::Main); });
    EXPECT_NE(message.find("missing/data.tvd"), std::string::npos) << message;
    EXPECT_TRUE(hasNoFiles(dir.path()));
}

// ----------------------------------------------------------------------------------------------

TEST(ProgramFolderLayout, NewFolderGetsItsSubfoldersAndTheTwoRequiredFiles)
{
    tvtest::TempDir dir;
    const fs::path folder = dir / "deep" / "program";
    tv::schema::layoutProgramFolder(folder);

    for (const char* sub : {"Karten", "Route", "Flugplan"})
        EXPECT_TRUE(fs::is_directory(folder / sub)) << sub;
    tvtest::TestDb data(folder / "data.tvd");
    EXPECT_EQ(data.column("SELECT count(*) FROM Maps"), std::vector<std::string>{"0"});
    tvtest::TestDb track(folder / "track.tvd");
    EXPECT_EQ(track.column("SELECT count(*) FROM List"), std::vector<std::string>{"0"});
    // The optional files stay missing, so the program's "file missing" paths run.
    EXPECT_FALSE(fs::exists(folder / "Luftraum.tvd"));
    EXPECT_FALSE(fs::exists(folder / "tvdata.tvd"));
}

TEST(ProgramFolderLayout, AgainOverAUsedFolderKeepsEveryFileAsItWas)
{
    tvtest::TempDir dir;
    LayoutOptions all;
    all.airspace = AirspaceFile::WithRelease;
    all.airspaceRelease = "2023-01-01";
    all.airports = true;
    tv::schema::layoutProgramFolder(dir.path(), all);
    {
        tvtest::TestDb db(dir / "data.tvd");
        db.exec("INSERT INTO Waypoints (Name, Lat, Long, Kategorie) VALUES "
                "('EDMA', 48.2533, 10.5353, '')");
        tvtest::TestDb track(dir / "track.tvd");
        track.exec("INSERT INTO List (Name) VALUES ('21Mar24 - 10:15')");
    }
    tvtest::writeFile(dir / "Karten" / "demo.crm", "47.4\r\n");

    all.airspaceRelease = "2024-06-30";
    tv::schema::layoutProgramFolder(dir.path(), all);

    tvtest::TestDb db(dir / "data.tvd");
    EXPECT_EQ(db.column("SELECT Name FROM Waypoints"), std::vector<std::string>{"EDMA"});
    tvtest::TestDb track(dir / "track.tvd");
    EXPECT_EQ(track.column("SELECT Name FROM List"), std::vector<std::string>{"21Mar24 - 10:15"});
    tvtest::TestDb airspace(dir / "Luftraum.tvd");
    EXPECT_EQ(airspace.column("SELECT Datum FROM RELEASE"), std::vector<std::string>{"2023-01-01"});
    EXPECT_EQ(tvtest::readFile(dir / "Karten" / "demo.crm"), "47.4\r\n");
}

TEST(ProgramFolderLayout, KeepsADataFileThatIsNoDatabase)
{
    tvtest::TempDir dir;
    tvtest::writeFile(dir / "data.tvd", "not a database");
    tv::schema::layoutProgramFolder(dir.path());
    EXPECT_EQ(tvtest::readFile(dir / "data.tvd"), "not a database");
    EXPECT_TRUE(fs::exists(dir / "track.tvd")); // what was missing is still made
}

TEST(ProgramFolderLayout, AirspaceFileCarriesTheGivenReleaseDate)
{
    tvtest::TempDir dir;
    LayoutOptions options;
    options.airspace = AirspaceFile::WithRelease;
    options.airspaceRelease = "2024-03-21";
    tv::schema::layoutProgramFolder(dir.path(), options);

    tvtest::TestDb db(dir / "Luftraum.tvd");
    EXPECT_EQ(db.column("SELECT * FROM RELEASE"), std::vector<std::string>{"2024-03-21"});
    EXPECT_EQ(db.column("SELECT count(*) FROM Luftraum"), std::vector<std::string>{"0"});
    EXPECT_FALSE(fs::exists(dir / "tvdata.tvd"));
}

TEST(ProgramFolderLayout, AirspaceReleaseDefaultsToToday)
{
    tvtest::TempDir dir;
    LayoutOptions options;
    options.airspace = AirspaceFile::WithRelease;
    tv::schema::layoutProgramFolder(dir.path(), options);
    tvtest::TestDb db(dir / "Luftraum.tvd");
    const auto dates = db.column("SELECT Datum FROM RELEASE");
    ASSERT_EQ(dates.size(), 1u);
    EXPECT_TRUE(isIsoDate(dates[0])) << dates[0];
    EXPECT_EQ(db.column("SELECT Datum = date('now', 'localtime') FROM RELEASE"),
              std::vector<std::string>{"1"});
}

TEST(ProgramFolderLayout, AirspaceFileWithoutReleaseRowHasAnEmptyReleaseTable)
{
    tvtest::TempDir dir;
    LayoutOptions options;
    options.airspace = AirspaceFile::WithoutRelease;
    tv::schema::layoutProgramFolder(dir.path(), options);
    tvtest::TestDb db(dir / "Luftraum.tvd");
    EXPECT_EQ(db.column("SELECT count(*) FROM RELEASE"), std::vector<std::string>{"0"});
}

TEST(ProgramFolderLayout, MalformedReleaseDateIsRefusedBeforeAnythingIsMade)
{
    for (const char* bad : {"21.03.2024", "2024-3-21", "2024-13-01", "2024-03-21 12:00:00",
                            "2024-03-21T24:00:00", "'); DROP TABLE RELEASE; --"}) {
        SCOPED_TRACE(bad);
        tvtest::TempDir dir;
        LayoutOptions options;
        options.airspace = AirspaceFile::WithRelease;
        options.airspaceRelease = bad;
        const std::string message =
            failureOf([&] { tv::schema::layoutProgramFolder(dir / "program", options); });
        EXPECT_NE(message.find(bad), std::string::npos) << message;
        EXPECT_FALSE(fs::exists(dir / "program"));
    }
}

TEST(ProgramFolderLayout, AirportFileOnlyWhenAsked)
{
    tvtest::TempDir dir;
    LayoutOptions options;
    options.airports = true;
    tv::schema::layoutProgramFolder(dir.path(), options);
    tvtest::TestDb db(dir / "tvdata.tvd");
    EXPECT_EQ(db.column("SELECT count(*) FROM ARPT"), std::vector<std::string>{"0"});
    EXPECT_FALSE(fs::exists(dir / "Luftraum.tvd"));
}

TEST(ProgramFolderLayout, FolderPathTakenByAFileIsReported)
{
    tvtest::TempDir dir;
    tvtest::writeFile(dir / "program", "a file");
    const std::string message =
        failureOf([&] { tv::schema::layoutProgramFolder(dir / "program"); });
    EXPECT_NE(message.find("not a folder"), std::string::npos) << message;
    EXPECT_EQ(tvtest::readFile(dir / "program"), "a file");
}

TEST(ProgramFolderLayout, SubfolderNameTakenByAFileIsReported)
{
    tvtest::TempDir dir;
    tvtest::writeFile(dir / "Route", "a file");
    const std::string message = failureOf([&] { tv::schema::layoutProgramFolder(dir.path()); });
    EXPECT_NE(message.find("Route"), std::string::npos) << message;
    EXPECT_EQ(tvtest::readFile(dir / "Route"), "a file");
}

TEST(ProgramFolderLayout, DataFileNameTakenByAFolderIsReported)
{
    tvtest::TempDir dir;
    fs::create_directory(dir / "data.tvd");
    const std::string message = failureOf([&] { tv::schema::layoutProgramFolder(dir.path()); });
    EXPECT_NE(message.find("data.tvd"), std::string::npos) << message;
    EXPECT_NE(message.find("not a file"), std::string::npos) << message;
    EXPECT_TRUE(fs::is_directory(dir / "data.tvd"));
}

TEST(ProgramFolderLayout, EmptyFolderNameIsRefused)
{
    EXPECT_THROW(tv::schema::layoutProgramFolder(""), std::runtime_error);
}
