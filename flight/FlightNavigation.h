#pragma once

// What the flight window navigates by, each value held once:
//   - the GPS fix: where the aircraft is (PosLat, PosLong) and whether the receiver reports a
//     fix (NoFix is !hasFix()), built from the interpreter's events;
//   - the unit switches of the displays and the map's redraw rhythm on positions;
//   - the GPS switch with its no-signal watchdog;
//   - the route being flown with its target point, or the direct-flight target picked on the
//     map; the course instrument's station and course;
//   - the figures of the navigation to the target and along the route, as they are shown.
// The window shows this state and reads none of it back from a caption or a picture.
//
// Positions are decimal degrees (south and west negative) unless a name says DD.MM
// (48.3012 = 48°30.12'); distances nautical miles; courses degrees true.

#include "flight/GpsDisplay.h"
#include "flight/GpsLink.h"
#include "flight/Instruments.h"
#include "flight/MapOverlay.h"
#include "flight/RouteNav.h"
#include "gps/GpsFix.h"
#include "map/MapView.h"
#include "route/ActiveRoute.h"

#include <QString>
#include <QTime>

#include <optional>

namespace tv {

class Connection;

// The navigation figures as their labels show them.
struct NavFigures
{
    QString distance;    // distance to the target: "12.3 NM"
    QString course;      // true bearing to the target: "274 °"
    QString time;        // time en route or arrival clock time
    QString remaining;   // distance still to fly
    QString routeLength; // whole NM of the chosen route, "" for 0
};

class FlightNavigation
{
public:
    // Where the map opens before any position: 49°00' N 9°00' E.
    static constexpr GeoPos kStartPosition{49.0, 9.0};

    FlightNavigation();

    // ------------------------------------------------------------ the fix
    // The interpreter's events go here first: the fix is brought up to date, then each event
    // is passed on (GpsFixBuilder::setNext), so that the handlers see the fix after it.
    GpsFixBuilder& fixEvents() { return fix_; }
    const GpsFix& fix() const { return fix_.fix(); }
    GeoPos aircraft() const { return {fix().latDeg, fix().lonDeg}; }
    bool hasFix() const { return fix().valid; }

    // The unit switches: a click on the speed, altitude or time display switches its unit
    // (knots / km/h, feet / metres, time en route / arrival clock time).
    const UnitSwitches& units() const { return units_; }
    void toggleSpeedUnit() { units_.speedKts = !units_.speedKts; }
    void toggleAltitudeUnit() { units_.altFeet = !units_.altFeet; }
    void toggleTimeShown() { units_.showEte = !units_.showEte; }

    // A position with a fix arrived. True when the map is to be redrawn now: on the first
    // position after the window was made, then on every 21st. It also ends the blanking of
    // the target figures that the no-signal mode began.
    bool positionArrived();
    // -1 until the first position, then 0..20 (PositionRefreshCounter).
    int positionRefreshCounter() const { return refreshCounter_; }

    // The displays were cleared to "---" (ClearInstruments): speed, track and altitude are
    // gone until their next sentence, and so are distance, course and time.
    void clearDisplays();
    // The no-signal mode began: no fix, and the target figures stay "---" until a new
    // position arrives instead of being worked out from the last one as if it were current.
    void signalLost();

    // ------------------------------------------------------------ the GPS switch
    // The GPS pictures, the check after a start and the no-signal mode.
    const GpsLink& link() const { return link_; }
    void gpsDataArrived() { link_.dataArrived(); }
    void receiverFoundFix() { link_.fixObtained(); }
    void receiverLostFix() { link_.fixLost(); }
    // A tick of the check timer: what the check decides now.
    GpsLink::Tick checkTick() { return link_.tick(); }
    // The GPS is switched on (the check begins) or off, or a tick of the watchdog found no
    // data: in each case there is no fix until the receiver reports one.
    void gpsSwitchedOn();
    void gpsSwitchedOff();
    void noDataAtTick();

    // ------------------------------------------------------------ route and direct flight
    // GotoActive, DirectFly, the chosen route and its current point (the target point), as
    // the window shows them (route box, grid, switches).
    const ActiveRoute& route() const { return route_; }
    // The point set the waypoint grid shows: the row the pilot moves to becomes the target.
    Recordset& gridPoints() { return route_.gridPoints(); }
    // The route list, opened when the window loads. Throws DbError.
    void openRouteList(Connection& main) { route_.openList(main); }
    // What the pilot does with the route (ActiveRoute): GOTO on and off, the next and the
    // previous point, direct flight on and off; after a refill the target point shown before.
    bool startNavigation() { return route_.startNavigation(); }
    void stopNavigation() { route_.stopNavigation(); }
    StepResult nextPoint() { return route_.advance(); }
    StepResult previousPoint() { return route_.back(); }
    void startDirectFlight() { route_.startDirectFlight(); }
    void stopDirectFlight() { route_.stopDirectFlight(); }
    void restoreTarget(int64_t pointId) { route_.restoreTarget(pointId); }
    // The route the window shows: its name from kartendaten.crm at start, then the route
    // chosen (name and key); a refill of the route list chooses it again, by its key once
    // there is one, else by its name.
    const QString& routeName() const { return routeName_; }
    void rememberRouteName(const QString& name) { routeName_ = name; }
    // The route box: the routes in list order, as the last refill read them.
    const std::vector<RouteEntry>& routeEntries() const { return routeEntries_; }
    // Re-reads the route list and chooses the route shown again (ActiveRoute::refresh).
    // Throws DbError.
    ActiveRoute::Choice refillRoutes(Connection& main);
    // The pilot picked entry `index` of the route box: that route and its points are chosen.
    // False (nothing changed) when there is no such entry or the route is gone. Throws DbError;
    // then the route chosen before stays chosen, points and all.
    bool chooseRoute(Connection& main, int index);
    // The entry of the route box that is the chosen route; -1 for none.
    int chosenEntry() const;

