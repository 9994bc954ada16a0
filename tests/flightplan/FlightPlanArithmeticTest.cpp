#include "flightplan/FlightPlan.h"
#include "flightplan/FlightPlanMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using tv::LegEntries;

LegEntries entries(double var, double tas, double dir, double speed, double ffh = 20)
{
    return {var, tas, dir, speed, ffh};
}

TEST(WindTriangle, CrosswindFromTheLeftTurnsTheHeadingLeft)
{
    const auto w = tv::windTriangle(360, entries(3, 100, 270, 20));
    EXPECT_DOUBLE_EQ(w.crosswind, -20);
    EXPECT_DOUBLE_EQ(w.tailwind, 0);
    EXPECT_FALSE(std::signbit(w.tailwind)) << "a tailwind of 0 never shows as -0";
    EXPECT_DOUBLE_EQ(w.wca, -12);
    EXPECT_DOUBLE_EQ(w.gs, 100);
    EXPECT_DOUBLE_EQ(w.mh, 348 - 3);
}

TEST(WindTriangle, HeadwindSlowsTheLegAndItsTime)
{
    tv::RunningTotals run;
    const auto leg = tv::computeLeg(90, 80, entries(0, 100, 90, 20), 20, run);
    ASSERT_TRUE(leg);
    EXPECT_DOUBLE_EQ(leg->gs, 80);
    EXPECT_DOUBLE_EQ(leg->zeit, 60);
    EXPECT_EQ(leg->zeitDisplay, "01:00");
    EXPECT_EQ(leg->wind, "90 / 20");
    EXPECT_DOUBLE_EQ(leg->ffm, 20);
    EXPECT_EQ(run.windSum, -1200);
}

TEST(WindTriangle, MagneticHeadingIsNeitherRoundedNorWrapped)
{
    const auto w = tv::windTriangle(5, entries(10, 100, 0, 0));
    EXPECT_DOUBLE_EQ(w.mh, -5);
    EXPECT_DOUBLE_EQ(tv::windTriangle(358, entries(-5, 100, 0, 0)).mh, 363);
}

struct TimeCase
{
    double legMinutes;
    const char* text;
};

TEST(TimeTexts, LegMinutesRoundHalvesToEvenAndCarryIntoHours)
{
    for (const TimeCase& c :
         {TimeCase{0.5, "00:00"}, TimeCase{1.5, "00:02"}, TimeCase{59.5, "01:00"},
          TimeCase{125, "02:05"}, TimeCase{0, "00:00"}, TimeCase{6000, "100:00"}}) {
        EXPECT_EQ(tv::timeText(tv::wholeLegMinutes(c.legMinutes)), c.text) << c.legMinutes;
    }
}

TEST(AverageWind, TimeWeightedTailwindRoundsToAWholeKnot)
{
    // 30 min at +10 kt and 30 min at -30 kt.
    EXPECT_EQ(tv::averageWind(30 * 10 - 30 * 30, 60), -10);
    EXPECT_EQ(tv::averageWindText(-10), "HWC 10 kts");
    EXPECT_EQ(tv::averageWindText(-1), "HWC 1 kt");
    EXPECT_EQ(tv::averageWindText(1), "TWC 1 kt");
    EXPECT_EQ(tv::averageWindText(0), "TWC 0 kts");
    EXPECT_EQ(tv::averageWind(-600, 0), 0) << "no time flown gives no average, no fault";
}

struct BoxCase
{
    const char* name;
    tv::EntryTexts texts;
    bool ok;
    int marked;
};

