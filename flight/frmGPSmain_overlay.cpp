// The flight window's overlay on the chart: points, airports, the direct-flight target, the
// charts under the aircraft with the automatic chart change, and the aircraft. The drawing is
// flight/MapOverlay; this member gathers what it draws and shows what it decided.

#include "flight/frmGPSmain.h"

#include "core/Variablen.h"
#include "map/PictureBox.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace tv {

namespace {

Connection* openConnection(const std::shared_ptr<Connection>& connection)
{
    return connection && connection->IsOpen() ? connection.get() : nullptr;
}

} // namespace

void frmGPSmain::DrawMovingMap()
{
    // Nothing goes onto a chart that failed to load.
    if (!chart_.valid())
        return;
    // A fault ends the overlay of this redraw where it happens (the layer's guard logs it); the
    // next redraw starts afresh.
    OverlayInputs in;
    in.chart = ChartChoice::currentRow();
    nav_.fillOverlayInputs(in);
    in.planeSymbol = PlaneSymbol;
    in.layers.ShowWayInfo = layers.ShowWayInfo;
    in.layers.ShowAPT1 = layers.ShowAPT1;
    in.layers.ShowAPT2 = layers.ShowAPT2;
    in.layers.routePointsOnly = routePointsOnly;
    in.layers.aptDataAvailable = AptDataAvailable;
    in.showRoute = layers.ShowRoute;
    in.mapScroll = mapView.chartStepping();
    in.shownChart = cmbMaps->currentText();
    in.nextMapText = tNextMap->text();
    OverlayHooks hooks;
    hooks.drawRoute = [this] { DrawRoute(); };
    hooks.updateTargetNav = [this] { UpdateTargetNav(); };
    const OverlayResult result =
        drawMovingMap(mapSurface(), mapView, overlay, openConnection(MainConnection),
                      openConnection(AirportConnection), in, hooks);

    if (result.offChart)
        picKartezentrieren->hide();
    if (result.hideHints) {
        tNextMap->hide();
        LblMapNumber->hide();
    }
    if (result.chartList) {
        const ChartListUpdate& list = *result.chartList;
        overlay.chartsUnderAircraft = list.entries;
        if (!list.entries.empty()) {
            if (list.showMapNumber)
                LblMapNumber->show();
            if (list.showNextMap)
                tNextMap->show();
            MapListIndex = static_cast<int16_t>(list.mapListIndex);
            tNextMap->setText(list.nextMap);
            LblMapNumber->setText(list.mapNumberCaption);
        }
    }
    // The chart change comes last, when this redraw is complete. The change handler runs
    // once, here, whatever signals the combo is wired to.
    if (result.switchTo) {
        {
            const QSignalBlocker quiet(cmbMaps);
            cmbMaps->setCurrentText(*result.switchTo);
            cmbMaps->setEditText(*result.switchTo);
        }
        cmbMaps_Change();
    }
}

} // namespace tv
