#include "flight/FlightNavigation.h"

#include "core/GeoMath.h"
#include "map/NumberText.h"
#include "platform/Recordset.h"

namespace tv {
namespace {

const QString kNone = QStringLiteral("---");

// The map is redrawn on the first position, then on every 21st.
constexpr int kPositionsPerRedraw = 21;

} // namespace

FlightNavigation::FlightNavigation()
{
    fix_.placeWithoutFix(kStartPosition.latDeg, kStartPosition.lonDeg);
}

bool FlightNavigation::positionArrived()
{
    figuresBlanked_ = false;
    ++refreshCounter_;
    if (refreshCounter_ == 0)
        return true;
    if (refreshCounter_ >= kPositionsPerRedraw) {
        refreshCounter_ = 0;
        return true;
    }
    return false;
}

void FlightNavigation::clearDisplays()
{
    fix_.clearShownValues();
    figures_.distance = kNone;
    figures_.course = kNone;
    figures_.time = kNone;
}

void FlightNavigation::signalLost()
{
    fix_.loseFix();
    figuresBlanked_ = true;
    link_.enterNoSignalMode();
}

void FlightNavigation::gpsSwitchedOn()
{
    fix_.loseFix();
    link_.start();
}

void FlightNavigation::gpsSwitchedOff()
{
    fix_.loseFix();
    link_.off();
}

void FlightNavigation::noDataAtTick()
{
    fix_.loseFix();
    link_.silentAfterTick();
}

void FlightNavigation::pickDirectTarget(GeoPos picked)
{
    DirectTarget target;
    target.latText = formatTargetCoordinate(DegreesToDDMM(picked.latDeg));
    target.lonText = formatTargetCoordinate(DegreesToDDMM(picked.lonDeg));
    const std::optional<double> lat = wholeNumber(target.latText);
    const std::optional<double> lon = wholeNumber(target.lonText);
    if (!lat || !lon)
        return; // a point off any number (not finite): the target stays as it was
    target.latDDMM = *lat;
    target.lonDDMM = *lon;
    direct_ = target;
}

FlightNavigation::StationLookup FlightNavigation::lookUpStation(Connection* main)
{
    StationLookup result;
    if (!route_.pointsOpen() || !hasFix())
        return result;
    if (instrument_.vorName.isEmpty()) {
        instrument_.vorStationKnown = false;
        return result;
    }
    const VorLookupResult found = lookupSelectedVor(main, instrument_.vorName, instrument_);
    instrument_.vorStationKnown = found.waypoint.has_value();
    result.reportMissing = found.reportMissing;
    if (!found.waypoint)
        return result;
    const std::optional<VorNav> toVor = calcNavToVor(
        DDMMToDegrees(found.waypoint->latDDMM), DDMMToDegrees(found.waypoint->longDDMM),
        aircraft().latDeg, aircraft().lonDeg, instrument_.vorBearing);
    if (!toVor)
        return result;
    instrument_.vorDistanceNm = toVor->distanceNm;
    instrument_.vorBearing = toVor->bearingDeg;
    result.distanceText = vorDistanceText(toVor->distanceNm);
    return result;
}

std::optional<FlightNavigation::Target> FlightNavigation::target() const
{
    if (!route_.pointsOpen())
        return std::nullopt;
    Target target;
    if (route_.flyingDirect()) {
        if (!direct_)
            return std::nullopt; // nothing picked yet
        target.position = {DDMMToDegrees(direct_->latDDMM), DDMMToDegrees(direct_->lonDDMM)};
        target.key.direct = true;
    } else {
        // A route chosen without points (or a set beyond its ends) has no target.
        const std::optional<RoutePoint> point = route_.targetPoint();
        if (!point)
            return std::nullopt;
        target.position = point->position();
        target.key.pointRowId = point->id;
    }
    target.key.latDeg = target.position.latDeg;
    target.key.lonDeg = target.position.lonDeg;
    return target;
}

FlightNavigation::TargetUpdate FlightNavigation::updateTarget(const Target& target, QTime now)
{
    if (figuresBlanked_)
        return TargetUpdate::Blanked;
    TargetInputs in;
    in.target = target.position;
    in.own = aircraft();
    in.key = target.key;
    in.directFly = route_.flyingDirect();
    in.groundSpeed = shownSpeed(fix(), units_.speedKts);
    in.speedKts = units_.speedKts;
    in.showEte = units_.showEte;
    in.now = now;
    const std::optional<TargetFigures> computed = calcNavToTarget(targetState_, in);
    if (!computed)
        return TargetUpdate::Unchanged;
    figures_.distance = computed->distanceText;
    figures_.time = computed->timeText;
    if (computed->courseText)
        figures_.course = *computed->courseText;
    return computed->advance ? TargetUpdate::Passed : TargetUpdate::Computed;
}

bool FlightNavigation::updateRouteFigures()
{
    if (!route_.chosenRouteId())
        return false;
    const std::optional<int64_t> targetId = currentPointRowId(route_.pointSet());
    const RouteFigures legs = routeFigures(route_.points(), targetId);
    figures_.routeLength = routeLengthText(legs.totalNm);
    figures_.remaining = remainingDistanceText(legs, hasFix(), targetState_.PrevTargetDistance,
                                               route_.flyingDirect(), figures_.distance);
    return true;
}

void FlightNavigation::fillOverlayInputs(OverlayInputs& in) const
{
    in.routePoints = route_.points();
    in.aircraft = aircraft();
    in.trackDeg = shownTrackDeg(fix());
    in.noFix = !hasFix();
    in.navigating = route_.navigating();
    if (in.navigating) {
        if (const std::optional<Target> t = target())
            in.guideTarget = t->position;
    }
    const Recordset& routes = route_.routeList();
    if (routes.HasCurrentRow())
        in.routeId = routes.Field("RouteID");
    if (route_.hasPoints()) {
        const Recordset& points = route_.pointSet();
        ActivePoint active;
        if (points.HasCurrentRow()) {
            active.name = QString::fromStdString(points.Field("Name").toString());
            const Value id = points.Field("PointID");
            if (id.asNumber())
                active.pointId = id.toInt();
        }
        in.activePoint = active;
    }
    if (route_.flyingDirect() && direct_)
        in.directTarget = {direct_->latDDMM, direct_->lonDDMM};
}

void FlightNavigation::clearTargetFigures()
{
    figures_.distance.clear();
    figures_.course.clear();
    figures_.time.clear();
}

ActiveRoute::Choice FlightNavigation::refillRoutes(Connection& main)
{
    ActiveRoute::Choice choice = route_.refresh(main, routeId_, routeName_);
    routeEntries_ = choice.entries;
    routeId_.reset();
    if (choice.chosen >= 0) {
        const RouteEntry& chosen = routeEntries_[size_t(choice.chosen)];
        routeId_ = chosen.routeId;
        routeName_ = chosen.name;
    } else {
        routeName_.clear();
    }
    return choice;
}

bool FlightNavigation::chooseRoute(Connection& main, int index)
{
    if (index < 0 || size_t(index) >= routeEntries_.size())
        return false;
    const RouteEntry& entry = routeEntries_[size_t(index)];
    if (!route_.choose(main, entry.routeId))
        return false;
    routeId_ = entry.routeId;
    routeName_ = entry.name;
    return true;
}

int FlightNavigation::chosenEntry() const
{
    for (size_t i = 0; routeId_ && i < routeEntries_.size(); ++i)
        if (routeEntries_[i].routeId == *routeId_)
            return static_cast<int>(i);
    return -1;
}

} // namespace tv
