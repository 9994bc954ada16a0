#include "ImportFixture.h"

#include "planning/RouteImport.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

using importtest::ProgramFolder;

namespace {

const char* const kHead = R"(<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'
    xmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'
    xmlns:rs='urn:schemas-microsoft-com:rowset' xmlns:z='#RowsetSchema'>
<s:Schema id='RowsetSchema'><s:ElementType name='row' content='eltOnly'>)";

std::string column(const char* name, const char* type)
{
    return std::string("<s:AttributeType name='") + name + "'><s:datatype dt:type='" + type +
           "'/></s:AttributeType>";
}

// A route file with the columns Name, Lat and Long (Lat of `latType`) and the given rows.
std::string routeFile(const std::string& rows, const char* latType = "float")
{
    return kHead + column("Name", "string") + column("Lat", latType) + column("Long", "float") +
           "</s:ElementType></s:Schema><rs:data>" + rows + "</rs:data></xml>";
}

class RouteImportRefusals : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.mainSql(R"(
            INSERT INTO Waypoints (Name, Lat, Long, Kategorie) VALUES
                ('EDNY', 47.4018, 9.3042, 'Flugplatz'), ('Überlingen', 47.46, 9.1, ''),
                ('Ohne Lage', NULL, NULL, '');
            INSERT INTO Route (Name, Nummer) VALUES ('Erste', 1), ('Dritte', 3);
            INSERT INTO GpsPoints (RouteID, Nummer, PointID, Name, Lat, Long) VALUES
                (1, 1, 1, 'EDNY', 47.4018, 9.3042);)");
    }

    tv::RouteImportResult import(const std::string& name, const std::string& content)
    {
        tvtest::writeFile(db / name, content);
        return tv::importRouteFile(db.data, db / name);
    }

    ProgramFolder db;
};

TEST_F(RouteImportRefusals, UnusableFilesStoreNothing)
{
    const std::vector<std::pair<std::string, std::string>> files = {
        {"not XML", "Strecke: EDNY, EDDF"},
        {"cut short", routeFile("<z:row Name='A' Lat='1' Long='2'/>").substr(0, 300)},
        {"no Name column",
         std::string(kHead) + column("Lat", "float") + column("Long", "float") +
             "</s:ElementType></s:Schema><rs:data><z:row Lat='1' Long='2'/></rs:data></xml>"},
        {"no rows", routeFile("")},
        {"Lat is text", routeFile("<z:row Name='A' Lat='1' Long='2'/>"
                                  "<z:row Name='B' Lat='Nord' Long='2'/>",
                                  "string")},
        {"Lat beyond the pole", routeFile("<z:row Name='A' Lat='90.5' Long='2'/>")},
        {"Long beyond the date line", routeFile("<z:row Name='A' Lat='1' Long='-180.01'/>")},
        {"Lat empty", routeFile("<z:row Name='A' Lat='' Long='2'/>")},
    };
    const auto before = db.routeTables();
    for (const auto& [what, content] : files) {
        const tv::RouteImportResult r = import("Nord.tvr", content);
        EXPECT_FALSE(r.imported) << what;
        EXPECT_FALSE(r.problem.reason.empty()) << what;
        EXPECT_EQ(db.routeTables(), before) << what;
    }
    EXPECT_FALSE(tv::importRouteFile(db.data, db / "nicht da.tvr").imported);
    EXPECT_EQ(db.routeTables(), before);
}

TEST_F(RouteImportRefusals, ALockedDataFileIsNamedWithTheReasonAndAnUnreadableFileBlamesIt)
{
    sqlite3_busy_timeout(db.data.handle(), 0); // the lock is not let go: no need to wait for it
    const std::string good = routeFile("<z:row Name='Neu' Lat='1' Long='2'/>");
    struct Case
    {
        const char* what;
        std::string content;
        bool locked;
        std::string german;
        std::string english;
    };
    const std::string file = (db / "data.tvd").string();
    const Case cases[] = {
        {"another program writes", good, true,
         "Die Daten konnten nicht gespeichert werden.\n\nDie Datei " + file +
             " wird von einem anderen Programm gesperrt.",
         "The data could not be written.\n\nThe file " + file + " is locked by another program."},
        {"the file is cut short", good.substr(0, good.size() - 40), false,
         "Fehler beim Einlesen der Wegpunkte", "Error reading waypoint data"},
    };
    const auto before = db.routeTables();
    for (const Case& c : cases) {
        tvtest::TestDb other(db / "data.tvd");
        if (c.locked)
            other.exec("BEGIN IMMEDIATE");
        const tv::RouteImportResult r = import("Nord.tvr", c.content);
        EXPECT_FALSE(r.imported) << c.what;
        EXPECT_EQ(tv::routeImportFailedMessage(0, r.problem).title, "Datenfehler") << c.what;
        EXPECT_EQ(tv::routeImportFailedMessage(0, r.problem).text, c.german) << c.what;
        EXPECT_EQ(tv::routeImportFailedMessage(1, r.problem).text, c.english) << c.what;
        if (c.locked)
            other.exec("ROLLBACK");
        EXPECT_EQ(db.routeTables(), before) << c.what;
    }
}

