// The flight window's map redraw, UpdateMap: the visible part of a 10,000 x 7,000 pixel chart
// stretched into a 1,600 x 1,000 map, with 200 waypoints (20 of them airports with runways and
// frequencies), the route line of a 10-point route, the guide line to the target and the
// aircraft on top. Target: median below 16 ms (a redraw per display frame). ...DataFileHeld:
// the same while another program holds data.tvd: one read tries for Connection::ShortWait's
// 20 ms and the redraw goes on with what it read last; target: median below 16 ms + 20 ms.
//
// ...Airspaces: the same with the airspace layer on over a file shaped like real airspace data
// (tests/fixtures/AirspaceFiles.h: 5,000 airspaces, about 50,000 rows), the aircraft on the
// ground (no fix: 0 ft), the regional airspaces drawn; target: median below 8 ms. ...Labels:
// with their altitude labels.
//
//   build/bench/bench_updatemap                       (measure in a Release build)
//
// The program folder is made in a temporary folder; the chart is drawn once and saved as
// JPEG, which takes some seconds before the first measurement.
#include "AirspaceFiles.h"
#include "core/GeoMath.h"
#include "core/Variablen.h"
#include "core/forms/Forms.h"
#include "core/forms/MsgBox.h"
#include "flight/frmGPSmain.h"
#include "map/DrawSurface.h"
#include "map/PictureBox.h"
#include "platform/Connection.h"
#include "platform/ProgramFolder.h"
#include "schema/Layout.h"
#include "tools/DemoChart.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QByteArray>
#include <QImageReader>
#include <QImageWriter>
#include <QSignalBlocker>
#include <QSlider>

#include <sqlite3.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The window lays the map out at its inner size less the instrument panel (280 pixels) and
// the strip below the map (53 pixels).
constexpr int kMapWidth = 1600;
constexpr int kMapHeight = 1000;
constexpr int kWindowWidth = kMapWidth + 280;
constexpr int kWindowHeight = kMapHeight + 53;

// 48°00'-49°00' N, 9°00'-11°00' E in 10,000 x 7,000 pixels.
const tv::demo::DemoChart kChart{"bench.jpg", 48.00, 49.00, 9.00, 11.00, 10000, 7000};

