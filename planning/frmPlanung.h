#pragma once

#include "core/forms/Forms.h"
#include "planning/AirspaceChoice.h"
#include "planning/PlanChart.h"
#include "planning/PlanMap.h"
#include "planning/PlanRoutes.h"
#include "planning/WaypointEntry.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTableView;

namespace tv {

class PictureBox;
class RecordsetGridModel;

// The plan window: the plan map on the left; the waypoint entry boxes, the waypoint list, the
// route list and the current route's points on the right. Handlers keep the names the program
// has always had and stay thin: the rules live in planning/ (WaypointEntry, PlanMap, PlanChart,
// PlanRoutes, PlanSettings, PlanLayout). The chart on screen, the current route and the
// current point are held there; the controls are written from them and never read back.
class frmPlanung : public MdiForm
{
    Q_OBJECT
public:
    frmPlanung();
    QString formName() const override { return QStringLiteral("frmPlanung"); }

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Deactivate() override;
    // Lays the controls out for an inner size of `width` x `height` pixels.
    void Form_Resize(int width, int height);
    void SetLanguage();

    // --- the plan map -----------------------------------------------------------------------
    void InitializeData();
    void RedrawMap();
    // tLR as the plan map's airspace layer decided in the last redraw.
    void showAirspaceBox(const PlanAirspaceBox& box);
    // The plan map's airspace choice. planung.crm keeps its airspaces part (tLRHoehe); the
    // traffic circuits (tPR) are off after loading.
    const PlanAirspaceChoice& airspaceChoice() const { return airspaceChoice_; }
    // Takes a new choice; the map shows it at once.
    void setAirspaceChoice(const PlanAirspaceChoice& choice);
    // The pilot picked `name` in the chart box or typed it there and pressed Enter.
    void cmbMaps_Click(const QString& name);
    void SlideMap_Change();
    // X in pixels along the slider.
    void SlideMap_MouseUp(double xPixels);
    void picMap_MouseDown(int button, double x, double y);
    void picMap_MouseMove(int button, double x, double y);
    void picMap_DblClick();
    void picMap_KeyUp(int keyCode);

    // --- waypoints --------------------------------------------------------------------------
    void cmdNew_Click();
    void cmdChange_Click();
    void cmdDelete_Click();
    void cmdNext_Click();
    void cmdPrev_Click();
    void cmbKat_Click();
    // Keys let go in the waypoint area (Qt::Key codes): Enter, Down and Up.
    void tquickfind_KeyUp(int keyCode);
    void tWaypoint_KeyUp(int index, int keyCode);
    void tNS_KeyUp(int keyCode);
    void tEW_KeyUp(int keyCode);
    void gridWaypoints_KeyUp(int keyCode);
    void tNS_Click();
    void tEW_Click();
    void gridWaypoints_RowColChange();
    void ShowWaypoint();
    void CenterOnWaypoint();

    // --- measuring --------------------------------------------------------------------------
    void cmdMessen_Click();
    void picMessen_Click();

    // --- routes -----------------------------------------------------------------------------
    void cmdNewRoute_Click();
    void cmdRouteDelete_Click();
    void cmdAddwaypoint_Click();
    void cmdDeleteWaypoint_Click();
    void gridRoute_RowColChange();
    void gridPoints_RowColChange();
    void cmdshowRoute_Click();
    void picShowRoute_Click();

    // After another window changed the tables (the route import): the three lists are read
    // again, their grids rebound, and the map redrawn.
    void RequeryLists();
    // The route files (the frame's menu while this window is active): the export opens modally
    // with this window's current route selected; after an import was stored the lists show it.
    void ExportRoute();
    void ImportRoute();

    // The waypoint list.
    Recordset waypointsRS;

    PlanMap& planMap() { return map_; }
    bool measuring() const { return measuring_; }
    bool showRoute() const { return showRoute_; }
    // The entry boxes as they stand.
    WaypointBoxes boxes() const;

