#include "platform/Recordset.h"

#include "platform/AtomicFile.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/RowsetXml.h"
#include "platform/SqlStatement.h"
#include "platform/TextFold.h"
#include "platform/TextTrim.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <fstream>

namespace tv {

struct Recordset::Fetched
{
    std::vector<FieldInfo> fields;
    detail::RowStore store;
    std::string table;
    int rowidField = -1;
};

namespace {

bool opHolds(CompareOp op, int cmp)
{
    switch (op) {
    case CompareOp::Equal:
        return cmp == 0;
    case CompareOp::NotEqual:
        return cmp != 0;
    case CompareOp::Less:
        return cmp < 0;
    case CompareOp::LessEqual:
        return cmp <= 0;
    case CompareOp::Greater:
        return cmp > 0;
    case CompareOp::GreaterEqual:
        return cmp >= 0;
    }
    return false;
}

const char* orEmpty(const char* s)
{
    return s != nullptr ? s : "";
}

// Sort keys are compared often; texts are folded once beforehand.
Value sortKeyOf(const Value& v)
{
    return v.isText() ? Value(foldCase(v.text())) : v;
}

int compareSortKeys(const Value& a, const Value& b)
{
    if (a.isText() && b.isText()) {
        const int c = a.text().compare(b.text());
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    return compareForSort(a, b);
}

} // namespace

Recordset::Recordset() = default;
Recordset::~Recordset() = default;

// A moved-from recordset is closed and has no fields.
Recordset::Recordset(Recordset&& other) noexcept
{
    swap(other);
}

Recordset& Recordset::operator=(Recordset&& other) noexcept
{
    Recordset gone(std::move(other));
    swap(gone);
    return *this;
}

void Recordset::swap(Recordset& other) noexcept
{
    using std::swap;
    swap(state_, other.state_);
    swap(connection_, other.connection_);
    swap(sql_, other.sql_);
    swap(params_, other.params_);
    swap(table_, other.table_);
    swap(rowidField_, other.rowidField_);
    swap(appended_, other.appended_);
    swap(fields_, other.fields_);
    swap(foldedNames_, other.foldedNames_);
    store_.swap(other.store_);
    swap(firstBookmark_, other.firstBookmark_);
    swap(filter_, other.filter_);
    swap(sort_, other.sort_);
    swap(view_, other.view_);
    swap(pos_, other.pos_);
    swap(onDeleted_, other.onDeleted_);
    swap(edit_, other.edit_);
    swap(buffer_, other.buffer_);
    swap(changed_, other.changed_);
}

// --- opening and closing ---------------------------------------------------------------------

Recordset::Fetched Recordset::fetch(const std::string& sql, const std::vector<Value>& params) const
{
    sqlite3* db = connection_ ? connection_->current() : nullptr;
    if (db == nullptr)
        throw DbError("connection is not open");
    detail::Statement stmt(db, sql);
    if (stmt.columnCount() == 0 || !sqlite3_stmt_readonly(stmt.get()))
        throw DbError("not a query (" + sql + ")");
    stmt.bind(params);

    Fetched f;
    const int n = stmt.columnCount();
    std::string baseDb;
    std::string baseTable;
    bool oneTable = true;
    std::vector<bool> typed(static_cast<size_t>(n), false);
    for (int i = 0; i < n; ++i) {
        FieldInfo info;
        info.name = orEmpty(sqlite3_column_name(stmt.get(), i));
        const char* table = sqlite3_column_table_name(stmt.get(), i);
        const char* origin = sqlite3_column_origin_name(stmt.get(), i);
        const char* dbName = sqlite3_column_database_name(stmt.get(), i);
        if (table != nullptr && origin != nullptr && dbName != nullptr) {
            info.baseColumn = origin;
            if (baseTable.empty()) {
                baseDb = dbName;
                baseTable = table;
            } else if (baseDb != dbName || baseTable != table) {
                oneTable = false;
            }
            const char* declared = nullptr;
            int notNull = 0;
            int primaryKey = 0;
            int autoInc = 0;
            if (sqlite3_table_column_metadata(db, dbName, table, origin, &declared, nullptr,
                                              &notNull, &primaryKey, &autoInc) == SQLITE_OK) {
                info.nullable = notNull == 0;
                info.autoIncrement = autoInc != 0;
            }
        }
        typed[static_cast<size_t>(i)] = fieldTypeFromDeclared(
            orEmpty(sqlite3_column_decltype(stmt.get(), i)), info.type, info.size);
        f.fields.push_back(std::move(info));
    }

    // Written back only when every column that has a source comes from the same table, each
    // column at most once (else one row of the set could stand for two of the table).
    if (oneTable && !baseTable.empty()) {
        std::vector<std::string> seen;
        for (const FieldInfo& fi : f.fields) {
            if (fi.baseColumn.empty())
                continue;
            if (std::find(seen.begin(), seen.end(), fi.baseColumn) != seen.end())
                oneTable = false;
            seen.push_back(fi.baseColumn);
        }
    }
    if (oneTable && !baseTable.empty()) {
        f.table = (baseDb == "main" ? std::string() : detail::quoteIdentifier(baseDb) + ".") +
                  detail::quoteIdentifier(baseTable);
        // A single INTEGER PRIMARY KEY is the rowid itself: the autonumber of the table.
        detail::Statement pk(db, "SELECT name, type FROM pragma_table_info(?1, ?2) WHERE pk > 0");
        pk.bind({Value(baseTable), Value(baseDb)});
        std::vector<std::pair<std::string, std::string>> keys;
        while (pk.step())
            keys.emplace_back(pk.column(0).toString(), pk.column(1).toString());
        if (keys.size() == 1 && equalsNoCase(keys[0].second, "INTEGER")) {
            for (int i = 0; i < n; ++i) {
                FieldInfo& fi = f.fields[static_cast<size_t>(i)];
                if (!fi.baseColumn.empty() && equalsNoCase(fi.baseColumn, keys[0].first)) {
                    fi.autoIncrement = true;
                    f.rowidField = i;
                    break;
                }
            }
        }
    } else {
        for (FieldInfo& fi : f.fields)
            fi.baseColumn.clear();
    }

    f.store = detail::RowStore(static_cast<std::size_t>(n));
    while (stmt.step()) {
        Value* row = f.store.appendRow();
        detail::RowMeta& meta = f.store.meta(f.store.rowCount() - 1);
        for (int i = 0; i < n; ++i) {
            Value v = stmt.column(i);
            if (!typed[static_cast<size_t>(i)] && !v.isNull()) {
                // An expression: the first value that is not Null tells the type.
                f.fields[static_cast<size_t>(i)].type =
                    v.isText()
                        ? FieldType::Text
                        : (v.kind() == Value::Kind::Integer ? FieldType::Long : FieldType::Double);
                typed[static_cast<size_t>(i)] = true;
            }
            if (i == f.rowidField && v.kind() == Value::Kind::Integer) {
                meta.rowid = v.integer();
                meta.hasRowid = true;
            }
            row[i] = std::move(v);
        }
    }
    return f;
}

void Recordset::adopt(Fetched&& fetched)
{
    // Bookmarks of the previous rows must not name the new ones.
    firstBookmark_ += static_cast<BookmarkId>(store_.rowCount()) + 1;
    fields_ = std::move(fetched.fields);
    store_ = std::move(fetched.store);
    table_ = std::move(fetched.table);
    rowidField_ = fetched.rowidField;
    foldedNames_.clear();
    for (const FieldInfo& fi : fields_)
        foldedNames_.push_back(foldCase(fi.name));
    edit_ = EditState::None;
    buffer_.clear();
    changed_.clear();
    state_ = kStateOpen;
    // A requery can bring other fields (the table was altered meanwhile): Filter and Sort
    // keep only what still names a field.
    std::erase_if(filter_, [this](const Criterion& c) { return FieldIndex(c.field) < 0; });
    std::erase_if(sort_, [this](const SortKey& k) { return FieldIndex(k.field) < 0; });
    rebuildView();
    pos_ = 0;
    onDeleted_ = false;
}

void Recordset::Open(const std::string& sql, Connection& connection,
                     const std::vector<Value>& params)
{
    Close();
    appended_ = false;
    fields_.clear();
    connection_ = connection.state_;
    try {
        Fetched f = fetch(sql, params);
        sql_ = sql;
        params_ = params;
        adopt(std::move(f));
    } catch (...) {
        connection_.reset();
        throw;
    }
}

void Recordset::AppendField(const std::string& name, FieldType type, int size, bool nullable)
{
    if (state_ != kStateClosed)
        throw DbError("fields can only be appended to a closed recordset");
    if (!appended_) {
        fields_.clear();
        appended_ = true;
    }
    if (name.empty())
        throw DbError("field without a name");
    for (const FieldInfo& fi : fields_) {
        if (equalsNoCase(fi.name, name))
            throw DbError("field " + name + " appended twice");
    }
    if (size < 0 || ((type == FieldType::Char || type == FieldType::VarChar) && size == 0))
        throw DbError("field " + name + " needs a length");
    FieldInfo fi;
    fi.name = name;
    fi.type = type;
    fi.size = (type == FieldType::Char || type == FieldType::VarChar) ? size : 0;
    fi.nullable = nullable;
    fields_.push_back(std::move(fi));
}

void Recordset::Open()
{
    if (state_ != kStateClosed)
        throw DbError("recordset is already open");
    if (!appended_ || fields_.empty())
        throw DbError("an unconnected recordset needs fields");
    Fetched f;
    f.fields = fields_;
    f.store = detail::RowStore(fields_.size());
    adopt(std::move(f));
}

void Recordset::OpenFile(const std::filesystem::path& path)
{
    Close();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw DbError("cannot open rowset file " + path.string());
    // Reading stops past the most a rowset may have: the reader refuses the file without the
    // rest of it being read (or the rest of a device that never ends).
    std::string content;
    std::array<char, 1 << 16> buffer{};
    while (content.size() <= kMaxRowsetFileBytes) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        content.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
        if (!in)
            break;
    }
    if (in.bad())
        throw DbError("cannot read rowset file " + path.string());
    RowsetTable table;
    try {
        table = readRowsetXml(content);
    } catch (const DbError& e) {
        throw DbError(path.string() + ": " + e.what());
    }
    Fetched f;
    f.store = detail::RowStore(table.fields.size());
    for (std::size_t r = 0; r < table.rowCount; ++r) {
        Value* row = f.store.appendRow();
        for (std::size_t i = 0; i < table.fields.size(); ++i)
            row[i] = std::move(table.cells[r * table.fields.size() + i]);
    }
    f.fields = std::move(table.fields);
    appended_ = false;
    adopt(std::move(f));
}

void Recordset::Save(const std::filesystem::path& path)
{
    requireOpen();
    storePending();
    RowsetTable table;
    table.fields = fields_;
    table.rowCount = view_.size();
    table.cells.reserve(view_.size() * fields_.size());
    for (const std::size_t row : view_) {
        for (int f = 0; f < FieldCount(); ++f)
            table.cells.push_back(cell(row, f));
    }
    if (!writeFileAtomically(path, writeRowsetXml(table)))
        throw DbError("cannot write rowset file " + path.string());
}

void Recordset::Close()
{
    state_ = kStateClosed;
    connection_.reset();
    sql_.clear();
    params_.clear();
    table_.clear();
    rowidField_ = -1;
    firstBookmark_ += static_cast<BookmarkId>(store_.rowCount()) + 1;
    store_ = detail::RowStore();
    view_.clear();
    filter_.clear();
    sort_.clear();
    pos_ = -1;
    onDeleted_ = false;
    edit_ = EditState::None;
    buffer_.clear();
    changed_.clear();
    if (!appended_) {
        fields_.clear();
        foldedNames_.clear();
    }
}

void Recordset::Requery()
{
    requireOpen();
    if (!connection_)
        throw DbError("an unconnected recordset cannot be requeried");
    storePending();
    adopt(fetch(sql_, params_));
}

// --- position ------------------------------------------------------------------------------

void Recordset::requireOpen() const
{
    if (state_ != kStateOpen)
        throw DbError("recordset is closed");
}

void Recordset::requireCurrent() const
{
    requireOpen();
    if (onDeleted_)
        throw DbError("the current row has been deleted");
    if (pos_ < 0 || pos_ >= static_cast<long>(view_.size()))
        throw DbError("no current row (BOF or EOF)");
}

std::size_t Recordset::currentRow() const
{
    return view_[static_cast<std::size_t>(pos_)];
}

long Recordset::RecordCount() const
{
    requireOpen();
    return static_cast<long>(view_.size());
}

bool Recordset::Bof() const
{
    requireOpen();
    if (edit_ == EditState::Add || onDeleted_)
        return false;
    return view_.empty() || pos_ < 0;
}

bool Recordset::Eof() const
{
    requireOpen();
    if (edit_ == EditState::Add || onDeleted_)
        return false;
    return view_.empty() || pos_ >= static_cast<long>(view_.size());
}

bool Recordset::HasCurrentRow() const
{
    if (state_ != kStateOpen || onDeleted_)
        return false;
    return edit_ == EditState::Add || (pos_ >= 0 && pos_ < static_cast<long>(view_.size()));
}

void Recordset::moveTo(long pos)
{
    pos_ = std::clamp(pos, -1L, static_cast<long>(view_.size()));
    onDeleted_ = false;
}

// MoveFirst and MoveLast on an empty set leave it at BOF and EOF instead of failing.
void Recordset::MoveFirst()
{
    requireOpen();
    storePending();
    moveTo(0);
}

void Recordset::MoveLast()
{
    requireOpen();
    storePending();
    moveTo(view_.empty() ? 0 : static_cast<long>(view_.size()) - 1);
}

void Recordset::MoveNext()
{
    requireOpen();
    if (Eof())
        throw DbError("MoveNext past the last row");
    storePending();
    moveTo(onDeleted_ ? pos_ : pos_ + 1);
}

void Recordset::MovePrevious()
{
    requireOpen();
    if (Bof())
        throw DbError("MovePrevious before the first row");
    storePending();
    moveTo(pos_ - 1);
}

long Recordset::AbsolutePosition() const
{
    requireOpen();
    if (edit_ == EditState::Add || onDeleted_ || view_.empty())
        return kPosUnknown;
    if (pos_ < 0)
        return kPosBOF;
    if (pos_ >= static_cast<long>(view_.size()))
        return kPosEOF;
    return pos_ + 1;
}

void Recordset::SetAbsolutePosition(long position)
{
    requireOpen();
    if (position < 1 || position > static_cast<long>(view_.size()))
        throw DbError("AbsolutePosition " + std::to_string(position) + " outside 1.." +
                      std::to_string(view_.size()));
    storePending();
    moveTo(position - 1);
}

Recordset::BookmarkId Recordset::Bookmark() const
{
    requireCurrent();
    if (edit_ == EditState::Add)
        throw DbError("a row being added has no bookmark yet");
    return firstBookmark_ + static_cast<BookmarkId>(currentRow());
}

void Recordset::SetBookmark(BookmarkId bookmark)
{
    requireOpen();
    const BookmarkId index = bookmark - firstBookmark_;
    if (index < 0 || index >= static_cast<BookmarkId>(store_.rowCount()) ||
        store_.meta(static_cast<std::size_t>(index)).deleted)
        throw DbError("bookmark names no row of this recordset");
    const auto it = std::find(view_.begin(), view_.end(), static_cast<std::size_t>(index));
    if (it == view_.end())
        throw DbError("bookmarked row is hidden by the filter");
    storePending();
    moveTo(static_cast<long>(it - view_.begin()));
}

// --- Find, Filter, Sort ----------------------------------------------------------------------

bool Recordset::meets(std::size_t row, const std::vector<Criterion>& criteria,
                      const std::vector<int>& fieldIndexes) const
{
    for (std::size_t c = 0; c < criteria.size(); ++c) {
        const int f = fieldIndexes[c];
        const Value& v = cell(row, f);
        const Criterion& crit = criteria[c];
        if (crit.value.isNull()) {
            // "Field = Null" and "Field <> Null" test for Null, as ADO's Filter does.
            if ((crit.op == CompareOp::Equal && v.isNull()) ||
                (crit.op == CompareOp::NotEqual && !v.isNull()))
                continue;
            return false;
        }
        const auto cmp = compareForSearch(
            v, crit.value, fields_[static_cast<std::size_t>(f)].type == FieldType::Char);
        if (!cmp || !opHolds(crit.op, *cmp))
            return false;
    }
    return true;
}

void Recordset::Find(const std::string& field, CompareOp op, const Value& value)
{
    Find(Criterion{field, op, value});
}

void Recordset::Find(const Criterion& criterion)
{
    requireOpen();
    const std::vector<int> index{requireField(criterion.field)};
    storePending();
    const std::vector<Criterion> criteria{criterion};
    long start = onDeleted_ ? pos_ : std::max(pos_, 0L);
    for (long i = start; i < static_cast<long>(view_.size()); ++i) {
        if (meets(view_[static_cast<std::size_t>(i)], criteria, index)) {
            moveTo(i);
            return;
        }
    }
    moveTo(static_cast<long>(view_.size()));
}

void Recordset::Filter(const std::string& field, CompareOp op, const Value& value)
{
    Filter(std::vector<Criterion>{Criterion{field, op, value}});
}

void Recordset::Filter(const std::vector<Criterion>& criteria)
{
    requireOpen();
    for (const Criterion& c : criteria)
        requireField(c.field);
    storePending();
    filter_ = criteria;
    rebuildView();
    moveTo(0);
}

void Recordset::ClearFilter()
{
    Filter(std::vector<Criterion>{});
}

void Recordset::Sort(const std::string& order)
{
    requireOpen();
    std::vector<SortKey> keys;
    std::string_view rest = order;
    while (!trimBlanks(rest).empty()) {
        const auto comma = rest.find(',');
        std::string_view part = trimBlanks(rest.substr(0, comma));
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        SortKey key;
        const auto blank = part.find_last_of(" \t");
        if (blank != std::string_view::npos) {
            const std::string_view dir = part.substr(blank + 1);
            if (equalsNoCase(dir, "DESC") || equalsNoCase(dir, "ASC")) {
                key.descending = equalsNoCase(dir, "DESC");
                part = trimBlanks(part.substr(0, blank));
            }
        }
        if (part.size() >= 2 && part.front() == '[' && part.back() == ']')
            part = part.substr(1, part.size() - 2);
        key.field = fields_[static_cast<std::size_t>(requireField(part))].name;
        keys.push_back(key);
    }
    storePending();
    sort_ = std::move(keys);
    rebuildView();
    moveTo(0);
}

void Recordset::rebuildView()
{
    std::vector<int> filterFields;
    for (const Criterion& c : filter_)
        filterFields.push_back(FieldIndex(c.field));
    view_.clear();
    view_.reserve(store_.rowCount());
    for (std::size_t r = 0; r < store_.rowCount(); ++r) {
        if (!store_.meta(r).deleted && meets(r, filter_, filterFields))
            view_.push_back(r);
    }
    if (sort_.empty())
        return;
    // keys[k][r] is the sort key k of visible row r.
    std::vector<std::vector<Value>> keys(sort_.size());
    std::vector<std::size_t> order(view_.size());
    for (std::size_t k = 0; k < sort_.size(); ++k) {
        const int field = FieldIndex(sort_[k].field);
        keys[k].reserve(view_.size());
        for (const std::size_t row : view_)
            keys[k].push_back(sortKeyOf(cell(row, field)));
    }
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        for (std::size_t k = 0; k < sort_.size(); ++k) {
            const int c = compareSortKeys(keys[k][a], keys[k][b]);
            if (c != 0)
                return sort_[k].descending ? c > 0 : c < 0;
        }
        return false;
    });
    std::vector<std::size_t> sorted;
    sorted.reserve(view_.size());
    for (const std::size_t i : order)
        sorted.push_back(view_[i]);
    view_ = std::move(sorted);
}

