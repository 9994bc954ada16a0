// The GPS in the flight window: the GPS button, serial reception, the no-signal watchdog, and
// the interpreter's events. What the status pictures show and what a tick of the watchdog
// decides is GpsLink's (flight/GpsLink.h); the fix is FlightNavigation's. Here the port is
// opened and closed and the decisions and the fix are shown.
//
// QSerialPort reports no line events, so the no-signal mode starts when the port reports an
// error (the device went away) or when no data arrived for kSilenceMs while the GPS is on.
//
// The events all run inside the serial notification, one sentence at a time, after the fix
// has taken them in: each writes its displays from the fix ("---" without a fix; the aircraft
// then stays where it was).

#include "flight/frmGPSmain.h"

#include "core/HandlerGuard.h"
#include "core/Variablen.h"
#include "core/forms/MsgBox.h"

#include <QLabel>
#include <QPushButton>

namespace tv {

void frmGPSmain::showStatus(const QString& text)
{
    lblStatus->setText(text);
    lblStatus->show();
    lblStatus->raise();
    lblStatus->repaint();
}

void frmGPSmain::showGpsPictures()
{
    const GpsLink::Pictures& shown = nav_.link().pictures();
    picGPSCheck[0]->setVisible(shown.on);
    picGPSCheck[1]->setVisible(shown.fix);
    picGPSCheck[2]->setVisible(shown.noSignal);
    if (shown.noSignal)
        picGPSCheck[2]->raise();
}

bool frmGPSmain::openPort()
{
    if (MSComm1.isOpen())
        return true;
    const bool opened = MSComm1.openCom(SavedComPort);
    // What was kept of an unfinished line belongs to the link before.
    LineBuffer.clear();
    return opened;
}

void frmGPSmain::cmdGPS_Click()
{
    MSComm1.closeIfOpen();
    nav_.gpsSwitchedOn();
    showGpsPictures();
    showStatus(checkingPortText(SavedComPort, Language == 0));
    busy_.acquire();
    timerCheck.setInterval(1000);
    silenceWatch.setInterval(0);
    if (!openPort()) {
        showStatus(portMissingText(SavedComPort, Language == 0));
        timerCheck.setInterval(0);
        nav_.gpsSwitchedOff();
        showGpsPictures();
        busy_.release();
    }
}

void frmGPSmain::picGPSCheck_Click(int /*Index*/)
{
    MSComm1.closeIfOpen();
    timerCheck.setInterval(0);
    silenceWatch.setInterval(0);
    lblStatus->hide();
    nav_.gpsSwitchedOff();
    showGpsPictures();
    busy_.release();
    UpdateRouteInfo();
}

void frmGPSmain::MSComm1_OnComm(int16_t CommEvent)
{
    if (CommEvent == GpsPort::comEventBreak)
        MsgBox(QStringLiteral("Break"), QStringLiteral("Tramvik GPS"));
    if (CommEvent == GpsPort::comEvReceive) {
        const QByteArray received = MSComm1.readAll();
        // The link is alive the moment data arrive: the silence count starts again before the
        // sentences are handled, since handling may open a message box and wait for the pilot.
        nav_.gpsDataArrived();
        if (nav_.link().switchedOn())
            silenceWatch.setInterval(kSilenceMs);
        HandleInput(
            std::string_view(received.constData(), static_cast<std::size_t>(received.size())));
    }
    if (nav_.link().switchedOn()) {
        lblStatus->hide();
        if (CommEvent != GpsPort::comEvReceive)
            enterNoSignalMode();
    }
}

void frmGPSmain::enterNoSignalMode()
{
    silenceWatch.setInterval(0);
    ClearInstruments();
    nav_.signalLost();
    showGpsPictures();
    timerCheck.setInterval(5000);
    UpdateMap();
}

void frmGPSmain::silenceWatch_Timer()
{
    silenceWatch.setInterval(0);
    // During the check after a start the verdict decides; without the GPS nobody listens.
    if (!nav_.link().silenceStartsNoSignalMode())
        return;
    // Data arrived but wait unread: the port announces new data only once the handler of the
    // last ones has returned, and that handler waits for a message box the pilot has open.
    if (MSComm1.isOpen() && MSComm1.bytesAvailable() > 0) {
        silenceWatch.setInterval(kSilenceMs);
        return;
    }
    lblStatus->hide();
    enterNoSignalMode();
}

void frmGPSmain::HandleInput(std::string_view Sinput)
{
    for (const std::string& line : LineBuffer.add(Sinput))
        gps.Parse(line);
}

void frmGPSmain::timerCheck_Timer()
{
    const bool german = Language == 0;
    switch (nav_.checkTick()) {
    case GpsLink::Tick::Wait:
        return;
    case GpsLink::Tick::Done:
        timerCheck.setInterval(0);
        lblStatus->hide();
        busy_.release();
        return;
    case GpsLink::Tick::StillSilent:
        MSComm1.closeIfOpen();
        if (openPort()) {
            ClearInstruments();
            showStatus(noSignalText(SavedComPort, german));
        } else {
            showStatus(portMissingText(SavedComPort, german));
        }
        break;
    case GpsLink::Tick::NoDataAtCheck:
        MSComm1.closeIfOpen();
        timerCheck.setInterval(0);
        showStatus(openPort() ? noSignalText(SavedComPort, german)
                              : portMissingText(SavedComPort, german));
        break;
    }
    // No data: the pictures "on" and "fix" go ("no signal" stays as it is).
    nav_.noDataAtTick();
    showGpsPictures();
    UpdateRouteInfo();
    busy_.release();
}

void frmGPSmain::ClearInstruments()
{
    nav_.clearDisplays();
    const GpsFix& fix = nav_.fix();
    lblSpeed->setText(speedText(fix, nav_.units().speedKts));
    lblBearing->setText(trackText(fix));
    lblAlt->setText(altitudeText(fix, nav_.units().altFeet));
    lblLat->setText(QStringLiteral("---"));
    lblLong->setText(QStringLiteral("---"));
    showTargetFigures();
    ShowInstrument(0.0f);
}

// ------------------------------------------------------------------------------ GPS events

void frmGPSmain::gps_PositionReceived(const std::string& latitude, const std::string& longitude,
                                      const std::string& /*latraw*/, const std::string& /*longraw*/)
{
    if (!nav_.hasFix()) {
        lblLat->setText(QStringLiteral("---"));
        lblLong->setText(QStringLiteral("---"));
        return;
    }
    if (nav_.positionArrived())
        UpdateMap();
    lblLat->setText(QString::fromStdString(latitude));
    lblLong->setText(QString::fromStdString(longitude));
}

void frmGPSmain::gps_SpeedReceived(const std::string& /*Speed: read from the fix*/)
{
    const GpsFix& fix = nav_.fix();
    lblSpeed->setText(speedText(fix, nav_.units().speedKts));
    if (!fix.speedKt)
        return;
    lblSpeedmode->setText(speedUnitText(nav_.units().speedKts));
    if (!TrackAutoOn)
        return;
    switch (automaticRecording(*fix.speedKt, timeTrack.interval() > 0)) {
    case AutoRecording::Start:
        showRecording();
        guarded([&] { ToggleTrackRecording(); });
        break;
    case AutoRecording::Stop:
        // The track entry stays open for a later start.
        stopTrackRecording();
        break;
    case AutoRecording::Keep:
        break;
    }
}

void frmGPSmain::gps_BearingReceived(const std::string& /*bearing: read from the fix*/)
{
    lblBearing->setText(trackText(nav_.fix()));
    // The card turns so that the track, in whole degrees as shown, stands at the top.
    if (nav_.fix().trackDegTrue)
        guarded([&] { ShowInstrument(static_cast<float>(-shownTrackDeg(nav_.fix()))); });
}

void frmGPSmain::gps_AltitudeReceived(const std::string& /*altitude: read from the fix*/)
{
    const GpsFix& fix = nav_.fix();
    lblAlt->setText(altitudeText(fix, nav_.units().altFeet));
    const std::optional<double> feet = altitudeFeet(fix);
    if (!feet)
        return;
    lblAltmode->setText(altitudeUnitText(nav_.units().altFeet));
    guarded([&] { ShowTAS(*feet); });
}

void frmGPSmain::gps_SatellitesInViewReceived(int16_t /*satellitesInView: read from the fix*/)
{
    if (!nav_.hasFix()) {
        for (QLabel* check : picGPSCheck)
            check->setToolTip(kNoSatelliteTip);
        return;
    }
    picGPSCheck[1]->setToolTip(satelliteTip(nav_.fix()));
}

void frmGPSmain::gps_FixObtained()
{
    nav_.receiverFoundFix();
    showGpsPictures();
}

void frmGPSmain::gps_FixLost()
{
    nav_.receiverLostFix();
    showGpsPictures();
    // The displays show "---" as in the no-signal mode, and the map is drawn anew, chart first:
    // the aircraft turns red where it was.
    ClearInstruments();
    UpdateMap();
}

} // namespace tv
