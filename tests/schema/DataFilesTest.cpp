// The four data files as schema/ creates them: every table and field the program reads or
// writes, with a type the database layer maps correctly, case-insensitive texts, autonumbers,
// and the program's own statements running against them.
#include "TestDb.h"
#include "schema/Schema.h"
#include "support/PlainSqlite.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>
#include <string>
#include <vector>

using tv::schema::DataFile;

namespace {

// What the program relies on for a field. The database layer maps the declared types:
// TEXT/VARCHAR(n) text, INTEGER 32-bit, DOUBLE double, BOOLEAN 0/1, DATETIME date text.
enum class Kind { Autonumber, Text, Long, Double, Boolean, Date };

struct Field
{
    std::string name;
    Kind kind;
};

struct Table
{
    DataFile file;
    std::string name;
    std::vector<Field> fields; // in column order; no other column may exist
};

const std::vector<Table>& expectedTables()
{
    static const std::vector<Table> tables = {
        {DataFile::Main,
         "Waypoints",
         {{"PointID", Kind::Autonumber},
          {"Name", Kind::Text},
          {"Lat", Kind::Double},
          {"Long", Kind::Double},
          {"Kategorie", Kind::Text}}},
        {DataFile::Main,
         "Route",
         {{"RouteID", Kind::Autonumber}, {"Name", Kind::Text}, {"Nummer", Kind::Double}}},
        {DataFile::Main,
         "GpsPoints",
         {{"id", Kind::Autonumber},
          {"RouteID", Kind::Long},
          {"Nummer", Kind::Double},
          {"PointID", Kind::Long},
          {"Name", Kind::Text},
          {"Lat", Kind::Double},
          {"Long", Kind::Double}}},
        {DataFile::Main, "Kategorie", {{"Kategorie", Kind::Text}, {"Nummer", Kind::Double}}},
        {DataFile::Main,
         "Maps",
         {{"Name", Kind::Text},
          {"Unten", Kind::Double},
          {"Oben", Kind::Double},
          {"Links", Kind::Double},
          {"Rechts", Kind::Double},
          {"Breite", Kind::Long},
          {"Höhe", Kind::Long},
          {"Active", Kind::Boolean}}},
        {DataFile::Track, "List", {{"Index", Kind::Autonumber}, {"Name", Kind::Text}}},
        {DataFile::Track,
         "track",
         {{"Index", Kind::Long},
          {"Number", Kind::Long},
          {"Lat", Kind::Double},
          {"Long", Kind::Double},
          {"Height", Kind::Double},
          {"Date", Kind::Text},
          {"Time", Kind::Text}}},
        {DataFile::Airspace,
         "Luftraum",
         {{"MainIndex", Kind::Long},
          {"AspType", Kind::Text},
          {"Index", Kind::Long},
          {"Low", Kind::Long},
          {"High", Kind::Long},
          {"LowType", Kind::Text},
          {"HighType", Kind::Text},
          {"Drawtype", Kind::Text},
          {"Lat", Kind::Double},
          {"Long", Kind::Double},
          {"arcRad", Kind::Double},
          {"arcLat", Kind::Double},
          {"arcLong", Kind::Double},
          {"Arcx1", Kind::Double},
          {"Arcy1", Kind::Double},
          {"Arcx2", Kind::Double},
          {"Arcy2", Kind::Double},
          {"arcDir", Kind::Text},
          {"PNumber", Kind::Long}}},
        {DataFile::Airspace, "RELEASE", {{"Datum", Kind::Date}}},
        {DataFile::Airport,
         "ARPT",
         {{"ICAO", Kind::Text},
          {"WGS_DLAT", Kind::Double},
          {"WGS_DLONG", Kind::Double},
          {"RWYALen", Kind::Long},
          {"RWYGLen", Kind::Long}}},
        {DataFile::Airport,
         "RWY",
         {{"ICAO", Kind::Text},
          {"rwy", Kind::Text},
          {"RWYHdg", Kind::Text},
          {"Surface", Kind::Text},
          {"LENGTH", Kind::Long}}},
        {DataFile::Airport,
         "ACOM",
         {{"ICAO", Kind::Text}, {"Name", Kind::Text}, {"Freq", Kind::Text}}},
        {DataFile::Airport, "ICAOCODE", {{"ICAO", Kind::Text}, {"Name", Kind::Text}}},
    };
    return tables;
}

bool isTextType(const std::string& type)
{
    return type == "TEXT" || (type.rfind("VARCHAR(", 0) == 0 && type.back() == ')');
}

bool ownFile(DataFile file)
{
    return file == DataFile::Main || file == DataFile::Track;
}

// Creates each data file once per test in a temporary folder.
class DataFiles : public ::testing::Test
{
protected:
    std::filesystem::path make(DataFile which)
    {
        const auto file = dir_ / std::string(tv::schema::fileName(which));
        if (!std::filesystem::exists(file))
            tv::schema::createDataFile(file, which);
        return file;
    }

