#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

namespace tv {

class Recordset;

// The log grid's view of the plan: a copy of the plan's rows as texts, taken whenever the
// plan changes, so that drawing never moves the plan's current row. Every cell is editable; a
// typed value goes to the window (`onEdit`), which checks it, stores it in the plan and
// reloads the model.
class PlanTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int kColumns = 13;
    // row and column 0-based; true when the value was taken.
    using EditHandler = std::function<bool(int row, int column, const QString& text)>;

    using QAbstractTableModel::QAbstractTableModel;

    void setEditHandler(EditHandler handler) { onEdit_ = std::move(handler); }
    // Reads every row of `plan` (nullptr or a closed plan: no rows), numbers written with
    // `decimalMark`; the plan's current row is kept.
    void load(Recordset* plan, char decimalMark);
    void setCaptions(const QStringList& captions);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    std::vector<std::array<QString, kColumns>> rows_;
    QStringList captions_;
    EditHandler onEdit_;
};

} // namespace tv
