// The flight window's route: choosing it, route navigation and direct flight, stepping along
// the points, the route line, and the figures of the navigation to the target.

#include "flight/frmGPSmain.h"

#include "core/GeoMath.h"
#include "core/HandlerGuard.h"
#include "core/Variablen.h"
#include "flight/RouteGrid.h"
#include "flight/RouteNav.h"
#include "flight/RouteWindow.h"
#include "map/DrawSurface.h"
#include "map/PictureBox.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"

#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTime>

#include <exception>

namespace tv {
namespace {

bool isOpen(const std::shared_ptr<Recordset>& set)
{
    return set && set->State() == Recordset::kStateOpen;
}

bool hasRows(const std::shared_ptr<Recordset>& set)
{
    return isOpen(set) && set->RecordCount() > 0;
}

void setShown(QWidget* control, bool on)
{
    if (control)
        control->setVisible(on);
}

void setCaption(QLabel* label, const QString& text)
{
    if (label)
        label->setText(text);
}

void refreshMap(frmGPSmain& w)
{
    if (w.picMap)
        w.picMap->Refresh();
}

// Marks the target row: the grid's current row joins the highlighted rows.
void addCurrentBookmark(frmGPSmain& w)
{
    RouteGridModel* model = routeGridModel(w);
    if (!model || gridRowOf(w.routepointsRS.get()) < 0)
        return;
    model->addSelectedBookmark(w.routepointsRS->Bookmark());
}

void clearBookmarks(frmGPSmain& w)
{
    if (RouteGridModel* model = routeGridModel(w))
        model->clearSelectedBookmarks();
}

// Puts the grid's current row on the point set's current row, without running the grid's
// row-change handler (that one answers the pilot's choice).
void syncGridRow(frmGPSmain& w)
{
    RouteGridModel* model = routeGridModel(w);
    if (!model || !w.gridWaypoints || !w.gridWaypoints->selectionModel())
        return;
    const int row = gridRowOf(w.routepointsRS.get());
    const bool before = model->movingCurrentRow;
    model->movingCurrentRow = true;
    const QModelIndex index = row >= 0 ? model->index(row, 0) : QModelIndex();
    w.gridWaypoints->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    model->movingCurrentRow = before;
}

// The pilot moved the grid's current row (click or keys).
void gridCurrentRowChanged(frmGPSmain& w, const QModelIndex& current, const QModelIndex& previous)
{
    RouteGridModel* model = routeGridModel(w);
    if (!model || model->movingCurrentRow)
        return;
    try {
        if (!isOpen(w.routepointsRS) || !current.isValid())
            return;
        const Recordset::BookmarkId bookmark = model->bookmarkAt(current.row());
        if (bookmark == 0)
            return;
        w.routepointsRS->SetBookmark(bookmark);
        // A click on a row of the grid replaces the grid's selection.
        model->clearSelectedBookmarks();
        w.gridWaypoints_RowColChange(previous.isValid() ? previous.row() : -1,
                                     previous.isValid() ? previous.column() : -1);
    } catch (const std::exception&) {
        // The grid keeps what it shows; the next redraw takes the set as it is.
    }
}

} // namespace

// ------------------------------------------------------------------ glue for the window

RouteGridModel* routeGridModel(frmGPSmain& w)
{
    if (!w.gridWaypoints)
        return nullptr;
    return dynamic_cast<RouteGridModel*>(w.gridWaypoints->model());
}

void setUpRouteGrid(frmGPSmain& w)
{
    QTableView* grid = w.gridWaypoints;
    if (!grid || routeGridModel(w))
        return;
    auto* model = new RouteGridModel(grid);
    grid->setModel(model);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    grid->setColumnWidth(0, 33);
    grid->setColumnWidth(1, 135);
    QObject::connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, grid,
                     [&w](const QModelIndex& current, const QModelIndex& previous) {
                         gridCurrentRowChanged(w, current, previous);
                     });
    QObject::connect(grid->horizontalHeader(), &QHeaderView::sectionClicked, grid,
                     [&w](int column) { w.gridWaypoints_HeadClick(column); });
}

void bindRouteGrid(frmGPSmain& w)
{
    RouteGridModel* model = routeGridModel(w);
    if (!model)
        return;
    const bool before = model->movingCurrentRow;
    model->movingCurrentRow = true;
    model->load(w.routepointsRS.get());
    model->movingCurrentRow = before;
    syncGridRow(w);
}