    tvtest::TempDir dir_;
};

} // namespace

TEST_F(DataFiles, EveryTableHasExactlyTheFieldsTheProgramUsesWithFittingTypes)
{
    for (const Table& table : expectedTables()) {
        SCOPED_TRACE(std::string(tv::schema::fileName(table.file)) + " " + table.name);
        tvtest::TestDb db(make(table.file));

        const auto columns = db.column("SELECT name FROM pragma_table_info(?)", {table.name});
        std::vector<std::string> expectedNames;
        for (const Field& f : table.fields)
            expectedNames.push_back(f.name);
        ASSERT_EQ(columns, expectedNames);

        for (const Field& f : table.fields) {
            SCOPED_TRACE(f.name);
            const char* declared = nullptr;
            const char* collation = nullptr;
            int notNull = 0, primaryKey = 0, autoincrement = 0;
            ASSERT_EQ(sqlite3_table_column_metadata(db.handle(), "main", table.name.c_str(),
                                                    f.name.c_str(), &declared, &collation, &notNull,
                                                    &primaryKey, &autoincrement),
                      SQLITE_OK);
            const std::string type = declared ? declared : "";
            // No field may refuse an empty value: the program leaves many of them empty.
            EXPECT_EQ(notNull, 0);
            switch (f.kind) {
            case Kind::Autonumber:
                EXPECT_EQ(type, "INTEGER");
                EXPECT_TRUE(primaryKey && autoincrement);
                break;
            case Kind::Text:
                EXPECT_TRUE(isTextType(type)) << type;
                // The files from outside are plain SQLite; the program's own keep the
                // collation that ignores case with umlauts.
                EXPECT_STREQ(collation, ownFile(table.file) ? "TVNOCASE" : "BINARY");
                break;
            case Kind::Long:
                EXPECT_EQ(type, "INTEGER");
                EXPECT_FALSE(primaryKey);
                break;
            case Kind::Double:
                EXPECT_EQ(type, "DOUBLE");
                break;
            case Kind::Boolean:
                EXPECT_EQ(type, "BOOLEAN");
                break;
            case Kind::Date:
                EXPECT_EQ(type, "DATETIME");
                break;
            }
        }
    }
}

TEST_F(DataFiles, EmbeddedSqlIsTheTextOfTheSqlFiles)
{
    const std::filesystem::path source = TVTEST_SCHEMA_SOURCE_DIR;
    for (DataFile which :
         {DataFile::Main, DataFile::Track, DataFile::Airspace, DataFile::Airport}) {
        const std::string name(tv::schema::fileName(which));
        const std::string sqlFile = name.substr(0, name.find('.')) + ".sql";
        EXPECT_EQ(tv::schema::creationSql(which), tvtest::readFile(source / sqlFile)) << sqlFile;
    }
}

// ----------------------------------------------------------------------------------------------

TEST_F(DataFiles, WaypointNamesSortIgnoringCaseAndUmlauts)
{
    tvtest::TestDb db(make(DataFile::Main));
    db.exec("INSERT INTO Waypoints (Name) VALUES ('zell'), ('Ötztal'), ('Augsburg'), "
            "('öhringen'), ('ÖHRINGEN SÜD'), ('AALEN')");
    // Ö and ö sort together and by the letters that follow; case never decides.
    EXPECT_EQ(db.column("SELECT Name FROM Waypoints ORDER BY NAME ASC"),
              (std::vector<std::string>{"AALEN", "Augsburg", "zell", "öhringen", "ÖHRINGEN SÜD",
                                        "Ötztal"}));
}

TEST_F(DataFiles, WaypointFoundByNameInAnyCaseOfItsUmlauts)
{
    tvtest::TestDb db(make(DataFile::Main));
    db.exec("INSERT INTO Waypoints (Name, Kategorie) VALUES ('München', 'Flugplätze'), "
            "('Mannheim', 'VOR')");
    EXPECT_EQ(db.column("SELECT Name FROM Waypoints WHERE Name = ?", {"MÜNCHEN"}),
              std::vector<std::string>{"München"});
    EXPECT_EQ(db.column("SELECT Name FROM Waypoints WHERE Name = 'münchen'"),
              std::vector<std::string>{"München"});
    EXPECT_EQ(db.column("SELECT Name FROM Waypoints WHERE Kategorie = ?", {"FLUGPLÄTZE"}),
              std::vector<std::string>{"München"});
    EXPECT_EQ(db.column("SELECT Name FROM Waypoints WHERE Name >= ? ORDER BY Name", {"MÜ"}),
              std::vector<std::string>{"München"});
}

