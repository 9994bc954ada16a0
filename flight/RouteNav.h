#pragma once

// Navigation to one target at a time (the current point of the chosen route, or a point picked
// on the map for a direct flight): distance, course, time en route, the automatic step to the
// next route point, and the route figures (whole length, distance still to fly).
//
// Positions are decimal degrees (south and west negative) unless a name says DD.MM; stored
// route points are DD.MM (48.3012 = 48°30.12'). Distances are nautical miles, courses degrees
// true 0..360. Colours are 0x00BBGGRR.

#include "map/MapView.h"
#include "route/RouteData.h"

#include <QString>
#include <QTime>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tv {

class Connection;
class DrawSurface;
class Recordset;

inline constexpr uint32_t kGuideLineColour = 0xFF0000; // blue: from the target to the aircraft

// What the navigation steers to, so that a distance is only ever compared with an earlier
// distance to the same target.
struct TargetKey
{
    bool direct = false;    // a picked direct-flight target, else a route point
    int64_t pointRowId = 0; // GpsPoints.id of the route point
    double latDeg = 0.0;
    double lonDeg = 0.0;

    bool operator==(const TargetKey&) const = default;
};

// Target navigation state. Lives as long as the flight window; nothing of it is saved.
struct RouteNavState
{
    // Distance to the target at the previous computation, NM; 0 when the window is created.
    // The remaining-distance figure adds it while there is a fix.
    double PrevTargetDistance = 0.0;
    // The target PrevTargetDistance was measured to. Empty at first and after a reset: the next
    // computation then only takes a new reference and never steps on.
    std::optional<TargetKey> referenceTarget;
};

// --- target figures ------------------------------------------------------------------------

// The automatic step to the next route point: within 5 NM the distance has grown since the
// last computation, by less than 1 NM (the point has just been passed).
inline constexpr double kAdvanceRadiusNm = 5.0;
// Below this distance the course to the target is not computed afresh: a few metres apart the
// direction is noise (and at zero the formula divides by zero). The last course stays shown.
inline constexpr double kMinCourseDistanceNm = 0.005;
// Ground speeds at or below this (in the unit shown) give no time en route.
inline constexpr double kMinSpeedForTime = 10.0;

// Great-circle distance from the aircraft to the target; empty when both are the same point or
// any coordinate is exactly 0 (no position yet): the figures then stay as they are.
std::optional<double> targetDistanceNm(GeoPos target, GeoPos own);

// True course from the aircraft to the target (east of the aircraft: the initial course; else
// the course from the target back to the aircraft plus 180). Empty when the points are closer
// than kMinCourseDistanceNm or the formula gives no number.
std::optional<double> courseToTargetDeg(GeoPos target, GeoPos own);

bool automaticAdvanceDue(double prevDistanceNm, double distanceNm);

// Hours to fly `distanceNm` at the ground speed as the speed display shows it (see
// shownSpeed: whole knots or km/h as `speedKts` says; empty while it shows "---", read as 0);
// 0 at 10 or less.
double hoursEnRoute(double distanceNm, std::optional<double> groundSpeed, bool speedKts);

// "12.3 NM" (always nautical miles).
QString distanceText(double distanceNm);
// "274 °"
QString courseText(double courseDeg);
// The time label: under one minute "00:" and the seconds ("00:36"; "00:00" without a usable
// speed); otherwise the time en route "hh:mm" (`showEte`) or the arrival clock time `now` +
// the time en route (24-hour clock, "00:30" past midnight). A time en route of a day or more
// shows its whole hours ("27:15"); its arrival time is still a clock time.
QString timeText(double hours, bool showEte, QTime now);

struct TargetInputs
{
    GeoPos target;
    GeoPos own;
    TargetKey key;
    bool directFly = false;            // no automatic advance in direct flight
    std::optional<double> groundSpeed; // as the speed display shows it; empty: "---"
    bool speedKts = true;              // the ground speed is in knots, else km/h
    bool showEte = true;               // time en route, else arrival clock time
    QTime now;
};

struct TargetFigures
{
    double distanceNm = 0.0;
    bool advance = false; // step to the next route point before showing these figures
    QString distanceText;
    QString timeText;
    std::optional<QString> courseText; // empty: the course label keeps its text
};

// One computation of the target figures. Empty when the guard of targetDistanceNm applies
// (nothing changes, the state neither). Otherwise the state takes the new distance as its
// reference for this target; the advance is only due against a reference to the same target.
std::optional<TargetFigures> calcNavToTarget(RouteNavState& state, const TargetInputs& in);

// --- route figures -------------------------------------------------------------------------

struct RouteFigures
{
    double totalNm = 0.0; // sum of all legs
    double restNm = 0.0;  // legs from the target point to the last point (total when the
                          // target is not among the points)
};
RouteFigures routeFigures(const std::vector<RoutePoint>& points,
                          std::optional<int64_t> targetRowId);

// Whole NM without a unit, "" for 0.
QString routeLengthText(double totalNm);
// The remaining-distance label: in direct flight the distance label's text; otherwise the rest
// of the route, plus the distance to the target while there is a fix.
QString remainingDistanceText(const RouteFigures& figures, bool fix, double prevTargetNm,
                              bool directFly, const QString& distanceCaption);

} // namespace tv
