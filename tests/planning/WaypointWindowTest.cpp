#include "PlanWindowFixture.h"

#include "core/NameLength.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>

#include <sqlite3.h>

#include <functional>

using tvtest::PlanWindowTest;

TEST_F(PlanWindowTest, ChecksComeInOrderAndStoreNothing)
{
    addAlps();
    tv::frmPlanung& w = open();
    struct Case
    {
        const char *name, *lat, *lon;
        int16_t language;
        const char* message;
    };
    const Case cases[] = {
        {"", "x", "y", 0, "Bitte Name für den Waypoint eingeben"},
        {"P", "x", "y", 1, "Please enter a numeric value in the latitude field"},
        {"P", "48", "1e3", 0, "Bitte Nummer für den Längengrad eingeben"},
        {"P", "1.000,5", "11", 1, "Please enter a numeric value in the latitude field"},
    };
    for (const Case& c : cases) {
        tv::Language = c.language;
        type(w, c.name, c.lat, c.lon);
        w.cmdNew_Click();
        EXPECT_EQ(lastMessage(), QString::fromUtf8(c.message));
    }
    EXPECT_EQ(column("SELECT COUNT(*) FROM Waypoints"), "0");
}

TEST_F(PlanWindowTest, DuplicateInOtherCaseOrUmlautCaseIsRefused)
{
    addAlps();
    addWaypoint("Öhringen", 47.2, 10.5);
    addWaypoint("EDMA", 47.3, 10.6);
    tv::frmPlanung& w = open();
    for (const char* name : {"edma", "ÖHRINGEN", "öhringen"}) {
        messages.clear();
        type(w, QString::fromUtf8(name), "47.1", "10.1");
        w.cmdNew_Click();
        EXPECT_EQ(lastMessage(), QStringLiteral("Der Wegpunkt existiert schon. Bitte einen "
                                                "anderen Namen vergeben."))
            << name;
    }
    EXPECT_EQ(column("SELECT COUNT(*) FROM Waypoints"), "2");
}

TEST_F(PlanWindowTest, ApostropheNameAddedRefusedAgainAndFound)
{
    addAlps();
    addWaypoint("Alpha", 47.2, 10.5);
    addWaypoint("Zulu", 47.3, 10.6);
    tv::frmPlanung& w = open();
    type(w, "O'Brien", "47.30", "10.40");
    w.cmdNew_Click();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(column("SELECT Name FROM Waypoints ORDER BY Name"), "Alpha|O'Brien|Zulu");
    EXPECT_EQ(w.lblCount->text(), QStringLiteral("2 / 3"));
    w.cmdNew_Click();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(column("SELECT COUNT(*) FROM Waypoints"), "3");

    w.tWaypoint[1]->clear();
    w.tquickfind->setText("o'b");
    w.tquickfind_KeyUp(Qt::Key_B);
    EXPECT_EQ(w.tWaypoint[1]->text(), QStringLiteral("O'Brien"));
    w.tquickfind->setText("zz");
    w.tquickfind_KeyUp(Qt::Key_Z); // beyond the last name: the first row
    EXPECT_EQ(w.tWaypoint[1]->text(), QStringLiteral("Alpha"));
}

TEST_F(PlanWindowTest, GermanLocaleReadsPointAndCommaTheSame)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    addAlps();
    tv::frmPlanung& w = open();
    type(w, "Punkt", "48.3012", "11,2530", "S", "W");
    w.cmdNew_Click();
    type(w, "Komma", "48,3012", "11.2530");
    w.cmdNew_Click();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(column("SELECT Lat || ' ' || Long FROM Waypoints ORDER BY Name"),
              "48.3012 11.253|-48.3012 -11.253");
    // The boxes show the user's decimal mark.
    EXPECT_EQ(w.tWaypoint[2]->text(), QStringLiteral("48,3012"));
}

TEST_F(PlanWindowTest, DoubleClickSouthAndWestKeepsTheHemisphere)
{
    addChart("Chile.bmp", -34.00, -33.00, -71.00, -70.00, 500, 500);
    tv::frmPlanung& w = open();
    const auto p = w.planMap().pointOf(-33.0512, -70.5523);
    ASSERT_TRUE(p);
    w.picMap_MouseMove(0, p->x(), p->y());
    EXPECT_EQ(w.lblNS->text(), QStringLiteral("S"));
    EXPECT_TRUE(w.lblLatx->text().startsWith('-'));
    w.picMap_DblClick();
    EXPECT_EQ(w.tNS->text(), QStringLiteral("S"));
    EXPECT_EQ(w.tEW->text(), QStringLiteral("W"));
    EXPECT_FALSE(w.tWaypoint[2]->text().startsWith('-'));
    // The blue mark stands at the cursor's own position.
    EXPECT_EQ(pixel(w, p->x() + 3, p->y()), tv::kMapPointColour);
    w.tWaypoint[1]->setText("Santiago");
    w.cmdNew_Click();
    const double lat = std::stod(column("SELECT Lat FROM Waypoints"));
    const double lon = std::stod(column("SELECT Long FROM Waypoints"));
    EXPECT_NEAR(lat, -33.0512, 0.002);
    EXPECT_NEAR(lon, -70.5523, 0.002);
}

