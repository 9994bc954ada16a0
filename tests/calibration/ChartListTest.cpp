#include "calibration/ChartList.h"

#include "ChartFixture.h"

#include <filesystem>

namespace fs = std::filesystem;

using ChartListRefill = caltest::ChartFolder;

TEST_F(ChartListRefill, ListsBitmapsFirstThenJpegsEachByNameIgnoringCase)
{
    for (const char* name : {"b.bmp", "a.jpg", "DEMO.BMP", "alpen.bmp", "Z.JPG", "c.Jpg",
                             "notes.txt", "demo.crm", "LatData.crm", ".hidden.bmp", "a.jpeg"})
        image(name);
    fs::create_directory(karten() / "folder.bmp");

    const auto list = tv::listChartImages(karten());
    ASSERT_TRUE(list);
    EXPECT_EQ(*list, (std::vector<std::string>{"alpen.bmp", "b.bmp", "DEMO.BMP", "a.jpg", "c.Jpg",
                                               "Z.JPG"}));
}

TEST_F(ChartListRefill, DeletesOnlyTheRowsWhoseImageHasGone)
{
    image("demo.bmp");
    image("a.jpg");
    mapsRow("DEMO.BMP", 47.4, 48.1, 8.5, 9.3, 1200, 900, true);
    mapsRow("old.bmp", 47, 48, 8, 9, 100, 100, true);
    mapsRow("a.jpg", 47, 48, 8, 9, 100, 100, false);

    const tv::ChartListRefill r = tv::refillChartList(connection, karten());

    EXPECT_TRUE(r.listed);
    EXPECT_EQ(r.names, (std::vector<std::string>{"demo.bmp", "a.jpg"}));
    EXPECT_EQ(r.active, (std::vector<bool>{true, false})) << "DEMO.BMP's row ticks demo.bmp";
    EXPECT_EQ(r.deleted, (std::vector<std::string>{"old.bmp"}));
    EXPECT_EQ(names(), (std::vector<std::string>{"a.jpg", "DEMO.BMP"}));
}

TEST_F(ChartListRefill, AMissingChartFolderDeletesNothing)
{
    mapsRow("demo.bmp", 47.4, 48.1, 8.5, 9.3, 1200, 900, true);
    mapsRow("alpen.jpg", 47, 48, 8, 9, 100, 100, false);
    fs::remove_all(karten());

    const tv::ChartListRefill r = tv::refillChartList(connection, karten());

    EXPECT_FALSE(r.listed);
    EXPECT_TRUE(r.names.empty());
    EXPECT_TRUE(r.deleted.empty());
    EXPECT_EQ(names(), (std::vector<std::string>{"alpen.jpg", "demo.bmp"}));
}

TEST_F(ChartListRefill, AChartFolderThatIsAFileDeletesNothing)
{
    mapsRow("demo.bmp", 47.4, 48.1, 8.5, 9.3, 1200, 900, true);
    fs::remove_all(karten());
    tvtest::writeFile(karten(), "not a folder");

    EXPECT_FALSE(tv::refillChartList(connection, karten()).listed);
    EXPECT_EQ(names(), (std::vector<std::string>{"demo.bmp"}));
}

TEST_F(ChartListRefill, AnEmptyChartFolderDeletesEveryRow)
{
    mapsRow("demo.bmp", 47.4, 48.1, 8.5, 9.3, 1200, 900, true);
    mapsRow("alpen.jpg", 47, 48, 8, 9, 100, 100, true);

    const tv::ChartListRefill r = tv::refillChartList(connection, karten());

    EXPECT_TRUE(r.listed);
    EXPECT_TRUE(r.names.empty());
    EXPECT_TRUE(names().empty());
}

TEST_F(ChartListRefill, ANameWithAnApostropheIsKeptAndTicked)
{
    image("O'Brien.bmp");
    mapsRow("O''Brien.bmp", 47, 48, 8, 9, 100, 100, true);

    const tv::ChartListRefill r = tv::refillChartList(connection, karten());

    EXPECT_EQ(r.active, (std::vector<bool>{true}));
    EXPECT_EQ(names(), (std::vector<std::string>{"O'Brien.bmp"}));
}
