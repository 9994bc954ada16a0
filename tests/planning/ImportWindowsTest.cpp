#include "support/HeldDataFile.h"
#include "support/WindowTestBase.h"

#include "core/Variablen.h"
#include "planning/frmExport.h"
#include "planning/frmGetWaypoints.h"
#include "planning/frmImport.h"
#include "platform/Recordset.h"
#include "schema/TestDb.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <new>

using namespace std::string_literals;

namespace {

class ImportWindows : public tvtest::WindowTestBase
{
protected:
    void SetUp() override
    {
        WindowTestBase::SetUp();
        tv::schema::LayoutOptions options;
        options.airports = true;
        layout(options);
        openMainConnection();
        tv::AirportConnection = std::make_shared<tv::Connection>();
        tv::AirportConnection->Open((dir / "tvdata.tvd").string());
        tv::AptDataAvailable = true;
        sql(R"(
            INSERT INTO Route (RouteID, Name, Nummer) VALUES
                (1, 'Alpen', 1), (2, 'O''Brien', 2), (3, 'Alpen', 3), (4, 'Leer', 4);
            INSERT INTO GpsPoints (RouteID, Nummer, PointID, Name, Lat, Long) VALUES
                (1, 1, 0, 'EDNY', 47.4018, 9.3042), (2, 1, 0, 'EDDM', 48.2113, 11.4709),
                (3, 1, 0, 'LOWI', 47.1537, 11.2040);
            INSERT INTO Kategorie (Kategorie, Nummer) VALUES ('Flugplatz', 1), ('Stadt', 2);)");
    }

    void TearDown() override
    {
        tv::frmImport::setFileChooserForTesting(nullptr);
        WindowTestBase::TearDown();
    }

    void sql(const std::string& text) { tvtest::TestDb(dir / "data.tvd").exec(text); }
    std::vector<std::string> column(const std::string& text)
    {
        return tvtest::TestDb(dir / "data.tvd").column(text);
    }

    // Counts the routes an import announces as stored.
    void countStored(int& stored)
    {
        QObject::connect(&tv::forms().get<tv::frmImport>(), &tv::frmImport::routeStored,
                         [&stored] { ++stored; });
    }

    // Every row of the tables an import writes.
    std::vector<std::string> routeTables()
    {
        std::vector<std::string> rows;
        for (const char* sql : {"SELECT 'W' || quote(Name) || quote(Lat) FROM Waypoints",
                                "SELECT 'R' || quote(Name) || quote(Nummer) FROM Route",
                                "SELECT 'P' || RouteID || quote(Name) FROM GpsPoints"}) {
            for (std::string& row : column(sql))
                rows.push_back(std::move(row));
        }
        return rows;
    }