TEST_F(RouteImportRefusals, NumbersWrittenAsTextAndMissingCoordinatesAreAccepted)
{
    const tv::RouteImportResult r =
        import("Text.tvr",
               routeFile("<z:row Name='A' Lat=' 48.5 ' Long='-11'/><z:row Name='B'/>", "string"));
    ASSERT_TRUE(r.imported) << r.problem.reason;
    EXPECT_EQ(db.column("SELECT quote(Lat) || ' ' || quote(Long) FROM GpsPoints WHERE RouteID = " +
                        std::to_string(r.routeId) + " ORDER BY Nummer"),
              (std::vector<std::string>{"48.5 -11.0", "NULL NULL"}));
}

TEST_F(RouteImportRefusals, DatabaseFailureInTheLastStepRollsEverythingBack)
{
    db.mainSql("CREATE TRIGGER Voll BEFORE INSERT ON GpsPoints WHEN NEW.Nummer = 2 "
               "BEGIN SELECT RAISE(ABORT, 'disk full'); END;");
    const auto before = db.routeTables();
    const tv::RouteImportResult r =
        import("Neu.tvr", routeFile("<z:row Name='Neu 1' Lat='1' Long='2'/>"
                                    "<z:row Name='Neu 2' Lat='3' Long='4'/>"));
    EXPECT_FALSE(r.imported);
    EXPECT_NE(r.problem.reason.find("disk full"), std::string::npos) << r.problem.reason;
    EXPECT_EQ(db.routeTables(), before);
    EXPECT_TRUE(r.differingNames.empty());
}

TEST_F(RouteImportRefusals, EveryImportAddsARouteAtTheEndOfTheList)
{
    const std::string content = routeFile("<z:row Name='edny' Lat='47.4018' Long='9.3042'/>"
                                          "<z:row Name='Neu' Lat='1' Long='2'/>");
    const tv::RouteImportResult first = import("Nord.tvr", content);
    const tv::RouteImportResult second = import("Nord.tvr", content);
    ASSERT_TRUE(first.imported && second.imported);
    // Routes numbered 1, 3: the import comes at 4, the next at 5; nothing is renumbered.
    EXPECT_EQ(db.column("SELECT Name || ' ' || Nummer FROM Route ORDER BY Nummer"),
              (std::vector<std::string>{"Erste 1.0", "Dritte 3.0", "Nord 4.0", "Nord 5.0"}));
    EXPECT_EQ(first.waypointsAdded, 1); // "edny" is EDNY; "Neu" is new
    EXPECT_EQ(second.waypointsAdded, 0);
    EXPECT_EQ(db.column("SELECT count(*) FROM Waypoints WHERE Name = 'Neu'"),
              std::vector<std::string>{"1"});
    // The route point copies the stored waypoint, its name as stored.
    EXPECT_EQ(db.column("SELECT Name || ' ' || Nummer FROM GpsPoints WHERE RouteID = " +
                        std::to_string(second.routeId) + " ORDER BY Nummer"),
              (std::vector<std::string>{"EDNY 1.0", "Neu 2.0"}));
}

TEST_F(RouteImportRefusals, StoredWaypointAtOtherCoordinatesKeepsThemAndIsReported)
{
    const tv::RouteImportResult r =
        import("Bodensee.tvr", routeFile("<z:row Name='ÜBERLINGEN' Lat='47.5' Long='9.1'/>"
                                         "<z:row Name='EDNY' Lat='47.4018' Long='9.3042'/>"
                                         "<z:row Name='Ohne Lage' Lat='50' Long='8'/>"
                                         "<z:row Name='EDNY'/>"));
    ASSERT_TRUE(r.imported) << r.problem.reason;
    // Same coordinates, or a missing value on either side, is no difference.
    EXPECT_EQ(r.differingNames, std::vector<std::string>{"ÜBERLINGEN"});
    EXPECT_EQ(r.waypointsAdded, 0);
    EXPECT_EQ(db.column("SELECT Lat FROM Waypoints WHERE Name = 'Überlingen'"),
              std::vector<std::string>{"47.46"});
    EXPECT_EQ(db.column("SELECT Name || ' ' || quote(Lat) FROM GpsPoints WHERE RouteID = " +
                        std::to_string(r.routeId) + " ORDER BY Nummer"),
              (std::vector<std::string>{"Überlingen 47.46", "EDNY 47.4018", "Ohne Lage NULL",
                                        "EDNY 47.4018"}));
}

