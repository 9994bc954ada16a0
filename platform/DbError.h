#pragma once

#include <stdexcept>
#include <string>

namespace tv {

// Why a data file refused a read or a write, in the terms a pilot can act on.
enum class DataFault {
    None,         // no fault of the file: an SQL text refused, a value that does not fit, ...
    Locked,       // another program holds the file (also against readers)
    NoPermission, // the file or its folder may not be written (or read)
    DiskFull,
    DiskError, // the disk failed to read or write
    Missing,   // the file is gone, or another file was put in its place
    Damaged,   // the file is no sound database
    OutOfMemory,
};

// A failed database or rowset operation: a data file that is missing or no database, an SQL
// text the database refuses, a move past the last row, a value that does not fit its field, a
// rowset file that cannot be read or written. The windows catch it where the program reacts to
// a failed operation; what() is for the log, fault() and file() for the pilot.
class DbError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
    // `sqliteCode`: the primary SQLite result code of a failed statement (SQLITE_BUSY, ...).
    DbError(const std::string& what, int sqliteCode)
        : std::runtime_error(what), sqliteCode_(sqliteCode)
    {
    }
    DbError(const std::string& what, int sqliteCode, DataFault fault, std::string file)
        : std::runtime_error(what), sqliteCode_(sqliteCode), fault_(fault), file_(std::move(file))
    {
    }

    // The primary SQLite result code when the database refused a statement; 0 otherwise.
    int sqliteCode() const { return sqliteCode_; }
    // Why the data file failed; None when the file is not at fault.
    DataFault fault() const { return fault_; }
    // The data file that failed, as it was opened; empty when none is known.
    const std::string& file() const { return file_; }

private:
    int sqliteCode_ = 0;
    DataFault fault_ = DataFault::None;
    std::string file_;
};

// A table too large for a rowset file (size, values or fields beyond what its reader takes):
// nothing was written.
class RowsetTooLarge : public DbError
{
public:
    using DbError::DbError;
};

} // namespace tv
