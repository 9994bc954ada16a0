// The flight window's overlay on the chart: points, airports, the direct-flight target, the
// charts under the aircraft with the automatic chart change, and the aircraft. The drawing is
// flight/MapOverlay and flight/MapSymbols; these members gather what the controls and the
// window's state say and write the results back into the controls.

#include "flight/frmGPSmain.h"

#include "core/Variablen.h"
#include "flight/MapOverlay.h"
#include "map/DrawSurface.h"
#include "map/MapSymbols.h"
#include "map/NumberText.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

#include <exception>

namespace tv {

namespace {

bool hasCurrentRow(const std::shared_ptr<Recordset>& rs)
{
    return rs && rs->State() == Recordset::kStateOpen && rs->RecordCount() > 0 && !rs->Bof() &&
           !rs->Eof();
}

Connection* openConnection(const std::shared_ptr<Connection>& connection)
{
    return connection && connection->IsOpen() ? connection.get() : nullptr;
}

} // namespace

void frmGPSmain::DrawMovingMap()
{
    try {
        // Nothing goes onto a chart that failed to load.
        if (!chart_.valid())
            return;
        OverlayInputs in;
        in.chartLoaded = chart_.valid();
        if (hasCurrentRow(ActiveMaps))
            in.chart = chartRowOf(*ActiveMaps);
        in.aircraft = nav_.aircraft();
        in.trackDeg = shownTrackDeg(nav_.fix());
        in.noFix = !nav_.hasFix();
        in.planeSymbol = PlaneSymbol;
        in.layers.ShowWayInfo = ShowWayInfo;
        in.layers.ShowAPT1 = ShowAPT1;
        in.layers.ShowAPT2 = ShowAPT2;
        in.layers.routePointsOnly = picShowPoints && !picShowPoints->isHidden();
        in.layers.aptDataAvailable = AptDataAvailable;
        in.showRoute = ShowRoute;
        in.navigating = nav_.route.navigating();
        in.mapScroll = mapView.chartStepping();
        if (hasCurrentRow(routeRS))
            in.routeId = routeRS->Field("RouteID");
        if (routepointsRS && routepointsRS->State() == Recordset::kStateOpen &&
            routepointsRS->RecordCount() > 0) {
            ActivePoint active;
            if (hasCurrentRow(routepointsRS)) {
                active.name = QString::fromStdString(routepointsRS->Field("Name").toString());
                const Value id = routepointsRS->Field("PointID");
                if (id.asNumber())
                    active.pointId = id.toInt();
            }
            in.activePoint = active;
        }
        if (nav_.route.directFly && nav_.directTarget())
            in.directTarget = {nav_.directTarget()->latDDMM, nav_.directTarget()->lonDDMM};
        in.shownChart = cmbMaps ? cmbMaps->currentText() : QString();
        in.nextMapText = tNextMap ? tNextMap->text() : QString();

        OverlayHooks hooks;
        hooks.drawRoute = [this] { DrawRoute(); };
        hooks.updateTargetNav = [this] { UpdateTargetNav(); };

        const OverlayResult result =
            drawMovingMap(mapSurface(), mapView, overlay, openConnection(MainConnection),
                          openConnection(AirportConnection), in, hooks);

        if (result.offChart && picKartezentrieren)
            picKartezentrieren->hide();
        if (result.hideHints) {
            if (tNextMap)
                tNextMap->hide();
            if (LblMapNumber)
                LblMapNumber->hide();
        }
        if (result.chartList && listNextMap) {
            const ChartListUpdate& list = *result.chartList;
            listNextMap->clear();
            for (const QString& entry : list.entries)
                listNextMap->addItem(entry);
            if (!list.entries.empty()) {
                if (list.showMapNumber && LblMapNumber)
                    LblMapNumber->show();
                if (list.showNextMap && tNextMap)
                    tNextMap->show();
                MapListIndex = static_cast<int16_t>(list.mapListIndex);
                if (tNextMap)
                    tNextMap->setText(list.nextMap);
                if (LblMapNumber)
                    LblMapNumber->setText(list.mapNumberCaption);
            }
        }
        // The chart change comes last, when this redraw is complete.
        if (result.switchTo && cmbMaps) {
            {
                // The change handler runs once, here, whatever signals the combo is wired to.
                const QSignalBlocker quiet(cmbMaps);
                cmbMaps->setCurrentText(*result.switchTo);
                if (cmbMaps->isEditable())
                    cmbMaps->setEditText(*result.switchTo);
            }
            cmbMaps_Change();
        }
    } catch (const std::exception&) {
        // The overlay of this redraw ends here; the next redraw starts afresh.
    }
}

} // namespace tv
