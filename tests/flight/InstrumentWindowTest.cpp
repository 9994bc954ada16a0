#include "InstrumentWindowFixture.h"

#include "flight/Instruments.h"
#include "map/DrawSurface.h"
#include "map/PictureBox.h"
#include "platform/Recordset.h"
#include "support/Keyboard.h"

#include <QApplication>
#include <QFrame>
#include <QLineEdit>

#include <utility>

namespace {

constexpr int kEnter = 13;
constexpr int kEscape = 27;

class CourseInstrument : public windowtest::FlightWindowTest
{
protected:
    void SetUp() override
    {
        FlightWindowTest::SetUp();
        addWaypoint("EDDS", 48.4123, 9.1319);
        addWaypoint("O'Brien Field", 48.30, 10.0); // due east of the aircraft below
        addWaypoint("edny", 47.4018, 9.3041);
        // The route points set is open once the window has been activated.
        nav().refillRoutes(*tv::MainConnection);
        nav().fixEvents().placeWithoutFix(48.5, 9.0);
    }

    void addWaypoint(const char* name, double lat, double lon)
    {
        tv::MainConnection->Execute(
            R"(INSERT INTO "Waypoints" ("Name", "Lat", "Long", "Kategorie") VALUES (?, ?, ?, ''))",
            {tv::Value(name), tv::Value(lat), tv::Value(lon)});
    }

    int64_t at(double x, double y) { return w->Kurskreisel->surface().Point(x, y); }

    // A key typed into an entry box: the text changes, then the key comes up.
    void type(QLineEdit* box, const QString& text, int keyCode)
    {
        box->setText(text);
        if (box == w->tKurs)
            w->tKurs_KeyUp(keyCode, 0);
        else
            w->tVOR1_KeyUp(keyCode, 0);
    }

    int errorBoxes() const
    {
        int n = 0;
        for (const auto& m : messages)
            n += m.text == "Error";
        return n;
    }
};

} // namespace

TEST_F(CourseInstrument, CourseModeHidesTheVorLabelsAndLooksNothingUp)
{
    setFix(true);
    nav().chooseInstrumentMode(tv::InstrumentMode::Kurs);
    nav().chooseStation("Nowhere");
    w->lblVOR1->show();
    track(0);
    w->ShowInstrument(0.0f);
    EXPECT_FALSE(shown(w->lblVOR1));
    EXPECT_FALSE(shown(w->lbldistVOR));
    EXPECT_EQ(errorBoxes(), 0);
    EXPECT_EQ(at(70, 92.5), tv::kInstrumentWhite);
}

TEST_F(CourseInstrument, VorModeShowsDistanceAndPointsAtTheStation)
{
    setFix(true);
    nav().chooseInstrumentMode(tv::InstrumentMode::Vor);
    nav().chooseStation("O'Brien Field");
    track(0);
    w->ShowInstrument(-0.0f);
    EXPECT_TRUE(shown(w->lblVOR1));
    EXPECT_TRUE(shown(w->lbldistVOR));
    EXPECT_EQ(w->lbldistVOR->text(), "40"); // one degree of longitude at 48.5 N
    EXPECT_GT(nav().instrument().vorBearing, 89.0);
    EXPECT_LT(nav().instrument().vorBearing, 91.0);
    EXPECT_EQ(at(150, 100), tv::kInstrumentCyan);
    EXPECT_EQ(errorBoxes(), 0);
}

TEST_F(CourseInstrument, WithoutAStationVorAndHsiDrawNoNeedle)
{
    setFix(true);
    track(0);
    for (const tv::InstrumentMode mode : {tv::InstrumentMode::Vor, tv::InstrumentMode::Hsi}) {
        for (const char* station : {"", "Nowhere"}) {
            nav().chooseInstrumentMode(mode);
            nav().chooseStation(station);
            w->ShowInstrument(-0.0f);
            // Where a needle to true north would lie, head and tail.
            for (const auto& [x, y] : {std::pair{100.0, 50.0}, std::pair{100.0, 150.0}}) {
                const int64_t colour = at(x, y);
                EXPECT_NE(colour, tv::kInstrumentCyan)
                    << static_cast<int>(mode) << " '" << station << "'";
                EXPECT_NE(colour, tv::kInstrumentRed)
                    << static_cast<int>(mode) << " '" << station << "'";
            }
        }
    }
    // A station found again draws its needle.
    nav().chooseInstrumentMode(tv::InstrumentMode::Vor);
    nav().chooseStation("O'Brien Field");
    w->ShowInstrument(-0.0f);
    EXPECT_EQ(at(150, 100), tv::kInstrumentCyan);
}

