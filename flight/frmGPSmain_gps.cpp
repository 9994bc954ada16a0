// The interpreter's events in the flight window: position, speed, course, altitude, time,
// satellites and fix state. They all run inside the serial notification, one sentence at a
// time. Without a fix the displays show "---" and the position stays where it was.

#include "flight/frmGPSmain.h"

#include "core/GeoMath.h"
#include "core/HandlerGuard.h"
#include "core/Variablen.h"
#include "map/NumberText.h"
#include "map/PictureBox.h"

#include <QLabel>
#include <QPushButton>

namespace tv {

namespace {

constexpr double kFeetPerMetre = 3.2808;
constexpr double kKmhPerKnot = 1.852;
// Automatic recording runs above this ground speed and stops below it (knots).
constexpr double kRecordingSpeedKt = 30.0;

QString text(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// A raw field ddmm.mmmm (dddmm.mmmm for longitudes) as decimal degrees, negated for the
// southern and western hemispheres (the position text begins with the hemisphere letter).
double rawToDegrees(const std::string& raw, const std::string& positionText, char negative)
{
    const double ddmm = leadingNumber(text(raw)) / 100.0;
    double degrees = DDMMToDegrees(ddmm);
    if (!positionText.empty() && positionText.front() == negative)
        degrees = -degrees;
    return degrees;
}

} // namespace

void frmGPSmain::gps_PositionReceived(const std::string& latitude, const std::string& longitude,
                                      const std::string& latraw, const std::string& longraw)
{
    if (NoFix) {
        lblLat->setText(QStringLiteral("---"));
        lblLong->setText(QStringLiteral("---"));
        return;
    }
    PosLat = rawToDegrees(latraw, latitude, 'S');
    PosLong = rawToDegrees(longraw, longitude, 'W');
    targetFiguresCleared = false;

    // The map is redrawn on the first position after the window was loaded, then on every
    // 21st position event.
    ++PositionRefreshCounter;
    if (PositionRefreshCounter == 0)
        UpdateMap();
    if (PositionRefreshCounter > 20) {
        UpdateMap();
        PositionRefreshCounter = 0;
    }
    lblLat->setText(text(latitude));
    lblLong->setText(text(longitude));
}

void frmGPSmain::gps_SpeedReceived(const std::string& Speed)
{
    if (NoFix) {
        lblSpeed->setText(QStringLiteral("---"));
        return;
    }
    const double knots = leadingNumber(text(Speed));
    if (SpeedKts) {
        lblSpeed->setText(formatNumber(knots, QStringLiteral("##0")));
        lblSpeedmode->setText(QStringLiteral("kts"));
    } else {
        lblSpeed->setText(formatNumber(knots * kKmhPerKnot, QStringLiteral("##0")));
        lblSpeedmode->setText(QStringLiteral("km/h"));
    }

    if (!TrackAutoOn)
        return;
    if (knots > kRecordingSpeedKt && timeTrack.interval() == 0) {
        lblRecord->setText(QStringLiteral("0"));
        cmdRecord->hide();
        cmdRecordAuto->hide();
        picRecord->show();
        guarded([&] { ToggleTrackRecording(); });
    } else if (knots < kRecordingSpeedKt) {
        // The track entry stays open for a later start. A track file error stopped automatic
        // recording until now: the speed rising past 30 kt again may try a new start.
        recorder.setFailed(false);
        timeTrack.setInterval(0);
        cmdRecord->hide();
        cmdRecordAuto->show();
        picRecord->hide();
    }
}

void frmGPSmain::gps_BearingReceived(const std::string& /*bearing: read from the fix*/)
{
    if (NoFix) {
        lblBearing->setText(QStringLiteral("---"));
        return;
    }
    const double track = gpsFix().trackDegTrue.value_or(0.0);
    lblBearing->setText(formatNumber(track, QStringLiteral("000")));
    // The card turns so that the track, in whole degrees as shown, stands at the top.
    guarded([&] { ShowInstrument(static_cast<float>(-shownTrackDeg(gpsFix()))); });
}

void frmGPSmain::gps_AltitudeReceived(const std::string& altitude)
{
    if (NoFix) {
        lblAlt->setText(QStringLiteral("---"));
        return;
    }
    const double metres = leadingNumber(text(altitude));
    const double feet = metres * kFeetPerMetre;
    if (AltFeet) {
        lblAlt->setText(formatNumber(feet, QStringLiteral("######")));
        lblAltmode->setText(QStringLiteral("ft"));
    } else {
        lblAlt->setText(formatNumber(metres, QStringLiteral("#####")));
        lblAltmode->setText(QStringLiteral("m"));
    }
    guarded([&] { ShowTAS(feet); });
}

void frmGPSmain::gps_TimeChanged(const std::string& Time)
{
    LabelTime->setText(text(Time));
}

void frmGPSmain::gps_SatellitesUsedReceived(int16_t satellitesUsed)
{
    Label7->setText(QString::number(satellitesUsed));
}

void frmGPSmain::gps_SatellitesInViewReceived(int16_t satellitesInView)
{
    if (NoFix) {
        for (QLabel* check : picGPSCheck)
            check->setToolTip(QStringLiteral("Sat: -/-"));
        return;
    }
    picGPSCheck[1]->setToolTip(QStringLiteral("Sat: ") + Label7->text() + QStringLiteral("/") +
                               QString::number(satellitesInView));
}

void frmGPSmain::gps_FixObtained()
{
    picGPSCheck[0]->hide();
    picGPSCheck[1]->show();
    picGPSCheck[2]->hide();
    NoFix = false;
}

void frmGPSmain::gps_FixLost()
{
    picGPSCheck[0]->show();
    picGPSCheck[1]->hide();
    picGPSCheck[2]->hide();
    NoFix = true;
    if (chartValid) {
        guarded([&] { DrawMovingMap(); });
        picMap->Refresh();
    }
}

} // namespace tv
