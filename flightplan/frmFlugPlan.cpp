#include "flightplan/frmFlugPlan.h"

#include "core/HandlerGuard.h"
#include "core/NumberFormat.h"
#include "core/SafeFileName.h"
#include "core/SettingsFile.h"
#include "core/Variablen.h"
#include "core/forms/MsgBox.h"
#include "core/forms/RecordsetGridModel.h"
#include "core/windows/WindowLook.h"
#include "core/windows/frmInfo2.h"
#include "flightplan/FlightPlan.h"
#include "flightplan/FlightPlanMath.h"
#include "flightplan/FlightPlanReport.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/ProgramFolder.h"
#include "route/RouteData.h"

#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <system_error>
#include <vector>

namespace tv {
namespace {

// Places are given in twips as the window was designed; 15 twips make a pixel.
int px(int twips)
{
    return twips / 15;
}
void place(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(px(left), px(top), px(width), px(height));
}

const QColor kWindowBlue = fromBgr(0x800000);
const QColor kYellow = fromBgr(0x00FFFF);
const QColor kValueBack = fromBgr(0xFFC0C0);

constexpr int kGridTopTwips = 2280;
constexpr std::array<int, 13> kColumnTwips{500, 2000, 800, 900, 900, 900, 900,
                                           900, 900,  900, 900, 900, 900};

// The log grid shows every field of the plan row; each cell may be typed over (the check
// decides). The waypoint name reads from the left, the numbers are centred.
std::vector<GridColumn> planGridColumns()
{
    std::vector<GridColumn> columns;
    for (const char* field : kPlanGridFields)
        columns.push_back({QString::fromUtf8(field), QString(), false, Qt::AlignCenter});
    columns[1].alignment = Qt::AlignLeft | Qt::AlignVCenter;
    return columns;
}

const char* const kDefaults[5] = {"0", "20", "120", "0", "0"};

QLabel* yellowLabel(QWidget* parent, const QString& text)
{
    auto* l = new QLabel(text, parent);
    paintText(l, kYellow);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

QLabel* valueLabel(QWidget* parent)
{
    auto* l = new QLabel(parent);
    paintBackground(l, kValueBack);
    l->setFrameShape(QFrame::Box);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

void paintBox(QLineEdit* box, QColor colour)
{
    QPalette p = box->palette();
    p.setColor(QPalette::Base, colour);
    box->setPalette(p);
}

QString german(const char* de, const char* en)
{
    return QString::fromUtf8(Language == 0 ? de : en);
}

} // namespace

QColor frmFlugPlan::validBoxColour()
{
    return fromBgr(0x80FFFF);
}
QColor frmFlugPlan::failingBoxColour()
{
    return fromBgr(0xC0C0FF);
}

frmFlugPlan::frmFlugPlan()
{
    buildControls();
}

frmFlugPlan::~frmFlugPlan() = default;

template <class F> void frmFlugPlan::runHandler(F&& handler, std::source_location where)
{
    // The fault is logged by the guard; the pilot learns that the action did not complete.
    if (!guarded(std::forward<F>(handler), where))
        MsgBox(german("Der Flugplan konnte nicht bearbeitet werden.",
                      "The flight plan could not be processed."),
               german("Datenfehler", "Data error"), MsgButtons::Ok, this);
}

void frmFlugPlan::buildControls()
{
    setWindowTitle(QStringLiteral("Flugplan"));
    paintBackground(this, kWindowBlue);
    resize(px(16695), px(8190));
    // The controls were laid out for an 8-point system font.
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);

    lblStrecke = yellowLabel(this, QStringLiteral("Strecke"));
    lblStrecke->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    place(lblStrecke, 480, 435, 3015, 255);
    cmbRoute = new QComboBox(this);
    place(cmbRoute, 480, 720, 3015, 360);

    Frame2 = new QFrame(this);
    paintBackground(Frame2, kWindowBlue);
    Frame2->setFrameShape(QFrame::Box);
    place(Frame2, 480, 1140, 7215, 1095);
    Label7 = yellowLabel(Frame2, QStringLiteral("VAR"));
    Label2 = yellowLabel(Frame2, QStringLiteral("FF / h"));
    Label1 = yellowLabel(Frame2, QStringLiteral("TAS"));
    Label6 = yellowLabel(Frame2, QStringLiteral("Wind"));
    place(Label7, 120, 240, 855, 255);
    place(Label2, 1080, 240, 855, 255);
    place(Label1, 2040, 240, 975, 255);
    place(Label6, 3120, 240, 1215, 255);
    const std::array<int, 5> lefts{120, 1080, 2040, 3120, 3720};
    const std::array<int, 5> widths{855, 855, 975, 615, 615};
    std::array<QLineEdit**, 5> targets{&tVAR, &tFF, &tSpeed, &tWinddir, &tWindspeed};
    for (std::size_t i = 0; i < targets.size(); ++i) {
        auto* box = new QLineEdit(Frame2);
        box->setAlignment(Qt::AlignCenter);
        paintBox(box, validBoxColour());
        place(box, lefts[i], 525, widths[i], 360);
        box->installEventFilter(this);
        *targets[i] = box;
    }
    cmdCalc = new QPushButton(Frame2);
    paintBackground(cmdCalc, fromBgr(0xFF8080));
    place(cmdCalc, 4560, 240, 1575, 735);
    cmdRevert = new QPushButton(Frame2);
    paintBackground(cmdRevert, fromBgr(0xFFC0FF));
    place(cmdRevert, 6240, 240, 855, 735);

    cmdPreview = new QPushButton(QStringLiteral("Drucken"), this);
    paintBackground(cmdPreview, fromBgr(0x80FF80));
    place(cmdPreview, 7800, 1320, 1695, 855);
    cmdPreview->setEnabled(false);

    lblWindinfo = yellowLabel(this, QStringLiteral("Windinfo"));
    place(lblWindinfo, 11520, 1440, 1815, 255);
    lblAvgWind = valueLabel(this);
    place(lblAvgWind, 11520, 1800, 1815, 375);

    gridFlug = new QTableView(this);
    model_ = new RecordsetGridModel(planGridColumns(), gridFlug);
    // Numbers are shown with the decimal mark of the settings, the heading in whole degrees.
    model_->setCellFormat([this](const GridColumn& c, const Value& v) {
        if (!v.isNumber())
            return QString::fromStdString(v.toString());
        if (c.field == QStringLiteral("MH"))
            return QString::fromStdString(wholeDegreesText(v.toDouble()));
        return QString::fromStdString(numberText(v.toDouble(), userDecimalMark()));
    });
    model_->setCellCheck([this](int row, const GridColumn& c, const QString& text) {
        return gridFlug_Check(row, c, text);
    });
    model_->onCellStored([this](int, int) { gridFlug_AfterEdit(); });
    gridFlug->setModel(model_);
    gridFlug->verticalHeader()->setVisible(false);
    gridFlug->verticalHeader()->setDefaultSectionSize(px(300));
    gridFlug->horizontalHeader()->setFixedHeight(px(600));
    // Captions such as "   TAS       [ kts ]" break into a title and a unit line.
    gridFlug->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter |
                                                      Qt::Alignment(Qt::TextWordWrap));
    gridFlug->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
    place(gridFlug, 480, kGridTopTwips, 12855, 3015);