TEST_F(PlanWindowTest, DeletingLeavesAValidCurrentRow)
{
    addAlps();
    addWaypoint("A", 47.1, 10.1);
    addWaypoint("B", 47.2, 10.2);
    addWaypoint("C", 47.3, 10.3);
    tv::frmPlanung& w = open();
    w.cmdNext_Click(); // B
    ASSERT_EQ(w.tWaypoint[1]->text(), QStringLiteral("B"));
    w.cmdDelete_Click();
    EXPECT_EQ(w.tWaypoint[1]->text(), QStringLiteral("C"));
    EXPECT_EQ(w.lblCount->text(), QStringLiteral("2 / 2"));
    w.cmdDelete_Click(); // the last: the one before becomes current
    EXPECT_EQ(w.tWaypoint[1]->text(), QStringLiteral("A"));
    EXPECT_EQ(w.lblCount->text(), QStringLiteral("1 / 1"));
    const auto a = w.planMap().pointOf(47.1, 10.1);
    ASSERT_TRUE(a);
    EXPECT_EQ(pixel(w, a->x() + 3, a->y()), tv::kCurrentWaypointColour);
    w.cmdDelete_Click(); // the only one
    EXPECT_EQ(w.lblCount->text(), QStringLiteral("0 / 0"));
    EXPECT_EQ(column("SELECT COUNT(*) FROM Waypoints"), "0");
    w.cmdDelete_Click(); // nothing left: nothing happens
    EXPECT_TRUE(messages.empty());
}

TEST_F(PlanWindowTest, CategoryFilterWithNoRowsShowsZeroOfZero)
{
    addAlps();
    tv::MainConnection->Execute("INSERT INTO Kategorie (Kategorie, Nummer) VALUES ('VOR', 1), "
                                "('Leer''s', 2)");
    addWaypoint("A", 47.1, 10.1, "VOR");
    addWaypoint("B", 47.2, 10.2);
    tv::frmPlanung& w = open();
    ASSERT_EQ(w.cmbKat->count(), 3);
    EXPECT_EQ(w.cmbKat->itemText(0), QStringLiteral("Alle Wegpunkte"));
    w.cmbKat->setCurrentIndex(2);
    w.cmbKat_Click();
    EXPECT_EQ(w.lblCount->text(), QStringLiteral("0 / 0"));
    w.cmbKat->setCurrentIndex(1);
    w.cmbKat_Click();
    EXPECT_EQ(w.lblCount->text(), QStringLiteral("1 / 1"));
    // A waypoint added while a category is chosen gets it.
    type(w, "C", "47.3", "10.3");
    w.cmdNew_Click();
    EXPECT_EQ(column("SELECT Kategorie FROM Waypoints WHERE Name = 'C'"), "VOR");
}