// --- fields ----------------------------------------------------------------------------------

const FieldInfo& Recordset::FieldAt(int index) const
{
    if (index < 0 || index >= FieldCount())
        throw DbError("no field number " + std::to_string(index));
    return fields_[static_cast<std::size_t>(index)];
}

int Recordset::FieldIndex(std::string_view name) const
{
    const std::string folded = foldCase(name);
    for (std::size_t i = 0; i < foldedNames_.size(); ++i) {
        if (foldedNames_[i] == folded)
            return static_cast<int>(i);
    }
    // Fields appended to a closed set are not folded yet.
    for (std::size_t i = foldedNames_.size(); i < fields_.size(); ++i) {
        if (equalsNoCase(fields_[i].name, name))
            return static_cast<int>(i);
    }
    return -1;
}

int Recordset::requireField(std::string_view name) const
{
    const int i = FieldIndex(name);
    if (i < 0)
        throw DbError("no field named " + std::string(name));
    return i;
}

const Value& Recordset::cell(std::size_t row, int field) const
{
    return store_.row(row)[field];
}

Value Recordset::Field(std::string_view name) const
{
    return Field(requireField(name));
}

Value Recordset::Field(int index) const
{
    FieldAt(index);
    if (edit_ != EditState::None) {
        requireOpen();
        return buffer_[static_cast<std::size_t>(index)];
    }
    requireCurrent();
    return cell(currentRow(), index);
}

