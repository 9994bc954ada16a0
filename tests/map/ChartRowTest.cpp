#include "map/ChartRow.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "support/PlainSqlite.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// Each case stores one value as SQLite holds it (an untyped column keeps a text a text) in
// every number field of a chart's row and reads the row back.
TEST(ChartRowReader, ReadsWhatIsStoredAsANumberAndNothingElse)
{
    // A real, a negative real (south, west), a whole number; texts with a point, with blanks
    // around, with an exponent, with a comma, no number, empty; NULL; an infinite real.
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"47.4", 47.4},           {"-8.5", -8.5},           {"1200", 1200.0},
        {"'47.4'", 47.4},         {"' 47.4 '", 47.4},       {"'1.2e3'", 1200.0},
        {"'47,4'", std::nullopt}, {"'Nord'", std::nullopt}, {"''", std::nullopt},
        {"NULL", std::nullopt},   {"9e999", std::nullopt},
    };
    for (const auto& [stored, want] : cases) {
        tvtest::TempDir dir;
        const std::string v = stored;
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
            EXPECT_EQ(field, want) << stored;
    }
}

// The chart box of both maps offers the charts whose Active is set (any value but 0; NULL is
// not set), by name.
TEST(ActiveCharts, OnlyChartsSetActiveByName)
{
    tvtest::TempDir dir;
    tvtest::buildWithPlainSqlite(
        dir / "data.tvd",
        R"(CREATE TABLE Maps (Name, Unten, Oben, Links, Rechts, Breite, "Höhe", Active);)",
        {"INSERT INTO Maps (Name, Active) VALUES ('c.jpg', 1), ('off.jpg', 0), ('a.jpg', -1), "
         "('none.jpg', NULL), ('b.jpg', 1)"});
    tv::Connection db;
    db.Open((dir / "data.tvd").string());
    EXPECT_EQ(tv::activeChartNames(db),
              (std::vector<QString>{QStringLiteral("a.jpg"), QStringLiteral("b.jpg"),
                                    QStringLiteral("c.jpg")}));
    tv::Recordset maps;
    tv::openActiveCharts(maps, db);
    EXPECT_EQ(maps.RecordCount(), 3);
    EXPECT_EQ(tv::readChartRow(maps).widthPx, std::nullopt); // every field is there to read
}

} // namespace
