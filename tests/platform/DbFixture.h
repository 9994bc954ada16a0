#pragma once

#include "platform/Collation.h"
#include "support/TempDir.h"

#include <sqlite3.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace tvtest {

// Creates a data file with raw SQLite (not through Connection, which never creates files):
// registers our collation and runs `sql`, which may hold several statements.
inline void makeDatabase(const std::filesystem::path& path, const std::string& sql)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot create " + path.string());
    }
    tv::registerNoCaseCollation(db);
    char* err = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        const std::string msg = err != nullptr ? err : "?";
        sqlite3_free(err);
        sqlite3_close(db);
        throw std::runtime_error(msg);
    }
    sqlite3_close(db);
}

// Runs one query on the file with raw SQLite and gives the first column of the first row as
// text ("" for none): checks what really landed in the file.
inline std::string queryText(const std::filesystem::path& path, const std::string& sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    tv::registerNoCaseCollation(db);
    sqlite3_stmt* stmt = nullptr;
    std::string out;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_text(stmt, 0) != nullptr)
        out = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return out;
}

// A small main data file: waypoints with an autonumber, categories without a key, charts with
// an umlaut column and a boolean, a track list with the keyword column "Index".
inline const char* kDataSql = R"sql(
CREATE TABLE "Waypoints" (
    "PointID" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Name" VARCHAR(255) COLLATE TVNOCASE,
    "Lat" DOUBLE, "Long" DOUBLE,
    "Kategorie" VARCHAR(255) COLLATE TVNOCASE);
CREATE INDEX "WaypointsName" ON "Waypoints" ("Name");
CREATE TABLE "Kategorie" ("Nummer" DOUBLE, "Kategorie" VARCHAR(50) COLLATE TVNOCASE);
CREATE TABLE "Maps" (
    "Name" VARCHAR(255) COLLATE TVNOCASE NOT NULL, "Breite" INTEGER, "Höhe" INTEGER,
    "Oben" DOUBLE, "Unten" DOUBLE, "Active" BOOLEAN, "Zoom" SMALLINT, "Scale" REAL,
    "Datum" DATETIME, "Notiz" TEXT COLLATE TVNOCASE);
CREATE TABLE "List" ("Index" INTEGER PRIMARY KEY AUTOINCREMENT,
    "Name" VARCHAR(50) COLLATE TVNOCASE, "Surface" INTEGER);
INSERT INTO "Waypoints" ("Name", "Lat", "Long", "Kategorie") VALUES
    ('Berlin', 52.3, 13.24, 'Stadt'),
    ('MÜNCHEN', 48.08, 11.34, 'Stadt'),
    ('O''Hare', 41.58, -87.54, 'Flugplatz'),
    ('Überlingen', 47.46, 9.1, ''),
    ('Zell', 47.5, 7.5, NULL);
INSERT INTO "Kategorie" VALUES (1, 'Stadt'), (2, 'Flugplatz'), (3, 'stadt');
INSERT INTO "Maps" VALUES
    ('demo.bmp', 1000, 800, 48.3, 47.3, 1, 3, 0.5, '2024-05-01 10:30:00', NULL),
    ('alpen.jpg', 2000, 1600, 47.5, 46.5, 0, -2, 1.25, NULL, 'Notiz');
)sql";

} // namespace tvtest
