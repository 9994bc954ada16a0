// Keys in the plan window, given as a hand gives them: a press and a release to whatever holds the
// keyboard. Only a press that began in the waypoint list adds the current waypoint to the route;
// Up and Down in the list move it one row per key.
#include "PlanWindowFixture.h"
#include "support/Keyboard.h"

#include <QApplication>
#include <QTableView>

using tvtest::keyboard;
using tvtest::pressKey;
using tvtest::releaseKey;

namespace {

class PlanWindowEnter : public tvtest::PlanWindowTest
{
protected:
    // A route "R" with two points, waypoints A and B, and the window shown on screen.
    tv::frmPlanung& shown()
    {
        addAlps();
        addWaypoint("A", 47.1, 10.1);
        addWaypoint("B", 47.2, 10.2);
        const int64_t r = addRoute("R", 1);
        addPoint(r, 1, "P1", 47.3, 10.3);
        addPoint(r, 2, "P2", 47.4, 10.4);
        tv::frmPlanung& w = open();
        w.show();
        w.activateWindow();
        QApplication::processEvents();
        return w;
    }

    std::string routePoints() { return column("SELECT Name FROM GpsPoints ORDER BY Nummer"); }

    static void enter(QWidget* w)
    {
        pressKey(w, Qt::Key_Return);
        releaseKey(w, Qt::Key_Return);
    }
};

TEST_F(PlanWindowEnter, TheEnterThatClosesAMessageAddsNoRoutePoint)
{
    tv::frmPlanung& w = shown();
    type(w, "X", "abc", "10.5");
    w.tWaypoint[2]->setFocus();
    {
        tvtest::EnterClosesMessages closer(messages);
        enter(w.tWaypoint[2]); // adds: the latitude is refused, Enter closes the message
        releaseKey(&w, Qt::Key_Return);
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QString::fromUtf8("Bitte Nummer für den Breitengrad eingeben"));
    EXPECT_EQ(keyboard(&w), w.gridWaypoints);
    EXPECT_EQ(routePoints(), "P1|P2");
    EXPECT_EQ(column("SELECT COUNT(*) FROM Waypoints"), "2");

    // A fresh Enter in the list adds its current waypoint after the current point.
    enter(w.gridWaypoints);
    EXPECT_EQ(routePoints(), "P1|A|P2");
}

TEST_F(PlanWindowEnter, ConfirmingACellWithEnterStoresItAndAddsNoRoutePoint)
{
    tv::frmPlanung& w = shown();
    const QModelIndex lat = w.waypointsModel()->index(0, 1);
    w.gridWaypoints->setFocus();
    w.gridWaypoints->setCurrentIndex(lat);
    w.gridWaypoints->edit(lat);
    auto* editor = qobject_cast<QLineEdit*>(keyboard(&w));
    ASSERT_NE(editor, nullptr);
    editor->setText("47.25");
    pressKey(&w, Qt::Key_Return);   // the editor takes it
    QApplication::processEvents();  // the cell is stored and the editor closed
    releaseKey(&w, Qt::Key_Return); // reaches the list
    EXPECT_EQ(column("SELECT Lat FROM Waypoints WHERE Name = 'A'"), "47.25");
    EXPECT_EQ(routePoints(), "P1|P2");
    EXPECT_TRUE(messages.empty());
}

TEST_F(PlanWindowEnter, EnterInTheBoxesAddsTheWaypointAndHandsTheKeysToTheList)
{
    tv::frmPlanung& w = shown();
    type(w, "C", "47.3", "10.3");
    for (QLineEdit* box : {w.tWaypoint[1], w.tNS}) {
        box->setFocus();
        enter(box);
        EXPECT_EQ(keyboard(&w), w.gridWaypoints);
    }
    EXPECT_EQ(column("SELECT Name FROM Waypoints ORDER BY Name"), "A|B|C");
    ASSERT_EQ(messages.size(), 1u) << "the second Enter finds C there already";
    EXPECT_EQ(routePoints(), "P1|P2");
}

} // namespace

namespace {

TEST_F(PlanWindowEnter, ARefusedCellKeepsTheKeyboardInTheList)
{
    tv::frmPlanung& w = shown();
    const QModelIndex lat = w.waypointsModel()->index(1, 1);
    w.gridWaypoints->setFocus();
    w.gridWaypoints->setCurrentIndex(lat);
    w.gridWaypoints->edit(lat);
    auto* editor = qobject_cast<QLineEdit*>(keyboard(&w));
    ASSERT_NE(editor, nullptr);
    editor->setText("91");
    {
        tvtest::EnterClosesMessages closer(messages);
        pressKey(&w, Qt::Key_Return);
        QApplication::processEvents(); // the cell is refused, Enter closes the message
        w.activateWindow();
        QApplication::processEvents();
        releaseKey(&w, Qt::Key_Return);
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QString::fromUtf8("Bitte einen Breitengrad bis 90° eingeben"));
    EXPECT_EQ(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "none",
              "gridWaypoints");
    EXPECT_EQ(w.gridWaypoints->currentIndex(), lat);
    EXPECT_EQ(column("SELECT Lat FROM Waypoints WHERE Name = 'B'"), "47.2");
    EXPECT_EQ(routePoints(), "P1|P2");
}

} // namespace

namespace {

TEST_F(PlanWindowEnter, UpAndDownInTheListMoveOneRowPerKey)
{
    addWaypoint("C", 47.3, 10.3);
    addWaypoint("D", 47.4, 10.4);
    tv::frmPlanung& w = shown();
    w.gridWaypoints->setFocus();
    w.gridWaypoints->setCurrentIndex(w.waypointsModel()->index(0, 0));
    QStringList shownNames;
    for (const int key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}) {
        pressKey(&w, key);
        releaseKey(&w, key);
        shownNames << w.tWaypoint[1]->text();
    }
    EXPECT_EQ(shownNames, (QStringList{"B", "C", "D", "C"}));
}

} // namespace
