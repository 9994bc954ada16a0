// The flight window's track recording: the record buttons on the map and the timer that takes
// one point per tick and writes it into the track file. A recording runs exactly while
// timeTrack runs; what the buttons do, what is written, and the track being written, are
// TrackRecorder's. Points the file refuses wait in the recorder, and a notice on the map says
// why until they are written.

#include "flight/frmGPSmain.h"

#include "core/CoreSettings.h"
#include "core/DataFileFault.h"
#include "core/Variablen.h"
#include "core/forms/MsgBox.h"
#include "map/PictureBox.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/ProgramFolder.h"

#include <QDateTime>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

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

void frmGPSmain::showTrackNotice(const QString& text)
{
    if (lblTrackNotice == nullptr) {
        lblTrackNotice = new QLabel(picMap);
        lblTrackNotice->setObjectName(QStringLiteral("lblTrackNotice"));
        lblTrackNotice->setWordWrap(true);
        lblTrackNotice->setMargin(4);
        lblTrackNotice->setStyleSheet(QStringLiteral(
            "background-color: #FFF0A0; color: #800000; border: 1px solid #800000;"));
    }
    lblTrackNotice->setText(text);
    // Under the record buttons at the top right, clear of the layer switches at the left.
    constexpr int kTop = 48;
    const int width = std::max(160, std::min(420, picMap->width() - 120));
    lblTrackNotice->setGeometry(picMap->width() - width - 5, kTop, width,
                                lblTrackNotice->heightForWidth(width));
    lblTrackNotice->show();
    lblTrackNotice->raise();
}

void frmGPSmain::writeTrackPoints()
{
    try {
        if (recorder.write(openTrackFile(TrackConnection, programFile("track.tvd")),
                           TrackRecorder::trackName()))
            showRecordCounter(0);
        if (lblTrackNotice != nullptr)
            lblTrackNotice->hide();
    } catch (const DbError& e) {
        // Everything stays in the recorder for the next write: the pilot reads what waits and
        // why, for as long as it waits.
        showTrackNotice(trackWaitingNotice(recorder.pendingPoints(), timeTrack.interval() > 0,
                                           dataFaultText(e, Language), Language));
    }
}

void frmGPSmain::stopTrackRecording()
{
    timeTrack.setInterval(0);
    showIdleRecordButtons();
    writeTrackPoints();
}

void frmGPSmain::writeTrackPointsOnClose()
{
    if (!recorder.waiting())
        return;
    try {
        recorder.write(openTrackFile(TrackConnection, programFile("track.tvd")),
                       TrackRecorder::trackName());
    } catch (const DbError& e) {
        const int points = recorder.pendingPoints();
        if (points == 0)
            return; // only the row of a track without points: nothing of the flight is lost
        const bool de = Language == 0;
        const QString what =
            points == 1 ? (de ? QStringLiteral("1 Punkt der Aufzeichnung konnte nicht "
                                               "gespeichert werden.")
                              : QStringLiteral("1 point of the recording could not be saved."))
                        : (de ? QStringLiteral("%1 Punkte der Aufzeichnung konnten nicht "
                                               "gespeichert werden.")
                              : QStringLiteral("%1 points of the recording could not be saved."))
                              .arg(points);
        MsgBox(withDataFault(what, e), QString(), MsgButtons::Ok, this);
    }
}

void frmGPSmain::ToggleTrackRecording()
{
    switch (toggleRecording(nav_.hasFix(), TrackAutoOn, timeTrack.interval() > 0, TrackInterval)) {
    case RecordToggle::Nothing:
        return;
    case RecordToggle::Stop:
        stopTrackRecording();
        return;
    case RecordToggle::Idle:
        showIdleRecordButtons();
        return;
    case RecordToggle::Start:
        break;
    }
    try {
        openTrackFile(TrackConnection, programFile("track.tvd"));
    } catch (const DbError& e) {
        // No track file since the program started: nothing could ever be written.
        showIdleRecordButtons();
        const QString text =
            withDataFault(Language == 0 ? QStringLiteral("Die Aufzeichnung kann nicht beginnen.")
                                        : QStringLiteral("The recording cannot start."),
                          e);
        // Automatic recording asks again at every speed report: no box each second.
        if (TrackAutoOn)
            showTrackNotice(text);
        else
            MsgBox(text, QString(), MsgButtons::Ok, this);
        return;
    }
    recorder.startTrack(TrackRecorder::trackName());
    showRecordCounter(0);
    timeTrack.setInterval(TrackInterval);
    writeTrackPoints();
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
        stopTrackRecording();
        return;
    }
    if (const std::optional<TrackPoint> point =
            recorder.nextPoint(nav_.fix(), nav_.units().altFeet)) {
        recorder.recordPoint(*point, TrackRecorder::utcToday());
    } else if (!recorder.waiting()) {
        return; // no new position since the last point: the recording waits for one
    }
    writeTrackPoints();
    // The counter sits on the record picture: while that is hidden, so is the count.
    showRecordCounter(recorder.TrackPointCount());
    lblRecord->setText(QString::number(recorder.TrackPointCount()));
}

} // namespace tv
