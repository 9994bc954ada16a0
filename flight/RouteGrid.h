#pragma once

#include "platform/Recordset.h"

#include <QAbstractTableModel>
#include <QString>

#include <vector>

namespace tv {

// The route's points as the waypoint grid shows them: " Nr." (Nummer) and the point's name.
// A copy of the point set's rows taken at each binding, so that drawing the grid never moves
// the set's current row. Rows whose bookmark is among the selected bookmarks are highlighted:
// that is how the grid marks the target point.
class RouteGridModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Copies every row of `points` (none for a null or closed set); the set's current row
    // stays. The selected bookmarks are dropped: they belonged to the rows shown before.
    void load(Recordset* points);

    // Bookmark of a grid row; 0 outside the rows.
    Recordset::BookmarkId bookmarkAt(int row) const;
    // Grid row of a bookmark; -1 when no row has it.
    int rowOfBookmark(Recordset::BookmarkId bookmark) const;

    void clearSelectedBookmarks();
    void addSelectedBookmark(Recordset::BookmarkId bookmark);
    const std::vector<Recordset::BookmarkId>& selectedBookmarks() const { return selected_; }
    bool isRowSelected(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Row
    {
        QString number;
        QString name;
        Recordset::BookmarkId bookmark = 0;
    };
    void refreshRow(int row);

    std::vector<Row> rows_;
    std::vector<Recordset::BookmarkId> selected_;
};

// The grid's current row for a point set: 0-based, -1 when no row is current (empty or closed
// set, or beyond either end).
int gridRowOf(const Recordset* points);

} // namespace tv
