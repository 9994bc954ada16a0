#pragma once

// The flight window: the moving map of flight mode with the GPS reception, the instruments,
// the route navigation, the wind figures and the track recorder.
//
// One class over several source files; what it shows is held by plain objects of flight/
// (FlightNavigation, ChartChoice, MapView, the overlay state, the track recorder, the layer
// flags), its controls' designed places and captions are FlightLayout's, its port GpsPort's:
//   frmGPSmain.cpp             life cycle, layout, Set.crm / VOR.crm / data.crm
//   frmGPSmain_controls.cpp    the controls and how their events reach the handlers
//   frmGPSmain_gps.cpp         GPS button, serial reception, watchdog, the interpreter's events
//   frmGPSmain_map.cpp         zoom, pan, centring, chart choice, view memory, UpdateMap
//   frmGPSmain_switches.cpp    layer switches, keyboard, tool tips, wind
//   frmGPSmain_overlay.cpp     the map's layers: what they are given, what they decided
//   frmGPSmain_route.cpp       active route, direct flight, target navigation
//   frmGPSmain_instruments.cpp compass card, VOR pointer, HSI
//   frmGPSmain_track.cpp       track recording
//
// Everything the window draws goes onto DrawSurfaces (picMap, Kurskreisel, picWind): tests
// probe their pixels. Handlers keep the names of the control and event they serve; the wiring
// runs each of them inside `guarded`, which logs a fault and lets none out to the event loop.
//
// Key codes given to the key handlers are the classic virtual key codes (flight/FlightKeys.h).
// Mouse buttons: 1 left, 2 right.

#include "airspace/AirspaceMapLayers.h"
#include "core/DataFileFault.h"
#include "core/forms/BusyCursor.h"
#include "core/forms/Forms.h"
#include "core/forms/VbTimer.h"
#include "flight/ChartChoice.h"
#include "flight/FlightNavigation.h"
#include "flight/FlightSettings.h"
#include "flight/GpsPort.h"
#include "flight/Instruments.h"
#include "flight/LayerSwitches.h"
#include "flight/MapOverlay.h"
#include "flight/RouteNav.h"
#include "flight/TrackRecorder.h"
#include "flight/WindCalc.h"
#include "gps/GpsFix.h"
#include "gps/VB6NmeaInterpreter.h"
#include "map/MapLayer.h"
#include "map/MapView.h"
#include "map/PictureBox.h"
#include "platform/LineAssembler.h"
#include "platform/ProgramFolder.h"
#include "route/ActiveRoute.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QSlider;
class QTableView;

namespace tv {

class DrawSurface;
class PictureBox;
class Recordset;

class frmGPSmain : public MdiForm, private NmeaEvents
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
    DrawSurface& mapSurface() { return picMap->surface(); }
    // Compass-card image that ShowInstrument turns (the hidden picture); null until drawn.
    QImage Picture1;

    // Zoom slider, -100..100.
    QSlider* SlideMap = nullptr;
    // Chart choice: combo, the hint box over it, the chart counter, the hidden list of the
    // charts under the aircraft.
    QComboBox* cmbMaps = nullptr;
    QLineEdit* tNextMap = nullptr;
    QLabel* LblMapNumber = nullptr;
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
    QFrame* Frame3 = nullptr; // strip at the bottom of the map
    QFrame* frmQNH = nullptr; // QNH box, shown with the airspace layer
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
    // Why recorded points wait for track.tvd; made when first needed, shown while they wait.
    QLabel* lblTrackNotice = nullptr;

    // Course instrument.
    QLabel* lblVOR1 = nullptr;
    QLabel* lbldistVOR = nullptr;
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
    GpsPort MSComm1;
    VbTimer timerCheck;
    VbTimer timeTrack;

    // ================================================================ state
private:
    // Declared before the names that refer into it.
    FlightNavigation nav_;

public:
    VB6NmeaInterpreter gps;
    // What the window navigates by (flight/FlightNavigation.h): the GPS fix with the aircraft's
    // position (PosLat, PosLong) and fix state (NoFix), the unit switches, the redraw rhythm,
    // the GPS switch and watchdog, the route with its target point (GotoActive, DirectFly),
    // the direct-flight target, the course instrument and the navigation figures. The
    // controls show it; none of it is read back from them.
    FlightNavigation& navigation() { return nav_; }
    const FlightNavigation& navigation() const { return nav_; }

    // Layer flags (Set.crm lines 1-7): ShowLuftraum, ShowLuftraumHoehe, ShowPR, ShowRoute,
    // ShowWayInfo, ShowAPT1, ShowAPT2.
    LayerFlags layers;
    // The map shows only the chosen route's points (picShowPoints shows it), else all waypoints.
    bool routePointsOnly = false;

