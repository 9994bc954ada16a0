#include "core/Categories.h"
#include "CategoryFixture.h"
#include "platform/DbError.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using settingstest::CategoryDb;
using settingstest::Rows;
using tv::CategoryStatus;

TEST(AddingCategories, FirstCategoryOfAnEmptyListGetsNumberOne)
{
    CategoryDb f;
    const auto r = tv::addCategory(f.db, "Flugplätze", 0);
    EXPECT_EQ(r.status, CategoryStatus::Done);
    EXPECT_EQ(r.position, 1);
    EXPECT_EQ(f.list(), (Rows{{1, "Flugplätze"}}));
}

TEST(AddingCategories, NewCategoryLandsDirectlyBelowTheSelectedOne)
{
    CategoryDb f;
    f.categories({"A", "B", "C"});
    const auto r = tv::addCategory(f.db, "X", 2);
    EXPECT_EQ(r.status, CategoryStatus::Done);
    EXPECT_EQ(r.position, 3);
    EXPECT_EQ(f.list(), (Rows{{1, "A"}, {2, "B"}, {3, "X"}, {4, "C"}}));
}

TEST(AddingCategories, ExistingNameIsRefusedWhateverItsLetterCase)
{
    CategoryDb f;
    f.categories({"Ämter", "B"});
    EXPECT_EQ(tv::addCategory(f.db, "Ämter", 1).status, CategoryStatus::Duplicate);
    EXPECT_EQ(tv::addCategory(f.db, "äMTER", 1).status, CategoryStatus::Duplicate);
    EXPECT_EQ(f.list(), (Rows{{1, "Ämter"}, {2, "B"}}));
}

TEST(AddingCategories, EmptyNameIsRefused)
{
    CategoryDb f;
    EXPECT_EQ(tv::addCategory(f.db, "", 0).status, CategoryStatus::EmptyName);
    EXPECT_TRUE(f.list().empty());
}

TEST(AddingCategories, NamesWithApostrophesAndQuotesWork)
{
    CategoryDb f;
    f.categories({"A"});
    EXPECT_EQ(tv::addCategory(f.db, "Pilot's", 1).status, CategoryStatus::Done);
    EXPECT_EQ(tv::addCategory(f.db, "Pilot's", 1).status, CategoryStatus::Duplicate);
    EXPECT_EQ(tv::addCategory(f.db, "x' OR '1'='1", 2).status, CategoryStatus::Done);
    EXPECT_EQ(f.list(), (Rows{{1, "A"}, {2, "Pilot's"}, {3, "x' OR '1'='1"}}));
}

TEST(AddingCategories, DamagedNumbersAreRepairedToOneToN)
{
    CategoryDb f;
    f.db.Execute("INSERT INTO Kategorie (Kategorie, Nummer) VALUES ('A', 7), ('B', 7.5)");
    tv::addCategory(f.db, "C", 2);
    EXPECT_EQ(f.list(), (Rows{{1, "A"}, {2, "B"}, {3, "C"}}));
}

TEST(RenamingCategories, CarriesTheNewNameIntoItsWaypointsOnly)
{
    CategoryDb f;
    f.categories({"A", "B", "C"});
    f.waypoint("EDDM", "B");
    f.waypoint("EDMO", "B");
    f.waypoint("EDNY", "C");
    f.waypoint("Kirchturm", "");
    const auto r = tv::renameCategory(f.db, 2, "Y");
    EXPECT_EQ(r.status, CategoryStatus::Done);
    EXPECT_EQ(r.position, 2);
    EXPECT_EQ(f.list(), (Rows{{1, "A"}, {2, "Y"}, {3, "C"}}));
    EXPECT_EQ(f.categoryOf("EDDM"), "Y");
    EXPECT_EQ(f.categoryOf("EDMO"), "Y");
    EXPECT_EQ(f.categoryOf("EDNY"), "C");
    EXPECT_EQ(f.categoryOf("Kirchturm"), "");
}

TEST(RenamingCategories, RefusesAnEmptyName)
{
    CategoryDb f;
    f.categories({"A"});
    f.waypoint("EDDM", "A");
    EXPECT_EQ(tv::renameCategory(f.db, 1, "").status, CategoryStatus::EmptyName);
    EXPECT_EQ(f.list(), (Rows{{1, "A"}}));
    EXPECT_EQ(f.categoryOf("EDDM"), "A");
}

