#include "FlightPlanFixture.h"
#include "support/HeldDataFile.h"

#include <QApplication>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>

namespace fplantest {
namespace {

using FlightPlanWindow = FlightPlanWindowTest;

TEST_F(FlightPlanWindow, ADataFileHeldByAnotherProgramKeepsRouteAndPlanTogetherUntilItIsFree)
{
    addRoute("Alpha", northbound());
    addRoute("Bravo", {{"B1", 50.00, 8.00}, {"B2", 50.30, 8.00}});
    tv::frmFlugPlan& w = open();
    tvtest::HeldDataFile held(dir / "data.tvd");
    choose("Bravo"); // told that the route could not be read
    w.Form_Deactivate();
    w.Form_Activate(); // coming back reads the route list again
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, "Die Streckenliste konnte nicht gelesen werden.\n\nDie Datei " +
                                    QString::fromStdString((dir / "data.tvd").string()) +
                                    " wird von einem anderen Programm gesperrt.");
    EXPECT_EQ(w.cmbRoute->currentText() + " " + cell(1, 1), "Alpha Eins");
    held.release();
    choose("Bravo");
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(w.cmbRoute->currentText() + " " + cell(1, 1), "Bravo B2");
}

TEST_F(FlightPlanWindow, FirstLoadWritesTheDefaultEntryValues)
{
    tv::frmFlugPlan& w = window();
    EXPECT_EQ(w.tVAR->text(), "0");
    EXPECT_EQ(w.tFF->text(), "20");
    EXPECT_EQ(w.tSpeed->text(), "120");
    EXPECT_EQ(w.tWinddir->text(), "0");
    EXPECT_EQ(w.tWindspeed->text(), "0");
    EXPECT_EQ(file("fplan.crm"), "\"0\"\r\n\"20\"\r\n\"120\"\r\n\"0\"\r\n\"0\"\r\n");
}

TEST_F(FlightPlanWindow, EntryValuesComeBackOnTheNextVisitAsTyped)
{
    addRoute("Nord", northbound());
    open();
    setBoxes({"-2,5", "18", "abc", "270", "15"});
    window().Form_Deactivate();
    tv::forms().unloadAll(QString());
    flushDeletes();
    EXPECT_EQ(window().tVAR->text(), "-2,5");
    EXPECT_EQ(window().tSpeed->text(), "abc") << "written as it stood, also when invalid";
}

TEST_F(FlightPlanWindow, ThreeLegPlanShowsTheLogAndTotals)
{
    addRoute("Nord", northbound());
    writeFile("fplan.crm", "\"2\"\r\n\"20\"\r\n\"100\"\r\n\"0\"\r\n\"0\"\r\n");
    tv::frmFlugPlan& w = open();
    ASSERT_EQ(grid()->rowCount(), 4);
    EXPECT_EQ(cell(0, 1), "Start");
    EXPECT_EQ(cell(0, 11), "00:00");
    EXPECT_EQ(cell(1, 7), "360");
    EXPECT_EQ(cell(1, 8), "358") << "MH = TC - VAR";
    EXPECT_EQ(cell(1, 11), "00:18");
    EXPECT_EQ(w.lblDistanz->text(), "90 NM");
    EXPECT_EQ(w.lblZeit->text(), "00:54");
    EXPECT_EQ(w.lblFF->text(), "18");
    EXPECT_EQ(w.lblAvgWind->text(), "TWC 0 kts");
    EXPECT_TRUE(w.cmdPreview->isEnabled());
}

TEST_F(FlightPlanWindow, RouteShownWhenLeavingComesBack)
{
    addRoute("Alpha", northbound());
    addRoute("Bravo", {{"B1", 50.00, 8.00}, {"B2", 50.30, 8.00}});
    tv::frmFlugPlan& w = open();
    EXPECT_EQ(w.planRouteName(), "Alpha");
    choose("Bravo");
    w.Form_Deactivate();
    w.Form_Activate();
    EXPECT_EQ(w.cmbRoute->currentText(), "Bravo");
    EXPECT_EQ(w.planRouteName(), "Bravo");
    EXPECT_EQ(cell(1, 1), "B2");
}

TEST_F(FlightPlanWindow, RouteNamesWithApostrophesWork)
{
    addRoute("O'Brien's Tour", northbound());
    tv::frmFlugPlan& w = open();
    EXPECT_EQ(w.planRouteName(), "O'Brien's Tour");
    EXPECT_EQ(grid()->rowCount(), 4);
    w.Form_Deactivate();
    EXPECT_TRUE(exists("Flugplan/O'Brien's Tour"));
}

TEST_F(FlightPlanWindow, CellValuesNoPilotCouldMeanAreRefused)
{
    addRoute("Nord", northbound());
    open();
    const QString before = cell(2, 5);
    EXPECT_FALSE(edit(2, 5, "361"));
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().text, "Fehler in der Dateneingabe");
    EXPECT_EQ(messages.back().title, "Datenfehler");
    EXPECT_EQ(cell(2, 5), before);
    EXPECT_FALSE(edit(2, 1, "Hamburg")) << "the name column takes numbers only";
    EXPECT_FALSE(edit(2, 6, "120")) << "a headwind at TAS leaves no ground speed";
    EXPECT_TRUE(edit(2, 5, "360"));
    EXPECT_EQ(cell(2, 5), "360");
}

