// The flight map's airspace layer (what DrawAirspaces does on each redraw) over a generated
// airspace file of 5,000 airspaces and about 50,000 rows, drawn into a 1,600 x 1,000 map:
//   Regional     a view of about 400 airspaces / 5,000 rows; target: median below 8 ms, so that
//                the flight redraw with airspaces stays within a 16 ms frame;
//   WholeFile    every airspace in view; target: median below 40 ms;
//   ...Labels    the same with the altitude labels switched on;
//   RegionalCold a fresh layer each time, so every outline is read from the file first;
//   Select..., Strokes...  the selection alone and the selection with the outlines (no drawing),
//                to tell where the time goes.
//
//   build/bench/bench_airspaces                          (measure in a Release build)
//
// The airspaces lie on a grid over 49°-55° N, 5°-15° E: 85 % polygons of 10 points, 10 % with
// three arcs among 12 points, 5 % circles; one in ten lies above the band (FL 75 - FL 100); one
// in ten is a TMZ, one in ten a danger area, one in fifty a traffic circuit.
#include "airspace/AirspacePainter.h"
#include "core/GeoMath.h"
#include "map/DrawSurface.h"
#include "map/MapView.h"
#include "platform/Connection.h"
#include "schema/Schema.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QGuiApplication>
#include <QImage>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kMapWidth = 1600;
constexpr int kMapHeight = 1000;
// Chart 45°-55° N, 5°-15° E on 4000 x 4000 pixels: 400 pixels per degree both ways.
constexpr double kPxPerDeg = 400.0;
constexpr int kColumns = 100; // 0.1° apart, 5° to 15° E
constexpr int kRows = 50;     // 0.12° apart, 49° to 55° N

struct World
{
    fs::path folder;
    std::shared_ptr<tv::Connection> db;
    tv::MapView view;
    int rowCount = 0;

    World()
    {
        folder = fs::temp_directory_path() / ("tramvik-airspace-bench-" + std::to_string(getpid()));
        fs::create_directories(folder);
        const fs::path file = folder / "Luftraum.tvd";
        tv::schema::createDataFile(file, tv::schema::DataFile::Airspace);
        db = std::make_shared<tv::Connection>();
        db->Open(file.string());
        fill();

        tv::ChartRow chart;
        chart.southDDMM = 45.00;
        chart.northDDMM = 55.00;
        chart.westDDMM = 5.00;
        chart.eastDDMM = 15.00;
        chart.widthPx = 4000;
        chart.heightPx = 4000;
        QImage image(4000, 4000, QImage::Format_RGB32);
        image.fill(Qt::white);
        view.setViewSize(kMapWidth, kMapHeight);
        view.loadChart(chart, image);
    }
    ~World()
    {
        db.reset();
        std::error_code ec;
        fs::remove_all(folder, ec);
    }

    void insert(int index, const std::string& type, double low, const std::string& lowType,
                double high, const std::string& highType, const std::string& drawType,
                double latDeg, double lonDeg, int pnumber, double radiusNm = 0.0,
                const double* arc = nullptr)
    {
        using tv::Value;
        db->Execute("INSERT INTO \"Luftraum\" (\"AspType\", \"Index\", \"Low\", \"High\", "
                    "\"LowType\", \"HighType\", \"Drawtype\", \"Lat\", \"Long\", \"arcRad\", "
                    "\"arcLat\", \"arcLong\", \"Arcx1\", \"Arcy1\", \"Arcx2\", \"Arcy2\", "
                    "\"arcDir\", \"PNumber\") "
                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                    {type, index, low, high, lowType, highType, drawType, tv::DegreesToDDMM(latDeg),
                     tv::DegreesToDDMM(lonDeg), radiusNm > 0 ? Value(radiusNm) : Value(),
                     arc ? Value(arc[0]) : Value(), arc ? Value(arc[1]) : Value(),
                     arc ? Value(arc[2]) : Value(), arc ? Value(arc[3]) : Value(),
                     arc ? Value(arc[4]) : Value(), arc ? Value(arc[5]) : Value(),
                     arc ? Value("+") : Value(), pnumber});
        ++rowCount;
    }

