#include "DbFixture.h"

#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"

#include <gtest/gtest.h>

using tv::CompareOp;
using tv::Connection;
using tv::Criterion;
using tv::DbError;
using tv::FieldType;
using tv::Recordset;
using tv::Value;
using tvtest::TempDir;

namespace {

class RecordsetOnDataFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        tvtest::makeDatabase(path_, tvtest::kDataSql);
        db_.Open(path_.string());
    }

    std::vector<std::string> names(Recordset& rs, const char* field = "Name")
    {
        std::vector<std::string> out;
        if (rs.RecordCount() == 0)
            return out;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            out.push_back(rs.Field(field).toString());
        return out;
    }

    std::string stored(const std::string& sql) { return tvtest::queryText(path_, sql); }

    // The rows of `sql`, open.
    Recordset opened(const std::string& sql)
    {
        Recordset rs;
        rs.Open(sql, db_);
        return rs;
    }

    // All waypoints, open, in name order.
    Recordset waypointsByName() { return opened("SELECT * FROM Waypoints ORDER BY Name"); }

    TempDir dir_;
    std::filesystem::path path_ = dir_ / "data.tvd";
    Connection db_;
};

using Names = std::vector<std::string>;

} // namespace

// --- opening ---------------------------------------------------------------------------------

class RecordsetOpen : public RecordsetOnDataFile
{
};

TEST_F(RecordsetOpen, RecordCountIsKnownRightAfterOpenAndFirstRowIsCurrent)
{
    Recordset rs = opened("SELECT * From Waypoints Order by NAME ASC");
    EXPECT_EQ(rs.State(), Recordset::kStateOpen);
    EXPECT_EQ(rs.RecordCount(), 5);
    EXPECT_EQ(rs.AbsolutePosition(), 1);
    EXPECT_EQ(rs.Field("Name").toString(), "Berlin");
    // Folded texts compare byte by byte, as the data file's collation does: "ü" after "z".
    EXPECT_EQ(names(rs), (Names{"Berlin", "MÜNCHEN", "O'Hare", "Zell", "Überlingen"}));
    rs.Close();
    EXPECT_EQ(rs.State(), Recordset::kStateClosed);
    EXPECT_THROW(rs.RecordCount(), DbError);
}

TEST_F(RecordsetOpen, WhereClauseTakesBoundNameWithApostrophe)
{
    Recordset rs;
    rs.Open("SELECT * FROM Waypoints WHERE Name = ? AND Lat > ?", db_, {"O'Hare", 40});
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_DOUBLE_EQ(rs.Field("Long").toDouble(), -87.54);
}

TEST_F(RecordsetOpen, FieldNamesIgnoreCaseAndTypesFollowTheSchema)
{
    Recordset rs = opened("SELECT * FROM Maps ORDER BY Name");
    ASSERT_EQ(rs.FieldCount(), 10);
    EXPECT_EQ(rs.Field("höhe").toInt(), 1600);
    EXPECT_EQ(rs.Field("HÖHE").toInt(), 1600);
    EXPECT_EQ(rs.FieldIndex("no such field"), -1);
    EXPECT_THROW(rs.Field("no such field"), DbError);

    const auto type = [&rs](const char* name) { return rs.FieldAt(rs.FieldIndex(name)).type; };
    EXPECT_EQ(type("Name"), FieldType::VarChar);
    EXPECT_EQ(rs.FieldAt(0).size, 255);
    EXPECT_FALSE(rs.FieldAt(0).nullable);
    EXPECT_EQ(type("Breite"), FieldType::Long);
    EXPECT_EQ(type("Oben"), FieldType::Double);
    EXPECT_EQ(type("Active"), FieldType::Boolean);
    EXPECT_EQ(type("Zoom"), FieldType::SmallInt);
    EXPECT_EQ(type("Scale"), FieldType::Single);
    EXPECT_EQ(type("Datum"), FieldType::DateTime);
    EXPECT_EQ(type("Notiz"), FieldType::Text);

    Recordset ids;
    ids.Open("SELECT PointID, count(*) AS n, Lat * 2 AS twice FROM Waypoints", db_);
    EXPECT_TRUE(ids.FieldAt(0).autoIncrement);
    EXPECT_EQ(ids.FieldAt(1).type, FieldType::Long);
    EXPECT_EQ(ids.FieldAt(2).type, FieldType::Double);
}