TEST(EntryBoxes, TheLastFailingCheckDecidesTheMarkedBox)
{
    const std::vector<BoxCase> cases{
        {"defaults", {"0", "20", "120", "0", "0"}, true, 0},
        {"wind from 360", {"0", "20", "120", "360", "0"}, true, 0},
        {"no fuel flow", {"0", "0", "120", "0", "0"}, true, 0},
        {"comma decimal", {"-2,5", "20.5", "95,5", "270,5", "15,5"}, true, 0},
        {"wind from 361", {"0", "20", "120", "361", "0"}, false, tv::BoxWindDir},
        {"wind from -1", {"0", "20", "120", "-1", "0"}, false, tv::BoxWindDir},
        {"TAS 0", {"0", "20", "0", "0", "0"}, false, tv::BoxSpeed},
        {"negative fuel flow", {"0", "-1", "120", "0", "0"}, false, tv::BoxFF},
        {"bad VAR and negative wind", {"x", "20", "120", "0", "-5"}, false, tv::BoxWindSpeed},
        {"emptied VAR", {"", "20", "120", "0", "0"}, false, tv::BoxVar},
        {"emptied TAS", {"0", "20", "", "0", "0"}, false, tv::BoxSpeed},
        {"grouped thousands", {"0", "20", "1.000,5", "0", "0"}, false, tv::BoxSpeed},
    };
    for (const BoxCase& c : cases) {
        const auto check = tv::checkEntries(c.texts);
        EXPECT_EQ(check.ok, c.ok) << c.name;
        EXPECT_EQ(check.failingBox, c.marked) << c.name;
    }
    const auto comma = tv::checkEntries({"-2,5", "20.5", "95,5", "270,5", "15,5"});
    EXPECT_DOUBLE_EQ(comma.values.var, -2.5);
    EXPECT_DOUBLE_EQ(comma.values.ffh, 20.5);
    EXPECT_DOUBLE_EQ(comma.values.tas, 95.5);
    EXPECT_DOUBLE_EQ(comma.values.windDir, 270.5);
    EXPECT_DOUBLE_EQ(comma.values.windSpeed, 15.5);
}

// --- whole plans -------------------------------------------------------------------------------

tv::PlanPoint point(const std::string& id, const std::string& name, double lat, double lon)
{
    return {id, name, lat, lon};
}

tv::PlanResult build(const std::vector<tv::PlanPoint>& points, LegEntries boxes,
                     const tv::SavedEntries* saved = nullptr, bool calculate = false)
{
    double course = 0;
    tv::PlanInput in;
    in.points = points;
    in.boxes = boxes;
    in.saved = saved;
    in.calculate = calculate;
    in.decimalMark = ',';
    return tv::buildFlightPlan(in, course);
}

std::string text(tv::Recordset& plan, long row, const char* field)
{
    plan.SetAbsolutePosition(row);
    return plan.Field(field).toString();
}
double number(tv::Recordset& plan, long row, const char* field)
{
    plan.SetAbsolutePosition(row);
    return plan.Field(field).toDouble();
}

TEST(FlightPlanBuild, DueNorthLegShowsCourse360)
{
    auto r =
        build({point("1", "A", 48.00, 9.00), point("2", "B", 49.00, 9.00)}, entries(0, 120, 0, 0));
    ASSERT_EQ(r.status, tv::PlanResult::Status::Built);
    EXPECT_EQ(number(r.plan, 2, "TC"), 360);
    EXPECT_NEAR(number(r.plan, 2, "Distanz"), 60, 0.01);
    EXPECT_EQ(text(r.plan, 2, "ZeitDisplay"), "00:30");
    EXPECT_EQ(r.labels.distance, "60 NM");
    EXPECT_EQ(r.labels.time, "00:30");
    EXPECT_EQ(r.labels.fuel, "10");
    EXPECT_EQ(r.labels.avgWind, "TWC 0 kts");
}

TEST(FlightPlanBuild, DepartureRowHoldsNoLeg)
{
    auto r = build({point("7", "Start", 48.00, 9.00), point("8", "Ziel", 48.30, 9.00)},
                   entries(2, 100, 270, 20));
    ASSERT_EQ(r.status, tv::PlanResult::Status::Built);
    ASSERT_EQ(r.plan.RecordCount(), 2);
    EXPECT_EQ(text(r.plan, 1, "Name"), "Start");
    EXPECT_EQ(text(r.plan, 1, "Wind"), "0 / 0");
    EXPECT_EQ(text(r.plan, 1, "ZeitDisplay"), "00:00");
    EXPECT_EQ(text(r.plan, 1, "ZeitAcc"), "");
    EXPECT_EQ(text(r.plan, 1, "DistanzAcc"), "");
    EXPECT_EQ(number(r.plan, 2, "Nr"), 2);
    EXPECT_EQ(text(r.plan, 2, "Id"), "8");
    EXPECT_EQ(text(r.plan, 2, "Wind"), "270 / 20");
    EXPECT_DOUBLE_EQ(number(r.plan, 2, "MH"), 348 - 2);
    EXPECT_DOUBLE_EQ(number(r.plan, 2, "LAT"), 48.30);
}