    void fill()
    {
        tv::Connection::Transaction tx(*db);
        for (int i = 0; i < kColumns * kRows; ++i) {
            const int index = i + 1;
            const double cLat = 49.06 + 0.12 * (i / kColumns);
            const double cLon = 5.05 + 0.1 * (i % kColumns);
            const std::string type = i % 50 == 7   ? "A"
                                     : i % 10 == 3 ? "TMZ"
                                     : i % 10 == 5 ? "Q"
                                                   : "D";
            const bool high = i % 10 == 9;
            const double low = high ? 7500 : 0;
            const double top = high ? 10000 : 4500;
            const std::string lowType = high ? "FL" : "GND";
            const std::string highType = high ? "FL" : "";
            if (i % 20 == 11) {
                insert(index, type, low, lowType, top, highType, "DC", cLat, cLon, 1, 2.5);
                continue;
            }
            const bool arcs = i % 20 == 1 || i % 20 == 13;
            const int points = arcs ? 12 : 10;
            const double r = 0.04;
            for (int k = 0; k < points; ++k) {
                const double a = 2.0 * M_PI * k / points;
                const double lat = cLat + r * std::cos(a);
                const double lon = cLon + r * std::sin(a);
                if (arcs && k % 4 == 1) {
                    // An arc from this point to the next one, centred on the airspace.
                    const double a2 = 2.0 * M_PI * (k + 1) / points;
                    const double arc[6] = {tv::DegreesToDDMM(cLat),
                                           tv::DegreesToDDMM(cLon),
                                           tv::DegreesToDDMM(lat),
                                           tv::DegreesToDDMM(lon),
                                           tv::DegreesToDDMM(cLat + r * std::cos(a2)),
                                           tv::DegreesToDDMM(cLon + r * std::sin(a2))};
                    insert(index, type, low, lowType, top, highType, "DB", lat, lon, k + 1, 0.0,
                           arc);
                } else {
                    insert(index, type, low, lowType, top, highType, "DP", lat, lon, k + 1);
                }
            }
        }
        tx.commit();
    }
};

World& world()
{
    static World w; // its folder goes at the end of the program
    return w;
}

void ensureGui()
{
    if (QGuiApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    static int argc = 1;
    static char name[] = "bench_airspaces";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

// A view of `widthDeg` degrees of longitude (and 5/8 of that in latitude) with its top-left
// corner at (northDeg, westDeg).
void showView(tv::MapView& view, double northDeg, double westDeg, double widthDeg)
{
    const double sw = widthDeg * kPxPerDeg;
    const double sh = sw * kMapHeight / kMapWidth;
    view.restoreView((westDeg - 5.0) * kPxPerDeg, (55.0 - northDeg) * kPxPerDeg, sw, sh, 0);
}

void drawLayer(benchmark::State& state, double north, double west, double width, bool labels,
               bool cold)
{
    ensureGui();
    World& w = world();
    showView(w.view, north, west, width);
    tv::DrawSurface map(kMapWidth, kMapHeight, 0xFFFFFF);
    auto layer = std::make_unique<tv::AirspaceLayer>();
    bool faultShown = false;
    std::size_t strokes = 0;
    if (!cold) // the rows read once, as after the first redraw
        tv::drawFlightAirspaces(*layer, map, w.view, w.db, {true, labels, true}, 1000.0, true, 1013,
                                0, faultShown);
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            layer = std::make_unique<tv::AirspaceLayer>();
            state.ResumeTiming();
        }
        const tv::FlightAirspaceBox box = tv::drawFlightAirspaces(
            *layer, map, w.view, w.db, {true, labels, true}, 1000.0, true, 1013, 0, faultShown);
        benchmark::DoNotOptimize(box);
    }
    // What one redraw selected and drew, for the report.
    tv::FlightAirspaceRequest request;
    request.airspaces = true;
    request.circuits = true;
    request.altitudeFt = 1000.0;
    w.view.computeViewBounds(0, 0, kMapWidth, kMapHeight);
    request.view = {w.view.viewSouthDDMM(), w.view.viewNorthDDMM(), w.view.viewWestDDMM(),
                    w.view.viewEastDDMM()};
    tv::AirspaceLayer counter;
    const tv::AirspaceDrawing d = counter.flightMap(w.db, request);
    strokes = d.strokes.size();
    state.counters["airspaces"] = d.airspaceCount;
    state.counters["strokes"] = static_cast<double>(strokes);
    state.counters["fileRows"] = w.rowCount;
}