    Frame1 = new QFrame(this);
    paintBackground(Frame1, kWindowBlue);
    Frame1->setFrameShape(QFrame::Box);
    place(Frame1, 8760, 5280, 4575, 1095);
    Label5 = yellowLabel(Frame1, QStringLiteral("Distanz"));
    Label3 = yellowLabel(Frame1, QStringLiteral("Flugzeit"));
    Label4 = yellowLabel(Frame1, QStringLiteral("Gesamt FF"));
    place(Label5, 120, 240, 1455, 255);
    place(Label3, 1680, 240, 1455, 255);
    place(Label4, 3240, 240, 1215, 255);
    lblDistanz = valueLabel(Frame1);
    lblZeit = valueLabel(Frame1);
    lblFF = valueLabel(Frame1);
    place(lblDistanz, 120, 525, 1455, 375);
    place(lblZeit, 1680, 525, 1455, 375);
    place(lblFF, 3240, 525, 1215, 375);

    connect(cmbRoute, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_)
            guarded([this] { cmbRoute_Click(); });
    });
    connect(cmdCalc, &QPushButton::clicked, this, [this] { guarded([this] { cmdCalc_Click(); }); });
    connect(cmdRevert, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdRevert_Click(); }); });
    connect(cmdPreview, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdPreview_Click(); }); });
    SetLanguage();
}

