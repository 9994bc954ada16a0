#include "ImportFixture.h"

#include "core/Unprivileged.h"
#include "planning/RouteExport.h"
#include "planning/RouteImport.h"
#include "platform/Recordset.h"
#include "platform/RowsetXml.h"
#include "support/HeldDataFile.h"

#include <gtest/gtest.h>

#include <algorithm>

using importtest::ProgramFolder;
using tv::FieldType;
using tv::RouteExportStatus;

namespace {

// The exporting installation: a route "Alpen" whose points were added out of order, with names
// that XML and SQL must both carry.
class RouteFileRoundTrip : public ::testing::Test
{
protected:
    void SetUp() override
    {
        from.mainSql(R"(
            INSERT INTO Route (RouteID, Name, Nummer) VALUES (7, 'Alpen', 1), (8, 'Leer', 2);
            INSERT INTO GpsPoints (RouteID, Nummer, PointID, Name, Lat, Long) VALUES
                (7, 3, 13, 'Überlingen', 47.4612, 9.1005),
                (7, 1, 11, 'O''Brien & <Söhne>', 48.3012, 11.4507),
                (7, 4, 14, NULL, -33.5512, -70.4705),
                (7, 2, 12, 'EDNY', 47.4018, 9.3042);)");
    }

    std::filesystem::path exportAlpen()
    {
        const tv::RouteExportResult r = tv::exportRoute(from.data, {7, "Alpen"}, from.path());
        EXPECT_EQ(r.status, RouteExportStatus::Saved) << r.reason;
        return r.file;
    }

    ProgramFolder from;
    ProgramFolder to;
};

TEST_F(RouteFileRoundTrip, NamesOrderAndCoordinatesComeBackExactly)
{
    const auto file = exportAlpen();
    EXPECT_EQ(file, from / "Route" / "Alpen.tvr");

    const tv::RouteImportResult r = tv::importRouteFile(to.data, file);
    ASSERT_TRUE(r.imported) << r.problem.reason;
    EXPECT_EQ(r.routeName, "Alpen");
    EXPECT_EQ(r.waypointsAdded, 4); // an empty Waypoints table is no special case
    EXPECT_EQ(r.pointsAdded, 4);
    EXPECT_TRUE(r.differingNames.empty());

    EXPECT_EQ(to.column("SELECT Name || '@' || Nummer FROM Route"),
              std::vector<std::string>{"Alpen@1.0"});
    const std::string routeId = std::to_string(r.routeId);
    EXPECT_EQ(to.column("SELECT Nummer || ' ' || quote(Name) || ' ' || quote(Lat) || ' ' || "
                        "quote(Long) FROM GpsPoints WHERE RouteID = " +
                        routeId + " ORDER BY Nummer"),
              (std::vector<std::string>{
                  "1.0 'O''Brien & <Söhne>' 48.3012 11.4507", "2.0 'EDNY' 47.4018 9.3042",
                  "3.0 'Überlingen' 47.4612 9.1005", "4.0 '' -33.5512 -70.4705"}));
    // The new waypoints carry the file's coordinates and no category; the points refer to them.
    EXPECT_EQ(to.column("SELECT quote(Name) || ' ' || quote(Lat) || ' ' || quote(Kategorie) "
                        "FROM Waypoints ORDER BY PointID"),
              (std::vector<std::string>{"'O''Brien & <Söhne>' 48.3012 ''", "'EDNY' 47.4018 ''",
                                        "'Überlingen' 47.4612 ''", "'' -33.5512 ''"}));
    EXPECT_EQ(to.column("SELECT count(*) FROM GpsPoints g JOIN Waypoints w ON "
                        "g.PointID = w.PointID AND g.Name = w.Name"),
              std::vector<std::string>{"4"});
}

TEST_F(RouteFileRoundTrip, FileHoldsTheSevenColumnsInRouteOrder)
{
    tv::Recordset file;
    file.OpenFile(exportAlpen());
    ASSERT_EQ(file.FieldCount(), 7);
    const std::vector<std::pair<std::string, FieldType>> columns = {
        {"id", FieldType::Long},      {"RouteID", FieldType::Long}, {"Nummer", FieldType::Double},
        {"PointID", FieldType::Long}, {"Name", FieldType::VarChar}, {"Lat", FieldType::Double},
        {"Long", FieldType::Double}};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(file.FieldAt(i).name, columns[i].first);
        EXPECT_EQ(file.FieldAt(i).type, columns[i].second) << columns[i].first;
    }
    std::vector<std::int64_t> pointIds;
    for (; !file.Eof(); file.MoveNext())
        pointIds.push_back(file.Field("PointID").toInt());
    EXPECT_EQ(pointIds, (std::vector<std::int64_t>{11, 12, 13, 14}));
}

