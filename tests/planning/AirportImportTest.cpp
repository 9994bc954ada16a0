#include "ImportFixture.h"

#include "planning/AirportImport.h"
#include "platform/DbError.h"

#include <gtest/gtest.h>

using importtest::ProgramFolder;

namespace {

class AirportImport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.airportSql(R"(
            INSERT INTO ICAOCODE (ICAO, Name) VALUES
                ('ED', ' Deutschland '), ('LO', 'Österreich'), ('LS', 'Schweiz'), ('E_', 'Falle');
            INSERT INTO ARPT (ICAO, WGS_DLAT, WGS_DLONG) VALUES
                ('EDDM', 48.5, 11.75), ('EDNY', 47.671, 9.511), ('EDXY ', 54.0, 8.0),
                ('LOWI', 47.26, 11.343),
                ('XXAA', -0.5, -0.75), ('XXAB', -33.9, 151.2), ('XYZZ', 1.0, 2.0),
                ('E_AB', 10.0, 10.0), ('EDNY', 47.0, 9.0), (NULL, 1.0, 1.0), ('', 2.0, 2.0),
                ('  ', 3.0, 3.0);)");
    }

    std::vector<std::string> prefixesNamed(const std::vector<tv::AirportCountry>& countries,
                                           const std::string& name)
    {
        std::vector<std::string> out;
        for (const auto& c : countries) {
            if (c.name == name)
                out.push_back(c.prefix);
        }
        return out;
    }

    ProgramFolder folder;
};

TEST_F(AirportImport, CountriesAreGroupedByPrefixCountedAndSortedByName)
{
    const std::vector<tv::AirportCountry> countries = tv::listAirportCountries(folder.airports);
    std::vector<std::string> rows;
    for (const auto& c : countries)
        rows.push_back(c.prefix + " " + c.name + " " + std::to_string(c.airports));
    // "E_" is a country of its own: the "_" is no wildcard. Unknown prefixes stay apart.
    EXPECT_EQ(rows,
              (std::vector<std::string>{"ED Deutschland 4", "E_ Falle 1", "XX Kein Land gefunden 2",
                                        "XY Kein Land gefunden 1", "LO Österreich 1"}));
}

TEST_F(AirportImport, CountLabelSaysFlughafenForOne)
{
    const std::vector<tv::AirportCountry> countries = tv::listAirportCountries(folder.airports);
    EXPECT_EQ(tv::airportCountText(tv::airportsOf(countries, {})), "0 Flughäfen");
    EXPECT_EQ(tv::airportCountText(tv::airportsOf(countries, {4})), "1 Flughafen");
    EXPECT_EQ(tv::airportCountText(tv::airportsOf(countries, {0, 2, 3})), "7 Flughäfen");
    EXPECT_EQ(tv::transferButtonCaption("Flugplatz"),
              "Flughäfen in Kategorie Flugplatz importieren");
}

TEST_F(AirportImport, AirportsBecomeWaypointsInDDMM)
{
    const auto countries = tv::listAirportCountries(folder.airports);
    const std::int32_t added =
        tv::transferAirports(folder.airports, folder.data, {"ED", "XX"}, "Flughafen");
    EXPECT_EQ(added, 5); // EDNY twice in the airport file: added once
    const auto at = [&](const std::string& name) {
        return folder.column("SELECT printf('%.10f %.10f %s', Lat, Long, Kategorie) FROM "
                             "Waypoints WHERE Name = '" +
                             name + "'");
    };
    EXPECT_EQ(at("EDDM"), std::vector<std::string>{"48.3000000000 11.4500000000 Flughafen"});
    EXPECT_EQ(at("XXAA"), std::vector<std::string>{"-0.3000000000 -0.4500000000 Flughafen"});
    // The first EDNY of the airport file; the code kept exactly, trailing blank included.
    EXPECT_EQ(at("EDNY"), std::vector<std::string>{"47.4026000000 9.3066000000 Flughafen"});
    EXPECT_EQ(folder.column("SELECT count(*) FROM Waypoints WHERE Name = 'EDXY '"),
              std::vector<std::string>{"1"});
    EXPECT_EQ(tv::transferMessage(added).title, "5 Flughäfen hinzugefügt");
    EXPECT_EQ(tv::transferMessage(added).text, "Es wurden 5 Flughäfen hinzugefügt.");
}

