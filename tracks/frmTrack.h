#pragma once

// The track manager: the recorded tracks of track.tvd in two parallel lists (names with a tick
// each, numbers beside them), the points of the ticked tracks in a grid with their count, the
// deletion of ticked tracks after a backup copy track.bak, and the GPX export of the points
// shown. Opened modally from the settings window; it opens its own connection to the track
// file at each load.

#include "core/forms/Forms.h"
#include "tracks/GpxDocument.h"
#include "tracks/TrackList.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableView;

namespace tv {

class Connection;
class Recordset;
class RecordsetGridModel;

// What the save dialog of the export is set up with.
struct GpxSaveRequest
{
    QStringList filters;    // "All files (*.*)", "GPX files (*.gpx)"
    QString selectedFilter; // "GPX files (*.gpx)"
    QString defaultSuffix;  // "gpx"
    QString proposedName;   // "Track12.gpx"
};

class frmTrack : public DialogForm
{
    Q_OBJECT
public:
    frmTrack();
    ~frmTrack() override;
    QString formName() const override { return QStringLiteral("frmTrack"); }

    void Form_Load() override;
    // Reads the points of the ticked tracks into the grid. False when they could not be read
    // (the pilot was told; the points read before stay shown).
    bool ShowTrackPoints();
    void listTrack_MouseUp();
    void listTrack_Scroll();
    void listIndex_MouseDown();
    void cmdDelete_Click();
    // Copies track.tvd to track.bak; false (after nothing was changed) when that failed.
    bool BackupTrackDb();
    void cmdExit_Click();
    void cmdTrack_Click();
    void cmdWpt_Click();
    void cmdWptTrack_Click();
    void SaveGpxFile(GpxKind kind);

    // Test hook: answers the save dialog instead of a person. Returns the chosen file, or an
    // empty text for a cancelled dialog. An empty hook shows the real dialog.
    using SaveDialogHook = std::function<QString(const GpxSaveRequest&)>;
    static void setSaveDialogHookForTesting(SaveDialogHook hook);

    QLabel* Label1 = nullptr;
    QLabel* lblTracks = nullptr;
    QListWidget* listIndex = nullptr;
    QListWidget* listTrack = nullptr;
    QTableView* gridTracks = nullptr;
    QLabel* lblRecords = nullptr;
    QPushButton* cmdDelete = nullptr;
    QGroupBox* Frame1 = nullptr;
    QPushButton* cmdTrack = nullptr;
    QPushButton* cmdWpt = nullptr;
    QPushButton* cmdWptTrack = nullptr;
    QPushButton* cmdExit = nullptr;

    // The tracks as listed (parallel to both lists) and the points shown; for tests.
    const std::vector<TrackEntry>& tracks() const { return tracks_; }
    Recordset* points() const { return pointsRS_.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void setCaptions();
    void fitColumns();
    void fillLists(std::vector<TrackEntry> tracks);
    void clearTracks();
    std::vector<std::int64_t> tickedTracks() const;
    void exportPoints(GpxKind kind);
    QString askSaveFile(const GpxSaveRequest& request);

    std::unique_ptr<Connection> connection_;
    std::unique_ptr<Recordset> trackRS_;
    std::unique_ptr<Recordset> pointsRS_; // none until the first ShowTrackPoints
    std::vector<TrackEntry> tracks_;
    // One per list position and one more; decides how a click toggles the tick.
    std::vector<bool> selected_;
    RecordsetGridModel* model_ = nullptr;
};

} // namespace tv
