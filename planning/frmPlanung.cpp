#include "planning/frmPlanung.h"

#include "airspace/AirspacePainter.h"
#include "core/Categories.h"
#include "core/HandlerGuard.h"
#include "core/Variablen.h"
#include "core/forms/KeyUp.h"
#include "core/forms/MsgBox.h"
#include "core/forms/RecordsetGridModel.h"
#include "map/ChartImage.h"
#include "map/ChartRow.h"
#include "map/PictureBox.h"
#include "planning/PlanLayout.h"
#include "planning/PlanSettings.h"
#include "planning/PlanText.h"
#include "planning/RouteName.h"
#include "planning/WaypointList.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/ProgramFolder.h"
#include "route/RouteData.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QTableView>

#include <algorithm>
#include <functional>

namespace tv {

namespace {

const QString kAllWaypoints = QStringLiteral("Alle Wegpunkte");

QString cssColour(uint32_t c)
{
    return QStringLiteral("#%1%2%3")
        .arg(c & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((c >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((c >> 16) & 0xFF, 2, 16, QLatin1Char('0'));
}

void colour(QWidget* w, uint32_t back, std::optional<uint32_t> fore = std::nullopt)
{
    QString sheet = QStringLiteral("background-color: %1;").arg(cssColour(back));
    if (fore)
        sheet += QStringLiteral(" color: %1;").arg(cssColour(*fore));
    w->setStyleSheet(sheet);
}

// The map reports double clicks besides the picture box's mouse events.
class PlanMapBox : public PictureBox
{
public:
    using PictureBox::PictureBox;
    std::function<void()> dblClick;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        PictureBox::mouseDoubleClickEvent(event);
        if (dblClick)
            dblClick();
    }
};

} // namespace

frmPlanung::frmPlanung()
{
    setObjectName(QStringLiteral("frmPlanung"));
    setWindowTitle(QStringLiteral("Planung"));
    buildControls();
    wireControls();
    for (const ControlPlace& p : planDesignedPlaces()) {
        if (auto* w = findChild<QWidget*>(p.name))
            w->setGeometry(p.rect);
    }
    resize(945, 527);
    map_.resize(picMap->width(), picMap->height());
}

void frmPlanung::buildControls()
{
    // The navy back colour of the window itself; a style sheet would reach every child.
    QPalette navy = palette();
    navy.setColor(QPalette::Window, vbColor(0x800000));
    setPalette(navy);
    setAutoFillBackground(true);
    auto label = [this](const char* name, const QString& text = QString()) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    auto edit = [this](const char* name, const QString& text = QString()) {
        auto* e = new QLineEdit(text, this);
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    auto button = [this](const char* name, uint32_t back) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        colour(b, back);
        return b;
    };
    auto grid = [this](const char* name) {
        auto* g = new QTableView(this);
        g->setObjectName(QString::fromLatin1(name));
        g->setSelectionMode(QAbstractItemView::NoSelection);
        g->verticalHeader()->setDefaultSectionSize(18);
        g->verticalHeader()->hide();
        g->horizontalHeader()->setStretchLastSection(true);
        return g;
    };

    auto* mapBox = new PlanMapBox(this, 0xFFC0C0);
    mapBox->setObjectName(QStringLiteral("picMap"));
    mapBox->setFocusPolicy(Qt::ClickFocus);
    mapBox->setMouseTracking(true);
    picMap = mapBox;
    map_ = PlanMap(&picMap->surface());
    tLR = new QLineEdit(picMap);
    tLR->setObjectName(QStringLiteral("tLR"));
    tLR->setAlignment(Qt::AlignCenter);
    tLR->setReadOnly(true);
    colour(tLR, 0x80FFFF);
    tLR->hide();

    cmbMaps = new QComboBox(this);
    cmbMaps->setObjectName(QStringLiteral("cmbMaps"));
    cmbMaps->setEditable(true);
    cmbMaps->setInsertPolicy(QComboBox::NoInsert);
    SlideMap = new QSlider(Qt::Horizontal, this);
    SlideMap->setObjectName(QStringLiteral("SlideMap"));
    SlideMap->setRange(MapView::kSliderMin, MapView::kSliderMax);
    SlideMap->setValue(0);
    cmdMessen = button("cmdMessen", 0x00FFFF);
    picMessen = button("picMessen", 0x0080FF);
    picMessen->hide();

    const uint32_t readOut = 0xFFC0C0;
    lblDistanz = label("lblDistanz");
    lblKurs = label("lblKurs");
    lblLatx = label("lblLatx");
    lblNS = label("lblNS");
    lblLongx = label("lblLongx");
    lblEW = label("lblEW");
    for (QLabel* l : {lblDistanz, lblKurs, lblLatx, lblNS, lblLongx, lblEW})
        colour(l, readOut);
    Label3 = label("Label3");
    Label4 = label("Label4");
    Label1 = label("Label1");
    Label2 = label("Label2");
    Label5 = label("Label5");
    Label6 = label("Label6");
    Label7 = label("Label7");
    for (QLabel* l : {Label1, Label2, Label3, Label4, Label5, Label6, Label7})
        l->setStyleSheet(QStringLiteral("color: %1;").arg(cssColour(0x00FFFF)));

    cmdshowRoute = button("cmdshowRoute", 0xFFC0C0);
    picShowRoute = button("picShowRoute", 0xFFC0C0);
    picShowRoute->hide();
    lblRouteDistanz = new QLabel(picShowRoute);
    lblRouteDistanz->setObjectName(QStringLiteral("lblRouteDistanz"));
    lblRouteDistanz->setAlignment(Qt::AlignCenter);
    lblRouteDistanz->setGeometry(0, 0, 90, 26);
    lblRouteDistanz->setAttribute(Qt::WA_TransparentForMouseEvents);

    tWaypoint[1] = edit("tWaypoint1");
    tWaypoint[2] = edit("tWaypoint2");
    tWaypoint[3] = edit("tWaypoint3");
    for (int i = 1; i <= 3; ++i)
        colour(tWaypoint[static_cast<size_t>(i)], 0x80FFFF);
    // The hemisphere boxes hold only their two letters: a click toggles them.
    tNS = edit("tNS", QStringLiteral("N"));
    tEW = edit("tEW", QStringLiteral("E"));
    for (QLineEdit* e : {tNS, tEW}) {
        e->setReadOnly(true);
        e->setAlignment(Qt::AlignCenter);
        colour(e, readOut);
    }
    Label11 = label("Label11");
    tquickfind = edit("tquickfind", QStringLiteral("Schnellsuche"));
    colour(tquickfind, 0x80FFFF);
    cmbKat = new QComboBox(this);
    cmbKat->setObjectName(QStringLiteral("cmbKat"));
    colour(cmbKat, readOut);
    tKat = edit("tKat");
    tKat->setReadOnly(true);
    colour(tKat, readOut);
    lblCount = label("lblCount");
    lblCount->setAlignment(Qt::AlignCenter);
    lblCount->setStyleSheet(QStringLiteral("color: %1;").arg(cssColour(0x00FFFF)));

    cmdPrev = button("cmdPrev", 0xFF00FF);
    cmdNext = button("cmdNext", 0xFF00FF);
    cmdPrev->setText(QStringLiteral("<"));
    cmdNext->setText(QStringLiteral(">"));
    cmdNew = button("cmdNew", 0x00FF00);
    cmdChange = button("cmdChange", 0x0080FF);
    cmdDelete = button("cmdDelete", 0x0000FF);
    cmdNewRoute = button("cmdNewRoute", 0x00FF00);
    cmdRouteDelete = button("cmdRouteDelete", 0x0000FF);
    cmdAddwaypoint = button("cmdAddwaypoint", 0x00FF00);
    cmdDeleteWaypoint = button("cmdDeleteWaypoint", 0x0000FF);
    cmdNew->setText(QStringLiteral("+"));
    cmdChange->setText(QStringLiteral("~"));
    cmdDelete->setText(QStringLiteral("-"));
    cmdNewRoute->setText(QStringLiteral("+"));
    cmdRouteDelete->setText(QStringLiteral("-"));
    cmdAddwaypoint->setText(QStringLiteral("+"));
    cmdDeleteWaypoint->setText(QStringLiteral("-"));
    cmdMessen->setText(QStringLiteral("NM"));
    picMessen->setText(QStringLiteral("NM"));

    gridWaypoints = grid("gridWaypoints");
    gridRoute = grid("gridRoute");
    gridPoints = grid("gridPoints");
    waypointsModel_ =
        new RecordsetGridModel({{QStringLiteral("Name"), QStringLiteral("             Name")},
                                {QStringLiteral("Lat"), QStringLiteral(" Breitengrad")},
                                {QStringLiteral("Long"), QStringLiteral(" Längengrad")}},
                               this);
    routeModel_ =
        new RecordsetGridModel({{QStringLiteral("Nummer"), QStringLiteral(" Nr"), true},
                                {QStringLiteral("Name"), QStringLiteral("         Strecke")}},
                               this);
    pointsModel_ =
        new RecordsetGridModel({{QStringLiteral("Nummer"), QStringLiteral(" Nr"), true},
                                {QStringLiteral("Name"), QStringLiteral("    Streckenpunkt")}},
                               this);
    gridWaypoints->setModel(waypointsModel_);
    gridRoute->setModel(routeModel_);
    gridPoints->setModel(pointsModel_);
    gridRoute->setColumnWidth(0, 40);
    gridPoints->setColumnWidth(0, 40);
    // The name takes what the two positions leave of the list's width.
    gridWaypoints->horizontalHeader()->setStretchLastSection(false);
    gridWaypoints->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    fitWaypointColumns();
}

// The latitude and longitude columns are as wide as their caption, in the window's language, or
// as the widest position they show, whichever is wider, so no caption and no position is cut.
void frmPlanung::fitWaypointColumns()
{
    QHeaderView* header = gridWaypoints->horizontalHeader();
    const int position =
        gridWaypoints->fontMetrics().horizontalAdvance(QStringLiteral("-179.5959")) + 12;
    for (const int column : {1, 2})
        header->resizeSection(column, std::max(header->sectionSizeHint(column), position));
}

void frmPlanung::wireControls()
{
    auto* mapBox = static_cast<PlanMapBox*>(picMap);
    mapBox->onMouseDown(
        [this](int b, int, double x, double y) { guarded([&] { picMap_MouseDown(b, x, y); }); });
    mapBox->onMouseMove(
        [this](int b, int, double x, double y) { guarded([&] { picMap_MouseMove(b, x, y); }); });
    mapBox->dblClick = [this] { guarded([this] { picMap_DblClick(); }); };
    // Keys act on their release, and only when their press began in the same control.
    onKeyUp(picMap, [this](int key) { guarded([&] { picMap_KeyUp(key); }); });
    onKeyUp(tquickfind, [this](int key) { guarded([&] { tquickfind_KeyUp(key); }); });
    onKeyUp(gridWaypoints, [this](int key) { guarded([&] { gridWaypoints_KeyUp(key); }); });
    for (int i = 1; i <= 3; ++i) {
        onKeyUp(tWaypoint[static_cast<size_t>(i)],
                [this, i](int key) { guarded([&] { tWaypoint_KeyUp(i, key); }); });
    }
    onKeyUp(tNS, [this](int key) { guarded([&] { tNS_KeyUp(key); }); });
    onKeyUp(tEW, [this](int key) { guarded([&] { tEW_KeyUp(key); }); });

    connect(cmbMaps, &QComboBox::textActivated, this,
            [this](const QString& name) { guarded([&] { cmbMaps_Click(name); }); });
    // A typed name that is no chart: the first active chart (a listed name comes as a pick).
    connect(cmbMaps->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        const QString typed = cmbMaps->lineEdit()->text();
        if (cmbMaps->findText(typed, Qt::MatchFixedString) < 0)
            guarded([&] { cmbMaps_Click(typed); });
    });
    connect(SlideMap, &QSlider::valueChanged, this,
            [this] { guarded([this] { SlideMap_Change(); }); });
    SlideMap->installEventFilter(this);
    connect(cmdMessen, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdMessen_Click(); }); });
    connect(picMessen, &QPushButton::clicked, this,
            [this] { guarded([this] { picMessen_Click(); }); });
    connect(cmdshowRoute, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdshowRoute_Click(); }); });
    connect(picShowRoute, &QPushButton::clicked, this,
            [this] { guarded([this] { picShowRoute_Click(); }); });
    connect(cmdNew, &QPushButton::clicked, this, [this] { guarded([this] { cmdNew_Click(); }); });
    connect(cmdChange, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdChange_Click(); }); });
    connect(cmdDelete, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdDelete_Click(); }); });
    connect(cmdNext, &QPushButton::clicked, this, [this] { guarded([this] { cmdNext_Click(); }); });
    connect(cmdPrev, &QPushButton::clicked, this, [this] { guarded([this] { cmdPrev_Click(); }); });
    connect(cmdNewRoute, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdNewRoute_Click(); }); });
    connect(cmdRouteDelete, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdRouteDelete_Click(); }); });
    connect(cmdAddwaypoint, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdAddwaypoint_Click(); }); });
    connect(cmdDeleteWaypoint, &QPushButton::clicked, this,
            [this] { guarded([this] { cmdDeleteWaypoint_Click(); }); });
    connect(cmbKat, qOverload<int>(&QComboBox::activated), this, [this] {
        guarded([this] { cmbKat_Click(); });
        tKat->show();
    });
    for (QObject* o :
         {static_cast<QObject*>(tNS), static_cast<QObject*>(tEW), static_cast<QObject*>(tKat),
          static_cast<QObject*>(tquickfind), static_cast<QObject*>(tWaypoint[1]),
          static_cast<QObject*>(tWaypoint[2]), static_cast<QObject*>(tWaypoint[3]),
          static_cast<QObject*>(gridWaypoints), static_cast<QObject*>(cmbKat)})
        o->installEventFilter(this);

    // The pilot picks a row (a click in any column, or the keys): the logic takes that row as
    // current, then the row change handler shows it.
    auto follow = [this](QTableView* grid, RecordsetGridModel* model, auto choose) {
        connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this, model, choose](const QModelIndex& now) {
                    if (syncing_ || !now.isValid() || !model->recordset())
                        return;
                    guarded([&] { choose(model->bookmarkAt(now.row())); });
                });
    };
    // Header clicks: the first column of the route grids orders by Nummer, the waypoint list
    // keeps its order by name and only marks its current row again.
    auto sortByNumber = [this](QTableView* grid, RecordsetGridModel* model, auto sort) {
        connect(grid->horizontalHeader(), &QHeaderView::sectionClicked, this,
                [this, grid, model, sort](int column) {
                    guarded([&] {
                        if (column == 0)
                            (routes_.*sort)();
                        model->bind(model->recordset());
                        syncGrid(grid, model);
                    });
                });
    };
    sortByNumber(gridRoute, routeModel_, &PlanRoutes::sortRoutesByNumber);
    sortByNumber(gridPoints, pointsModel_, &PlanRoutes::sortPointsByNumber);
    connect(gridWaypoints->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this] { guarded([this] { syncWaypointGrid(); }); });
    follow(gridWaypoints, waypointsModel_, [this](Recordset::BookmarkId row) {
        waypointsRS.SetBookmark(row);
        gridWaypoints_RowColChange();
    });
    follow(gridRoute, routeModel_, [this](Recordset::BookmarkId row) { chooseRoute(row); });
    follow(gridPoints, pointsModel_, [this](Recordset::BookmarkId row) {
        routes_.choosePoint(row);
        gridPoints_RowColChange();
    });

    waypointsModel_->setCellCheck([](int, const GridColumn& c, const QString& text) {
        const CellCheck check = checkWaypointCell(c.field, text, Language);
        GridCellVerdict v;
        v.value = check.value;
        if (check.message) {
            v.message = check.message->text;
            v.title = check.message->title;
        }
        return v;
    });
    auto nameCheck = [](NameKind kind, int, const GridColumn&, const QString& text) {
        GridCellVerdict v;
        if (const auto m = checkRouteName(text.toStdString(), Language, kind)) {
            v.message = QString::fromStdString(m->text);
            v.title = QString::fromStdString(m->title);
        } else {
            v.value = Value(text.toStdString());
        }
        return v;
    };
    routeModel_->setCellCheck(std::bind_front(nameCheck, NameKind::Route));
    pointsModel_->setCellCheck(std::bind_front(nameCheck, NameKind::RoutePoint));
    waypointsModel_->onCellStored([this](int, int) {
        ShowWaypoint();
        CenterOnWaypoint();
    });
    pointsModel_->onCellStored([this](int, int) { RedrawMap(); });
}