class Folder
{
public:
    Folder()
    {
        path_ = fs::temp_directory_path() / ("tramvik-bench-" + std::to_string(::getpid()));
        tv::schema::LayoutOptions options;
        options.airports = true;
        options.airspace = tv::schema::AirspaceFile::WithRelease;
        tv::schema::layoutProgramFolder(path_, options);
    }
    ~Folder()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

void writeChart(const fs::path& file)
{
    const QImage image = tv::demo::drawDemoChart(kChart);
    QImageWriter writer(QString::fromStdString(file.string()), "jpeg");
    writer.setQuality(85);
    if (image.isNull() || !writer.write(image))
        throw std::runtime_error("cannot write the benchmark chart");
}

// DD.MM of a decimal-degree value.
double ddmm(double degrees)
{
    return tv::DegreesToDDMM(degrees);
}

void fillData(const fs::path& folder)
{
    tv::Connection main;
    main.Open((folder / "data.tvd").string());
    tv::Connection apt;
    apt.Open((folder / "tvdata.tvd").string());
    tv::Connection::Transaction tx(main);
    tv::Connection::Transaction txApt(apt);

    main.Execute("INSERT INTO Maps (Name, Unten, Oben, Links, Rechts, Breite, \"Höhe\", Active) "
                 "VALUES (?, ?, ?, ?, ?, ?, ?, 1)",
                 {kChart.name, kChart.untenDDMM, kChart.obenDDMM, kChart.linksDDMM,
                  kChart.rechtsDDMM, kChart.widthPx, kChart.heightPx});

    // 200 waypoints spread over the chart; every tenth is an airport.
    std::mt19937 random(7);
    std::uniform_real_distribution<double> lat(48.02, 48.98);
    std::uniform_real_distribution<double> lon(9.02, 10.98);
    for (int i = 0; i < 200; ++i) {
        const double la = lat(random);
        const double lo = lon(random);
        std::string name = "Punkt " + std::to_string(i);
        if (i % 10 == 0) {
            name = "ED" + std::string(1, static_cast<char>('A' + i / 10 % 26)) +
                   std::string(1, static_cast<char>('A' + i % 26));
            apt.Execute("INSERT INTO ARPT (ICAO, WGS_DLAT, WGS_DLONG, RWYALen, RWYGLen) "
                        "VALUES (?, ?, ?, ?, 0)",
                        {name, la, lo, 1200 + i});
            apt.Execute("INSERT INTO RWY (ICAO, rwy, RWYHdg, Surface, LENGTH) "
                        "VALUES (?, '07/25', '072', '0', ?)",
                        {name, 1200 + i});
            apt.Execute("INSERT INTO ACOM (ICAO, Name, Freq) VALUES (?, ?, '122.500')",
                        {name, name + " INFO"});
            apt.Execute("INSERT INTO ACOM (ICAO, Name, Freq) VALUES (?, ?, '127.800')",
                        {name, name + " ATIS"});
        }
        main.Execute("INSERT INTO Waypoints (Name, Lat, Long, Kategorie) VALUES (?, ?, ?, '')",
                     {name, ddmm(la), ddmm(lo)});
    }

    // A 10-point route zigzagging east across the middle of the chart.
    main.Execute("INSERT INTO Route (Name, Nummer) VALUES ('Bench', 1)");
    for (int i = 0; i < 10; ++i) {
        const double la = 48.5 + (i % 2 == 0 ? -0.1 : 0.1);
        const double lo = 9.1 + i * 0.2;
        main.Execute("INSERT INTO GpsPoints (RouteID, Nummer, PointID, Name, Lat, Long) "
                     "VALUES (1, ?, 0, ?, ?, ?)",
                     {i + 1, "R" + std::to_string(i + 1), ddmm(la), ddmm(lo)});
    }
    txApt.commit();
    tx.commit();
}

// The flight window over the benchmark folder, laid out with a 1,600 x 1,000 map, route
// line, waypoint names and airports on, navigating along the route.
class World
{
public:
    World()
    {
        writeChart(folder_.path() / "Karten" / kChart.name);
        fillData(folder_.path());
        tv::setProgramFolderForTesting(folder_.path());

        tv::MainConnection = std::make_shared<tv::Connection>();
        tv::MainConnection->Open((folder_.path() / "data.tvd").string());
        tv::AirportConnection = std::make_shared<tv::Connection>();
        tv::AirportConnection->Open((folder_.path() / "tvdata.tvd").string());
        tv::AptDataAvailable = true;
        tv::AirspaceConnection = std::make_shared<tv::Connection>();
        tv::AirspaceConnection->Open((folder_.path() / "Luftraum.tvd").string());
        tvtest::fillAirspaceFile(*tv::AirspaceConnection, tvtest::AirspaceFileShape::RealShaped);
        tv::QNH = 1013;
        tv::QNHDate = tv::today(); // the flight window need not ask the settings window
        tv::PlaneSymbol = 2;

        window = &tv::forms().get<tv::frmGPSmain>();
        window->resize(kWindowWidth, kWindowHeight);
        window->Form_Activate();
        window->layers.ShowRoute = true;
        window->layers.ShowWayInfo = true;
        window->layers.ShowAPT1 = true;
        window->layers.ShowAPT2 = true;
        window->cmdActivateGoto_Click();
    }

