#include "platform/Connection.h"

#include "platform/Collation.h"
#include "platform/DbError.h"
#include "platform/SqlStatement.h"
#include "platform/TextFold.h"

#include <sqlite3.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <algorithm>
#include <optional>
#include <string_view>

namespace tv {
namespace {

size_t codePointLength(std::string_view s, size_t at)
{
    const auto c = static_cast<unsigned char>(s[at]);
    const size_t n = c < 0xC0 ? 1 : (c < 0xE0 ? 2 : (c < 0xF0 ? 3 : 4));
    return std::min(n, s.size() - at);
}

// SQL LIKE over texts folded by TextFold: % any run of characters, _ one character (a UTF-8
// code point), `escape` makes the next pattern character literal. The classic wildcard walk
// that goes back to the last % on a mismatch.
bool likeMatch(std::string_view pattern, std::string_view text,
               std::optional<std::string_view> escape)
{
    size_t p = 0;
    size_t t = 0;
    size_t starP = std::string_view::npos;
    size_t starT = 0;
    while (t < text.size()) {
        if (p < pattern.size()) {
            const bool escaped = escape && pattern.substr(p, escape->size()) == *escape;
            if (!escaped && pattern[p] == '%') {
                starP = ++p;
                starT = t;
                continue;
            }
            if (!escaped && pattern[p] == '_') {
                ++p;
                t += codePointLength(text, t);
                continue;
            }
            const size_t litAt = escaped ? p + escape->size() : p;
            if (litAt < pattern.size()) {
                const size_t n = codePointLength(pattern, litAt);
                if (text.substr(t, n) == pattern.substr(litAt, n)) {
                    p = litAt + n;
                    t += n;
                    continue;
                }
            }
        }
        if (starP == std::string_view::npos)
            return false;
        p = starP;
        starT += codePointLength(text, starT);
        t = starT;
    }
    while (p < pattern.size() && pattern[p] == '%')
        ++p;
    return p == pattern.size();
}

std::string_view argText(sqlite3_value* v)
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p != nullptr ? std::string_view(p, static_cast<size_t>(sqlite3_value_bytes(v)))
                        : std::string_view();
}

// like(pattern, text [, escape]): what "text LIKE pattern [ESCAPE escape]" calls.
void likeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
    }
    const std::string_view pattern = argText(argv[0]);
    if (pattern.size() > 50000) {
        sqlite3_result_error(ctx, "LIKE pattern too long", -1);
        return;
    }
    std::optional<std::string_view> escape;
    if (argc == 3) {
        escape = argText(argv[2]);
        if (escape->empty() || codePointLength(*escape, 0) != escape->size()) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
    }
    const std::string text = foldCase(argText(argv[1]));
    const std::string pat = foldCase(pattern);
    std::string esc;
    if (escape) {
        esc = foldCase(*escape);
        escape = esc;
    }
    sqlite3_result_int(ctx, likeMatch(pat, text, escape) ? 1 : 0);
}

bool registerLike(sqlite3* db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    return sqlite3_create_function(db, "like", 2, flags, nullptr, &likeFunction, nullptr,
                                   nullptr) == SQLITE_OK &&
           sqlite3_create_function(db, "like", 3, flags, nullptr, &likeFunction, nullptr,
                                   nullptr) == SQLITE_OK;
}

} // namespace

