#include "PlanWindowFixture.h"
#include "planning/frmExport.h"
#include "planning/frmImport.h"
#include "planning/frmManager.h"
#include "support/HeldDataFile.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTableView>

#include <functional>

using tvtest::PlanWindowTest;

using tvtest::gridNames;
using tvtest::highlightedName;

TEST_F(PlanWindowTest, FirstRouteThenAPointAtOnce)
{
    addAlps();
    addWaypoint("A", 47.1, 10.1);
    tv::frmPlanung& w = open();
    tv::setInputBoxHook([](const QString& prompt) {
        EXPECT_EQ(prompt, QStringLiteral("Neue Strecke"));
        return QStringLiteral("Alpen");
    });
    w.cmdNewRoute_Click();
    w.cmdAddwaypoint_Click();
    EXPECT_EQ(column("SELECT Name FROM GpsPoints"), "A");
    EXPECT_EQ(column("SELECT Nummer FROM GpsPoints"), "1");
    EXPECT_EQ(w.pointsModel()->rowCount(), 1);
    EXPECT_EQ(w.lblRouteDistanz->text(), QStringLiteral(" NM"));
}

TEST_F(PlanWindowTest, NewRouteAndPointGoAfterTheCurrentRowWhateverTheNumbers)
{
    addAlps();
    addWaypoint("W", 47.1, 10.1);
    const int64_t first = addRoute("First", 1);
    addRoute("Imported", 9); // a gap, as an import leaves it
    addPoint(first, 1, "P1", 47.1, 10.1);
    addPoint(first, 4, "P2", 47.2, 10.2);
    tv::frmPlanung& w = open();
    ASSERT_EQ(highlightedName(w.gridRoute), "First");
    ASSERT_EQ(w.pointsModel()->rowCount(), 2);
    w.cmdAddwaypoint_Click(); // after P1, the current point
    EXPECT_EQ(column("SELECT Name FROM GpsPoints ORDER BY Nummer"), "P1|W|P2");
    EXPECT_EQ(column("SELECT Nummer FROM GpsPoints ORDER BY Nummer"), "1|2|3");
    EXPECT_EQ(highlightedName(w.gridPoints), "W");

    tv::setInputBoxHook([](const QString&) { return QStringLiteral("Middle"); });
    w.cmdNewRoute_Click();
    EXPECT_EQ(column("SELECT Name FROM Route ORDER BY Nummer"), "First|Middle|Imported");
    EXPECT_EQ(highlightedName(w.gridRoute), "Middle");
    // The points grid shows the new, empty route.
    EXPECT_EQ(w.pointsModel()->rowCount(), 0);

    tv::setInputBoxHook([](const QString&) { return QString(); });
    w.cmdNewRoute_Click();
    EXPECT_EQ(lastMessage(), QStringLiteral("Bitte eine Streckenbezeichnung eingeben !"));
    EXPECT_EQ(column("SELECT COUNT(*) FROM Route"), "3");
}

// The row the pilot clicks (in either column) is the one highlighted and the one "-" deletes;
// the point after it is current then, after the last the one before it.
TEST_F(PlanWindowTest, TheClickedPointIsHighlightedAndDeleted)
{
    addAlps();
    const int64_t r = addRoute("R", 1);
    for (int i = 1; i <= 12; ++i)
        addPoint(r, i, i == 6 ? "Ulm" : "P" + std::to_string(i), 47.1, 10.0 + i / 100.0);
    tv::frmPlanung& w = open();
    w.show();
    ASSERT_EQ(highlightedName(w.gridPoints), "P1");
    struct Case
    {
        int row, column;
        const char *clicked, *left, *highlightedAfter;
    };
    const Case cases[] = {
        {5, 0, "Ulm", "P1|P2|P3|P4|P5|P7|P8|P9|P10|P11|P12", "P7"},
        {1, 1, "P2", "P1|P3|P4|P5|P7|P8|P9|P10|P11|P12", "P3"},
        {9, 1, "P12", "P1|P3|P4|P5|P7|P8|P9|P10|P11", "P11"},
    };
    for (const Case& c : cases) {
        tvtest::clickCell(w.gridPoints, c.row, c.column);
        EXPECT_EQ(highlightedName(w.gridPoints), c.clicked);
        w.cmdDeleteWaypoint->click();
        EXPECT_EQ(column("SELECT Name FROM GpsPoints ORDER BY Nummer"), c.left) << c.clicked;
        EXPECT_EQ(highlightedName(w.gridPoints), c.highlightedAfter) << c.clicked;
    }
    EXPECT_EQ(column("SELECT MAX(Nummer) FROM GpsPoints"), "9");
    for (int i = 0; i < 9; ++i)
        w.cmdDeleteWaypoint->click();
    EXPECT_EQ(w.pointsModel()->rowCount(), 0);
    w.cmdDeleteWaypoint->click(); // nothing left: nothing happens
    EXPECT_TRUE(messages.empty());
}

