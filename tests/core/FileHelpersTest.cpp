#include "core/FileHelpers.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tv;
using tvtest::TempDir;
using tvtest::writeFile;

TEST(FileExists, OrdinaryFileIsFound)
{
    TempDir dir;
    writeFile(dir / "position.crm", "<xml/>");
    EXPECT_TRUE(FileExists((dir / "position.crm").string()));
}

TEST(FileExists, FoldersHiddenFilesAndMissingFilesAreNotFound)
{
    TempDir dir;
    std::filesystem::create_directory(dir / "Karten");
    writeFile(dir / ".position.crm", "x");
    EXPECT_FALSE(FileExists((dir / "Karten").string()));
    EXPECT_FALSE(FileExists((dir / ".position.crm").string()));
    EXPECT_FALSE(FileExists((dir / "missing.crm").string()));
    EXPECT_FALSE(FileExists(""));
}

TEST(FileExists, MalformedPathsAnswerFalseInsteadOfFailing)
{
    TempDir dir;
    writeFile(dir / "data.tvd", "x");
    // A file used as if it were a folder.
    EXPECT_FALSE(FileExists((dir / "data.tvd" / "sub.crm").string()));
    EXPECT_FALSE(FileExists((dir / "data.tvd").string() + "/"));
    EXPECT_FALSE(FileExists(std::string(5000, 'a')));
}

TEST(FileExists, LinkToAFileCountsAsTheFile)
{
    TempDir dir;
    writeFile(dir / "real.bmp", "BM");
    std::filesystem::create_symlink(dir / "real.bmp", dir / "demo.bmp");
    std::filesystem::create_symlink(dir / "gone.bmp", dir / "dangling.bmp");
    EXPECT_TRUE(FileExists((dir / "demo.bmp").string()));
    EXPECT_FALSE(FileExists((dir / "dangling.bmp").string()));
}

TEST(DirExists, ExistingMissingAndFileLikePaths)
{
    TempDir dir;
    std::filesystem::create_directory(dir / "Flugplan");
    std::filesystem::create_directory(dir / ".hidden");
    writeFile(dir / "Route", "not a folder");
    EXPECT_TRUE(DirExists((dir / "Flugplan").string()));
    EXPECT_TRUE(DirExists((dir / ".hidden").string()));
    EXPECT_FALSE(DirExists((dir / "Missing").string()));
    EXPECT_FALSE(DirExists((dir / "Route").string()));
    EXPECT_FALSE(DirExists("/no-such-drive/Flugplan"));
    EXPECT_FALSE(DirExists(""));
}

TEST(SearchList, ExactSearchIgnoresLetterCaseIncludingUmlauts)
{
    const std::vector<std::string> charts = {"alpen.jpg", "DEMO.BMP", "München.bmp", "demo.bmp"};
    EXPECT_EQ(SearchList(charts, "demo.bmp", true), 1);
    EXPECT_EQ(SearchList(charts, "MÜNCHEN.BMP", true), 2);
    EXPECT_EQ(SearchList(charts, "Alpen.JPG", true), 0);
}

TEST(SearchList, ExactSearchDoesNotTakeTheBeginningOfAnEntry)
{
    const std::vector<std::string> charts = {"demo.bmp", "demo2.bmp"};
    EXPECT_EQ(SearchList(charts, "demo", true), -1);
    EXPECT_EQ(SearchList(charts, "demo.bmp ", true), -1);
}

TEST(SearchList, PrefixSearchGivesTheFirstEntryThatBeginsWithTheText)
{
    const std::vector<std::string> names = {"Augsburg", "Öhringen", "oberpfaffenhofen", "Obing"};
    EXPECT_EQ(SearchList(names, "OB", false), 2);
    EXPECT_EQ(SearchList(names, "öh", false), 1);
    EXPECT_EQ(SearchList(names, "Zell", false), -1);
    EXPECT_EQ(SearchList(names, "Augsburger", false), -1);
}

TEST(SearchList, EmptyListFindsNothing)
{
    EXPECT_EQ(SearchList({}, "demo.bmp", true), -1);
    EXPECT_EQ(SearchList({}, "", false), -1);
}