// --- life cycle -------------------------------------------------------------------------------

void frmFlugPlan::Form_Load()
{
    runHandler([this] {
        // The route list is read when the window is activated, which follows at once.
        for (std::size_t c = 0; c < kColumnTwips.size(); ++c)
            gridFlug->setColumnWidth(static_cast<int>(c), px(kColumnTwips[c]));
    });
    LoadFlightPlanDefaults();
}

void frmFlugPlan::LoadFlightPlanDefaults()
{
    const auto path = programFolder() / "fplan.crm";
    SettingsReader in(path);
    std::array<std::string, 5> texts;
    for (std::string& t : texts)
        t = in.readText().value_or("");
    if (!in.ok()) {
        SettingsWriter out;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            texts[i] = kDefaults[i];
            out.writeText(texts[i]);
        }
        if (!out.save(path))
            MsgBox(german("Die Datei konnte nicht geschrieben werden:\n",
                          "The file could not be written:\n") +
                       QString::fromStdString(path.string()),
                   german("Datenfehler", "Data error"), MsgButtons::Ok, this);
    }
    const auto b = boxes();
    for (std::size_t i = 0; i < b.size(); ++i)
        b[i]->setText(QString::fromStdString(texts[i]));
}

void frmFlugPlan::Form_Activate()
{
    bool refilled = false;
    runHandler([this, &refilled] {
        SetLanguage();
        try {
            if (routeList_.State() != Recordset::kStateOpen) {
                if (!MainConnection)
                    return;
                openRouteList(routeList_, *MainConnection);
            } else {
                routeList_.Requery();
            }
        } catch (const DbError& e) {
            // The route box and the plan stay as they were; the next visit reads again.
            dataFileFailed(german("Die Streckenliste konnte nicht gelesen werden.",
                                  "The route list could not be read."),
                           e);
            return;
        }
        if (routeList_.RecordCount() < 1)
            return; // the route box keeps what it showed, nothing is built
        filling_ = true;
        cmbRoute->clear();
        int choose = 0;
        for (routeList_.MoveFirst(); !routeList_.Eof(); routeList_.MoveNext()) {
            const std::int64_t id = routeList_.Field("RouteID").toInt();
            if (shownRouteId_ && *shownRouteId_ == id)
                choose = cmbRoute->count();
            cmbRoute->addItem(QString::fromStdString(routeList_.Field("Name").toString()),
                              QVariant::fromValue<qlonglong>(id));
        }
        cmbRoute->setCurrentIndex(choose);
        refilled = true;
    });
    filling_ = false;
    // The route shown when the window was left (or the first): the plan shown so far is saved
    // and this route's plan built.
    if (refilled)
        cmbRoute_Click();
}

void frmFlugPlan::Form_Deactivate()
{
    SaveFlightPlan();
    saveEntryValues();
}

void frmFlugPlan::Form_Unload()
{
    SaveFlightPlan();
}

