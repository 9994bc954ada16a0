// The plan window's map and waypoint list with many waypoints.
//
//   build/bench/bench_planmap                       (measure in a Release build)
//
// Targets (medians): RedrawMap of a 10,000 x 7,000 chart into a 1,600 x 1,000 map with
// 10,000 waypoints in view (200 of them airports) and a 20-point route under 50 ms, with 500
// in view under 8 ms; a measuring move with 10,000 in view under 16 ms; 100,000 waypoints
// into the list (open, bind, first rows read) under 150 ms; a quick-find keystroke under 5 ms.
// RedrawMap of the whole chart of the airspace fixture (47°-55° N, 5°-15° E, 6,400 x 4,000) with
// "Alle Lufträume" over a file shaped like real airspace data (tests/fixtures/AirspaceFiles.h:
// 5,000 airspaces, about 50,000 rows), every edge labelled: under 60 ms.
#include "AirspaceFiles.h"
#include "airspace/AirspacePainter.h"
#include "core/forms/RecordsetGridModel.h"
#include "planning/PlanMap.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "route/RouteData.h"
#include "schema/Layout.h"
#include "schema/Schema.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kMapWidth = 1600;
constexpr int kMapHeight = 1000;

// 48°00'-49°00' N, 9°00'-11°00' E in 10,000 x 7,000 pixels. At zoom 100 the whole chart is
// in view.
tv::ChartRow benchChart()
{
    tv::ChartRow row;
    row.southDDMM = 48.00;
    row.northDDMM = 49.00;
    row.westDDMM = 9.00;
    row.eastDDMM = 11.00;
    row.widthPx = 10000;
    row.heightPx = 7000;
    return row;
}

// A program folder with `waypoints` waypoints spread over the chart (every 50th an airport of
// the airport data file) and a 20-point route.
class Folder
{
public:
    explicit Folder(int waypoints)
    {
        path_ = fs::temp_directory_path() / ("tramvik-planbench-" + std::to_string(::getpid()) +
                                             "-" + std::to_string(waypoints));
        tv::schema::LayoutOptions options;
        options.airports = true;
        tv::schema::layoutProgramFolder(path_, options);
        db.Open((path_ / "data.tvd").string());
        airports.Open((path_ / "tvdata.tvd").string());
        std::mt19937 rng(7);
        std::uniform_real_distribution<double> lat(48.01, 48.59), lon(9.01, 10.59);
        tv::Connection::Transaction t(db);
        tv::Connection::Transaction ta(airports);
        for (int i = 0; i < waypoints; ++i) {
            char name[16];
            const bool airport = i % 50 == 0;
            std::snprintf(name, sizeof name, airport ? "E%03d" : "WP%06d", airport ? i / 50 : i);
            db.Execute("INSERT INTO Waypoints (Name, Lat, Long, Kategorie) VALUES (?, ?, ?, '')",
                       {std::string(name), lat(rng), lon(rng)});
            if (airport) {
                airports.Execute("INSERT INTO ARPT (ICAO, RWYALen, RWYGLen) VALUES (?, 900, 0)",
                                 {std::string(name)});
                airports.Execute("INSERT INTO RWY (ICAO, rwy, RWYHdg, Surface, LENGTH) "
                                 "VALUES (?, '07/25', '070', '0', 900)",
                                 {std::string(name)});
            }
        }
        db.Execute("INSERT INTO Route (Name, Nummer) VALUES ('Bench', 1)");
        const int64_t routeId = db.LastInsertId();
        for (int k = 0; k < 20; ++k)
            db.Execute("INSERT INTO GpsPoints (RouteID, Nummer, PointID, Name, Lat, Long) "
                       "VALUES (?, ?, 0, 'P', ?, ?)",
                       {routeId, k + 1, lat(rng), lon(rng)});
        t.commit();
        ta.commit();
        tv::Recordset points;
        tv::openRoutePoints(points, db, routeId);
        route = {tv::planRoutePoints(points)};
    }
    ~Folder()
    {
        db.Close();
        airports.Close();
        std::error_code ec;
        fs::remove_all(path_, ec);
    }

    tv::Connection db;
    tv::Connection airports;
    tv::PlanRouteLayer::Inputs route; // the 20-point route

private:
    fs::path path_;
};

const QImage& chartImage()
{
    static const QImage image = [] {
        QImage i(10000, 7000, QImage::Format_RGB32);
        i.fill(QColor(224, 224, 200));
        return i;
    }();
    return image;
}

std::unique_ptr<tv::PlanMap> loadedMap()
{
    auto map = std::make_unique<tv::PlanMap>();
    map->resize(kMapWidth, kMapHeight);
    map->loadChart(benchChart(), chartImage());
    map->setZoom(100); // the whole chart in view
    return map;
}