    tv::frmGPSmain* window = nullptr;
    fs::path dataFile() const { return folder_.path() / "data.tvd"; }

private:
    Folder folder_;
};

World& world()
{
    static World w;
    return w;
}

bool mapReady(benchmark::State& state, const tv::frmGPSmain& w)
{
    const tv::DrawSurface& map = w.picMap->surface();
    if (map.widthPx() != kMapWidth || map.heightPx() != kMapHeight) {
        state.SkipWithError("the map was not laid out at 1600 x 1000");
        return false;
    }
    if (!w.chartValid()) {
        state.SkipWithError("the chart did not load");
        return false;
    }
    return true;
}

// The zoom slider moved to `value` (-100..100), as the slider's handler does.
void setZoom(tv::frmGPSmain& w, int value)
{
    w.mapView.setSliderValue(value);
    const QSignalBlocker quiet(w.SlideMap);
    w.SlideMap->setValue(value);
    w.SlideMap_Change();
}

// The aircraft at a position in decimal degrees. The benchmark has no receiver: the aircraft
// is placed as without a fix (its symbol is drawn red rather than green, the same work).
void placeAircraft(tv::frmGPSmain& w, double latDeg, double lonDeg)
{
    w.navigation().fixEvents().placeWithoutFix(latDeg, lonDeg);
}

// The aircraft flies along the route, the map centred on it: a new view every redraw.
void BM_UpdateMapCentred(benchmark::State& state)
{
    tv::frmGPSmain& w = *world().window;
    if (!mapReady(state, w))
        return;
    setZoom(w, 0);
    w.cmdKartezentrieren_Click();
    int step = 0;
    for (auto _ : state) {
        const double t = (step++ % 400) / 400.0;
        placeAircraft(w, 48.5 + 0.1 * std::sin(t * 6.283), 9.1 + 1.8 * t);
        w.UpdateMap();
    }
}

// As BM_UpdateMapCentred while another program holds data.tvd (BEGIN EXCLUSIVE: not even
// reading works) with the program's usual 2 s lock wait: the map draws the waypoints it read
// last and must not wait for the lock. The message that tells it is answered at once.
void BM_UpdateMapCentredDataFileHeld(benchmark::State& state)
{
    sqlite3* other = nullptr;
    if (sqlite3_open_v2(world().dataFile().c_str(), &other, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK ||
        sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_close(other);
        state.SkipWithError("cannot hold data.tvd");
        return;
    }
    tv::setMsgBoxHook([](const tv::MsgRecord&) { return tv::MsgResult::Ok; });
    BM_UpdateMapCentred(state);
    tv::setMsgBoxHook(nullptr);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
}

// As BM_UpdateMapCentred with the airspace layer on, with or without its labels.
void centredWithAirspaces(benchmark::State& state, bool labels)
{
    tv::frmGPSmain& w = *world().window;
    if (!mapReady(state, w))
        return;
    w.layers.ShowLuftraum = true;
    w.layers.ShowLuftraumHoehe = labels;
    BM_UpdateMapCentred(state);
    w.layers.ShowLuftraum = false;
    w.layers.ShowLuftraumHoehe = false;
}
void BM_UpdateMapCentredAirspaces(benchmark::State& state)
{
    centredWithAirspaces(state, false);
}
void BM_UpdateMapCentredAirspaceLabels(benchmark::State& state)
{
    centredWithAirspaces(state, true);
}

// The whole chart width in view (slider at 100): the largest stretch of the chart and every
// waypoint of that width on the map.
void BM_UpdateMapWholeWidth(benchmark::State& state)
{
    tv::frmGPSmain& w = *world().window;
    if (!mapReady(state, w))
        return;
    setZoom(w, 100);
    placeAircraft(w, 48.5, 10.0);
    for (auto _ : state)
        w.UpdateMap();
    setZoom(w, 0);
}

// The chart stretch alone, for comparison.
void BM_ChartPaintOnly(benchmark::State& state)
{
    tv::frmGPSmain& w = *world().window;
    if (!mapReady(state, w))
        return;
    for (auto _ : state)
        w.mapView.paint(w.mapSurface());
}

BENCHMARK(BM_UpdateMapCentred)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_UpdateMapCentredDataFileHeld)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_UpdateMapCentredAirspaces)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UpdateMapCentredAirspaceLabels)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UpdateMapWholeWidth)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ChartPaintOnly)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    QApplication app(argc, argv);
    // The chart is larger than Qt's default image allocation limit.
    QImageReader::setAllocationLimit(0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    int status = 0;
    try {
        world();
        benchmark::RunSpecifiedBenchmarks();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_updatemap: %s\n", e.what());
        status = 1;
    }
    benchmark::Shutdown();
    tv::forms().unloadAll(QString());
    return status;
}
