#include "schema/Schema.h"

#include "platform/Collation.h"
#include "schema/CreateDetail.h"
#include "schema/SqlText.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

namespace tv::schema {
namespace {

namespace fs = std::filesystem;

std::string quoted(const fs::path& file)
{
    return "\"" + file.string() + "\"";
}

// Owns one open SQLite connection.
class Database
{
public:
    explicit Database(const fs::path& file)
    {
        // The file exists already (made empty by the caller, an empty file is an empty
        // database): open without SQLITE_OPEN_CREATE so nothing else can be created here.
        const int rc = sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        if (rc != SQLITE_OK) {
            const std::string why = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
            sqlite3_close(db_);
            throw std::runtime_error("Cannot open the new file " + quoted(file) + ": " + why);
        }
    }
    ~Database() { sqlite3_close(db_); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    sqlite3* handle() const { return db_; }

    void exec(const char* sql, const std::string& what)
    {
        char* message = nullptr;
        if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
            const std::string why = message ? message : sqlite3_errmsg(db_);
            sqlite3_free(message);
            throw std::runtime_error(what + ": " + why);
        }
    }

private:
    sqlite3* db_ = nullptr;
};

// Makes `file` as a new empty file. "x" (exclusive) fails when anything exists at that path,
// also when it appears between a check and the creation, so an existing file is never touched.
void createEmptyFile(const fs::path& file)
{
    std::FILE* f = std::fopen(file.c_str(), "wbx");
    if (!f) {
        const int error = errno;
        if (error == EEXIST)
            throw std::runtime_error(quoted(file) +
                                     " already exists; data files are never overwritten");
        throw std::runtime_error("Cannot create " + quoted(file) + ": " + std::strerror(error));
    }
    if (std::fclose(f) != 0)
        throw std::runtime_error("Cannot create " + quoted(file) + ": " + std::strerror(errno));
}

void buildTables(const fs::path& file, DataFile which, const std::function<void(sqlite3*)>& fill)
{
    Database db(file);
    if (!registerNoCaseCollation(db.handle()))
        throw std::runtime_error("Cannot register the collation TVNOCASE on " + quoted(file));
    const std::string what = "Cannot create the tables of " + quoted(file);
    db.exec("BEGIN", what);
    try {
        db.exec(std::string(creationSql(which)).c_str(), what);
        if (fill)
            fill(db.handle());
        db.exec("COMMIT", what);
    } catch (...) {
        sqlite3_exec(db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

} // namespace

std::string_view fileName(DataFile which)
{
    switch (which) {
    case DataFile::Main:
        return "data.tvd";
    case DataFile::Track:
        return "track.tvd";
    case DataFile::Airspace:
        return "Luftraum.tvd";
    case DataFile::Airport:
        return "tvdata.tvd";
    }
    throw std::invalid_argument("unknown data file");
}

std::string_view creationSql(DataFile which)
{
    switch (which) {
    case DataFile::Main:
        return sql::kMainSql;
    case DataFile::Track:
        return sql::kTrackSql;
    case DataFile::Airspace:
        return sql::kAirspaceSql;
    case DataFile::Airport:
        return sql::kAirportSql;
    }
    throw std::invalid_argument("unknown data file");
}

void createDataFile(const std::filesystem::path& file, DataFile which)
{
    detail::createDataFile(file, which, {});
}

namespace detail {

void createDataFile(const std::filesystem::path& file, DataFile which,
                    const std::function<void(sqlite3*)>& fill)
{
    if (file.empty())
        throw std::runtime_error("No file name given for " + std::string(fileName(which)));
    createEmptyFile(file);
    // From here on the file is ours: a failure removes it rather than leaving a data file
    // without tables, which the program would take for a valid one.
    try {
        buildTables(file, which, fill);
    } catch (...) {
        std::error_code ignored;
        fs::remove(file, ignored);
        fs::remove(fs::path(file.string() + "-journal"), ignored);
        throw;
    }
}

void runWithText(sqlite3* db, const char* sql, const std::string& text, const std::string& what)
{
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_bind_text(stmt, 1, text.data(), static_cast<int>(text.size()),
                               SQLITE_TRANSIENT);
    if (rc == SQLITE_OK)
        rc = sqlite3_step(stmt);
    const std::string why = sqlite3_errmsg(db);
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(what + ": " + why);
}

} // namespace detail
} // namespace tv::schema