TEST_F(RecordsetOpen, StatementsThatChangeDataAreRefused)
{
    Recordset rs;
    EXPECT_THROW(rs.Open("DELETE FROM Waypoints", db_), DbError);
    EXPECT_THROW(rs.Open("SELECT * FROM Waypoints; DELETE FROM Waypoints", db_), DbError);
    EXPECT_THROW(rs.Open("SELECT * FROM Nowhere", db_), DbError);
    EXPECT_EQ(rs.State(), Recordset::kStateClosed);
    EXPECT_EQ(stored("SELECT count(*) FROM Waypoints"), "5");
}

TEST_F(RecordsetOpen, RecordsetOutlivingItsConnectionFailsCleanly)
{
    Recordset rs;
    {
        Connection other;
        other.Open(path_.string());
        rs.Open("SELECT * FROM Waypoints ORDER BY Name", other);
    }
    EXPECT_EQ(rs.RecordCount(), 5); // fetched rows stay readable
    EXPECT_EQ(rs.Field("Name").toString(), "Berlin");
    EXPECT_THROW(rs.Requery(), DbError);
    rs.SetField("Name", "Bern");
    EXPECT_THROW(rs.Update(), DbError);
    rs.CancelUpdate();
    EXPECT_THROW(rs.Delete(), DbError);
}

// --- moving ----------------------------------------------------------------------------------

class RecordsetNavigation : public RecordsetOnDataFile
{
};

TEST_F(RecordsetNavigation, MovesStopAtBothEndsWithAnError)
{
    Recordset rs = waypointsByName();
    rs.MoveLast();
    EXPECT_EQ(rs.Field("Name").toString(), "Überlingen");
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    EXPECT_EQ(rs.AbsolutePosition(), Recordset::kPosEOF);
    EXPECT_THROW(rs.MoveNext(), DbError);
    EXPECT_THROW(rs.Field("Name"), DbError);
    EXPECT_THROW(rs.SetField("Name", "x"), DbError);
    rs.MovePrevious();
    EXPECT_EQ(rs.Field("Name").toString(), "Überlingen");
    rs.MoveFirst();
    rs.MovePrevious();
    EXPECT_TRUE(rs.Bof());
    EXPECT_FALSE(rs.Eof());
    EXPECT_EQ(rs.AbsolutePosition(), Recordset::kPosBOF);
    EXPECT_THROW(rs.MovePrevious(), DbError);
    rs.MoveNext();
    EXPECT_EQ(rs.Field("Name").toString(), "Berlin");
}

TEST_F(RecordsetNavigation, AbsolutePositionCountsFromOneAndCanBeSet)
{
    Recordset rs = waypointsByName();
    rs.MoveNext();
    rs.MoveNext();
    EXPECT_EQ(rs.AbsolutePosition(), 3);
    rs.SetAbsolutePosition(4);
    EXPECT_EQ(rs.Field("Name").toString(), "Zell");
    EXPECT_THROW(rs.SetAbsolutePosition(0), DbError);
    EXPECT_THROW(rs.SetAbsolutePosition(6), DbError);
    EXPECT_EQ(rs.AbsolutePosition(), 4);
}

TEST_F(RecordsetNavigation, EmptySelectionIsAtBofAndEofAndMoveFirstIsHarmless)
{
    Recordset rs;
    rs.Open("SELECT * From Waypoints WHERE PointID = ?", db_, {-99999});
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_TRUE(rs.Bof());
    EXPECT_TRUE(rs.Eof());
    rs.MoveFirst();
    rs.MoveLast();
    EXPECT_TRUE(rs.Eof());
    EXPECT_EQ(rs.AbsolutePosition(), Recordset::kPosUnknown);
    rs.Find("Name", CompareOp::Equal, "Berlin");
    EXPECT_TRUE(rs.Eof());
}