TEST_F(FlightPlanWindow, AnAbsurdDistanceIsRefusedWholeWithTheMessage)
{
    addRoute("Nord", northbound());
    // 20 kt of tailwind: a leg of a thousand million NM overflows the time-weighted wind.
    writeFile("fplan.crm", "\"0\"\r\n\"20\"\r\n\"100\"\r\n\"180\"\r\n\"20\"\r\n");
    tv::frmFlugPlan& w = open();
    const auto shown = [&] {
        QStringList all{w.lblZeit->text(), w.lblFF->text(), w.lblAvgWind->text()};
        for (int r = 0; r < grid()->rowCount(); ++r)
            for (int c = 0; c < grid()->columnCount(); ++c)
                all << cell(r, c);
        return all;
    };
    const QStringList before = shown();
    messages.clear();
    EXPECT_FALSE(edit(2, 10, "1000000000"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.front().text, "Fehler in der Dateneingabe");
    EXPECT_EQ(messages.front().title, "Datenfehler");
    EXPECT_EQ(shown(), before);
    w.Form_Deactivate();
    EXPECT_EQ(planFile("Nord").find("1000000000"), std::string::npos) << "nothing of it saved";
}

TEST_F(FlightPlanWindow, BoxValuesThatOverflowTheLogMarkTheirBox)
{
    addRoute("Nord", northbound());
    tv::frmFlugPlan& w = open();
    struct Case
    {
        std::array<const char*, 5> boxes;
        QLineEdit* marked;
    };
    const Case cases[] = {
        {{"0", "100000000000000", "120", "0", "0"}, w.tFF},
        {{"0", "20", "0,0000001", "0", "0"}, w.tSpeed},
        // A headwind just below TAS: the minutes fit, their time-weighted wind does not.
        {{"0", "20", "1000000", "360", "999999,99"}, w.tSpeed},
    };
    for (const Case& c : cases) {
        const QString timeBefore = w.lblZeit->text();
        messages.clear();
        setBoxes(c.boxes);
        w.cmdCalc->click();
        ASSERT_EQ(messages.size(), 1u) << c.boxes[1];
        EXPECT_EQ(messages.front().text, "Fehler in der Dateneingabe...");
        EXPECT_EQ(c.marked->palette().color(QPalette::Base), tv::frmFlugPlan::failingBoxColour());
        EXPECT_EQ(w.lblZeit->text(), timeBefore) << "the plan shown stays";
    }
}

TEST_F(FlightPlanWindow, FuelFlowEditRecomputesTheFollowingLegs)
{
    addRoute("Nord", northbound());
    writeFile("fplan.crm", "\"0\"\r\n\"20\"\r\n\"100\"\r\n\"0\"\r\n\"0\"\r\n");
    tv::frmFlugPlan& w = open();
    ASSERT_EQ(cell(2, 12), "6");
    ASSERT_TRUE(edit(2, 3, "30"));
    EXPECT_EQ(cell(2, 12), "9") << "18 min at 30 per hour";
    EXPECT_EQ(cell(1, 12), "6");
    EXPECT_EQ(w.lblFF->text(), "21");
    tv::Recordset* plan = w.plan();
    ASSERT_NE(plan, nullptr);
    plan->SetAbsolutePosition(4);
    EXPECT_DOUBLE_EQ(plan->Field("FFmAcc").toDouble(), 21);
    // A new calculation puts the box's fuel flow back into every leg.
    w.cmdCalc->click();
    EXPECT_EQ(cell(2, 3), "20");
    EXPECT_EQ(w.lblFF->text(), "18");
}

TEST_F(FlightPlanWindow, TwentyRowsGiveTheDesignedGridHeight)
{
    std::vector<Pt> pts;
    for (int i = 0; i < 20; ++i)
        pts.push_back({"P" + std::to_string(i + 1), 48.00 + 0.10 * i, 9.00});
    addRoute("Lang", pts);
    tv::frmFlugPlan& w = window();
    w.show();
    w.resize(1113, 1000); // 15000 twips: room for 6750 below 2280
    w.Form_Activate();
    EXPECT_EQ(w.gridFlug->height(), 6750 / 15);
    EXPECT_EQ(w.Frame1->y(), w.gridFlug->y() + w.gridFlug->height());
    w.resize(1113, 600); // 9000 twips: shrinks to 5250
    EXPECT_EQ(w.gridFlug->height(), 5250 / 15);
    EXPECT_EQ(w.Frame1->y(), w.gridFlug->y() + w.gridFlug->height());
}

TEST_F(FlightPlanWindow, CaptionsFollowTheLanguage)
{
    addRoute("Nord", northbound());
    tv::Language = 1;
    tv::frmFlugPlan& w = open();
    EXPECT_EQ(w.windowTitle(), "Flightplan");
    EXPECT_EQ(w.cmdCalc->text(), "Calculate flightplan");
    EXPECT_EQ(w.cmdPreview->text(), "Print");
    EXPECT_EQ(w.cmdRevert->toolTip(), "Cancel calculation");
    EXPECT_EQ(grid()->headerData(1, Qt::Horizontal).toString(), "        Waypoint");
    EXPECT_EQ(grid()->headerData(11, Qt::Horizontal).toString(), "   Time      [ h:min ]");
    tv::Language = 0;
    w.Form_Activate();
    EXPECT_EQ(w.windowTitle(), "Flugplan");
    EXPECT_EQ(w.lblStrecke->text(), "Strecke auswählen");
    EXPECT_EQ(grid()->headerData(5, Qt::Horizontal).toString(), "   Wind    Richtung");
}

TEST_F(FlightPlanWindow, EveryCaptionReadsWholeInBothLanguages)
{
    addRoute("Nord", northbound());
    tv::frmFlugPlan& w = window();
    w.show();
    for (const int language : {0, 1}) {
        tv::Language = language;
        open();
        QApplication::processEvents();
        const std::string in = language == 0 ? " (German)" : " (English)";
        for (const QPushButton* b : w.findChildren<QPushButton*>()) {
            if (!b->text().isEmpty()) {
                EXPECT_GE(b->width(), b->sizeHint().width()) << b->text().toStdString() << in;
            }
        }
        for (const QLabel* l : w.findChildren<QLabel*>())
            EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->contentsRect().width())
                << l->text().toStdString() << in;
        // Column captions break into a title and a unit line; neither may be cut.
        const QHeaderView* header = w.gridFlug->horizontalHeader();
        const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin);
        for (int c = 0; c < grid()->columnCount(); ++c) {
            const QString caption = grid()->headerData(c, Qt::Horizontal).toString();
            const QRect room(0, 0, header->sectionSize(c) - 2 * margin, header->height());
            const QRect needed = header->fontMetrics().boundingRect(
                room, Qt::AlignCenter | Qt::TextWordWrap, caption.trimmed());
            EXPECT_TRUE(room.contains(needed)) << caption.toStdString() << in;
        }
    }
}

