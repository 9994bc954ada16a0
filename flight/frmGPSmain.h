#pragma once

// The flight window: the moving map of flight mode with the GPS reception, the instruments,
// the route navigation, the wind figures and the track recorder.
//
// One class over several source files:
//   frmGPSmain.cpp             life cycle, layout, controls, Set.crm / VOR.crm / data.crm
//   frmGPSmain_serial.cpp      GPS button, serial reception, no-signal watchdog
//   frmGPSmain_gps.cpp         the interpreter's events
//   frmGPSmain_map.cpp         zoom, pan, centring, chart choice, view memory, UpdateMap
//   frmGPSmain_switches.cpp    layer switches, unit switches, keyboard, tool tips, wind glue
//   frmGPSmain_overlay.cpp     the overlay on the chart and the map symbols
//   frmGPSmain_route.cpp       active route, direct flight, target navigation
//   frmGPSmain_instruments.cpp compass card, VOR pointer, HSI
//   frmGPSmain_track.cpp       track recording
//
// Everything the window draws goes onto DrawSurfaces (picMap, Kurskreisel, picWind): tests
// probe their pixels. Handlers keep the names of the control and event they serve; none of
// them lets an exception out.
//
// Key codes given to the key handlers are the classic virtual key codes (8 Backspace,
// 13 Enter, 27 Escape, 32 Space, 37-40 arrows left/up/right/down, 48-57 digits of the main
// keyboard); vbKeyCode() turns a Qt key into one. Mouse buttons: 1 left, 2 right.

#include "airspace/AirspaceLayer.h"
#include "core/forms/BusyCursor.h"
#include "core/forms/Forms.h"
#include "core/forms/VbTimer.h"
#include "flight/Instruments.h"
#include "flight/MapLayers.h"
#include "flight/MapOverlay.h"
#include "flight/RouteNav.h"
#include "flight/TrackRecorder.h"
#include "gps/GpsFix.h"
#include "gps/VB6NmeaInterpreter.h"
#include "map/MapView.h"
#include "platform/LineAssembler.h"
#include "route/ActiveRoute.h"

#include <QImage>
#include <QSerialPort>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSlider;
class QTableView;

namespace tv {

class DrawSurface;
class PictureBox;
class Recordset;

class frmGPSmain : public MdiForm
{
    Q_OBJECT
public:
    frmGPSmain();
    ~frmGPSmain() override;
    QString formName() const override { return QStringLiteral("frmGPSmain"); }

    // ================================================================ controls
    // The map and the other picture boxes that are drawn on.
    PictureBox* picMap = nullptr;
    PictureBox* Kurskreisel = nullptr; // course instrument, user scale 200 x 200
    PictureBox* picWind = nullptr;     // wind arrow
    // The surface of picMap: every map drawing goes here.
    DrawSurface& mapSurface();
    // Compass-card image that ShowInstrument turns (the hidden picture); null until drawn.
    QImage Picture1;

    // Zoom slider, -100..100.
    QSlider* SlideMap = nullptr;
    // Chart choice: combo, the hint box over it, the chart counter, the hidden list of the
    // charts under the aircraft.
    QComboBox* cmbMaps = nullptr;
    QLineEdit* tNextMap = nullptr;
    QLabel* LblMapNumber = nullptr;
    QListWidget* listNextMap = nullptr;
    QProgressBar* progBar = nullptr;
    // Centring and chart stepping switches.
    QPushButton* cmdKartezentrieren = nullptr;
    QLabel* picKartezentrieren = nullptr;
    QPushButton* cmdMapScroll = nullptr;
    QLabel* PicMapScroll = nullptr;

    // GPS button and its three status pictures: (0) on, no fix; (1) fix; (2) no signal.
    QPushButton* cmdGPS = nullptr;
    std::array<QLabel*, 3> picGPSCheck{};
    QLabel* lblStatus = nullptr;