    // The export as the plan window opens it, with its current route (if any) selected.
    tv::frmExport& exportWindow(std::optional<std::int64_t> planRoute = std::nullopt)
    {
        tv::frmExport& w = tv::forms().get<tv::frmExport>();
        w.selectRoute(planRoute);
        return w;
    }
};

TEST_F(ImportWindows, ExportWindowSpeaksBothLanguages)
{
    tv::Language = 0;
    tv::frmExport& w = exportWindow();
    w.Form_Activate();
    EXPECT_EQ(w.windowTitle(), "Strecke exportieren");
    EXPECT_EQ(w.Label1->text(), "Verzeichnis");
    EXPECT_EQ(w.Label2->text(), "Strecke auswählen");
    EXPECT_EQ(w.cmdExport->text(), "Speichern");
    tv::Language = 1;
    w.Form_Activate();
    EXPECT_EQ(w.windowTitle(), "Export route");
    EXPECT_EQ(w.Label1->text(), "Directory");
    EXPECT_EQ(w.Label2->text(), "Select route");
    EXPECT_EQ(w.cmdExport->text(), "Save");
}

TEST_F(ImportWindows, ExportSavesThePlanWindowsRouteAndSaysWhere)
{
    tv::frmExport& w = exportWindow(3); // the second route named Alpen
    ASSERT_EQ(w.cmbRoute->count(), 4);
    EXPECT_EQ(w.cmbRoute->currentIndex(), 2);
    EXPECT_EQ(w.lblSave->text().toStdString(), (dir / "Route" / "").string());

    w.cmdExport_Click();
    const auto file = dir / "Route" / "Alpen.tvr";
    EXPECT_EQ(w.lblSave->text().toStdString(), file.string());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Strecke gespeichert");
    EXPECT_EQ(messages[0].text, "Strecke: Alpen wurde gespeichert.");
    tv::Recordset back;
    back.OpenFile(file);
    EXPECT_EQ(back.Field("Name").toString(), "LOWI");
}

TEST_F(ImportWindows, ExportOfARouteWithAnApostrophe)
{
    tv::Language = 1;
    tv::frmExport& w = exportWindow(2);
    EXPECT_EQ(w.cmbRoute->currentText(), "O'Brien");
    w.cmdExport_Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Route saved");
    EXPECT_EQ(messages[0].text, "Route: O'Brien was saved.");
    EXPECT_TRUE(exists("Route/O'Brien.tvr"));
}

TEST_F(ImportWindows, ExportPreselectsThePlanWindowsRouteWhicheverCellIsCurrent)
{
    const std::vector<std::pair<std::optional<std::int64_t>, int>> cases = {
        {2, 1}, {3, 2}, {4, 3}, {std::nullopt, 0}};
    for (const auto& [route, index] : cases) {
        tv::frmExport& w = exportWindow(route);
        EXPECT_EQ(w.cmbRoute->currentIndex(), index) << route.value_or(-1);
        tv::forms().unload(&w);
        flushDeletes();
    }
}

TEST_F(ImportWindows, ExportOfALongRouteNameStaysOnTheScreen)
{
    std::string name;
    for (int i = 0; i < 125; ++i)
        name += "\xC3\xBC"; // ü: 250 bytes
    sql("UPDATE Route SET Name = '" + name + "' WHERE RouteID = 1");
    tv::frmExport& w = exportWindow(1);
    w.show();
    QApplication::processEvents();
    const int width = w.width();
    w.cmdExport_Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Strecke gespeichert");
    EXPECT_TRUE(exists("Route/" + name + ".tvr"));
    QApplication::processEvents();
    EXPECT_EQ(w.width(), width);
    EXPECT_EQ(w.lblSave->toolTip().toStdString(), (dir / "Route" / (name + ".tvr")).string());
    w.hide();
}

TEST_F(ImportWindows, ExportOfAnEmptyRouteNamesIt)
{
    tv::frmExport& w = exportWindow();
    w.cmbRoute->setCurrentIndex(3);
    w.cmdExport_Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Fehler in Strecke");
    EXPECT_EQ(messages[0].text, "Flugstrecke - Leer - enthält keine Wegpunkte...");
    EXPECT_FALSE(exists("Route/Leer.tvr"));
}

TEST_F(ImportWindows, ExportWithoutRoutesDoesNothing)
{
    sql("DELETE FROM Route");
    tv::frmExport& w = exportWindow();
    EXPECT_EQ(w.cmbRoute->count(), 0);
    EXPECT_TRUE(w.lblSave->text().isEmpty());
    w.cmdExport_Click();
    EXPECT_TRUE(messages.empty());
}

TEST_F(ImportWindows, ImportAsksForARouteFileAndCancelEndsQuietly)
{
    tv::Language = 0;
    std::vector<tv::RouteFileDialogText> asked;
    tv::frmImport::setFileChooserForTesting([&](const tv::RouteFileDialogText& t) {
        asked.push_back(t);
        return QString();
    });
    int stored = 0;
    countStored(stored);
    tv::forms().get<tv::frmImport>().GetRoute();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].title, "Tramvik Route importieren ");
    EXPECT_EQ(asked[0].filters[asked[0].selectedFilter], "Tramvik Route (*.tvr)");
    EXPECT_EQ(asked[0].defaultSuffix, "tvr");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(stored, 0);
    flushDeletes();
    EXPECT_EQ(tv::forms().find<tv::frmImport>(), nullptr);
}