    // The direct-flight target as its labels show it: DD.MM with three decimals.
    struct DirectTarget
    {
        QString latText;
        QString lonText;
        double latDDMM = 0.0;
        double lonDDMM = 0.0;
    };
    // Empty until the first pick; a later pick replaces it, stopping the direct flight keeps it.
    const std::optional<DirectTarget>& directTarget() const { return direct_; }
    // A right click on the map picked `picked`. It is kept as the labels show it, so that the
    // navigation steers to the point the pilot reads.
    void pickDirectTarget(GeoPos picked);

    // ------------------------------------------------------------ the course instrument
    // Mode, course and station of the instrument (VOR.crm) and what the last lookup found.
    const InstrumentState& instrument() const { return instrument_; }
    // The pilot switches the instrument's mode, types a course, or picks a station.
    void chooseInstrumentMode(InstrumentMode mode) { instrument_.mode = mode; }
    void chooseCourse(const QString& course) { instrument_.course = course; }
    void chooseStation(const QString& name) { instrument_.vorName = name; }
    // Mode, station and course as VOR.crm keeps them; false (nothing changed) when unreadable.
    bool loadInstrument(const std::filesystem::path& path)
    {
        return loadInstrumentFile(path, instrument_);
    }
    // The instrument's station looked up in the waypoint table (LookupVOR): only with an open
    // point set, a fix and a chosen name. A name that is not in the table is reported once
    // (reportMissing); a station found gives bearing and distance from the aircraft (the
    // distance as its display shows it), which keep their values when they cannot be worked
    // out. A closed connection or an unreadable table finds nothing and reports nothing.
    struct StationLookup
    {
        bool reportMissing = false;
        std::optional<QString> distanceText;
    };
    StationLookup lookUpStation(Connection* main);

    // ------------------------------------------------------------ navigation figures
    struct Target
    {
        GeoPos position;
        TargetKey key;
    };
    // What the navigation steers to: the picked point in a direct flight, else the route's
    // current point. Empty when no point set is open, nothing is picked yet, or no point is
    // current.
    std::optional<Target> target() const;

    enum class TargetUpdate {
        Blanked,   // the no-signal mode blanked the figures: nothing is worked out
        Unchanged, // same point as the aircraft, or no position yet: the figures stay
        Computed,  // distance, time and (when it has a direction) course are new
        Passed,    // as Computed, and the route point has just been passed: step to the next
                   // point before showing them (they still refer to the point just passed)
    };
    // Works out distance, course and time from the aircraft to `target` (PrevTargetDistance
    // is kept for the automatic step on along the route). `now` is the clock time the arrival
    // time is counted from.
    TargetUpdate updateTarget(const Target& target, QTime now);
    // Distance at the last computation, NM, to whichever target it was (PrevTargetDistance).
    double previousTargetDistance() const { return targetState_.PrevTargetDistance; }

    // The route figures of the chosen route (its points as the grid shows them): its length,
    // and the distance still to fly (the legs after the target point, plus the distance to
    // the target while there is a fix; in a direct flight the distance to the picked target).
    // False when no route is chosen: the figures stay.
    bool updateRouteFigures();

    // Starting or stopping a direct flight empties distance, course and time.
    void clearTargetFigures();

    const NavFigures& figures() const { return figures_; }

    // What the map overlay takes from the navigation: the aircraft with its track and fix, the
    // chosen route's points (as the grid shows them) with its target point, whether a target
    // is navigated to and where the guide line runs to, the direct-flight target while a
    // direct flight is on. Nothing of it is read from a data file.
    void fillOverlayInputs(OverlayInputs& in) const;

private:
    UnitSwitches units_;
    GpsLink link_;
    InstrumentState instrument_;
    ActiveRoute route_;
    QString routeName_;
    std::optional<int64_t> routeId_;
    std::vector<RouteEntry> routeEntries_;
    GpsFixBuilder fix_;
    int refreshCounter_ = -1;
    bool figuresBlanked_ = false;
    std::optional<DirectTarget> direct_;
    RouteNavState targetState_;
    NavFigures figures_;
};

} // namespace tv