TEST_F(DataFiles, NameWithAnApostropheIsStoredAndFoundThroughParameters)
{
    tvtest::TestDb db(make(DataFile::Main));
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db.handle(), "INSERT INTO Route (Name, Nummer) VALUES (?, 1)", -1,
                                 &stmt, nullptr),
              SQLITE_OK);
    sqlite3_bind_text(stmt, 1, "L'Alpe d'Huez", -1, SQLITE_TRANSIENT);
    EXPECT_EQ(sqlite3_step(stmt), SQLITE_DONE);
    sqlite3_finalize(stmt);
    EXPECT_EQ(db.column("SELECT Name FROM Route WHERE Name = ?", {"l'alpe D'HUEZ"}),
              std::vector<std::string>{"L'Alpe d'Huez"});
}

TEST_F(DataFiles, ActiveChartsQueryGivesActiveChartsByNameIgnoringCase)
{
    tvtest::TestDb db(make(DataFile::Main));
    db.exec("INSERT INTO Maps (Name, Unten, Oben, Links, Rechts, Breite, \"Höhe\", Active) VALUES "
            "('b.bmp', 47.4, 48.1, 8.5, 9.3, 2000, 1500, 1), "
            "('A.jpg', 47.0, 48.0, 8.0, 9.0, 1000, 800, 1), "
            "('c.bmp', 47.0, 48.0, 8.0, 9.0, 1000, 800, 0)");
    EXPECT_EQ(db.column("SELECT Name From Maps Where Active = True Order by NAME ASC"),
              (std::vector<std::string>{"A.jpg", "b.bmp"}));
    // The chart under the aircraft, edges included.
    EXPECT_EQ(db.column("Select Name from Maps Where Active = TRUE AND 8.5 BETWEEN Links AND "
                        "Rechts AND 48.1 BETWEEN Unten AND Oben ORDER BY Name"),
              (std::vector<std::string>{"b.bmp"}));
    EXPECT_EQ(db.column("SELECT \"Höhe\" FROM Maps WHERE Name = 'B.BMP'"),
              std::vector<std::string>{"1500"});
}

TEST_F(DataFiles, NewChartRowIsInactiveUntilSwitchedOn)
{
    tvtest::TestDb db(make(DataFile::Main));
    db.exec("INSERT INTO Maps (Name) VALUES ('new.bmp')");
    EXPECT_EQ(db.column("SELECT Active FROM Maps"), std::vector<std::string>{"0"});
}

TEST_F(DataFiles, RouteOrderNumbersKeepTheirFraction)
{
    // A new route point is stored at p + 0.3 until the route is renumbered.
    tvtest::TestDb db(make(DataFile::Main));
    db.exec("INSERT INTO GpsPoints (RouteID, Nummer, Name) VALUES (1, 1, 'A'), (1, 2, 'B'), "
            "(1, 1.3, 'NEW'), (2, 1.5, 'OTHER')");
    EXPECT_EQ(db.column("SELECT Name FROM GpsPoints WHERE RouteID = 1 ORDER BY Nummer ASC"),
              (std::vector<std::string>{"A", "NEW", "B"}));
}

TEST_F(DataFiles, TrackPointWithoutAltitudeKeepsHeightEmpty)
{
    tvtest::TestDb db(make(DataFile::Track));
    db.exec("INSERT INTO track (\"Index\", Number, Lat, Long, Date, Time) VALUES "
            "(1, 1, 48.5, 11.75, '2024-03-21', '10:15:00')");
    EXPECT_EQ(db.column("SELECT Height FROM track"), std::vector<std::string>{"<null>"});
}

// ----------------------------------------------------------------------------------------------