    // GPS displays.
    QLabel* lblLat = nullptr;
    QLabel* lblLong = nullptr;
    QLabel* lblSpeed = nullptr;
    QLabel* lblSpeedmode = nullptr;
    QLabel* lblBearing = nullptr;
    QLabel* lblAlt = nullptr;
    QLabel* lblAltmode = nullptr;
    QLabel* LabelTime = nullptr; // hidden: last GPS time "hh:mm:ss"
    QLabel* Label7 = nullptr;    // hidden: last satellites-used count
    QFrame* Frame3 = nullptr;    // strip at the bottom of the map
    QFrame* frmQNH = nullptr;    // QNH box, shown with the airspace layer
    QLabel* lblQNH = nullptr;

    // Route and navigation.
    QComboBox* cmbRoute = nullptr;
    QLineEdit* tRoute = nullptr;
    QTableView* gridWaypoints = nullptr;
    QPushButton* cmdShowPoints = nullptr;
    QLabel* picShowPoints = nullptr;
    QPushButton* cmdActivateGoto = nullptr;
    QLabel* picActivateGoto = nullptr;
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdPrev = nullptr;
    QPushButton* cmdDirectFly = nullptr;
    QLabel* picDF = nullptr;
    QLabel* lblLatx = nullptr;
    QLabel* lblLongx = nullptr;
    QFrame* Frame1 = nullptr; // navigation figures on the map
    QLabel* lblTrueBearing = nullptr;
    QLabel* lblDistanz = nullptr;
    QLabel* lblTime = nullptr;
    QLabel* lblRemDist = nullptr;

    // Track recording (on the map, top right).
    QPushButton* cmdRecord = nullptr;
    QPushButton* cmdRecordAuto = nullptr;
    QLabel* picRecord = nullptr;
    QLabel* lblRecord = nullptr; // inside picRecord

    // Course instrument.
    QLabel* lblVOR1 = nullptr;
    QLabel* lbldistVOR = nullptr;
    QLabel* lblKurs = nullptr; // hidden: selected course
    QFrame* frmVOR = nullptr;
    QLineEdit* tVOR1 = nullptr;
    QLabel* lblResult = nullptr;
    QFrame* frmKurs = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* tKurs = nullptr;

    // Wind and true airspeed.
    QFrame* frmHDG = nullptr;
    QLabel* lblHeading = nullptr;
    QFrame* frmIAS = nullptr;
    QLabel* lblIAS = nullptr;
    QFrame* Frame5 = nullptr;
    QLabel* lblWind = nullptr;
    QFrame* Frame6 = nullptr; // holds picWind

    // Layer switches in the frame frmSet, and the button pair that opens it.
    QFrame* frmSet = nullptr;
    QPushButton* cmdLR1 = nullptr;
    QPushButton* cmdLR2 = nullptr;
    QLabel* picLR3 = nullptr;
    QPushButton* cmdAPT1 = nullptr;
    QPushButton* cmdAPT2 = nullptr;
    QLabel* picAPT3 = nullptr;
    QPushButton* cmdPR = nullptr;
    QLabel* picPR = nullptr;
    QPushButton* cmdshowRoute = nullptr;
    QLabel* picShowRoute = nullptr;
    QLabel* lblRoute = nullptr; // route length, inside picShowRoute
    QPushButton* cmdWayInfo = nullptr;
    QLabel* picWayInfo = nullptr;
    QPushButton* cmdSet = nullptr;
    QLabel* picSet = nullptr;

    // The GPS port and the two window timers (interval 0 = stopped).
    QSerialPort MSComm1;
    VbTimer timerCheck;
    VbTimer timeTrack;

    // ================================================================ state
    VB6NmeaInterpreter gps;
    // The GPS fix as the displays show it (gps/GpsFix.h): the labels only display it; the map
    // overlay and the instrument read their numbers from here.
    const GpsFix& gpsFix() const { return fixBuilder_.fix(); }
    // The active route (route/ActiveRoute.h): the route list, the chosen route's points whose
    // current row is the target, route navigation and direct flight. The names below are the
    // window's own names for its parts.
    ActiveRoute activeRoute;
    std::shared_ptr<Recordset>& routeRS = activeRoute.routes;
    std::shared_ptr<Recordset>& routepointsRS = activeRoute.points;
    std::shared_ptr<Recordset> positionRS; // view memory, saved as position.crm

