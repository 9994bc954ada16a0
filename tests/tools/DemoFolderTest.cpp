#include "tools/DemoFolder.h"
#include "core/GeoMath.h"
#include "core/SettingsFile.h"
#include "map/ChartRow.h"
#include "map/MapView.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "schema/Layout.h"
#include "support/GuiApp.h"
#include "support/TempDir.h"
#include "tools/DemoChart.h"
#include "tools/DemoData.h"

#include <QColor>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

namespace {

using tv::Connection;
using tv::Recordset;
namespace demo = tv::demo;
namespace fs = std::filesystem;

long count(Connection& db, const std::string& sql)
{
    Recordset rs;
    rs.Open(sql, db);
    return rs.RecordCount();
}

// One demo folder for the whole suite: drawing and saving the chart takes a moment.
class DemoProgramFolder : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        tvtest::ensureGuiApplication();
        dir_ = new tvtest::TempDir;
        demo::prepareDemoFolder(dir_->path());
    }
    static void TearDownTestSuite()
    {
        delete dir_;
        dir_ = nullptr;
    }
    static fs::path folder() { return dir_->path(); }

    static tvtest::TempDir* dir_;
};
tvtest::TempDir* DemoProgramFolder::dir_ = nullptr;

TEST_F(DemoProgramFolder, HasOneActiveChartWhoseRowMatchesTheImage)
{
    Connection db;
    db.Open((folder() / "data.tvd").string());
    Recordset maps;
    maps.Open("SELECT * FROM Maps WHERE Active <> 0", db);
    ASSERT_EQ(maps.RecordCount(), 1);
    const std::string name = maps.Fields("Name").toString();
    EXPECT_EQ(name, demo::demoChart().name);

    const QImageReader reader(QString::fromStdString((folder() / "Karten" / name).string()));
    const QSize size = reader.size();
    ASSERT_TRUE(size.isValid()) << "the chart image cannot be read";
    EXPECT_EQ(maps.Fields("Breite").toInt(), size.width());
    EXPECT_EQ(maps.Fields("Höhe").toInt(), size.height());
    // Charts are found with BETWEEN Unten AND Oben, Links AND Rechts.
    EXPECT_LT(maps.Fields("Unten").toDouble(), maps.Fields("Oben").toDouble());
    EXPECT_LT(maps.Fields("Links").toDouble(), maps.Fields("Rechts").toDouble());
}

TEST_F(DemoProgramFolder, CalibrationFileHoldsTheEdgesOfTheChartRow)
{
    Connection db;
    db.Open((folder() / "data.tvd").string());
    Recordset maps;
    maps.Open("SELECT * FROM Maps", db);
    ASSERT_EQ(maps.RecordCount(), 1);

    // demo.jpg -> Karten/demo.crm: Unten, Oben, Links, Rechts.
    tv::SettingsReader crm(folder() / "Karten" / "demo.crm");
    ASSERT_TRUE(crm.opened());
    EXPECT_EQ(crm.readNumber(), maps.Fields("Unten").toDouble());
    EXPECT_EQ(crm.readNumber(), maps.Fields("Oben").toDouble());
    EXPECT_EQ(crm.readNumber(), maps.Fields("Links").toDouble());
    EXPECT_EQ(crm.readNumber(), maps.Fields("Rechts").toDouble());
    EXPECT_TRUE(crm.ok());
}