TEST(FlightPlanBuild, OnePointRouteHasNoTimeAndNoWind)
{
    auto r = build({point("1", "Solo", 48.00, 9.00)}, entries(0, 120, 270, 30));
    ASSERT_EQ(r.status, tv::PlanResult::Status::Built);
    EXPECT_EQ(r.plan.RecordCount(), 1);
    EXPECT_EQ(r.labels.time, "00:00");
    EXPECT_EQ(r.labels.avgWind, "TWC 0 kts");
    EXPECT_EQ(r.labels.distance, "0 NM");
}

TEST(FlightPlanBuild, RouteWithoutPointsBuildsNothing)
{
    EXPECT_EQ(build({}, entries(0, 120, 0, 0)).status, tv::PlanResult::Status::NoPoints);
}

TEST(FlightPlanBuild, HeadwindAtTasStopsTheBuild)
{
    const std::vector<tv::PlanPoint> north{point("1", "A", 48.00, 9.00),
                                           point("2", "B", 49.00, 9.00)};
    auto r = build(north, entries(0, 100, 360, 100));
    EXPECT_EQ(r.status, tv::PlanResult::Status::BadLeg);
    EXPECT_TRUE(r.failingLegFromBoxes);
    // The same wind from the saved plan: not the boxes' fault.
    const tv::SavedEntries saved{{"2", entries(0, 100, 360, 120)}};
    auto fromFile = build(north, entries(0, 100, 0, 0), &saved);
    EXPECT_EQ(fromFile.status, tv::PlanResult::Status::BadLeg);
    EXPECT_FALSE(fromFile.failingLegFromBoxes);
}

TEST(FlightPlanBuild, SouthernAndWesternPointsLieWhereTheyAre)
{
    // Buenos Aires area, DD.MM: 34°30' S 58°30' W to 35°00' S 58°30' W: 30 NM due south.
    auto r = build({point("1", "A", -34.30, -58.30), point("2", "B", -35.00, -58.30),
                    point("3", "C", -35.00, -58.00)},
                   entries(0, 120, 0, 0));
    ASSERT_EQ(r.status, tv::PlanResult::Status::Built);
    EXPECT_NEAR(number(r.plan, 2, "Distanz"), 30, 0.05);
    EXPECT_EQ(number(r.plan, 2, "TC"), 180);
    // 30' of longitude at 35° S: 30 x cos 35° = 24.6 NM, eastbound.
    EXPECT_NEAR(number(r.plan, 3, "Distanz"), 24.57, 0.05);
    EXPECT_NEAR(number(r.plan, 3, "TC"), 90, 0.6);
    EXPECT_NEAR(number(r.plan, 3, "DistanzAcc"), 54.57, 0.05);
}

TEST(FlightPlanBuild, SavedLegValuesWinUnlessCalculating)
{
    const std::vector<tv::PlanPoint> pts{point("1", "A", 48.00, 9.00), point("2", "B", 48.30, 9.00),
                                         point("3", "C", 49.00, 9.00)};
    const tv::SavedEntries saved{{"2", entries(1, 90, 180, 10, 30)}};
    auto r = build(pts, entries(0, 120, 0, 0, 20), &saved);
    EXPECT_EQ(number(r.plan, 2, "TAS"), 90);
    EXPECT_EQ(number(r.plan, 2, "FFh"), 30);
    EXPECT_EQ(number(r.plan, 3, "TAS"), 120) << "a point the saved plan does not know";
    // A built plan's fuel follows the fuel-flow box: 30 NM at 100 kt = 18 min at 20/h.
    EXPECT_DOUBLE_EQ(number(r.plan, 2, "FFm"), 6);

    auto calc = build(pts, entries(0, 120, 0, 0, 20), &saved, true);
    EXPECT_EQ(number(calc.plan, 2, "TAS"), 120);
    EXPECT_EQ(number(calc.plan, 2, "FFh"), 20);

    const tv::SavedEntries none;
    auto empty = build(pts, entries(0, 110, 0, 0, 20), &none);
    EXPECT_EQ(number(empty.plan, 2, "TAS"), 110) << "a saved plan without legs counts as none";
}

