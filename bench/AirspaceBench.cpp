// The airspace layer's redraw (what the maps' airspace layers do on each redraw) over two
// generated airspace files of 5,000 airspaces (tests/fixtures/AirspaceFiles.h), drawn into a
// 1,600 x 1,000 map:
//   RealShaped  shaped like a national file: about 50,000 rows, 20 % circles, 20 % polygons
//               with two arcs; the whole file in view draws about 90,000 lines;
//   Grid        the earlier benchmark file: 5 % circles, 10 % arcs, about 50,000 lines.
//
// Cases per file (the aircraft at 1,000 ft, traffic circuits on):
//   FlightRegional        a view 2° wide (slider -60: 8-pixel outlines) with about 450
//                         airspaces; target on RealShaped: median below 6 ms;
//   FlightRegionalLabels  the same with the altitude labels; target below 12 ms;
//   FlightWhole           the whole file in view (slider 100: 5-pixel outlines); target below
//                         30 ms;
//   FlightWholeLabels     target below 60 ms;
//   PlanWhole             the plan map's "Alle Lufträume" over the whole file (labels always
//                         on there); target below 60 ms;
//   FirstRedraw           the first redraw after start of the regional view: the airspace index
//                         and the outline rows read from a file opened but not yet read;
//                         target below 16 ms;
//   ReadIndex, ReadRegionalOutlines  the first redraw's two reads alone;
//   Select..., Strokes... the selection alone and the selection with the outlines (no
//                         drawing), to tell where the time goes.
//
//   build/bench/bench_airspaces --benchmark_repetitions=9 --benchmark_report_aggregates_only
//                                                        (measure in a Release build)
#include "AirspaceFiles.h"
#include "airspace/AirspacePainter.h"
#include "map/DrawSurface.h"
#include "map/MapView.h"
#include "platform/Connection.h"
#include "schema/Schema.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QGuiApplication>
#include <QImage>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using tvtest::AirspaceFileShape;

constexpr int kMapWidth = 1600;
constexpr int kMapHeight = 1000;
constexpr double kAltitudeFt = 1000.0;