    // Layer flags (Set.crm lines 1-7) and unit flags.
    bool ShowLuftraum = false;
    bool ShowLuftraumHoehe = false;
    bool ShowPR = false;
    bool ShowRoute = false;
    bool ShowWayInfo = false;
    bool ShowAPT1 = false;
    bool ShowAPT2 = false;
    bool SpeedKts = true; // knots, else km/h
    bool AltFeet = true;  // feet, else metres
    bool ShowETE = true;  // time en route, else arrival clock time

    // Set by the main frame before another mode window is shown maximised: the next resize
    // is not laid out.
    bool dontResize = true;
    // While true the route grid's row-change handler does nothing.
    bool GridBusy = true;
    // Chart name kept while the window is in the background.
    QString LastMapName;
    // COM port number from data.crm.
    int16_t SavedComPort = 0;
    // Aircraft position, decimal degrees, south and west negative.
    double PosLat = 49.0;
    double PosLong = 9.0;
    bool NoFix = true;
    // Counts position events for the redraw rhythm (first, then every 21st).
    int16_t PositionRefreshCounter = -1;
    // Position of the shown chart in listNextMap, -1 when not there.
    int16_t MapListIndex = 0;
    bool& GotoActive = activeRoute.gotoActive;
    bool& DirectFly = activeRoute.directFly;
    // "Kurs", "VOR" or "HSI".
    QString instrumentMode = QStringLiteral("Kurs");

    // Serial reception: the line assembler keeps only the unfinished tail of the received text.
    LineAssembler LineBuffer;
    bool DataReceived = false;
    // The no-signal mode cleared the target figures: they stay "---" until a new position
    // arrives, instead of being worked out again from the last one as if it were current.
    bool targetFiguresCleared = false;
    // 2 at the GPS start, counted down by the watchdog's ticks; -99 marks the no-signal mode.
    int16_t SignalCheckCountdown = 0;
    // The combo text as it was when updateMapInfo last refilled the chart combo.
    QString PrevMapName;

    // The chart display model: source rectangle, scales, zoom, centring (CenterMap), chart
    // stepping (MapScroll), view bounds (ViewTop ...), ChartWidth / ChartHeight.
    MapView mapView;
    // The current chart loaded with a usable image and valid edges. While false nothing is
    // drawn on the map (no chart image, no overlay).
    bool chartValid = false;
    // The components' own state.
    OverlayState overlay; // PlaneX, PlaneY, the charts under the aircraft
    // The airspace layer's rows read so far and its edge colour; whether its last redraw was
    // faulty (lblQNH says so until a complete redraw).
    AirspaceLayer airspaceLayer;
    bool airspaceFaultShown = false;
    RouteNavState nav; // PrevTargetDistance
    InstrumentState instruments;
    TrackRecorder recorder;

    // Number of UpdateMap calls since the window was made (the redraw rhythm is observable).
    long updateMapCalls = 0;

    // ================================================================ life cycle
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Deactivate() override;
    void Form_Unload() override;
    void Form_Resize();
    // The airspace file is missing or outdated: the airspace and traffic-circuit switches go.
    void AirspaceFileMissing();
    void LoadSavedCom();
    void LoadVOR();
    void SaveVOR();
    void LoadSet();
    void SaveSet();

    // ================================================================ serial reception
    // Serial notification codes as the window handles them.
    static constexpr int16_t comEvReceive = 2;
    static constexpr int16_t comEventBreak = 1001;
    static constexpr int16_t comEventFrame = 1004;
    static constexpr int16_t comEventRxOver = 1008;
    void cmdGPS_Click();
    void picGPSCheck_Click(int Index);
    void MSComm1_OnComm(int16_t CommEvent);
    void HandleInput(std::string_view Sinput);
    void timerCheck_Timer();
    void ClearInstruments();
    // The GPS is switched on (one of the pictures 0 and 1 is visible).
    bool gpsSwitchedOn() const;
    // The port is silent for this long while the GPS is on: the no-signal mode starts.
    static constexpr int kSilenceMs = 5000;
    VbTimer silenceWatch;
    void silenceWatch_Timer();

