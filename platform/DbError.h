#pragma once

#include <stdexcept>
#include <string>

namespace tv {

// A failed database or rowset operation: a data file that is missing or no database, an SQL
// text the database refuses, a move past the last row, a value that does not fit its field, a
// rowset file that cannot be read or written. The windows catch it where the program reacts to
// a failed operation; the message is for the log, not for the pilot.
class DbError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
    // `sqliteCode`: the primary SQLite result code of a failed statement (SQLITE_BUSY, ...).
    DbError(const std::string& what, int sqliteCode)
        : std::runtime_error(what), sqliteCode_(sqliteCode)
    {
    }

    // The primary SQLite result code when the database refused a statement; 0 otherwise.
    int sqliteCode() const { return sqliteCode_; }

private:
    int sqliteCode_ = 0;
};

// A table too large for a rowset file (size, values or fields beyond what its reader takes):
// nothing was written.
class RowsetTooLarge : public DbError
{
public:
    using DbError::DbError;
};

} // namespace tv