// One generated airspace data file, opened as the program opens it.
class AirspaceFile
{
public:
    explicit AirspaceFile(AirspaceFileShape shape)
    {
        folder_ =
            fs::temp_directory_path() / ("tramvik-airspace-bench-" + std::to_string(getpid()) +
                                         "-" + std::to_string(static_cast<int>(shape)));
        fs::create_directories(folder_);
        path_ = folder_ / "Luftraum.tvd";
        tv::schema::createDataFile(path_, tv::schema::DataFile::Airspace);
        db = open();
        summary = tvtest::fillAirspaceFile(*db, shape);
    }
    ~AirspaceFile()
    {
        db.reset();
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    AirspaceFile(const AirspaceFile&) = delete;
    AirspaceFile& operator=(const AirspaceFile&) = delete;

    std::shared_ptr<tv::Connection> open() const
    {
        auto c = std::make_shared<tv::Connection>();
        c->Open(path_.string());
        return c;
    }

    std::shared_ptr<tv::Connection> db;
    tvtest::AirspaceFileSummary summary;

private:
    fs::path folder_;
    fs::path path_;
};

AirspaceFile& file(AirspaceFileShape shape)
{
    static AirspaceFile real(AirspaceFileShape::RealShaped);
    static AirspaceFile grid(AirspaceFileShape::Grid);
    return shape == AirspaceFileShape::RealShaped ? real : grid;
}

const QImage& chartImage()
{
    static const QImage image = [] {
        QImage i(tvtest::kAirspaceChartWidthPx, tvtest::kAirspaceChartHeightPx,
                 QImage::Format_RGB32);
        i.fill(Qt::white);
        return i;
    }();
    return image;
}

enum class View { Regional, Whole };

// The fixture chart on a 1,600 x 1,000 map, showing the regional view (2° x 1.6° with its
// top-left corner at 52° N 8.8° E) or the whole chart, the slider where that zoom puts it
// (half the chart's width at 0, the whole at 100: -60 and 100).
tv::MapView mapView(View v, bool planMap = false)
{
    tv::MapView view(planMap ? tv::MapViewConstants::planWindow()
                             : tv::MapViewConstants::flightWindow());
    view.setViewSize(kMapWidth, kMapHeight);
    view.loadChart(tvtest::airspaceFixtureChart(), chartImage());
    const double westDeg = v == View::Whole ? 5.0 : 8.8;
    const double northDeg = v == View::Whole ? 55.0 : 52.0;
    const double sw = (v == View::Whole ? 10.0 : 2.0) * tvtest::kAirspaceChartPxPerDegLon;
    const double half = tvtest::kAirspaceChartWidthPx / 2.0;
    view.restoreView((westDeg - tvtest::kAirspaceChartWestDeg) * tvtest::kAirspaceChartPxPerDegLon,
                     (tvtest::kAirspaceChartNorthDeg - northDeg) *
                         tvtest::kAirspaceChartPxPerDegLat,
                     sw, sw * kMapHeight / kMapWidth, std::round((sw - half) * 100.0 / half));
    return view;
}

tv::ViewBox viewBox(tv::MapView& view)
{
    view.computeViewBounds(0, 0, kMapWidth, kMapHeight);
    return {view.viewSouthDDMM(), view.viewNorthDDMM(), view.viewWestDDMM(), view.viewEastDDMM()};
}

// What one flight-map redraw of the view selects and draws, for the report.
void countFlight(benchmark::State& state, AirspaceFile& f, tv::MapView& view, bool labels)
{
    tv::FlightAirspaceRequest request;
    request.airspaces = true;
    request.labels = labels;
    request.circuits = true;
    request.altitudeFt = kAltitudeFt;
    request.view = viewBox(view);
    request.sliderValue = view.sliderValue();
    tv::AirspaceLayer counter;
    const tv::AirspaceDrawing d = counter.flightMap(f.db, request);
    std::size_t labelled = 0;
    for (const tv::AirspaceStroke& s : d.strokes)
        labelled += s.label.empty() ? 0 : 1;
    state.counters["airspaces"] = d.airspaceCount;
    state.counters["lines"] = static_cast<double>(d.strokes.size());
    state.counters["labels"] = static_cast<double>(labelled);
    state.counters["fileRows"] = f.summary.rows;
}

void flight(benchmark::State& state, AirspaceFileShape shape, View v, bool labels)
{
    AirspaceFile& f = file(shape);
    tv::MapView view = mapView(v);
    tv::DrawSurface map(kMapWidth, kMapHeight, 0xFFFFFF);
    tv::AirspaceLayer layer;
    bool faultShown = false;
    tv::LayerFlags switches;
    switches.ShowLuftraum = true;
    switches.ShowLuftraumHoehe = labels;
    switches.ShowPR = true;
    // The index and rows read once, as after the first redraw.
    tv::drawFlightAirspaces(layer, map, view, f.db, switches, kAltitudeFt, true, 1013, 0,
                            faultShown);
    for (auto _ : state) {
        const tv::FlightAirspaceBox box = tv::drawFlightAirspaces(
            layer, map, view, f.db, switches, kAltitudeFt, true, 1013, 0, faultShown);
        benchmark::DoNotOptimize(box);
    }
    countFlight(state, f, view, labels);
}

void planWhole(benchmark::State& state, AirspaceFileShape shape)
{
    AirspaceFile& f = file(shape);
    tv::MapView view = mapView(View::Whole, true);
    tv::DrawSurface map(kMapWidth, kMapHeight, 0xFFFFFF);
    tv::AirspaceLayer layer;
    const tv::PlanAirspaceSwitches all; // every airspace, no traffic circuits
    tv::drawPlanAirspaces(layer, map, view, f.db, all, 0);
    for (auto _ : state) {
        const tv::PlanAirspaceBox box = tv::drawPlanAirspaces(layer, map, view, f.db, all, 0);
        benchmark::DoNotOptimize(box);
    }
}

void firstRedraw(benchmark::State& state, AirspaceFileShape shape)
{
    AirspaceFile& f = file(shape);
    tv::MapView view = mapView(View::Regional);
    tv::DrawSurface map(kMapWidth, kMapHeight, 0xFFFFFF);
    for (auto _ : state) {
        // The program opens the file at start; the layer reads it on its first redraw.
        state.PauseTiming();
        auto connection = f.open();
        auto layer = std::make_unique<tv::AirspaceLayer>();
        bool faultShown = false;
        state.ResumeTiming();
        const tv::FlightAirspaceBox box =
            tv::drawFlightAirspaces(*layer, map, view, connection, {true, false, true}, kAltitudeFt,
                                    true, 1013, 0, faultShown);
        benchmark::DoNotOptimize(box);
        state.PauseTiming();
        layer.reset();
        connection.reset();
        state.ResumeTiming();
    }
}

// The first redraw's reads: the index of every row, and the rows of the regional view's
// airspaces, each from a file opened but not yet read.
void readIndex(benchmark::State& state, AirspaceFileShape shape)
{
    AirspaceFile& f = file(shape);
    for (auto _ : state) {
        state.PauseTiming();
        auto connection = f.open();
        state.ResumeTiming();
        benchmark::DoNotOptimize(tv::AirspaceIndex::read(*connection));
        state.PauseTiming();
        connection.reset();
        state.ResumeTiming();
    }
}

void readRegionalRows(benchmark::State& state, AirspaceFileShape shape)
{
    AirspaceFile& f = file(shape);
    tv::MapView view = mapView(View::Regional);
    const std::vector<int32_t> numbers = tv::AirspaceIndex::read(*f.db).select(
        {tv::widenedViewBox(viewBox(view)), tv::flightBand(kAltitudeFt),
         tv::AirspaceKind::Airspaces});
    for (auto _ : state) {
        state.PauseTiming();
        auto connection = f.open();
        state.ResumeTiming();
        tv::AirspaceStore store;
        store.prefetch(connection, numbers);
        benchmark::DoNotOptimize(store.size());
        state.PauseTiming();
        connection.reset();
        state.ResumeTiming();
    }
}

void selectOnly(benchmark::State& state, AirspaceFileShape shape, View v)
{
    AirspaceFile& f = file(shape);
    tv::MapView view = mapView(v);
    const tv::ViewBox box = tv::widenedViewBox(viewBox(view));
    const tv::AirspaceIndex index = tv::AirspaceIndex::read(*f.db);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            index.select({box, tv::flightBand(kAltitudeFt), tv::AirspaceKind::Airspaces}));
}

