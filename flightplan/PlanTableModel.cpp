#include "flightplan/PlanTableModel.h"

#include "flightplan/FlightPlan.h"
#include "flightplan/FlightPlanMath.h"
#include "platform/Recordset.h"

namespace tv {

void PlanTableModel::load(Recordset* plan, char decimalMark)
{
    std::vector<std::array<QString, kColumns>> rows;
    if (plan != nullptr && plan->State() == Recordset::kStateOpen) {
        const long keep = plan->AbsolutePosition();
        for (plan->MoveFirst(); !plan->Eof(); plan->MoveNext()) {
            std::array<QString, kColumns> r;
            for (std::size_t c = 0; c < r.size(); ++c) {
                const Value v = plan->Field(kPlanGridFields[c]);
                r[c] = QString::fromStdString(v.isNumber() ? numberText(v.toDouble(), decimalMark)
                                                           : v.toString());
            }
            rows.push_back(std::move(r));
        }
        if (keep >= 1)
            plan->SetAbsolutePosition(keep);
        else
            plan->MoveFirst();
    }
    // After a cell edit the rows stay the same rows: change them in place, so that the grid
    // keeps its place and the editor that is closing is not torn away.
    if (rows.size() == rows_.size() && !rows_.empty()) {
        rows_ = std::move(rows);
        emit dataChanged(index(0, 0), index(rowCount() - 1, kColumns - 1));
        return;
    }
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void PlanTableModel::setCaptions(const QStringList& captions)
{
    captions_ = captions;
    emit headerDataChanged(Qt::Horizontal, 0, kColumns - 1);
}

int PlanTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int PlanTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant PlanTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size()))
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return rows_[static_cast<std::size_t>(index.row())]
                    [static_cast<std::size_t>(index.column())];
    if (role == Qt::TextAlignmentRole)
        return index.column() == 1 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                   : QVariant(Qt::AlignCenter);
    return {};
}

QVariant PlanTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= captions_.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    return captions_[section];
}

Qt::ItemFlags PlanTableModel::flags(const QModelIndex& index) const
{
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool PlanTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !onEdit_)
        return false;
    // The handler reloads the model when it takes the value.
    return onEdit_(index.row(), index.column(), value.toString());
}

} // namespace tv