TEST_F(DemoProgramFolder, EveryRoutePointLiesOnTheChartImage)
{
    Connection db;
    db.Open((folder() / "data.tvd").string());
    Recordset maps;
    maps.Open("SELECT * FROM Maps", db);
    ASSERT_EQ(maps.RecordCount(), 1);
    const tv::ChartRow row = tv::readChartRow(maps);
    // The map model of the flight window places the points.
    tv::MapView view;
    view.setViewSize(800, 600);
    ASSERT_EQ(view.loadChart(row, QImage()), tv::MapView::LoadResult::Loaded);

    Recordset route;
    route.Open("SELECT * FROM Route", db);
    ASSERT_EQ(route.RecordCount(), 1);
    EXPECT_EQ(route.Fields("Name").toString(), demo::demoRouteName());
    Recordset points;
    points.Open("SELECT * FROM GpsPoints WHERE RouteID = ? ORDER BY Nummer ASC", db,
                {route.Fields("RouteID")});
    ASSERT_EQ(points.RecordCount(), static_cast<long>(demo::demoRoutePointNames().size()));
    for (; !points.Eof(); points.MoveNext()) {
        const std::string name = points.Fields("Name").toString();
        const QPointF px =
            view.positionToImage({tv::DDMMToDegrees(points.Fields("Lat").toDouble()),
                                  tv::DDMMToDegrees(points.Fields("Long").toDouble())});
        EXPECT_GE(px.x(), 0.0) << name;
        EXPECT_GE(px.y(), 0.0) << name;
        EXPECT_LT(px.x(), *row.widthPx) << name;
        EXPECT_LT(px.y(), *row.heightPx) << name;
    }
}

TEST_F(DemoProgramFolder, RoutePointsAreCopiesOfTheirWaypoints)
{
    Connection db;
    db.Open((folder() / "data.tvd").string());
    Recordset points;
    points.Open("SELECT g.Name AS gName, g.Lat AS gLat, g.Long AS gLong, w.Name AS wName, "
                "w.Lat AS wLat, w.Long AS wLong FROM GpsPoints g LEFT JOIN Waypoints w "
                "ON w.PointID = g.PointID ORDER BY g.Nummer",
                db);
    ASSERT_GT(points.RecordCount(), 1);
    for (; !points.Eof(); points.MoveNext()) {
        const std::string name = points.Fields("gName").toString();
        EXPECT_EQ(points.Fields("wName").toString(), name);
        EXPECT_EQ(points.Fields("wLat").toDouble(), points.Fields("gLat").toDouble()) << name;
        EXPECT_EQ(points.Fields("wLong").toDouble(), points.Fields("gLong").toDouble()) << name;
    }
}

TEST_F(DemoProgramFolder, AirportWaypointsMatchTheirAirportRows)
{
    Connection main;
    main.Open((folder() / "data.tvd").string());
    Connection apt;
    apt.Open((folder() / "tvdata.tvd").string());
    Recordset waypoints;
    waypoints.Open("SELECT * FROM Waypoints WHERE length(Name) = 4", main);
    ASSERT_GT(waypoints.RecordCount(), 0);
    for (; !waypoints.Eof(); waypoints.MoveNext()) {
        const tv::Value icao = waypoints.Fields("Name");
        Recordset arpt;
        arpt.Open("SELECT * FROM ARPT WHERE ICAO = ?", apt, {icao});
        ASSERT_EQ(arpt.RecordCount(), 1) << icao.toString();
        // The waypoint (DD.MM) and the airport (decimal degrees) are the same place, to
        // within a few hundred metres.
        const double latNm = std::fabs(tv::DDMMToDegrees(waypoints.Fields("Lat").toDouble()) -
                                       arpt.Fields("WGS_DLAT").toDouble()) *
                             60.0;
        const double lonNm = std::fabs(tv::DDMMToDegrees(waypoints.Fields("Long").toDouble()) -
                                       arpt.Fields("WGS_DLONG").toDouble()) *
                             60.0 * 0.66;
        EXPECT_LT(latNm, 0.1) << icao.toString();
        EXPECT_LT(lonNm, 0.1) << icao.toString();
        // The map shows the longest runway of the surface the airport row names.
        const bool hard = arpt.Fields("RWYALen").toInt() > 0;
        Recordset rwy;
        rwy.Open("SELECT * FROM RWY WHERE ICAO = ? AND Surface = ? ORDER BY LENGTH DESC", apt,
                 {icao, hard ? "0" : "1"});
        ASSERT_GT(rwy.RecordCount(), 0) << icao.toString();
        EXPECT_EQ(rwy.Fields("LENGTH").toInt(), arpt.Fields(hard ? "RWYALen" : "RWYGLen").toInt())
            << icao.toString();
        EXPECT_EQ(rwy.Fields("RWYHdg").toString().size(), 3u) << icao.toString();
    }
    EXPECT_EQ(count(apt, "SELECT * FROM ICAOCODE WHERE ICAO = 'ED'"), 1);
}

