#include "flight/RouteGrid.h"

#include "platform/DbError.h"

#include <QBrush>
#include <QColor>

#include <algorithm>

namespace tv {

void RouteGridModel::load(Recordset* points)
{
    beginResetModel();
    rows_.clear();
    selected_.clear();
    if (points && points->State() == Recordset::kStateOpen && points->RecordCount() > 0) {
        try {
            const bool hadRow = !points->Bof() && !points->Eof();
            const Recordset::BookmarkId keep = hadRow ? points->Bookmark() : 0;
            for (points->MoveFirst(); !points->Eof(); points->MoveNext())
                rows_.push_back({QString::fromStdString(points->Field("Nummer").toString()),
                                 QString::fromStdString(points->Field("Name").toString()),
                                 points->Bookmark()});
            if (hadRow)
                points->SetBookmark(keep);
            else
                points->MoveFirst();
        } catch (const DbError&) {
            // Shows the rows read so far.
        }
    }
    endResetModel();
}

Recordset::BookmarkId RouteGridModel::bookmarkAt(int row) const
{
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return 0;
    return rows_[static_cast<size_t>(row)].bookmark;
}

int RouteGridModel::rowOfBookmark(Recordset::BookmarkId bookmark) const
{
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].bookmark == bookmark)
            return static_cast<int>(i);
    }
    return -1;
}

void RouteGridModel::clearSelectedBookmarks()
{
    std::vector<Recordset::BookmarkId> old;
    old.swap(selected_);
    for (const Recordset::BookmarkId b : old)
        refreshRow(rowOfBookmark(b));
}

void RouteGridModel::addSelectedBookmark(Recordset::BookmarkId bookmark)
{
    if (std::find(selected_.begin(), selected_.end(), bookmark) != selected_.end())
        return;
    selected_.push_back(bookmark);
    refreshRow(rowOfBookmark(bookmark));
}

bool RouteGridModel::isRowSelected(int row) const
{
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return false;
    const Recordset::BookmarkId b = rows_[static_cast<size_t>(row)].bookmark;
    return std::find(selected_.begin(), selected_.end(), b) != selected_.end();
}

int RouteGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RouteGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant RouteGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size()))
        return {};
    const Row& r = rows_[static_cast<size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == 0 ? r.number : r.name;
    case Qt::BackgroundRole:
        if (isRowSelected(index.row()))
            return QBrush(QColor(0, 0, 128));
        return {};
    case Qt::ForegroundRole:
        if (isRowSelected(index.row()))
            return QBrush(QColor(255, 255, 255));
        return {};
    default:
        return {};
    }
}

QVariant RouteGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == 0 ? QStringLiteral(" Nr.") : QStringLiteral("     Streckenpunkt");
}

void RouteGridModel::refreshRow(int row)
{
    if (row < 0)
        return;
    emit dataChanged(index(row, 0), index(row, 1), {Qt::BackgroundRole, Qt::ForegroundRole});
}

int gridRowOf(const Recordset* points)
{
    if (!points || points->State() != Recordset::kStateOpen || points->Bof() || points->Eof())
        return -1;
    const long pos = points->AbsolutePosition();
    return pos >= 1 ? static_cast<int>(pos - 1) : -1;
}

} // namespace tv
