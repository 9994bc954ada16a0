// The plan window's map: its redraw from the layer stack, the chart and zoom controls, the
// measuring line and the route line switch.
#include "planning/frmPlanung.h"

#include "core/HandlerGuard.h"
#include "core/NumberFormat.h"
#include "core/Variablen.h"
#include "map/PictureBox.h"
#include "planning/PlanText.h"
#include "planning/frmLuftraumSettings.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "route/RouteData.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>

namespace tv {

void frmPlanung::RedrawMap()
{
    PlanMapInputs in;
    in.airspaces = PlanAirspaceMapLayer::Inputs{AirspaceConnection,
                                                planAirspaceSwitches(airspaceChoice_), Language};
    std::optional<int64_t> routeId;
    if (showRoute_) {
        routeId = routes_.routeId();
        in.route = PlanRouteLayer::Inputs{routes_.routeLine()};
    }
    in.waypoints.waypoints = MainConnection.get();
    in.waypoints.currentPointId = currentKey(waypointsRS, "PointID");
    if (AptDataAvailable && AirportConnection) {
        map_.airportLookup().useConnection(AirportConnection.get());
        in.waypoints.airports = AirportConnection.get();
    }
    const PlanMapResult result = map_.RedrawMap(std::move(in));
    if (result.airspaceBox)
        showAirspaceBox(*result.airspaceBox);
    if (showRoute_) {
        // The label belongs to the current route: no route or no points shows " NM".
        const std::optional<double> length = result.routeLengthNm;
        showRouteLength(routeLengthText(length && routeId ? *length : 0.0));
    }
    picMap->Refresh();
}

void frmPlanung::showRouteLength(const QString& text)
{
    lblRouteDistanz->setText(text);
}

void frmPlanung::cmbMaps_Click(const QString& name)
{
    chart_.choose(name);
    InitializeData();
    CenterOnWaypoint();
}

void frmPlanung::SlideMap_Change()
{
    if (!map_.hasChart())
        return;
    map_.setZoom(SlideMap->value());
    RedrawMap();
}

void frmPlanung::SlideMap_MouseUp(double xPixels)
{
    SlideMap->setValue(map_.sliderValueFromClickPx(xPixels));
    SlideMap_Change();
}

void frmPlanung::picMap_MouseDown(int, double x, double y)
{
    map_.view().press(x, y);
}

void frmPlanung::picMap_MouseMove(int button, double x, double y)
{
    if (!map_.hasChart())
        return;
    if (button == 1 && map_.view().dragTo(x, y))
        RedrawMap();
    cursor_ = map_.positionAt(x, y);
    if (!cursor_)
        return;
    const NumberStyle style = userNumberStyle();
    lblNS->setText(cursor_->lat < 0 ? QStringLiteral("S") : QStringLiteral("N"));
    lblEW->setText(cursor_->lon < 0 ? QStringLiteral("W") : QStringLiteral("E"));
    lblLatx->setText(coordinateText(cursor_->lat, style));
    lblLongx->setText(coordinateText(cursor_->lon, style));
    if (measuring_)
        measureTo(*cursor_);
}

void frmPlanung::picMap_KeyUp(int keyCode)
{
    if (keyCode == Qt::Key_Down)
        cmdNext_Click();
    else if (keyCode == Qt::Key_Up)
        cmdPrev_Click();
    else if (keyCode == Qt::Key_Return || keyCode == Qt::Key_Enter)
        cmdAddwaypoint_Click();
}

void frmPlanung::cmdMessen_Click()
{
    picMessen->show();
    cmdMessen->hide();
    measuring_ = true;
    RedrawMap();
}

void frmPlanung::picMessen_Click()
{
    picMessen->hide();
    cmdMessen->show();
    measuring_ = false;
    RedrawMap();
}

void frmPlanung::measureTo(DDMMPoint cursor)
{
    const std::optional<DDMMPoint> waypoint = boxesPosition(boxes());
    if (!waypoint)
        return;
    // The last redraw is painted back under the new line: the previous line goes, and the
    // layers need not be drawn again for every move of the mouse.
    if (!map_.restoreLastRedraw())
        RedrawMap();
    map_.DrawMeasureLine(*waypoint, cursor);
    picMap->Refresh();
    const Measurement m = measure(*waypoint, cursor);
    lblDistanz->setText(distanceText(m.distanceNm));
    lblKurs->setText(courseText(m.courseDeg));
}

void frmPlanung::cmdshowRoute_Click()
{
    cmdshowRoute->hide();
    picShowRoute->show();
    showRoute_ = true;
    RedrawMap();
}

void frmPlanung::picShowRoute_Click()
{
    cmdshowRoute->show();
    picShowRoute->hide();
    showRoute_ = false;
    RedrawMap();
}

void showPlanAirspaceDialog()
{
    const QPointer<frmPlanung> plan = &forms().get<frmPlanung>();
    PlanAirspaceChoice choice = plan->airspaceChoice();
    showAirspaceDialog(choice);
    if (plan)
        plan->setAirspaceChoice(choice);
}

} // namespace tv