TEST_F(DemoProgramFolder, AirspaceFileIsReleasedAndHoldsAirspacesOnTheChart)
{
    Connection db;
    db.Open((folder() / "Luftraum.tvd").string());
    Recordset release;
    release.Open("SELECT * FROM RELEASE", db);
    ASSERT_EQ(release.RecordCount(), 1);
    EXPECT_TRUE(tv::parseIsoDate(release.Fields("Datum").toString()).has_value());

    const demo::DemoChart& chart = demo::demoChart();
    Recordset rows;
    rows.Open("SELECT * FROM Luftraum", db);
    ASSERT_GT(rows.RecordCount(), 0);
    for (; !rows.Eof(); rows.MoveNext()) {
        EXPECT_GT(rows.Fields("Lat").toDouble(), chart.untenDDMM);
        EXPECT_LT(rows.Fields("Lat").toDouble(), chart.obenDDMM);
        EXPECT_GT(rows.Fields("Long").toDouble(), chart.linksDDMM);
        EXPECT_LT(rows.Fields("Long").toDouble(), chart.rechtsDDMM);
    }
    EXPECT_EQ(count(db, "SELECT * FROM Luftraum WHERE Drawtype = 'DC' AND NOT arcRad > 0"), 0);
}

TEST_F(DemoProgramFolder, FlightWindowOpensOnTheDemoChartAndRoute)
{
    tv::SettingsReader last(folder() / "kartendaten.crm");
    EXPECT_EQ(last.readText(), demo::demoChart().name);
    EXPECT_EQ(last.readText(), demo::demoRouteName());

    tv::SettingsReader layers(folder() / "Set.crm");
    for (int i = 0; i < 7; ++i)
        EXPECT_TRUE(layers.readBool().has_value()) << "line " << i + 1;
    EXPECT_TRUE(layers.ok());
}

TEST_F(DemoProgramFolder, ChartGridLiesOnTheCalibratedMeridians)
{
    const QImage image(QString::fromStdString((folder() / "Karten" / "demo.jpg").string()));
    ASSERT_FALSE(image.isNull());
    // The 10°E meridian is a dark whole-degree line; 5 minutes east of it there is none.
    const demo::DemoChart& chart = demo::demoChart();
    const int onLine = static_cast<int>(demo::chartPixel(chart, 48.5, 10.0).x());
    const int offLine = static_cast<int>(demo::chartPixel(chart, 48.5, 10.0 + 5.0 / 60).x());
    int darkOn = 0;
    int darkOff = 0;
    int samples = 0;
    for (int y = 10; y < image.height(); y += 37, ++samples) {
        darkOn += QColor(image.pixel(onLine, y)).lightness() < 110;
        darkOff += QColor(image.pixel(offLine, y)).lightness() < 110;
    }
    EXPECT_GT(darkOn, samples * 3 / 4);
    EXPECT_LT(darkOff, samples / 4);
}

// Folders that exist already.
class DemoFolderOverExistingData : public ::testing::Test
{
protected:
    void SetUp() override { tvtest::ensureGuiApplication(); }
    tvtest::TempDir dir_;
};

TEST_F(DemoFolderOverExistingData, FolderJustLaidOutIsFilled)
{
    tv::schema::LayoutOptions options;
    options.airports = true;
    tv::schema::layoutProgramFolder(dir_.path(), options);
    demo::prepareDemoFolder(dir_.path());

    Connection db;
    db.Open((dir_.path() / "data.tvd").string());
    EXPECT_EQ(count(db, "SELECT * FROM Waypoints"),
              static_cast<long>(demo::demoWaypoints().size()));
    EXPECT_EQ(count(db, "SELECT * FROM Maps WHERE Active <> 0"), 1);
    Connection apt;
    apt.Open((dir_.path() / "tvdata.tvd").string());
    EXPECT_EQ(count(apt, "SELECT * FROM ARPT"), static_cast<long>(demo::demoAirports().size()));
}