TEST(FlightPlanBuild, LongPointNamesAndWindWithDecimalsFit)
{
    const std::string longName(255, 'N');
    auto r = build({point("1", longName, 48.0, 9.0), point("2", longName, 48.3, 9.0)},
                   entries(0, 120, 270.5, 15.5));
    ASSERT_EQ(r.status, tv::PlanResult::Status::Built);
    EXPECT_EQ(text(r.plan, 2, "Name"), longName);
    EXPECT_EQ(text(r.plan, 2, "Wind"), "270,5 / 15,5");
}

TEST(FlightPlanBuild, ManyLongWindyLegsDoNotOverflowTheWindSum)
{
    // 150 legs of 60 NM into a 60 kt headwind at 100 kt TAS: 90 min x -60 kt each.
    std::vector<tv::PlanPoint> pts;
    for (int i = 0; i <= 150; ++i)
        pts.push_back(point(std::to_string(i + 1), "P", 10.00 + i, 9.00));
    auto r = build(pts, entries(0, 100, 360, 60));
    ASSERT_EQ(r.status, tv::PlanResult::Status::Built);
    EXPECT_EQ(r.labels.avgWind, "HWC 60 kts");
}

// --- cell edits --------------------------------------------------------------------------------

class CellEdit : public ::testing::Test
{
protected:
    void SetUp() override
    {
        r = build({point("1", "A", 48.00, 9.00), point("2", "B", 48.30, 9.00),
                   point("3", "C", 49.00, 9.00), point("4", "D", 49.30, 9.00)},
                  entries(0, 100, 0, 0, 20));
        ASSERT_EQ(r.status, tv::PlanResult::Status::Built);
    }
    bool edit(long row, int column, const char* typed)
    {
        const auto v = tv::acceptCellEdit(r.plan, row, column, typed);
        if (!v)
            return false;
        r.plan.SetAbsolutePosition(row);
        r.plan.SetField(tv::kPlanGridFields[static_cast<std::size_t>(column)], *v);
        r.plan.Update();
        labels = tv::recomputeFlightPlan(r.plan, ',');
        return labels.has_value();
    }
    tv::PlanResult r;
    std::optional<tv::PlanLabels> labels;
};

TEST_F(CellEdit, RefusesWhatNoPilotCouldMean)
{
    EXPECT_FALSE(edit(3, 5, "361")) << "wind direction above 360";
    EXPECT_FALSE(edit(3, 4, "0")) << "TAS 0";
    EXPECT_FALSE(edit(3, 3, "-1")) << "negative fuel flow";
    EXPECT_FALSE(edit(3, 1, "Hamburg")) << "the name column takes numbers only";
    EXPECT_FALSE(edit(3, 6, "abc"));
    // A headwind at TAS: 100 kt from the north on a northbound leg.
    EXPECT_TRUE(edit(3, 6, "99"));
    EXPECT_FALSE(edit(3, 6, "100")) << "ground speed 0";
    EXPECT_TRUE(edit(3, 2, "-3")) << "variation may be negative";
    EXPECT_TRUE(edit(3, 1, "4711"));
    EXPECT_EQ(text(r.plan, 3, "Name"), "4711");
}

// Every stored value of the plan, row by row, to show that nothing changed.
std::vector<std::string> snapshot(tv::Recordset& plan)
{
    std::vector<std::string> all;
    for (plan.MoveFirst(); !plan.Eof(); plan.MoveNext())
        for (int f = 0; f < plan.FieldCount(); ++f)
            all.push_back(plan.Field(f).toString());
    return all;
}