TEST_F(RecordsetNavigation, BookmarkLeadsBackToTheSameRowAfterSortAndFilter)
{
    Recordset rs = waypointsByName();
    rs.SetAbsolutePosition(3);
    const auto oHare = rs.Bookmark();
    rs.MoveFirst();
    const auto berlin = rs.Bookmark();
    EXPECT_NE(oHare, berlin);

    rs.Sort("Lat DESC");
    rs.SetBookmark(oHare);
    EXPECT_EQ(rs.Field("Name").toString(), "O'Hare");
    EXPECT_EQ(rs.AbsolutePosition(), 5);

    rs.Filter("Kategorie", CompareOp::Equal, "Stadt");
    rs.SetBookmark(berlin);
    EXPECT_EQ(rs.Field("Name").toString(), "Berlin");
    EXPECT_THROW(rs.SetBookmark(oHare), DbError); // filtered out
    EXPECT_EQ(rs.Field("Name").toString(), "Berlin");

    rs.Requery();
    EXPECT_THROW(rs.SetBookmark(berlin), DbError); // taken before the requery
    EXPECT_THROW(rs.SetBookmark(123456), DbError);
}

// --- Find ------------------------------------------------------------------------------------

class RecordsetFind : public RecordsetOnDataFile
{
};

TEST_F(RecordsetFind, SearchesForwardFromTheCurrentRowNotFromTheStart)
{
    Recordset rs = waypointsByName();
    rs.SetAbsolutePosition(3);
    rs.Find("Kategorie", CompareOp::Equal, "Stadt"); // Berlin and MÜNCHEN lie behind
    EXPECT_TRUE(rs.Eof());

    rs.SetAbsolutePosition(2);
    rs.Find("Kategorie", CompareOp::Equal, "Stadt"); // the current row itself counts
    EXPECT_EQ(rs.Field("Name").toString(), "MÜNCHEN");
    rs.MoveNext();
    rs.Find("Kategorie", CompareOp::Equal, "Stadt");
    EXPECT_TRUE(rs.Eof());
}

TEST_F(RecordsetFind, NoMatchLeavesTheSetAtEof)
{
    Recordset rs = waypointsByName();
    rs.Find("Name", CompareOp::Equal, "Bern");
    EXPECT_TRUE(rs.Eof());
    EXPECT_THROW(rs.Field("Name"), DbError);
    rs.Find("Name", CompareOp::Equal, "Berlin"); // from EOF nothing more is found
    EXPECT_TRUE(rs.Eof());
}

TEST_F(RecordsetFind, NamesMatchIgnoringCaseIncludingUmlauts)
{
    Recordset rs = waypointsByName();
    rs.Find("name", CompareOp::Equal, "münchen");
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs.Field("Name").toString(), "MÜNCHEN");
    rs.MoveFirst();
    rs.Find("Name", CompareOp::Equal, "ÜBERLINGEN");
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs.AbsolutePosition(), 5);
}

TEST_F(RecordsetFind, NameWithApostropheIsFound)
{
    Recordset rs = waypointsByName();
    rs.Find("Name", CompareOp::Equal, "o'hare");
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs.Field("Name").toString(), "O'Hare");
}

TEST_F(RecordsetFind, QuickFindLandsOnFirstNameNotBeforeTheTypedText)
{
    Recordset rs = opened("SELECT * from waypoints ORDER BY NAME ASC");
    rs.Find("Name", CompareOp::GreaterEqual, "m");
    EXPECT_EQ(rs.Field("Name").toString(), "MÜNCHEN");
    rs.MoveFirst();
    rs.Find("Name", CompareOp::GreaterEqual, "Überz"); // beyond the last name
    EXPECT_TRUE(rs.Eof());
}

TEST_F(RecordsetFind, NumbersCompareAsNumbersAlsoWhenGivenAsText)
{
    Recordset rs = opened("SELECT * FROM Kategorie ORDER BY Nummer");
    rs.Find("Nummer", CompareOp::Equal, 2);
    EXPECT_EQ(rs.Field("Kategorie").toString(), "Flugplatz");
    rs.MoveFirst();
    rs.Find("Nummer", CompareOp::Equal, "3");
    EXPECT_EQ(rs.AbsolutePosition(), 3);
    rs.MoveFirst();
    rs.Find("Nummer", CompareOp::Greater, 1.5);
    EXPECT_EQ(rs.AbsolutePosition(), 2);
}