void refillRoutes(frmGPSmain& w)
{
    try {
        if (!MainConnection || !w.routeRS)
            return;
        // What was shown before: the route (by key, else by the name in the route box) and
        // the target point.
        std::optional<int64_t> rememberedRoute;
        if (w.cmbRoute && w.cmbRoute->currentIndex() >= 0) {
            bool ok = false;
            const qlonglong id = w.cmbRoute->currentData().toLongLong(&ok);
            if (ok)
                rememberedRoute = id;
        }
        const QString rememberedName = w.tRoute ? w.tRoute->text() : QString();
        std::optional<int64_t> rememberedPoint;
        if (hasRows(w.routepointsRS) && gridRowOf(w.routepointsRS.get()) >= 0)
            rememberedPoint = w.routepointsRS->Field("PointID").toInt();

        const ActiveRoute::Choice choice =
            w.navigation().route.refresh(*MainConnection, rememberedRoute, rememberedName);
        if (choice.entries.empty()) {
            setShown(w.picShowPoints, false);
            if (w.tRoute)
                w.tRoute->clear();
            if (w.cmbRoute)
                w.cmbRoute->clear();
            bindRouteGrid(w);
            return;
        }
        if (w.cmbRoute) {
            const QSignalBlocker quiet(w.cmbRoute);
            w.cmbRoute->clear();
            for (const RouteEntry& e : choice.entries)
                w.cmbRoute->addItem(e.name, QVariant::fromValue<qlonglong>(e.routeId));
            w.cmbRoute->setCurrentIndex(choice.chosen);
        }
        const RouteEntry& chosen = choice.entries[static_cast<size_t>(choice.chosen)];
        if (w.tRoute && w.tRoute->text() != chosen.name)
            w.tRoute->setText(chosen.name);

        if (!choice.hasPoints) {
            setShown(w.picActivateGoto, false);
            if (!w.navigation().route.directFly)
                setShown(w.Frame1, false);
        } else {
            // Without a fix the map opens at the start of the route.
            const GeoPos start = routePointFromRow(*w.routepointsRS).position();
            w.navigation().fixEvents().placeWithoutFix(start.latDeg, start.lonDeg);
        }
        bindRouteGrid(w);
        if (choice.hasPoints) {
            w.GridBusy = false;
            if (rememberedPoint)
                w.navigation().route.restoreTarget(*rememberedPoint);
            syncGridRow(w);
            addCurrentBookmark(w);
        }
    } catch (const std::exception&) {
        // The route box and grid keep what they show; the next activation tries again.
    }
}

// ------------------------------------------------------------------ choosing a route

void frmGPSmain::cmbRoute_Click()
{
    try {
        if (!cmbRoute || !routeRS || !MainConnection || cmbRoute->currentIndex() < 0)
            return;
        bool ok = false;
        const int64_t routeId = cmbRoute->currentData().toLongLong(&ok);
        if (!ok || !nav_.route.choose(*MainConnection, routeId))
            return; // the route is gone: the next activation refills the box
        bindRouteGrid(*this);
        if (tRoute && cmbRoute->currentText() != tRoute->text()) {
            tRoute->show();
            tRoute->setText(cmbRoute->currentText());
        }
        if (hasRows(ActiveMaps) && !ActiveMaps->Bof() && !ActiveMaps->Eof()) {
            writeLastMapFile();
            UpdateRouteInfo();
        }
    } catch (const std::exception&) {
        // A route whose points cannot be read shows an empty grid.
    }
}

void frmGPSmain::cmbRoute_LostFocus()
{
    if (tRoute)
        tRoute->show();
}

void frmGPSmain::tRoute_Click()
{
    if (tRoute)
        tRoute->hide();
}

// ------------------------------------------------------------------ route navigation

void frmGPSmain::cmdActivateGoto_Click()
{
    try {
        if (nav_.route.startNavigation()) {
            setShown(picActivateGoto, true);
            setShown(Frame1, true);
            addCurrentBookmark(*this);
            UpdateMap();
            refreshMap(*this);
        } else {
            setShown(picActivateGoto, false);
            if (!nav_.route.directFly)
                setShown(Frame1, false);
        }
    } catch (const std::exception&) {
    }
}

void frmGPSmain::picActivateGoto_Click()
{
    try {
        nav_.route.stopNavigation();
        if (!nav_.route.directFly)
            setShown(Frame1, false);
        setShown(picActivateGoto, false);
        UpdateMap();
        refreshMap(*this);
    } catch (const std::exception&) {
    }
}

void frmGPSmain::cmdNext_Click()
{
    try {
        if (!isOpen(routepointsRS) || gridRowOf(routepointsRS.get()) < 0)
            return;
        clearBookmarks(*this);
        switch (nav_.route.advance()) {
        case StepResult::AtLastEnd:
            // The last point was the target: route navigation has ended there. The figures
            // stay up while a direct flight still uses them.
            setShown(picActivateGoto, false);
            if (!nav_.route.directFly)
                setShown(Frame1, false);
            if (cmdNext)
                cmdNext->setEnabled(false);
            break;
        case StepResult::Moved:
            if (cmdPrev)
                cmdPrev->setEnabled(true);
            syncGridRow(*this);
            break;
        default:
            break;
        }
        addCurrentBookmark(*this);
        refreshMap(*this);
    } catch (const std::exception&) {
    }
}

void frmGPSmain::cmdPrev_Click()
{
    try {
        if (!isOpen(routepointsRS))
            return;
        clearBookmarks(*this);
        switch (nav_.route.back()) {
        case StepResult::Moved:
            if (cmdNext)
                cmdNext->setEnabled(true);
            syncGridRow(*this);
            break;
        default: // on the first point, or no point at all
            if (cmdPrev)
                cmdPrev->setEnabled(false);
            break;
        }
        addCurrentBookmark(*this);
        refreshMap(*this);
    } catch (const std::exception&) {
    }
}