// A write the file refuses changes nothing, and the grids show what is stored with the
// current rows the pilot sees highlighted; once the lock is gone "-" deletes that row.
TEST_F(PlanWindowTest, AFailedWriteLeavesTheGridsShowingTheStoredRows)
{
    addAlps();
    addWaypoint("W", 47.3, 10.3);
    const int64_t r = addRoute("R", 1);
    for (int i = 1; i <= 12; ++i)
        addPoint(r, i, "P" + std::to_string(i), 47.1, 10.0 + i / 100.0);
    tv::frmPlanung& w = open();
    w.show();
    tv::setInputBoxHook([](const QString&) { return QStringLiteral("Neu"); });
    {
        tvtest::WriteLock lock(dir / "data.tvd");
        for (QPushButton* button : {w.cmdNewRoute, w.cmdAddwaypoint, w.cmdDeleteWaypoint}) {
            if (button == w.cmdDeleteWaypoint)
                tvtest::clickCell(w.gridPoints, 1, 1);
            messages.clear();
            button->click();
            EXPECT_EQ(lastMessage(),
                      "Die Änderung konnte nicht gespeichert werden." + lockedReason())
                << button->objectName().toStdString();
            EXPECT_EQ(w.routeModel()->rowCount(), 1);
            EXPECT_EQ(w.pointsModel()->rowCount(), 12);
        }
        EXPECT_EQ(highlightedName(w.gridPoints), "P2");
    }
    w.cmdDeleteWaypoint->click();
    EXPECT_EQ(column("SELECT Name FROM GpsPoints ORDER BY Nummer LIMIT 3"), "P1|P3|P4");
    EXPECT_EQ(highlightedName(w.gridPoints), "P3");
}

TEST_F(PlanWindowTest, TheRouteLengthIsShownWithoutAChart)
{
    const int64_t a = addRoute("A", 1);
    addPoint(a, 1, "N", 50.00, 10.00);
    addPoint(a, 2, "S", 51.00, 10.00);
    tv::frmPlanung& w = open();
    EXPECT_FALSE(w.planMap().hasChart());
    EXPECT_EQ(w.lblRouteDistanz->text(), QStringLiteral("60 NM"));
}

TEST_F(PlanWindowTest, RouteDeleteShowsTheNextRouteAndItsLength)
{
    addAlps();
    const int64_t a = addRoute("A", 1);
    const int64_t b = addRoute("B", 2);
    addPoint(a, 1, "N", 50.00, 10.00);
    addPoint(a, 2, "S", 51.00, 10.00);
    addPoint(b, 1, "X", 47.1, 10.1);
    tv::frmPlanung& w = open();
    EXPECT_EQ(w.lblRouteDistanz->text(), QStringLiteral("60 NM"));
    w.cmdRouteDelete_Click(); // the hook answers OK, not Yes: nothing happens
    EXPECT_EQ(column("SELECT COUNT(*) FROM Route"), "2");
    tv::setMsgBoxHook([this](const tv::MsgRecord& m) {
        messages.push_back(m);
        return tv::MsgResult::Yes;
    });
    w.cmdRouteDelete_Click();
    EXPECT_EQ(messages.back().text, QStringLiteral("Soll die Strecke - A - gelöscht werden ?"));
    EXPECT_EQ(column("SELECT Name FROM Route"), "B");
    EXPECT_EQ(column("SELECT COUNT(*) FROM GpsPoints"), "1");
    EXPECT_EQ(w.pointsModel()->rowCount(), 1);
    EXPECT_EQ(w.lblRouteDistanz->text(), QStringLiteral(" NM"));
    w.cmdRouteDelete_Click();
    EXPECT_EQ(w.pointsModel()->rowCount(), 0);
    EXPECT_EQ(w.lblRouteDistanz->text(), QStringLiteral(" NM"));
}