TEST_F(RouteFileRoundTrip, HandWrittenFileInThePublishedFormatImports)
{
    // Double quotes, other prefixes, attributes over several lines, no id columns.
    const auto file = to / "Heimweg.tvr";
    tvtest::writeFile(file, R"(<?xml version="1.0" encoding="UTF-8"?>
<xml xmlns:schema="uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882"
     xmlns:type="uuid:C2F41010-65B3-11d1-A29F-00AA00C14882"
     xmlns:rowset="urn:schemas-microsoft-com:rowset" xmlns:row="#RowsetSchema">
  <schema:Schema id="RowsetSchema">
    <schema:ElementType name="row" content="eltOnly">
      <schema:AttributeType name="Name" rowset:number="1">
        <schema:datatype type:type="string" type:maxLength="255"/>
      </schema:AttributeType>
      <schema:AttributeType name="Lat" rowset:number="2">
        <schema:datatype type:type="float"/>
      </schema:AttributeType>
      <schema:AttributeType name="Long" rowset:number="3" type:type="float"/>
    </schema:ElementType>
  </schema:Schema>
  <rowset:data>
    <row:row Name="Start &amp; Ziel"
             Lat="50.0305"
             Long="8.3418"/>
    <row:row
        Name="Wende"
        Lat="-0.3" Long="-179.59"/>
  </rowset:data>
</xml>
)");
    const tv::RouteImportResult r = tv::importRouteFile(to.data, file);
    ASSERT_TRUE(r.imported) << r.problem.reason;
    EXPECT_EQ(r.routeName, "Heimweg");
    EXPECT_EQ(to.column("SELECT Name || ' ' || Lat || ' ' || Long FROM GpsPoints ORDER BY Nummer"),
              (std::vector<std::string>{"Start & Ziel 50.0305 8.3418", "Wende -0.3 -179.59"}));
}

TEST(RouteFileName, IsTheFileNameWithoutItsLastExtension)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/home/pilot/Flug.daten/Nord.Süd.tvr", "Nord.Süd"},
        {"/home/pilot/Nord.tvr", "Nord"},
        {"/home/pilot/Ohne Endung", "Ohne Endung"},
        {"Route/EDFE - EDDF.tvr", "EDFE - EDDF"},
        {"/tmp/a.b.c.xml", "a.b.c"},
    };
    for (const auto& [path, name] : cases)
        EXPECT_EQ(tv::routeNameFromFile(path), name) << path;
}

TEST(RouteFileName, StaysInsideTheRouteFolder)
{
    const std::filesystem::path prog = "/prog";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"EDFE - EDDF", "EDFE - EDDF.tvr"}, // legal names keep their file name
        {"O'Brien's Runde", "O'Brien's Runde.tvr"},
        {"Über Würzburg", "Über Würzburg.tvr"},
        {"../x", ".._x.tvr"},
        {"a/b\\c:d", "a_b_c_d.tvr"},
        {"", "_.tvr"},
        {"..", "_...tvr"},
    };
    for (const auto& [route, file] : cases) {
        const auto p = tv::routeFilePath(prog, route);
        EXPECT_EQ(p.parent_path(), prog / "Route") << route;
        EXPECT_EQ(p.filename().string(), file) << route;
    }
}

