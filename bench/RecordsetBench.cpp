// The plan window opens all waypoints by name and finds one by its name (quick find, adding a
// waypoint). Target: open plus one Find over 100,000 waypoints under 100 ms.
#include "platform/Collation.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

namespace {

constexpr int kWaypoints = 100000;

// A data file with kWaypoints waypoints laid out as the main data file does (index on Name),
// made once per run in a temporary folder.
class WaypointFile
{
public:
    WaypointFile()
    {
        folder_ = std::filesystem::temp_directory_path() /
                  ("tramvik-bench-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(folder_);
        path_ = folder_ / "data.tvd";
        sqlite3* db = nullptr;
        sqlite3_open_v2(path_.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        tv::registerNoCaseCollation(db);
        exec(db, R"(CREATE TABLE "Waypoints" (
            "PointID" INTEGER PRIMARY KEY AUTOINCREMENT,
            "Name" VARCHAR(255) COLLATE TVNOCASE, "Lat" DOUBLE, "Long" DOUBLE,
            "Kategorie" VARCHAR(255) COLLATE TVNOCASE, "Höhe" INTEGER,
            "Frequenz" VARCHAR(20) COLLATE TVNOCASE, "Bemerkung" TEXT COLLATE TVNOCASE);
            CREATE INDEX "WaypointsName" ON "Waypoints" ("Name");
            BEGIN;)");
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO Waypoints (Name, Lat, Long, Kategorie, \"Höhe\", "
                           "Frequenz, Bemerkung) VALUES (?, ?, ?, ?, ?, ?, ?)",
                           -1, &insert, nullptr);
        std::mt19937 rng(42);
        std::uniform_real_distribution<double> lat(45.0, 55.0);
        std::uniform_real_distribution<double> lon(5.0, 15.0);
        const char* categories[] = {"Flugplatz", "Stadt", "VOR", "Pflichtmeldepunkt", ""};
        for (int i = 0; i < kWaypoints; ++i) {
            // Names in no particular order, some with umlauts.
            const std::string name =
                (i % 7 == 0 ? "Über" : "Punkt") + std::to_string((i * 7919) % kWaypoints);
            sqlite3_bind_text(insert, 1, name.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_double(insert, 2, lat(rng));
            sqlite3_bind_double(insert, 3, lon(rng));
            sqlite3_bind_text(insert, 4, categories[i % 5], -1, SQLITE_STATIC);
            sqlite3_bind_int(insert, 5, i % 3000);
            sqlite3_bind_text(insert, 6, "123.450", -1, SQLITE_STATIC);
            sqlite3_bind_text(insert, 7, "Platzrunde links", -1, SQLITE_STATIC);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        exec(db, "COMMIT");
        sqlite3_close(db);
    }
    ~WaypointFile()
    {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    std::string path() const { return path_.string(); }

private:
    static void exec(sqlite3* db, const char* sql)
    {
        char* err = nullptr;
        if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
            const std::string msg = err != nullptr ? err : "?";
            sqlite3_free(err);
            throw std::runtime_error(msg);
        }
    }

    std::filesystem::path folder_;
    std::filesystem::path path_;
};

const WaypointFile& waypointFile()
{
    static const WaypointFile file;
    return file;
}

// The name searched for sorts late in the list, so Find walks most of it.
const char* const kSought = "punkt99998";

void OpenByNameAndFind(benchmark::State& state)
{
    tv::Connection db;
    db.Open(waypointFile().path());
    for (auto _ : state) {
        tv::Recordset rs;
        rs.Open("SELECT * FROM Waypoints ORDER BY Name", db);
        rs.MoveFirst();
        rs.Find("Name", tv::CompareOp::Equal, kSought);
        if (rs.Eof() || rs.RecordCount() != kWaypoints)
            state.SkipWithError("waypoint not found");
        benchmark::DoNotOptimize(rs.AbsolutePosition());
    }
}
BENCHMARK(OpenByNameAndFind)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The first open on a connection also reads the file's pages into SQLite's page cache (from
// the operating system's file cache).
void OpenByNameAndFindOnNewConnection(benchmark::State& state)
{
    for (auto _ : state) {
        tv::Connection db;
        db.Open(waypointFile().path());
        tv::Recordset rs;
        rs.Open("SELECT * FROM Waypoints ORDER BY Name", db);
        rs.MoveFirst();
        rs.Find("Name", tv::CompareOp::Equal, kSought);
        if (rs.Eof())
            state.SkipWithError("waypoint not found");
        benchmark::DoNotOptimize(rs.AbsolutePosition());
    }
}
BENCHMARK(OpenByNameAndFindOnNewConnection)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The floor for the two above: SQLite alone stepping through the same query and reading each
// value once, without keeping anything.
void SqliteStepOnly(benchmark::State& state)
{
    tv::Connection db;
    db.Open(waypointFile().path());
    for (auto _ : state) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db.handle(), "SELECT * FROM Waypoints ORDER BY Name", -1, &stmt,
                           nullptr);
        std::size_t bytes = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
                benchmark::DoNotOptimize(sqlite3_column_type(stmt, i));
                benchmark::DoNotOptimize(sqlite3_column_blob(stmt, i));
                bytes += static_cast<std::size_t>(sqlite3_column_bytes(stmt, i));
            }
        }
        sqlite3_finalize(stmt);
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(SqliteStepOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void FindOnly(benchmark::State& state)
{
    tv::Connection db;
    db.Open(waypointFile().path());
    tv::Recordset rs;
    rs.Open("SELECT * FROM Waypoints ORDER BY Name", db);
    for (auto _ : state) {
        rs.MoveFirst();
        rs.Find("Name", tv::CompareOp::Equal, kSought);
        benchmark::DoNotOptimize(rs.AbsolutePosition());
    }
}
BENCHMARK(FindOnly)->Unit(benchmark::kMillisecond);

void SortByName(benchmark::State& state)
{
    tv::Connection db;
    db.Open(waypointFile().path());
    tv::Recordset rs;
    rs.Open("SELECT * FROM Waypoints", db);
    for (auto _ : state) {
        rs.Sort("Name ASC");
        benchmark::DoNotOptimize(rs.AbsolutePosition());
    }
}
BENCHMARK(SortByName)->Unit(benchmark::kMillisecond);

} // namespace