TEST_F(DataFiles, EveryAutonumberCountsOnAndNeverGivesANumberTwice)
{
    struct Key
    {
        DataFile file;
        std::string table;
        std::string key;
    };
    const std::vector<Key> keys = {{DataFile::Main, "Waypoints", "PointID"},
                                   {DataFile::Main, "Route", "RouteID"},
                                   {DataFile::Main, "GpsPoints", "id"},
                                   {DataFile::Track, "List", "Index"}};
    for (const Key& k : keys) {
        SCOPED_TRACE(k.table);
        tvtest::TestDb db(make(k.file));
        db.exec("INSERT INTO \"" + k.table + "\" DEFAULT VALUES");
        db.exec("INSERT INTO \"" + k.table + "\" DEFAULT VALUES");
        EXPECT_EQ(db.column("SELECT \"" + k.key + "\" FROM \"" + k.table + "\" ORDER BY 1"),
                  (std::vector<std::string>{"1", "2"}));
        // A deleted last row must not hand its number to the next one: tracks, routes and
        // waypoints are referred to by number.
        db.exec("DELETE FROM \"" + k.table + "\" WHERE \"" + k.key + "\" = 2");
        db.exec("INSERT INTO \"" + k.table + "\" DEFAULT VALUES");
        EXPECT_EQ(db.column("SELECT last_insert_rowid()"), std::vector<std::string>{"3"});
    }
}

// ----------------------------------------------------------------------------------------------
// The statements of the program, in SQLite's dialect with values as parameters: each must find
// its tables and fields. "Index" is an SQL keyword in SQLite and is written quoted.

TEST_F(DataFiles, ProgramStatementsFindTheirTablesAndFields)
{
    const std::map<DataFile, std::vector<std::string>> statements = {
        {DataFile::Main,
         {"SELECT * From Waypoints Order by NAME ASC",
          "SELECT * from Waypoints WHERE LAT BETWEEN ? AND ? AND LONG BETWEEN ? AND ? "
          "ORDER BY NAME ASC",
          "SELECT * From Waypoints WHERE Kategorie = ? ORDER by NAME ASC",
          "SELECT * from waypoints WHERE Name Like ?",
          "INSERT INTO Waypoints (Name, Lat, Long, Kategorie) VALUES (?, ?, ?, ?)",
          "UPDATE Waypoints SET Kategorie = ? WHERE PointID = ?",
          "DELETE FROM Waypoints WHERE PointID = ?", "SELECT * From Route Order by NUMMER ASC",
          "INSERT INTO Route (Nummer, Name) VALUES (?, ?)",
          "SELECT * From GpsPoints WHERE RouteID = ? ORDER BY Nummer ASC",
          "SELECT * from gpspoints Where Name = ?",
          "INSERT INTO GpsPoints (Nummer, RouteID, PointID, Name, Lat, Long) "
          "VALUES (?, ?, ?, ?, ?, ?)",
          "Delete from GpsPoints Where RouteID = ?", "SELECT * From Kategorie Order by NUMMER ASC",
          "INSERT INTO Kategorie (Nummer, Kategorie) VALUES (?, ?)",
          "SELECT * From Maps Where Active = True Order by NAME ASC",
          "Select * from Maps Where Active = TRUE AND ? BETWEEN Links AND Rechts AND ? BETWEEN "
          "Unten AND Oben",
          "INSERT INTO Maps (Name, Unten, Oben, Links, Rechts, Breite, \"Höhe\", Active) "
          "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"}},
        {DataFile::Track,
         {"SELECT * FROM List WHERE NAME = ?", "INSERT INTO List (Name) VALUES (?)",
          "SELECT * FROM List ORDER BY \"INDEX\" ASC", "SELECT * FROM Track WHERE \"Index\" = ?",
          "INSERT INTO track (\"Index\", Number, Lat, Long, Height, Date, Time) "
          "VALUES (?, ?, ?, ?, ?, ?, ?)",
          "SELECT * FROM track WHERE \"INDEX\" = ? OR \"INDEX\" = ? "
          "ORDER BY \"INDEX\" ASC, NUMBER ASC",
          "DELETE FROM track WHERE \"INDEX\" = ?", "DELETE FROM list WHERE \"INDEX\" = ?"}},
        {DataFile::Airspace,
         {"SELECT MainIndex,AspType,\"Index\",Low,High FROM Luftraum WHERE LAT BETWEEN ? AND ? "
          "AND LONG BETWEEN ? AND ? AND AspType <> 'A' ORDER BY \"INDEX\" ASC",
          "Select * FROM Luftraum Where \"Index\" = ? Order by PNumber ASC",
          "SELECT LowType, HighType, Drawtype, arcRad, arcLat, arcLong, Arcx1, Arcy1, Arcx2, "
          "Arcy2, arcDir FROM Luftraum",
          "SELECT * FROM RELEASE", "SELECT Datum FROM RELEASE"}},
        {DataFile::Airport,
         {"Select * from ARPT Where ICAO = ?",
          "SELECT ICAO, WGS_DLAT, WGS_DLONG, RWYALen, RWYGLen FROM ARPT",
          "SELECT * FROM ARPT ORDER BY ICAO ASC", "Select * from ARPT WHERE ICAO Like ?",
          "Select * from RWY Where ICAO = ? ORDER BY LENGTH DESC",
          "SELECT rwy, RWYHdg FROM RWY WHERE Surface = '0'", "Select * from ACOM Where ICAO = ?",
          "SELECT Name, Freq FROM ACOM", "Select * from ICAOCODE ORDER BY ICAO ASC"}},
    };
    for (const auto& [file, texts] : statements) {
        tvtest::TestDb db(make(file));
        for (const std::string& sql : texts)
            EXPECT_EQ(db.prepareError(sql), "") << sql;
    }
}