TEST_F(PlanWindowTest, GridEditsAreCheckedLikeTheBoxes)
{
    addAlps();
    addWaypoint("A", 47.1, 10.1);
    tv::frmPlanung& w = open();
    tv::RecordsetGridModel* m = w.waypointsModel();
    EXPECT_FALSE(m->setData(m->index(0, 1), "47.1.2", Qt::EditRole));
    EXPECT_EQ(lastMessage(), QString::fromUtf8("Bitte Nummer für den Breitengrad eingeben"));
    EXPECT_FALSE(m->setData(m->index(0, 0), "  ", Qt::EditRole));
    EXPECT_EQ(column("SELECT Name || ' ' || Lat FROM Waypoints"), "A 47.1");
    EXPECT_TRUE(m->setData(m->index(0, 1), "-47,25", Qt::EditRole));
    EXPECT_EQ(column("SELECT Lat FROM Waypoints"), "-47.25");
    EXPECT_EQ(w.tNS->text(), QStringLiteral("S"));

    const int64_t r = addRoute("R", 1);
    addPoint(r, 1, "P", 47.1, 10.1);
    w.RequeryLists();
    EXPECT_FALSE(w.routeModel()->flags(w.routeModel()->index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_FALSE(w.routeModel()->setData(w.routeModel()->index(0, 1), "", Qt::EditRole));
    EXPECT_EQ(lastMessage(), QStringLiteral("Bitte eine Streckenbezeichnung eingeben !"));
    EXPECT_TRUE(w.routeModel()->setData(w.routeModel()->index(0, 1), "Alpen", Qt::EditRole));
    EXPECT_EQ(column("SELECT Name FROM Route"), "Alpen");
}

TEST_F(PlanWindowTest, CategoryFilterMovesTheBoxesAndChangeWritesOnlyTheirWaypoint)
{
    addAlps();
    tv::MainConnection->Execute(
        "INSERT INTO Kategorie (Kategorie, Nummer) VALUES ('Flugplätze', 1)");
    addWaypoint("EDMA", 48.2533, 10.5340, "Flugplätze");
    addWaypoint("Ulm", 48.2400, 9.5900);
    tv::frmPlanung& w = open();
    w.cmdNext_Click();
    ASSERT_EQ(w.tWaypoint[1]->text(), QStringLiteral("Ulm"));
    w.cmbKat->setCurrentIndex(1);
    w.cmbKat_Click();
    EXPECT_EQ(w.tWaypoint[1]->text(), QStringLiteral("EDMA"));
    EXPECT_EQ(w.tWaypoint[2]->text(), QStringLiteral("48.2533"));
    w.cmdChange->click();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(column("SELECT Name || ' ' || Lat || ' ' || Long FROM Waypoints ORDER BY Name"),
              "EDMA 48.2533 10.534|Ulm 48.24 9.59");
}

TEST_F(PlanWindowTest, ChangeAndDeleteOfALockedFileSayDataErrorAndShowWhatIsStored)
{
    addAlps();
    addWaypoint("A", 47.1, 10.1);
    addWaypoint("B", 47.2, 10.2);
    tv::frmPlanung& w = open();
    {
        tvtest::WriteLock lock(dir / "data.tvd");
        tv::Language = 0;
        type(w, "Anders", "47.5", "10.5");
        w.cmdChange->click();
        tv::Language = 1;
        w.cmdDelete->click();
    }
    ASSERT_EQ(messages.size(), 2u);
    const QString file = QString::fromStdString((dir / "data.tvd").string());
    EXPECT_EQ(messages[0].text, "Der Wegpunkt konnte nicht gespeichert werden.\n\nDie Datei " +
                                    file + " wird von einem anderen Programm gesperrt.");
    EXPECT_EQ(messages[0].title, QStringLiteral("Datenfehler"));
    EXPECT_EQ(messages[1].text, "The waypoint could not be deleted.\n\nThe file " + file +
                                    " is locked by another program.");
    EXPECT_EQ(messages[1].title, QStringLiteral("Data error"));
    EXPECT_EQ(w.tWaypoint[1]->text(), QStringLiteral("A"));
    EXPECT_EQ(w.tWaypoint[2]->text(), QStringLiteral("47.1"));
    EXPECT_EQ(w.lblCount->text(), QStringLiteral("1 / 2"));
    const tv::RecordsetGridModel* m = w.waypointsModel();
    EXPECT_EQ(m->index(0, 0).data().toString(), QStringLiteral("A"));
    EXPECT_EQ(m->index(0, 1).data().toString(), QStringLiteral("47.1"));
    EXPECT_EQ(column("SELECT Name || ' ' || Lat FROM Waypoints ORDER BY Name"), "A 47.1|B 47.2");
}

TEST_F(PlanWindowTest, PositionsBeyondThePolesOrTheDateLineAreRefusedAtEntry)
{
    addAlps();
    addWaypoint("A", 47.1, 10.1);
    tv::frmPlanung& w = open();
    struct Case
    {
        const char *lat, *lon, *ns, *ew;
        int16_t language;
        const char* message; // nullptr: stored
    };
    const Case boxes[] = {
        {"91", "10", "N", "E", 0, "Bitte einen Breitengrad bis 90° eingeben"},
        {"90.01", "10", "S", "E", 1, "Please enter a latitude of at most 90°"},
        {"48", "180.5", "N", "W", 0, "Bitte einen Längengrad bis 180° eingeben"},
        {"-91", "10", "N", "E", 1, "Please enter a latitude of at most 90°"},
        {"90", "-180", "S", "E", 0, nullptr},
    };
    for (const Case& c : boxes) {
        messages.clear();
        tv::Language = c.language;
        type(w, "P", c.lat, c.lon, c.ns, c.ew);
        w.cmdNew_Click();
        EXPECT_EQ(lastMessage(), c.message ? QString::fromUtf8(c.message) : QString()) << c.lat;
    }
    EXPECT_EQ(column("SELECT Lat || ' ' || Long FROM Waypoints WHERE Name = 'P'"), "-90.0 -180.0");

    tv::Language = 0;
    tv::RecordsetGridModel* m = w.waypointsModel();
    EXPECT_FALSE(m->setData(m->index(0, 1), "-91", Qt::EditRole));
    EXPECT_EQ(lastMessage(), QString::fromUtf8("Bitte einen Breitengrad bis 90° eingeben"));
    EXPECT_FALSE(m->setData(m->index(0, 2), "181", Qt::EditRole));
    EXPECT_EQ(lastMessage(), QString::fromUtf8("Bitte einen Längengrad bis 180° eingeben"));
    EXPECT_EQ(column("SELECT Lat || ' ' || Long FROM Waypoints WHERE Name = 'A'"), "47.1 10.1");
}

TEST_F(PlanWindowTest, NamesLongerThanTheDataFileHoldsAreRefusedBeforeAnythingIsStored)
{
    addAlps();
    addWaypoint("A", 47.1, 10.1);
    addPoint(addRoute("R", 1), 1, "A", 47.1, 10.1);
    tv::frmPlanung& w = open();
    auto cell = [](tv::RecordsetGridModel* m, int c) {
        return [=](const QString& name) { m->setData(m->index(0, c), name, Qt::EditRole); };
    };
    auto boxes = [&w](void (tv::frmPlanung::*click)()) {
        return [&w, click](const QString& name) {
            type(w, name, "47.2", "10.2");
            (w.*click)();
        };
    };
    auto newRoute = [&w](const QString& name) {
        tv::setInputBoxHook([name](const QString&) { return name; });
        w.cmdNewRoute_Click();
    };
    using Kind = tv::NameKind; // each surface fills its names with its own letter
    const std::tuple<char16_t, const char*, Kind, std::function<void(const QString&)>> surfaces[] =
        {{u'a', "Waypoints", Kind::Waypoint, boxes(&tv::frmPlanung::cmdNew_Click)},
         {u'ä', "Waypoints", Kind::Waypoint, boxes(&tv::frmPlanung::cmdChange_Click)},
         {u'b', "Waypoints", Kind::Waypoint, cell(w.waypointsModel(), 0)},
         {u'd', "Route", Kind::Route, cell(w.routeModel(), 1)},
         {u'e', "GpsPoints", Kind::RoutePoint, cell(w.pointsModel(), 1)},
         {u'c', "Route", Kind::Route, newRoute}}; // last: the new route has no points
    for (const auto& [fill, table, kind, enter] : surfaces) {
        for (const int length : {255, 256, 300}) {
            messages.clear();
            tv::Language = length == 300 ? 1 : 0;
            const QString name(length, QChar(fill));
            enter(name);
            const std::string refused =
                length > 255 ? tv::nameTooLongMessage(kind, tv::Language) : "";
            EXPECT_EQ(lastMessage().toStdString(), refused) << table;
            EXPECT_EQ(column(std::string("SELECT COUNT(*) FROM ") + table + " WHERE Name = ?",
                             {name.toStdString()}),
                      refused.empty() ? "1" : "0")
                << table << length;
        }
    }
}

TEST_F(PlanWindowTest, EveryCaptionAndHeaderReadsWholeInBothLanguages)
{
    addAlps();
    addWaypoint("Donauwörth", -48.4310, -170.4678);
    const int64_t r = addRoute("Stuttgart - Augsburg", 1);
    addPoint(r, 1, "Göppingen", 48.4, 9.4);
    for (const int16_t language : {0, 1}) {
        tv::Language = language;
        for (const QSize size : {QSize(1280, 740), QSize(1600, 940)}) {
            tv::frmPlanung& w = open(size.width(), size.height());
            w.show();
            const std::string where =
                std::to_string(language) + " at " + std::to_string(size.width());
            for (QLabel* label :
                 {w.Label1, w.Label2, w.Label3, w.Label4, w.Label5, w.Label6, w.Label7}) {
                EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                          label->contentsRect().width())
                    << label->text().toStdString() << ", " << where;
            }
            for (QTableView* grid : {w.gridWaypoints, w.gridRoute, w.gridPoints}) {
                QHeaderView* header = grid->horizontalHeader();
                int total = 0;
                for (int c = 0; c < header->count(); ++c) {
                    EXPECT_GE(header->sectionSize(c), header->sectionSizeHint(c))
                        << grid->objectName().toStdString() << " column " << c << ", " << where;
                    total += header->sectionSize(c);
                }
                EXPECT_LE(total, grid->viewport()->width())
                    << grid->objectName().toStdString() << ", " << where;
            }
            tv::forms().unload(&w);
            flushDeletes();
        }
    }
}
