// The flight window's track recording: the record buttons on the map and the timer that writes
// one point per tick into the track file. A recording runs exactly while timeTrack runs; what
// is written, and the track being written, are TrackRecorder's.

#include "flight/frmGPSmain.h"

#include "core/CoreSettings.h"
#include "core/Variablen.h"
#include "flight/TrackRecorder.h"
#include "map/PictureBox.h"
#include "platform/Connection.h"
#include "platform/DbError.h"

#include <QDateTime>
#include <QFont>
#include <QLabel>
#include <QPushButton>

#include <exception>

namespace tv {

namespace {

bool shown(const QWidget* control)
{
    return control != nullptr && !control->isHidden();
}

void setShown(QWidget* control, bool visible)
{
    if (control != nullptr)
        control->setVisible(visible);
}

bool hasFix(const frmGPSmain& w)
{
    return shown(w.picGPSCheck[1]);
}

// The point counter inside picRecord: a smaller font as the number grows. Offsets are twips
// from the top of picRecord (15 twips to the pixel).
void setCounterSize(QLabel* lblRecord, int pointSize, int topTwips)
{
    if (lblRecord == nullptr)
        return;
    QFont font = lblRecord->font();
    font.setPointSize(pointSize);
    lblRecord->setFont(font);
    lblRecord->move(lblRecord->x(), topTwips / 15);
}

// The record controls of a window that is not recording: the start button, or the indicator of
// automatic recording.
void showIdleControls(frmGPSmain& w)
{
    setShown(w.cmdRecord, !TrackAutoOn);
    setShown(w.cmdRecordAuto, TrackAutoOn);
    setShown(w.picRecord, false);
}

// The track file refused a write: the recording stops, the pilot reads why in the status label
// and flies on. Automatic recording does not start again while the speed stays above 30 kt;
// it may at the next rise past 30 kt.
void stopAfterTrackFileError(frmGPSmain& w)
{
    w.timeTrack.setInterval(0);
    w.recorder.setFailed(true);
    showIdleControls(w);
    if (w.lblStatus != nullptr) {
        w.lblStatus->setText(Language == 0
                                 ? QStringLiteral("Track-Aufzeichnung beendet: Fehler in track.tvd")
                                 : QStringLiteral("Track recording stopped: error in track.tvd"));
        w.lblStatus->setVisible(true);
        w.lblStatus->raise();
    }
}

Date utcToday()
{
    const QDate d = QDateTime::currentDateTimeUtc().date();
    return Date{std::chrono::year{d.year()}, std::chrono::month{static_cast<unsigned>(d.month())},
                std::chrono::day{static_cast<unsigned>(d.day())}};
}

Connection& trackFile()
{
    if (!TrackConnection || !TrackConnection->IsOpen())
        throw DbError("the track file is not open");
    return *TrackConnection;
}

} // namespace

void frmGPSmain::ToggleTrackRecording()
{
    try {
        if (!hasFix(*this))
            return;
        const bool running = timeTrack.interval() > 0;
        // An automatic recording is stopped only by the ground speed.
        if (TrackAutoOn && running)
            return;
        if (running) {
            timeTrack.setInterval(0);
            setShown(cmdRecord, true);
            setShown(cmdRecordAuto, false);
            setShown(picRecord, false);
            return;
        }
        if (TrackAutoOn && recorder.failed()) {
            showIdleControls(*this);
            return;
        }
        // Interval 0 (the settings' box held 0 or no number) means no recording: no empty
        // track, and no indicator claiming one runs.
        if (TrackInterval <= 0) {
            showIdleControls(*this);
            return;
        }
        recorder.startTrack(trackFile(), TrackRecorder::trackName(QDateTime::currentDateTime()));
        setCounterSize(lblRecord, 14, 100);
        timeTrack.setInterval(TrackInterval);
    } catch (const std::exception&) {
        stopAfterTrackFileError(*this);
    }
}

void frmGPSmain::cmdRecord_Click()
{
    try {
        if (hasFix(*this)) {
            setShown(cmdRecord, false);
            setShown(cmdRecordAuto, false);
            setShown(picRecord, true);
            if (lblRecord != nullptr)
                lblRecord->setText(QStringLiteral("0"));
        }
        ToggleTrackRecording();
        if (picMap != nullptr)
            picMap->Refresh();
    } catch (const std::exception&) {
    }
}

void frmGPSmain::picRecord_Click()
{
    try {
        TrackAutoOn = false;
        WriteTrackRecordSwitch(TrackInterval);
        ToggleTrackRecording();
    } catch (const std::exception&) {
    }
}

void frmGPSmain::lblRecord_Click()
{
    picRecord_Click();
}

void frmGPSmain::gps_DateChanged(const std::string& satDate)
{
    recorder.gpsDateChanged(satDate);
}

void frmGPSmain::timeTrack_Timer()
{
    try {
        if (!hasFix(*this)) {
            // The track ends here; a later start opens a new one.
            timeTrack.setInterval(0);
            showIdleControls(*this);
            return;
        }
        TrackPoint point;
        point.latDeg = PosLat;
        point.longDeg = PosLong;
        point.heightM = TrackRecorder::heightMetres(gpsFix(), AltFeet);
        point.time = TrackRecorder::timeText(QString::fromStdString(gpsFix().utcTime));
        if (recorder.restartIfDeleted(trackFile(),
                                      TrackRecorder::trackName(QDateTime::currentDateTime())))
            setCounterSize(lblRecord, 14, 100);
        recorder.writePoint(trackFile(), point, utcToday());

        const int32_t count = recorder.TrackPointCount();
        if (shown(picRecord) && lblRecord != nullptr) {
            if (count > 9998)
                setCounterSize(lblRecord, 10, 150);
            else if (count > 998)
                setCounterSize(lblRecord, 12, 130);
            lblRecord->setText(QString::number(count));
        }
    } catch (const std::exception&) {
        stopAfterTrackFileError(*this);
    }
}

} // namespace tv
