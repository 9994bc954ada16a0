#include "flight/RouteGrid.h"

#include "core/HandlerGuard.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

namespace tv {

int gridRowOf(const Recordset* points)
{
    if (!points || points->State() != Recordset::kStateOpen || points->Bof() || points->Eof())
        return -1;
    const long pos = points->AbsolutePosition();
    return pos >= 1 ? static_cast<int>(pos - 1) : -1;
}

RouteGridModel* RouteGridModel::attach(QTableView& view, std::function<void(int)> chosen,
                                       std::function<void(int)> headClicked)
{
    auto* model = new RouteGridModel(&view);
    model->view_ = &view;
    model->chosen_ = std::move(chosen);
    view.setModel(model);
    view.setSelectionMode(QAbstractItemView::NoSelection);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.verticalHeader()->hide();
    view.setColumnWidth(0, 33);
    view.setColumnWidth(1, 135);
    QObject::connect(view.selectionModel(), &QItemSelectionModel::currentRowChanged, model,
                     [model](const QModelIndex& current, const QModelIndex& previous) {
                         guarded([&] {
                             model->currentRowMoved(current.isValid() ? current.row() : -1,
                                                    previous.isValid() ? previous.row() : -1);
                         });
                     });
    QObject::connect(view.horizontalHeader(), &QHeaderView::sectionClicked, model,
                     std::move(headClicked));
    return model;
}

void RouteGridModel::load(Recordset* points)
{
    const bool before = moving_;
    moving_ = true;
    bind(points);
    moving_ = before;
    followCurrentRow();
}

void RouteGridModel::followCurrentRow()
{
    if (!view_ || !view_->selectionModel())
        return;
    const int row = gridRowOf(recordset());
    const bool before = moving_;
    moving_ = true;
    view_->selectionModel()->setCurrentIndex(row >= 0 ? index(row, 0) : QModelIndex(),
                                             QItemSelectionModel::NoUpdate);
    moving_ = before;
}

void RouteGridModel::highlightCurrent()
{
    if (gridRowOf(recordset()) >= 0)
        addSelectedBookmark(recordset()->Bookmark());
}

void RouteGridModel::currentRowMoved(int row, int lastRow)
{
    Recordset* points = recordset();
    if (moving_ || row < 0 || !points || points->State() != Recordset::kStateOpen)
        return;
    guarded([&] {
        const Recordset::BookmarkId bookmark = bookmarkAt(row);
        if (bookmark == 0)
            return;
        points->SetBookmark(bookmark);
        // A click on a row of the grid replaces the grid's selection.
        clearSelectedBookmarks();
        if (chosen_)
            chosen_(lastRow);
    });
}

} // namespace tv