TEST_F(AirportImport, BothUnknownCountriesAreImported)
{
    const auto countries = tv::listAirportCountries(folder.airports);
    const auto unknown = prefixesNamed(countries, tv::kUnknownCountry);
    ASSERT_EQ(unknown, (std::vector<std::string>{"XX", "XY"}));
    EXPECT_EQ(tv::transferAirports(folder.airports, folder.data, unknown, ""), 3);
    EXPECT_EQ(folder.column("SELECT Name || '/' || Kategorie FROM Waypoints ORDER BY Name"),
              (std::vector<std::string>{"XXAA/", "XXAB/", "XYZZ/"}));
}

TEST_F(AirportImport, ExistingWaypointsAreKeptAndASecondRunAddsNothing)
{
    folder.mainSql("INSERT INTO Waypoints (Name, Lat, Long, Kategorie) "
                   "VALUES ('eddm', 1, 1, 'Meins');");
    EXPECT_EQ(tv::transferAirports(folder.airports, folder.data, {"ED"}, "Flughafen"), 2);
    EXPECT_EQ(folder.column("SELECT Lat || ' ' || Kategorie FROM Waypoints WHERE Name = 'EDDM'"),
              std::vector<std::string>{"1.0 Meins"});
    const std::int32_t again =
        tv::transferAirports(folder.airports, folder.data, {"ED"}, "Flughafen");
    EXPECT_EQ(again, 0);
    EXPECT_EQ(tv::transferMessage(again).title, "Nichts hinzugefügt");
    EXPECT_EQ(tv::transferMessage(again).text,
              "Es wurden keine Flughäfen hinzugefügt. Flughäfen sind schon vorhanden.");
    EXPECT_EQ(tv::transferMessage(1).title, "Flughafen hinzugefügt");
    EXPECT_EQ(tv::transferMessage(1).text, "Es wurde ein Flughafen hinzugefügt.");
}

TEST_F(AirportImport, AirportsWithoutACodeAddNothing)
{
    std::vector<std::string> prefixes;
    for (const auto& c : tv::listAirportCountries(folder.airports))
        prefixes.push_back(c.prefix);
    EXPECT_EQ(tv::transferAirports(folder.airports, folder.data, prefixes, ""), 8);
    EXPECT_EQ(folder.column("SELECT count(*) FROM Waypoints WHERE trim(Name) = ''"),
              std::vector<std::string>{"0"});
}

TEST_F(AirportImport, PrefixIsTextNotAPattern)
{
    EXPECT_EQ(tv::transferAirports(folder.airports, folder.data, {"E_"}, ""), 1);
    EXPECT_EQ(folder.column("SELECT Name FROM Waypoints"), std::vector<std::string>{"E_AB"});
}

TEST_F(AirportImport, FailureAddsNothing)
{
    folder.mainSql("CREATE TRIGGER Voll BEFORE INSERT ON Waypoints WHEN NEW.Name = 'EDXY ' "
                   "BEGIN SELECT RAISE(ABORT, 'disk full'); END;");
    EXPECT_THROW(tv::transferAirports(folder.airports, folder.data, {"ED", "LO"}, "X"),
                 tv::DbError);
    EXPECT_EQ(folder.column("SELECT count(*) FROM Waypoints"), std::vector<std::string>{"0"});
    EXPECT_EQ(tv::transferFailedMessage().title, "Datenfehler");
    EXPECT_EQ(tv::transferFailedMessage().text,
              "Fehler beim Import der Flughäfen. Es wurde nichts hinzugefügt.");
}

TEST(AirportImportEmpty, EmptyAirportTableGivesAnEmptyList)
{
    ProgramFolder folder;
    EXPECT_TRUE(tv::listAirportCountries(folder.airports).empty());
    EXPECT_EQ(tv::transferAirports(folder.airports, folder.data, {}, ""), 0);
}

TEST(AirportImportLarge, CountsBeyondSixteenBits)
{
    ProgramFolder folder;
    folder.airportSql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                      "WHERE i < 40000) INSERT INTO ARPT (ICAO, WGS_DLAT, WGS_DLONG) "
                      "SELECT 'ED' || i, 50, 10 FROM n;");
    const auto countries = tv::listAirportCountries(folder.airports);
    ASSERT_EQ(countries.size(), 1u);
    EXPECT_EQ(countries[0].airports, 40000);
    EXPECT_EQ(tv::airportCountText(tv::airportsOf(countries, {0})), "40000 Flughäfen");
    const std::int32_t added = tv::transferAirports(folder.airports, folder.data, {"ED"}, "");
    EXPECT_EQ(added, 40000);
    EXPECT_EQ(tv::transferMessage(added).title, "40000 Flughäfen hinzugefügt");
}

} // namespace
