// The flight window's map layers: what each is given before a redraw (gathered from the
// navigation, the switches and the controls) and what the controls show of what it decided.
// The drawing is the layers' own (airspace/AirspaceMapLayers, flight/MapOverlay).

#include "flight/frmGPSmain.h"

#include "core/HandlerGuard.h"
#include "core/Variablen.h"
#include "core/windows/WindowLook.h"
#include "map/PictureBox.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"

#include <QComboBox>
#include <QFrame>
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

void frmGPSmain::prepareAirspaces()
{
    // The altitude as lblAlt shows it (whole feet or whole metres), 0 while it shows "---".
    airspaceMap.prepare({AirspaceConnection, layers,
                         shownAltitude(nav_.fix(), nav_.units().altFeet).value_or(0.0),
                         nav_.units().altFeet, QNH, Language});
}

void frmGPSmain::showAirspaceBox()
{
    // With both switches off the layer takes the QNH box away.
    const std::optional<FlightAirspaceBox>& box = airspaceMap.box();
    if (!box)
        return;
    frmQNH->setVisible(box->visible);
    if (box->qnhColour)
        paintBackground(lblQNH, vbColor(*box->qnhColour));
    if (box->qnhToolTip)
        lblQNH->setToolTip(*box->qnhToolTip);
}

void frmGPSmain::prepareMovingMap()
{
    OverlayInputs in;
    // Nothing goes onto a chart that failed to load.
    in.chartLoaded = chart_.valid();
    in.chart = chart_.currentRow();
    in.planeSymbol = PlaneSymbol;
    in.layers = layers;
    in.modes = {routePointsOnly, AptDataAvailable};
    nav_.fillOverlayInputs(in);
    in.mapScroll = mapView.chartStepping();
    movingMap.prepare(std::move(in), openConnection(MainConnection),
                      openConnection(AirportConnection));
}

void frmGPSmain::showMovingMapResult()
{
    const OverlayResult& result = movingMap.result();
    if (result.offChart)
        picKartezentrieren->hide();
    if (result.hideHints) {
        tNextMap->hide();
        LblMapNumber->hide();
    }
    // The chart change comes last; the next redraw paints the new chart.
    std::optional<QString> changeTo;
    if (result.chartsUnderAircraft) {
        changeTo = chart_.chartsUnderAircraftFound(*result.chartsUnderAircraft, result.atViewEdge);
        if (!chart_.chartsUnderAircraft().empty()) {
            const ChartChoice::StepHints& hints = chart_.stepHints();
            if (hints.showMapNumber)
                LblMapNumber->show();
            if (hints.showNextMap)
                tNextMap->show();
            tNextMap->setText(chart_.nextChart());
            LblMapNumber->setText(hints.mapNumberCaption);
        }
    }
    if (result.navigationDue)
        guarded([&] { UpdateTargetNav(); });
    if (changeTo)
        changeChartTo(*changeTo);
}

} // namespace tv
