#include "core/forms/RecordsetGridModel.h"

#include "core/HandlerGuard.h"
#include "core/NumberFormat.h"
#include "core/Variablen.h"
#include "core/forms/MsgBox.h"
#include "platform/DbError.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QPointer>

#include <algorithm>

namespace tv {

namespace {

// The grid showing `model` whose cell editor (or the grid itself) has the keyboard; none when
// the keyboard is elsewhere (a value stored by code).
QAbstractItemView* gridWithKeyboard(const QAbstractItemModel* model)
{
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (auto* view = qobject_cast<QAbstractItemView*>(w))
            return view->model() == model ? view : nullptr;
    return nullptr;
}

// A message about a cell that was not stored. The message box takes the keyboard from the cell
// editor, which is closed behind it; without help the window would come back with the keyboard
// nowhere. The grid takes it back, on the cell that was edited.
void cellMessage(const QModelIndex& cell, const QString& text, const QString& title)
{
    const QPointer<QAbstractItemView> grid = gridWithKeyboard(cell.model());
    const int row = cell.row();
    const int column = cell.column();
    MsgBox(text, title);
    if (grid) {
        grid->activateWindow();
        grid->setFocus(Qt::OtherFocusReason);
        // The window may have moved the current cell while the message was up (a row change
        // refills the boxes); the pilot is put back on the cell that was refused.
        grid->setCurrentIndex(grid->model()->index(row, column));
    }
}

// A value as the grid shows it without a format of its own: a stored fraction with the user's
// decimal mark, as every box shows it; whole numbers and text as stored.
QString shownValue(const Value& v)
{
    if (v.kind() == Value::Kind::Real)
        return QString::fromStdString(numberText(v.real(), userDecimalMark()));
    return QString::fromStdString(v.toString());
}

} // namespace

RecordsetGridModel::RecordsetGridModel(std::vector<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns))
{
}

void RecordsetGridModel::setCaption(int column, const QString& caption)
{
    if (column < 0 || column >= static_cast<int>(columns_.size()))
        return;
    columns_[static_cast<size_t>(column)].caption = caption;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void RecordsetGridModel::setReadOnly(int column, bool readOnly)
{
    if (column >= 0 && column < static_cast<int>(columns_.size()))
        columns_[static_cast<size_t>(column)].readOnly = readOnly;
}

const GridColumn& RecordsetGridModel::column(int index) const
{
    return columns_.at(static_cast<size_t>(index));
}

void RecordsetGridModel::readRow(std::vector<QString>& cells) const
{
    cells.clear();
    cells.reserve(fieldIndexes_.size());
    for (size_t c = 0; c < fieldIndexes_.size(); ++c) {
        const int f = fieldIndexes_[c];
        if (f < 0)
            cells.emplace_back();
        else if (format_)
            cells.push_back(format_(columns_[c], rs_->Field(f)));
        else
            cells.push_back(shownValue(rs_->Field(f)));
    }
}

void RecordsetGridModel::readAll(std::vector<std::vector<QString>>& cells,
                                 std::vector<Recordset::BookmarkId>& bookmarks) const
{
    const bool hadRow = rs_->HasCurrentRow();
    const Recordset::BookmarkId keep = hadRow ? rs_->Bookmark() : 0;
    const auto count = static_cast<size_t>(std::max(0L, rs_->RecordCount()));
    cells.reserve(count);
    bookmarks.reserve(count);
    for (rs_->MoveFirst(); !rs_->Eof(); rs_->MoveNext()) {
        cells.emplace_back();
        readRow(cells.back());
        bookmarks.push_back(rs_->Bookmark());
    }
    if (hadRow)
        rs_->SetBookmark(keep);
    else if (!bookmarks.empty())
        rs_->MoveFirst();
}

void RecordsetGridModel::bind(Recordset* rs)
{
    beginResetModel();
    rs_ = rs;
    cells_.clear();
    bookmarks_.clear();
    selected_.clear();
    fieldIndexes_.clear();
    if (rs_ && rs_->State() == Recordset::kStateOpen) {
        for (const GridColumn& c : columns_)
            fieldIndexes_.push_back(rs_->FieldIndex(c.field.toStdString()));
        guarded([this] { readAll(cells_, bookmarks_); }); // shows the rows read so far
    }
    endResetModel();
}

void RecordsetGridModel::reread()
{
    if (!rs_ || rs_->State() != Recordset::kStateOpen) {
        bind(rs_);
        return;
    }
    std::vector<std::vector<QString>> cells;
    std::vector<Recordset::BookmarkId> bookmarks;
    if (!guarded([&] { readAll(cells, bookmarks); })) {
        bind(rs_); // shows the rows that can still be read
        return;
    }
    if (cells.empty() || bookmarks != bookmarks_) {
        bind(rs_);
        return;
    }
    cells_ = std::move(cells);
    if (!columns_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

Recordset::BookmarkId RecordsetGridModel::bookmarkAt(int row) const
{
    if (row < 0 || row >= static_cast<int>(bookmarks_.size()))
        return 0;
    return bookmarks_[static_cast<size_t>(row)];
}

int RecordsetGridModel::rowOfBookmark(Recordset::BookmarkId bookmark) const
{
    const auto it = std::find(bookmarks_.begin(), bookmarks_.end(), bookmark);
    return it == bookmarks_.end() ? -1 : static_cast<int>(it - bookmarks_.begin());
}

int RecordsetGridModel::currentRow() const
{
    // A row being added has no place in the grid yet.
    if (!rs_ || !rs_->HasCurrentRow() || rs_->EditMode() == Recordset::EditState::Add)
        return -1;
    return rowOfBookmark(rs_->Bookmark());
}

void RecordsetGridModel::clearSelectedBookmarks()
{
    std::vector<Recordset::BookmarkId> old;
    old.swap(selected_);
    for (const Recordset::BookmarkId b : old)
        refreshRow(rowOfBookmark(b));
}

void RecordsetGridModel::addSelectedBookmark(Recordset::BookmarkId bookmark)
{
    if (std::find(selected_.begin(), selected_.end(), bookmark) != selected_.end())
        return;
    selected_.push_back(bookmark);
    refreshRow(rowOfBookmark(bookmark));
}

bool RecordsetGridModel::isRowSelected(int row) const
{
    const Recordset::BookmarkId b = bookmarkAt(row);
    return b != 0 && std::find(selected_.begin(), selected_.end(), b) != selected_.end();
}

int RecordsetGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(cells_.size());
}

int RecordsetGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant RecordsetGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= static_cast<int>(cells_.size()) ||
        index.column() >= static_cast<int>(columns_.size()))
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return cells_[static_cast<size_t>(index.row())][static_cast<size_t>(index.column())];
    case Qt::BackgroundRole:
        return isRowSelected(index.row()) ? QVariant(QBrush(QColor(0, 0, 128))) : QVariant();
    case Qt::ForegroundRole:
        return isRowSelected(index.row()) ? QVariant(QBrush(QColor(255, 255, 255))) : QVariant();
    case Qt::TextAlignmentRole: {
        const Qt::Alignment a = columns_[static_cast<size_t>(index.column())].alignment;
        return a == Qt::Alignment() ? QVariant() : QVariant(a.toInt());
    }
    default:
        return {};
    }
}

