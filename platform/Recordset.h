#pragma once

#include "platform/Field.h"
#include "platform/RowStore.h"
#include "platform/Value.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace tv {

class Connection;
namespace detail {
struct ConnectionState;
}

enum class CompareOp { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };

// One comparison of Find and Filter: "Name = 'O'Brien'" is {"Name", Equal, "O'Brien"}. The
// value is never pasted into SQL, so any text works.
struct Criterion
{
    std::string field;
    CompareOp op = CompareOp::Equal;
    Value value;
};

// A set of rows with a current row, standing in for an ADO recordset with a client-side
// cursor: Open fetches every row at once, so RecordCount is known at once, and Find, Filter,
// Sort, Bookmark and AbsolutePosition work on the fetched rows.
//
// Positions: the current row is one of the visible rows (those the filter lets through, in
// sort order), or BOF (before the first) or EOF (after the last). Reading or writing a field
// at BOF or EOF throws DbError, as do MoveNext at EOF and MovePrevious at BOF; MoveFirst and
// MoveLast on an empty set leave it at BOF and EOF without an error. Every operation but
// State, Close, AppendField, the Open functions and the field descriptions throws DbError on
// a closed set. Find and Filter compare as compareForSearch (Value.h) does: text ignoring
// case and umlauts, numbers as numbers, trailing blanks of Char fields not counted.
//
// Changes: AddNew() starts a new row, SetField() on the current row starts an edit; Update()
// stores it (an INSERT or UPDATE with bound parameters for a set opened on a table, in memory
// for an unconnected set). As in ADO, moving to another row, Find, Filter, Sort, Requery,
// AddNew and Save store a pending change first (a failing store throws and the change stays
// pending); CancelUpdate() drops it, Close() too. A caller that gives up after a failed
// SetField calls CancelUpdate().
//
// Writing back works for sets whose SELECT reads columns of one table (the table and columns
// are taken from SQLite, not from the SQL text); a row is found by its rowid when the set
// holds the INTEGER PRIMARY KEY or the row was added through the set, else by the original
// values of all its fields.
class Recordset
{
public:
    using BookmarkId = std::int64_t;
    enum class EditState { None, InProgress, Add };
    static constexpr int kStateClosed = 0;
    static constexpr int kStateOpen = 1;
    // AbsolutePosition when no row is current (ADO's adPosUnknown, adPosBOF, adPosEOF).
    static constexpr long kPosUnknown = -1;
    static constexpr long kPosBOF = -2;
    static constexpr long kPosEOF = -3;

    Recordset();
    ~Recordset();
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Runs a SELECT with its "?" parameters bound in order and fetches all rows; the first row
    // is current. An open set is closed first. Throws DbError (the set stays closed).
    void Open(const std::string& sql, Connection& connection,
              const std::vector<Value>& params = {});

    // Unconnected set: append fields while closed (`size` in characters for VarChar and Char),
    // then Open() gives an empty local set. Throws DbError for an open set or a duplicate name.
    void AppendField(const std::string& name, FieldType type, int size = 0, bool nullable = false);
    void Open();

    // Reads a rowset XML file (see RowsetXml.h) into an unconnected set; the first row is
    // current. Throws DbError when the file is missing or malformed (the set stays closed).
    void OpenFile(const std::filesystem::path& path);
    // Writes the visible rows in their order to a rowset XML file through a temporary file;
    // throws DbError when that fails, and the old file is then kept. Stores a pending change
    // first.
    void Save(const std::filesystem::path& path);

    // Drops the rows and a pending change. Fields appended with AppendField stay, so the set
    // can be opened again; fields from a query or a file go.
    void Close();
    int State() const { return state_; }
    // Runs the same SQL with the same parameters again; Filter and Sort stay; the first row is
    // current. Bookmarks taken before no longer work. On failure the set stays as it was.
    void Requery();

