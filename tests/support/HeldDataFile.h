#pragma once

// Another program holds a data file with an exclusive lock (the sqlite3 shell inside
// BEGIN EXCLUSIVE, a backup tool): not even reading it works while this lives. The program's
// wait for a lock is cut to nothing meanwhile, so that no test sits out the 2 s wait.

#include "platform/Connection.h"

#include <sqlite3.h>

#include <filesystem>
#include <stdexcept>

namespace tvtest {

class HeldDataFile
{
public:
    explicit HeldDataFile(const std::filesystem::path& file) : waitMs_(tv::Connection::BusyWaitMs())
    {
        tv::Connection::SetBusyWaitMs(0);
        if (sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
            sqlite3_exec(db_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK) {
            sqlite3_close(db_);
            throw std::runtime_error("cannot hold " + file.string());
        }
    }
    ~HeldDataFile() { release(); }
    HeldDataFile(const HeldDataFile&) = delete;
    HeldDataFile& operator=(const HeldDataFile&) = delete;

    // The other program lets go (before the end of the test's scope).
    void release()
    {
        if (db_ == nullptr)
            return;
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db_);
        db_ = nullptr;
        tv::Connection::SetBusyWaitMs(waitMs_);
    }

private:
    sqlite3* db_ = nullptr;
    int waitMs_;
};

// The disk under `connection`'s file is full for as long as this lives: the file cannot grow
// by a page (SQLite's page limit stands in for the disk).
class FullDisk
{
public:
    explicit FullDisk(tv::Connection& connection) : connection_(connection)
    {
        connection_.Execute("PRAGMA max_page_count = 1");
    }
    ~FullDisk()
    {
        sqlite3_exec(connection_.handle(), "PRAGMA max_page_count = 1073741823", nullptr, nullptr,
                     nullptr);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    tv::Connection& connection_;
};

} // namespace tvtest
