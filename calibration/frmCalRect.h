#pragma once

#include "calibration/ChartHemispheres.h"
#include "calibration/TwoPointCalibration.h"
#include "core/forms/Forms.h"
#include "map/MapView.h"

#include <QImage>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTableView;

namespace tv {

class MapPicture;
class RecordsetGridModel;
class Recordset;
class VbTimer;

// The two-point calibration window: the chart at full size in a zoomable, movable view; the
// pilot double-clicks two points of known position, types their coordinates (or takes them
// from a waypoint by quick find), and the chart's four edges are computed and handed back to
// the window that opened it, which stores them. A coordinate typed without a sign lies in the
// hemisphere the chart window shows for the edge nearer the point; each panel shows, below its
// boxes, the position that will be taken.
class frmCalRect : public DialogForm
{
    Q_OBJECT
public:
    // What the opener does with the computed edges: true when it stored them (this window then
    // says so and closes), false when it refused them and has said why (point 2 is unlocked for
    // another try).
    using TakeEdges = std::function<bool(const CalibrationResult& edges)>;

    frmCalRect();
    QString formName() const override { return QStringLiteral("frmCalRect"); }

    void Form_Load() override;
    void Form_Activate() override;

    // Loads the chart: `image` is the whole image as stored (no EXIF rotation), `headerWidth`
    // and `headerHeight` its size from the file header (above 0), and sets up the view.
    // `hemispheres` are those the chart window shows for the chart; `takeEdges` gets the
    // computed edges.
    void InitializeData(const QString& chartName, const QImage& image, int headerWidth,
                        int headerHeight, const ChartHemispheres& hemispheres, TakeEdges takeEdges);
    void Draw_Picture();

    // Handlers (named as they have always been).
    void SlideMap_Change();
    void SlideMap_Scroll();
    void SlideMap_MouseUp(double xTwips);
    void picMap_MouseDown(int button, double x, double y);
    void picMap_MouseMove(int button, double x, double y);
    void picMap_DblClick();
    void picMap_KeyPress(const QString& text);
    void Form_KeyDown(int key);
    void Form_KeyUp(int key);
    void timArr_Timer();
    void cmdSave1_Click();
    void cmdSave2_Click();
    void QuickFind(int point);
    void gridWay_RowColChange(int point, int row);
    void cmdExit_Click();

    const MapView& view() const { return mapView_; }
    // The cursor in image pixels (tx, ty) and the marked point (image pixels; empty: none).
    double tx() const { return tx_; }
    double ty() const { return ty_; }
    std::optional<QPointF> markedPoint() const { return mark_; }

    // Controls.
    MapPicture* picMap = nullptr;
    QSlider* SlideMap = nullptr;
    QLabel* Label3 = nullptr;
    std::array<QGroupBox*, 3> frmP{};  // [1], [2]
    std::array<QLineEdit*, 3> tLat{};  // [1], [2]
    std::array<QLineEdit*, 3> tLong{}; // [1], [2]
    std::array<QLineEdit*, 3> tQuickfind{};
    std::array<QTableView*, 3> gridWay{};
    std::array<QPushButton*, 3> cmdSave{};
    std::array<QLabel*, 3> latCaption{};  // Label5, Label18
    std::array<QLabel*, 3> longCaption{}; // Label6, Label17
    std::array<QLabel*, 3> example{};     // Label7, Label8
    std::array<QLabel*, 3> takenAs{};     // the position the boxes give, hemispheres first
    std::array<QLabel*, 3> findCaption{}; // Label4, Label19
    QPushButton* cmdExit = nullptr;
    VbTimer* timArr = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class PointState { None, Placed, Saved };
    struct Point
    {
        PointState state = PointState::None;
        double x = 0.0; // image pixels
        double y = 0.0;
        double lat = 0.0; // DD.MM as saved
        double lon = 0.0;
    };

    void buildControls();
    void buildPanel(int point);
    // What the window does with an event of one of its controls before the control sees it.
    void seeEvent(QObject* watched, QEvent* event);
    // Shows the entry panel of `point` (1 or 2) alone; 0 hides both.
    void showPanel(int point);
    void setPointColour(int point, PointState state);
    // A point's latitude or longitude as it will be taken, signed; empty when no number.
    std::optional<double> coordinate(int point, bool latitude) const;
    void showTakenAs(int point);
    bool savePoint(int point);
    void placePoint(int point);
    void unlockPoint2();
    void CalculateCalibration();
    void refreshSliderQuietly();

    QString chartName_;
    int headerWidth_ = 0;
    int headerHeight_ = 0;
    MapView mapView_{MapViewConstants::calibrationWindow()};
    double cursorX_ = 0.0;
    double cursorY_ = 0.0;
    double tx_ = 0.0;
    double ty_ = 0.0;
    std::optional<QPointF> mark_;
    bool up_ = false, down_ = false, left_ = false, right_ = false;
    std::array<Point, 3> points_{};
    int openPoint_ = 0; // the point whose entry panel is shown (frmP1, frmP2); 0: none
    ChartHemispheres hemispheres_;
    // The box holds a waypoint's stored coordinate, whose sign is its own, until the pilot types.
    std::array<bool, 3> latFromWaypoint_{};
    std::array<bool, 3> lonFromWaypoint_{};
    TakeEdges takeEdges_;
    std::array<std::shared_ptr<Recordset>, 3> quickFind_{};
    std::array<RecordsetGridModel*, 3> gridModel_{};
};

} // namespace tv
