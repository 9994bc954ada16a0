// The interpreter's events in the flight window. They all run inside the serial notification,
// one sentence at a time, after the fix has taken them in: each writes its displays from the
// fix ("---" without a fix; the aircraft then stays where it was).

#include "flight/frmGPSmain.h"

#include "core/HandlerGuard.h"
#include "core/Variablen.h"
#include "map/PictureBox.h"

#include <QLabel>
#include <QPushButton>

namespace tv {

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
    lblSpeed->setText(speedText(fix, nav_.units.speedKts));
    if (!fix.speedKt)
        return;
    lblSpeedmode->setText(speedUnitText(nav_.units.speedKts));
    if (!TrackAutoOn)
        return;
    switch (automaticRecording(*fix.speedKt, timeTrack.interval() > 0)) {
    case AutoRecording::Start:
        lblRecord->setText(QStringLiteral("0"));
        cmdRecord->hide();
        cmdRecordAuto->hide();
        picRecord->show();
        guarded([&] { ToggleTrackRecording(); });
        break;
    case AutoRecording::Stop:
        // The track entry stays open for a later start. A track file error stopped automatic
        // recording until now: the speed rising past 30 kt again may try a new start.
        recorder.setFailed(false);
        timeTrack.setInterval(0);
        cmdRecord->hide();
        cmdRecordAuto->show();
        picRecord->hide();
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
    lblAlt->setText(altitudeText(fix, nav_.units.altFeet));
    const std::optional<double> feet = altitudeFeet(fix);
    if (!feet)
        return;
    lblAltmode->setText(altitudeUnitText(nav_.units.altFeet));
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
    nav_.link.fixObtained();
    showGpsPictures();
}

void frmGPSmain::gps_FixLost()
{
    nav_.link.fixLost();
    showGpsPictures();
    if (chart_.valid()) {
        guarded([&] { DrawMovingMap(); });
        picMap->Refresh();
    }
}

} // namespace tv