bool frmPlanung::eventFilter(QObject* watched, QEvent* event)
{
    bool handled = false;
    guarded([&] { handled = filterEvent(watched, event); });
    return handled || MdiForm::eventFilter(watched, event);
}

// Clicks and double clicks of the controls that have no signal of their own.
bool frmPlanung::filterEvent(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonRelease) {
        if (watched == tNS)
            tNS_Click();
        else if (watched == tEW)
            tEW_Click();
        else if (watched == tKat)
            tKat->hide(); // uncovers the category list
        else if (watched == SlideMap)
            SlideMap_MouseUp(static_cast<QMouseEvent*>(event)->position().x());
        if (watched == SlideMap)
            return true; // the click rule sets the value, not the slider's own paging
    } else if (type == QEvent::MouseButtonDblClick) {
        if (watched == tquickfind) {
            tquickfind->clear();
        } else {
            for (int i = 1; i <= 3; ++i)
                if (watched == tWaypoint[static_cast<size_t>(i)])
                    tWaypoint[static_cast<size_t>(i)]->clear();
        }
    } else if (type == QEvent::FocusOut && watched == cmbKat) {
        tKat->show();
    }
    return false;
}

// --- life cycle ------------------------------------------------------------------------------

void frmPlanung::Form_Load()
{
    // The main data file holds the tables. A list that cannot be read stays empty and is read
    // again, and told, when the window is activated.
    openWaypoints(kAllWaypoints);
    routes_.open(MainConnection.get());
    chart_.open(MainConnection.get(), programFolder());
    measuring_ = false;
    airspaceChoice_.circuits = false;
    LoadSettings();
    waypointsModel_->bind(&waypointsRS);
    routeModel_->bind(&routes_.routes());
    pointsModel_->bind(&routes_.points());
    syncWaypointGrid();
    syncGrid(gridRoute, routeModel_);
    syncGrid(gridPoints, pointsModel_);
    InitializeData();
    cmdshowRoute_Click();
    ShowWaypoint();
    skipViewRestore_ = true;
}

