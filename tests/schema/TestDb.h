#pragma once

#include "platform/Collation.h"

#include <sqlite3.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace tvtest {

// An open connection to an existing data file, the way the program opens one: read-write,
// never create, TVNOCASE registered. Failures throw std::runtime_error.
class TestDb
{
public:
    explicit TestDb(const std::filesystem::path& file)
    {
        if (sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            const std::string why = db_ ? sqlite3_errmsg(db_) : "out of memory";
            sqlite3_close(db_);
            throw std::runtime_error("cannot open " + file.string() + ": " + why);
        }
        if (!tv::registerNoCaseCollation(db_)) {
            sqlite3_close(db_);
            throw std::runtime_error("cannot register TVNOCASE");
        }
    }
    ~TestDb() { sqlite3_close(db_); }
    TestDb(const TestDb&) = delete;
    TestDb& operator=(const TestDb&) = delete;

    sqlite3* handle() const { return db_; }

    void exec(const std::string& sql)
    {
        char* message = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
            const std::string why = message ? message : "?";
            sqlite3_free(message);
            throw std::runtime_error(sql + ": " + why);
        }
    }

    // Runs `sql` with `params` bound as texts, returns the first column of every row as text
    // ("<null>" for NULL).
    std::vector<std::string> column(const std::string& sql,
                                    const std::vector<std::string>& params = {})
    {
        sqlite3_stmt* stmt = prepare(sql);
        for (size_t i = 0; i < params.size(); ++i)
            sqlite3_bind_text(stmt, static_cast<int>(i + 1), params[i].c_str(), -1,
                              SQLITE_TRANSIENT);
        std::vector<std::string> out;
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            const auto* text = sqlite3_column_text(stmt, 0);
            out.push_back(text ? reinterpret_cast<const char*>(text) : "<null>");
        }
        sqlite3_finalize(stmt);
        if (rc != SQLITE_DONE)
            throw std::runtime_error(sql + ": " + sqlite3_errmsg(db_));
        return out;
    }

    // The details of EXPLAIN QUERY PLAN for `sql`, one line per step.
    std::string queryPlan(const std::string& sql)
    {
        std::string plan;
        for (const std::string& step : planSteps(sql))
            plan += step + "\n";
        return plan;
    }

    // Empty when SQLite accepts `sql`, else its message.
    std::string prepareError(const std::string& sql)
    {
        sqlite3_stmt* stmt = nullptr;
        const int rc = sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr);
        sqlite3_finalize(stmt);
        return rc == SQLITE_OK ? std::string() : sqlite3_errmsg(db_);
    }

private:
    sqlite3_stmt* prepare(const std::string& sql)
    {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
            throw std::runtime_error(sql + ": " + sqlite3_errmsg(db_));
        return stmt;
    }

    std::vector<std::string> planSteps(const std::string& sql)
    {
        sqlite3_stmt* stmt = prepare("EXPLAIN QUERY PLAN " + sql);
        std::vector<std::string> steps;
        while (sqlite3_step(stmt) == SQLITE_ROW)
            steps.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3)));
        sqlite3_finalize(stmt);
        return steps;
    }

    sqlite3* db_ = nullptr;
};

} // namespace tvtest
