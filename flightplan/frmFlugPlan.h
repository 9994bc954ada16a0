#pragma once

#include "core/forms/Forms.h"
#include "flightplan/FlightPlan.h"
#include "platform/Recordset.h"

#include <QColor>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <source_location>
#include <string>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPrinter;
class QPrintPreviewDialog;
class QPushButton;
class QTableView;

namespace tv {

class DbError;
class RecordsetGridModel;
struct GridCellVerdict;
struct GridColumn;

// The flight-plan window: a route's navigation log with per-leg edits, kept per route in
// Flugplan/<route name>, and printed through the report. The arithmetic is FlightPlan.h's;
// this class reads the controls, calls it and shows the result.
class frmFlugPlan : public MdiForm
{
    Q_OBJECT
public:
    frmFlugPlan();
    ~frmFlugPlan() override;
    QString formName() const override { return QStringLiteral("frmFlugPlan"); }

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Deactivate() override;
    void Form_Unload() override;

    void cmbRoute_Click();
    void cmdCalc_Click();
    void cmdRevert_Click();
    void cmdPreview_Click();
    // A value typed into the grid is checked (a refused one gets the message and the cell
    // keeps its old value), stored by the grid, and then every leg is computed again.
    GridCellVerdict gridFlug_Check(int row, const GridColumn& c, const QString& text);
    void gridFlug_AfterEdit();
    void ResizeGrid();
    void SetLanguage();

    // Paints the report's pages onto `printer`; false when the printer cannot be painted on.
    bool printReport(QPrinter& printer);

    // Test hook: shows the print preview instead of QPrintPreviewDialog::exec (which waits for
    // a person). Empty: the dialog is shown modally.
    using PreviewRunner = std::function<void(QPrintPreviewDialog&)>;
    static PreviewRunner& previewRunner();

    // The plan shown, or nullptr when none is (never built, or the last build for another
    // route stopped).
    Recordset* plan() { return havePlan_ ? &plan_ : nullptr; }
    // Name of the route whose plan is shown ("" for none).
    const std::string& planRouteName() const { return planRouteName_; }

    // Entry-box colours: valid and marked as the failing box.
    static QColor validBoxColour();
    static QColor failingBoxColour();

    QLabel* lblStrecke = nullptr;
    QComboBox* cmbRoute = nullptr;
    QFrame* Frame2 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* tVAR = nullptr;
    QLineEdit* tFF = nullptr;
    QLineEdit* tSpeed = nullptr;
    QLineEdit* tWinddir = nullptr;
    QLineEdit* tWindspeed = nullptr;
    QPushButton* cmdCalc = nullptr;
    QPushButton* cmdRevert = nullptr;
    QPushButton* cmdPreview = nullptr;
    QLabel* lblWindinfo = nullptr;
    QLabel* lblAvgWind = nullptr;
    QTableView* gridFlug = nullptr;
    QFrame* Frame1 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* lblDistanz = nullptr;
    QLabel* lblZeit = nullptr;
    QLabel* lblFF = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void LoadFlightPlanDefaults();
    void BuildFlightPlan();
    void SaveFlightPlan();
    // The saved plan of a route; a damaged file is set aside with a word to the pilot.
    SavedPlan savedPlanOf(const std::string& routeName);
    void saveEntryValues();
    // The route box shows shownRouteId_ again (after a pick whose route could not be read).
    void showRouteOfPlan();
    void dataFileFailed(const QString& what, const DbError& error);
    void clearPlan();
    void showLabels(const PlanLabels& labels, bool withDistance);
    void fitButtonRow();
    std::array<QLineEdit*, 5> boxes() const;
    void markBox(int box);
    // Runs a handler so that a failure reaches the pilot as a message and the log, never the
    // event loop.
    template <class F>
    void runHandler(F&& handler, std::source_location where = std::source_location::current());

    Recordset routeList_;
    Recordset plan_;
    bool havePlan_ = false;
    std::int64_t planRouteId_ = 0;
    std::string planRouteName_;
    // The totals lblDistanz, lblFF, lblZeit and lblAvgWind show; the report prints them.
    PlanLabels labels_;
    // The route whose plan (or lack of one) the window shows; the route box is written from it
    // and it is chosen again when the window comes back.
    std::optional<std::int64_t> shownRouteId_;
    double course_ = 0; // kept from leg to leg and plan to plan, see buildFlightPlan
    bool calculate_ = false;
    bool filling_ = false;
    RecordsetGridModel* model_ = nullptr;
    // Damaged plan files already reported that could not be set aside.
    std::set<std::string> damagedReported_;
    // Routes whose names are too long for a plan file, told once a session.
    std::set<std::string> nameTooLongReported_;
};

} // namespace tv