TEST_F(ImportWindows, ImportReportsDifferencesThenTheRouteAfterItWasStored)
{
    // A route file made by the export, then one point moved in the database.
    exportWindow().cmdExport_Click(); // Alpen (route 1): EDNY
    sql("INSERT INTO Waypoints (Name, Lat, Long) VALUES ('edny', 47.5, 9.3042);");
    messages.clear();
    tv::Language = 1;
    const auto file = dir / "Route" / "Alpen.tvr";
    tv::frmImport::setFileChooserForTesting(
        [&](const tv::RouteFileDialogText&) { return QString::fromStdString(file.string()); });
    std::vector<std::string> routesWhenStored;
    std::size_t messagesWhenStored = 0;
    QObject::connect(&tv::forms().get<tv::frmImport>(), &tv::frmImport::routeStored, [&] {
        routesWhenStored = column("SELECT count(*) FROM Route");
        messagesWhenStored = messages.size();
    });
    tv::forms().get<tv::frmImport>().GetRoute();

    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].title, "Datenunterschied"); // German in the English program too
    EXPECT_TRUE(messages[0].text.startsWith("Der Punkt: EDNY unterscheidet sich"));
    EXPECT_EQ(messages[1].title, "Data imported");
    EXPECT_EQ(messages[1].text, "Route: Alpen was added to the database");
    EXPECT_EQ(routesWhenStored, std::vector<std::string>{"5"});
    EXPECT_EQ(messagesWhenStored, 1u); // before the route's own message
    EXPECT_EQ(column("SELECT Name || ' ' || Lat FROM GpsPoints WHERE RouteID = 5"),
              std::vector<std::string>{"edny 47.5"});
}

TEST_F(ImportWindows, ImportOfABadFileShowsTheErrorOnly)
{
    writeFile("Kaputt.tvr", "<xml>");
    tv::frmImport::setFileChooserForTesting([&](const tv::RouteFileDialogText&) {
        return QString::fromStdString((dir / "Kaputt.tvr").string());
    });
    int stored = 0;
    countStored(stored);
    tv::forms().get<tv::frmImport>().GetRoute();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Datenfehler");
    EXPECT_EQ(messages[0].text, "Fehler beim Einlesen der Wegpunkte");
    EXPECT_EQ(stored, 0);
    EXPECT_EQ(column("SELECT count(*) FROM Route"), std::vector<std::string>{"4"});
}

TEST_F(ImportWindows, ImportThatFailsInAnyWayShowsTheErrorStoresNothingAndUnloads)
{
    std::string deep = "<xml>";
    for (int i = 0; i < 1000000; ++i)
        deep += "<a>";
    // UTF-16LE: <xml><r N='\u2227' and 100,000 attributes.
    std::string crowded = "\xFF\xFE<\0x\0m\0l\0>\0<\0r\0 \0N\0=\0'\0\x27\x22'\0"s;
    for (int i = 0; i < 100000; ++i) {
        for (const char c : " a" + std::to_string(i) + "='1'")
            crowded += std::string{c, '\0'};
    }
    writeFile("Tief.tvr", deep);
    writeFile("Voll.tvr", crowded);
    writeFile("Gross.tvr", "<xml>");
    std::filesystem::resize_file(dir / "Gross.tvr", 100u * 1024 * 1024);
    exportWindow().cmdExport_Click(); // Alpen: EDNY
    std::string beyondThePole = file("Route/Alpen.tvr");
    beyondThePole.replace(beyondThePole.find("Lat='47.4018'"), 13, "Lat='91'");
    writeFile("Nordpol.tvr", beyondThePole);

    struct Case
    {
        const char* file;
        std::string text;
        bool outOfMemory = false;
    };
    const std::vector<Case> cases = {
        {"Tief.tvr", "Error reading waypoint data"},
        {"Voll.tvr", "Error reading waypoint data"},
        {"Gross.tvr", "Error reading waypoint data"},
        {"Nordpol.tvr", "Error reading waypoint data\n\nRoute point 1 (EDNY): the latitude 91 "
                        "is not between -90 and 90."},
        {"Route/Alpen.tvr",
         "The data could not be written.\n\nThere is not enough memory for the file " +
             (dir / "data.tvd").string() + ".",
         true},
    };
    tv::Language = 1;
    const auto before = routeTables();
    for (const Case& c : cases) {
        messages.clear();
        tv::frmImport::setFileChooserForTesting([&](const tv::RouteFileDialogText&) {
            return QString::fromStdString((dir / c.file).string());
        });
        if (c.outOfMemory) {
            tv::setImportRowHookForTesting([](std::size_t) { throw std::bad_alloc(); });
        }
        tv::forms().get<tv::frmImport>().GetRoute();
        tv::setImportRowHookForTesting(nullptr);
        ASSERT_EQ(messages.size(), 1u) << c.file;
        EXPECT_EQ(messages[0].title, "Data error") << c.file;
        EXPECT_EQ(messages[0].text.toStdString(), c.text) << c.file;
        EXPECT_EQ(routeTables(), before) << c.file;
        flushDeletes();
        EXPECT_EQ(tv::forms().find<tv::frmImport>(), nullptr) << c.file;
    }
}

