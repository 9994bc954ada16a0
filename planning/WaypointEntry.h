#pragma once

// The waypoint entry boxes of the plan window and their checks, without the window: name,
// latitude and longitude magnitudes in DD.MM, and the hemisphere letters "N"/"S" and "E"/"W".
// A coordinate is stored signed (south and west negative); the boxes show its magnitude beside
// its letter, and every operation that takes a position from the boxes joins the two again.

#include "core/NumberFormat.h"
#include "planning/PlanText.h"
#include "platform/DbError.h"
#include "platform/Value.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace tv {

// A message box text with its title, chosen by the window's language.
struct PlanMessage
{
    QString text;
    QString title;
};

enum class WaypointEdit { Add, Change };

struct WaypointBoxes
{
    QString name;
    QString lat; // magnitude, DD.MM
    QString lon; // magnitude, DD.MM
    QString ns = QStringLiteral("N");
    QString ew = QStringLiteral("E");
};

// A waypoint as the boxes describe it, signed DD.MM.
struct WaypointEntry
{
    QString name;
    double latDDMM = 0.0;
    double lonDDMM = 0.0;
};

struct WaypointCheck
{
    std::optional<WaypointEntry> entry; // set when every check passed
    std::optional<PlanMessage> message; // the first check that failed
};

// The checks of adding and changing, in this order: a name (not blank, and no longer than the
// data file holds: core/NameLength.h); a latitude that reads as a number (readStrictNumber) and
// lies within 90°; a longitude that reads as a number and lies within 180° (DD.MM magnitudes,
// so 90.00 and 180.00 are the limits; minutes of 60 or more within them are refused as such:
// 48.75 is 48°75', no position; see IsDDMMWithin). The first failure gives its
// message ("Datenfehler" / "Data error"); German asks for the "Waypoint" name when adding and
// for the "Wegpunkt" name when changing, as the program always has.
WaypointCheck checkWaypointBoxes(const WaypointBoxes& boxes, WaypointEdit edit, int16_t language);

// "The waypoint already exists..." for a name the list already holds.
PlanMessage duplicateWaypointMessage(int16_t language);

// The signed position in the boxes, when both magnitudes read as numbers; empty otherwise
// (empty boxes: nothing to centre on or to measure from).
struct DDMMPoint
{
    double lat = 0.0;
    double lon = 0.0;
};
std::optional<DDMMPoint> boxesPosition(const WaypointBoxes& boxes);

// The boxes for a stored waypoint: magnitudes rounded to four decimals without trailing zeros,
// letters from the signs (a latitude of -12.34567 gives "12.3457" and "S").
WaypointBoxes boxesForWaypoint(const QString& name, double latDDMM, double lonDDMM,
                               NumberStyle style = userNumberStyle());

// A point taken from the map by double click: the name is emptied, the magnitudes and letters
// of the cursor position are written, so a point south or west keeps its hemisphere.
void takeMapPoint(WaypointBoxes& boxes, double latDDMM, double lonDDMM,
                  NumberStyle style = userNumberStyle());

// A click on the hemisphere boxes: "N" becomes "S" and anything else "N"; "W" becomes "E" and
// anything else "W".
QString toggledNorthSouth(const QString& letter);
QString toggledEastWest(const QString& letter);

// A grid cell of the waypoint list typed by the user, checked as the boxes are: a name must
// not be blank nor too long, Lat and Long must be numbers within 90° and 180° with minutes
// below 60 (signed, as the grid shows them). The value to store, or the message of the box that
// the cell stands for.
struct CellCheck
{
    std::optional<Value> value;
    std::optional<PlanMessage> message;
};
CellCheck checkWaypointCell(const QString& field, const QString& text, int16_t language);

// A read or write of data.tvd failed ("Datenfehler" / "Data error"): the window's first
// sentence says what failed, then after a blank line the file and the reason
// (core/DataFileFault.h), so the pilot can tell what to fix.
PlanMessage waypointNotStoredMessage(const DbError& error, int16_t language);
PlanMessage waypointNotDeletedMessage(const DbError& error, int16_t language);
PlanMessage routeChangeNotStoredMessage(const DbError& error, int16_t language);
// The waypoint list could not be read: it shows the rows last read.
PlanMessage waypointsNotReadMessage(const DbError& error, int16_t language);
// The route lists could not be read again: they show the rows last read.
PlanMessage routesNotReadMessage(const DbError& error, int16_t language);
// A route picked in the route grid could not be read: `kept` stays shown ("" for none).
PlanMessage pickedRouteNotReadMessage(const QString& kept, const DbError& error, int16_t language);
// Change was pressed while the boxes hold another waypoint than the list's current one.
PlanMessage boxesShowAnotherWaypointMessage(int16_t language);

} // namespace tv
