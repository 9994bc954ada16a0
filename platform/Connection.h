#pragma once

#include "platform/Value.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;

namespace tv {

namespace detail {
// The open database, shared by the connection and the recordsets opened on it, so that a
// recordset outliving its connection object fails cleanly instead of touching a freed handle.
struct ConnectionState
{
    sqlite3* db = nullptr;
    std::string path;

    // The rowid of the row that the last successful INSERT on `db` added; 0 before any.
    std::int64_t lastInsertId() const;
};
} // namespace detail

// A connection to one of our data files (SQLite), standing in for an ADO connection with a
// client-side cursor. Opening never creates a file.
class Connection
{
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens an existing data file for reading and writing. A missing file, a file that is no
    // SQLite database, or a database without any table throws DbError and creates nothing.
    // Registers the case-insensitive collation TVNOCASE and a LIKE that ignores case the same
    // way (umlauts included; wildcards % and _). An open connection is closed first.
    void Open(const std::string& path);
    void Close();
    bool IsOpen() const;

    // Runs one SQL statement with its "?" parameters bound in order; returns the number of
    // rows it changed. Throws DbError when the database refuses it.
    int Execute(const std::string& sql, const std::vector<Value>& params = {});
    // The autonumber (rowid) of the row that the last successful INSERT on this connection
    // added; 0 before any.
    std::int64_t LastInsertId() const;

    sqlite3* handle() const;
    const std::string& path() const;

    // All-or-nothing for changes that touch several rows: rolled back when the guard is
    // destroyed without commit(). Guards nest (each is a savepoint).
    class Transaction
    {
    public:
        explicit Transaction(Connection& connection);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        void commit();

    private:
        std::shared_ptr<detail::ConnectionState> state_;
        bool done_ = false;
    };

private:
    friend class Recordset;
    std::shared_ptr<detail::ConnectionState> state_;
};

} // namespace tv
