#pragma once

#include "calibration/ChartHemispheres.h"
#include "calibration/ChartSave.h"
#include "calibration/TwoPointCalibration.h"
#include "core/forms/Forms.h"
#include "map/ActiveCharts.h"
#include "platform/DbError.h"

#include <QImage>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTableView;

namespace tv {

class Recordset;
class RecordsetGridModel;

// The map calibration window ("Kartendaten" / "Map Data"), one of the main frame's mode
// windows: the chart images of Karten with a tick per active chart, the image size, a preview,
// the four edges with their hemisphere selectors, and the active charts (gridMaps).
class frmCalibrate : public MdiForm
{
    Q_OBJECT
public:
    frmCalibrate();
    QString formName() const override { return QStringLiteral("frmCalibrate"); }

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Deactivate() override;
    void Form_Unload() override;

    // The save of the edges shown for the current chart. True when the calibration file and
    // the Maps row were written; otherwise a message has said why and nothing changed.
    bool cmdSpeichern_Click();

    void FillMapList();
    void ShowMapData();
    void listKarten_Click();
    void listKarten_ItemCheck(int item);
    void cmdCalibrate_Click();
    void chkVorschau_Click();

    // Controls (names as the window has always had them).
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QLineEdit* tPath = nullptr;
    QListWidget* listKarten = nullptr;
    QTableView* gridMaps = nullptr;
    QCheckBox* chkVorschau = nullptr;
    QPushButton* cmdFillList = nullptr;
    QPushButton* cmdCalibrate = nullptr;
    QPushButton* cmdSpeichern = nullptr;
    QLabel* picMap = nullptr;
    std::array<QLineEdit*, 4> tKarten{};
    std::array<QComboBox*, 4> cmbLatLong{};
    QLabel* lblBreite = nullptr;
    QLabel* lblHoehe = nullptr;
    std::array<QLabel*, 12> Label{}; // Label1 .. Label11 at their numbers; [0] unused

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void SetLanguage();
    void LoadLatSettings();
    void setEdgeColours(uint32_t bgr);
    void emptyEdgesAndSize();
    // The chart's stored edges: magnitudes into the boxes, signs into the hemispheres.
    void showEdges(const std::array<std::optional<double>, 4>& edges);
    void showHemispheres();
    void showPreview(const QString& name);
    // ShowMapData without its message: the read that failed when the chart's row could not be
    // read (the edges are then empty), for the caller to tell in its own words.
    std::optional<DbError> showChart();
    // Reads the window's own set of active charts anew and shows it in gridMaps.
    void requeryActiveMaps();
    EdgeEntry currentEntry() const;
    QString currentChart() const;
    void setCheck(int item, bool checked);
    void dataError(bool nameTooLong = false);
    // What the two-point calibration window hands back: the four edges go into the boxes
    // (magnitudes in the user's format; each hemisphere follows its edge's sign, which comes
    // from what the pilot typed or saw), then the save runs, and after a successful save a
    // ticked chart is ticked again. True when saved.
    bool takeTwoPointEdges(const CalibrationResult& edges);

    // The active charts by name, this window's own set: the flight window reads its own.
    ActiveCharts activeCharts_;
    RecordsetGridModel* gridModel_ = nullptr;
    // The shown chart's size in pixels (lblBreite, lblHoehe); empty when none was read.
    std::optional<int32_t> widthPx_;
    std::optional<int32_t> heightPx_;
    // The hemispheres of the chart shown; the selectors cmbLatLong are written from them.
    ChartHemispheres hemispheres_;
    QString lastChartName_;
    bool shownByRowChange_ = false;
};

} // namespace tv