TEST_F(RecordsetFind, NullFieldsMatchNoComparison)
{
    Recordset rs = waypointsByName();
    rs.Find("Kategorie", CompareOp::NotEqual, "Stadt");
    EXPECT_EQ(rs.Field("Name").toString(), "O'Hare");
    rs.MoveNext();
    rs.Find("Kategorie", CompareOp::NotEqual, "Stadt"); // Zell has Null, Überlingen ""
    EXPECT_EQ(rs.Field("Name").toString(), "Überlingen");
    rs.MoveFirst();
    rs.Find("Kategorie", CompareOp::Equal, Value());
    EXPECT_EQ(rs.Field("Name").toString(), "Zell");
}

TEST_F(RecordsetFind, UnknownFieldIsAnErrorAndTheRowStays)
{
    Recordset rs = waypointsByName();
    rs.MoveNext();
    EXPECT_THROW(rs.Find("Nme", CompareOp::Equal, "Berlin"), DbError);
    EXPECT_EQ(rs.AbsolutePosition(), 2);
}

// --- Filter and Sort -------------------------------------------------------------------------

class RecordsetFilterAndSort : public RecordsetOnDataFile
{
};

TEST_F(RecordsetFilterAndSort, FilterHidesRowsUntilCleared)
{
    Recordset rs = waypointsByName();
    rs.SetAbsolutePosition(4);
    rs.Filter("Kategorie", CompareOp::Equal, "stadt");
    EXPECT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(rs.AbsolutePosition(), 1);
    EXPECT_EQ(names(rs), (Names{"Berlin", "MÜNCHEN"}));
    rs.ClearFilter();
    EXPECT_EQ(rs.RecordCount(), 5);
    EXPECT_EQ(rs.Field("Name").toString(), "Berlin");
}

TEST_F(RecordsetFilterAndSort, FilterWithSeveralComparisonsNeedsAllOfThem)
{
    Recordset rs = waypointsByName();
    rs.Filter({Criterion{"Lat", CompareOp::LessEqual, 48.5},
               Criterion{"Lat", CompareOp::GreaterEqual, 47.46},
               Criterion{"Name", CompareOp::NotEqual, "Zell"}});
    EXPECT_EQ(names(rs), (Names{"MÜNCHEN", "Überlingen"}));
}

TEST_F(RecordsetFilterAndSort, FilterOnApostropheValueAndEmptyResult)
{
    Recordset rs = waypointsByName();
    rs.Filter("Name", CompareOp::Equal, "O'Hare");
    EXPECT_EQ(rs.RecordCount(), 1);
    rs.Filter("Name", CompareOp::Equal, "Nowhere");
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_TRUE(rs.Bof());
    EXPECT_TRUE(rs.Eof());
    EXPECT_THROW(rs.Filter("Nowhere", CompareOp::Equal, 1), DbError);
}

TEST_F(RecordsetFilterAndSort, NumberFieldFilteredWithQuotedText)
{
    db_.Execute("INSERT INTO List (Name, Surface) VALUES ('asphalt', 0), ('gras', 1), "
                "('beton', 0)");
    Recordset rs = opened("SELECT * FROM List ORDER BY Name");
    rs.Filter("Surface", CompareOp::Equal, "0");
    EXPECT_EQ(names(rs), (Names{"asphalt", "beton"}));
}

TEST_F(RecordsetFilterAndSort, SortOrdersNumbersAsNumbersAndTextsIgnoringCase)
{
    db_.Execute("INSERT INTO Kategorie VALUES (10, 'zehn'), (9, 'Neun')");
    Recordset rs = opened("SELECT * FROM Kategorie");
    rs.MoveLast();
    rs.Sort("Nummer ASC");
    EXPECT_EQ(rs.AbsolutePosition(), 1);
    EXPECT_EQ(names(rs, "Nummer"), (Names{"1", "2", "3", "9", "10"}));
    rs.Sort("Kategorie DESC, Nummer");
    EXPECT_EQ(names(rs, "Kategorie"), (Names{"zehn", "Stadt", "stadt", "Neun", "Flugplatz"}));
    rs.Sort("[Kategorie], Nummer DESC");
    EXPECT_EQ(names(rs, "Kategorie"), (Names{"Flugplatz", "Neun", "stadt", "Stadt", "zehn"}));
    rs.Sort("");
    EXPECT_EQ(names(rs, "Nummer"), (Names{"1", "2", "3", "10", "9"}));
}