    // Controls (names as the program has always had them).
    PictureBox* picMap = nullptr;
    QLineEdit* tLR = nullptr;
    QComboBox* cmbMaps = nullptr;
    QSlider* SlideMap = nullptr;
    QPushButton* cmdMessen = nullptr;
    QPushButton* picMessen = nullptr;
    QLabel* lblDistanz = nullptr;
    QLabel* lblKurs = nullptr;
    QLabel* lblLatx = nullptr;
    QLabel* lblNS = nullptr;
    QLabel* lblLongx = nullptr;
    QLabel* lblEW = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label11 = nullptr;
    QPushButton* cmdshowRoute = nullptr;
    QPushButton* picShowRoute = nullptr;
    QLabel* lblRouteDistanz = nullptr;
    std::array<QLineEdit*, 4> tWaypoint{}; // 1 name, 2 latitude, 3 longitude (0 unused)
    QLineEdit* tNS = nullptr;
    QLineEdit* tEW = nullptr;
    QLineEdit* tquickfind = nullptr;
    QComboBox* cmbKat = nullptr;
    QLineEdit* tKat = nullptr;
    QLabel* lblCount = nullptr;
    QPushButton* cmdPrev = nullptr;
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdNew = nullptr;
    QPushButton* cmdChange = nullptr;
    QPushButton* cmdDelete = nullptr;
    QTableView* gridWaypoints = nullptr;
    QPushButton* cmdNewRoute = nullptr;
    QPushButton* cmdRouteDelete = nullptr;
    QTableView* gridRoute = nullptr;
    QPushButton* cmdAddwaypoint = nullptr;
    QPushButton* cmdDeleteWaypoint = nullptr;
    QTableView* gridPoints = nullptr;

    RecordsetGridModel* waypointsModel() const { return waypointsModel_; }
    RecordsetGridModel* routeModel() const { return routeModel_; }
    RecordsetGridModel* pointsModel() const { return pointsModel_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool filterEvent(QObject* watched, QEvent* event);
    void buildControls();
    void wireControls();
    void LoadSettings();
    std::optional<DbError> openWaypoints(const QString& category);
    // The opening of data.tvd the waypoint list was read from (Connection::FileGeneration).
    std::uint64_t waypointsFile_ = 0;
    bool readClosedWaypointList(PlanMessage (*failed)(const DbError&, int16_t));
    void showReadWaypointList();
    // The grids show their set's current row as selected and current.
    void syncWaypointGrid();
    void syncGrid(QTableView* grid, RecordsetGridModel* model);
    void fitWaypointColumns();
    void highlightCurrentWaypoint();
    void setBoxes(const WaypointBoxes& boxes);
    void measureTo(DDMMPoint cursor);
    void showRouteGrids();
    void showRoutes();
    void showWrite(PlanRoutes::Write result);
    bool tellUnreadRoutes();
    void chooseRoute(Recordset::BookmarkId row);
    // The chart box lists the active charts and shows the chart on screen.
    void showChartBox();
    void showRouteLength(const QString& text);

    PlanMap map_;
    PlanChart chart_;
    PlanRoutes routes_;
    PlanAirspaceChoice airspaceChoice_;
    RecordsetGridModel* waypointsModel_ = nullptr;
    RecordsetGridModel* routeModel_ = nullptr;
    RecordsetGridModel* pointsModel_ = nullptr;

    std::array<double, 5> savedView_{};
    bool skipViewRestore_ = true;
    bool showRoute_ = false;
    bool measuring_ = false;
    bool syncing_ = false;
    std::optional<DDMMPoint> cursor_; // the cursor position of the last mouse move, DD.MM
    // The waypoint (PointID) whose values ShowWaypoint last put into the entry boxes.
    std::optional<int64_t> boxesPointId_;
};

// The menu item of the airspace display dialog: the dialog edits the plan window's choice, and
// the plan map shows the new choice at once. When the plan window is unloaded meanwhile (the
// program ends while the dialog is open), the choice goes nowhere.
void showPlanAirspaceDialog();

} // namespace tv
