// The flight window's route: choosing it, route navigation and direct flight, stepping along
// the points, and the figures of the navigation to the target. What the
// navigation is doing is FlightNavigation's; these handlers call it and show it.

#include "flight/frmGPSmain.h"

#include "core/HandlerGuard.h"
#include "core/Variablen.h"
#include "core/forms/MsgBox.h"
#include "flight/RouteGrid.h"
#include "flight/RouteWindow.h"
#include "map/PictureBox.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>

namespace tv {
namespace {

// The window's own sentence, then the file and why it failed.
void reportRouteFault(const QString& firstSentence, const DbError& error)
{
    MsgBox(withDataFault(firstSentence, error));
}

} // namespace

RouteGridModel* routeGridModel(frmGPSmain& w)
{
    return dynamic_cast<RouteGridModel*>(w.gridWaypoints->model());
}

void setUpRouteGrid(frmGPSmain& w)
{
    if (routeGridModel(w))
        return;
    RouteGridModel::attach(
        *w.gridWaypoints, [&w](int lastRow) { w.gridWaypoints_RowColChange(lastRow, -1); },
        [&w](int column) { guarded([&] { w.gridWaypoints_HeadClick(column); }); });
}

void bindRouteGrid(frmGPSmain& w)
{
    routeGridModel(w)->load(&w.navigation().gridPoints());
}

void refillRoutes(frmGPSmain& w)
{
    if (!MainConnection)
        return;
    // What was shown before: the route (the navigation chooses it again) and the target point.
    FlightNavigation& nav = w.navigation();
    std::optional<int64_t> shownPoint;
    if (gridRowOf(&nav.route().pointSet()) >= 0)
        shownPoint = nav.route().pointSet().Field("PointID").toInt();

    ActiveRoute::Choice choice;
    try {
        choice = nav.refillRoutes(*MainConnection);
    } catch (const DbError& e) {
        // The route box, the grid and the map keep the route shown before.
        reportRouteFault(Language == 0 ? QStringLiteral("Die Routen konnten nicht gelesen "
                                                        "werden.")
                                       : QStringLiteral("The routes could not be read."),
                         e);
        return;
    }
    {
        const QSignalBlocker quiet(w.cmbRoute);
        w.cmbRoute->clear();
        for (const RouteEntry& e : choice.entries)
            w.cmbRoute->addItem(e.name, QVariant::fromValue<qlonglong>(e.routeId));
        w.cmbRoute->setCurrentIndex(choice.chosen);
    }
    w.tRoute->setText(nav.routeName());
    if (choice.entries.empty()) {
        w.routePointsOnly = false;
        w.picShowPoints->hide();
    }
    w.showNavigation();
    if (choice.hasPoints) {
        // Without a fix the map opens at the start of the route.
        const GeoPos start = routePointFromRow(nav.route().pointSet()).position();
        nav.fixEvents().placeWithoutFix(start.latDeg, start.lonDeg);
    }
    bindRouteGrid(w);
    if (choice.hasPoints) {
        w.GridBusy = false;
        if (shownPoint)
            nav.restoreTarget(*shownPoint);
        routeGridModel(w)->followCurrentRow();
        routeGridModel(w)->highlightCurrent();
    }
}

void frmGPSmain::showNavigation()
{
    const ActiveRoute& route = nav_.route();
    Frame1->setVisible(route.navigating());
    picActivateGoto->setVisible(route.followingRoute());
    picDF->setVisible(route.flyingDirect());
    lblLatx->setVisible(route.flyingDirect());
    lblLongx->setVisible(route.flyingDirect());
}

// ------------------------------------------------------------------ choosing a route

void frmGPSmain::cmbRoute_Click(int index)
{
    const QString before = nav_.routeName();
    bool chosen = false;
    try {
        chosen = MainConnection && nav_.chooseRoute(*MainConnection, index);
    } catch (const DbError& e) {
        // The route flown so far stays whole: its name goes back into the box.
        {
            const QSignalBlocker quiet(cmbRoute);
            cmbRoute->setCurrentIndex(nav_.chosenEntry());
        }
        const QString picked = cmbRoute->itemText(index);
        reportRouteFault(
            Language == 0
                ? QStringLiteral("Die Route \u201E%1\u201C konnte nicht geladen "
                                 "werden.")
                      .arg(picked)
                : QStringLiteral("The route \u201C%1\u201D could not be loaded.").arg(picked),
            e);
        return;
    }
    if (!chosen)
        return; // the route is gone: the next activation refills the box
    bindRouteGrid(*this);
    if (nav_.routeName() != before) {
        tRoute->show();
        tRoute->setText(nav_.routeName());
    }
    if (chart_.hasCharts()) {
        writeLastMapFile();
        UpdateRouteInfo();
    }
}

// ------------------------------------------------------------------ route navigation and
// direct flight: the frame with the figures shows while either is on

void frmGPSmain::cmdActivateGoto_Click()
{
    const bool started = nav_.startNavigation();
    showNavigation();
    if (!started)
        return;
    routeGridModel(*this)->highlightCurrent();
    UpdateMap();
}

void frmGPSmain::picActivateGoto_Click()
{
    nav_.stopNavigation();
    showNavigation();
    UpdateMap();
}

void frmGPSmain::cmdNext_Click()
{
    if (gridRowOf(&nav_.route().pointSet()) < 0)
        return;
    routeGridModel(*this)->clearSelectedBookmarks();
    switch (nav_.nextPoint()) {
    case StepResult::AtLastEnd:
        // The last point was the target: route navigation has ended there. The figures stay
        // up while a direct flight still uses them.
        showNavigation();
        cmdNext->setEnabled(false);
        break;
    case StepResult::Moved:
        cmdPrev->setEnabled(true);
        routeGridModel(*this)->followCurrentRow();
        break;
    default:
        break;
    }
    routeGridModel(*this)->highlightCurrent();
    picMap->Refresh();
}

void frmGPSmain::cmdPrev_Click()
{
    if (!nav_.route().pointsOpen())
        return;
    routeGridModel(*this)->clearSelectedBookmarks();
    if (nav_.previousPoint() == StepResult::Moved) {
        cmdNext->setEnabled(true);
        routeGridModel(*this)->followCurrentRow();
    } else { // on the first point, or no point at all
        cmdPrev->setEnabled(false);
    }
    routeGridModel(*this)->highlightCurrent();
    picMap->Refresh();
}

void frmGPSmain::cmdDirectFly_Click()
{
    nav_.startDirectFlight();
    showNavigation();
    nav_.clearTargetFigures();
    showTargetFigures();
    UpdateMap();
}

void frmGPSmain::picDF_Click()
{
    nav_.stopDirectFlight();
    showNavigation();
    nav_.clearTargetFigures();
    showTargetFigures();
    UpdateMap();
}

// ------------------------------------------------------------------ grid

void frmGPSmain::gridWaypoints_HeadClick(int /*ColIndex*/)
{
    if (gridRowOf(&nav_.route().pointSet()) < 0)
        return;
    routeGridModel(*this)->highlightCurrent();
    picMap->Refresh();
}

void frmGPSmain::gridWaypoints_RowColChange(int /*LastRow*/, int /*LastCol*/)
{
    // The row the pilot moved to becomes the target.
    if (GridBusy || gridRowOf(&nav_.route().pointSet()) < 0)
        return;
    routeGridModel(*this)->highlightCurrent();
    UpdateMap();
}

// ------------------------------------------------------------------ figures

void frmGPSmain::UpdateTargetNav()
{
    const std::optional<FlightNavigation::Target> target = nav_.target();
    if (!target)
        return;
    const FlightNavigation::TargetUpdate update = nav_.updateTarget(*target, QTime::currentTime());
    if (update == FlightNavigation::TargetUpdate::Blanked)
        return;
    // A point just passed: the next one becomes the target. The figures still refer to the
    // point just passed; the next redraw shows the new target.
    if (update == FlightNavigation::TargetUpdate::Passed)
        cmdNext_Click();
    if (update != FlightNavigation::TargetUpdate::Unchanged)
        showTargetFigures();
    UpdateRouteInfo();
}

void frmGPSmain::UpdateRouteInfo()
{
    // Made from the points the grid shows: nothing is read from data.tvd.
    if (nav_.updateRouteFigures()) {
        lblRoute->setText(nav_.figures().routeLength);
        lblRemDist->setText(nav_.figures().remaining);
    }
}

void frmGPSmain::showTargetFigures()
{
    lblDistanz->setText(nav_.figures().distance);
    lblTrueBearing->setText(nav_.figures().course);
    lblTime->setText(nav_.figures().time);
}

} // namespace tv
