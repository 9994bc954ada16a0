#include "map/AirportData.h"

#include "OverlayFixture.h"
#include "schema/Schema.h"
#include "support/PlainSqlite.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using tv::AirportInfo;
using tv::AirportLookup;
using tv::AirportRunway;
using tv::AirportStation;
using tv::Value;
using namespace overlaytest;

namespace {

AirportStation station(const char* name, const char* freq)
{
    return {QString::fromUtf8(name), QString::fromUtf8(freq)};
}

AirportRunway runway(const char* rwy, const char* heading, const char* surface)
{
    AirportRunway r;
    if (rwy)
        r.rwy = QString::fromUtf8(rwy);
    if (heading)
        r.heading = QString::fromUtf8(heading);
    r.surface = QString::fromUtf8(surface);
    return r;
}

} // namespace

TEST(AirportFrequencyLines, OwnInformationBeatsTheAreaInformationService)
{
    const auto lines = tv::frequencyLines(
        {station("Egelsbach INFORMATION", "129.850"), station("LANGEN INFORMATION", "124.475")});
    EXPECT_EQ(lines.info, QStringLiteral("Egelsbach INFORMATION 129.850"));
    EXPECT_TRUE(lines.atis.isEmpty());
}

TEST(AirportFrequencyLines, AreaServicesWithUmlautsAreNoAirportInformation)
{
    const auto lines = tv::frequencyLines({station("München Information", "126.950")});
    EXPECT_TRUE(lines.info.isEmpty());
}

TEST(AirportFrequencyLines, TowerFillsTheLineWhenThereIsNoInformation)
{
    const auto lines = tv::frequencyLines({station("Augsburg ATIS", "124.380"),
                                           station("Augsburg TOWER", "124.980"),
                                           station("Augsburg TWR 2", "118.000")});
    EXPECT_EQ(lines.info, QStringLiteral("Augsburg TOWER 124.980"));
    EXPECT_EQ(lines.atis, QStringLiteral("Augsburg ATIS 124.380"));
}

TEST(AirportFrequencyLines, LastAtisAndLastInformationWin)
{
    const auto lines = tv::frequencyLines({station("atis 1", "1"), station("Info A", "2"),
                                           station("ATIS 2", "3"), station("INFO B", "4")});
    EXPECT_EQ(lines.atis, QStringLiteral("ATIS 2 3"));
    EXPECT_EQ(lines.info, QStringLiteral("INFO B 4"));
}

TEST(AirportFrequencyLines, NoFittingStationLeavesBothLinesEmpty)
{
    const auto lines = tv::frequencyLines({station("Ground", "121.9")});
    EXPECT_TRUE(lines.info.isEmpty());
    EXPECT_TRUE(lines.atis.isEmpty());
}

TEST(AirportRunwayDrawing, HeadingIsTheFirstThreeCharactersWhenTheyAreANumber)
{
    EXPECT_EQ(tv::runwayHeading(QStringLiteral("245")), 245.0);
    EXPECT_EQ(tv::runwayHeading(QStringLiteral("070/250")), 70.0);
    EXPECT_FALSE(tv::runwayHeading(QStringLiteral("07/25")));
    EXPECT_FALSE(tv::runwayHeading(QString()));
    EXPECT_FALSE(tv::runwayHeading(QStringLiteral("N/A")));
}

TEST(AirportRunwayDrawing, HardRunwayShowsItsDesignationAndTheAirportsHardLength)
{
    const AirportInfo info = tv::describeAirport(
        Value(800), Value(500), {runway("09/27", "090", "1"), runway("07/25", "070", "0")}, {});
    EXPECT_EQ(info.runwayText, QStringLiteral("07/25 - 800 m "));
    EXPECT_EQ(info.headingDeg, 70.0);
    EXPECT_EQ(info.runwayColour, tv::kHardRunwayColour);
}