TEST_F(DemoFolderOverExistingData, PilotsOwnWaypointsAndSettingsAreKept)
{
    tv::schema::layoutProgramFolder(dir_.path());
    {
        Connection db;
        db.Open((dir_.path() / "data.tvd").string());
        db.Execute("INSERT INTO Waypoints (Name, Lat, Long) VALUES (?, ?, ?)",
                   {"O'Hare's Feld", 48.3, 9.3});
    }
    tvtest::writeFile(dir_.path() / "kartendaten.crm", "\"meine.jpg\"\r\n\"Heimweg\"\r\n");

    const demo::DemoFolderReport report = demo::prepareDemoFolder(dir_.path());

    Connection db;
    db.Open((dir_.path() / "data.tvd").string());
    Recordset rs;
    rs.Open("SELECT * FROM Waypoints", db);
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Fields("Name").toString(), "O'Hare's Feld");
    EXPECT_EQ(count(db, "SELECT * FROM Route"), 0);
    EXPECT_EQ(count(db, "SELECT * FROM Maps"), 0);
    EXPECT_EQ(tvtest::readFile(dir_.path() / "kartendaten.crm"),
              "\"meine.jpg\"\r\n\"Heimweg\"\r\n");
    EXPECT_FALSE(report.kept.empty());
    // What was missing is still added: the chart image and the other data files.
    EXPECT_TRUE(fs::exists(dir_.path() / "Karten" / "demo.jpg"));
    Connection apt;
    apt.Open((dir_.path() / "tvdata.tvd").string());
    EXPECT_GT(count(apt, "SELECT * FROM ARPT"), 0);
}

TEST_F(DemoFolderOverExistingData, SecondRunChangesNothing)
{
    demo::prepareDemoFolder(dir_.path());
    {
        Connection db;
        db.Open((dir_.path() / "data.tvd").string());
        db.Execute("UPDATE Waypoints SET Lat = ? WHERE Name = ?", {48.01, "Ulm"});
    }
    tvtest::writeFile(dir_.path() / "Karten" / "demo.jpg", "not an image");
    const std::string chartBefore = tvtest::readFile(dir_.path() / "Karten" / "demo.jpg");

    const demo::DemoFolderReport report = demo::prepareDemoFolder(dir_.path());

    EXPECT_TRUE(report.made.empty());
    EXPECT_EQ(tvtest::readFile(dir_.path() / "Karten" / "demo.jpg"), chartBefore);
    Connection db;
    db.Open((dir_.path() / "data.tvd").string());
    EXPECT_EQ(count(db, "SELECT * FROM Waypoints"),
              static_cast<long>(demo::demoWaypoints().size()));
    EXPECT_EQ(count(db, "SELECT * FROM Route"), 1);
    Recordset ulm;
    ulm.Open("SELECT * FROM Waypoints WHERE Name = ?", db, {"Ulm"});
    ASSERT_EQ(ulm.RecordCount(), 1);
    EXPECT_EQ(ulm.Fields("Lat").toDouble(), 48.01);
    Connection airspace;
    airspace.Open((dir_.path() / "Luftraum.tvd").string());
    EXPECT_EQ(count(airspace, "SELECT * FROM RELEASE"), 1);
}

TEST_F(DemoFolderOverExistingData, PathTakenByAFileIsReportedNotOverwritten)
{
    const fs::path blocked = dir_.path() / "blocked";
    tvtest::writeFile(blocked, "mine");
    EXPECT_THROW(demo::prepareDemoFolder(blocked), std::runtime_error);
    EXPECT_EQ(tvtest::readFile(blocked), "mine");
}

} // namespace