namespace {

int gBusyWaitMs = 2000;

struct OpenedFile
{
    sqlite3* db = nullptr;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
};

// Opens `path` read-write (read-only where SQLite can only read it), never creating it, and
// checks that it is a database with tables. Throws DbError with the fault.
OpenedFile openFile(const std::string& path)
{
    // SQLite reads ":memory:" and "file:" as special names; ours are always files.
    std::string file = path;
    if (file.front() == ':' || file.rfind("file:", 0) == 0)
        file = "./" + file;

    // Without SQLITE_OPEN_CREATE a missing file stays missing. NOMUTEX: a connection and its
    // recordsets are used by one thread at a time (the program's one thread), so SQLite need
    // not lock on every call of a row fetch.
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) !=
        SQLITE_OK) {
        const std::string msg = db != nullptr ? sqlite3_errmsg(db) : "out of memory";
        const DataFault fault =
            db != nullptr ? detail::faultOf(sqlite3_extended_errcode(db), sqlite3_system_errno(db))
                          : DataFault::OutOfMemory;
        const int code = db != nullptr ? sqlite3_errcode(db) & 0xFF : SQLITE_NOMEM;
        sqlite3_close(db);
        throw DbError("cannot open data file " + path + ": " + msg, code, fault, path);
    }
    try {
        sqlite3_extended_result_codes(db, 1);
        sqlite3_busy_timeout(db, gBusyWaitMs);
        // Lists open every row at once, often through an index in another order than the
        // table's: a page cache that holds a whole data file (32 MiB, taken only as used)
        // reads each page once instead of again and again.
        sqlite3_exec(db, "PRAGMA cache_size = -32768", nullptr, nullptr, nullptr);
        if (!registerNoCaseCollation(db) || !registerLike(db))
            detail::throwSqlError(db, "cannot set up " + path);
        // SQLite opens any file lazily; reading the schema tells a database from other files.
        // A database without tables (an empty file) is none of ours either.
        detail::Statement probe(db, "SELECT count(*) FROM sqlite_master WHERE type = 'table'");
        if (!probe.step() || probe.column(0).toInt() == 0)
            throw DbError("no tables in " + path, SQLITE_NOTADB, DataFault::Damaged, path);
    } catch (const DbError& e) {
        sqlite3_close_v2(db);
        throw DbError(std::string("not a data file: ") + e.what(), e.sqliteCode(), e.fault(), path);
    }
    // The file SQLite has open now; a file put at the path after this is another file.
    OpenedFile opened{db};
    struct stat st
    {
    };
    if (::stat(file.c_str(), &st) == 0) {
        opened.device = static_cast<std::uint64_t>(st.st_dev);
        opened.inode = static_cast<std::uint64_t>(st.st_ino);
    }
    return opened;
}

} // namespace

Connection::Connection() = default;

Connection::~Connection()
{
    Close();
}

void Connection::Open(const std::string& path)
{
    Close();
    if (path.empty())
        throw DbError("no data file given");
    const OpenedFile opened = openFile(path);
    state_ = std::make_shared<detail::ConnectionState>();
    state_->db = opened.db;
    state_->path = path;
    state_->device = opened.device;
    state_->inode = opened.inode;
}

void Connection::Close()
{
    if (!state_)
        return;
    // Recordsets opened on this connection keep the shared state; they see a closed database.
    // close_v2 waits for statements still unfinished instead of failing.
    sqlite3_close_v2(state_->db);
    state_->db = nullptr;
    state_.reset();
}

sqlite3* detail::ConnectionState::current()
{
    if (db == nullptr)
        return db;
    const int waitMs =
        shortTries > 0 ? std::min(gBusyWaitMs, Connection::ShortWait::kShortTryMs) : gBusyWaitMs;
    if (waitMs != appliedWaitMs) {
        sqlite3_busy_timeout(db, waitMs);
        appliedWaitMs = waitMs;
    }
    if (sqlite3_get_autocommit(db) == 0)
        return db;
    struct stat st
    {
    };
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT)
            throw DbError("data file " + path + " is gone", SQLITE_CANTOPEN, DataFault::Missing,
                          path);
        return db; // SQLite tells what else is wrong
    }
    const bool replaced = static_cast<std::uint64_t>(st.st_dev) != device ||
                          static_cast<std::uint64_t>(st.st_ino) != inode;
    const bool readOnly = sqlite3_db_readonly(db, "main") == 1;
    if (!replaced && !(readOnly && ::access(path.c_str(), W_OK) == 0))
        return db;
    // Statements of the old file are finished (outside a transaction nothing is pending), so
    // the recordsets sharing this state go on with the new file.
    const OpenedFile opened = openFile(path);
    if (!replaced && sqlite3_db_readonly(opened.db, "main") == 1) {
        sqlite3_close_v2(opened.db);
        return db;
    }
    sqlite3_close_v2(db);
    db = opened.db;
    device = opened.device;
    inode = opened.inode;
    ++generation;
    sqlite3_busy_timeout(db, waitMs);
    appliedWaitMs = waitMs;
    return db;
}

bool Connection::IsReadOnly() const
{
    return IsOpen() && sqlite3_db_readonly(state_->db, "main") == 1;
}

std::uint64_t Connection::FileGeneration() const
{
    return state_ ? state_->generation : 0;
}

void Connection::SetBusyWaitMs(int ms)
{
    gBusyWaitMs = std::max(0, ms);
}

int Connection::BusyWaitMs()
{
    return gBusyWaitMs;
}

Connection::ShortWait::ShortWait(Connection& connection) : state_(connection.state_)
{
    if (state_)
        ++state_->shortTries;
}