TEST_F(CourseInstrument, UnknownVorIsReportedOnceAcrossManyTrackReports)
{
    setFix(true);
    nav().chooseInstrumentMode(tv::InstrumentMode::Hsi);
    nav().chooseStation("Nowhere");
    track(120);
    for (int i = 0; i < 10; ++i)
        w->ShowInstrument(-120.0f);
    EXPECT_EQ(errorBoxes(), 1);
    EXPECT_EQ(messages.at(0).buttons, tv::MsgButtons::Ok);
}

TEST_F(CourseInstrument, LeftClickStepsTheModeAndRedrawsWithoutTrack)
{
    nav().chooseInstrumentMode(tv::InstrumentMode::Kurs);
    w->Kurskreisel_MouseDown(1, 0, 50, 50);
    EXPECT_EQ(nav().instrument().mode, tv::InstrumentMode::Vor);
    EXPECT_TRUE(shown(w->lblVOR1));
    EXPECT_NE(at(150, 100), tv::kInstrumentRed) << "no station chosen: no needle";
    w->Kurskreisel_MouseDown(1, 0, 50, 50);
    EXPECT_EQ(nav().instrument().mode, tv::InstrumentMode::Hsi);
    w->Kurskreisel_MouseDown(1, 0, 50, 50);
    EXPECT_EQ(nav().instrument().mode, tv::InstrumentMode::Kurs);
    EXPECT_FALSE(shown(w->lblVOR1));
}

TEST_F(CourseInstrument, RightClickOpensTheEntryOfTheMode)
{
    nav().chooseInstrumentMode(tv::InstrumentMode::Kurs);
    w->Kurskreisel_MouseDown(2, 0, 50, 50);
    EXPECT_FALSE(shown(w->frmVOR));
    EXPECT_FALSE(shown(w->frmKurs));

    nav().chooseInstrumentMode(tv::InstrumentMode::Vor);
    w->Kurskreisel_MouseDown(2, 0, 50, 50);
    EXPECT_TRUE(shown(w->frmVOR));

    nav().chooseInstrumentMode(tv::InstrumentMode::Hsi);
    w->tKurs->setText("123");
    w->Kurskreisel_MouseDown(2, 0, 50, 50);
    EXPECT_TRUE(shown(w->frmKurs));
    EXPECT_EQ(w->Label3->text(), "Course");
    EXPECT_EQ(w->tKurs->text(), "");
}

TEST_F(CourseInstrument, CourseEntryRefusesLongAndOutOfRangeValues)
{
    nav().chooseInstrumentMode(tv::InstrumentMode::Hsi);
    w->frmKurs->show();
    type(w->tKurs, "0900", '0');
    EXPECT_EQ(w->tKurs->text(), "") << "a fourth character empties the box";
    EXPECT_TRUE(shown(w->frmKurs));
    type(w->tKurs, "400", '0');
    EXPECT_EQ(w->tKurs->text(), "");
    type(w->tKurs, "36", '6');
    EXPECT_EQ(w->tKurs->text(), "36");
    type(w->tKurs, "36", kEscape);
    EXPECT_EQ(w->tKurs->text(), "");
    EXPECT_FALSE(shown(w->frmKurs));
}

