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

void setShown(QWidget* control, bool visible)
{
    if (control != nullptr)
        control->setVisible(visible);
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
        switch (toggleRecording(nav_.hasFix(), TrackAutoOn, timeTrack.interval() > 0,
                                recorder.failed(), TrackInterval)) {
        case RecordToggle::Nothing:
            return;
        case RecordToggle::Stop:
            timeTrack.setInterval(0);
            setShown(cmdRecord, true);
            setShown(cmdRecordAuto, false);
            setShown(picRecord, false);
            return;
        case RecordToggle::Idle:
            showIdleControls(*this);
            return;
        case RecordToggle::Start:
            recorder.startTrack(trackFile(),
                                TrackRecorder::trackName(QDateTime::currentDateTime()));
            setCounterSize(lblRecord, 14, 100);
            timeTrack.setInterval(TrackInterval);
            return;
        }
    } catch (const std::exception&) {
        stopAfterTrackFileError(*this);
    }
}

void frmGPSmain::cmdRecord_Click()
{
    try {
        if (nav_.hasFix()) {
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
        if (!nav_.hasFix()) {
            // The track ends here; a later start opens a new one.
            timeTrack.setInterval(0);
            showIdleControls(*this);
            return;
        }
        TrackPoint point;
        point.latDeg = nav_.aircraft().latDeg;
        point.longDeg = nav_.aircraft().lonDeg;
        point.heightM = TrackRecorder::heightMetres(nav_.fix(), nav_.units.altFeet);
        point.time = TrackRecorder::timeText(QString::fromStdString(nav_.fix().utcTime));
        if (recorder.restartIfDeleted(trackFile(),
                                      TrackRecorder::trackName(QDateTime::currentDateTime())))
            setCounterSize(lblRecord, 14, 100);
        recorder.writePoint(trackFile(), point, utcToday());

        const int32_t count = recorder.TrackPointCount();
        if (!picRecord->isHidden()) {
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
