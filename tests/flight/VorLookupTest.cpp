#include "flight/Instruments.h"

#include "platform/Connection.h"
#include "platform/ProgramFolder.h"
#include "schema/Layout.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A program folder whose waypoint table holds a few points, names as a pilot types them.
class WaypointTable : public ::testing::Test
{
protected:
    void SetUp() override
    {
        tv::schema::layoutProgramFolder(dir_.path());
        db_.Open((dir_ / "data.tvd").string());
        add("EDDS", 48.4123, 9.1319);
        add("O'Brien Field", 52.1, -8.3);
        add("Ährenfeld", 47.5, 10.25);
        add("edny", 47.4018, 9.3041);
        add("Kempten", 47.43, 10.18);
    }

    void add(const char* name, double lat, double lon)
    {
        db_.Execute(R"(INSERT INTO "Waypoints" ("Name", "Lat", "Long", "Kategorie") )"
                    R"(VALUES (?, ?, ?, ''))",
                    {tv::Value(name), tv::Value(lat), tv::Value(lon)});
    }

    tvtest::TempDir dir_;
    tv::Connection db_;
};

} // namespace

TEST_F(WaypointTable, VorNameWithApostropheIsFound)
{
    const auto wp = tv::findWaypointByName(db_, QStringLiteral("O'Brien Field"));
    ASSERT_TRUE(wp);
    EXPECT_EQ(wp->name, "O'Brien Field");
    EXPECT_DOUBLE_EQ(wp->latDDMM, 52.1);
    EXPECT_DOUBLE_EQ(wp->longDDMM, -8.3);
}

TEST_F(WaypointTable, VorNameIgnoresCaseIncludingUmlauts)
{
    const auto lower = tv::findWaypointByName(db_, QStringLiteral("edds"));
    ASSERT_TRUE(lower);
    EXPECT_EQ(lower->name, "EDDS");
    const auto umlaut = tv::findWaypointByName(db_, QStringLiteral("ÄHRENFELD"));
    ASSERT_TRUE(umlaut);
    EXPECT_EQ(umlaut->name, "Ährenfeld");
}

TEST_F(WaypointTable, VorNameMustMatchWholly)
{
    EXPECT_FALSE(tv::findWaypointByName(db_, QStringLiteral("EDD")));
    EXPECT_FALSE(tv::findWaypointByName(db_, QStringLiteral("Nowhere")));
    EXPECT_FALSE(tv::findWaypointByName(db_, QStringLiteral("x' OR '1'='1")));
}

TEST_F(WaypointTable, TypingShowsTheFirstNameSortingAtOrAfterTheText)
{
    EXPECT_EQ(tv::firstWaypointNameFrom(db_, QStringLiteral("E")), "EDDS");
    EXPECT_EQ(tv::firstWaypointNameFrom(db_, QStringLiteral("ED")), "EDDS");
    EXPECT_EQ(tv::firstWaypointNameFrom(db_, QStringLiteral("ede")), "edny");
    EXPECT_EQ(tv::firstWaypointNameFrom(db_, QStringLiteral("k")), "Kempten");
    EXPECT_EQ(tv::firstWaypointNameFrom(db_, QStringLiteral("O'")), "O'Brien Field");
    EXPECT_EQ(tv::firstWaypointNameFrom(db_, QStringLiteral("")), "EDDS")
        << "an empty text shows the first name of the list";
}

TEST_F(WaypointTable, TypingPastTheLastNameFindsNothing)
{
    db_.Execute(R"(DELETE FROM "Waypoints" WHERE "Name" = ?)", {tv::Value("Ährenfeld")});
    EXPECT_FALSE(tv::firstWaypointNameFrom(db_, QStringLiteral("ZZ")));
}

TEST_F(WaypointTable, MissingVorIsReportedOnceNotAtEveryTrackReport)
{
    tv::InstrumentState state;
    const QString missing = QStringLiteral("Nowhere");
    EXPECT_TRUE(tv::lookupSelectedVor(&db_, missing, state).reportMissing);
    for (int i = 0; i < 5; ++i) {
        const auto again = tv::lookupSelectedVor(&db_, missing, state);
        EXPECT_FALSE(again.reportMissing);
        EXPECT_FALSE(again.waypoint);
    }
    // Another missing name is news again.
    EXPECT_TRUE(tv::lookupSelectedVor(&db_, QStringLiteral("Elsewhere"), state).reportMissing);
}

TEST_F(WaypointTable, VorFoundAgainReArmsTheReport)
{
    tv::InstrumentState state;
    EXPECT_TRUE(tv::lookupSelectedVor(&db_, QStringLiteral("Kempten"), state).waypoint);
    EXPECT_TRUE(tv::lookupSelectedVor(&db_, QStringLiteral("Gone"), state).reportMissing);
    EXPECT_TRUE(tv::lookupSelectedVor(&db_, QStringLiteral("Kempten"), state).waypoint);
    EXPECT_TRUE(tv::lookupSelectedVor(&db_, QStringLiteral("Gone"), state).reportMissing);
}

TEST_F(WaypointTable, WaypointDeletedInFlightIsReportedOnce)
{
    tv::InstrumentState state;
    EXPECT_TRUE(tv::lookupSelectedVor(&db_, QStringLiteral("EDDS"), state).waypoint);
    db_.Execute(R"(DELETE FROM "Waypoints" WHERE "Name" = 'EDDS')");
    EXPECT_TRUE(tv::lookupSelectedVor(&db_, QStringLiteral("EDDS"), state).reportMissing);
    EXPECT_FALSE(tv::lookupSelectedVor(&db_, QStringLiteral("EDDS"), state).reportMissing);
}

TEST_F(WaypointTable, UnreadableTableOrNoConnectionFindsNothingSilently)
{
    tv::InstrumentState state;
    auto none = tv::lookupSelectedVor(nullptr, QStringLiteral("EDDS"), state);
    EXPECT_FALSE(none.waypoint);
    EXPECT_FALSE(none.reportMissing);

    db_.Execute(R"(DROP TABLE "Waypoints")");
    auto broken = tv::lookupSelectedVor(&db_, QStringLiteral("EDDS"), state);
    EXPECT_FALSE(broken.waypoint);
    EXPECT_FALSE(broken.reportMissing);
}