TEST_F(DataFiles, FrequentLookupsUseAnIndexInsteadOfSorting)
{
    struct Lookup
    {
        DataFile file;
        std::string sql;
        std::string index;
    };
    const std::vector<Lookup> lookups = {
        {DataFile::Main, "SELECT * FROM Waypoints WHERE Name = ?", "WaypointsName"},
        {DataFile::Main, "SELECT * FROM Waypoints ORDER BY NAME ASC", "WaypointsName"},
        {DataFile::Main, "SELECT * FROM Waypoints WHERE Kategorie = ? ORDER BY NAME",
         "WaypointsKategorie"},
        {DataFile::Main, "SELECT * FROM GpsPoints WHERE RouteID = ? ORDER BY Nummer ASC",
         "GpsPointsRoute"},
        {DataFile::Main, "SELECT * FROM Route ORDER BY Nummer ASC", "RouteNummer"},
        {DataFile::Track, "SELECT * FROM track WHERE \"Index\" = ? ORDER BY Number",
         "trackIndexNumber"},
        {DataFile::Airspace, "SELECT * FROM Luftraum WHERE \"Index\" = ? ORDER BY PNumber ASC",
         "LuftraumIndex"},
        {DataFile::Airport, "SELECT * FROM ARPT WHERE ICAO = ?", "ARPTICAO"},
        {DataFile::Airport, "SELECT * FROM RWY WHERE ICAO = ? ORDER BY LENGTH DESC", "RWYICAO"},
        {DataFile::Airport, "SELECT * FROM ACOM WHERE ICAO = ?", "ACOMICAO"},
    };
    for (const Lookup& l : lookups) {
        tvtest::TestDb db(make(l.file));
        const std::string plan = db.queryPlan(l.sql);
        EXPECT_NE(plan.find("INDEX " + l.index), std::string::npos) << l.sql << "\n" << plan;
        EXPECT_EQ(plan.find("TEMP B-TREE"), std::string::npos) << l.sql << "\n" << plan;
    }
}

TEST(DataFilesFromOutside, AirspaceAndAirportFilesAreBuiltWithPlainSqlite)
{
    tvtest::TempDir dir;
    EXPECT_NO_THROW(tvtest::buildWithPlainSqlite(
        dir / "Luftraum.tvd", tv::schema::creationSql(DataFile::Airspace),
        {"INSERT INTO Luftraum (AspType, \"Index\", Drawtype, Lat, Long, PNumber) "
         "VALUES ('D', 1, 'DP', 48.1, 11.3, 1)",
         "INSERT INTO RELEASE (Datum) VALUES ('2024-05-02')"}));
    EXPECT_NO_THROW(tvtest::buildWithPlainSqlite(
        dir / "tvdata.tvd", tv::schema::creationSql(DataFile::Airport),
        {"INSERT INTO ARPT (ICAO, WGS_DLAT, WGS_DLONG, RWYALen, RWYGLen) "
         "VALUES ('EDMA', 48.4, 10.9, 1600, 0)",
         "INSERT INTO ICAOCODE (ICAO, Name) VALUES ('ED', 'Deutschland')",
         "SELECT * FROM ARPT ORDER BY ICAO"}));
}

TEST(DataFilesFromOutside, TheProgramsOwnFilesKeepTheirCollation)
{
    tvtest::TempDir dir;
    for (const DataFile own : {DataFile::Main, DataFile::Track}) {
        const auto file = dir / std::string(tv::schema::fileName(own));
        EXPECT_THROW(tvtest::buildWithPlainSqlite(file, tv::schema::creationSql(own)),
                     std::runtime_error)
            << tv::schema::fileName(own);
    }
}
