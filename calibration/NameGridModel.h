#pragma once

#include "platform/Recordset.h"

#include <QAbstractTableModel>
#include <QString>

#include <vector>

namespace tv {

// A one-column grid over the Name field of a recordset (the active charts, the waypoints of a
// quick find). A copy of the rows taken at each load, so drawing the grid never moves the
// recordset's current row; each grid row keeps its row's bookmark.
class NameGridModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Copies the Name of every row (none for a null or closed set); the current row stays.
    void load(Recordset* rs);
    void setCaption(const QString& caption);

    Recordset::BookmarkId bookmarkAt(int row) const;
    QString nameAt(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Row
    {
        QString name;
        Recordset::BookmarkId bookmark = 0;
    };
    std::vector<Row> rows_;
    QString caption_;
};

} // namespace tv