void redraw(benchmark::State& state, int waypoints)
{
    Folder folder(waypoints);
    auto map = loadedMap();
    tv::PlanMapInputs in;
    in.waypoints.waypoints = &folder.db;
    in.waypoints.airports = &folder.airports;
    in.waypoints.currentPointId = 1;
    in.route = folder.route;
    for (auto _ : state)
        benchmark::DoNotOptimize(map->RedrawMap(in));
}

void BM_RedrawMap10000(benchmark::State& state)
{
    redraw(state, 10000);
}
BENCHMARK(BM_RedrawMap10000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_RedrawMap500(benchmark::State& state)
{
    redraw(state, 500);
}
BENCHMARK(BM_RedrawMap500)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The chart alone: what every redraw costs before its layers.
void BM_RedrawMapChartOnly(benchmark::State& state)
{
    auto map = loadedMap();
    for (auto _ : state)
        benchmark::DoNotOptimize(map->RedrawMap({}));
}
BENCHMARK(BM_RedrawMapChartOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_MeasuringMove10000(benchmark::State& state)
{
    Folder folder(10000);
    auto map = loadedMap();
    tv::PlanMapInputs in;
    in.waypoints.waypoints = &folder.db;
    in.waypoints.airports = &folder.airports;
    in.route = folder.route;
    map->RedrawMap(in);
    double x = 0;
    for (auto _ : state) {
        x = x > 1500 ? 0 : x + 7;
        const auto cursor = map->positionAt(x, 500);
        if (!map->restoreLastRedraw())
            map->RedrawMap(in);
        map->DrawMeasureLine({48.30, 10.00}, *cursor);
        benchmark::DoNotOptimize(tv::measure({48.30, 10.00}, *cursor));
    }
}
BENCHMARK(BM_MeasuringMove10000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The plan map with every airspace of the generated file, as the plan window draws them.
void BM_RedrawMapAllAirspaces(benchmark::State& state)
{
    const fs::path folder =
        fs::temp_directory_path() / ("tramvik-planbench-airspace-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    tv::schema::createDataFile(folder / "Luftraum.tvd", tv::schema::DataFile::Airspace);
    auto db = std::make_shared<tv::Connection>();
    db->Open((folder / "Luftraum.tvd").string());
    tvtest::fillAirspaceFile(*db, tvtest::AirspaceFileShape::RealShaped);
    QImage chart(tvtest::kAirspaceChartWidthPx, tvtest::kAirspaceChartHeightPx,
                 QImage::Format_RGB32);
    chart.fill(QColor(224, 224, 200));
    auto map = std::make_unique<tv::PlanMap>();
    map->resize(kMapWidth, kMapHeight);
    map->loadChart(tvtest::airspaceFixtureChart(), chart);
    map->setZoom(100); // the whole chart in view
    tv::PlanMapInputs in;
    // Every airspace, no traffic circuits.
    in.airspaces = tv::PlanAirspaceMapLayer::Inputs{db, tv::PlanAirspaceSwitches{}, 0};
    map->RedrawMap(in); // the rows read once, as after the first redraw
    for (auto _ : state)
        benchmark::DoNotOptimize(map->RedrawMap(in));
    map.reset();
    db.reset();
    std::error_code ec;
    fs::remove_all(folder, ec);
}
BENCHMARK(BM_RedrawMapAllAirspaces)->Unit(benchmark::kMillisecond)->MinTime(2.0);

Folder& bigList()
{
    static Folder folder(100000);
    return folder;
}

void BM_WaypointList100000(benchmark::State& state)
{
    Folder& folder = bigList();
    tv::RecordsetGridModel model({{"Name", "Name"}, {"Lat", "Lat"}, {"Long", "Long"}});
    for (auto _ : state) {
        tv::Recordset rs;
        rs.Open("SELECT * From Waypoints Order by NAME ASC", folder.db);
        model.bind(&rs);
        for (int r = 0; r < 10; ++r)
            benchmark::DoNotOptimize(model.data(model.index(r, 0), Qt::DisplayRole));
        model.bind(nullptr);
    }
}
BENCHMARK(BM_WaypointList100000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_QuickFindKeystroke100000(benchmark::State& state)
{
    Folder& folder = bigList();
    tv::Recordset rs;
    rs.Open("SELECT * From Waypoints Order by NAME ASC", folder.db);
    const char* texts[] = {"W", "WP0", "WP05", "WP050", "WP0500", "E0", "zz"};
    size_t i = 0;
    for (auto _ : state) {
        rs.MoveFirst();
        rs.Find("Name", tv::CompareOp::GreaterEqual, tv::Value(texts[i++ % 7]));
        benchmark::DoNotOptimize(rs.Eof());
    }
}
BENCHMARK(BM_QuickFindKeystroke100000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