    // ================================================================ GPS events
    void gps_PositionReceived(const std::string& latitude, const std::string& longitude,
                              const std::string& latraw, const std::string& longraw);
    void gps_SpeedReceived(const std::string& Speed);
    void gps_BearingReceived(const std::string& bearing);
    void gps_AltitudeReceived(const std::string& altitude);
    void gps_TimeChanged(const std::string& Time);
    // "dd/mm/yy" of the last RMC sentence (the track recorder dates its points with it).
    void gps_DateChanged(const std::string& satDate);
    void gps_SatellitesUsedReceived(int16_t satellitesUsed);
    void gps_SatellitesInViewReceived(int16_t satellitesInView);
    void gps_FixObtained();
    void gps_FixLost();

    // ================================================================ map view
    void InitializeData();
    void FitViewToWindow();
    void SlideMap_Change();
    // X in twips along the slider.
    void SlideMap_MouseUp(int Button, int Shift, double X, double Y);
    // X, Y in picMap pixels.
    void picMap_MouseDown(int Button, int Shift, double X, double Y);
    void picMap_MouseMove(int Button, int Shift, double X, double Y);
    void picMap_MouseUp(int Button, int Shift, double X, double Y);
    void CenterMapOnPosition();
    void CalcViewBounds(double x1, double y1, double x2, double y2);
    void cmdKartezentrieren_Click();
    void picKartezentrieren_Click();
    void cmdMapScroll_Click();
    void PicMapScroll_Click();
    // A left press or Space in stepping mode: the next chart under the aircraft.
    void StepToNextChart();

    // ================================================================ chart choice
    void LoadLastMap();
    void updateMapInfo();
    void cmbMaps_Change();
    void cmbMaps_Click();
    void LoadMapView();
    void SaveMapView();
    void tNextMap_MouseMove();

    // ================================================================ redraw
    // The layers UpdateMap draws over the chart image, bottom first (flight/MapLayers.h):
    // "airspaces" (DrawAirspaces, while ShowLuftraum or ShowPR), then "moving map"
    // (DrawMovingMap).
    MapLayers mapLayers;
    void UpdateMap();
    // Airspace layer: the airspaces around the aircraft at its altitude, the traffic circuits,
    // the QNH box with its colour.
    void DrawAirspaces();

    // ================================================================ overlay
    void DrawMovingMap();
    // Decimal degrees; colour 0x00BBGGRR.
    void DrawRouteLeg(double lat1, double long1, double lat2, double long2, uint32_t colour);
    // DD.MM position; kind 0 ordinary point, 1 active target, 2 direct-flight target.
    void DrawWaypointSymbol(double latitude, double longitude, int16_t kind, const QString& name);
    void DrawAirportInfo(double latitude, double longitude, int16_t kind, const QString& name);

    // ================================================================ route and target
    void cmbRoute_Click();
    void cmbRoute_LostFocus();
    void tRoute_Click();
    void cmdActivateGoto_Click();
    void picActivateGoto_Click();
    void cmdNext_Click();
    void cmdPrev_Click();
    void cmdDirectFly_Click();
    void picDF_Click();
    void cmdshowRoute_Click();
    void picShowRoute_Click();
    void lblRoute_Click();
    void gridWaypoints_HeadClick(int ColIndex);
    void gridWaypoints_RowColChange(int LastRow, int LastCol);
    void DrawRoute();
    void UpdateTargetNav();
    // Decimal degrees in, radians out (the arguments are converted in place).
    void CalcNavToTarget(double& tgtLat, double& tgtLong, double& ownLat, double& ownLong);
    void UpdateRouteInfo();
    void LookupVOR();

