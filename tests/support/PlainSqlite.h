#pragma once

// Builds a data file as a producer outside the program would: with the sqlite3 library alone,
// no collation of ours registered, from the tables that schema/ documents.

#include <sqlite3.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tvtest {

// Creates `file` and runs `schemaSql`, then each of `statements`. Throws std::runtime_error
// with SQLite's message when any of it fails (the file may then be left half made).
inline void buildWithPlainSqlite(const std::filesystem::path& file, std::string_view schemaSql,
                                 const std::vector<std::string>& statements = {})
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot create " + file.string());
    }
    std::vector<std::string> all{std::string(schemaSql)};
    all.insert(all.end(), statements.begin(), statements.end());
    for (const std::string& sql : all) {
        char* message = nullptr;
        if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
            const std::string why = message ? message : "?";
            sqlite3_free(message);
            sqlite3_close(db);
            throw std::runtime_error(why);
        }
    }
    sqlite3_close(db);
}

} // namespace tvtest