TEST_F(CourseInstrument, OnlyAnEnterPressedInTheEntryTakesTheCourse)
{
    nav().chooseInstrumentMode(tv::InstrumentMode::Hsi);
    w->show();
    w->activateWindow();
    w->frmKurs->show();
    w->tKurs->setFocus();
    QApplication::processEvents();
    w->tKurs->setText("45");
    {
        // A message comes up while the entry is open; the pilot closes it with Enter, whose
        // release then reaches the entry.
        tvtest::EnterClosesMessages closer(messages);
        tv::MsgBox("Kein Signal an COM 1", QString());
        QApplication::processEvents();
        tvtest::releaseKey(w, Qt::Key_Return);
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(shown(w->frmKurs));
    EXPECT_NE(nav().instrument().course, "45");

    tvtest::pressKey(w, Qt::Key_Return);
    tvtest::releaseKey(w, Qt::Key_Return);
    EXPECT_FALSE(shown(w->frmKurs));
    EXPECT_EQ(nav().instrument().course, "45");
}

TEST_F(CourseInstrument, EnteredCourseIsDrawnAtOnceWithoutFix)
{
    setFix(false);
    nav().chooseInstrumentMode(tv::InstrumentMode::Hsi);
    w->frmKurs->show();
    type(w->tKurs, "45", kEnter);
    EXPECT_FALSE(shown(w->frmKurs));
    EXPECT_EQ(nav().instrument().course, "45");
    // The arrow's head half at 45 degrees, on the card standing north up.
    EXPECT_EQ(at(100 + 70 * 0.70710678, 100 - 70 * 0.70710678), tv::kInstrumentYellow);
    EXPECT_EQ(at(100, 8), tv::kCompassNorthColor);
}

TEST_F(CourseInstrument, CourseAboveThreeSixtyOrNotANumberHidesTheArrow)
{
    setFix(true);
    nav().chooseInstrumentMode(tv::InstrumentMode::Hsi);
    track(0);
    nav().chooseCourse("360.5");
    w->ShowInstrument(0.0f);
    EXPECT_NE(at(100, 30), tv::kInstrumentYellow);
    nav().chooseCourse("abc");
    w->ShowInstrument(0.0f);
    EXPECT_NE(at(100, 30), tv::kInstrumentYellow);
    nav().chooseCourse("360");
    w->ShowInstrument(0.0f);
    EXPECT_EQ(at(100, 30), tv::kInstrumentYellow);
}

TEST_F(CourseInstrument, ArrowIsNotDrawnWhileTheCourseEntryIsOpen)
{
    nav().chooseInstrumentMode(tv::InstrumentMode::Hsi);
    track(0);
    nav().chooseCourse("0");
    w->frmKurs->show();
    w->ShowInstrument(0.0f);
    EXPECT_NE(at(100, 30), tv::kInstrumentYellow);
}

TEST_F(CourseInstrument, TypingSearchesTheWaypointsAndEnterTakesTheMatch)
{
    nav().chooseInstrumentMode(tv::InstrumentMode::Vor);
    w->frmVOR->show();
    type(w->tVOR1, "E", 'E');
    EXPECT_EQ(w->lblResult->text(), "EDDS");
    type(w->tVOR1, "EDE", 'E');
    EXPECT_EQ(w->lblResult->text(), "edny");
    type(w->tVOR1, "EDE", kEnter);
    EXPECT_EQ(w->lblVOR1->text(), "edny");
    EXPECT_FALSE(shown(w->frmVOR));
    EXPECT_EQ(w->tVOR1->text(), "");
}

TEST_F(CourseInstrument, VorNameWithApostropheCanBeTypedAndFlown)
{
    setFix(true);
    w->frmVOR->show();
    type(w->tVOR1, "O'", kEnter);
    EXPECT_EQ(w->lblVOR1->text(), "O'Brien Field");
    nav().chooseInstrumentMode(tv::InstrumentMode::Vor);
    track(0);
    w->ShowInstrument(0.0f);
    EXPECT_EQ(errorBoxes(), 0);
    EXPECT_EQ(w->lbldistVOR->text(), "40");
}

TEST_F(CourseInstrument, EnterWithoutMatchOrTextKeepsTheChosenVor)
{
    nav().chooseStation("EDDS");
    w->frmVOR->show();
    type(w->tVOR1, "ZZZ", kEnter);
    EXPECT_EQ(nav().instrument().vorName, "EDDS");
    EXPECT_EQ(w->lblResult->text(), "");
    EXPECT_FALSE(shown(w->frmVOR));
    w->frmVOR->show();
    type(w->tVOR1, "", kEnter);
    EXPECT_EQ(nav().instrument().vorName, "EDDS");
    EXPECT_FALSE(shown(w->frmVOR));
}

TEST_F(CourseInstrument, NoWaypointTableDoesNotStopTheInstrument)
{
    tv::MainConnection->Execute(R"(DROP TABLE "Waypoints")");
    setFix(true);
    nav().chooseInstrumentMode(tv::InstrumentMode::Hsi);
    nav().chooseStation("EDDS");
    track(0);
    nav().chooseCourse("0");
    EXPECT_NO_THROW(w->ShowInstrument(0.0f));
    EXPECT_EQ(at(100, 30), tv::kInstrumentYellow);
    // A letter typed into the VOR entry finds nothing; the entry stays open as it is.
    w->show();
    w->activateWindow();
    w->frmVOR->show();
    w->tVOR1->setFocus();
    QApplication::processEvents();
    w->tVOR1->setText("E");
    tvtest::pressKey(w, Qt::Key_E);
    tvtest::releaseKey(w, Qt::Key_E);
    EXPECT_TRUE(shown(w->frmVOR));
    EXPECT_EQ(w->tVOR1->text(), "E");
    EXPECT_EQ(w->lblResult->text(), "");
}
