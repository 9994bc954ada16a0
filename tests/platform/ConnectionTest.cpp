#include "DbFixture.h"

#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"

#include <gtest/gtest.h>

using tv::Connection;
using tv::DbError;
using tv::Recordset;
using tvtest::TempDir;

namespace {

struct DataFile
{
    TempDir dir;
    std::filesystem::path path = dir / "data.tvd";
    Connection db;
    DataFile()
    {
        tvtest::makeDatabase(path, tvtest::kDataSql);
        db.Open(path.string());
    }
};

long countRows(Connection& db, const std::string& sql, const std::vector<tv::Value>& params = {})
{
    Recordset rs;
    rs.Open(sql, db, params);
    return rs.RecordCount();
}

} // namespace

TEST(DataFileOpen, MissingFileFailsAndCreatesNothing)
{
    TempDir dir;
    Connection db;
    EXPECT_THROW(db.Open((dir / "data.tvd").string()), DbError);
    EXPECT_FALSE(db.IsOpen());
    EXPECT_FALSE(std::filesystem::exists(dir / "data.tvd"));
    EXPECT_THROW(db.Open(""), DbError);
}

TEST(DataFileOpen, FileThatIsNoDatabaseFailsAndStaysUntouched)
{
    TempDir dir;
    const auto file = dir / "Luftraum.tvd";
    const std::string text = "this is a chart list, not a database\r\n";
    tvtest::writeFile(file, text);
    Connection db;
    EXPECT_THROW(db.Open(file.string()), DbError);
    EXPECT_FALSE(db.IsOpen());
    EXPECT_EQ(tvtest::readFile(file), text);
}

TEST(DataFileOpen, EmptyFileIsNoDataFile)
{
    TempDir dir;
    const auto file = dir / "track.tvd";
    tvtest::writeFile(file, "");
    Connection db;
    EXPECT_THROW(db.Open(file.string()), DbError);
    EXPECT_EQ(std::filesystem::file_size(file), 0u);
}

TEST(DataFileOpen, ReopeningAfterCloseWorks)
{
    DataFile f;
    EXPECT_TRUE(f.db.IsOpen());
    f.db.Close();
    EXPECT_FALSE(f.db.IsOpen());
    EXPECT_THROW(f.db.Execute("DELETE FROM Waypoints"), DbError);
    f.db.Open(f.path.string());
    EXPECT_EQ(countRows(f.db, "SELECT * FROM Waypoints"), 5);
}

TEST(DataFileStatements, ValuesAreBoundSoApostrophesNeedNoQuoting)
{
    DataFile f;
    EXPECT_EQ(
        f.db.Execute("UPDATE Waypoints SET Kategorie = ? WHERE Name = ?", {"Flugplätze", "O'Hare"}),
        1);
    EXPECT_EQ(tvtest::queryText(f.path, "SELECT Kategorie FROM Waypoints WHERE PointID = 3"),
              "Flugplätze");
    EXPECT_EQ(f.db.Execute("DELETE FROM Waypoints WHERE Name = ?", {"x' OR '1'='1"}), 0);
    EXPECT_EQ(countRows(f.db, "SELECT * FROM Waypoints"), 5);
}

TEST(DataFileStatements, SecondStatementInOneTextIsRefused)
{
    DataFile f;
    EXPECT_THROW(f.db.Execute("DELETE FROM Waypoints WHERE PointID = 1; DROP TABLE Kategorie"),
                 DbError);
    EXPECT_EQ(countRows(f.db, "SELECT * FROM Waypoints"), 5);
    EXPECT_EQ(countRows(f.db, "SELECT * FROM Kategorie"), 3);
}

TEST(DataFileStatements, WrongParameterCountOrBadSqlFails)
{
    DataFile f;
    EXPECT_THROW(f.db.Execute("DELETE FROM Waypoints WHERE Name = ?"), DbError);
    EXPECT_THROW(f.db.Execute("DELETE FROM Waypoints", {1}), DbError);
    EXPECT_THROW(f.db.Execute("DELETE FROM NoSuchTable"), DbError);
    EXPECT_EQ(f.db.Execute("SELECT * FROM Waypoints"), 0);
}

