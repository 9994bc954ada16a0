// The chart the flight map shows: the remembered chart and route, loading a chart's image and
// scales, and the view kept for each chart.
#include "flight/ChartChoice.h"
#include "core/Variablen.h"
#include "map/ChartRow.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "schema/Layout.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QImage>

#include <fstream>

namespace {

class Charts : public ::testing::Test
{
protected:
    void SetUp() override
    {
        tv::schema::layoutProgramFolder(dir.path());
        std::filesystem::create_directories(dir / "Karten");
        db.Open((dir / "data.tvd").string());
    }
    void TearDown() override { tv::resetGlobalsForTesting(); }

    // A chart 500 x 400 pixels; edges DD.MM. `image` false: no image file.
    void add(const std::string& name, double unten, double oben, bool image = true)
    {
        if (image) {
            QImage picture(500, 400, QImage::Format_RGB32);
            picture.fill(Qt::white);
            ASSERT_TRUE(
                picture.save(QString::fromStdString((dir / "Karten" / name).string()), "PNG"));
        }
        db.Execute("INSERT INTO Maps (Name, Unten, Oben, Links, Rechts, Breite, \"Höhe\", Active) "
                   "VALUES (?, ?, ?, 9.0, 10.0, 500, 400, 1)",
                   {name, unten, oben});
    }
    void openActiveCharts()
    {
        tv::ActiveMaps = std::make_shared<tv::Recordset>();
        tv::openActiveCharts(*tv::ActiveMaps, db);
    }
    std::string file(const std::string& name)
    {
        std::ifstream in(dir / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void write(const std::string& name, const std::string& text)
    {
        std::ofstream(dir / name, std::ios::binary) << text;
    }

    tvtest::TempDir dir;
    tv::Connection db;
};

TEST_F(Charts, TheLastChartFileNamesTheChartAndTheRoute)
{
    struct Case
    {
        const char* name;
        const char* file; // nullptr: no file
        const char* current;
        std::optional<QString> route;
        const char* afterwards; // the file after reading it
    };
    const Case cases[] = {
        {"both lines", "\"b.png\"\r\n\"Alpha\"\r\n", "b.png", QStringLiteral("Alpha"),
         "\"b.png\"\r\n\"Alpha\"\r\n"},
        {"a chart that is not active: the first one", "\"zz.png\"\r\n\"\"\r\n", "a.png", QString(),
         "\"zz.png\"\r\n\"\"\r\n"},
        {"the chart line only: found, the file written anew", "\"b.png\"\r\n", "b.png",
         std::nullopt, "\"demo.bmp\"\r\n"},
        {"no file: written anew", nullptr, "a.png", std::nullopt, "\"demo.bmp\"\r\n"},
    };
    add("a.png", 48.0, 49.0);
    add("b.png", 48.0, 49.0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        openActiveCharts();
        std::filesystem::remove(dir / "kartendaten.crm");
        if (c.file)
            write("kartendaten.crm", c.file);
        const auto last = tv::ChartChoice::readLastMap(dir / "kartendaten.crm");
        EXPECT_EQ(tv::ChartChoice::currentName(), c.current);
        EXPECT_EQ(last.route, c.route);
        EXPECT_EQ(file("kartendaten.crm"), c.afterwards);
    }
}

TEST_F(Charts, OnlyAChartWithImageAndDistinctEdgesLoads)
{
    tv::ChartChoice choice;
    tv::MapView view;
    view.setViewSize(1000, 700);
    EXPECT_EQ(choice.loadCurrent(view, dir / "Karten"), tv::ChartChoice::Load::NoCharts);
    add("flat.png", 48.0, 48.0);
    add("gone.png", 48.0, 49.0, false);
    add("good.png", 48.0, 49.0);
    openActiveCharts();
    for (const char* name : {"flat.png", "gone.png"}) {
        tv::ChartChoice::seek(name);
        EXPECT_EQ(choice.loadCurrent(view, dir / "Karten"), tv::ChartChoice::Load::Failed) << name;
        EXPECT_FALSE(choice.valid());
    }
    ASSERT_TRUE(tv::ChartChoice::seek("good.png"));
    EXPECT_EQ(choice.loadCurrent(view, dir / "Karten"), tv::ChartChoice::Load::Loaded);
    EXPECT_TRUE(choice.valid());
    EXPECT_EQ(view.imageWidthPx(), 500);
    EXPECT_EQ(tv::ChartChoice::errorMessage("flat.png", false).text,
              "Map error: flat.png - please check coordinates.");
}

TEST_F(Charts, EachChartGetsBackItsOwnView)
{
    add("a.png", 48.0, 49.0);
    add("b.png", 47.0, 48.0);
    openActiveCharts();
    tv::ChartChoice choice;
    choice.openViewMemory(dir / "position.crm");
    tv::MapView view;
    view.setViewSize(1000, 700);
    ASSERT_EQ(choice.loadCurrent(view, dir / "Karten"), tv::ChartChoice::Load::Loaded);
    EXPECT_FALSE(choice.restoreView(view)) << "never shown before";
    ASSERT_TRUE(view.restoreView(40, 30, 200, 140, -20));
    view.setCentredOnAircraft(false);
    choice.saveView(view, dir / "position.crm");

    tv::ChartChoice::seek("b.png");
    EXPECT_FALSE(choice.restoreView(view)) << "the view of a.png never goes with b.png's image";
    ASSERT_EQ(choice.loadCurrent(view, dir / "Karten"), tv::ChartChoice::Load::Loaded);
    EXPECT_EQ(view.sourceX(), 0);

    tv::ChartChoice::seek("a.png");
    ASSERT_EQ(choice.loadCurrent(view, dir / "Karten"), tv::ChartChoice::Load::Loaded);
    tv::ChartChoice again; // as after a new start
    again.openViewMemory(dir / "position.crm");
    ASSERT_EQ(again.loadCurrent(view, dir / "Karten"), tv::ChartChoice::Load::Loaded);
    EXPECT_EQ(again.restoreView(view), false) << "not centred";
    EXPECT_EQ(view.sourceX(), 40);
    EXPECT_EQ(view.sliderValue(), -20);
}

} // namespace