class AirportWindow : public ImportWindows
{
protected:
    void SetUp() override
    {
        ImportWindows::SetUp();
        tvtest::TestDb(dir / "tvdata.tvd").exec(R"(
                INSERT INTO ICAOCODE (ICAO, Name) VALUES ('ED', 'Deutschland'), ('LO', 'Österreich');
                INSERT INTO ARPT (ICAO, WGS_DLAT, WGS_DLONG) VALUES
                    ('EDDM', 48.5, 11.75), ('EDNY', 47.671, 9.511), ('LOWI', 47.26, 11.343),
                    ('XXAA', -0.5, -0.75);)");
    }

    void tick(tv::frmGetWaypoints& w, const QString& name)
    {
        const auto items = w.listAP->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        items[0]->setCheckState(Qt::Checked);
    }
};

TEST_F(AirportWindow, ListsCountriesAndCountsTheTickedAirports)
{
    tv::frmGetWaypoints& w = tv::forms().get<tv::frmGetWaypoints>();
    QStringList names;
    for (int i = 0; i < w.listAP->count(); ++i)
        names << w.listAP->item(i)->text();
    EXPECT_EQ(names, (QStringList{"Deutschland", "Kein Land gefunden", "Österreich"}));
    EXPECT_TRUE(w.lblCount->text().isEmpty());
    EXPECT_EQ(w.cmbKategorie->currentText(), "Flugplatz");
    EXPECT_EQ(w.cmdTransfer->text().replace('\n', ' '),
              "Flughäfen in Kategorie Flugplatz importieren");
    tick(w, "Österreich");
    EXPECT_EQ(w.lblCount->text(), "1 Flughafen");
    tick(w, "Deutschland");
    EXPECT_EQ(w.lblCount->text(), "3 Flughäfen");
}

TEST_F(AirportWindow, TransferStoresTheChosenCategoryAndReports)
{
    tv::frmGetWaypoints& w = tv::forms().get<tv::frmGetWaypoints>();
    w.cmbKategorie->setCurrentIndex(1);
    w.cmbKategorie_Click();
    EXPECT_EQ(w.cmdTransfer->text().replace('\n', ' '), "Flughäfen in Kategorie Stadt importieren");
    tick(w, "Deutschland");
    tick(w, "Kein Land gefunden");
    w.cmdTransfer_Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "3 Flughäfen hinzugefügt");
    EXPECT_EQ(messages[0].text, "Es wurden 3 Flughäfen hinzugefügt.");
    EXPECT_EQ(column("SELECT Name || ' ' || Kategorie FROM Waypoints ORDER BY Name"),
              (std::vector<std::string>{"EDDM Stadt", "EDNY Stadt", "XXAA Stadt"}));
    w.cmdTransfer_Click();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].title, "Nichts hinzugefügt");
}

TEST_F(AirportWindow, FailedTransferAddsNothingAndSaysSo)
{
    tv::frmGetWaypoints& w = tv::forms().get<tv::frmGetWaypoints>();
    tick(w, "Deutschland");
    tick(w, "Österreich");
    {
        tvtest::HeldDataFile held(dir / "data.tvd");
        w.cmdTransfer_Click();
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Datenfehler");
    EXPECT_EQ(messages[0].text.toStdString(),
              "Fehler beim Import der Flughäfen. Es wurde nichts hinzugefügt.\n\nDie Datei " +
                  (dir / "data.tvd").string() + " wird von einem anderen Programm gesperrt.");
    EXPECT_EQ(column("SELECT count(*) FROM Waypoints"), std::vector<std::string>{"0"});
}

TEST_F(AirportWindow, WithoutCategoriesTheAirportsGetNone)
{
    sql("DELETE FROM Kategorie");
    tv::frmGetWaypoints& w = tv::forms().get<tv::frmGetWaypoints>();
    EXPECT_EQ(w.cmbKategorie->count(), 0);
    tick(w, "Österreich");
    w.cmdTransfer_Click();
    EXPECT_EQ(column("SELECT quote(Kategorie) FROM Waypoints"), std::vector<std::string>{"''"});
    EXPECT_EQ(messages.at(0).title, "Flughafen hinzugefügt");
}

} // namespace