TEST_F(RecordsetFilterAndSort, SortByUnknownFieldIsRefusedAndOrderStays)
{
    Recordset rs = opened("SELECT * FROM Kategorie");
    rs.Sort("Nummer DESC");
    EXPECT_THROW(rs.Sort("Nummer; DROP TABLE Kategorie"), DbError);
    EXPECT_THROW(rs.Sort("Nummer ASC, Nope"), DbError);
    EXPECT_EQ(names(rs, "Nummer"), (Names{"3", "2", "1"}));
}

TEST_F(RecordsetFilterAndSort, FilterAndSortWorkTogether)
{
    Recordset rs = opened("SELECT * FROM Waypoints");
    rs.Sort("Lat");
    rs.Filter("Lat", CompareOp::Less, 50);
    EXPECT_EQ(names(rs), (Names{"O'Hare", "Überlingen", "Zell", "MÜNCHEN"}));
}

// --- Requery ---------------------------------------------------------------------------------

class RecordsetRequery : public RecordsetOnDataFile
{
};

TEST_F(RecordsetRequery, SeesNewRowsAndStartsAtTheFirstRow)
{
    Recordset rs;
    rs.Open("SELECT * From Maps Where Active = ? Order by NAME ASC", db_, {true});
    EXPECT_EQ(rs.RecordCount(), 1);
    db_.Execute("UPDATE Maps SET Active = 1");
    db_.Execute("INSERT INTO Maps (Name, Active) VALUES ('Zürich.jpg', 1)");
    rs.MoveLast();
    rs.Requery();
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_EQ(rs.AbsolutePosition(), 1);
    EXPECT_EQ(names(rs), (Names{"alpen.jpg", "demo.bmp", "Zürich.jpg"}));
}

TEST_F(RecordsetRequery, FilterOnAColumnThatIsGoneIsDroppedNotFollowed)
{
    Recordset rs = opened("SELECT * FROM Waypoints");
    rs.Filter("Kategorie", CompareOp::Equal, "Stadt");
    rs.Sort("Kategorie, Name");
    db_.Execute("ALTER TABLE Waypoints DROP COLUMN Kategorie");
    rs.Requery();
    EXPECT_EQ(rs.FieldCount(), 4);
    EXPECT_EQ(rs.RecordCount(), 5);
    EXPECT_EQ(names(rs), (Names{"Berlin", "MÜNCHEN", "O'Hare", "Zell", "Überlingen"}));
}

TEST_F(RecordsetRequery, KeepsFilterAndSort)
{
    Recordset rs = opened("SELECT * FROM Waypoints");
    rs.Filter("Kategorie", CompareOp::Equal, "Stadt");
    rs.Sort("Name DESC");
    db_.Execute("INSERT INTO Waypoints (Name, Kategorie) VALUES ('Aachen', 'STADT')");
    rs.Requery();
    EXPECT_EQ(names(rs), (Names{"MÜNCHEN", "Berlin", "Aachen"}));
}

// --- changes ---------------------------------------------------------------------------------

class RecordsetChanges : public RecordsetOnDataFile
{
};

TEST_F(RecordsetChanges, AddNewStoresTheRowAndShowsItsAutonumber)
{
    Recordset rs = waypointsByName();
    rs.AddNew();
    EXPECT_EQ(rs.EditMode(), Recordset::EditState::Add);
    rs.SetField("Name", "L'Alpe d'Huez");
    rs.SetField("Lat", 45.05);
    rs.SetField("Long", "6.04");
    rs.SetField("Kategorie", "");
    rs.Update();
    EXPECT_EQ(rs.EditMode(), Recordset::EditState::None);
    EXPECT_EQ(rs.Field("PointID").toInt(), 6);
    EXPECT_EQ(rs.RecordCount(), 6);
    EXPECT_EQ(rs.AbsolutePosition(), 6); // new rows join the end
    EXPECT_EQ(stored("SELECT Name FROM Waypoints WHERE PointID = 6"), "L'Alpe d'Huez");
    EXPECT_EQ(stored("SELECT typeof(Long) FROM Waypoints WHERE PointID = 6"), "real");
    EXPECT_EQ(stored("SELECT Kategorie FROM Waypoints WHERE PointID = 6"), "");
    EXPECT_EQ(stored("SELECT typeof(Kategorie) FROM Waypoints WHERE PointID = 6"), "text");
}

