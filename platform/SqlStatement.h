#pragma once

#include "platform/DbError.h"
#include "platform/Value.h"

#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace tv::detail {

// One prepared SQL statement; used by Connection and Recordset only.
class Statement
{
public:
    // Prepares exactly one statement (a trailing ";" is fine). Throws DbError when SQLite
    // refuses it or when more statements follow, so a text cannot smuggle in a second one.
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Binds "?" parameters 1..n; the count must match the statement's.
    void bind(const std::vector<Value>& params);
    // True when a row is ready, false when the statement is done. Throws DbError.
    bool step();
    Value column(int index) const;
    int columnCount() const;
    sqlite3_stmt* get() const { return stmt_; }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    std::string sql_;
};

// The fault of a data file behind an SQLite result code (extended) and the errno of the system
// call that failed under it.
DataFault faultOf(int extendedCode, int systemErrno);

// Throws DbError with the database's message, its result code, the fault and the file.
[[noreturn]] void throwSqlError(sqlite3* db, const std::string& what);

// "name" with inner quotes doubled: an identifier that may be a keyword ("Index") or hold
// umlauts ("Höhe").
std::string quoteIdentifier(std::string_view name);

} // namespace tv::detail
