#include "FlightPlanFixture.h"

#include "support/ReadOnlyFolder.h"

#include <QPushButton>

#include <algorithm>
#include <filesystem>

namespace fplantest {
namespace {

using FlightPlanFiles = FlightPlanWindowTest;
namespace fs = std::filesystem;

TEST_F(FlightPlanFiles, RevertBringsBackTheSavedLegValues)
{
    addRoute("Nord", northbound());
    tv::frmFlugPlan& w = open();
    setBoxes({"0", "20", "100", "0", "0"});
    w.cmdCalc->click();
    ASSERT_EQ(cell(1, 4), "100");
    w.Form_Deactivate(); // saves the plan
    ASSERT_TRUE(exists("Flugplan/Nord"));

    setBoxes({"0", "40", "150", "0", "0"});
    w.cmdRevert->click();
    EXPECT_EQ(cell(1, 4), "100") << "TAS as saved";
    EXPECT_EQ(cell(1, 3), "20") << "fuel flow as saved";
    EXPECT_EQ(cell(1, 12), "12") << "but a built plan's fuel follows the box: 18 min at 40";
}

TEST_F(FlightPlanFiles, PlanFileHoldsEveryRowWithItsFieldsInOrder)
{
    addRoute("Nord", northbound());
    open().Form_Deactivate();
    tv::Recordset saved;
    saved.OpenFile(dir / "Flugplan" / "Nord");
    const std::vector<std::string> fields{
        "Id",   "Nr",           "Name",       "TC", "Distanz", "DistanzAcc",  "TAS",
        "Wind", "Windrichtung", "Windstärke", "GS", "Zeit",    "ZeitDisplay", "ZeitAcc",
        "FFh",  "FFm",          "FFmAcc",     "MH", "VAR",     "LAT",         "LONG"};
    ASSERT_EQ(saved.FieldCount(), static_cast<int>(fields.size()));
    for (int i = 0; i < saved.FieldCount(); ++i)
        EXPECT_EQ(saved.FieldAt(i).name, fields[static_cast<std::size_t>(i)]);
    EXPECT_EQ(saved.RecordCount(), 4);
    saved.MoveLast();
    EXPECT_EQ(saved.Field("Name").toString(), "Ziel");
    EXPECT_EQ(saved.Field("ZeitAcc").toString(), "00:45");
}

TEST_F(FlightPlanFiles, OnlyTheEntryValuesAreTakenFromTheFile)
{
    addRoute("Nord", northbound());
    open().Form_Deactivate();
    // Computed values in the file do not count; they are computed again.
    std::string content = planFile("Nord");
    const std::string running = "ZeitAcc='00:45'";
    if (const auto at = content.find(running); at != std::string::npos)
        content.replace(at, running.size(), "ZeitAcc='09:59'");
    ASSERT_NE(content, planFile("Nord")) << "the file holds the running time";
    writeFile("Flugplan/Nord", content);
    window().cmdRevert->click();
    tv::Recordset* plan = window().plan();
    ASSERT_NE(plan, nullptr);
    plan->MoveLast();
    EXPECT_EQ(plan->Field("ZeitAcc").toString(), "00:45");
}

TEST_F(FlightPlanFiles, GridEditsAreKeptWithThePlan)
{
    addRoute("Nord", northbound());
    tv::frmFlugPlan& w = open();
    ASSERT_TRUE(edit(2, 4, "90"));
    w.Form_Deactivate();
    tv::forms().unloadAll(QString());
    flushDeletes();
    open();
    EXPECT_EQ(cell(2, 4), "90");
    EXPECT_EQ(cell(1, 4), "120");
}

TEST_F(FlightPlanFiles, NewlyInsertedPointTakesTheBoxValues)
{
    const auto id = addRoute("Nord", northbound());
    tv::frmFlugPlan& w = open();
    setBoxes({"0", "20", "100", "0", "0"});
    w.cmdCalc->click();
    w.Form_Deactivate();
    insertPoint(id, 2.5, {"Neu", 48.45, 9.00});
    setBoxes({"0", "20", "140", "0", "0"});
    w.cmdRevert->click();
    ASSERT_EQ(grid()->rowCount(), 5);
    EXPECT_EQ(cell(1, 1), "Eins");
    EXPECT_EQ(cell(1, 4), "100");
    EXPECT_EQ(cell(2, 1), "Neu");
    EXPECT_EQ(cell(2, 4), "140");
    EXPECT_EQ(cell(3, 1), "Zwei");
    EXPECT_EQ(cell(3, 4), "100");
}

TEST_F(FlightPlanFiles, BadBoxDuringARouteChangeLeavesTheOtherRoutesFile)
{
    addRoute("Alpha", northbound());
    addRoute("Bravo", {{"B1", 50.00, 8.00}, {"B2", 50.30, 8.00}});
    tv::frmFlugPlan& w = open();
    choose("Bravo");
    choose("Alpha"); // Bravo's plan is saved now
    const std::string bravo = planFile("Bravo");
    ASSERT_FALSE(bravo.empty());

    setBoxes({"0", "20", "abc", "0", "0"});
    w.cmdCalc->click(); // refused; Alpha's plan stays
    EXPECT_EQ(w.planRouteName(), "Alpha");
    choose("Bravo");
    EXPECT_EQ(messages.back().text, "Fehler in der Dateneingabe...");
    EXPECT_EQ(grid()->rowCount(), 0);
    EXPECT_FALSE(w.cmdPreview->isEnabled());
    w.Form_Deactivate();
    w.Form_Unload();
    EXPECT_EQ(planFile("Bravo"), bravo) << "byte for byte";
    EXPECT_NE(planFile("Alpha").find("Start"), std::string::npos);
}

TEST_F(FlightPlanFiles, RouteNamesCannotLeaveTheFolder)
{
    addRoute("../x", northbound());
    addRoute("../data.tvd", northbound());
    const std::string data = file("data.tvd");
    tv::frmFlugPlan& w = open();
    choose("../data.tvd");
    w.Form_Deactivate();
    EXPECT_FALSE(exists("x"));
    EXPECT_TRUE(exists("Flugplan/.._x"));
    EXPECT_TRUE(exists("Flugplan/.._data.tvd"));
    EXPECT_EQ(file("data.tvd"), data);
}

TEST_F(FlightPlanFiles, RouteNameTooLongForAFileNameIsToldOnceWithTheReason)
{
    // 255 umlauts fit the route's name; their 510 bytes fit no file name.
    addRoute(QString(255, QChar(0xE4)).toStdString(), northbound());
    tv::frmFlugPlan& w = open();
    w.Form_Deactivate();
    w.Form_Activate();
    w.Form_Deactivate();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Der Flugplan kann nicht gespeichert werden: der Name der Strecke "
                                "ist zu lang für einen Dateinamen (höchstens 255 Byte; ein Umlaut "
                                "zählt zwei).");
}

TEST_F(FlightPlanFiles, MissingFolderIsMadeAtTheFirstSave)
{
    addRoute("Nord", northbound());
    fs::remove_all(dir / "Flugplan");
    open().Form_Deactivate();
    EXPECT_TRUE(exists("Flugplan/Nord"));
}

TEST_F(FlightPlanFiles, ADamagedSavedPlanIsToldOnceAndKeptBesideTheNewOne)
{
    struct Case
    {
        const char* what;
        std::string (*damage)(const std::string& saved);
        const char* takenBefore; // an earlier damaged file of the route, or nullptr
        const char* asideAs;
    };
    const Case cases[] = {
        {"cut in half", [](const std::string& saved) { return saved.substr(0, saved.size() / 2); },
         nullptr, "Nord.bad"},
        {"emptied", [](const std::string&) { return std::string(); }, nullptr, "Nord.bad"},
        {"no plan at all", [](const std::string&) { return std::string("kein Flugplan"); },
         "Nord.bad", "Nord.bad2"},
    };
    addRoute("Nord", northbound());
    for (const Case& c : cases) {
        fs::remove_all(dir / "Flugplan");
        tv::forms().unloadAll(QString());
        flushDeletes();
        writeFile("fplan.crm", "\"0\"\r\n\"20\"\r\n\"120\"\r\n\"0\"\r\n\"0\"\r\n");
        tv::frmFlugPlan& first = open();
        ASSERT_TRUE(edit(2, 4, "90")) << c.what; // a per-leg edit the pilot made
        first.Form_Deactivate();
        tv::forms().unloadAll(QString());
        flushDeletes();
        const std::string damaged = c.damage(planFile("Nord"));
        writeFile("Flugplan/Nord", damaged);
        if (c.takenBefore)
            writeFile(std::string("Flugplan/") + c.takenBefore, "older");
        messages.clear();

        tv::frmFlugPlan& w = open();
        ASSERT_EQ(messages.size(), 1u) << c.what;
        EXPECT_TRUE(messages.front().text.contains(QStringLiteral("Nord")));
        EXPECT_TRUE(messages.front().text.contains(QString::fromUtf8(c.asideAs)))
            << messages.front().text.toStdString();
        EXPECT_EQ(cell(2, 4), "120") << c.what << ": the legs take the box values";
        w.cmdRevert->click();
        w.Form_Deactivate();
        w.Form_Activate();
        EXPECT_EQ(messages.size(), 1u) << c.what << ": told once";
        EXPECT_NE(planFile("Nord").find("Ziel"), std::string::npos) << c.what << ": saved anew";
        EXPECT_EQ(file(std::string("Flugplan/") + c.asideAs), damaged) << c.what;
        if (c.takenBefore) {
            EXPECT_EQ(file(std::string("Flugplan/") + c.takenBefore), "older") << c.what;
        }
    }
}

TEST_F(FlightPlanFiles, ADamagedPlanThatCannotBeSetAsideIsNeverOverwritten)
{
    addRoute("Nord", northbound());
    writeFile("Flugplan/Nord", "<xml");
    {
        tvtest::ReadOnlyFolder readOnly(dir / "Flugplan");
        tv::frmFlugPlan& w = open();
        w.Form_Deactivate();
        w.Form_Activate();
        w.Form_Unload();
    }
    // (The program folder is read-only too: fplan.crm has its own message.)
    const auto told = std::count_if(messages.begin(), messages.end(), [](const auto& m) {
        return m.text.contains(QStringLiteral("Strecke - Nord -"));
    });
    EXPECT_EQ(told, 1);
    EXPECT_EQ(planFile("Nord"), "<xml");
}

TEST_F(FlightPlanFiles, ReadOnlyFolderGivesAMessageAndKeepsTheOldFile)
{
    addRoute("Nord", northbound());
    tv::frmFlugPlan& w = open();
    w.Form_Deactivate();
    const std::string old = planFile("Nord");
    setBoxes({"0", "20", "90", "0", "0"});
    w.cmdCalc->click();
    messages.clear();

    {
        tvtest::ReadOnlyFolder readOnly(dir / "Flugplan");
        w.Form_Unload();
    }
    const QString path = QString::fromStdString((dir / "Flugplan" / "Nord").string());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages.front().text.contains(path)) << messages.front().text.toStdString();
    EXPECT_EQ(planFile("Nord"), old);
}

} // namespace
} // namespace fplantest