TEST_F(RouteImportRefusals, NamelessRowsBecomeOneWaypointWithAnEmptyName)
{
    const tv::RouteImportResult r =
        import("Leer.tvr", routeFile("<z:row Lat='1' Long='2'/><z:row Lat='1' Long='2'/>"));
    ASSERT_TRUE(r.imported) << r.problem.reason;
    EXPECT_EQ(r.waypointsAdded, 1);
    EXPECT_EQ(db.column("SELECT quote(Name) FROM Waypoints WHERE Lat = 1"),
              std::vector<std::string>{"''"});
    EXPECT_EQ(r.pointsAdded, 2);
}

TEST_F(RouteImportRefusals, RowThatCannotBeAWaypointIsNamedInTheMessage)
{
    struct Case
    {
        std::string row;
        const char* latType;
        std::string german;
        std::string english;
    };
    std::vector<Case> cases = {
        {"<z:row Name='Nordpol' Lat='91' Long='0'/>", "float",
         "Streckenpunkt 3 (Nordpol): der Breitengrad 91 liegt nicht zwischen -90 und 90.",
         "Route point 3 (Nordpol): the latitude 91 is not between -90 and 90."},
        {"<z:row Name='Datumsgrenze' Lat='1' Long='-180.5'/>", "float",
         "Streckenpunkt 3 (Datumsgrenze): der Längengrad -180.5 liegt nicht zwischen -180 und "
         "180.",
         "Route point 3 (Datumsgrenze): the longitude -180.5 is not between -180 and 180."},
        {"<z:row Name='Sechzig' Lat='48.75' Long='9'/>", "float",
         "Streckenpunkt 3 (Sechzig): der Breitengrad 48.75 ist keine Angabe in Grad und Minuten "
         "(Minuten 00 bis 59).",
         "Route point 3 (Sechzig): the latitude 48.75 is not in degrees and minutes (minutes 00 "
         "to 59)."},
        {"<z:row Name='Irgendwo' Lat='Nord' Long='2'/>", "string",
         "Streckenpunkt 3 (Irgendwo): der Breitengrad \"Nord\" ist keine Zahl.",
         "Route point 3 (Irgendwo): the latitude \"Nord\" is not a number."},
        {"<z:row Lat='1' Long=''/>", "float",
         "Streckenpunkt 3 (): der Längengrad \"\" ist keine Zahl.",
         "Route point 3 (): the longitude \"\" is not a number."},
    };
    for (const std::size_t length : {256, 300}) {
        const std::string name = tv::nameForMessage(std::string(length, 'N'));
        cases.push_back(
            {"<z:row Name='" + std::string(length, 'N') + "' Lat='1' Long='2'/>", "float",
             "Streckenpunkt 3 (" + name + "): der Name ist zu lang (höchstens 255 Zeichen).",
             "Route point 3 (" + name + "): the name is too long (at most 255 characters)."});
    }
    const auto before = db.routeTables();
    for (const Case& c : cases) {
        const tv::RouteImportResult r =
            import("Weit.tvr", routeFile("<z:row Name='A' Lat='1' Long='2'/>"
                                         "<z:row Name='B' Lat='3' Long='4'/>" +
                                             c.row,
                                         c.latType));
        EXPECT_FALSE(r.imported) << c.row;
        EXPECT_EQ(db.routeTables(), before);
        EXPECT_EQ(tv::routeImportFailedMessage(0, r.problem).text,
                  "Fehler beim Einlesen der Wegpunkte\n\n" + c.german);
        EXPECT_EQ(tv::routeImportFailedMessage(1, r.problem).text,
                  "Error reading waypoint data\n\n" + c.english);
    }
}

TEST(RouteImportMessages, AreTheProgramsOwnTexts)
{
    EXPECT_EQ(tv::routeImportFailedMessage(0).title, "Datenfehler");
    EXPECT_EQ(tv::routeImportFailedMessage(0).text, "Fehler beim Einlesen der Wegpunkte");
    EXPECT_EQ(tv::routeImportFailedMessage(1).title, "Data error");
    EXPECT_EQ(tv::routeImportFailedMessage(1).text, "Error reading waypoint data");
    EXPECT_EQ(tv::routeImportedMessage("Nord", 0).title, "Datenimport");
    EXPECT_EQ(tv::routeImportedMessage("Nord", 0).text, "Strecke: Nord wurde hinzugefügt");
    EXPECT_EQ(tv::routeImportedMessage("Nord", 1).title, "Data imported");
    EXPECT_EQ(tv::routeImportedMessage("Nord", 1).text, "Route: Nord was added to the database");
    // German only, in either language.
    const tv::MessageText d = tv::waypointDifferenceMessage("EDNY");
    EXPECT_EQ(d.title, "Datenunterschied");
    EXPECT_EQ(d.text, "Der Punkt: EDNY unterscheidet sich von dem schon vorhandenem Punkt. Die "
                      "alten Koordinaten werden beibehalten - Bitte den Streckenpunkt überprüfen.");
    EXPECT_EQ(tv::routeFileDialogText(0).title, "Tramvik Route importieren ");
    EXPECT_EQ(tv::routeFileDialogText(1).title, "Import Tramvik Route");
}

} // namespace