TEST(AirportRunwayDrawing, WithoutHardRunwayTheLongestGrassRunwayIsShownGreen)
{
    const AirportInfo info = tv::describeAirport(
        Value(0), Value(650), {runway("10/28", "100", "1"), runway("04/22", "040", "1")}, {});
    EXPECT_EQ(info.runwayText, QStringLiteral("10/28 - 650 m "));
    EXPECT_EQ(info.headingDeg, 100.0);
    EXPECT_EQ(info.runwayColour, tv::kGrassRunwayColour);
}

TEST(AirportRunwayDrawing, AirportWithoutARunwayOfItsSurfaceHasNoBarAndNoText)
{
    const AirportInfo info =
        tv::describeAirport(Value(1200), Value(), {runway("10/28", "100", "1")}, {});
    EXPECT_TRUE(info.runwayText.isEmpty());
    EXPECT_FALSE(info.headingDeg);
}

TEST(AirportRunwayDrawing, MissingDesignationOrHeadingLeavesOutOnlyThatPart)
{
    const AirportInfo noName =
        tv::describeAirport(Value(900), Value(), {runway(nullptr, "120", "0")}, {});
    EXPECT_TRUE(noName.runwayText.isEmpty());
    EXPECT_EQ(noName.headingDeg, 120.0);
    const AirportInfo noHeading =
        tv::describeAirport(Value(900), Value(), {runway("12/30", nullptr, "0")}, {});
    EXPECT_EQ(noHeading.runwayText, QStringLiteral("12/30 - 900 m "));
    EXPECT_FALSE(noHeading.headingDeg);
}

TEST(AirportLookupFromTheDataFile, FindsAirportsIgnoringCaseWithTheirRunwayAndStations)
{
    DataFolder data;
    data.addAirport("EDMA", 1600, 0);
    data.addRunway("EDMA", "07/25", "070", "0", 1600);
    data.addRunway("EDMA", "07L/25R", "071", "1", 500);
    data.addStation("EDMA", "Augsburg TOWER", "124.980");
    data.addStation("EDMA", "Augsburg ATIS", "124.380");

    AirportLookup lookup;
    lookup.prefetch(*data.airports, {QStringLiteral("edma"), QStringLiteral("ABC")});
    const AirportInfo* edma = lookup.find(QStringLiteral("EdMa"));
    ASSERT_NE(edma, nullptr);
    EXPECT_EQ(edma->runwayText, QStringLiteral("07/25 - 1600 m "));
    EXPECT_EQ(edma->headingDeg, 70.0);
    EXPECT_EQ(edma->lines.info, QStringLiteral("Augsburg TOWER 124.980"));
    EXPECT_EQ(edma->lines.atis, QStringLiteral("Augsburg ATIS 124.380"));
    // Names of other lengths are never airports and are not asked for.
    EXPECT_FALSE(lookup.known(QStringLiteral("ABC")));
}

TEST(AirportLookupFromTheDataFile, NameThatIsNoAirportIsRememberedAsNone)
{
    DataFolder data;
    AirportLookup lookup;
    lookup.prefetch(*data.airports, {QStringLiteral("ZZZZ")});
    EXPECT_TRUE(lookup.known(QStringLiteral("ZZZZ")));
    EXPECT_EQ(lookup.find(QStringLiteral("ZZZZ")), nullptr);
}

TEST(AirportLookupFromTheDataFile, NamesWithApostrophesAreLookedUpSafely)
{
    DataFolder data;
    data.addAirport("O'AB", 0, 400);
    data.addRunway("O'AB", "18/36", "180", "1", 400);
    AirportLookup lookup;
    lookup.prefetch(*data.airports, {QStringLiteral("O'AB"), QStringLiteral("x' O")});
    ASSERT_NE(lookup.find(QStringLiteral("O'AB")), nullptr);
    EXPECT_EQ(lookup.find(QStringLiteral("O'AB"))->runwayText, QStringLiteral("18/36 - 400 m "));
    EXPECT_EQ(lookup.find(QStringLiteral("x' O")), nullptr);
}