void frmPlanung::LoadSettings()
{
    airspaceChoice_ = loadPlanSettings(programFolder());
}

void frmPlanung::Form_Activate()
{
    SetLanguage();
    // Coming back reads the routes again: another window may have changed them, or the file
    // failed before and works again.
    routes_.reread();
    showRouteGrids();
    std::optional<DbError> waypointFault;
    // A list never read, or read from a file that was replaced since (the routes' read above
    // has opened the new one), is read now.
    if (waypointsRS.State() != Recordset::kStateOpen ||
        (MainConnection && MainConnection->FileGeneration() != waypointsFile_)) {
        waypointFault = openWaypoints(kAllWaypoints);
        waypointsModel_->bind(&waypointsRS);
        syncWaypointGrid();
        ShowWaypoint();
    }
    // The chart shown when the window was left, or the first when that one is gone.
    if (!chart_.comeBack())
        InitializeData();
    RedrawMap();
    // One message for the one file, the route lists' when both failed.
    if (!tellUnreadRoutes() && waypointFault) {
        const PlanMessage m = waypointsNotReadMessage(*waypointFault, Language);
        MsgBox(m.text, m.title);
    }
    // When the data file fails, activation goes on with what could be read.
    guarded([this] {
        if (MainConnection) {
            const std::vector<CategoryRow> categories = listCategories(*MainConnection);
            const QSignalBlocker block(cmbKat);
            cmbKat->clear();
            cmbKat->addItem(kAllWaypoints);
            for (const CategoryRow& category : categories)
                cmbKat->addItem(QString::fromStdString(category.name));
            cmbKat->setCurrentIndex(0);
            tKat->setText(kAllWaypoints);
        }
    });
    showChartBox();

    if (!skipViewRestore_) {
        const MapView& v = map_.view();
        const double sx = savedView_[0] != 0 ? savedView_[0] : v.sourceX();
        const double sy = savedView_[1] != 0 ? savedView_[1] : v.sourceY();
        const double sw = savedView_[2] != 0 ? savedView_[2] : v.sourceWidth();
        const double sh = savedView_[3] != 0 ? savedView_[3] : v.sourceHeight();
        const double slider = savedView_[4] != 0 ? savedView_[4] : v.sliderValue();
        if (map_.view().restoreView(sx, sy, sw, sh, slider)) {
            const QSignalBlocker block(SlideMap);
            SlideMap->setValue(map_.view().sliderValue());
        }
        RedrawMap();
    }
    skipViewRestore_ = true;
    tWaypoint[1]->setFocus();
}