TEST(DataFileStatements, RowsHandedOnOneByOneReadAsTheirValues)
{
    DataFile f;
    f.db.Execute("INSERT INTO Waypoints (Name, Lat, Long, Kategorie) VALUES (?, ?, ?, ?)",
                 {"Zahl", " 48.5 ", 9, nullptr});
    const std::string sql =
        "SELECT Name, Lat, Long, Kategorie FROM Waypoints WHERE Name <> ? ORDER BY PointID";
    std::vector<std::string> seen;
    f.db.ForEachRow(sql, {"O'Hare"}, [&seen](const tv::QueryRow& row) {
        ASSERT_EQ(row.columnCount(), 4);
        for (int c = 0; c < 4; ++c) {
            // Each column reads as its Value would.
            const tv::Value v = row.value(c);
            EXPECT_EQ(row.text(c), v.toString());
            EXPECT_EQ(row.number(c), v.asNumber());
            EXPECT_EQ(row.isNull(c), v.isNull());
        }
        seen.push_back(row.text(0));
    });
    Recordset rs;
    rs.Open(sql, f.db, {"O'Hare"});
    std::vector<std::string> expected;
    for (; !rs.Eof(); rs.MoveNext())
        expected.push_back(rs.Field(0).toString());
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(seen.size(), 5u);
    // Only queries: a statement that changes the file is refused before it runs.
    EXPECT_THROW(f.db.ForEachRow("DELETE FROM Waypoints", {}, [](const auto&) {}), DbError);
    EXPECT_THROW(f.db.ForEachRow("SELECT * FROM NoSuchTable", {}, [](const auto&) {}), DbError);
    EXPECT_EQ(countRows(f.db, "SELECT * FROM Waypoints"), 6);
}

TEST(DataFileStatements, KeywordAndUmlautColumnsWorkQuoted)
{
    DataFile f;
    EXPECT_EQ(f.db.Execute("UPDATE Maps SET \"Höhe\" = ? WHERE Name = ?", {900, "demo.bmp"}), 1);
    EXPECT_EQ(f.db.Execute("INSERT INTO List (Name) VALUES (?)", {"Flug 1"}), 1);
    EXPECT_EQ(countRows(f.db, "SELECT * FROM List WHERE \"Index\" = ?", {1}), 1);
}

TEST(DataFileTextMatching, EqualityIgnoresCaseIncludingUmlauts)
{
    DataFile f;
    EXPECT_EQ(countRows(f.db, "SELECT * FROM Waypoints WHERE Name = ?", {"münchen"}), 1);
    EXPECT_EQ(countRows(f.db, "SELECT * FROM Waypoints WHERE Name = ?", {"ÜBERLINGEN"}), 1);
}

TEST(DataFileTextMatching, LikeFindsNameBeginningsIgnoringCase)
{
    DataFile f;
    const auto like = [&f](const char* pattern) {
        return countRows(f.db, "SELECT * FROM Waypoints WHERE Name LIKE ?", {pattern});
    };
    EXPECT_EQ(like("b%"), 1);
    EXPECT_EQ(like("ü%"), 1);  // Überlingen
    EXPECT_EQ(like("mü%"), 1); // MÜNCHEN
    EXPECT_EQ(like("M_NCHEN"), 1);
    EXPECT_EQ(like("o'%"), 1);
    EXPECT_EQ(like("%e%"), 5); // "E" of MÜNCHEN too
    EXPECT_EQ(like("%ll%"), 1);
    EXPECT_EQ(like(""), 0);
    EXPECT_EQ(like("%"), 5);
    EXPECT_EQ(countRows(f.db, "SELECT * FROM Waypoints WHERE Name LIKE ? ESCAPE '!'", {"%!%"}), 0);
}

TEST(DataFileTransaction, ChangesWithoutCommitAreRolledBack)
{
    DataFile f;
    {
        Connection::Transaction tx(f.db);
        f.db.Execute("DELETE FROM Kategorie");
        f.db.Execute("DELETE FROM Waypoints");
    }
    EXPECT_EQ(countRows(f.db, "SELECT * FROM Kategorie"), 3);
    EXPECT_EQ(countRows(f.db, "SELECT * FROM Waypoints"), 5);
}

TEST(DataFileTransaction, CommittedChangesStayAndInnerRollbackKeepsOuterWork)
{
    DataFile f;
    {
        Connection::Transaction outer(f.db);
        f.db.Execute("DELETE FROM Kategorie WHERE Nummer = 3");
        {
            Connection::Transaction inner(f.db);
            f.db.Execute("DELETE FROM Waypoints");
        }
        outer.commit();
        EXPECT_THROW(outer.commit(), DbError);
    }
    EXPECT_EQ(tvtest::queryText(f.path, "SELECT count(*) FROM Kategorie"), "2");
    EXPECT_EQ(tvtest::queryText(f.path, "SELECT count(*) FROM Waypoints"), "5");
}