void frmFlugPlan::saveEntryValues()
{
    SettingsWriter out;
    for (QLineEdit* box : boxes())
        out.writeText(box->text().toStdString());
    const auto path = programFolder() / "fplan.crm";
    if (!out.save(path))
        MsgBox(german("Die Datei konnte nicht geschrieben werden:\n",
                      "The file could not be written:\n") +
                   QString::fromStdString(path.string()),
               german("Datenfehler", "Data error"), MsgButtons::Ok, this);
}

// --- the plan ---------------------------------------------------------------------------------

void frmFlugPlan::cmbRoute_Click()
{
    SaveFlightPlan(); // the plan shown so far, under its own route
    BuildFlightPlan();
}

void frmFlugPlan::cmdCalc_Click()
{
    calculate_ = true;
    BuildFlightPlan();
    calculate_ = false;
}

void frmFlugPlan::cmdRevert_Click()
{
    BuildFlightPlan();
}

SavedPlan frmFlugPlan::savedPlanOf(const std::string& routeName)
{
    const auto file = flightPlanFile(programFolder(), routeName);
    SavedPlan saved = readSavedPlan(file);
    if (saved.state != SavedPlan::State::Damaged)
        return saved;
    // Told once: the damaged file goes aside, so the next reading finds none. A file that
    // cannot be moved is remembered instead.
    if (!damagedReported_.insert(file.string()).second)
        return saved;
    const QString unread = QStringLiteral("Der gespeicherte Flugplan der Strecke - ") +
                           QString::fromStdString(routeName) +
                           QStringLiteral(" - konnte nicht gelesen werden.");
    if (const auto aside = setDamagedPlanAside(file)) {
        damagedReported_.erase(file.string());
        MsgBox(unread + QStringLiteral(" Die beschädigte Datei bleibt erhalten als:\n") +
                   QString::fromStdString(aside->string()),
               QStringLiteral("Datenfehler"), MsgButtons::Ok, this);
    } else {
        MsgBox(unread +
                   QStringLiteral(" Die beschädigte Datei kann nicht beiseitegelegt werden; sie "
                                  "wird nicht überschrieben, der Flugplan der Strecke nicht "
                                  "gespeichert:\n") +
                   QString::fromStdString(file.string()),
               QStringLiteral("Datenfehler"), MsgButtons::Ok, this);
    }
    return saved;
}

void frmFlugPlan::SaveFlightPlan()
{
    if (!havePlan_)
        return;
    // A saved plan that cannot be read is set aside before it would be replaced, and never
    // replaced when it cannot be set aside.
    std::error_code ec;
    if (savedPlanOf(planRouteName_).state == SavedPlan::State::Damaged &&
        std::filesystem::exists(flightPlanFile(programFolder(), planRouteName_), ec))
        return;
    const auto file = flightPlanFile(programFolder(), planRouteName_);
    const PlanSave saved = saveFlightPlan(plan_, file);
    if (saved == PlanSave::NameTooLong) {
        // Nothing the pilot can do but rename the route: told once, not at every visit.
        if (nameTooLongReported_.insert(planRouteName_).second)
            MsgBox(german("Der Flugplan kann nicht gespeichert werden: der Name der Strecke ist ",
                          "The flight plan cannot be saved: the route name is ") +
                       QString::fromStdString(fileNameTooLongReason(Language)) +
                       QStringLiteral("."),
                   german("Datenfehler", "Data error"), MsgButtons::Ok, this);
    } else if (saved == PlanSave::Failed) {
        MsgBox(german("Der Flugplan konnte nicht gespeichert werden; die alte Datei bleibt:\n",
                      "The flight plan could not be saved; the old file is kept:\n") +
                   QString::fromStdString(file.string()),
               german("Datenfehler", "Data error"), MsgButtons::Ok, this);
    }
}

void frmFlugPlan::showRouteOfPlan()
{
    const int i =
        shownRouteId_ ? cmbRoute->findData(QVariant::fromValue<qlonglong>(*shownRouteId_)) : -1;
    filling_ = true;
    cmbRoute->setCurrentIndex(i);
    filling_ = false;
}