TEST_F(RouteFileRoundTrip, RouteNamedLikeAPathWritesOnlyInsideRoute)
{
    from.mainSql("UPDATE Route SET Name = '../x' WHERE RouteID = 7");
    const tv::RouteExportResult r = tv::exportRoute(from.data, {7, "../x"}, from.path());
    ASSERT_EQ(r.status, RouteExportStatus::Saved) << r.reason;
    EXPECT_TRUE(std::filesystem::exists(from / "Route" / ".._x.tvr"));
    EXPECT_FALSE(std::filesystem::exists(from / "x.tvr"));
}

TEST_F(RouteFileRoundTrip, ExportingAgainReplacesTheFile)
{
    const auto file = exportAlpen();
    from.mainSql("DELETE FROM GpsPoints WHERE Nummer > 1");
    exportAlpen();
    tv::Recordset back;
    back.OpenFile(file);
    EXPECT_EQ(back.RecordCount(), 1);
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(from / "Route")) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST_F(RouteFileRoundTrip, RouteWithoutPointsWritesNoFileAndNoFolder)
{
    std::filesystem::remove_all(from / "Route");
    const tv::RouteExportResult r = tv::exportRoute(from.data, {8, "Leer"}, from.path());
    EXPECT_EQ(r.status, RouteExportStatus::NoPoints);
    EXPECT_FALSE(std::filesystem::exists(from / "Route"));
    const tv::MessageText de = tv::routeExportMessage(r, "Leer", 0);
    EXPECT_EQ(de.title, "Fehler in Strecke");
    EXPECT_EQ(de.text, "Flugstrecke - Leer - enthält keine Wegpunkte...");
    const tv::MessageText en = tv::routeExportMessage(r, "Leer", 1);
    EXPECT_EQ(en.title, "Route error");
    EXPECT_EQ(en.text, "Route - Leer - contains no waypoints...");
}

TEST_F(RouteFileRoundTrip, TheChosenRouteIsExportedAmongRoutesOfOneName)
{
    from.mainSql(R"(
        INSERT INTO Route (RouteID, Name, Nummer) VALUES (9, 'Alpen', 3);
        INSERT INTO GpsPoints (RouteID, Nummer, PointID, Name, Lat, Long) VALUES
            (9, 1, 99, 'Zweite', 1, 2);)");
    const std::vector<tv::RouteChoice> routes = tv::listRoutes(from.data);
    ASSERT_EQ(routes.size(), 3u);
    EXPECT_EQ(routes[2].routeId, 9);
    ASSERT_EQ(tv::exportRoute(from.data, routes[2], from.path()).status, RouteExportStatus::Saved);
    tv::Recordset back;
    back.OpenFile(from / "Route" / "Alpen.tvr");
    ASSERT_EQ(back.RecordCount(), 1);
    EXPECT_EQ(back.Field("Name").toString(), "Zweite");
}

TEST(RoutePreselection, IsThePlanWindowsCurrentRoute)
{
    const std::vector<tv::RouteChoice> routes = {
        {7, "Alpen"}, {8, "alpen"}, {9, "Alpen"}, {10, "O'Brien"}};
    const std::vector<std::pair<std::optional<std::int64_t>, int>> cases = {
        {std::nullopt, 0}, // the plan window shows no route
        {8, 1},
        {9, 2}, // the second of two routes named alike
        {10, 3},
        {42, 0}, // deleted since
    };
    for (const auto& [current, expected] : cases)
        EXPECT_EQ(tv::preselectedRoute(routes, current), expected) << current.value_or(-1);
    EXPECT_EQ(tv::preselectedRoute({}, 7), -1);
}

TEST_F(RouteFileRoundTrip, DataFileHeldByAnotherProgramIsNamedAndTheOldFileStays)
{
    const auto file = exportAlpen();
    const std::string before = tvtest::readFile(file);
    tvtest::HeldDataFile held(from / "data.tvd");
    const tv::RouteExportResult r = tv::exportRoute(from.data, {7, "Alpen"}, from.path());
    EXPECT_TRUE(tv::routeExportMessage(r, "Alpen", 1)
                    .text.ends_with("stays unchanged.\n\nThe file " + (from / "data.tvd").string() +
                                    " is locked by another program."));
    EXPECT_EQ(tvtest::readFile(file), before);
}