TEST_F(RecordsetChanges, MovingAwayFromANewRowStoresIt)
{
    Recordset rs = opened("SELECT * FROM Kategorie ORDER BY Nummer");
    rs.AddNew();
    rs.SetField("Nummer", 1.3);
    rs.SetField("Kategorie", "Flugplätze");
    EXPECT_FALSE(rs.Eof());
    rs.MoveFirst();
    EXPECT_EQ(rs.EditMode(), Recordset::EditState::None);
    EXPECT_EQ(rs.RecordCount(), 4);
    EXPECT_EQ(stored("SELECT Nummer FROM Kategorie WHERE Kategorie = 'Flugplätze'"), "1.3");
    rs.MoveLast();
    rs.SetField("Nummer", 2); // the new row is found again by the rowid it got
    rs.Update();
    EXPECT_EQ(stored("SELECT Nummer FROM Kategorie WHERE Kategorie = 'Flugplätze'"), "2.0");
}

TEST_F(RecordsetChanges, EmptySelectionStillTakesNewRows)
{
    Recordset rs;
    rs.Open("SELECT * FROM List WHERE NAME = ?", db_, {"****XXX****"});
    rs.AddNew();
    rs.SetField("Name", "Flug vom 1. Mai");
    rs.Update();
    EXPECT_EQ(rs.Field("Index").toInt(), 1);
    rs.AddNew();
    rs.SetField("Name", "Flug vom 2. Mai");
    rs.Update();
    EXPECT_EQ(rs.Field("index").toInt(), 2);
    EXPECT_EQ(stored("SELECT count(*) FROM List"), "2");
}

TEST_F(RecordsetChanges, ChangedFieldIsWrittenToItsRow)
{
    Recordset rs = waypointsByName();
    rs.Find("Name", CompareOp::Equal, "O'Hare");
    rs.SetField("Name", "O'Hare Intl");
    EXPECT_EQ(rs.EditMode(), Recordset::EditState::InProgress);
    EXPECT_EQ(rs.Field("Name").toString(), "O'Hare Intl");
    rs.Update();
    EXPECT_EQ(stored("SELECT Name FROM Waypoints WHERE PointID = 3"), "O'Hare Intl");
    EXPECT_EQ(stored("SELECT count(*) FROM Waypoints WHERE Name LIKE 'O%'"), "1");
}

TEST_F(RecordsetChanges, RowOfTableWithoutKeyIsFoundByItsExactValues)
{
    // "Stadt" and "stadt" are equal to the collation; only row 3 may change.
    Recordset rs = opened("SELECT * FROM Kategorie ORDER BY Nummer");
    rs.SetAbsolutePosition(3);
    rs.SetField("Kategorie", "Dorf");
    rs.Update();
    rs.SetField("Nummer", 4); // the same row again, now by its remembered rowid
    rs.Update();
    EXPECT_EQ(stored("SELECT group_concat(Nummer || Kategorie, ',') FROM "
                     "(SELECT * FROM Kategorie ORDER BY rowid)"),
              "1.0Stadt,2.0Flugplatz,4.0Dorf");
}

TEST_F(RecordsetChanges, MovingOnStoresThePendingChangeLikeARenumbering)
{
    db_.Execute("UPDATE Kategorie SET Nummer = Nummer * 10 + 0.3");
    Recordset rs = opened("SELECT * From Kategorie ORDER BY Nummer ASC");
    int n = 1;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        rs.SetField("Nummer", n++);
    rs.Close();
    EXPECT_EQ(stored("SELECT group_concat(Nummer, ',') FROM (SELECT Nummer FROM Kategorie "
                     "ORDER BY rowid)"),
              "1.0,2.0,3.0");
}

TEST_F(RecordsetChanges, CancelUpdateForgetsTheChange)
{
    Recordset rs = waypointsByName();
    rs.SetField("Name", "Bern");
    rs.CancelUpdate();
    EXPECT_EQ(rs.Field("Name").toString(), "Berlin");
    rs.MoveNext();
    rs.AddNew();
    rs.SetField("Name", "Neu");
    rs.CancelUpdate();
    EXPECT_EQ(rs.Field("Name").toString(), "MÜNCHEN");
    rs.SetField("Name", "Munich");
    rs.Close(); // closing drops a pending change too
    EXPECT_EQ(stored("SELECT group_concat(Name, ',') FROM (SELECT Name FROM Waypoints ORDER "
                     "BY PointID)"),
              "Berlin,MÜNCHEN,O'Hare,Überlingen,Zell");
}