void strokesOnly(benchmark::State& state, AirspaceFileShape shape, View v)
{
    AirspaceFile& f = file(shape);
    tv::MapView view = mapView(v);
    tv::AirspaceLayer layer;
    tv::FlightAirspaceRequest request;
    request.airspaces = true;
    request.circuits = true;
    request.altitudeFt = kAltitudeFt;
    request.view = viewBox(view);
    request.sliderValue = view.sliderValue();
    layer.flightMap(f.db, request);
    for (auto _ : state)
        benchmark::DoNotOptimize(layer.flightMap(f.db, request));
}

void registerAll()
{
    for (const AirspaceFileShape shape : {AirspaceFileShape::RealShaped, AirspaceFileShape::Grid}) {
        const std::string name = shape == AirspaceFileShape::RealShaped ? "RealShaped/" : "Grid/";
        auto timed = [](benchmark::internal::Benchmark* b) { b->Unit(benchmark::kMillisecond); };
        timed(benchmark::RegisterBenchmark((name + "FlightRegional").c_str(), flight, shape,
                                           View::Regional, false));
        timed(benchmark::RegisterBenchmark((name + "FlightRegionalLabels").c_str(), flight, shape,
                                           View::Regional, true));
        timed(benchmark::RegisterBenchmark((name + "FlightWhole").c_str(), flight, shape,
                                           View::Whole, false));
        timed(benchmark::RegisterBenchmark((name + "FlightWholeLabels").c_str(), flight, shape,
                                           View::Whole, true));
        timed(benchmark::RegisterBenchmark((name + "PlanWhole").c_str(), planWhole, shape));
        benchmark::RegisterBenchmark((name + "FirstRedraw").c_str(), firstRedraw, shape)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(10);
        benchmark::RegisterBenchmark((name + "ReadIndex").c_str(), readIndex, shape)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(10);
        benchmark::RegisterBenchmark((name + "ReadRegionalOutlines").c_str(), readRegionalRows,
                                     shape)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(10);
        benchmark::RegisterBenchmark((name + "SelectRegional").c_str(), selectOnly, shape,
                                     View::Regional)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((name + "StrokesRegional").c_str(), strokesOnly, shape,
                                     View::Regional)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((name + "StrokesWhole").c_str(), strokesOnly, shape,
                                     View::Whole)
            ->Unit(benchmark::kMillisecond);
    }
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    QGuiApplication app(argc, argv); // fonts for the labels
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    int status = 0;
    try {
        registerAll();
        benchmark::RunSpecifiedBenchmarks();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_airspaces: %s\n", e.what());
        status = 1;
    }
    benchmark::Shutdown();
    return status;
}