TEST_F(RouteFileRoundTrip, RouteFolderInTheWayShowsTheErrorNamingTheRoute)
{
    std::filesystem::remove_all(from / "Route");
    tvtest::writeFile(from / "Route", "not a folder");
    const tv::RouteExportResult r = tv::exportRoute(from.data, {7, "Alpen"}, from.path());
    EXPECT_EQ(r.status, RouteExportStatus::WriteFailed);
    EXPECT_EQ(tvtest::readFile(from / "Route"), "not a folder");
    const tv::MessageText de = tv::routeExportMessage(r, "Alpen", 0);
    EXPECT_EQ(de.title, "Fehler in Strecke");
    EXPECT_NE(de.text.find("Alpen"), std::string::npos);
    EXPECT_EQ(de.text.find("gespeichert."), std::string::npos); // no success wording
    const tv::MessageText en = tv::routeExportMessage(r, "Alpen", 1);
    EXPECT_EQ(en.title, "Route error");
    EXPECT_NE(en.text.find("Alpen"), std::string::npos);
}

TEST_F(RouteFileRoundTrip, UnwritableRouteFolderKeepsTheOldFile)
{
    const auto file = exportAlpen();
    const std::string before = tvtest::readFile(file);
    from.mainSql("UPDATE GpsPoints SET Name = 'geändert'");
    const auto outcome = coretest::runWithReadOnlyFolder(from / "Route", [&] {
        tv::Connection db;
        db.Open((from / "data.tvd").string());
        return tv::exportRoute(db, {7, "Alpen"}, from.path()).status == RouteExportStatus::Saved;
    });
    if (outcome == coretest::Outcome::CannotTest)
        GTEST_SKIP() << "cannot take write permission away here";
    EXPECT_EQ(outcome, coretest::Outcome::Failed);
    EXPECT_EQ(tvtest::readFile(file), before);
}

// The route "Alpen" holding one point per name, in this order.
void replacePoints(tv::Connection& db, const std::vector<tv::Value>& names,
                   const std::vector<tv::Value>& lats = {})
{
    tv::Connection::Transaction transaction(db);
    db.Execute("DELETE FROM GpsPoints WHERE RouteID = 7");
    for (std::size_t i = 0; i < names.size(); ++i) {
        db.Execute("INSERT INTO GpsPoints (RouteID, Nummer, PointID, Name, Lat, Long) "
                   "VALUES (7, ?, ?, ?, ?, 9.5)",
                   {static_cast<std::int64_t>(i + 1), static_cast<std::int64_t>(100 + i), names[i],
                    i < lats.size() ? lats[i] : tv::Value(47.5)});
    }
    transaction.commit();
}

TEST_F(RouteFileRoundTrip, EveryNameTheExportWritesIsReadBackByTheImport)
{
    const std::vector<tv::Value> names = {"O'Brien's \"Eck\"",
                                          "Überlingen ÄÖÜ äöüß",
                                          "<&>",
                                          "&amp; &#1; &lt;",
                                          "Tab\there",
                                          "Zeile\nzwei",
                                          "CR\rLF\r\n",
                                          "  Blanks  ",
                                          "\xF0\x9F\x9B\xA9 \xF0\x9D\x94\x84stral",
                                          "]]> --> <!--",
                                          "\xC2\x85 \xC2\xA0 \xE2\x80\x8B",
                                          "\xEF\xBF\xBD",
                                          "x='1' y=\"2\"",
                                          "\xE6\x97\xA5\xE6\x9C\xAC",
                                          "\xE2\x88\xA7",
                                          std::string(250, 'L'),
                                          tv::Value()};
    replacePoints(from.data, names);
    const auto file = exportAlpen();

    const tv::RouteImportResult r = tv::importRouteFile(to.data, file);
    ASSERT_TRUE(r.imported) << r.problem.reason;
    ASSERT_EQ(r.pointsAdded, static_cast<int>(names.size()));
    const std::vector<std::string> back =
        to.column("SELECT Name FROM GpsPoints WHERE RouteID = " + std::to_string(r.routeId) +
                  " ORDER BY Nummer");
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(back.at(i), names[i].toString()) << i; // a nameless point comes back as ""
}