TEST_F(RecordsetChanges, ValueThatDoesNotFitIsRefusedAndNothingChanges)
{
    Recordset rs = opened("SELECT * FROM Maps ORDER BY Name");
    EXPECT_THROW(rs.SetField("Zoom", 40000), DbError);     // SMALLINT
    EXPECT_THROW(rs.SetField("Breite", "breit"), DbError); // INTEGER
    EXPECT_THROW(rs.SetField("Name", std::string(256, 'x')), DbError);
    EXPECT_EQ(rs.EditMode(), Recordset::EditState::None);
    rs.SetField("Zoom", 2.5); // halves round to even, as VB does
    rs.SetField("Active", "True");
    rs.Update();
    EXPECT_EQ(stored("SELECT Zoom || '/' || Active FROM Maps WHERE Name = 'alpen.jpg'"), "2/1");
}

TEST_F(RecordsetChanges, DeleteRemovesTheRowFromFileAndSet)
{
    Recordset rs = waypointsByName();
    rs.SetAbsolutePosition(2);
    rs.Delete();
    EXPECT_EQ(rs.RecordCount(), 4);
    EXPECT_THROW(rs.Field("Name"), DbError); // no row is current until the next move
    rs.MoveNext();
    EXPECT_EQ(rs.Field("Name").toString(), "O'Hare");
    EXPECT_EQ(stored("SELECT count(*) FROM Waypoints WHERE Name = 'MÜNCHEN'"), "0");
    EXPECT_EQ(stored("SELECT count(*) FROM Waypoints"), "4");
}

TEST_F(RecordsetChanges, DeletingWhileWalkingRemovesEveryRow)
{
    Recordset rs = opened("SELECT * FROM Kategorie");
    rs.MoveFirst();
    while (!rs.Eof()) {
        rs.Delete();
        rs.MoveNext();
    }
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_EQ(stored("SELECT count(*) FROM Kategorie"), "0");
}

TEST_F(RecordsetChanges, RowDeletedBehindTheSetsBackIsReported)
{
    Recordset rs = waypointsByName();
    db_.Execute("DELETE FROM Waypoints WHERE Name = ?", {"Berlin"});
    rs.SetField("Lat", 1.0);
    EXPECT_THROW(rs.Update(), DbError);
    rs.CancelUpdate();
    EXPECT_THROW(rs.Delete(), DbError);
    EXPECT_EQ(rs.RecordCount(), 5);
}

TEST_F(RecordsetChanges, SetsOverSeveralTablesOrExpressionsAreReadOnly)
{
    db_.Execute("INSERT INTO List (Name) VALUES ('Berlin')");
    Recordset joined;
    joined.Open("SELECT w.Name, l.\"Index\" FROM Waypoints w JOIN List l ON l.Name = w.Name", db_);
    ASSERT_EQ(joined.RecordCount(), 1);
    EXPECT_THROW(joined.SetField("Name", "x"), DbError);
    EXPECT_THROW(joined.AddNew(), DbError);

    Recordset expr;
    expr.Open("SELECT Name, Lat * 2 AS Twice FROM Waypoints", db_);
    EXPECT_THROW(expr.SetField("Twice", 1), DbError);
    expr.SetField("Name", "Berlin-Tegel"); // the plain column still can change
    expr.Update();
    EXPECT_EQ(stored("SELECT Name FROM Waypoints WHERE PointID = 1"), "Berlin-Tegel");
}

// --- unconnected sets ------------------------------------------------------------------------