TEST_F(PlanWindowTest, MeasuringShowsDistanceAndCourseWithTheUsersMark)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    addChart("Bayern.bmp", 47.00, 49.00, 10.00, 13.00, 1500, 1000);
    tv::frmPlanung& w = open();
    w.SlideMap->setValue(100); // the whole chart
    type(w, "", "48.0000", "11.0000");
    w.cmdMessen_Click();
    ASSERT_TRUE(w.measuring());
    const auto east = w.planMap().pointOf(48.00, 12.00);
    ASSERT_TRUE(east);
    w.picMap_MouseMove(0, east->x(), east->y());
    EXPECT_EQ(w.lblDistanz->text(), QStringLiteral("40,1 NM"));
    EXPECT_EQ(w.lblKurs->text(), QString::fromUtf8("90 °"));
    const auto mid = w.planMap().pointOf(48.00, 11.30);
    EXPECT_EQ(pixel(w, mid->x(), mid->y()), 0x000000u);
    const auto onIt = w.planMap().pointOf(48.00, 11.00);
    w.picMap_MouseMove(0, onIt->x(), onIt->y());
    EXPECT_EQ(w.lblKurs->text().right(2), QString::fromUtf8(" °"));
    // Empty boxes: nothing is measured, the labels keep their text.
    const QString before = w.lblDistanz->text();
    type(w, "", "", "");
    w.picMap_MouseMove(0, east->x(), east->y());
    EXPECT_EQ(w.lblDistanz->text(), before);
}

TEST_F(PlanWindowTest, SmallWindowKeepsTheLayoutAndTheViewSurvivesLeaving)
{
    addAlps();
    tv::frmPlanung& w = open(1200, 700);
    EXPECT_EQ(w.picMap->size(), QSize(757, 600));
    w.Form_Resize(900, 500); // below 951 x 521: nothing moves
    EXPECT_EQ(w.picMap->size(), QSize(757, 600));

    w.SlideMap->setValue(-50);
    w.picMap_MouseDown(1, 300, 300);
    w.picMap_MouseMove(1, 200, 250);
    const float sx = w.planMap().view().sourceX(), sy = w.planMap().view().sourceY();
    const float sw = w.planMap().view().sourceWidth();
    ASSERT_GT(sx, 0.0f);
    w.Form_Deactivate();
    EXPECT_EQ(file("planung.crm"), "\"-99\"\r\n");
    w.Form_Resize(1300, 800);
    w.Form_Activate();
    EXPECT_FLOAT_EQ(w.planMap().view().sourceX(), sx);
    EXPECT_FLOAT_EQ(w.planMap().view().sourceY(), sy);
    EXPECT_FLOAT_EQ(w.planMap().view().sourceWidth(), sw);
    EXPECT_EQ(w.SlideMap->value(), -50);
}

TEST_F(PlanWindowTest, ChartWithEqualEdgesOrMissingPictureIsAMapError)
{
    tv::Language = 1;
    addChart("Flat.bmp", 47.00, 48.00, 10.00, 10.00, 100, 100);
    addChart("Gone.bmp", 47.00, 48.00, 10.00, 11.00, 100, 100, false);
    writeFile("kartendaten.crm", "\"Flat.bmp\"\r\n");
    tv::frmPlanung& w = open();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.front().text,
              QStringLiteral("Map error: Flat.bmp - please check coordinates."));
    EXPECT_FALSE(w.planMap().hasChart());
    w.cmbMaps_Click("Gone.bmp");
    EXPECT_EQ(lastMessage(), QStringLiteral("Map error: Gone.bmp - please check coordinates."));
    EXPECT_FALSE(w.planMap().hasChart());
    EXPECT_EQ(file("kartendaten.crm"), "\"Flat.bmp\"\r\n");
}

TEST_F(PlanWindowTest, ImportedRoutesAppearAfterTheListsAreRead)
{
    addAlps();
    const int64_t a = addRoute("A", 1);
    addPoint(a, 1, "P", 47.1, 10.1);
    tv::frmPlanung& w = open();
    const int64_t b = addRoute("Imported", 2);
    addPoint(b, 1, "Q", 47.2, 10.2);
    addWaypoint("Q", 47.2, 10.2);
    w.RequeryLists();
    EXPECT_EQ(w.routeModel()->rowCount(), 2);
    EXPECT_EQ(highlightedName(w.gridRoute), "A"); // the current route stays
    EXPECT_EQ(w.waypointsModel()->rowCount(), 1);
    EXPECT_EQ(w.lblCount->text(), QStringLiteral("1 / 1"));
}

