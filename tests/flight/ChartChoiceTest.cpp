// The chart the flight map shows: the remembered chart and route, loading a chart's image and
// scales, the view kept for each chart, and stepping through the charts under the aircraft.
#include "flight/ChartChoice.h"
#include "core/Variablen.h"
#include "map/ActiveCharts.h"
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
    void openActiveCharts() { choice.openActiveCharts(db); }
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
    tv::ChartChoice choice;
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
        const auto last = choice.readLastMap(dir / "kartendaten.crm");
        EXPECT_EQ(choice.currentName(), c.current);
        EXPECT_EQ(last.route, c.route);
        EXPECT_EQ(file("kartendaten.crm"), c.afterwards);
    }
}

TEST_F(Charts, OnlyAChartWithImageAndDistinctEdgesLoads)
{
    tv::MapView view;
    view.setViewSize(1000, 700);
    EXPECT_EQ(choice.loadCurrent(view, dir / "Karten"), tv::ChartChoice::Load::NoCharts);
    add("flat.png", 48.0, 48.0);
    add("gone.png", 48.0, 49.0, false);
    add("good.png", 48.0, 49.0);
    openActiveCharts();
    for (const char* name : {"flat.png", "gone.png"}) {
        choice.seek(name);
        EXPECT_EQ(choice.loadCurrent(view, dir / "Karten"), tv::ChartChoice::Load::Failed) << name;
        EXPECT_FALSE(choice.valid());
    }
    ASSERT_TRUE(choice.seek("good.png"));
    EXPECT_EQ(choice.loadCurrent(view, dir / "Karten"), tv::ChartChoice::Load::Loaded);
    EXPECT_TRUE(choice.valid());
    EXPECT_EQ(view.imageWidthPx(), 500);
    EXPECT_EQ(tv::chartErrorMessage("flat.png", false).text,
              "Map error: flat.png - please check coordinates.");
}

TEST_F(Charts, EachChartGetsBackItsOwnView)
{
    add("a.png", 48.0, 49.0);
    add("b.png", 47.0, 48.0);
    openActiveCharts();
    choice.openViewMemory(dir / "position.crm");
    tv::MapView view;
    view.setViewSize(1000, 700);
    ASSERT_EQ(choice.loadCurrent(view, dir / "Karten"), tv::ChartChoice::Load::Loaded);
    EXPECT_FALSE(choice.restoreView(view)) << "never shown before";
    ASSERT_TRUE(view.restoreView(40, 30, 200, 140, -20));
    view.setCentredOnAircraft(false);
    choice.saveView(view, dir / "position.crm");

    choice.seek("b.png");
    EXPECT_FALSE(choice.restoreView(view)) << "the view of a.png never goes with b.png's image";
    ASSERT_EQ(choice.loadCurrent(view, dir / "Karten"), tv::ChartChoice::Load::Loaded);
    EXPECT_EQ(view.sourceX(), 0);

    choice.seek("a.png");
    ASSERT_EQ(choice.loadCurrent(view, dir / "Karten"), tv::ChartChoice::Load::Loaded);
    tv::ChartChoice again; // as after a new start
    again.openActiveCharts(db);
    again.openViewMemory(dir / "position.crm");
    ASSERT_EQ(again.loadCurrent(view, dir / "Karten"), tv::ChartChoice::Load::Loaded);
    EXPECT_EQ(again.restoreView(view), false) << "not centred";
    EXPECT_EQ(view.sourceX(), 40);
    EXPECT_EQ(view.sliderValue(), -20);
}

// Chart names separated by blanks.
std::vector<QString> names(const char* list)
{
    std::vector<QString> out;
    for (const QString& n : QString::fromUtf8(list).split(' ', Qt::SkipEmptyParts))
        out.push_back(n);
    return out;
}

TEST_F(Charts, ChartsUnderTheAircraftGiveTheHintsAndTheChangeAtTheEdge)
{
    struct Case
    {
        const char* name;
        const char* under; // in the chart table's order
        const char* shown;
        bool atEdge;
        const char* changeTo; // "": no change
        int index;
        const char* next;
        const char* shows; // the counter caption, "+" with the counter, "*" with the hint
    };
    const Case cases[] = {
        {"second of three: the counter, the third named", "a b c", "b", false, "", 1, "c",
         "2 / 3+*"},
        {"at the edge: the next one shown, the hint cycles", "a b c", "b", true, "c", 2, "a",
         "3 / 3+*"},
        {"two charts: the hint but no counter", "a b", "a", false, "", 0, "b", "1 / 2*"},
        {"one chart at the edge does not reload itself", "a", "a", true, "", 0, "a", "1 / 1"},
        {"the shown chart not under the aircraft counts as 0", "a b c", "x", false, "", -1, "a",
         "0 / 3+*"},
        {"names match ignoring case", "a X", "x", false, "", 1, "a", "2 / 2*"},
        {"no chart under the aircraft: only the list empties", "", "a", true, "", 0, "", ""},
        {"past the edge, off the shown chart: the chart holding the aircraft", "b", "a", true, "b",
         0, "b", "1 / 1"},
        {"at the edge before any hint: the other chart", "a b", "a", true, "b", 1, "a", "2 / 2*"},
    };
    for (const char* name : {"a", "b", "c", "x"})
        add(name, 48.0, 49.0, false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tv::ChartChoice charts;
        charts.openActiveCharts(db);
        ASSERT_TRUE(charts.seek(c.shown));
        const auto change = charts.chartsUnderAircraftFound(names(c.under), c.atEdge);
        EXPECT_EQ(change.value_or(QString()), c.changeTo);
        EXPECT_EQ(charts.chartsUnderAircraft(), names(c.under));
        EXPECT_EQ(charts.mapListIndex(), c.index);
        EXPECT_EQ(charts.nextChart(), c.next);
        const auto& hints = charts.stepHints();
        EXPECT_EQ(hints.mapNumberCaption + (hints.showMapNumber ? "+" : "") +
                      (hints.showNextMap ? "*" : ""),
                  c.shows);
    }
}

TEST_F(Charts, StepsGoThroughTheChartsUnderTheAircraft)
{
    struct Case
    {
        const char* name;
        const char* under;
        const char* shown;
        int steps;
        const char* changeTo; // the last step's change, "": none
        int index;
        const char* next;
    };
    const Case cases[] = {
        {"the next chart, the hint names the one after", "a b", "a", 1, "b", 1, "a"},
        {"from the third of three back to the first", "a b c", "a", 3, "a", 0, "b"},
        {"an empty list: no change, no hint", "", "a", 1, "", 0, ""},
        {"one chart: it stays", "a", "a", 1, "", 0, "a"},
    };
    for (const char* name : {"a", "b", "c"})
        add(name, 48.0, 49.0, false);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tv::ChartChoice charts;
        charts.openActiveCharts(db);
        ASSERT_TRUE(charts.seek(c.shown));
        charts.chartsUnderAircraftFound(names(c.under), false);
        std::optional<QString> change;
        for (int i = 0; i < c.steps; ++i)
            if ((change = charts.step()))
                charts.seek(*change);
        EXPECT_EQ(change.value_or(QString()), c.changeTo);
        EXPECT_EQ(charts.mapListIndex(), c.index);
        EXPECT_EQ(charts.nextChart(), c.next);
    }
}

} // namespace
