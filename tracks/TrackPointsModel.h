#pragma once

#include "platform/Recordset.h"
#include "platform/Value.h"

#include <QAbstractTableModel>
#include <QString>

#include <array>
#include <vector>

namespace tv {

// The points grid of the track manager: seven columns bound to the fields "Index", "Number",
// "Lat", "Long", "Height", "Date" and "Time", captions by language. A copy of the points
// recordset's values taken at each binding, so that drawing the grid never moves the set's
// current row (the export steps through it).
class TrackPointsModel : public QAbstractTableModel
{
public:
    static constexpr int kColumns = 7;
    static constexpr std::array<const char*, kColumns> kFields = {"Index",  "Number", "Lat", "Long",
                                                                  "Height", "Date",   "Time"};

    using QAbstractTableModel::QAbstractTableModel;

    // Copies every row of `points` (no rows for a null or closed set); the set is left on its
    // first row.
    void load(Recordset* points);
    void setLanguage(int language);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<Value> cells_; // row after row, kColumns values each
    int language_ = 0;
};

} // namespace tv
