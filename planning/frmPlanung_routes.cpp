// Routes in the plan window: the route list, the current route's points and their editing.
#include "planning/frmPlanung.h"

#include "core/HandlerGuard.h"
#include "core/Variablen.h"
#include "core/forms/MsgBox.h"
#include "core/forms/RecordsetGridModel.h"
#include "planning/RouteName.h"
#include "planning/frmExport.h"
#include "planning/frmImport.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "route/RouteData.h"
#include "route/RouteEditing.h"

#include <QTableView>

namespace tv {

namespace {

void reportFailure()
{
    MsgBox(Language == 0 ? QStringLiteral("Die Änderung konnte nicht gespeichert werden.")
                         : QStringLiteral("The change could not be stored."),
           Language == 0 ? QStringLiteral("Datenfehler") : QStringLiteral("Data error"));
}

} // namespace

void frmPlanung::ExportRoute()
{
    frmExport& exporter = forms().get<frmExport>();
    exporter.selectRoute(currentKey(planrouteRS, "RouteID"));
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

// planpointsRS shows the points of the current route, or is closed without a route.
void frmPlanung::reopenPoints()
{
    const std::optional<int64_t> routeId = currentKey(planrouteRS, "RouteID");
    const bool opened = guarded([&] {
        if (routeId && MainConnection)
            openRoutePoints(planpointsRS, *MainConnection, *routeId);
        else
            planpointsRS.Close();
    });
    if (!opened)
        planpointsRS.Close();
    pointsModel_->bind(&planpointsRS);
    syncGrid(gridPoints, pointsModel_);
}

void frmPlanung::gridRoute_RowColChange()
{
    syncGrid(gridRoute, routeModel_);
    reopenPoints();
    if (showRoute_)
        RedrawMap();
}

void frmPlanung::RequeryLists()
{
    const std::optional<int64_t> route = currentKey(planrouteRS, "RouteID");
    const std::optional<int64_t> waypoint = currentKey(waypointsRS, "PointID");
    // When the data file fails, the lists show what could be read.
    guarded([&] {
        for (Recordset* rs : {&planrouteRS, &waypointsRS}) {
            if (rs->State() == Recordset::kStateOpen)
                rs->Requery();
        }
        if (route)
            findKey(planrouteRS, "RouteID", *route);
        if (waypoint)
            findKey(waypointsRS, "PointID", *waypoint);
    });
    routeModel_->bind(&planrouteRS);
    waypointsModel_->bind(&waypointsRS);
    syncWaypointGrid();
    gridRoute_RowColChange();
    ShowWaypoint();
    RedrawMap();
}

// The current point decides where the next point goes; the keys go back to the waypoint list.
void frmPlanung::gridPoints_RowColChange()
{
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
    if (!MainConnection || planrouteRS.State() != Recordset::kStateOpen)
        return;
    try {
        const int64_t id =
            insertRouteAfter(*MainConnection, currentKey(planrouteRS, "RouteID"), name);
        planrouteRS.Requery();
        findKey(planrouteRS, "RouteID", id);
    } catch (const DbError&) {
        reportFailure();
        return;
    }
    routeModel_->bind(&planrouteRS);
    gridRoute_RowColChange();
    gridRoute->setFocus();
}

void frmPlanung::cmdRouteDelete_Click()
{
    const std::optional<int64_t> routeId = currentKey(planrouteRS, "RouteID");
    if (!routeId || !MainConnection)
        return;
    const QString name = QString::fromStdString(planrouteRS.Field("Name").toString());
    const QString question =
        Language == 0 ? QStringLiteral("Soll die Strecke - %1 - gelöscht werden ?").arg(name)
                      : QStringLiteral("The Route - %1 - will be deleted ?").arg(name);
    if (MsgBox(question, QString(), MsgButtons::YesNo) != MsgResult::Yes)
        return;
    try {
        const std::optional<int64_t> next = deleteRoute(*MainConnection, *routeId);
        planrouteRS.Requery();
        if (next)
            findKey(planrouteRS, "RouteID", *next);
    } catch (const DbError&) {
        reportFailure();
        return;
    }
    routeModel_->bind(&planrouteRS);
    gridRoute_RowColChange();
}

void frmPlanung::cmdAddwaypoint_Click()
{
    waypointsModel_->setReadOnly(0, true);
    const std::optional<int64_t> routeId = currentKey(planrouteRS, "RouteID");
    const std::optional<int64_t> pointId = currentKey(waypointsRS, "PointID");
    // No route, or no current waypoint: nothing to add.
    if (!routeId || !pointId || !MainConnection)
        return;
    try {
        if (planpointsRS.State() != Recordset::kStateOpen)
            reopenPoints();
        NewRoutePoint point;
        point.pointId = *pointId;
        point.name = QString::fromStdString(waypointsRS.Field("Name").toString());
        point.latDDMM = waypointsRS.Field("Lat").toDouble();
        point.lonDDMM = waypointsRS.Field("Long").toDouble();
        const int64_t id =
            insertPointAfter(*MainConnection, *routeId, currentKey(planpointsRS, "id"), point);
        planpointsRS.Requery();
        findKey(planpointsRS, "id", id);
    } catch (const DbError&) {
        reportFailure();
        return;
    }
    pointsModel_->bind(&planpointsRS);
    syncGrid(gridPoints, pointsModel_);
    RedrawMap();
}

void frmPlanung::cmdDeleteWaypoint_Click()
{
    const std::optional<int64_t> routeId = currentKey(planrouteRS, "RouteID");
    const std::optional<int64_t> id = currentKey(planpointsRS, "id");
    if (!routeId || !id || !MainConnection)
        return;
    try {
        // The point after the deleted one becomes current; after the last, the one before.
        std::optional<int64_t> next;
        planpointsRS.MoveNext();
        if (planpointsRS.Eof()) {
            planpointsRS.MoveLast();
            if (!planpointsRS.Bof())
                planpointsRS.MovePrevious();
        }
        if (planpointsRS.HasCurrentRow() && currentKey(planpointsRS, "id") != id)
            next = currentKey(planpointsRS, "id");
        deletePoint(*MainConnection, *routeId, *id);
        planpointsRS.Requery();
        if (next)
            findKey(planpointsRS, "id", *next);
    } catch (const DbError&) {
        reportFailure();
        return;
    }
    pointsModel_->bind(&planpointsRS);
    syncGrid(gridPoints, pointsModel_);
    RedrawMap();
}

} // namespace tv
