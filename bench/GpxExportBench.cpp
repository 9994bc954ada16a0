// The track manager exports a long track: 100,000 points read from track.tvd and written as the
// combined GPX document (waypoints, then the same points as a track) to a file.
// Target: median under 300 ms.
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "schema/Schema.h"
#include "tracks/GpxDocument.h"
#include "tracks/TrackList.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

namespace {

constexpr int kPoints = 100000;

// A track file with one track of kPoints points, one every 10 s, made once per run in a
// temporary folder.
class TrackFile
{
public:
    TrackFile()
    {
        folder_ = std::filesystem::temp_directory_path() /
                  ("tramvik-bench-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(folder_);
        path_ = folder_ / "track.tvd";
        tv::schema::createDataFile(path_, tv::schema::DataFile::Track);
        tv::Connection c;
        c.Open(path_.string());
        c.Execute(R"(INSERT INTO "List" ("Index", "Name") VALUES (1, '08Dec26 - 14:05'))");
        tv::Connection::Transaction t(c);
        std::mt19937 rng(42);
        std::uniform_real_distribution<double> step(-0.001, 0.001);
        double lat = 48.5, lon = 9.2;
        for (int i = 0; i < kPoints; ++i) {
            lat += step(rng);
            lon += step(rng);
            const int s = i * 10;
            char time[16];
            std::snprintf(time, sizeof time, "%02d:%02d:%02d", (s / 3600) % 24, (s / 60) % 60,
                          s % 60);
            c.Execute(R"(INSERT INTO "track" VALUES (1, ?, ?, ?, ?, '2026-12-08', ?))",
                      {i + 1, lat, lon, 300.0 + (i % 2000) * 0.5, std::string(time)});
        }
        t.commit();
    }
    ~TrackFile()
    {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path folder() const { return folder_; }

private:
    std::filesystem::path folder_;
    std::filesystem::path path_;
};

void GpxExport(benchmark::State& state)
{
    static const TrackFile file;
    const std::filesystem::path out = file.folder() / "Track1.gpx";
    for (auto _ : state) {
        tv::Connection c;
        c.Open(file.path().string());
        const tv::BoundSql query = tv::pointQuery({1});
        tv::Recordset points;
        points.Open(query.sql, c, query.params);
        if (tv::saveGpxFile(out, points, tv::GpxKind::WaypointsAndTrack) != 0)
            state.SkipWithError("the export failed");
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(out));
}
BENCHMARK(GpxExport)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
