// Routes in the plan window: the route list, the current route's points and their editing. The
// routes are held by PlanRoutes; every handler calls one of its verbs and then shows the lists.
#include "planning/frmPlanung.h"

#include "core/HandlerGuard.h"
#include "core/Variablen.h"
#include "core/forms/MsgBox.h"
#include "core/forms/RecordsetGridModel.h"
#include "planning/RouteName.h"
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

// Both route grids show their set as it stands, the current rows highlighted; the map follows.
void frmPlanung::showRoutes()
{
    routeModel_->bind(&routes_.routes());
    pointsModel_->bind(&routes_.points());
    syncGrid(gridRoute, routeModel_);
    syncGrid(gridPoints, pointsModel_);
    RedrawMap();
}

// After a verb: a write the file refused is told; the grids show what is stored either way.
void frmPlanung::showWrite(PlanRoutes::Write result)
{
    if (result == PlanRoutes::Write::Nothing)
        return;
    showRoutes();
    if (result == PlanRoutes::Write::Failed) {
        MsgBox(Language == 0 ? QStringLiteral("Die Änderung konnte nicht gespeichert werden.")
                             : QStringLiteral("The change could not be stored."),
               Language == 0 ? QStringLiteral("Datenfehler") : QStringLiteral("Data error"));
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
