// Layer switches, unit switches, keys (flight/FlightKeys.h), tool tips, and the glue of the wind
// and true airspeed figures of the flight window.
//
// A switch is a button with one or two pictures or buttons stacked at the same place: the
// visible one shows the state, a click on it moves to the next state.

#include "flight/frmGPSmain.h"

#include "core/Variablen.h"
#include "flight/FlightKeys.h"
#include "flight/FlightLayout.h"
#include "flight/LayerSwitches.h"
#include "flight/WindCalc.h"
#include "map/PictureBox.h"

#include <QAbstractItemModel>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTableView>

namespace tv {

// ------------------------------------------------------------------------------ layer switches

void frmGPSmain::switchLayer(SwitchFace face)
{
    layers = pressLayerSwitch(layers, face);
    showLayerSwitches();
    UpdateMap();
    if (face == SwitchFace::RouteLineOff)
        UpdateRouteInfo();
}

QWidget* frmGPSmain::faceControl(SwitchFace face) const
{
    // In the order of SwitchFace.
    QWidget* const controls[] = {cmdLR1,       cmdLR2,       picLR3,     cmdPR,
                                 picPR,        cmdAPT1,      cmdAPT2,    picAPT3,
                                 cmdshowRoute, picShowRoute, cmdWayInfo, picWayInfo};
    return controls[static_cast<size_t>(face)];
}

void frmGPSmain::showLayerSwitches()
{
    for (const auto& [face, shown] : layerSwitchFaces(layers, airspaceFile_, airportFile_)) {
        if (QWidget* control = faceControl(face))
            control->setVisible(shown);
    }
}

void frmGPSmain::cmdShowPoints_Click()
{
    // Only the points of a chosen route can be shown alone.
    routePointsOnly = nav_.route().hasRoutes() && nav_.route().pointsOpen();
    picShowPoints->setVisible(routePointsOnly);
    UpdateMap();
}

void frmGPSmain::picShowPoints_Click()
{
    routePointsOnly = false;
    picShowPoints->hide();
    UpdateMap();
}

void frmGPSmain::cmdSet_Click()
{
    picSet->show();
    frmSet->show();
    frmSet->raise();
}

void frmGPSmain::picSet_Click()
{
    picSet->hide();
    frmSet->hide();
    SaveSet();
}

// ------------------------------------------------------------------------------ keyboard

void frmGPSmain::Form_KeyUp(int KeyCode, int /*Shift*/)
{
    // The entry boxes of the instrument take their keys themselves.
    if (!frmVOR->isHidden() || !frmKurs->isHidden())
        return;

    const FlightKey key = flightKey(KeyCode, mapView.chartStepping(), mapView.sliderValue());
    switch (key.action) {
    case FlightKey::Action::NextChart:
        StepToNextChart();
        return;
    case FlightKey::Action::NextPoint:
        cmdNext_Click();
        return;
    case FlightKey::Action::PreviousPoint:
        cmdPrev_Click();
        return;
    case FlightKey::Action::Zoom:
        zoomTo(key.sliderValue);
        return;
    case FlightKey::Action::WindEntry:
        break;
    }

    // Heading, then airspeed: three digits each, dashes in the places still missing.
    const WindEntry::KeyResult typed = windEntry_.key(KeyCode);
    if (typed.newEntry)
        lblIAS->setToolTip(QString());
    lblHeading->setText(windEntry_.heading);
    lblIAS->setText(windEntry_.ias);
    lblHeading->setStyleSheet(windEntry_.headingTooHigh()
                                  ? QStringLiteral("background-color: #FF0000;")
                                  : QStringLiteral("background-color: #FFFF80;"));
    if (typed.complete)
        CalcWind();
}

// ------------------------------------------------------------------------------ tool tips

void frmGPSmain::SetToolTips()
{
    const bool german = Language == 0;
    for (const auto& [name, tip] : flightToolTips(german)) {
        if (QWidget* control = findChild<QWidget*>(name))
            control->setToolTip(tip);
    }
    if (QAbstractItemModel* model = gridWaypoints->model(); model && model->columnCount() > 1)
        model->setHeaderData(1, Qt::Horizontal,
                             german ? QStringLiteral("     Streckenpunkte")
                                    : QStringLiteral("      Routepoints"));
    setWindowTitle(german ? QStringLiteral("Flug") : QStringLiteral("Flight"));
}

// ------------------------------------------------------------------------------ wind

void frmGPSmain::ShowTAS(double altitude)
{
    lblIAS->setToolTip(tv::ShowTAS(windEntry_.ias, altitude));
}

void frmGPSmain::CalcWind()
{
    const std::optional<WindResult> result = tv::CalcWind(
        windInputs(windEntry_, nav_.fix(), nav_.units().speedKts, nav_.units().altFeet));
    if (!result)
        return;
    lblIAS->setToolTip(result->iasToolTip);
    lblWind->setText(result->windText);
    drawWindArrow(picWind->surface(), result->relativeDeg);
    picWind->Refresh();
}

} // namespace tv