void frmPlanung::Form_Deactivate()
{
    if (!savePlanSettings(programFolder(), airspaceChoice_))
        reportUnsaved(programFolder() / "planung.crm", this);
    const MapView& v = map_.view();
    savedView_ = {v.sourceX(), v.sourceY(), v.sourceWidth(), v.sourceHeight(),
                  static_cast<double>(v.sliderValue())};
    chart_.leave();
    skipViewRestore_ = false;
}

void frmPlanung::resizeEvent(QResizeEvent* event)
{
    MdiForm::resizeEvent(event);
    Form_Resize(event->size().width(), event->size().height());
}

void frmPlanung::Form_Resize(int width, int height)
{
    const auto places = planLayout(width, height);
    if (!places) {
        if (picMap->surface().widthPx() != picMap->width() ||
            picMap->surface().heightPx() != picMap->height()) {
            map_.resize(picMap->width(), picMap->height());
            RedrawMap();
        }
        return;
    }
    for (const ControlPlace& p : *places) {
        if (auto* w = findChild<QWidget*>(p.name))
            w->setGeometry(p.rect);
    }
    map_.resize(picMap->width(), picMap->height());
    RedrawMap();
}

void frmPlanung::SetLanguage()
{
    const bool de = Language == 0;
    auto pick = [de](const char* german, const char* english) {
        return QString::fromUtf8(de ? german : english);
    };
    Label3->setText(pick("Distanz", "Distance"));
    Label4->setText(pick("Kurs", "Bearing"));
    Label1->setText(pick("Breitengrad", "Latitude"));
    Label2->setText(pick("Längengrad", "Longitude"));
    Label5->setText(pick("Wegpunkt", "Waypoint"));
    Label6->setText(pick("Breitengrad", "Latitude"));
    Label7->setText(pick("Längengrad", "Longitude"));
    tquickfind->setText(pick("Schnellsuche", "Quickfind"));
    pointsModel_->setCaption(1, pick("   Streckenpunkte", "    Routepoints"));
    routeModel_->setCaption(1, pick("      Strecke", "      Route"));
    waypointsModel_->setCaption(1, pick("  Breitengrad", "  Latitude"));
    waypointsModel_->setCaption(2, pick("  Längengrad", "  Longitude"));
    fitWaypointColumns();
    cmdNew->setToolTip(pick(" Wegpunkt hinzufügen ", " Add Waypoint "));
    cmdChange->setToolTip(pick(" Wegpunkt ändern ", " Change Waypoint "));
    cmdDelete->setToolTip(pick(" Wegpunkt löschen ", " Delete Waypoint "));
    cmdNewRoute->setToolTip(pick(" Strecke hinzufügen ", " Add Route "));
    cmdRouteDelete->setToolTip(pick(" Strecke löschen ", " Delete Route "));
    cmdAddwaypoint->setToolTip(pick(" Streckenpunkt hinzufügen ", " Add Routepoint "));
    cmdDeleteWaypoint->setToolTip(pick(" Streckenpunkt löschen ", " Delete Routepoint "));
    picMessen->setToolTip(pick(" Messen An ", " Measure On "));
    cmdMessen->setToolTip(pick(" Messen Aus ", " Measure Off "));
    cmdshowRoute->setToolTip(pick("Route anzeigen", "Show route"));
    picShowRoute->setToolTip(pick("Route nicht anzeigen", "Don't show route"));
    setWindowTitle(pick("Planung", "Plan mode"));
}

