// The flight window's track recording: the record buttons on the map and the timer that writes
// one point per tick into the track file. A recording runs exactly while timeTrack runs; what
// the buttons do, what is written, and the track being written, are TrackRecorder's.

#include "flight/frmGPSmain.h"

#include "core/CoreSettings.h"
#include "core/Variablen.h"
#include "core/forms/MsgBox.h"
#include "map/PictureBox.h"
#include "platform/Connection.h"
#include "platform/ProgramFolder.h"

#include <QDateTime>
#include <QLabel>
#include <QPushButton>

#include <exception>

namespace tv {

void frmGPSmain::showRecordCounter(int32_t points)
{
    const CounterFont size = recordCounterFont(points);
    QFont font = lblRecord->font();
    font.setPointSize(size.pointSize);
    lblRecord->setFont(font);
    lblRecord->move(lblRecord->x(), size.topTwips / 15);
}

void frmGPSmain::showRecording()
{
    lblRecord->setText(QStringLiteral("0"));
    cmdRecord->hide();
    cmdRecordAuto->hide();
    picRecord->show();
}

void frmGPSmain::showIdleRecordButtons()
{
    cmdRecord->setVisible(!TrackAutoOn);
    cmdRecordAuto->setVisible(TrackAutoOn);
    picRecord->hide();
}

// The track file refused a write: the recording stops, the pilot reads why in the status label
// and flies on. Automatic recording does not start again while the speed stays above 30 kt;
// it may at the next rise past 30 kt.
void frmGPSmain::stopAfterTrackFileError()
{
    timeTrack.setInterval(0);
    recorder.setFailed(true);
    showIdleRecordButtons();
    showStatus(Language == 0 ? QStringLiteral("Track-Aufzeichnung beendet: Fehler in track.tvd")
                             : QStringLiteral("Track recording stopped: error in track.tvd"));
}

void frmGPSmain::ToggleTrackRecording()
{
    try {
        switch (toggleRecording(nav_.hasFix(), TrackAutoOn, timeTrack.interval() > 0,
                                recorder.failed(), TrackInterval)) {
        case RecordToggle::Nothing:
            return;
        case RecordToggle::Stop:
            timeTrack.setInterval(0);
            showIdleRecordButtons();
            return;
        case RecordToggle::Idle:
            showIdleRecordButtons();
            return;
        case RecordToggle::Start:
            recorder.startTrack(openTrackFile(TrackConnection), TrackRecorder::trackName());
            showRecordCounter(0);
            timeTrack.setInterval(TrackInterval);
            return;
        }
    } catch (const std::exception&) {
        stopAfterTrackFileError();
    }
}

void frmGPSmain::cmdRecord_Click()
{
    if (nav_.hasFix())
        showRecording();
    ToggleTrackRecording();
    picMap->Refresh();
}

void frmGPSmain::picRecord_Click()
{
    TrackAutoOn = false;
    if (!WriteTrackRecordSwitch(TrackInterval))
        reportUnsaved(programFile("track.crm"), this);
    ToggleTrackRecording();
}

void frmGPSmain::timeTrack_Timer()
{
    if (!nav_.hasFix()) {
        // The track ends here; a later start opens a new one.
        timeTrack.setInterval(0);
        showIdleRecordButtons();
        return;
    }
    const std::optional<TrackPoint> point = recorder.nextPoint(nav_.fix(), nav_.units().altFeet);
    if (!point)
        return; // no new position since the last point: the recording waits for one
    try {
        if (recorder.restartIfDeleted(openTrackFile(TrackConnection), TrackRecorder::trackName()))
            showRecordCounter(0);
        recorder.writePoint(openTrackFile(TrackConnection), *point, TrackRecorder::utcToday());
    } catch (const std::exception&) {
        stopAfterTrackFileError();
        return;
    }
    // The counter sits on the record picture: while that is hidden, so is the count.
    showRecordCounter(recorder.TrackPointCount());
    lblRecord->setText(QString::number(recorder.TrackPointCount()));
}

} // namespace tv