QVariant RecordsetGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= static_cast<int>(columns_.size()))
        return QAbstractTableModel::headerData(section, orientation, role);
    return columns_[static_cast<size_t>(section)].caption;
}

bool RecordsetGridModel::setHeaderData(int section, Qt::Orientation orientation,
                                       const QVariant& value, int role)
{
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::EditRole) ||
        section < 0 || section >= static_cast<int>(columns_.size()))
        return false;
    setCaption(section, value.toString());
    return true;
}

Qt::ItemFlags RecordsetGridModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() < static_cast<int>(columns_.size()) &&
        !columns_[static_cast<size_t>(index.column())].readOnly && rs_ != nullptr)
        f |= Qt::ItemIsEditable;
    return f;
}

bool RecordsetGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !rs_ ||
        index.row() >= static_cast<int>(cells_.size()) ||
        index.column() >= static_cast<int>(columns_.size()))
        return false;
    const GridColumn& col = columns_[static_cast<size_t>(index.column())];
    if (col.readOnly)
        return false;
    const QString text = value.toString();
    GridCellVerdict verdict;
    if (check_)
        verdict = check_(index.row(), col, text);
    else
        verdict.value = Value(text.toStdString());
    if (!verdict.value) {
        if (!verdict.message.isEmpty())
            cellMessage(index, verdict.message, verdict.title);
        return false;
    }
    const auto row = static_cast<size_t>(index.row());
    try {
        rs_->SetBookmark(bookmarks_[row]);
        rs_->SetField(col.field.toStdString(), *verdict.value);
        rs_->Update();
        readRow(cells_[row]);
    } catch (const DbError& e) {
        if (rs_->State() == Recordset::kStateOpen && rs_->EditMode() != Recordset::EditState::None)
            rs_->CancelUpdate();
        const bool german = Language == 0;
        cellMessage(index,
                    withDataFault(german ? QStringLiteral("Die Änderung konnte nicht gespeichert "
                                                          "werden.")
                                         : QStringLiteral("The change could not be stored."),
                                  e),
                    german ? QStringLiteral("Datenfehler") : QStringLiteral("Data error"));
        return false;
    }
    emit dataChanged(this->index(index.row(), 0),
                     this->index(index.row(), static_cast<int>(columns_.size()) - 1));
    if (cellStored_)
        cellStored_(index.row(), index.column());
    return true;
}

void RecordsetGridModel::refreshRow(int row)
{
    if (row < 0 || columns_.empty())
        return;
    emit dataChanged(index(row, 0), index(row, static_cast<int>(columns_.size()) - 1),
                     {Qt::BackgroundRole, Qt::ForegroundRole});
}

} // namespace tv