TEST(AirportLookupFromTheDataFile, ManyNamesAreAnsweredAcrossSeveralBatches)
{
    DataFolder data;
    std::vector<QString> names;
    for (int i = 0; i < 450; ++i) {
        const QString name = QStringLiteral("E%1").arg(i, 3, 10, QLatin1Char('0'));
        names.push_back(name);
        if (i % 2 == 0)
            data.addAirport(name.toStdString(), 1000, 0);
    }
    AirportLookup lookup;
    lookup.prefetch(*data.airports, names);
    for (int i = 0; i < 450; ++i) {
        ASSERT_TRUE(lookup.known(names[i])) << i;
        EXPECT_EQ(lookup.find(names[i]) != nullptr, i % 2 == 0) << i;
    }
}

TEST(AirportLookupFromTheDataFile, AnsweredNamesAreNotAskedAgainAtTheNextRedraw)
{
    DataFolder data;
    data.addAirport("EDDM", 4000, 0);
    AirportLookup lookup;
    lookup.prefetch(*data.airports, {QStringLiteral("EDDM")});
    // The file is only read while the program runs; a second redraw needs no query.
    data.airports->Execute("DROP TABLE ARPT");
    lookup.prefetch(*data.airports, {QStringLiteral("EDDM")});
    EXPECT_NE(lookup.find(QStringLiteral("EDDM")), nullptr);
}

TEST(AirportLookupFromTheDataFile, DatabaseFaultLeavesNamesUnknownAndThrowsNothing)
{
    DataFolder data;
    data.addAirport("EDDM", 4000, 0);
    data.airports->Execute("DROP TABLE ACOM");
    AirportLookup lookup;
    EXPECT_NO_THROW(lookup.prefetch(*data.airports, {QStringLiteral("EDDM")}));
    EXPECT_FALSE(lookup.known(QStringLiteral("EDDM")));
    EXPECT_EQ(lookup.find(QStringLiteral("EDDM")), nullptr);
}

TEST(AirportLookupFromTheDataFile, AnotherConnectionStartsAfresh)
{
    DataFolder first;
    first.addAirport("EDDM", 4000, 0);
    DataFolder second;
    AirportLookup lookup;
    lookup.prefetch(*first.airports, {QStringLiteral("EDDM")});
    ASSERT_NE(lookup.find(QStringLiteral("EDDM")), nullptr);
    lookup.prefetch(*second.airports, {QStringLiteral("EDDM")});
    EXPECT_EQ(lookup.find(QStringLiteral("EDDM")), nullptr);
}

TEST(AirportLookupFromTheDataFile, ReadsAFileThatAnotherProgramBuiltWithPlainSqlite)
{
    tvtest::TempDir dir;
    tvtest::buildWithPlainSqlite(
        dir / "tvdata.tvd", tv::schema::creationSql(tv::schema::DataFile::Airport),
        {"INSERT INTO ARPT (ICAO, WGS_DLAT, WGS_DLONG, RWYALen, RWYGLen) "
         "VALUES ('edma', 48.42, 10.93, 1600, 0)",
         "INSERT INTO RWY (ICAO, rwy, RWYHdg, Surface, LENGTH) "
         "VALUES ('EdMa', '07/25', '070', '0', 1600)",
         "INSERT INTO ACOM (ICAO, Name, Freq) VALUES ('EDMA', 'Augsburg TOWER', '124.980')"});
    tv::Connection airports;
    airports.Open((dir / "tvdata.tvd").string());

    AirportLookup lookup;
    lookup.prefetch(airports, {QStringLiteral("EDMA")});
    const AirportInfo* edma = lookup.find(QStringLiteral("EDMA"));
    ASSERT_NE(edma, nullptr) << "codes compare ignoring case as typed in any case";
    EXPECT_EQ(edma->runwayText, QStringLiteral("07/25 - 1600 m "));
    EXPECT_EQ(edma->lines.info, QStringLiteral("Augsburg TOWER 124.980"));
}
