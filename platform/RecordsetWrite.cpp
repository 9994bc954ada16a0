// The database side of Recordset changes: INSERT, UPDATE and DELETE on the set's base table,
// every value a bound parameter, every identifier quoted.
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/Log.h"
#include "platform/Recordset.h"
#include "platform/SqlStatement.h"

#include <sqlite3.h>

namespace tv {

sqlite3* Recordset::database() const
{
    if (!connection_ || connection_->db == nullptr)
        throw DbError("connection is not open");
    if (table_.empty())
        throw DbError("this recordset cannot be changed");
    return connection_->current();
}

// A condition naming the table row behind set row `row`: its rowid when known, else the
// first table row whose columns hold exactly the original values (binary text comparison, not
// the case-blind collation, so "ABC" never stands for "abc"); that rowid is then remembered.
std::string Recordset::keyCondition(std::size_t row, std::vector<Value>& params)
{
    sqlite3* db = database();
    detail::RowMeta& meta = store_.meta(row);
    if (!meta.hasRowid) {
        std::string sql = "SELECT rowid FROM " + table_ + " WHERE ";
        std::vector<Value> values;
        for (std::size_t f = 0; f < fields_.size(); ++f) {
            if (fields_[f].baseColumn.empty())
                continue;
            if (!values.empty())
                sql += " AND ";
            sql += detail::quoteIdentifier(fields_[f].baseColumn) + " IS ? COLLATE BINARY";
            values.push_back(cell(row, static_cast<int>(f)));
        }
        sql += " LIMIT 1";
        detail::Statement find(db, sql);
        find.bind(values);
        if (!find.step())
            throw DbError("the row is no longer in the table");
        meta.rowid = find.column(0).toInt();
        meta.hasRowid = true;
    }
    params.emplace_back(meta.rowid);
    return "rowid = ?";
}

void Recordset::insertRow()
{
    sqlite3* db = database();
    std::string columns;
    std::string marks;
    std::vector<Value> params;
    for (std::size_t f = 0; f < fields_.size(); ++f) {
        if (changed_[f] == 0 || fields_[f].baseColumn.empty())
            continue;
        if (!params.empty()) {
            columns += ", ";
            marks += ", ";
        }
        columns += detail::quoteIdentifier(fields_[f].baseColumn);
        marks += "?";
        params.push_back(buffer_[f]);
    }
    // Fields not assigned take the table's defaults, as with ADO.
    const std::string sql =
        params.empty() ? "INSERT INTO " + table_ + " DEFAULT VALUES"
                       : "INSERT INTO " + table_ + " (" + columns + ") VALUES (" + marks + ")";
    detail::Statement insert(db, sql);
    insert.bind(params);
    insert.step();
    const std::int64_t rowid = connection_->lastInsertId();

    // Read the stored row back: the autonumber and the defaults become visible in the set.
    // The row is stored by now, so a failure here keeps the values as given instead of
    // failing the Update (which would store the row a second time when repeated).
    std::vector<Value> values = buffer_;
    try {
        std::string select;
        for (const FieldInfo& fi : fields_) {
            if (!fi.baseColumn.empty())
                select += (select.empty() ? "" : ", ") + detail::quoteIdentifier(fi.baseColumn);
        }
        detail::Statement reread(db, "SELECT " + select + " FROM " + table_ + " WHERE rowid = ?");
        reread.bind({Value(rowid)});
        if (reread.step()) {
            int column = 0;
            for (std::size_t f = 0; f < fields_.size(); ++f) {
                if (!fields_[f].baseColumn.empty())
                    values[f] = reread.column(column++);
            }
        }
    } catch (const DbError& e) {
        logIgnoredFault(e, "the row is stored; the set keeps its values as given");
    }
    std::move(values.begin(), values.end(), store_.appendRow());
    detail::RowMeta& meta = store_.meta(store_.rowCount() - 1);
    meta.rowid = rowid;
    meta.hasRowid = true;
}

void Recordset::updateRow()
{
    sqlite3* db = database();
    const std::size_t row = currentRow();
    std::string sets;
    std::vector<Value> params;
    for (std::size_t f = 0; f < fields_.size(); ++f) {
        if (changed_[f] == 0 || fields_[f].baseColumn.empty())
            continue;
        sets +=
            (sets.empty() ? "" : ", ") + detail::quoteIdentifier(fields_[f].baseColumn) + " = ?";
        params.push_back(buffer_[f]);
    }
    if (sets.empty())
        return;
    const std::string where = keyCondition(row, params);
    detail::Statement update(db, "UPDATE " + table_ + " SET " + sets + " WHERE " + where);
    update.bind(params);
    update.step();
    if (sqlite3_changes(db) == 0)
        throw DbError("the row is no longer in the table");
}

void Recordset::deleteRow(std::size_t row)
{
    sqlite3* db = database();
    std::vector<Value> params;
    const std::string where = keyCondition(row, params);
    detail::Statement del(db, "DELETE FROM " + table_ + " WHERE " + where);
    del.bind(params);
    del.step();
    if (sqlite3_changes(db) == 0)
        throw DbError("the row is no longer in the table");
}

} // namespace tv