TEST(UnconnectedRecordset, AppendedFieldsGiveAnEmptyLocalSetThatTakesRows)
{
    Recordset rs;
    rs.AppendField("Karte", FieldType::Char, 30);
    rs.AppendField("SX", FieldType::Double, 0, true);
    rs.AppendField("CenterMap", FieldType::Boolean, 0, true);
    rs.Open();
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_TRUE(rs.Eof());

    for (const char* name : {"demo.bmp", "alpen.jpg", "Zürich.jpg"}) {
        rs.AddNew();
        rs.SetField("Karte", name);
        rs.SetField("SX", 12.5);
        rs.SetField("CenterMap", true);
        rs.Update();
    }
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_EQ(rs.Field("Karte").toString(), "Zürich.jpg" + std::string(20, ' '));

    rs.MoveFirst();
    rs.Find("Karte", CompareOp::Equal, "ALPEN.JPG"); // trailing blanks of the field do not count
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs.AbsolutePosition(), 2);
    rs.SetField("SX", Value());
    rs.Update();
    EXPECT_TRUE(rs.Field("SX").isNull());

    rs.Sort("Karte");
    EXPECT_EQ(rs.Field("Karte").toString().substr(0, 9), "alpen.jpg");
    rs.Delete();
    EXPECT_EQ(rs.RecordCount(), 2);
}

// Whatever the set went through, HasCurrentRow says exactly whether a field can be read.
TEST(UnconnectedRecordset, HasCurrentRowSaysWhetherAFieldCanBeRead)
{
    Recordset rs;
    rs.AppendField("Nr", FieldType::Long);
    auto expect = [&rs](const char* state, bool current) {
        bool readable = true;
        try {
            rs.Field("Nr");
        } catch (const DbError&) {
            readable = false;
        }
        EXPECT_EQ(rs.HasCurrentRow(), current) << state;
        EXPECT_EQ(readable, current) << state;
    };
    expect("closed", false);
    rs.Open();
    expect("opened empty", false);
    rs.AddNew();
    expect("adding to the empty set", true);
    rs.Update();
    rs.AddNew();
    rs.Update();
    expect("the second row stored", true);
    rs.MoveFirst();
    rs.MovePrevious();
    expect("before the first row", false);
    rs.MoveLast();
    rs.MoveNext();
    expect("after the last row", false);
    rs.MoveFirst();
    rs.Delete();
    expect("the first row deleted", false);
    rs.MoveNext();
    expect("moved on after deleting", true);
    rs.Filter("Nr", CompareOp::Equal, 9);
    expect("filtered to nothing", false);
    rs.Close();
    expect("closed again", false);
}

TEST(UnconnectedRecordset, ChartNameLongerThanTheFieldIsRefused)
{
    Recordset rs;
    rs.AppendField("Karte", FieldType::Char, 30);
    rs.Open();
    rs.AddNew();
    EXPECT_THROW(rs.SetField("Karte", std::string(31, 'k')), DbError);
    rs.SetField("Karte", std::string(30, 'k'));
    rs.CancelUpdate();
    EXPECT_EQ(rs.RecordCount(), 0);
}

TEST(UnconnectedRecordset, FieldsStayAfterCloseAndCannotBeAppendedWhileOpen)
{
    Recordset rs;
    EXPECT_THROW(rs.Open(), DbError);
    rs.AppendField("Nr", FieldType::Long);
    EXPECT_THROW(rs.AppendField("nr", FieldType::Long), DbError);
    EXPECT_THROW(rs.AppendField("Id", FieldType::VarChar), DbError); // needs a length
    rs.Open();
    EXPECT_THROW(rs.AppendField("Name", FieldType::VarChar, 30), DbError);
    EXPECT_THROW(rs.Requery(), DbError);
    rs.AddNew();
    rs.SetField("Nr", 1);
    rs.Close();
    rs.Open();
    EXPECT_EQ(rs.FieldCount(), 1);
    EXPECT_EQ(rs.RecordCount(), 0);
}

TEST(UnconnectedRecordset, MovedFromSetIsClosed)
{
    Recordset a;
    a.AppendField("Nr", FieldType::Long);
    a.Open();
    a.AddNew();
    a.SetField("Nr", 7);
    a.Update();
    Recordset b(std::move(a));
    EXPECT_EQ(b.Field("Nr").toInt(), 7);
    EXPECT_EQ(a.State(), Recordset::kStateClosed); // NOLINT(bugprone-use-after-move)
    EXPECT_EQ(a.FieldCount(), 0);                  // NOLINT(bugprone-use-after-move)
    EXPECT_THROW(a.AddNew(), DbError);
    a = std::move(b);
    EXPECT_EQ(a.RecordCount(), 1);
    EXPECT_EQ(b.State(), Recordset::kStateClosed); // NOLINT(bugprone-use-after-move)
}