TEST_F(FlightPlanWindow, DoubleClickEmptiesABoxAndTheCalculationMarksIt)
{
    addRoute("Nord", northbound());
    tv::frmFlugPlan& w = open();
    const QPointF at(5, 5);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, w.tWinddir->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.tWinddir, &dbl);
    EXPECT_EQ(w.tWinddir->text(), "");
    const QString timeBefore = w.lblZeit->text();
    w.cmdCalc->click();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().text, "Fehler in der Dateneingabe...");
    EXPECT_EQ(w.tWinddir->palette().color(QPalette::Base), tv::frmFlugPlan::failingBoxColour());
    EXPECT_EQ(w.tSpeed->palette().color(QPalette::Base), tv::frmFlugPlan::validBoxColour());
    EXPECT_EQ(w.lblZeit->text(), timeBefore) << "the plan shown stays";
    EXPECT_EQ(grid()->rowCount(), 4);
}

TEST_F(FlightPlanWindow, HeadwindAtTasStopsTheCalculation)
{
    addRoute("Nord", northbound());
    tv::frmFlugPlan& w = open();
    setBoxes({"0", "20", "100", "360", "100"});
    w.cmdCalc->click();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().text, "Fehler in der Dateneingabe...");
    EXPECT_EQ(w.tSpeed->palette().color(QPalette::Base), tv::frmFlugPlan::failingBoxColour());
    EXPECT_EQ(cell(1, 4), "120") << "the plan shown stays";
}

TEST_F(FlightPlanWindow, RouteWithoutPointsShowsNoPlanAndWritesNoFile)
{
    addRoute("Nord", northbound());
    addRoute("Leer", {});
    tv::frmFlugPlan& w = open();
    choose("Leer");
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().text, "Flugstrecke - Leer - enthält keine Wegpunkte...");
    EXPECT_EQ(grid()->rowCount(), 0);
    EXPECT_EQ(w.lblDistanz->text(), "");
    EXPECT_FALSE(w.cmdPreview->isEnabled());
    w.Form_Deactivate();
    EXPECT_FALSE(exists("Flugplan/Leer"));
    EXPECT_TRUE(exists("Flugplan/Nord")) << "the route shown before was saved at the change";
}

} // namespace
} // namespace fplantest

namespace fplantest {
namespace {

TEST_F(FlightPlanWindowTest, NoRoutesLeaveTheRouteBoxAsItWas)
{
    const auto id = addRoute("Nord", northbound());
    tv::frmFlugPlan& w = open();
    w.Form_Deactivate();
    {
        tvtest::TestDb db(dir / "data.tvd");
        db.exec("DELETE FROM Route WHERE RouteID = " + std::to_string(id));
    }
    messages.clear();
    w.Form_Activate();
    EXPECT_EQ(w.cmbRoute->currentText(), "Nord");
    EXPECT_EQ(grid()->rowCount(), 4) << "nothing rebuilt";
    // The route is gone from the list: a calculation ends without a change.
    w.cmdCalc->click();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(grid()->rowCount(), 4);
}

} // namespace
} // namespace fplantest
