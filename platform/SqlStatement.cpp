#include "platform/SqlStatement.h"

#include "platform/DbError.h"

#include <sqlite3.h>

#include <cerrno>

namespace tv::detail {

DataFault faultOf(int extendedCode, int systemErrno)
{
    const auto byErrno = [systemErrno](DataFault otherwise) {
        switch (systemErrno) {
        case ENOENT:
            return DataFault::Missing;
        case EACCES:
        case EPERM:
        case EROFS:
            return DataFault::NoPermission;
        case ENOSPC:
        case EDQUOT:
            return DataFault::DiskFull;
        default:
            return otherwise;
        }
    };
    switch (extendedCode & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return DataFault::Locked;
    case SQLITE_READONLY:
        // SQLite refuses writes once the file it opened is no longer the file at its path.
        return extendedCode == SQLITE_READONLY_DBMOVED ? DataFault::Missing
                                                       : DataFault::NoPermission;
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return DataFault::NoPermission;
    case SQLITE_CANTOPEN:
        return byErrno(DataFault::Missing);
    case SQLITE_FULL:
        return DataFault::DiskFull;
    case SQLITE_IOERR:
        return byErrno(DataFault::DiskError);
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return DataFault::Damaged;
    case SQLITE_NOMEM:
        return DataFault::OutOfMemory;
    default:
        return DataFault::None;
    }
}

void throwSqlError(sqlite3* db, const std::string& what)
{
    if (db == nullptr)
        throw DbError(what + ": no database");
    const int code = sqlite3_extended_errcode(db);
    const char* file = sqlite3_db_filename(db, "main");
    throw DbError(what + ": " + sqlite3_errmsg(db), code & 0xFF,
                  faultOf(code, sqlite3_system_errno(db)), file != nullptr ? file : "");
}

std::string quoteIdentifier(std::string_view name)
{
    std::string out = "\"";
    for (const char c : name) {
        out += c;
        if (c == '"')
            out += '"';
    }
    out += '"';
    return out;
}

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db), sql_(sql)
{
    if (db_ == nullptr)
        throw DbError("database is not open");
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db_, sql_.c_str(), static_cast<int>(sql_.size()) + 1, &stmt_, &tail) !=
        SQLITE_OK) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        throwSqlError(db_, "SQL refused (" + sql_ + ")");
    }
    if (stmt_ == nullptr)
        throw DbError("empty SQL text");
    for (const char* p = tail; p != nullptr && *p != '\0'; ++p) {
        if (*p != ';' && *p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') {
            sqlite3_finalize(stmt_);
            stmt_ = nullptr;
            throw DbError("more than one SQL statement (" + sql_ + ")");
        }
    }
}

Statement::~Statement()
{
    sqlite3_finalize(stmt_);
}

void Statement::bind(const std::vector<Value>& params)
{
    if (sqlite3_bind_parameter_count(stmt_) != static_cast<int>(params.size()))
        throw DbError("SQL expects " + std::to_string(sqlite3_bind_parameter_count(stmt_)) +
                      " parameters, " + std::to_string(params.size()) + " given (" + sql_ + ")");
    for (size_t i = 0; i < params.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        const Value& v = params[i];
        int rc = SQLITE_OK;
        switch (v.kind()) {
        case Value::Kind::Null:
            rc = sqlite3_bind_null(stmt_, n);
            break;
        case Value::Kind::Integer:
            rc = sqlite3_bind_int64(stmt_, n, v.integer());
            break;
        case Value::Kind::Real:
            rc = sqlite3_bind_double(stmt_, n, v.real());
            break;
        case Value::Kind::Text:
            rc = sqlite3_bind_text64(stmt_, n, v.text().data(), v.text().size(), SQLITE_TRANSIENT,
                                     SQLITE_UTF8);
            break;
        }
        if (rc != SQLITE_OK)
            throwSqlError(db_, "binding parameter " + std::to_string(n));
    }
}

bool Statement::step()
{
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throwSqlError(db_, "SQL failed (" + sql_ + ")");
}

int Statement::columnCount() const
{
    return sqlite3_column_count(stmt_);
}

Value Statement::column(int index) const
{
    switch (sqlite3_column_type(stmt_, index)) {
    case SQLITE_INTEGER:
        return Value(static_cast<std::int64_t>(sqlite3_column_int64(stmt_, index)));
    case SQLITE_FLOAT:
        return Value(sqlite3_column_double(stmt_, index));
    case SQLITE_TEXT:
    case SQLITE_BLOB: {
        const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt_, index));
        const int n = sqlite3_column_bytes(stmt_, index);
        return Value(std::string(p != nullptr ? p : "", static_cast<size_t>(n)));
    }
    default:
        return Value();
    }
}

} // namespace tv::detail