TEST(RenamingCategories, RefusesTheNameOfAnotherCategory)
{
    CategoryDb f;
    f.categories({"A", "B"});
    f.waypoint("EDDM", "B");
    EXPECT_EQ(tv::renameCategory(f.db, 2, "a").status, CategoryStatus::Duplicate);
    EXPECT_EQ(f.list(), (Rows{{1, "A"}, {2, "B"}}));
    EXPECT_EQ(f.categoryOf("EDDM"), "B");
}

TEST(RenamingCategories, ChangingOnlyTheLetterCaseOfItsOwnNameIsAllowed)
{
    CategoryDb f;
    f.categories({"flugplatz"});
    EXPECT_EQ(tv::renameCategory(f.db, 1, "Flugplatz").status, CategoryStatus::Done);
    EXPECT_EQ(f.list(), (Rows{{1, "Flugplatz"}}));
}

TEST(RenamingCategories, NamesWithApostrophesWorkOnBothSides)
{
    CategoryDb f;
    f.categories({"Pilot's"});
    f.waypoint("EDDM", "Pilot's");
    EXPECT_EQ(tv::renameCategory(f.db, 1, "Owner's").status, CategoryStatus::Done);
    EXPECT_EQ(f.categoryOf("EDDM"), "Owner's");
}

TEST(DeletingCategories, LeavesItsWaypointsWithoutCategoryAndSelectsTheNextRow)
{
    CategoryDb f;
    f.categories({"A", "B", "C"});
    f.waypoint("EDDM", "B");
    f.waypoint("EDNY", "C");
    const auto r = tv::deleteCategory(f.db, 2);
    EXPECT_EQ(r.status, CategoryStatus::Done);
    EXPECT_EQ(r.position, 2);
    EXPECT_EQ(f.list(), (Rows{{1, "A"}, {2, "C"}}));
    EXPECT_EQ(f.categoryOf("EDDM"), ""); // empty text, not Null
    EXPECT_EQ(f.categoryOf("EDNY"), "C");
}

TEST(DeletingCategories, DeletingTheLastRowSelectsTheNewLastRow)
{
    CategoryDb f;
    f.categories({"A", "B", "C"});
    EXPECT_EQ(tv::deleteCategory(f.db, 3).position, 2);
    EXPECT_EQ(f.list(), (Rows{{1, "A"}, {2, "B"}}));
}

TEST(DeletingCategories, DeletingTheOnlyRowLeavesAnEmptyList)
{
    CategoryDb f;
    f.categories({"Pilot's"});
    f.waypoint("EDDM", "Pilot's");
    EXPECT_EQ(tv::deleteCategory(f.db, 1).position, 0);
    EXPECT_TRUE(f.list().empty());
    EXPECT_EQ(f.categoryOf("EDDM"), "");
}

TEST(DeletingCategories, ASecondRowOfTheSameNameKeepsItsWaypoints)
{
    CategoryDb f;
    f.categories({"A", "B", "b"}); // only older data can hold such a pair
    f.waypoint("EDDM", "B");
    tv::deleteCategory(f.db, 2);
    EXPECT_EQ(f.categoryOf("EDDM"), "B");
    EXPECT_EQ(f.list(), (Rows{{1, "A"}, {2, "b"}}));
}

TEST(ChangingCategories, AFailureHalfWayChangesNothing)
{
    struct Case
    {
        const char* verb;
        const char* refusedEvent; // the category row refuses it, after the waypoints changed
        std::function<void(tv::Connection&)> change;
    };
    const Case cases[] = {
        {"renaming", "UPDATE OF Kategorie",
         [](tv::Connection& db) { tv::renameCategory(db, 2, "Y"); }},
        {"deleting", "DELETE", [](tv::Connection& db) { tv::deleteCategory(db, 2); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.verb);
        CategoryDb f;
        f.categories({"A", "B"});
        f.waypoint("EDDM", "B");
        f.db.Execute(std::string("CREATE TRIGGER refuse BEFORE ") + c.refusedEvent +
                     " ON Kategorie BEGIN SELECT RAISE(ABORT, 'refused'); END");
        EXPECT_THROW(c.change(f.db), tv::DbError);
        EXPECT_EQ(f.categoryOf("EDDM"), "B");
        EXPECT_EQ(f.list(), (Rows{{1, "A"}, {2, "B"}}));
    }
}

} // namespace