// --- the plan map ----------------------------------------------------------------------------

void frmPlanung::InitializeData()
{
    map_.surfaceResized();
    const PlanChart::Load load = chart_.load(map_, chartFolder());
    if (load == PlanChart::Load::Loaded) {
        const QSignalBlocker block(SlideMap);
        SlideMap->setValue(0);
        SlideMap_Change();
    } else {
        picMap->Refresh();
    }
    showChartBox();
    if (load == PlanChart::Load::Failed) {
        const ChartMessage m = chartErrorMessage(chart_.name(), Language == 0);
        MsgBox(m.text, m.title);
    }
}

void frmPlanung::showChartBox()
{
    const QSignalBlocker block(cmbMaps);
    cmbMaps->clear();
    for (const QString& name : chart_.names())
        cmbMaps->addItem(name);
    cmbMaps->setEditText(chart_.name());
}

void frmPlanung::showAirspaceBox(const PlanAirspaceBox& box)
{
    if (box.visible)
        tLR->setText(box.text);
    colour(tLR, box.backColour);
    tLR->setToolTip(box.toolTip);
    tLR->setVisible(box.visible);
}

void frmPlanung::setAirspaceChoice(const PlanAirspaceChoice& choice)
{
    airspaceChoice_ = choice;
    RedrawMap();
}

// --- shared helpers --------------------------------------------------------------------------

void frmPlanung::syncGrid(QTableView* grid, RecordsetGridModel* model)
{
    syncing_ = true;
    model->clearSelectedBookmarks();
    const int row = model->currentRow();
    if (row >= 0) {
        model->addSelectedBookmark(model->bookmarkAt(row));
        grid->setCurrentIndex(model->index(row, 0));
        grid->scrollTo(model->index(row, 0));
    } else {
        grid->setCurrentIndex(QModelIndex());
    }
    syncing_ = false;
}

} // namespace tv
