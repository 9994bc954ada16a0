// The flight-plan window's route choice on a 500-point route that has a saved plan: the plan
// shown is saved to its file, the saved plan is read back, the route's points are read from
// data.tvd, the 499 legs are built and the grid is filled. Target: median below 50 ms.
//
//   build/bench/bench_flightplan                      (measure in a Release build)
//
// The program folder is made in a temporary folder and removed at the end.
#include "core/Variablen.h"
#include "core/forms/Forms.h"
#include "flightplan/frmFlugPlan.h"
#include "platform/Connection.h"
#include "platform/ProgramFolder.h"
#include "schema/Layout.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QByteArray>

#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>

namespace {

constexpr int kPoints = 500;

std::filesystem::path makeProgramFolder()
{
    std::random_device rd;
    const auto folder =
        std::filesystem::temp_directory_path() / ("tramvik-bench-fplan-" + std::to_string(rd()));
    tv::schema::layoutProgramFolder(folder);
    tv::Connection db;
    db.Open((folder / "data.tvd").string());
    tv::Connection::Transaction tx(db);
    db.Execute("INSERT INTO Route (Name, Nummer) VALUES (?, 1)", {tv::Value("Deutschlandflug")});
    // A zig-zag across southern Germany, DD.MM, legs of 5 to 20 NM.
    for (int i = 0; i < kPoints; ++i) {
        const double lat = 47.30 + (i % 40) * 0.05;
        const double lon = 7.30 + (i / 40) * 0.20 + (i % 2) * 0.07;
        db.Execute("INSERT INTO GpsPoints (RouteID, Nummer, PointID, Name, Lat, Long) "
                   "VALUES (1, ?, 0, ?, ?, ?)",
                   {tv::Value(i + 1), tv::Value("Punkt " + std::to_string(i + 1)), tv::Value(lat),
                    tv::Value(lon)});
    }
    tx.commit();
    return folder;
}

void FlightPlanBuild(benchmark::State& state)
{
    const auto folder = makeProgramFolder();
    tv::setProgramFolderForTesting(folder);
    tv::MainConnection = std::make_shared<tv::Connection>();
    tv::MainConnection->Open((folder / "data.tvd").string());
    {
        tv::frmFlugPlan& w = tv::forms().get<tv::frmFlugPlan>();
        w.resize(1113, 700);
        w.Form_Activate();   // builds the plan from the boxes
        w.Form_Deactivate(); // and saves it: the route has a saved plan from now on
        if (w.plan() == nullptr || w.plan()->RecordCount() != kPoints)
            throw std::runtime_error("the plan was not built");
        for (auto _ : state)
            w.cmbRoute_Click(); // save the plan shown, build the route's plan again
        state.counters["legs"] = kPoints - 1;
    }
    tv::forms().unloadAll(QString());
    tv::MainConnection.reset();
    tv::setProgramFolderForTesting({});
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}
BENCHMARK(FlightPlanBuild)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