void frmFlugPlan::dataFileFailed(const QString& what, const DbError& error)
{
    MsgBox(withDataFault(what, error), german("Datenfehler", "Data error"), MsgButtons::Ok, this);
}

void frmFlugPlan::clearPlan()
{
    plan_ = Recordset();
    havePlan_ = false;
    planRouteId_ = 0;
    planRouteName_.clear();
    model_->bind(nullptr);
    labels_ = {};
    for (QLabel* l : {lblDistanz, lblZeit, lblFF, lblAvgWind})
        l->clear();
    cmdPreview->setEnabled(false);
}

void frmFlugPlan::BuildFlightPlan()
{
    runHandler([this] {
        // The chosen route, by its key: a route may be named like any other.
        if (cmbRoute->currentIndex() < 0 || routeList_.State() != Recordset::kStateOpen ||
            !MainConnection)
            return;
        const std::int64_t routeId = cmbRoute->currentData().toLongLong();
        std::optional<std::string> routeName;
        for (routeList_.MoveFirst(); !routeList_.Eof(); routeList_.MoveNext()) {
            if (routeList_.Field("RouteID").toInt() == routeId) {
                routeName = routeList_.Field("Name").toString();
                break;
            }
        }
        if (!routeName)
            return;
        // A stop for another route than the one shown leaves no plan: the old one belongs to
        // its own route and must not be saved under this one.
        const bool sameRoute = havePlan_ && planRouteId_ == routeId;

        const auto texts = boxes();
        EntryTexts entry;
        for (std::size_t i = 0; i < texts.size(); ++i)
            entry[i] = texts[i]->text().toStdString();
        const EntryCheck check = checkEntries(entry);
        if (!check.ok) {
            MsgBox(QStringLiteral("Fehler in der Dateneingabe..."), QStringLiteral("Datenfehler"),
                   MsgButtons::Ok, this);
            markBox(check.failingBox);
            if (!sameRoute)
                clearPlan();
            shownRouteId_ = routeId;
            return;
        }
        for (QLineEdit* box : texts)
            paintBox(box, validBoxColour());

        PlanInput input;
        try {
            input.points = routePlanPoints(*MainConnection, routeId);
        } catch (const DbError& e) {
            // What the window shows belongs together: the route box goes back to the route of
            // the plan (or of its absence) shown, which stays as it was.
            showRouteOfPlan();
            dataFileFailed(havePlan_ ? german("Die Strecke konnte nicht gelesen werden; der "
                                              "angezeigte Flugplan bleibt unverändert.",
                                              "The route could not be read; the flight plan "
                                              "shown stays unchanged.")
                                     : german("Die Strecke konnte nicht gelesen werden.",
                                              "The route could not be read."),
                           e);
            return;
        }
        shownRouteId_ = routeId;
        if (input.points.empty()) {
            MsgBox(QStringLiteral("Flugstrecke - ") + cmbRoute->currentText() +
                       QStringLiteral(" - enthält keine Wegpunkte..."),
                   QString(), MsgButtons::Ok, this);
            clearPlan();
            return;
        }
        const SavedPlan saved = calculate_ ? SavedPlan{} : savedPlanOf(*routeName);
        input.boxes = check.values;
        input.saved = saved.state == SavedPlan::State::Read ? &saved.entries : nullptr;
        input.calculate = calculate_;
        input.decimalMark = userDecimalMark();

        PlanResult built = buildFlightPlan(input, course_);
        if (built.status != PlanResult::Status::Built) {
            MsgBox(QStringLiteral("Fehler in der Dateneingabe..."), QStringLiteral("Datenfehler"),
                   MsgButtons::Ok, this);
            // The fuel of a built plan follows the fuel-flow box; time and ground speed follow
            // TAS when the leg took the boxes' values.
            if (built.fault == LegFault::TooMuchFuel)
                markBox(BoxFF);
            else if (built.failingLegFromBoxes)
                markBox(BoxSpeed);
            if (!sameRoute)
                clearPlan();
            return;
        }
        plan_ = std::move(built.plan);
        havePlan_ = true;
        planRouteId_ = routeId;
        planRouteName_ = *routeName;
        showLabels(built.labels, true);
        ResizeGrid();
        model_->bind(&plan_);
        cmdPreview->setEnabled(true);
    });
}