    long RecordCount() const;
    bool Bof() const;
    bool Eof() const;
    // True when the set is open and a row is current whose fields can be read: a row the
    // cursor stands on, or the row being added. False when closed, at BOF or EOF, and after
    // Delete until the next move. Never throws.
    bool HasCurrentRow() const;
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    // 1 for the first visible row; kPosBOF, kPosEOF or kPosUnknown when none is current.
    long AbsolutePosition() const;
    void SetAbsolutePosition(long position);
    // A row's identity within the open set; stays valid across Filter, Sort and changes of
    // other rows, not across Requery. Setting the bookmark of a row that is deleted or hidden
    // by the filter throws DbError.
    BookmarkId Bookmark() const;
    void SetBookmark(BookmarkId bookmark);

    // Searches forward from the current row inclusive (from the first row at BOF) for the
    // first row that meets the comparison; none found leaves the set at EOF.
    void Find(const std::string& field, CompareOp op, const Value& value);
    void Find(const Criterion& criterion);
    // Shows only the rows that meet every comparison; the first of them becomes current.
    void Filter(const std::string& field, CompareOp op, const Value& value);
    void Filter(const std::vector<Criterion>& criteria);
    void ClearFilter();
    // Orders the visible rows by fields, "Nummer ASC" or "Name DESC, Nummer"; "" restores the
    // order of the query. Field names are checked against the set's fields. The first row
    // becomes current.
    void Sort(const std::string& order);

    int FieldCount() const { return static_cast<int>(fields_.size()); }
    const FieldInfo& FieldAt(int index) const;
    // Field names ignore case; -1 for a name the set does not have.
    int FieldIndex(std::string_view name) const;
    // The current row's value (the pending one while a change is pending).
    Value Field(std::string_view name) const;
    Value Field(int index) const;
    Value Fields(std::string_view name) const { return Field(name); }
    // Assigns to the current row (or the row being added), converted as valueForField does.
    void SetField(std::string_view name, const Value& value);
    void SetField(int index, const Value& value);

    void AddNew();
    void Update();
    void CancelUpdate();
    // Deletes the current row from the database and the set. As in ADO no row is current until
    // the next move; MoveNext then goes to the row after the deleted one.
    void Delete();
    EditState EditMode() const { return edit_; }

private:
    struct SortKey
    {
        std::string field;
        bool descending = false;
    };
    struct Fetched;

    void swap(Recordset& other) noexcept;
    void requireOpen() const;
    void requireCurrent() const;
    int requireField(std::string_view name) const;
    const Value& cell(std::size_t row, int field) const;
    std::size_t currentRow() const;
    void storePending();
    void rebuildView();
    void moveTo(long pos);
    bool meets(std::size_t row, const std::vector<Criterion>& criteria,
               const std::vector<int>& fieldIndexes) const;
    void adopt(Fetched&& fetched);
    Fetched fetch(const std::string& sql, const std::vector<Value>& params) const;

    // Database side of the changes (RecordsetWrite.cpp).
    void insertRow();
    void updateRow();
    void deleteRow(std::size_t row);
    std::string keyCondition(std::size_t row, std::vector<Value>& params);
    sqlite3* database() const;

    int state_ = kStateClosed;
    std::shared_ptr<detail::ConnectionState> connection_; // null for an unconnected set
    std::string sql_;
    std::vector<Value> params_;
    std::string table_;     // base table for writes; "" = read-only
    int rowidField_ = -1;   // field holding the table's INTEGER PRIMARY KEY, if any
    bool appended_ = false; // fields come from AppendField

    std::vector<FieldInfo> fields_;
    std::vector<std::string> foldedNames_;
    detail::RowStore store_;       // every row in fetch order, deleted ones included
    BookmarkId firstBookmark_ = 1; // bookmark of store row 0; grows at every refetch

    std::vector<Criterion> filter_;
    std::vector<SortKey> sort_;
    std::vector<std::size_t> view_; // visible rows (store rows) in order
    long pos_ = -1;                 // index into view_; -1 BOF, view_.size() EOF
    bool onDeleted_ = false;        // the current row was deleted; pos_ is the row after it

    EditState edit_ = EditState::None;
    std::vector<Value> buffer_;
    std::vector<char> changed_;
};

} // namespace tv