    // Set by the main frame before another mode window is shown maximised: the next resize
    // is not laid out.
    bool dontResize = true;
    // While true the route grid's row-change handler does nothing.
    bool GridBusy = true;
    // COM port number from data.crm.
    int16_t SavedComPort = 0;

    // Serial reception: the line assembler keeps only the unfinished tail of the received text.
    LineAssembler LineBuffer;

    // The chart display model: source rectangle, scales, zoom, centring (CenterMap), chart
    // stepping (MapScroll), view bounds (ViewTop ...), ChartWidth / ChartHeight.
    MapView mapView;
    // The current chart loaded with a usable image and valid edges. While false nothing is
    // drawn on the map (no chart image, no overlay).
    bool chartValid() const { return chart_.valid(); }
    // The map's layers over the chart image, bottom first: "airspaces" (the airspaces around
    // the aircraft at its altitude, the traffic circuits; the QNH box shows what it decided),
    // then "moving map" (flight/MapOverlay.h). Each keeps its own state between redraws.
    FlightAirspaceMapLayer airspaceMap;
    MovingMapLayer movingMap;
    MapLayerStack mapLayers;
    TrackRecorder recorder;

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
    // The port's notification codes are GpsPort's.
    void cmdGPS_Click();
    void picGPSCheck_Click(int Index);
    void MSComm1_OnComm(int16_t CommEvent);
    void HandleInput(std::string_view Sinput);
    void timerCheck_Timer();
    void ClearInstruments();
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
    // "dd/mm/yy" of the last RMC sentence (the track recorder dates its points with it).
    void gps_DateChanged(const std::string& satDate) { recorder.gpsDateChanged(satDate); }
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
    void cmdKartezentrieren_Click();
    void picKartezentrieren_Click();
    void cmdMapScroll_Click();
    void PicMapScroll_Click();
    // A left press or Space in stepping mode: the next chart under the aircraft.
    void StepToNextChart();

    // ================================================================ chart choice
    void LoadLastMap();
    void updateMapInfo();
    // The combo's text changed to `text` (typed, or a pick from its list).
    void cmbMaps_Change(const QString& text);
    // The pilot picked `picked` from the combo's list.
    void cmbMaps_Click(const QString& picked);
    void LoadMapView();
    void SaveMapView() { chart_.saveView(mapView, programFile("position.crm")); }
    void tNextMap_MouseMove() { tNextMap->hide(); }

    // ================================================================ redraw
    // The layers are given their inputs, the chart image is painted, the layer stack drawn
    // over it, and the controls show what the layers decided.
    void UpdateMap();

    // ================================================================ route and target
    // The pilot picked entry `index` of the route box.
    void cmbRoute_Click(int index);
    void cmbRoute_LostFocus() { tRoute->show(); }
    void tRoute_Click() { tRoute->hide(); }
    void cmdActivateGoto_Click();
    void picActivateGoto_Click();
    void cmdNext_Click();
    void cmdPrev_Click();
    void cmdDirectFly_Click();
    void picDF_Click();
    void cmdshowRoute_Click() { switchLayer(SwitchFace::RouteLineOff); }
    void picShowRoute_Click() { switchLayer(SwitchFace::RouteLine); }
    void lblRoute_Click() { picShowRoute_Click(); }
    void gridWaypoints_HeadClick(int ColIndex);
    void gridWaypoints_RowColChange(int LastRow, int LastCol);
    // The navigation switches as the navigation stands: the frame with the figures while
    // route navigation or direct flight is on, the "on" pictures, the direct-flight target.
    void showNavigation();
    // The navigation to the target after a redraw that got to it: figures, the step on past a
    // route point, route figures. The guide line is the moving-map layer's.
    void UpdateTargetNav();
    void UpdateRouteInfo();
    void LookupVOR();

    // ================================================================ track recording
    void ToggleTrackRecording();
    void cmdRecord_Click();
    void picRecord_Click();
    void lblRecord_Click() { picRecord_Click(); }
    void timeTrack_Timer();

    // ================================================================ instruments
    // The whole instrument: the card turned by `angle` (minus the track), the overlay of the
    // instrument mode.
    void ShowInstrument(float angle);
    // The compass card (Picture1), drawn once.
    const QImage& compassCard();
    // X, Y in instrument units (200 x 200).
    void Kurskreisel_MouseDown(int Button, int Shift, double X, double Y);
    void tKurs_KeyUp(int KeyCode, int Shift);
    void tKurs_DblClick() { tKurs->clear(); }
    void tVOR1_KeyUp(int KeyCode, int Shift);
    void tVOR1_DblClick() { tVOR1->clear(); }

    // ================================================================ wind
    // Altitude in feet.
    void ShowTAS(double altitude);
    void CalcWind();