    // ================================================================ track recording
    void ToggleTrackRecording();
    void cmdRecord_Click();
    void picRecord_Click();
    void lblRecord_Click();
    void timeTrack_Timer();

    // ================================================================ instruments
    void ShowInstrument(float angle);
    // Draws `picture` into `hDC` turned by `angle` degrees about the centre of its rectangle
    // placed at (x, y); 0 when nothing was drawn.
    int RotatePicture(DrawSurface& hDC, int x, int y, float angle, const QImage& picture);
    void DrawAircraftSymbol();
    void DrawVORPointer(uint32_t colour);
    // A VOR is chosen in lblVOR1 and was found in the waypoint table: VOR and HSI have a station.
    bool vorStationChosen() const;
    void DrawCourseArrow(float angle);
    // Decimal degrees in, radians out (the arguments are converted in place).
    void CalcNavToVOR(double& vorLat, double& vorLon, double& ownLat, double& ownLon);
    // X, Y in instrument units (200 x 200).
    void Kurskreisel_MouseDown(int Button, int Shift, double X, double Y);
    void tKurs_KeyUp(int KeyCode, int Shift);
    void tKurs_DblClick();
    void tVOR1_KeyUp(int KeyCode, int Shift);
    void tVOR1_DblClick();

    // ================================================================ wind
    // Altitude in feet.
    void ShowTAS(double altitude);
    void CalcWind();

    // ================================================================ switches and keys
    void cmdLR1_Click();
    void cmdLR2_Click();
    void picLR3_Click();
    void cmdAPT1_Click();
    void cmdAPT2_Click();
    void picAPT3_Click();
    void cmdPR_Click();
    void picPR_Click();
    void cmdWayInfo_Click();
    void picWayInfo_Click();
    void cmdShowPoints_Click();
    void picShowPoints_Click();
    void cmdSet_Click();
    void picSet_Click();
    void lblSpeed_Click();
    void lblAlt_Click();
    void lblTime_Click();
    void Form_KeyUp(int KeyCode, int Shift);
    void SetToolTips();
    // The classic virtual key code of a Qt key (0 when it has none).
    static int vbKeyCode(int qtKey, Qt::KeyboardModifiers modifiers = {});

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void wireControls();
    // Runs `handler` when `control` is clicked (labels and pictures have no click signal).
    void onClick(QWidget* control, std::function<void()> handler);
    // Puts a value on the zoom slider without running its change handler.
    void setSliderQuietly(int value);
    // Sets the chart combo's text without its change handler.
    void setMapsTextQuietly(const QString& text);
    // Shows the chart error for the current chart and marks it unusable.
    void reportChartError(const QString& name);
    // The Name of the current ActiveMaps row ("" when there is none).
    QString currentChartName() const;
    // Rewrites kartendaten.crm with the current chart and the route combo's text.
    void writeLastMapFile();
    // Opens the GPS port on SavedComPort; false when it cannot be opened.
    bool openPort();
    void closePort();
    void enterNoSignalMode();
    void showStatus(const QString& text);
    QString portMissingText() const;
    QString noSignalText() const;

    // Hourglass while the port check runs.
    BusyCursor busy_;
    // Forwards the interpreter's events to the gps_* handlers.
    std::unique_ptr<NmeaEvents> gpsEvents_;
    // Builds the typed fix from the interpreter's events, then hands them to gpsEvents_.
    GpsFixBuilder fixBuilder_;
    // Baud rate from data.crm (the port keeps 4800 until a valid file is read).
    qint32 baudRate_ = 4800;
    // True while the port is being opened: its error reports then belong to the open.
    bool opening_ = false;
    // Chart name that the combo's change handler loaded just before a pick from its list
    // (the pick then does not load the same chart twice).
    QString loadedByChange_;
    // Name of the chart whose image and view mapView holds ("" when none is loaded).
    QString loadedChart_;
    std::vector<std::pair<QObject*, std::function<void()>>> clickHandlers_;
};

} // namespace tv