void frmFlugPlan::showLabels(const PlanLabels& labels, bool withDistance)
{
    const std::string distance = withDistance ? labels.distance : labels_.distance;
    labels_ = labels;
    labels_.distance = distance;
    lblDistanz->setText(QString::fromStdString(labels_.distance));
    lblFF->setText(QString::fromStdString(labels_.fuel));
    lblZeit->setText(QString::fromStdString(labels_.time));
    lblAvgWind->setText(QString::fromStdString(labels_.avgWind));
}

GridCellVerdict frmFlugPlan::gridFlug_Check(int row, const GridColumn& c, const QString& text)
{
    GridCellVerdict verdict;
    if (!havePlan_)
        return verdict;
    const auto field = std::find_if(kPlanGridFields.begin(), kPlanGridFields.end(),
                                    [&](const char* f) { return c.field == QString::fromUtf8(f); });
    bool ran = false;
    runHandler([&] {
        verdict.value = acceptCellEdit(
            plan_, row + 1, static_cast<int>(field - kPlanGridFields.begin()), text.toStdString());
        ran = true;
    });
    if (ran && !verdict.value) {
        verdict.message = QStringLiteral("Fehler in der Dateneingabe");
        verdict.title = QStringLiteral("Datenfehler");
    }
    return verdict;
}

void frmFlugPlan::gridFlug_AfterEdit()
{
    runHandler([&] {
        // Whatever was edited, every leg is computed again from its own values.
        if (const auto labels = recomputeFlightPlan(plan_, userDecimalMark()))
            showLabels(*labels, false);
        model_->reread();
    });
}

// --- layout and captions ----------------------------------------------------------------------

void frmFlugPlan::resizeEvent(QResizeEvent* event)
{
    MdiForm::resizeEvent(event);
    ResizeGrid();
}

void frmFlugPlan::ResizeGrid()
{
    if (!havePlan_)
        return;
    const auto h = gridHeightTwips(plan_.RecordCount(), kGridTopTwips,
                                   static_cast<std::int64_t>(height()) * 15);
    if (!h)
        return;
    gridFlug->resize(gridFlug->width(), px(static_cast<int>(*h)));
    Frame1->move(Frame1->x(), gridFlug->y() + gridFlug->height());
}

void frmFlugPlan::SetLanguage()
{
    const bool de = Language == 0;
    setWindowTitle(de ? QStringLiteral("Flugplan") : QStringLiteral("Flightplan"));
    lblStrecke->setText(de ? QStringLiteral("Strecke auswählen") : QStringLiteral("Select Route"));
    cmdCalc->setText(de ? QStringLiteral("Flugplan berechnen")
                        : QStringLiteral("Calculate flightplan"));
    lblWindinfo->setText(de ? QStringLiteral("Windinfo") : QStringLiteral("Avg Wind"));
    cmdPreview->setText(de ? QStringLiteral("Drucken") : QStringLiteral("Print"));
    cmdRevert->setToolTip(de ? QStringLiteral("Berechnung rückgängig")
                             : QStringLiteral("Cancel calculation"));
    Label3->setText(de ? QStringLiteral("Flugzeit") : QStringLiteral("Flighttime"));
    Label4->setText(de ? QStringLiteral("Gesamt FF") : QStringLiteral("Total FF"));
    Label5->setText(de ? QStringLiteral("Distanz") : QStringLiteral("Distance"));
    const QStringList captions{
        QStringLiteral(" Nr."),
        de ? QStringLiteral("        Wegpunkt") : QStringLiteral("        Waypoint"),
        QStringLiteral("   VAR"),
        QStringLiteral("  FF / h"),
        QStringLiteral("   TAS       [ kts ]"),
        de ? QStringLiteral("   Wind    Richtung") : QStringLiteral("   Wind    Direction"),
        de ? QStringLiteral("   Wind      Stärke") : QStringLiteral("   Wind      Speed"),
        QStringLiteral("     TC"),
        QStringLiteral("     MH"),
        QStringLiteral("     GS        [ kts ]"),
        de ? QStringLiteral("  Distanz     [ NM ]") : QStringLiteral("Distance    [ NM ]"),
        de ? QStringLiteral("    Zeit      [ h:min ]") : QStringLiteral("   Time      [ h:min ]"),
        QStringLiteral(" FF - leg")};
    for (int c = 0; c < captions.size(); ++c)
        model_->setCaption(c, captions[c]);
    fitButtonRow();
}