TEST_F(CellEdit, AValueThatOverflowsAnySumIsRefusedAndNothingOfItKept)
{
    struct Case
    {
        const char* what;
        long row;
        int column;
        const char* typed;
    };
    const Case cases[] = {
        {"a distance whose minutes overflow", 3, 10, "5000000000"},
        {"a distance beyond the log", 2, 10, "3000000000"},
        {"a TAS so small the minutes overflow", 4, 4, "0,0000001"},
        {"a fuel flow whose fuel overflows", 2, 3, "100000000000000"},
        {"a row number beyond a whole number", 3, 0, "99999999999"},
    };
    const std::vector<std::string> before = snapshot(r.plan);
    for (const Case& c : cases) {
        EXPECT_FALSE(edit(c.row, c.column, c.typed)) << c.what;
        EXPECT_EQ(snapshot(r.plan), before) << c.what;
    }
    // A long leg that fits is taken: 1000000 NM at 100 kt.
    EXPECT_TRUE(edit(3, 10, "1000000"));
    EXPECT_EQ(text(r.plan, 3, "ZeitDisplay"), "10000:00");
}

TEST_F(CellEdit, WindDirectionOfOneLegChangesThatLegAndTheTotals)
{
    const double zeitBefore = number(r.plan, 2, "Zeit");
    ASSERT_TRUE(edit(3, 5, "360"));
    ASSERT_TRUE(edit(3, 6, "20"));
    EXPECT_DOUBLE_EQ(number(r.plan, 2, "Zeit"), zeitBefore);
    EXPECT_DOUBLE_EQ(number(r.plan, 3, "GS"), 80);
    // 30 NM at 80 kt: 22.5 min, shown as 22 (halves to even); 18 + 22 + 18 in all.
    EXPECT_EQ(text(r.plan, 3, "ZeitDisplay"), "00:22");
    EXPECT_EQ(text(r.plan, 4, "ZeitAcc"), "00:58");
    EXPECT_EQ(labels->time, "00:58");
}

TEST_F(CellEdit, FuelFlowOfOneLegChangesItsFuelAndEveryRunningTotalAfterIt)
{
    ASSERT_TRUE(edit(3, 3, "30"));
    EXPECT_DOUBLE_EQ(number(r.plan, 2, "FFm"), 6);
    EXPECT_DOUBLE_EQ(number(r.plan, 3, "FFm"), 9); // 18 min at 30/h
    EXPECT_DOUBLE_EQ(number(r.plan, 3, "FFmAcc"), 15);
    EXPECT_DOUBLE_EQ(number(r.plan, 4, "FFmAcc"), 21);
    EXPECT_EQ(labels->fuel, "21");
}

TEST_F(CellEdit, EditedCourseIsTakenAsTyped)
{
    ASSERT_TRUE(edit(2, 7, "90"));
    ASSERT_TRUE(edit(2, 5, "90"));
    ASSERT_TRUE(edit(2, 6, "20"));
    EXPECT_DOUBLE_EQ(number(r.plan, 2, "GS"), 80);
    EXPECT_DOUBLE_EQ(number(r.plan, 2, "MH"), 90);
    EXPECT_EQ(labels->avgWind, "HWC 8 kts"); // 22.5 min x -20 kt over 58 min
}

} // namespace

namespace {

TEST(GridHeight, TwentyRowsFitOrShrinkInStepsOf100)
{
    // Grid top 2280 twips, as designed.
    EXPECT_EQ(tv::gridHeightTwips(20, 2280, 12000), 6750) << "fits: 20 x 300 + 750";
    // Window 9000 high: the bottom must end above 7600, so 5320 at most, in steps of 100
    // from 6750: 6650, 6550, ..., 5250.
    EXPECT_EQ(tv::gridHeightTwips(20, 2280, 9000), 5250);
    // Exactly at the limit still shrinks once more.
    EXPECT_EQ(tv::gridHeightTwips(20, 2280, 2280 + 6650 + 1400), 6550);
    EXPECT_EQ(tv::gridHeightTwips(20, 2280, 1000), std::nullopt);
    EXPECT_EQ(tv::gridHeightTwips(150, 0, 100000), 45750) << "no 16-bit overflow";
}

} // namespace