void Recordset::SetField(std::string_view name, const Value& value)
{
    SetField(requireField(name), value);
}

void Recordset::SetField(int index, const Value& value)
{
    const FieldInfo& field = FieldAt(index);
    requireOpen();
    if (connection_ && (table_.empty() || field.baseColumn.empty()))
        throw DbError("field " + field.name + " cannot be changed");
    Value converted = valueForField(field, value);
    if (edit_ == EditState::None) {
        requireCurrent();
        const std::size_t row = currentRow();
        buffer_.assign(store_.row(row), store_.row(row) + fields_.size());
        changed_.assign(fields_.size(), 0);
        edit_ = EditState::InProgress;
    }
    buffer_[static_cast<std::size_t>(index)] = std::move(converted);
    changed_[static_cast<std::size_t>(index)] = 1;
}

// --- changes ---------------------------------------------------------------------------------

void Recordset::storePending()
{
    if (edit_ != EditState::None)
        Update();
}

void Recordset::AddNew()
{
    requireOpen();
    if (connection_ && table_.empty())
        throw DbError("this recordset cannot be changed");
    storePending();
    buffer_.assign(fields_.size(), Value());
    changed_.assign(fields_.size(), 0);
    edit_ = EditState::Add;
}

void Recordset::Update()
{
    requireOpen();
    if (edit_ == EditState::Add) {
        if (connection_) {
            insertRow();
        } else {
            std::move(buffer_.begin(), buffer_.end(), store_.appendRow());
        }
        // As in ADO the new row joins the end of the visible rows, whatever Filter and Sort
        // say, and stays current.
        view_.push_back(store_.rowCount() - 1);
        moveTo(static_cast<long>(view_.size()) - 1);
    } else if (edit_ == EditState::InProgress) {
        const std::size_t row = currentRow();
        if (connection_ && std::find(changed_.begin(), changed_.end(), 1) != changed_.end())
            updateRow();
        for (std::size_t f = 0; f < fields_.size(); ++f) {
            if (changed_[f] != 0)
                store_.row(row)[f] = buffer_[f];
        }
        if (rowidField_ >= 0 && changed_[static_cast<std::size_t>(rowidField_)] != 0) {
            const Value& id = buffer_[static_cast<std::size_t>(rowidField_)];
            store_.meta(row).hasRowid = id.kind() == Value::Kind::Integer;
            store_.meta(row).rowid = id.integer();
        }
    }
    edit_ = EditState::None;
    buffer_.clear();
    changed_.clear();
}

void Recordset::CancelUpdate()
{
    edit_ = EditState::None;
    buffer_.clear();
    changed_.clear();
}

void Recordset::Delete()
{
    requireOpen();
    if (edit_ == EditState::Add) {
        CancelUpdate(); // the row being added was never stored
        return;
    }
    CancelUpdate();
    requireCurrent();
    const std::size_t row = currentRow();
    if (connection_)
        deleteRow(row);
    store_.meta(row).deleted = true;
    view_.erase(view_.begin() + pos_);
    onDeleted_ = true;
}

} // namespace tv