TEST_F(RouteFileRoundTrip, PointTheImportWouldRefuseIsNamedAndNothingIsWritten)
{
    struct Case
    {
        const char* what;
        tv::Value name;
        tv::Value lat;
        std::string german; // the line naming the point
        std::string english;
    };
    const std::vector<Case> cases = {
        {"control character",
         "A\x01"
         "B",
         47.5,
         "Streckenpunkt 2 (A\xEF\xBF\xBD"
         "B): der Name enthält Zeichen, die eine Streckendatei "
         "nicht aufnehmen kann.",
         "Route point 2 (A\xEF\xBF\xBD"
         "B): the name holds characters that a route file cannot "
         "carry."},
        {"NUL", std::string("A\0B", 3), 47.5,
         "Streckenpunkt 2 (A\xEF\xBF\xBD"
         "B)",
         "Route point 2 (A\xEF\xBF\xBD"
         "B)"},
        {"Latin-1 from an airport file", "M\xFCnchen", 47.5, "Streckenpunkt 2 (M\xEF\xBF\xBDnchen)",
         "Route point 2 (M\xEF\xBF\xBDnchen)"},
        {"U+FFFF", "Ende\xEF\xBF\xBF", 47.5, "Streckenpunkt 2 (Ende\xEF\xBF\xBD)",
         "Route point 2 (Ende\xEF\xBF\xBD)"},
        {"beyond the pole", "Nordpol", 91.0,
         "Streckenpunkt 2 (Nordpol): der Breitengrad 91 liegt nicht zwischen -90 und 90.",
         "Route point 2 (Nordpol): the latitude 91 is not between -90 and 90."},
        {"75 minutes", "Sechzig", 48.75,
         "Streckenpunkt 2 (Sechzig): der Breitengrad 48.75 ist keine Angabe in Grad und Minuten",
         "Route point 2 (Sechzig): the latitude 48.75 is not in degrees and minutes"},
    };
    for (const Case& c : cases) {
        replacePoints(from.data, {"EDNY", c.name}, {47.4, c.lat});
        std::filesystem::remove_all(from / "Route");
        const tv::RouteExportResult r = tv::exportRoute(from.data, {7, "Alpen"}, from.path());
        EXPECT_EQ(r.status, RouteExportStatus::BadPoint) << c.what;
        EXPECT_FALSE(std::filesystem::exists(from / "Route")) << c.what;
        const tv::MessageText de = tv::routeExportMessage(r, "Alpen", 0);
        EXPECT_EQ(de.title, "Fehler in Strecke");
        EXPECT_TRUE(de.text.starts_with("Flugstrecke - Alpen - wurde nicht gespeichert.\n\n"))
            << de.text;
        EXPECT_NE(de.text.find(c.german), std::string::npos) << c.what << ": " << de.text;
        const tv::MessageText en = tv::routeExportMessage(r, "Alpen", 1);
        EXPECT_EQ(en.title, "Route error");
        EXPECT_NE(en.text.find(c.english), std::string::npos) << c.what << ": " << en.text;
    }
}

