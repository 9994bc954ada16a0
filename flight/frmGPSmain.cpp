// The flight window's life cycle: controls, layout, load, activation, deactivation, unload,
// and its settings files Set.crm, VOR.crm and (read only) data.crm.

#include "flight/frmGPSmain.h"

#include "core/CoreSettings.h"
#include "core/Dates.h"
#include "core/HandlerGuard.h"
#include "core/SettingsRules.h"
#include "core/Variablen.h"
#include "core/forms/MsgBox.h"
#include "flight/FlightLayout.h"
#include "flight/FlightSettings.h"
#include "flight/RouteWindow.h"
#include "map/ChartRow.h"
#include "map/PictureBox.h"
#include "platform/Connection.h"
#include "platform/ProgramFolder.h"
#include "platform/Recordset.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>

namespace tv {

frmGPSmain::frmGPSmain()
{
    setWindowTitle(QStringLiteral("Flug"));
    setFocusPolicy(Qt::StrongFocus);
    mapLayers.add(airspaceMap);
    mapLayers.add(movingMap);

    // The fix is brought up to date first; the handlers then show it.
    nav_.fixEvents().setNext(this);
    gps.setEvents(&nav_.fixEvents());
    buildControls();
    wireControls();
}

frmGPSmain::~frmGPSmain()
{
    gps.setEvents(nullptr);
    MSComm1.closeIfOpen();
}

// ------------------------------------------------------------------------------ life cycle

void frmGPSmain::Form_Load()
{
    // 1-2: the routes and the active charts.
    if (MainConnection) {
        guarded([&] { nav_.openRouteList(*MainConnection); });
        guarded([&] { chart_.openActiveCharts(*MainConnection); });
    }

    // 3: start values (the navigation starts with them); centring is on.
    mapView.setCentredOnAircraft(true);
    picKartezentrieren->show();
    Frame1->hide();

    // 4: instrument, last chart.
    guarded([&] { LoadVOR(); });
    guarded([&] { ShowInstrument(0.0f); });
    guarded([&] { LoadLastMap(); });

    // 6: layer switches.
    dontResize = true;
    GridBusy = true;
    mapView.setChartStepping(false);
    TrackPaused = false;
    chart_.resetStepping();
    layers = {};
    // 7: no airport data file, no airport switches.
    airportFile_ = AptDataAvailable;
    guarded([&] { LoadSet(); });

    // 8: the view memory.
    chart_.openViewMemory(programFile("position.crm"));
}

void frmGPSmain::AirspaceFileMissing()
{
    airspaceFile_ = false;
    showLayerSwitches();
}

void frmGPSmain::Form_Activate()
{
    guarded([&] {
        // 1: the QNH of the day (standard pressure when none was set today).
        QNH = qnhInForce(QNH, QNHDate, today());
        lblQNH->setText(QStringLiteral("QNH ") + QString::number(QNH));
    });
    // 2-4.
    guarded([&] { SetToolTips(); });
    if (layers.ShowRoute)
        guarded([&] { UpdateRouteInfo(); });
    progBar->show();
    // 5: a window never laid out (or laid out for another size) is laid out now.
    if (SlideMap->y() > height() || picMap->width() != width() - kFlightPanelWidth) {
        dontResize = false;
        guarded([&] { Form_Resize(); });
    }
    // 6: the active charts as they are now (the calibration window may have changed them), and
    // the chart shown before, found again by its name.
    if (MainConnection)
        guarded([&] { chart_.rereadActiveCharts(*MainConnection); });
    guarded([&] {
        if (!chart_.hasCharts()) {
            chart_.invalidate();
            picMap->Cls();
        } else if (!chart_.reselectLast()) {
            GridBusy = true;
        }
    });
    // 7: its view, the chart combo, the zoom and the redraw.
    guarded([&] { LoadMapView(); });
    guarded([&] { updateMapInfo(); });
    guarded([&] { SlideMap_Change(); });
    // 8: the routes.
    guarded([&] { refillRoutes(*this); });
    // 9.
    guarded([&] { LoadSavedCom(); });
    GridBusy = false;
    // 10: the GPS was on when the window was left: reopen the port without a new check.
    if (nav_.link().shown() && !MSComm1.isOpen() && openPort() && nav_.link().switchedOn())
        silenceWatch.setInterval(kSilenceMs);
    // 11: track buttons; a paused recording by hand goes on.
    const RecordButtons record =
        recordButtonsOnReturn(TrackLoggerOn, TrackAutoOn, TrackPaused, TrackInterval);
    cmdRecord->setVisible(record.startButton);
    cmdRecordAuto->setVisible(record.autoIndicator);
    if (record.timerMs)
        timeTrack.setInterval(*record.timerMs);
    if (record.hideRecording)
        picRecord->hide();
    // 12.
    progBar->setValue(100);
    progBar->hide();
    picMap->Refresh();
    setFocus();
}

void frmGPSmain::Form_Deactivate()
{
    chart_.leave();
    GridBusy = false;
    timerCheck.setInterval(0);
    silenceWatch.setInterval(0);
    busy_.release();
    guarded([&] { writeTrackPoints(); });
    TrackPaused = timeTrack.interval() > 0;
    timeTrack.setInterval(0);
    MSComm1.closeIfOpen();
    guarded([&] { SaveMapView(); });
}

void frmGPSmain::Form_Unload()
{
    timerCheck.setInterval(0);
    silenceWatch.setInterval(0);
    timeTrack.setInterval(0);
    busy_.release();
    MSComm1.closeIfOpen();
    guarded([&] { writeTrackPointsOnClose(); });
    guarded([&] { SaveMapView(); });
    guarded([&] { SaveVOR(); });
    guarded([&] { SaveSet(); });
}

void frmGPSmain::Form_Resize()
{
    // Skipped once after a switch of windows; a failure part-way keeps what was placed. In
    // every case dontResize is cleared.
    if (std::exchange(dontResize, false))
        return;

    const auto places = flightLayout(width(), height());
    if (!places)
        return;
    // 1: the map at its new size, redrawn; 2: what moves with it.
    picMap->setGeometry(places->front().second);
    picMap->surface().resize(picMap->width(), picMap->height());
    FitViewToWindow();
    UpdateMap();
    for (const auto& [name, place] : *places) {
        if (QWidget* control = findChild<QWidget*>(name))
            control->setGeometry(place);
    }
}

// ------------------------------------------------------------------------------ files

void frmGPSmain::LoadSavedCom()
{
    // A missing or broken data.crm is written anew with port 1 at 4800 baud by the reader; the
    // port number and the line settings in use stay as they were.
    const std::optional<SavedCom> saved = tv::LoadSavedCom();
    if (!saved)
        return;
    SavedComPort = saved->port;
    MSComm1.takeSettings(saved->settings);
}

void frmGPSmain::LoadVOR()
{
    if (nav_.loadInstrument(programFile("VOR.crm")))
        lblVOR1->setText(nav_.instrument().vorName);
}

void frmGPSmain::SaveVOR()
{
    if (!saveInstrumentFile(programFile("VOR.crm"), nav_.instrument()))
        reportUnsaved(programFile("VOR.crm"), this);
}

void frmGPSmain::LoadSet()
{
    LoadSetFile(programFile("Set.crm"), layers);
    showLayerSwitches();
}

void frmGPSmain::SaveSet()
{
    if (!SaveSetFile(programFile("Set.crm"), layers))
        reportUnsaved(programFile("Set.crm"), this);
}

} // namespace tv
