#pragma once

#include "platform/Value.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
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
    // The file `db` has open (device and inode), to tell when another file took its path.
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t generation = 1; // how often the file was opened: 1, +1 at each reopening
    int shortTries = 0;           // ShortWait guards alive
    int appliedWaitMs = -1;       // the lock wait set on `db`

    // The rowid of the row that the last successful INSERT on `db` added; 0 before any.
    std::int64_t lastInsertId() const;
    // `db` for the next statement. Outside a transaction the file at `path` is checked first:
    // a missing file throws DbError (Missing); a file put in place of the one open, or a file
    // opened read-only that can now be written, is opened again. Throws DbError.
    sqlite3* current();
};
} // namespace detail

namespace detail {
class Statement;
}

// The row a query stands on (Connection::ForEachRow), read in place: each column as its Value
// would give it, without making the Value. Valid only while the row is handed on.
class QueryRow
{
public:
    int columnCount() const;
    Value value(int column) const;
    bool isNull(int column) const;
    // As Value::asNumber.
    std::optional<double> number(int column) const;
    // As Value::toString.
    std::string text(int column) const;

private:
    friend class Connection;
    explicit QueryRow(const detail::Statement& statement) : statement_(statement) {}
    const detail::Statement& statement_;
};

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
    //
    // The file is watched from then on: before each statement outside a transaction, a file
    // that was replaced (a backup put back) or that opened read-only and can now be written is
    // opened again, and a file that is gone fails the statement as Missing (DbError::fault).
    void Open(const std::string& path);
    void Close();
    bool IsOpen() const;
    // The file could only be opened for reading (no permission to write it): every change
    // fails until it can be written again.
    bool IsReadOnly() const;
    // Counts the openings of the file, the first included: a list read under another count
    // was read from a file that is no longer there (a backup was put back), and is read again.
    std::uint64_t FileGeneration() const;

    // How long a statement waits for another program's lock before it fails as Locked: 2 s
    // unless a test sets less (for every connection, from its next statement on).
    static void SetBusyWaitMs(int ms);
    static int BusyWaitMs();

    // For code that must not keep the pilot waiting (the moving map, the track recorder): while
    // it lives, statements of `connection` wait at most a short try for another program's lock.
    class ShortWait
    {
    public:
        static constexpr int kShortTryMs = 20;
        explicit ShortWait(Connection& connection);
        ~ShortWait();
        ShortWait(const ShortWait&) = delete;
        ShortWait& operator=(const ShortWait&) = delete;

    private:
        std::shared_ptr<detail::ConnectionState> state_;
    };

    // Runs one SQL statement with its "?" parameters bound in order; returns the number of
    // rows it changed. Throws DbError when the database refuses it.
    int Execute(const std::string& sql, const std::vector<Value>& params = {});
    // Runs a query (a statement that changes nothing) and hands its rows to `row` one at a
    // time in the order the database gives them. Nothing is kept: for readers that build their
    // own structures from tens of thousands of rows, which a Recordset would first copy whole.
    // Throws DbError, also half-way; what `row` throws passes through.
    void ForEachRow(const std::string& sql, const std::vector<Value>& params,
                    const std::function<void(const QueryRow& row)>& row);
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