TEST_F(RouteFileRoundTrip, RouteTooLongForAFileIsNotWrittenAndTheOldFileStays)
{
    const auto file = exportAlpen();
    const std::string before = tvtest::readFile(file);
    // Names as long as a waypoint's may be, enough of them to bring the file past what the
    // import reads.
    replacePoints(from.data, std::vector<tv::Value>(tv::kMaxRowsetFileBytes / 255 + 1,
                                                    tv::Value(std::string(255, 'x'))));
    const tv::RouteExportResult r = tv::exportRoute(from.data, {7, "Alpen"}, from.path());
    EXPECT_EQ(r.status, RouteExportStatus::TooLarge) << r.reason;
    EXPECT_EQ(tvtest::readFile(file), before);
    EXPECT_EQ(tv::routeExportMessage(r, "Alpen", 0).text,
              "Flugstrecke - Alpen - wurde nicht gespeichert.\n\nSie ist zu lang für eine "
              "Streckendatei (mehr als 8 MB). Eine ältere Datei bleibt unverändert.");
    EXPECT_EQ(tv::routeExportMessage(r, "Alpen", 1).text,
              "Route - Alpen - was not saved.\n\nIt is too long for a route file (more than 8 "
              "MB). An older file stays unchanged.");
}

// The longest run of characters without a blank or line break: what a message box cannot wrap.
std::size_t longestWord(const std::string& utf8)
{
    std::size_t longest = 0;
    std::size_t run = 0;
    for (const char c : utf8) {
        if (c == ' ' || c == '\n') {
            run = 0;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            longest = std::max(longest, ++run);
        }
    }
    return longest;
}

TEST_F(RouteFileRoundTrip, LongRouteNamesExportAndTheirMessagesStayReadable)
{
    // 250 bytes: the file name has 254, as many as a name may have but one.
    std::string longName;
    for (int i = 0; i < 124; ++i)
        longName += "\xC3\xA4"; // ä
    longName += "ab";
    ASSERT_EQ(longName.size(), 250u);
    from.mainSql("UPDATE Route SET Name = '" + longName + "' WHERE RouteID = 7");
    const tv::RouteExportResult saved = tv::exportRoute(from.data, {7, longName}, from.path());
    ASSERT_EQ(saved.status, RouteExportStatus::Saved) << saved.reason;
    const tv::RouteImportResult back = tv::importRouteFile(to.data, saved.file);
    ASSERT_TRUE(back.imported) << back.problem.reason;
    EXPECT_EQ(back.routeName, longName);

    // 260 characters make a file name too long to exist; the message says so and fits.
    const tv::RouteExportResult failed =
        tv::exportRoute(from.data, {7, std::string(260, 'x')}, from.path());
    EXPECT_EQ(failed.status, RouteExportStatus::NameTooLong);
    // So do 126 umlauts: 252 bytes and ".tvr". Nothing is written, not even the folder.
    std::filesystem::remove_all(from / "Route");
    const tv::RouteExportResult umlauts =
        tv::exportRoute(from.data, {7, longName + "\xC3\xA4"}, from.path());
    EXPECT_FALSE(std::filesystem::exists(from / "Route"));
    EXPECT_TRUE(
        tv::routeExportMessage(umlauts, "Lang", 0)
            .text.ends_with(" - wurde nicht gespeichert.\n\nDer Name ist zu lang für "
                            "einen Dateinamen (höchstens 251 Byte; ein Umlaut zählt zwei)."));
    for (int language : {0, 1}) {
        for (const tv::MessageText& m :
             {tv::routeExportMessage(saved, longName, language),
              tv::routeExportMessage(failed, std::string(260, 'x'), language),
              tv::routeImportedMessage(longName, language)}) {
            EXPECT_LE(longestWord(m.text), 80u) << m.text;
            EXPECT_NE(m.text.find("\xE2\x80\xA6"), std::string::npos) << m.text; // "…"
        }
    }
}

TEST(RouteExportMessages, SavedInBothLanguages)
{
    tv::RouteExportResult saved;
    saved.status = RouteExportStatus::Saved;
    const tv::MessageText de = tv::routeExportMessage(saved, "Nord", 0);
    EXPECT_EQ(de.title, "Strecke gespeichert");
    EXPECT_EQ(de.text, "Strecke: Nord wurde gespeichert.");
    const tv::MessageText en = tv::routeExportMessage(saved, "Nord", 2);
    EXPECT_EQ(en.title, "Route saved");
    EXPECT_EQ(en.text, "Route: Nord was saved.");
}

} // namespace
