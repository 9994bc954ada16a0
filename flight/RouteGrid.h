#pragma once

#include "core/forms/RecordsetGridModel.h"

#include <functional>

class QTableView;

namespace tv {

// The route's points as the flight window's waypoint grid shows them: " Nr." (Nummer) and the
// point's name, read only. Rows whose bookmark is among the selected bookmarks are highlighted:
// that is how the grid marks the target point. The view's current row follows the point set's
// current row; a row the pilot moves to becomes the set's current row.
class RouteGridModel : public RecordsetGridModel
{
public:
    explicit RouteGridModel(QObject* parent = nullptr)
        : RecordsetGridModel({{QStringLiteral("Nummer"), QStringLiteral(" Nr."), true},
                              {QStringLiteral("Name"), QStringLiteral("     Streckenpunkt"), true}},
                             parent)
    {
    }

    // Puts a new model into `view` (no selection of its own, no editing, no row header, the
    // window's column widths). `chosen` runs when the pilot moved the current row (by click or
    // key; the set is already on that row, the highlighted rows are dropped) with the row left,
    // -1 for none; `headClicked` on a click on a column header.
    static RouteGridModel* attach(QTableView& view, std::function<void(int lastRow)> chosen,
                                  std::function<void(int column)> headClicked);

    // Shows every row of `points` (none for a null or closed set) with the view's current row
    // on the set's current row. The highlighted rows are dropped: they belonged to the rows
    // shown before.
    void load(Recordset* points);
    // The view's current row follows the set's current row (that is not the pilot's choice).
    void followCurrentRow();
    // The set's current row joins the highlighted rows: it is the target.
    void highlightCurrent();

private:
    void currentRowMoved(int row, int lastRow);

    QTableView* view_ = nullptr;
    std::function<void(int)> chosen_;
    bool moving_ = false; // the window moves the current row itself
};

// The grid's current row for a point set: 0-based, -1 when no row is current (empty or closed
// set, or beyond either end).
int gridRowOf(const Recordset* points);

} // namespace tv
