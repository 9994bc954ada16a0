#include "map/ChartRow.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"
#include "support/PlainSqlite.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// Each case stores one value as SQLite holds it (an untyped column keeps a text a text) in
// every number field of a chart's row and reads the row back.
TEST(ChartRowReader, ReadsWhatIsStoredAsANumberAndNothingElse)
{
    struct Case
    {
        const char* what;
        const char* sql; // the stored value
        std::optional<double> want;
    };
    const Case cases[] = {
        {"a real", "47.4", 47.4},
        {"a negative real (south, west)", "-8.5", -8.5},
        {"a whole number", "1200", 1200.0},
        {"a text with a point", "'47.4'", 47.4},
        {"a text with blanks around it", "' 47.4 '", 47.4},
        {"a text with an exponent", "'1.2e3'", 1200.0},
        {"a text with a comma", "'47,4'", std::nullopt},
        {"a text that is no number", "'Nord'", std::nullopt},
        {"an empty text", "''", std::nullopt},
        {"NULL", "NULL", std::nullopt},
        {"an infinite real", "9e999", std::nullopt},
    };
    for (const Case& c : cases) {
        tvtest::TempDir dir;
        const std::string v = c.sql;
        tvtest::buildWithPlainSqlite(
            dir / "data.tvd",
            R"(CREATE TABLE Maps (Name, Unten, Oben, Links, Rechts, Breite, "Höhe");)",
            {"INSERT INTO Maps VALUES ('a.jpg', " + v + ", " + v + ", " + v + ", " + v + ", " + v +
             ", " + v + ")"});
        tv::Connection db;
        db.Open((dir / "data.tvd").string());
        tv::Recordset maps;
        maps.Open("SELECT * FROM Maps", db);
        const tv::ChartRow row = tv::readChartRow(maps);
        for (const std::optional<double>& field :
             {row.southDDMM, row.northDDMM, row.westDDMM, row.eastDDMM, row.widthPx, row.heightPx})
            EXPECT_EQ(field, c.want) << c.what;
    }
}

TEST(ChartRowReader, ATableWithoutTheSizeFieldsIsAFault)
{
    tvtest::TempDir dir;
    tvtest::buildWithPlainSqlite(dir / "data.tvd",
                                 "CREATE TABLE Maps (Name, Unten, Oben, Links, Rechts);",
                                 {"INSERT INTO Maps VALUES ('a.jpg', 47, 48, 9, 10)"});
    tv::Connection db;
    db.Open((dir / "data.tvd").string());
    tv::Recordset maps;
    maps.Open("SELECT * FROM Maps", db);
    EXPECT_THROW(tv::readChartRow(maps), tv::DbError);
}

} // namespace