TEST_F(PlanWindowTest, SymbolsCurrentYellowOthersRedAndTheRouteLine)
{
    addAlps();
    addWaypoint("A", 47.45, 10.30);
    addWaypoint("B", 47.45, 10.45);
    const int64_t r = addRoute("R", 1);
    addPoint(r, 1, "A", 47.40, 10.06);
    addPoint(r, 2, "B", 47.40, 10.54);
    tv::frmPlanung& w = open();
    const auto a = w.planMap().pointOf(47.45, 10.30);
    const auto b = w.planMap().pointOf(47.45, 10.45);
    EXPECT_EQ(pixel(w, a->x() + 3, a->y()), tv::kCurrentWaypointColour);
    EXPECT_EQ(pixel(w, b->x() + 3, b->y()), tv::kOtherWaypointColour);
    const auto leg = w.planMap().pointOf(47.40, 10.20);
    EXPECT_EQ(pixel(w, leg->x(), leg->y()), tv::kPlanRouteColour);
    w.picShowRoute_Click();
    EXPECT_NE(pixel(w, leg->x(), leg->y()), tv::kPlanRouteColour);
}

class ManagerTest : public PlanWindowTest
{
};

TEST_F(ManagerTest, ThreeSelectedRowsGetTheCategoryAlsoWhereNamesRepeat)
{
    tv::MainConnection->Execute("INSERT INTO Kategorie (Kategorie, Nummer) VALUES ('VOR', 1), "
                                "('NDB', 2)");
    addWaypoint("Alpha", 47, 10);
    addWaypoint("Bravo", 47, 10);
    addWaypoint("Bravo", 48, 10);
    addWaypoint("O'Brien", 48, 11);
    tv::frmManager& m = tv::forms().get<tv::frmManager>();
    ASSERT_EQ(m.listWegpunkt->count(), 4);
    EXPECT_EQ(m.cmbKategorie->currentText(), QStringLiteral("VOR"));
    m.listWegpunkt->setCurrentRow(1);
    m.listWegpunkt->item(1)->setSelected(true);
    m.listWegpunkt->item(2)->setSelected(true);
    m.listWegpunkt->item(3)->setSelected(true);
    m.cmbKategorie->setCurrentIndex(1);
    m.cmdZuweisen_Click();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(column("SELECT Kategorie FROM Waypoints ORDER BY PointID"), "|NDB|NDB|NDB");
    EXPECT_EQ(m.listKategorie->item(2)->text(), QStringLiteral("NDB"));
    EXPECT_EQ(m.listKategorie->item(0)->text(), QString());
    EXPECT_EQ(m.listWegpunkt->currentRow(), 1);
    EXPECT_EQ(m.listKategorie->currentRow(), 1);
}

TEST_F(ManagerTest, EnglishCaptions)
{
    tv::Language = 1;
    tv::frmManager& m = tv::forms().get<tv::frmManager>();
    EXPECT_EQ(m.windowTitle(), QStringLiteral("Manage waypoints"));
    EXPECT_EQ(m.Label2->text(), QStringLiteral("Waypoint"));
}

TEST_F(PlanWindowTest, RouteFilesExportTheCurrentRouteAndTheImportShowsAtOnce)
{
    addAlps();
    addRoute("First", 1);
    const int64_t second = addRoute("Second", 2);
    addPoint(second, 1, "P1", 47.1, 10.1);
    tv::frmPlanung& w = open();
    w.gridRoute->setCurrentIndex(w.routeModel()->index(1, 0)); // the pilot picks Second
    ASSERT_EQ(highlightedName(w.gridRoute), "Second");

    QString offered;
    tv::forms().setModalHook([&](tv::DialogForm& d) {
        auto& exporter = dynamic_cast<tv::frmExport&>(d);
        offered = exporter.cmbRoute->currentText();
        exporter.cmdExport_Click();
        return 0;
    });
    w.ExportRoute();
    EXPECT_EQ(offered, "Second");

    // The route list shows the imported route when the import says it was added.
    int routesShown = 0;
    tv::setMsgBoxHook([&](const tv::MsgRecord&) {
        routesShown = w.gridRoute->model()->rowCount();
        return tv::MsgResult::Ok;
    });
    tv::frmImport::setFileChooserForTesting([&](const tv::RouteFileDialogText&) {
        return QString::fromStdString((dir / "Route" / "Second.tvr").string());
    });
    w.ImportRoute();
    tv::frmImport::setFileChooserForTesting(nullptr);
    EXPECT_EQ(routesShown, 3);
    EXPECT_EQ(highlightedName(w.gridRoute), "Second");
}

