// Route file import and airport import as the pilot runs them, each including its commit.
// Targets (median, Release build):
// - RouteFileImport: a 1,000-point route file, half of its names new, into a data.tvd holding
//   10,000 waypoints, under 100 ms (reading and checking the file included).
// - AirportImport: the country list plus the transfer of 10,000 airports in 150 countries into
//   a Waypoints table of 5,000, under 300 ms.
// Between iterations the rows an import added are deleted again (not timed).
#include "planning/AirportImport.h"
#include "planning/RouteExport.h"
#include "planning/RouteImport.h"
#include "platform/Connection.h"
#include "schema/Layout.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

namespace {

class BenchFolder
{
public:
    BenchFolder()
    {
        path_ = std::filesystem::temp_directory_path() /
                ("tramvik-bench-" + std::to_string(std::random_device{}()));
        tv::schema::LayoutOptions options;
        options.airports = true;
        tv::schema::layoutProgramFolder(path_, options);
        data.Open((path_ / "data.tvd").string());
        airports.Open((path_ / "tvdata.tvd").string());
    }
    ~BenchFolder()
    {
        data.Close();
        airports.Close();
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }

    tv::Connection data;
    tv::Connection airports;

private:
    std::filesystem::path path_;
};

// DD.MM positions spread over a few degrees, minutes 00 to 59 as the files hold them.
double latOf(int n)
{
    return 47.0 + n % 500 / 60 + n % 60 * 0.01;
}
double lonOf(int n)
{
    return 9.0 + n % 700 / 60 + n % 60 * 0.01;
}

// Inserts `count` waypoints named <prefix><n> through one transaction.
void addWaypoints(tv::Connection& db, const std::string& prefix, int count)
{
    tv::Connection::Transaction t(db);
    for (int i = 0; i < count; ++i)
        db.Execute("INSERT INTO Waypoints (Name, Lat, Long, Kategorie) VALUES (?, ?, ?, '')",
                   {prefix + std::to_string(i), latOf(i), lonOf(i)});
    t.commit();
}

void RouteFileImport(benchmark::State& state)
{
    BenchFolder folder;
    addWaypoints(folder.data, "Punkt ", 10000);
    // The route: every other point a stored waypoint (every 20th at other coordinates), the
    // others new names; exported from the same folder, then the route is removed again.
    {
        tv::Connection::Transaction t(folder.data);
        folder.data.Execute("INSERT INTO Route (RouteID, Name, Nummer) VALUES (1, 'Lang', 1)");
        for (int i = 0; i < 1000; ++i) {
            const bool known = i % 2 == 0;
            const std::string name =
                known ? "Punkt " + std::to_string(i * 7) : "Neu " + std::to_string(i);
            folder.data.Execute("INSERT INTO GpsPoints (RouteID, Nummer, PointID, Name, Lat, Long) "
                                "VALUES (1, ?, 0, ?, ?, ?)",
                                {i + 1, name, latOf(i * 7) + (i % 20 == 0), lonOf(i * 7)});
        }
        t.commit();
    }
    const auto file = tv::exportRoute(folder.data, {1, "Lang"}, folder.path()).file;
    folder.data.Execute("DELETE FROM GpsPoints");
    folder.data.Execute("DELETE FROM Route");

    for (auto _ : state) {
        const tv::RouteImportResult r = tv::importRouteFile(folder.data, file);
        if (!r.imported || r.waypointsAdded != 500 || r.pointsAdded != 1000)
            state.SkipWithError(("import failed: " + r.problem.reason).c_str());
        state.PauseTiming();
        folder.data.Execute("DELETE FROM Waypoints WHERE Name LIKE 'Neu %'");
        folder.data.Execute("DELETE FROM GpsPoints");
        folder.data.Execute("DELETE FROM Route");
        state.ResumeTiming();
    }
}
BENCHMARK(RouteFileImport)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

void AirportImport(benchmark::State& state)
{
    BenchFolder folder;
    addWaypoints(folder.data, "WP", 5000);
    {
        tv::Connection::Transaction t(folder.airports);
        for (int c = 0; c < 150; ++c) {
            const std::string prefix{static_cast<char>('A' + c / 26),
                                     static_cast<char>('A' + c % 26)};
            folder.airports.Execute("INSERT INTO ICAOCODE (ICAO, Name) VALUES (?, ?)",
                                    {prefix, "Land " + std::to_string(c)});
        }
        std::mt19937 rng(7);
        for (int i = 0; i < 10000; ++i) {
            const int c = static_cast<int>(rng() % 150);
            const std::string code{static_cast<char>('A' + c / 26), static_cast<char>('A' + c % 26),
                                   static_cast<char>('A' + i / 26 % 26),
                                   static_cast<char>('A' + i % 26)};
            folder.airports.Execute(
                "INSERT INTO ARPT (ICAO, WGS_DLAT, WGS_DLONG) VALUES (?, ?, ?)",
                {code + std::to_string(i / 676), -60.0 + i % 120, -170.0 + i % 340});
        }
        t.commit();
    }

    for (auto _ : state) {
        const auto countries = tv::listAirportCountries(folder.airports);
        std::vector<std::string> prefixes;
        for (const auto& c : countries)
            prefixes.push_back(c.prefix);
        const std::int32_t added =
            tv::transferAirports(folder.airports, folder.data, prefixes, "Flugplatz");
        if (countries.size() != 150 || added != 10000)
            state.SkipWithError("transfer did not add every airport");
        state.PauseTiming();
        folder.data.Execute("DELETE FROM Waypoints WHERE Kategorie = 'Flugplatz'");
        state.ResumeTiming();
    }
}
BENCHMARK(AirportImport)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
