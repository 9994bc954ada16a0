// The waypoint area of the plan window: entry boxes, list, category filter and quick find.
#include "planning/frmPlanung.h"

#include "core/HandlerGuard.h"
#include "core/Variablen.h"
#include "core/forms/KeyUp.h"
#include "core/forms/MsgBox.h"
#include "core/forms/RecordsetGridModel.h"
#include "map/PictureBox.h"
#include "planning/WaypointList.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "route/RouteData.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>

#include <algorithm>

namespace tv {

namespace {
const QString kAllWaypoints = QStringLiteral("Alle Wegpunkte");
} // namespace

WaypointBoxes frmPlanung::boxes() const
{
    return {tWaypoint[1]->text(), tWaypoint[2]->text(), tWaypoint[3]->text(), tNS->text(),
            tEW->text()};
}

void frmPlanung::setBoxes(const WaypointBoxes& b)
{
    tWaypoint[1]->setText(b.name);
    tWaypoint[2]->setText(b.lat);
    tWaypoint[3]->setText(b.lon);
    tNS->setText(b.ns);
    tEW->setText(b.ew);
}

void frmPlanung::syncWaypointGrid()
{
    syncGrid(gridWaypoints, waypointsModel_);
}

void frmPlanung::highlightCurrentWaypoint()
{
    syncWaypointGrid();
}

void frmPlanung::ShowWaypoint()
{
    try {
        if (waypointsRS.State() != Recordset::kStateOpen || waypointsRS.RecordCount() == 0) {
            lblCount->setText(QStringLiteral("0 / 0"));
            return;
        }
        if (!waypointsRS.HasCurrentRow())
            return;
        const Value lat = waypointsRS.Field("Lat");
        const Value lon = waypointsRS.Field("Long");
        WaypointBoxes b =
            boxesForWaypoint(QString::fromStdString(waypointsRS.Field("Name").toString()),
                             lat.toDouble(), lon.toDouble());
        if (lat.isNull())
            b.lat.clear();
        if (lon.isNull())
            b.lon.clear();
        setBoxes(b);
        boxesPointId_ = currentKey(waypointsRS, "PointID");
        lblCount->setText(QStringLiteral("%1 / %2")
                              .arg(waypointsRS.AbsolutePosition())
                              .arg(waypointsRS.RecordCount()));
    } catch (const DbError& e) {
        logIgnoredFault(e, "a row that cannot be read leaves the boxes as they are");
    }
}

void frmPlanung::CenterOnWaypoint()
{
    if (const std::optional<DDMMPoint> p = boxesPosition(boxes()))
        map_.centreOn(*p);
    RedrawMap();
}

void frmPlanung::cmdNew_Click()
{
    const WaypointCheck check = checkWaypointBoxes(boxes(), WaypointEdit::Add, Language);
    if (check.message) {
        MsgBox(check.message->text, check.message->title);
        return;
    }
    if (!MainConnection)
        return;
    if (!readClosedWaypointList(waypointNotStoredMessage))
        return;
    const std::string name = check.entry->name.toStdString();
    try {
        // The name is looked up in the whole table (ignoring case, umlauts included), also
        // while the list shows one category only.
        if (waypointNameTaken(*MainConnection, name)) {
            if (waypointsRS.RecordCount() > 0) {
                waypointsRS.MoveFirst();
                waypointsRS.Find("Name", CompareOp::Equal, Value(name));
                if (waypointsRS.Eof())
                    waypointsRS.MoveFirst();
                highlightCurrentWaypoint();
                // The list stands on the waypoint of the typed name: the boxes, which keep what
                // was typed, now stand for it, and Change updates it.
                boxesPointId_ = currentKey(waypointsRS, "PointID");
            }
            const PlanMessage m = duplicateWaypointMessage(Language);
            MsgBox(m.text, m.title);
            return;
        }
        const QString category = cmbKat->currentText();
        waypointsRS.AddNew();
        waypointsRS.SetField("Name", Value(name));
        waypointsRS.SetField("Lat", Value(check.entry->latDDMM));
        waypointsRS.SetField("Long", Value(check.entry->lonDDMM));
        waypointsRS.SetField(
            "Kategorie", Value(category == kAllWaypoints ? std::string() : category.toStdString()));
        waypointsRS.Update();
        const Recordset::BookmarkId added = waypointsRS.Bookmark();
        waypointsRS.Sort("Name ASC");
        waypointsRS.SetBookmark(added);
    } catch (const DbError& e) {
        if (waypointsRS.EditMode() != Recordset::EditState::None)
            waypointsRS.CancelUpdate();
        const PlanMessage m = waypointNotStoredMessage(e, Language);
        MsgBox(m.text, m.title);
        return;
    }
    waypointsModel_->bind(&waypointsRS);
    highlightCurrentWaypoint();
    cmdNext->setEnabled(true);
    cmdPrev->setEnabled(true);
    ShowWaypoint();
    CenterOnWaypoint();
}

void frmPlanung::cmdChange_Click()
{
    // Without a current waypoint there is nothing to change.
    if (!waypointsRS.HasCurrentRow())
        return;
    // The boxes are written only into the waypoint they were filled from.
    if (currentKey(waypointsRS, "PointID") != boxesPointId_) {
        const PlanMessage m = boxesShowAnotherWaypointMessage(Language);
        MsgBox(m.text, m.title);
        return;
    }
    const WaypointCheck check = checkWaypointBoxes(boxes(), WaypointEdit::Change, Language);
    if (check.message) {
        MsgBox(check.message->text, check.message->title);
        return;
    }
    std::optional<DbError> refused;
    try {
        waypointsRS.SetField("Name", Value(check.entry->name.toStdString()));
        waypointsRS.SetField("Lat", Value(check.entry->latDDMM));
        waypointsRS.SetField("Long", Value(check.entry->lonDDMM));
        waypointsRS.Update();
    } catch (const DbError& e) {
        if (waypointsRS.EditMode() != Recordset::EditState::None)
            waypointsRS.CancelUpdate();
        refused = e;
    }
    if (refused) {
        const PlanMessage m = waypointNotStoredMessage(*refused, Language);
        MsgBox(m.text, m.title);
    }
    // The list and the boxes show what is stored.
    waypointsModel_->bind(&waypointsRS);
    highlightCurrentWaypoint();
    ShowWaypoint();
    CenterOnWaypoint();
}

void frmPlanung::cmdDelete_Click()
{
    // A list read only now is shown first: the pilot deletes a waypoint he has seen.
    if (waypointsRS.State() != Recordset::kStateOpen) {
        if (readClosedWaypointList(waypointNotDeletedMessage))
            showReadWaypointList();
        return;
    }
    if (!waypointsRS.HasCurrentRow())
        return;
    const long position = waypointsRS.AbsolutePosition();
    try {
        waypointsRS.Delete();
        // The next waypoint becomes current; after the last one the one before.
        const long count = waypointsRS.RecordCount();
        if (count > 0)
            waypointsRS.SetAbsolutePosition(std::min(position, count));
    } catch (const DbError& e) {
        // The row is still stored and still current.
        const PlanMessage m = waypointNotDeletedMessage(e, Language);
        MsgBox(m.text, m.title);
    }
    waypointsModel_->bind(&waypointsRS);
    highlightCurrentWaypoint();
    if (waypointsRS.RecordCount() == 0) {
        WaypointBoxes empty;
        setBoxes(empty);
        boxesPointId_.reset();
    }
    ShowWaypoint();
    CenterOnWaypoint();
}

void frmPlanung::cmdNext_Click()
{
    if (waypointsModel_->currentRow() < 0)
        return;
    const bool moved = guarded([this] {
        const long count = waypointsRS.RecordCount();
        if (waypointsRS.AbsolutePosition() < count) {
            waypointsRS.MoveNext();
            cmdPrev->setEnabled(true);
        } else if (count > 1) {
            cmdNext->setEnabled(false);
        } else {
            cmdPrev->setEnabled(true);
        }
    });
    if (!moved)
        return;
    highlightCurrentWaypoint();
    gridWaypoints_RowColChange();
}

void frmPlanung::cmdPrev_Click()
{
    if (waypointsModel_->currentRow() < 0)
        return;
    const bool moved = guarded([this] {
        if (waypointsRS.AbsolutePosition() > 1) {
            waypointsRS.MovePrevious();
            cmdNext->setEnabled(true);
        } else if (waypointsRS.RecordCount() > 1) {
            cmdPrev->setEnabled(false);
        } else {
            cmdNext->setEnabled(true);
        }
    });
    if (!moved)
        return;
    highlightCurrentWaypoint();
    gridWaypoints_RowColChange();
}

void frmPlanung::gridWaypoints_RowColChange()
{
    if (waypointsRS.State() == Recordset::kStateOpen && waypointsRS.RecordCount() > 0) {
        highlightCurrentWaypoint();
        ShowWaypoint();
        CenterOnWaypoint();
    }
    cmdNext->setEnabled(true);
    cmdPrev->setEnabled(true);
}

// The waypoint list of `category`. When the file cannot be read the list keeps the rows it
// shows, and the fault is given back for the caller's message.
std::optional<DbError> frmPlanung::openWaypoints(const QString& category)
{
    if (!MainConnection)
        return std::nullopt;
    Recordset fresh;
    try {
        openWaypointList(fresh, *MainConnection,
                         category == kAllWaypoints
                             ? std::nullopt
                             : std::optional<std::string>(category.toStdString()));
    } catch (const DbError& e) {
        logIgnoredFault(e, "the waypoint list keeps the rows it shows; the pilot is told");
        return e;
    }
    waypointsRS = std::move(fresh);
    waypointsFile_ = MainConnection->FileGeneration();
    return std::nullopt;
}

// A list that could not be read when the window opened is read before an action that needs it.
// False, and told with the action's own first sentence, when it still cannot be read.
bool frmPlanung::readClosedWaypointList(PlanMessage (*failed)(const DbError&, int16_t))
{
    if (waypointsRS.State() == Recordset::kStateOpen)
        return true;
    // The category box is empty when the categories could not be read either: all waypoints.
    const QString category = cmbKat->currentIndex() > 0 ? cmbKat->currentText() : kAllWaypoints;
    if (const std::optional<DbError> fault = openWaypoints(category)) {
        const PlanMessage m = failed(*fault, Language);
        MsgBox(m.text, m.title);
        return false;
    }
    waypointsModel_->bind(&waypointsRS);
    return true;
}

void frmPlanung::showReadWaypointList()
{
    // The file answers again: routes that could not be read before are read now as well.
    if (routes_.stale()) {
        routes_.reread();
        showRouteGrids();
    }
    syncWaypointGrid();
    ShowWaypoint();
    RedrawMap();
}

void frmPlanung::cmbKat_Click()
{
    const QString category = cmbKat->currentText();
    if (const std::optional<DbError> fault = openWaypoints(category)) {
        // The box goes back to the category that the list still shows.
        const QSignalBlocker block(cmbKat);
        cmbKat->setCurrentIndex(std::max(0, cmbKat->findText(tKat->text())));
        const PlanMessage m = waypointsNotReadMessage(*fault, Language);
        MsgBox(m.text, m.title);
        return;
    }
    const long count = waypointsRS.State() == Recordset::kStateOpen ? waypointsRS.RecordCount() : 0;
    lblCount->setText(count > 0 ? QStringLiteral("1 / %1").arg(count) : QStringLiteral("0 / 0"));
    waypointsModel_->bind(&waypointsRS);
    highlightCurrentWaypoint();
    // The boxes follow the list to its new current row.
    ShowWaypoint();
    if (category != tKat->text()) {
        tKat->show();
        tKat->setText(category);
    }
    RedrawMap();
}

void frmPlanung::tquickfind_KeyUp(int keyCode)
{
    if (keyCode == Qt::Key_Down) {
        cmdNext_Click();
        return;
    }
    if (keyCode == Qt::Key_Up) {
        cmdPrev_Click();
        return;
    }
    if (waypointsModel_->currentRow() < 0)
        return;
    const bool searched = guarded([this] {
        waypointsRS.MoveFirst();
        waypointsRS.Find("Name", CompareOp::GreaterEqual, Value(tquickfind->text().toStdString()));
        if (waypointsRS.Eof())
            waypointsRS.MoveFirst();
    });
    if (!searched)
        return;
    highlightCurrentWaypoint();
    ShowWaypoint();
}

void frmPlanung::tWaypoint_KeyUp(int /*index*/, int keyCode)
{
    if (isEnterKey(keyCode)) {
        cmdNew_Click();
        gridWaypoints->setFocus();
    } else if (keyCode == Qt::Key_Down) {
        cmdNext_Click();
        gridWaypoints->setFocus();
    } else if (keyCode == Qt::Key_Up) {
        cmdPrev_Click();
        gridWaypoints->setFocus();
    }
}

void frmPlanung::tNS_KeyUp(int keyCode)
{
    if (isEnterKey(keyCode)) {
        cmdNew_Click();
        gridWaypoints->setFocus();
    }
}

void frmPlanung::tEW_KeyUp(int keyCode)
{
    tNS_KeyUp(keyCode);
}

// Only a key pressed in the list itself adds to the route: the Enter that confirms a cell
// edit, or closes a message, began elsewhere. Up and Down moved the list on the press already
// (the grid's own keys, followed by gridWaypoints_RowColChange): the release adds nothing.
void frmPlanung::gridWaypoints_KeyUp(int keyCode)
{
    if (isEnterKey(keyCode))
        cmdAddwaypoint_Click();
}

void frmPlanung::tNS_Click()
{
    tNS->setText(toggledNorthSouth(tNS->text()));
}

void frmPlanung::tEW_Click()
{
    tEW->setText(toggledEastWest(tEW->text()));
}

void frmPlanung::picMap_DblClick()
{
    if (!map_.hasChart() || !cursor_)
        return;
    RedrawMap();
    WaypointBoxes b = boxes();
    takeMapPoint(b, cursor_->lat, cursor_->lon);
    setBoxes(b);
    map_.DrawWaypoint(cursor_->lat, cursor_->lon, PlanSymbol::MapPoint, QString());
    picMap->Refresh();
    tWaypoint[1]->setFocus();
}

} // namespace tv