// Another program holds data.tvd: each action is refused naming the file and the grids and the
// route line keep what they showed. Let go, the action works and the grids show what is stored.
TEST_F(PlanWindowTest, AHeldFileRefusesEachActionAndTheWindowRecoversWhenItIsLetGo)
{
    addAlps();
    addWaypoint("W", 47.3, 10.3);
    const int64_t r = addRoute("R", 1);
    for (int i = 1; i <= 3; ++i)
        addPoint(r, i, "P" + std::to_string(i), 47.1, 10.0 + i / 10.0);
    addPoint(addRoute("S", 2), 1, "Q1", 47.2, 10.2);
    tv::frmPlanung& w = open();
    w.show();
    tv::setMsgBoxHook([this](const tv::MsgRecord& m) {
        messages.push_back(m);
        return tv::MsgResult::Yes;
    });
    tv::setInputBoxHook([](const QString&) { return QStringLiteral("Neu"); });
    const auto shown = [&] {
        return gridNames(w.gridRoute) + " " + highlightedName(w.gridRoute) + ": " +
               gridNames(w.gridPoints) + " " + w.lblRouteDistanz->text();
    };
    // The action, and the route and its points once the file is let go and it is done again.
    const std::pair<std::function<void()>, QString> cases[] = {
        {[&] { w.cmdAddwaypoint->click(); }, "R: P1|W|P2|P3"},
        {[&] { w.cmdDeleteWaypoint->click(); }, "R: P1|P2|P3"},
        {[&] { w.Form_Deactivate(), w.Form_Activate(); }, "R: P1|P2|P3"},
        {[&] { w.cmdNewRoute->click(); }, "Neu: "},
        {[&] { w.cmdRouteDelete->click(); }, "S: Q1"},
        {[&] { tvtest::clickCell(w.gridRoute, 0, 1); }, "R: P1|P2|P3"},
    };
    for (int i = 0; i < 6; ++i) {
        const QString before = shown();
        tvtest::HeldDataFile held(dir / "data.tvd");
        cases[i].first();
        EXPECT_TRUE(lastMessage().endsWith(lockedReason())) << i;
        EXPECT_EQ(shown(), before) << i;
        held.release();
        addRoute("T", 10 + i); // another window adds a route meanwhile
        cases[i].first();
        EXPECT_EQ(gridNames(w.gridRoute).toStdString(),
                  column("SELECT Name FROM Route ORDER BY Nummer"))
            << i;
        EXPECT_EQ(highlightedName(w.gridRoute) + ": " + gridNames(w.gridPoints), cases[i].second)
            << i;
    }
}

// Opened while the file is held, the window says why once; let go, the first button pressed
// shows the stored lists, routes included.
TEST_F(PlanWindowTest, AWindowOpenedWhileTheFileIsHeldShowsWhatIsStoredOnceItIsLetGo)
{
    addAlps();
    addPoint(addRoute("R", 1), 1, "P1", 47.1, 10.1);
    tvtest::HeldDataFile held(dir / "data.tvd");
    tv::frmPlanung& w = open();
    type(w, "Neu", "47.4", "10.4");
    w.cmdNew->click(); // the waypoint cannot be stored either
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "Die Strecken konnten nicht gelesen werden. Die Listen zeigen den "
                                "zuletzt gelesenen Stand." +
                                    lockedReason());
    held.release();
    w.cmdAddwaypoint->click();
    EXPECT_EQ(gridNames(w.gridRoute) + ": " + gridNames(w.gridPoints), "R: P1");
}

TEST_F(PlanWindowTest, ABackupPutBackWhileTheWindowIsAwayIsWhatItShowsWhenComingBack)
{
    addWaypoint("Aus der Sicherung", 47.4, 10.4);
    std::filesystem::copy_file(dir / "data.tvd", dir / "backup.tvd");
    tv::MainConnection->Execute("DELETE FROM Waypoints");
    addRoute("R", 1);
    tv::frmPlanung& w = open();
    w.Form_Deactivate();
    std::filesystem::rename(dir / "backup.tvd", dir / "data.tvd");
    w.Form_Activate();
    EXPECT_EQ(gridNames(w.gridWaypoints, 0) + ": " + gridNames(w.gridRoute), "Aus der Sicherung: ");
    EXPECT_TRUE(messages.empty());
}
