#include "calibration/NameGridModel.h"

#include "platform/DbError.h"

namespace tv {

void NameGridModel::load(Recordset* rs)
{
    beginResetModel();
    rows_.clear();
    if (rs && rs->State() == Recordset::kStateOpen) {
        try {
            const long keep = rs->AbsolutePosition();
            for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
                rows_.push_back(
                    {QString::fromStdString(rs->Field("Name").toString()), rs->Bookmark()});
            if (keep >= 1)
                rs->SetAbsolutePosition(keep);
            else if (rs->RecordCount() > 0)
                rs->MoveFirst();
        } catch (const DbError&) {
            // The grid shows the rows read so far; the recordset reports its own faults to the
            // window that uses it.
        }
    }
    endResetModel();
}

void NameGridModel::setCaption(const QString& caption)
{
    caption_ = caption;
    emit headerDataChanged(Qt::Horizontal, 0, 0);
}

Recordset::BookmarkId NameGridModel::bookmarkAt(int row) const
{
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return 0;
    return rows_[static_cast<size_t>(row)].bookmark;
}

QString NameGridModel::nameAt(int row) const
{
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return {};
    return rows_[static_cast<size_t>(row)].name;
}

int NameGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int NameGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant NameGridModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return nameAt(index.row());
}

QVariant NameGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section == 0)
        return caption_;
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace tv