void frmFlugPlan::fitButtonRow()
{
    // cmdCalc was designed for a narrower font than most have: it grows to its caption, and
    // cmdRevert, the frame around both and cmdPreview move along with the designed gaps.
    cmdCalc->setGeometry(px(4560), px(240), std::max(px(1575), cmdCalc->sizeHint().width()),
                         px(735));
    cmdRevert->move(cmdCalc->geometry().right() + 1 + px(6240 - 6135), px(240));
    Frame2->resize(cmdRevert->geometry().right() + 1 + px(7215 - 7095), Frame2->height());
    cmdPreview->move(Frame2->geometry().right() + 1 + px(7800 - 7695), cmdPreview->y());
}

// --- entry boxes ------------------------------------------------------------------------------

std::array<QLineEdit*, 5> frmFlugPlan::boxes() const
{
    return {tVAR, tFF, tSpeed, tWinddir, tWindspeed};
}

void frmFlugPlan::markBox(int box)
{
    if (box < BoxVar || box > BoxWindSpeed)
        return;
    QLineEdit* b = boxes()[static_cast<std::size_t>(box - 1)];
    paintBox(b, failingBoxColour());
    b->setFocus();
}

bool frmFlugPlan::eventFilter(QObject* watched, QEvent* event)
{
    // A double click on an entry box empties it.
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (QLineEdit* box : boxes()) {
            if (watched == box) {
                box->clear();
                return true;
            }
        }
    }
    return MdiForm::eventFilter(watched, event);
}

// --- report -----------------------------------------------------------------------------------

bool frmFlugPlan::printReport(QPrinter& printer)
{
    if (!havePlan_)
        return false;
    FlightPlanReportData report;
    report.rows = reportRows(plan_, userDecimalMark());
    report.distanz = QString::fromStdString(labels_.distance);
    report.zeit = QString::fromStdString(labels_.time);
    report.ff = QString::fromStdString(labels_.fuel);
    report.wind = QString::fromStdString(labels_.avgWind);
    report.ffh = tFF->text();
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const int pages = reportPageCount(static_cast<int>(report.rows.size()));
    const QRectF page(0, 0, painter.device()->width(), painter.device()->height());
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !printer.newPage())
            return false;
        paintFlightPlanReportPage(painter, page, report, i);
    }
    return painter.end();
}

void frmFlugPlan::cmdPreview_Click()
{
    bool ok = false;
    try {
        QPrinter printer(QPrinter::HighResolution);
        QPrintPreviewDialog preview(&printer, this);
        bool painted = true;
        connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                [this, &painted](QPrinter* p) {
                    bool done = false;
                    guarded([&] { done = printReport(*p); });
                    painted = done && painted;
                });
        if (previewRunner())
            previewRunner()(preview);
        else
            preview.exec();
        ok = painted;
    } catch (const std::exception&) {
        ok = false; // reported below by the print-support notice
    }
    if (!ok)
        forms().showModal(forms().get<frmInfo2>());
}

frmFlugPlan::PreviewRunner& frmFlugPlan::previewRunner()
{
    static PreviewRunner runner;
    return runner;
}

} // namespace tv
