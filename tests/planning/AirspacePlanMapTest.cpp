// The airspace layer on the plan map: all airspaces, one altitude, none; traffic circuits by
// their switch at every altitude; tLR tells what the map shows and warns of faulty data.

#include "PlanWindowFixture.h"

#include "airspace/AirspacePainter.h"
#include "core/GeoMath.h"
#include "planning/frmLuftraumSettings.h"
#include "planning/frmPlanung.h"
#include "platform/Connection.h"
#include "schema/Schema.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

namespace {

class AirspacePlanMap : public tvtest::PlanWindowTest
{
protected:
    void SetUp() override
    {
        PlanWindowTest::SetUp();
        tv::schema::createDataFile(dir / "Luftraum.tvd", tv::schema::DataFile::Airspace);
        tv::AirspaceConnection = std::make_shared<tv::Connection>();
        tv::AirspaceConnection->Open((dir / "Luftraum.tvd").string());
        addAlps();
    }

    // A square 47°45'-47°55' N at `west` to `west` + 10' E (DD.MM), limits in feet.
    void addBox(int index, const std::string& type, double low, double high, double west,
                bool broken = false)
    {
        const double corners[4][2] = {
            {47.55, west}, {47.55, west + 0.10}, {47.45, west + 0.10}, {47.45, west}};
        for (int i = 0; i < 4; ++i) {
            tv::AirspaceConnection->Execute(
                "INSERT INTO \"Luftraum\" (\"AspType\", \"Index\", \"Low\", \"High\", "
                "\"LowType\", \"HighType\", \"Drawtype\", \"Lat\", \"Long\", \"PNumber\") "
                "VALUES (?, ?, ?, ?, '', '', 'DP', ?, ?, ?)",
                {type, index, low, high, corners[i][0],
                 broken && i == 2 ? tv::Value() : tv::Value(corners[i][1]), i + 1});
        }
    }

    int answerModal(tv::DialogForm& d) override
    {
        if (dialog)
            dialog(d);
        return 0;
    }

    tv::frmPlanung& show(tv::PlanAirspaceChoice choice, bool circuits)
    {
        tv::frmPlanung& w = open();
        choice.circuits = circuits;
        w.setAirspaceChoice(choice);
        return w;
    }

    // The pilot's hand in the airspace display dialog.
    std::function<void(tv::DialogForm&)> dialog;

    // The colour in the middle of the northern edge of the box at `west`.
    uint32_t northEdge(tv::frmPlanung& w, double west)
    {
        auto px = [&](double lat, double lon) {
            return *w.planMap().view().positionToView(
                {tv::DDMMToDegrees(lat), tv::DDMMToDegrees(lon)});
        };
        const QPointF m = (px(47.55, west) + px(47.55, west + 0.10)) / 2.0;
        return pixel(w, m.x(), m.y());
    }
};

TEST_F(AirspacePlanMap, AllAirspacesWhateverTheirLimits)
{
    addBox(1, "D", 0, 2500, 10.05);
    addBox(2, "C", 5000, 9500, 10.20);
    tv::frmPlanung& w = show(tv::PlanAirspaceChoice::all(), false);
    EXPECT_FALSE(w.tLR->isHidden());
    EXPECT_EQ(w.tLR->text(), QStringLiteral("Alle Lufträume"));
    EXPECT_NE(northEdge(w, 10.05), kChartColour);
    EXPECT_NE(northEdge(w, 10.20), kChartColour);
}

TEST_F(AirspacePlanMap, OneAltitudeShowsWhatMeetsItAndCircuitsByTheirSwitch)
{
    addBox(1, "D", 0, 2500, 10.05);
    addBox(2, "C", 2500, 3500, 10.20);
    addBox(3, "A", 0, 1500, 10.35);
    tv::frmPlanung& w = show(tv::PlanAirspaceChoice::atAltitude(3500), false);
    EXPECT_EQ(w.tLR->text(), QStringLiteral("Luftraum in 3500 ft"));
    EXPECT_EQ(northEdge(w, 10.05), kChartColour);
    EXPECT_NE(northEdge(w, 10.20), kChartColour); // High 3500 meets 3500
    EXPECT_EQ(northEdge(w, 10.35), kChartColour);
    tv::PlanAirspaceChoice withCircuits = w.airspaceChoice();
    withCircuits.circuits = true;
    w.setAirspaceChoice(withCircuits);
    EXPECT_EQ(northEdge(w, 10.35), tv::kTrafficCircuitColour);
}

TEST_F(AirspacePlanMap, NoneHidesTheBoxAndDrawsNothing)
{
    addBox(1, "D", 0, 2500, 10.05);
    addBox(3, "A", 0, 1500, 10.35);
    tv::frmPlanung& w = show(tv::PlanAirspaceChoice::none(), true);
    EXPECT_TRUE(w.tLR->isHidden());
    EXPECT_EQ(northEdge(w, 10.05), kChartColour);
    EXPECT_EQ(northEdge(w, 10.35), kChartColour);
}

TEST_F(AirspacePlanMap, FaultyAirspaceIsLeftOutAndTheBoxSaysSo)
{
    addBox(1, "D", 0, 2500, 10.05, true);
    addBox(2, "D", 0, 2500, 10.20);
    tv::frmPlanung& w = show(tv::PlanAirspaceChoice::all(), false);
    EXPECT_EQ(northEdge(w, 10.05), kChartColour);
    EXPECT_NE(northEdge(w, 10.20), kChartColour);
    EXPECT_EQ(w.tLR->toolTip(), QStringLiteral("Luftraumdaten fehlerhaft"));
}

TEST_F(AirspacePlanMap, ClosingTheDialogRedrawsTheMapWithTheNewChoice)
{
    addBox(1, "D", 0, 2500, 10.05);
    addBox(2, "C", 5000, 9500, 10.20);
    tv::frmPlanung& w = show(tv::PlanAirspaceChoice::all(), false);
    ASSERT_NE(northEdge(w, 10.20), kChartColour);
    struct Case
    {
        std::function<void(tv::frmLuftraumSettings&)> choose;
        const char* box; // nullptr: the box is hidden
        bool lowShown, highShown;
    };
    const Case cases[] = {
        {[](tv::frmLuftraumSettings& d) { d.Option2->click(); }, nullptr, false, false},
        {[](tv::frmLuftraumSettings& d) {
             d.Option3->click();
             d.cmbHoehe->setEditText(QStringLiteral("6000"));
         },
         "Luftraum in 6000 ft", false, true},
        {[](tv::frmLuftraumSettings& d) { d.Option1->click(); }, "Alle Lufträume", true, true},
    };
    for (const Case& c : cases) {
        dialog = [&c](tv::DialogForm& d) {
            auto& settings = static_cast<tv::frmLuftraumSettings&>(d);
            c.choose(settings);
            settings.cmdExit->click();
        };
        tv::showPlanAirspaceDialog();
        const std::string what = c.box ? c.box : "none";
        EXPECT_EQ(w.tLR->isHidden(), c.box == nullptr) << what;
        if (c.box) {
            EXPECT_EQ(w.tLR->text(), QString::fromUtf8(c.box));
        }
        EXPECT_EQ(northEdge(w, 10.05) != kChartColour, c.lowShown) << what;
        EXPECT_EQ(northEdge(w, 10.20) != kChartColour, c.highShown) << what;
    }
}

} // namespace
