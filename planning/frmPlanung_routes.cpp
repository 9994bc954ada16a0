// Routes in the plan window: the route list, the current route's points and their editing. The
// routes are held by PlanRoutes; every handler calls one of its verbs and then shows the lists.
#include "planning/frmPlanung.h"

#include "core/HandlerGuard.h"
#include "core/Variablen.h"
#include "core/forms/MsgBox.h"
#include "core/forms/RecordsetGridModel.h"
#include "planning/RouteName.h"
#include "planning/WaypointEntry.h"
#include "planning/frmExport.h"
#include "planning/frmImport.h"
#include "platform/Connection.h"
#include "route/RouteData.h"

#include <QTableView>

namespace tv {

void frmPlanung::ExportRoute()
{
    frmExport& exporter = forms().get<frmExport>();
    exporter.selectRoute(routes_.routeId());
    forms().showModal(exporter);
}

void frmPlanung::ImportRoute()
{
    frmImport& importer = forms().get<frmImport>();
    // The lists show the new route behind the import's last message. A failing re-read leaves
    // them as they were: the import is stored anyway.
    connect(&importer, &frmImport::routeStored, this,
            [this] { guarded([this] { RequeryLists(); }); });
    importer.GetRoute();
}

// Both route grids show their set as it stands, the current rows highlighted.
void frmPlanung::showRouteGrids()
{
    routeModel_->bind(&routes_.routes());
    pointsModel_->bind(&routes_.points());
    syncGrid(gridRoute, routeModel_);
    syncGrid(gridPoints, pointsModel_);
}

// The grids and the map show the route lists; the map follows.
void frmPlanung::showRoutes()
{
    showRouteGrids();
    RedrawMap();
}

// After the lists were read again: a list that could not be read is told (it shows the rows
// last read). True when it told.
bool frmPlanung::tellUnreadRoutes()
{
    if (!routes_.stale() || !routes_.fault())
        return false;
    const PlanMessage m = routesNotReadMessage(*routes_.fault(), Language);
    MsgBox(m.text, m.title);
    return true;
}

// After a verb: a write the file refused is told, and lists that could not be read again; the
// grids show what is stored (or was read last) either way.
void frmPlanung::showWrite(PlanRoutes::Write result)
{
    if (result == PlanRoutes::Write::Nothing)
        return;
    showRoutes();
    if (result == PlanRoutes::Write::Failed && routes_.fault()) {
        const PlanMessage m = routeChangeNotStoredMessage(*routes_.fault(), Language);
        MsgBox(m.text, m.title);
    } else {
        tellUnreadRoutes();
    }
}

// The pilot clicked a route: its points are shown, or, when they cannot be read, the route
// shown before stays with its points, and the pilot hears why.
void frmPlanung::chooseRoute(Recordset::BookmarkId row)
{
    const bool wasStale = routes_.stale();
    const bool read = routes_.chooseRoute(row);
    if (read && !wasStale) {
        gridRoute_RowColChange();
        return;
    }
    showRoutes();
    if (!read && routes_.fault()) {
        const PlanMessage m =
            pickedRouteNotReadMessage(routes_.routeName(), *routes_.fault(), Language);
        MsgBox(m.text, m.title);
    }
}

void frmPlanung::gridRoute_RowColChange()
{
    syncGrid(gridRoute, routeModel_);
    pointsModel_->bind(&routes_.points());
    syncGrid(gridPoints, pointsModel_);
    if (showRoute_)
        RedrawMap();
}

void frmPlanung::RequeryLists()
{
    const std::optional<int64_t> waypoint = currentKey(waypointsRS, "PointID");
    routes_.reread();
    tellUnreadRoutes();
    // When the data file fails, the waypoint list shows what could be read.
    guarded([&] {
        if (waypointsRS.State() == Recordset::kStateOpen)
            waypointsRS.Requery();
        if (waypoint)
            seekRowKey(waypointsRS, "PointID", *waypoint);
    });
    waypointsModel_->bind(&waypointsRS);
    syncWaypointGrid();
    showRoutes();
    ShowWaypoint();
}

// The current point decides where the next point goes; the keys go back to the waypoint list.
void frmPlanung::gridPoints_RowColChange()
{
    syncGrid(gridPoints, pointsModel_);
    gridWaypoints->setFocus();
}

void frmPlanung::cmdNewRoute_Click()
{
    const QString name =
        InputBox(Language == 0 ? QStringLiteral("Neue Strecke") : QStringLiteral("New Route"));
    if (const auto m = checkRouteName(name.toStdString(), Language)) {
        MsgBox(QString::fromStdString(m->text), QString::fromStdString(m->title));
        return;
    }
    const PlanRoutes::Write result = routes_.newRoute(name);
    showWrite(result);
    if (result == PlanRoutes::Write::Stored)
        gridRoute->setFocus();
}

void frmPlanung::cmdRouteDelete_Click()
{
    if (!routes_.routeId())
        return;
    const QString name = routes_.routeName();
    const QString question =
        Language == 0 ? QStringLiteral("Soll die Strecke - %1 - gelöscht werden ?").arg(name)
                      : QStringLiteral("The Route - %1 - will be deleted ?").arg(name);
    if (MsgBox(question, QString(), MsgButtons::YesNo) != MsgResult::Yes)
        return;
    showWrite(routes_.deleteRoute());
}

void frmPlanung::cmdAddwaypoint_Click()
{
    waypointsModel_->setReadOnly(0, true);
    // A list read only now is shown first: the pilot adds a waypoint he has seen.
    if (waypointsRS.State() != Recordset::kStateOpen) {
        if (readClosedWaypointList(routeChangeNotStoredMessage))
            showReadWaypointList();
        return;
    }
    // No current waypoint: nothing to add.
    const std::optional<int64_t> pointId = currentKey(waypointsRS, "PointID");
    if (!pointId)
        return;
    NewRoutePoint point;
    point.pointId = *pointId;
    point.name = QString::fromStdString(waypointsRS.Field("Name").toString());
    point.latDDMM = waypointsRS.Field("Lat").toDouble();
    point.lonDDMM = waypointsRS.Field("Long").toDouble();
    showWrite(routes_.addPoint(point));
}

void frmPlanung::cmdDeleteWaypoint_Click()
{
    showWrite(routes_.deletePoint());
}

} // namespace tv
