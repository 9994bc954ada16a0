#pragma once

// The data grid bound to a recordset: a table model over our Recordset. It shows chosen fields
// under captions, keeps some columns read-only, and runs a check before a typed cell is stored:
// a refused cell stores nothing and the user gets the check's message.
//
// A message about a cell that was not stored (refused by the check, or failed to store) leaves
// the keyboard with the grid that edited it, so the pilot goes on with the keys.
//
// The rows are copied (display texts and bookmarks) when the set is bound, so drawing the grid
// never moves the set's current row. Rows whose bookmark is selected are highlighted: that is
// how the windows mark the current row.

#include "platform/Recordset.h"

#include <QAbstractTableModel>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace tv {

struct GridColumn
{
    QString field;   // field of the recordset
    QString caption; // column caption
    bool readOnly = false;
    // Placement of the cell texts; none leaves it to the view.
    Qt::Alignment alignment = {};
};

// What a cell check answers: the value to store, or the message that refuses it.
struct GridCellVerdict
{
    std::optional<Value> value;
    QString message;
    QString title;
};

class RecordsetGridModel : public QAbstractTableModel
{
public:
    // `row` is the grid row of the cell being stored.
    using CellCheck =
        std::function<GridCellVerdict(int row, const GridColumn&, const QString& text)>;
    // Display text of a field value; without one a number shows with the user's decimal mark
    // (numberText) and text as it is stored.
    using CellFormat = std::function<QString(const GridColumn&, const Value&)>;

    explicit RecordsetGridModel(std::vector<GridColumn> columns, QObject* parent = nullptr);

    void setCaption(int column, const QString& caption);
    void setReadOnly(int column, bool readOnly);
    const GridColumn& column(int index) const;
    // Without a check every typed text is stored as text.
    void setCellCheck(CellCheck check) { check_ = std::move(check); }
    // Takes effect at the next bind or reread.
    void setCellFormat(CellFormat format) { format_ = std::move(format); }

    // Copies every row of `rs` (none for a null or closed set); its current row stays. The
    // selected bookmarks are dropped. The set must outlive the binding.
    void bind(Recordset* rs);
    Recordset* recordset() const { return rs_; }
    // Reads the bound set's rows again, for values changed behind the grid. When the rows are
    // still the same rows their texts are changed in place (the view keeps its place, an
    // editor that is closing stays, the selection stays); otherwise this is a new bind. The
    // set's current row stays.
    void reread();

    Recordset::BookmarkId bookmarkAt(int row) const;
    int rowOfBookmark(Recordset::BookmarkId bookmark) const;
    // Grid row of the set's current row; -1 when none is current.
    int currentRow() const;

    void clearSelectedBookmarks();
    void addSelectedBookmark(Recordset::BookmarkId bookmark);
    bool isRowSelected(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // A column caption (horizontal, display or edit role), as setCaption.
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Runs the check, then stores the value in that row of the set (which becomes current).
    // A refused or failed store changes nothing and returns false.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Called after a cell was stored; the set then stands on its row.
    void onCellStored(std::function<void(int row, int column)> handler)
    {
        cellStored_ = std::move(handler);
    }

private:
    void readRow(std::vector<QString>& cells) const;
    // Every row of the set with its bookmark; the set's current row stays. Throws DbError.
    void readAll(std::vector<std::vector<QString>>& cells,
                 std::vector<Recordset::BookmarkId>& bookmarks) const;
    void refreshRow(int row);

    std::vector<GridColumn> columns_;
    std::vector<int> fieldIndexes_;
    CellCheck check_;
    CellFormat format_;
    std::function<void(int, int)> cellStored_;
    Recordset* rs_ = nullptr;
    std::vector<std::vector<QString>> cells_;
    std::vector<Recordset::BookmarkId> bookmarks_;
    std::vector<Recordset::BookmarkId> selected_;
};

} // namespace tv
