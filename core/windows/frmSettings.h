#pragma once

// The settings window: GPS port and its live test, language, aircraft symbol, track logger,
// QNH and the waypoint categories. Leaving the window applies and saves the QNH and the track
// logger settings; language and symbol are saved the moment they are clicked.

#include "core/forms/BusyCursor.h"
#include "core/forms/Forms.h"
#include "gps/VB6NmeaInterpreter.h"
#include "platform/LineAssembler.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSerialPort;
class QTableView;

namespace tv {

class VbTimer;
class CategoryTableModel;
class DbError;
class Recordset;

class frmSettings : public MdiForm, private NmeaEvents
{
    Q_OBJECT
public:
    explicit frmSettings(QWidget* parent = nullptr);
    ~frmSettings() override;

    QString formName() const override { return QStringLiteral("frmSettings"); }
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Deactivate() override;
    void Form_Unload() override;

    // "COM Setup"
    QGroupBox* Frame1 = nullptr;
    QComboBox* cmbCom = nullptr;
    QComboBox* cmbBaud = nullptr;
    QPushButton* cmdCheck = nullptr;
    QLabel* lblStatus = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label6 = nullptr;

    // "GPS Verbindungsstatus": what the port test receives and decodes
    QGroupBox* frmGPS = nullptr;
    QLineEdit* tGPS = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* lblComVerbindung = nullptr;
    QLabel* lblLat = nullptr;
    QLabel* lblLong = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* LabelStatus = nullptr;

    QGroupBox* frameLanguage = nullptr;
    QRadioButton* OptGer = nullptr;
    QRadioButton* OptEng = nullptr;

    QGroupBox* frameFlugzeug = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QLabel* Picture1 = nullptr;
    QLabel* Picture2 = nullptr;

    // "TRACK Logger"; the main frame hides it when the track file cannot be opened
    QGroupBox* Frame4 = nullptr;
    QCheckBox* chkTrack = nullptr;
    QComboBox* cmbTrack = nullptr; // interval in seconds, editable
    QLabel* Label5 = nullptr;
    QLabel* Label4 = nullptr;
    QCheckBox* chkAutoOn = nullptr;
    QPushButton* cmdTrack = nullptr;

    // Airspace warning; the main frame hides it when the airspace file cannot be opened. The
    // flight window reads tQNH (hPa) when it becomes active.
    QGroupBox* frmLuftraum = nullptr;
    QLineEdit* tQNH = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label9 = nullptr;

    // "Wegpunkt Kategorien"
    QGroupBox* Frame2 = nullptr;
    QTableView* gridKategorie = nullptr;
    QLineEdit* tKategorie = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdChange = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdManager = nullptr;

    // "Datenimport"
    QGroupBox* Frame3 = nullptr;
    QPushButton* cmdGetWaypoint = nullptr;

    // The port test's verdict timer (1 s ticks) and its serial port.
    VbTimer* timerCheck = nullptr;
    QSerialPort* MSComm1 = nullptr;

    // Baud-rate text of the last test ("4800").
    QString SelectedBaud = QStringLiteral("4800");

    // Handlers, named as the program has always named them.
    void SetLanguage();
    void OptGer_Click();
    void OptEng_Click();
    void Option1_Click();
    void Option2_Click();
    void chkTrack_Click();
    void chkAutoOn_Click();
    void tQNH_DblClick();
    void cmdManager_Click();
    void cmdTrack_Click();
    void cmdGetWaypoint_Click();

    // Port test.
    void cmdCheck_Click();
    // A notification of the serial port: kComEvReceive when text arrived, any other code for
    // line changes and errors.
    static constexpr int kComEvReceive = 2;
    void MSComm1_OnComm(int CommEvent);
    void HandleInput(const QByteArray& Sinput);
    void timerCheck_Timer();
    void ResetGpsStatus();

    // Waypoint categories.
    void cmdAdd_Click();
    void cmdChange_Click();
    void cmdDelete_Click();
    void gridKategorie_HeadClick(int column);
    void gridKategorie_RowColChange();
    void tKategorie_DblClick();
    void tKategorie_KeyUp(int keyCode);

    // The category currently selected in the grid ("" with none), and its 1-based place.
    QString selectedCategory() const;
    int selectedCategoryPosition() const;

    // True while the hourglass of a port test is shown.
    bool portTestBusy() const { return busy_.active(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // NmeaEvents of the window's own interpreter.
    void FixLost() override { gps_FixLost(); }
    void FixObtained() override { gps_FixObtained(); }
    void SatellitesInViewReceived(int16_t n) override { gps_SatellitesInViewReceived(n); }
    void PositionReceived(const std::string& latitude, const std::string& longitude,
                          const std::string& latraw, const std::string& longraw) override;
    void SatellitesUsedReceived(int16_t n) override { gps_SatellitesUsedReceived(n); }

    void gps_FixLost();
    void gps_FixObtained();
    void gps_SatellitesInViewReceived(int16_t satellitesInView);
    void gps_PositionReceived(const QString& latitude, const QString& longitude);
    void gps_SatellitesUsedReceived(int16_t satellitesUsed);

    void buildControls(); // frmSettingsLayout.cpp
    void connectHandlers();
    bool openPort();
    void closePort();
    void stopPortTest();
    void loadComSettings();
    // The track logger and airspace warning frames go when their data file is missing.
    void hideFramesOfMissingFiles();
    void loadTrackSettings();
    void saveTrackSettings();
    void applyQnh();
    // A category change could not be written: says so for each change, naming the file and
    // the reason.
    void reportCategoryUnsaved(const DbError& error);
    // The interval box held no time above 0 with the logger on: says which interval stays.
    void reportRefusedInterval(const QString& typed, const QString& keptSeconds);
    void selectCategoryRow(long position);
    void onSerialError(int error);
    // Reads the categories again (opens them when they could never be read) and selects the
    // row at `selectPosition`. A read that fails keeps the rows read last and is told unless
    // `tellFailure` is false (the action told its own failure already). True when read.
    bool refreshCategories(long selectPosition, bool tellFailure = true);
    // The categories are read, or the pilot was told why not.
    bool categoriesRead();
    bool english() const;

    VB6NmeaInterpreter gps;
    LineAssembler LineBuffer;
    bool DataReceived = false; // data came in this test: lblComVerbindung shows green
    bool NoFix = false;
    int16_t SatellitesUsed = 0; // the last count of satellites used (Label7)
    // The track logger frame is offered: hidden for the run once the track file was missing.
    bool trackFrameShown_ = true;
    int16_t SignalCheckCountdown = 0;
    BusyCursor busy_;

    // The categories as listed (kCategoryListSql); its current row is the grid's selection.
    std::unique_ptr<Recordset> CategoryRS;
    CategoryTableModel* categoryModel_ = nullptr;
    bool SkipRowCopy = false;
    // Files whose failed save was reported during this visit of the window.
};

} // namespace tv