// ------------------------------------------------------------------ direct flight

void frmGPSmain::cmdDirectFly_Click()
{
    try {
        nav_.route.startDirectFlight();
        setShown(Frame1, true);
        setShown(picDF, true);
        nav_.clearTargetFigures();
        showTargetFigures();
        setShown(lblLatx, true);
        setShown(lblLongx, true);
        UpdateMap();
        refreshMap(*this);
    } catch (const std::exception&) {
    }
}

void frmGPSmain::picDF_Click()
{
    try {
        nav_.route.stopDirectFlight();
        if (!nav_.route.gotoActive)
            setShown(Frame1, false);
        setShown(picDF, false);
        setShown(lblLatx, false);
        setShown(lblLongx, false);
        nav_.clearTargetFigures();
        showTargetFigures();
        UpdateMap();
        refreshMap(*this);
    } catch (const std::exception&) {
    }
}

// ------------------------------------------------------------------ route line switch

void frmGPSmain::cmdshowRoute_Click()
{
    try {
        setShown(picShowRoute, true);
        ShowRoute = true;
        UpdateMap();
        UpdateRouteInfo();
    } catch (const std::exception&) {
    }
}

void frmGPSmain::picShowRoute_Click()
{
    try {
        setShown(picShowRoute, false);
        ShowRoute = false;
        UpdateMap();
    } catch (const std::exception&) {
    }
}

void frmGPSmain::lblRoute_Click()
{
    picShowRoute_Click();
}

// ------------------------------------------------------------------ grid

void frmGPSmain::gridWaypoints_HeadClick(int /*ColIndex*/)
{
    try {
        if (gridRowOf(routepointsRS.get()) > -1) {
            addCurrentBookmark(*this);
            refreshMap(*this);
        }
    } catch (const std::exception&) {
    }
}

void frmGPSmain::gridWaypoints_RowColChange(int /*LastRow*/, int /*LastCol*/)
{
    try {
        if (GridBusy)
            return;
        if (gridRowOf(routepointsRS.get()) > -1) {
            addCurrentBookmark(*this);
            UpdateMap();
            refreshMap(*this);
        }
    } catch (const std::exception&) {
    }
}

// ------------------------------------------------------------------ drawing

void frmGPSmain::DrawRouteLeg(double lat1, double long1, double lat2, double long2, uint32_t colour)
{
    if (!hasRows(ActiveMaps) || !picMap)
        return;
    drawRouteLeg(mapSurface(), mapView, {lat1, long1}, {lat2, long2}, colour);
}

// Draws the route chosen in the route box, whatever point set the grid shows and whether or
// not a mode is on. A database failure goes to the overlay, which ends the redraw there.
void frmGPSmain::DrawRoute()
{
    if (!hasRows(routeRS) || !MainConnection)
        return;
    const std::optional<int64_t> routeId = currentRouteId(*routeRS);
    if (!routeId)
        return;
    const std::vector<RoutePoint> points = loadRoutePoints(*MainConnection, *routeId);
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        const GeoPos a = points[i].position();
        const GeoPos b = points[i + 1].position();
        DrawRouteLeg(a.latDeg, a.lonDeg, b.latDeg, b.lonDeg, kRouteLineColour);
    }
}

// ------------------------------------------------------------------ target navigation

void frmGPSmain::UpdateTargetNav()
{
    const std::optional<FlightNavigation::Target> target = nav_.target();
    if (!target)
        return;
    const GeoPos own = nav_.aircraft();
    DrawRouteLeg(target->position.latDeg, target->position.lonDeg, own.latDeg, own.lonDeg,
                 kGuideLineColour);
    switch (nav_.updateTarget(*target, QTime::currentTime())) {
    case FlightNavigation::TargetUpdate::Blanked:
        return;
    case FlightNavigation::TargetUpdate::Unchanged:
        break;
    case FlightNavigation::TargetUpdate::Passed:
        // The point has been passed: the next one becomes the target. These figures still
        // refer to the point just passed; the next redraw shows the new target.
        cmdNext_Click();
        showTargetFigures();
        break;
    case FlightNavigation::TargetUpdate::Computed:
        showTargetFigures();
        break;
    }
    UpdateRouteInfo();
}

void frmGPSmain::UpdateRouteInfo()
{
    // A route whose points cannot be read keeps the figures shown last.
    guarded([&] {
        if (MainConnection && nav_.updateRouteFigures(*MainConnection)) {
            setCaption(lblRoute, nav_.figures().routeLength);
            setCaption(lblRemDist, nav_.figures().remaining);
        }
    });
}

void frmGPSmain::showTargetFigures()
{
    setCaption(lblDistanz, nav_.figures().distance);
    setCaption(lblTrueBearing, nav_.figures().course);
    setCaption(lblTime, nav_.figures().time);
}

} // namespace tv