// About 2.8° x 1.8°: some 400 airspaces of the grid in the widened box.
void Regional(benchmark::State& state)
{
    drawLayer(state, 53.0, 8.0, 2.83, false, false);
}
void RegionalLabels(benchmark::State& state)
{
    drawLayer(state, 53.0, 8.0, 2.83, true, false);
}
void RegionalCold(benchmark::State& state)
{
    drawLayer(state, 53.0, 8.0, 2.83, false, true);
}
// The whole chart width: every airspace of the file in view.
void WholeFile(benchmark::State& state)
{
    drawLayer(state, 55.0, 5.0, 10.0, false, false);
}
void WholeFileLabels(benchmark::State& state)
{
    drawLayer(state, 55.0, 5.0, 10.0, true, false);
}

void strokesOnly(benchmark::State& state, double north, double west, double width)
{
    World& w = world();
    showView(w.view, north, west, width);
    tv::AirspaceLayer layer;
    tv::FlightAirspaceRequest request;
    request.airspaces = true;
    request.circuits = true;
    request.altitudeFt = 1000.0;
    w.view.computeViewBounds(0, 0, kMapWidth, kMapHeight);
    request.view = {w.view.viewSouthDDMM(), w.view.viewNorthDDMM(), w.view.viewWestDDMM(),
                    w.view.viewEastDDMM()};
    layer.flightMap(w.db, request);
    for (auto _ : state)
        benchmark::DoNotOptimize(layer.flightMap(w.db, request));
}
void SelectWhole(benchmark::State& state)
{
    World& w = world();
    const tv::AirspaceIndex index = tv::AirspaceIndex::read(*w.db);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            index.select({{48, 56, 4, 16}, tv::flightBand(1000), tv::AirspaceKind::Airspaces}));
}
void StrokesWhole(benchmark::State& state)
{
    strokesOnly(state, 55.0, 5.0, 10.0);
}
void StrokesRegional(benchmark::State& state)
{
    strokesOnly(state, 53.0, 8.0, 2.83);
}
void SelectRegional(benchmark::State& state)
{
    World& w = world();
    showView(w.view, 53.0, 8.0, 2.83);
    w.view.computeViewBounds(0, 0, kMapWidth, kMapHeight);
    const tv::ViewBox box = tv::widenedViewBox({w.view.viewSouthDDMM(), w.view.viewNorthDDMM(),
                                                w.view.viewWestDDMM(), w.view.viewEastDDMM()});
    const tv::AirspaceIndex index = tv::AirspaceIndex::read(*w.db);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            index.select({box, tv::flightBand(1000), tv::AirspaceKind::Airspaces}));
}
BENCHMARK(StrokesRegional)->Unit(benchmark::kMillisecond);
BENCHMARK(SelectRegional)->Unit(benchmark::kMillisecond);
BENCHMARK(SelectWhole)->Unit(benchmark::kMillisecond);
BENCHMARK(StrokesWhole)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK(Regional)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(RegionalLabels)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(RegionalCold)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(WholeFile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(WholeFileLabels)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