    // ================================================================ switches and keys
    // The layer switches (flight/LayerSwitches.h): a click on a face sets the layer flags, the
    // faces show them, the map is redrawn (and the route figures with the route line).
    void switchLayer(SwitchFace face);
    // The control of each switch face.
    QWidget* faceControl(SwitchFace face) const;
    void cmdLR1_Click() { switchLayer(SwitchFace::AirspacesOff); }
    void cmdLR2_Click() { switchLayer(SwitchFace::Airspaces); }
    void picLR3_Click() { switchLayer(SwitchFace::AirspacesWithAltitudes); }
    void cmdAPT1_Click() { switchLayer(SwitchFace::AirportsOff); }
    void cmdAPT2_Click() { switchLayer(SwitchFace::AirportsStep1); }
    void picAPT3_Click() { switchLayer(SwitchFace::AirportsStep2); }
    void cmdPR_Click() { switchLayer(SwitchFace::CircuitsOff); }
    void picPR_Click() { switchLayer(SwitchFace::Circuits); }
    void cmdWayInfo_Click() { switchLayer(SwitchFace::PointNamesOff); }
    void picWayInfo_Click() { switchLayer(SwitchFace::PointNames); }
    void cmdShowPoints_Click();
    void picShowPoints_Click();
    void cmdSet_Click();
    void picSet_Click();
    void lblSpeed_Click() { nav_.toggleSpeedUnit(); }
    void lblAlt_Click() { nav_.toggleAltitudeUnit(); }
    void lblTime_Click() { nav_.toggleTimeShown(); }
    void Form_KeyUp(int KeyCode, int Shift);
    void SetToolTips();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The point counter's font for this many points (see recordCounterFont).
    void showRecordCounter(int32_t points);
    // Recording: the indicator with its counter at 0 instead of the start buttons.
    void showRecording();
    // Not recording: the start button, or the indicator of automatic recording.
    void showIdleRecordButtons();
    // The notice under the record buttons, shown with `text`.
    void showTrackNotice(const QString& text);
    // Writes what the recorder holds back; the notice shows while anything waits, and why.
    void writeTrackPoints();
    // The recording ends (a later start opens a new track); what waits is tried once more.
    void stopTrackRecording();
    // The window closes: one more try for what waits; points that still cannot be written are
    // told in a message box.
    void writeTrackPointsOnClose();

    void buildControls();
    void wireControls();
    // The zoom slider and the map at this value (taken into the slider's range), redrawn.
    void zoomTo(int sliderValue);
    // Puts a value on the zoom slider without running its change handler.
    void setSliderQuietly(int value);
    // Keeps the view of the chart shown and shows the chart `name` (the first active one when
    // there is none of that name).
    void showChart(const QString& name);
    // The chart combo shows the current chart's name (without its change handler).
    void showCurrentChartName();
    // A step or the automatic change at the view's edge shows the chart `name`.
    void changeChartTo(const QString& name);
    // Rewrites kartendaten.crm with the current chart and the route shown.
    void writeLastMapFile();
    // Opens the GPS port on SavedComPort; false when it cannot be opened.
    bool openPort();
    void enterNoSignalMode();
    void showStatus(const QString& text);
    // The status pictures as the GPS switch says.
    void showGpsPictures();
    // Distance, course and time as the navigation holds them.
    void showTargetFigures();
    // The faces of the layer switches as the layer flags and the data files say.
    void showLayerSwitches();
    // The layers' inputs before a redraw, and what they decided shown after it.
    void prepareAirspaces();
    void showAirspaceBox();
    void prepareMovingMap();
    void showMovingMapResult();
    // The airspace and the airport file are open: their switches are there.
    bool airspaceFile_ = true;
    bool airportFile_ = true;

    // Hourglass while the port check runs.
    BusyCursor busy_;
    // The interpreter's events, once the fix has taken them in, go to the gps_* handlers.
    void PositionReceived(const std::string& latitude, const std::string& longitude,
                          const std::string& latraw, const std::string& longraw) override
    {
        gps_PositionReceived(latitude, longitude, latraw, longraw);
    }
    void SpeedReceived(const std::string& speed) override { gps_SpeedReceived(speed); }
    void BearingReceived(const std::string& bearing) override { gps_BearingReceived(bearing); }
    void AltitudeReceived(const std::string& altitude) override { gps_AltitudeReceived(altitude); }
    void DateChanged(const std::string& date) override { gps_DateChanged(date); }
    void SatellitesInViewReceived(int16_t n) override { gps_SatellitesInViewReceived(n); }
    void FixObtained() override { gps_FixObtained(); }
    void FixLost() override { gps_FixLost(); }
    // Heading and IAS as typed (lblHeading, lblIAS show them).
    WindEntry windEntry_;
    // The chart shown, the charts under the aircraft, the last chart file and the view memory.
    ChartChoice chart_;

    // data.tvd failing underneath: the redraws' reads are told once (DataFaultOnce), a route
    // pick or a refill of the route box that could not read keeps the route shown and says so.
    DataFaultOnce mapReadFault_;
    void reportMapReads();
};

} // namespace tv