Connection::ShortWait::~ShortWait()
{
    if (state_)
        --state_->shortTries;
}

bool Connection::IsOpen() const
{
    return state_ && state_->db != nullptr;
}

sqlite3* Connection::handle() const
{
    return state_ ? state_->db : nullptr;
}

const std::string& Connection::path() const
{
    static const std::string none;
    return state_ ? state_->path : none;
}

int Connection::Execute(const std::string& sql, const std::vector<Value>& params)
{
    if (!IsOpen())
        throw DbError("connection is not open");
    sqlite3* db = state_->current();
    detail::Statement stmt(db, sql);
    stmt.bind(params);
    const auto before = sqlite3_total_changes64(db);
    while (stmt.step()) {
    }
    // sqlite3_changes keeps the count of the last INSERT, UPDATE or DELETE; other statements
    // changed nothing.
    return sqlite3_total_changes64(db) == before ? 0 : sqlite3_changes(db);
}

int QueryRow::columnCount() const
{
    return statement_.columnCount();
}

Value QueryRow::value(int column) const
{
    return statement_.column(column);
}

bool QueryRow::isNull(int column) const
{
    return sqlite3_column_type(statement_.get(), column) == SQLITE_NULL;
}

std::optional<double> QueryRow::number(int column) const
{
    sqlite3_stmt* s = statement_.get();
    switch (sqlite3_column_type(s, column)) {
    case SQLITE_INTEGER:
        return static_cast<double>(sqlite3_column_int64(s, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(s, column);
    case SQLITE_TEXT:
    case SQLITE_BLOB: {
        const auto* p = static_cast<const char*>(sqlite3_column_blob(s, column));
        const int n = sqlite3_column_bytes(s, column);
        return parseNumber(std::string_view(p != nullptr ? p : "", static_cast<std::size_t>(n)));
    }
    default:
        return std::nullopt;
    }
}

std::string QueryRow::text(int column) const
{
    sqlite3_stmt* s = statement_.get();
    switch (sqlite3_column_type(s, column)) {
    case SQLITE_TEXT:
    case SQLITE_BLOB: {
        const auto* p = static_cast<const char*>(sqlite3_column_blob(s, column));
        const int n = sqlite3_column_bytes(s, column);
        return std::string(p != nullptr ? p : "", static_cast<std::size_t>(n));
    }
    case SQLITE_NULL:
        return {};
    default:
        return statement_.column(column).toString();
    }
}

void Connection::ForEachRow(const std::string& sql, const std::vector<Value>& params,
                            const std::function<void(const QueryRow& row)>& row)
{
    if (!IsOpen())
        throw DbError("connection is not open");
    detail::Statement stmt(state_->current(), sql);
    if (stmt.columnCount() == 0 || !sqlite3_stmt_readonly(stmt.get()))
        throw DbError("not a query (" + sql + ")");
    stmt.bind(params);
    const QueryRow current(stmt);
    while (stmt.step())
        row(current);
}

std::int64_t Connection::LastInsertId() const
{
    if (!IsOpen())
        throw DbError("connection is not open");
    return state_->lastInsertId();
}

std::int64_t detail::ConnectionState::lastInsertId() const
{
    return sqlite3_last_insert_rowid(db);
}

Connection::Transaction::Transaction(Connection& connection) : state_(connection.state_)
{
    if (!state_ || state_->db == nullptr)
        throw DbError("connection is not open");
    detail::Statement(state_->current(), "SAVEPOINT tv_transaction").step();
}

Connection::Transaction::~Transaction()
{
    if (done_ || state_->db == nullptr)
        return;
    // Never throws: a failed rollback leaves SQLite to roll back when the connection closes.
    sqlite3_exec(state_->db, "ROLLBACK TO tv_transaction", nullptr, nullptr, nullptr);
    // Releasing the outermost savepoint ends the transaction, which SQLite refuses while another
    // connection still reads (busy) after a failed commit; the connection would then stay in
    // the transaction and hold its lock. Nothing of it is kept, so it ends as a rollback.
    if (sqlite3_exec(state_->db, "RELEASE tv_transaction", nullptr, nullptr, nullptr) !=
            SQLITE_OK &&
        sqlite3_get_autocommit(state_->db) == 0)
        sqlite3_exec(state_->db, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Connection::Transaction::commit()
{
    if (done_)
        throw DbError("transaction already committed");
    if (state_->db == nullptr)
        throw DbError("connection is not open");
    detail::Statement(state_->db, "RELEASE tv_transaction").step();
    done_ = true;
}

} // namespace tv
