#pragma once

#include "platform/DbError.h"
#include "platform/Recordset.h"

#include <QAbstractTableModel>
#include <QString>

#include <vector>

namespace tv {

// The categories as the grid shows them: "  Nr." and the name. A copy of the recordset's rows,
// taken whenever the recordset changes, so that drawing the grid never moves its current row.
class CategoryTableModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void load(Recordset* rs)
    {
        beginResetModel();
        rows_.clear();
        if (rs && rs->State() == Recordset::kStateOpen) {
            try {
                const long keep = rs->AbsolutePosition();
                for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
                    rows_.push_back({QString::fromStdString(rs->Field("Nummer").toString()),
                                     QString::fromStdString(rs->Field("Kategorie").toString())});
                if (keep >= 1)
                    rs->SetAbsolutePosition(keep);
                else if (rs->RecordCount() > 0)
                    rs->MoveFirst();
            } catch (const DbError&) {
                // Shows the rows read so far.
            }
        }
        endResetModel();
    }

    void setNameCaption(const QString& caption)
    {
        nameCaption_ = caption;
        emit headerDataChanged(Qt::Horizontal, 1, 1);
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(rows_.size());
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : 2;
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid() ||
            index.row() >= static_cast<int>(rows_.size()))
            return {};
        const Row& r = rows_[static_cast<std::size_t>(index.row())];
        return index.column() == 0 ? r.number : r.name;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QAbstractTableModel::headerData(section, orientation, role);
        return section == 0 ? QStringLiteral("  Nr.") : nameCaption_;
    }

private:
    struct Row
    {
        QString number;
        QString name;
    };
    std::vector<Row> rows_;
    QString nameCaption_ = QStringLiteral("Kategorie");
};

} // namespace tv
