#include "flight/RouteNav.h"

#include "core/GeoMath.h"
#include "core/Units.h"
#include "map/NumberText.h"

#include <cmath>

namespace tv {
namespace {

constexpr double kDegToRad = kGeoPi / 180.0;

struct Radians
{
    double tgtLat, tgtLong, ownLat, ownLong;
};

Radians toRadians(GeoPos target, GeoPos own)
{
    return {target.latDeg * kDegToRad, target.lonDeg * kDegToRad, own.latDeg * kDegToRad,
            own.lonDeg * kDegToRad};
}

// The guard of the distance formula: same point, or a coordinate that is exactly 0 (the
// position before the first fix).
bool noDistance(const Radians& r)
{
    return (r.ownLat == r.tgtLat && r.ownLong == r.tgtLong) || r.tgtLat == 0.0 ||
           r.tgtLong == 0.0 || r.ownLat == 0.0 || r.ownLong == 0.0;
}

// Central angle between aircraft and target, radians.
double centralAngle(const Radians& r)
{
    const double c = std::sin(r.ownLat) * std::sin(r.tgtLat) +
                     std::cos(r.tgtLat) * std::cos(r.ownLat) * std::cos(r.tgtLong - r.ownLong);
    return Arccos(c);
}

double angleToNm(double d)
{
    return d * 60.0 * 180.0 / kGeoPi;
}

QString twoDigits(long long value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

// --- target figures ------------------------------------------------------------------------

std::optional<double> targetDistanceNm(GeoPos target, GeoPos own)
{
    const Radians r = toRadians(target, own);
    if (noDistance(r))
        return std::nullopt;
    const double dist = angleToNm(centralAngle(r));
    if (!std::isfinite(dist))
        return std::nullopt;
    return dist;
}

std::optional<double> courseToTargetDeg(GeoPos target, GeoPos own)
{
    const Radians r = toRadians(target, own);
    if (noDistance(r))
        return std::nullopt;
    const double d = centralAngle(r);
    if (!(angleToNm(d) >= kMinCourseDistanceNm))
        return std::nullopt;
    double course;
    if (r.ownLong < r.tgtLong) {
        course = Arccos((std::sin(r.tgtLat) - std::sin(r.ownLat) * std::cos(d)) /
                        (std::sin(d) * std::cos(r.ownLat))) *
                 180.0 / kGeoPi;
    } else {
        course = Arccos((std::sin(r.ownLat) - std::sin(r.tgtLat) * std::cos(d)) /
                        (std::sin(d) * std::cos(r.tgtLat))) *
                     180.0 / kGeoPi +
                 180.0;
    }
    if (!std::isfinite(course))
        return std::nullopt;
    return course;
}

bool automaticAdvanceDue(double prevDistanceNm, double distanceNm)
{
    const double diff = prevDistanceNm - distanceNm;
    return distanceNm < kAdvanceRadiusNm && diff > -1.0 && diff < 0.0;
}

double hoursEnRoute(double distanceNm, std::optional<double> groundSpeed, bool speedKts)
{
    const double speed = groundSpeed.value_or(0.0);
    if (!(speed > kMinSpeedForTime))
        return 0.0;
    const double distance = speedKts ? distanceNm : distanceNm * kKmPerNm;
    return distance / speed;
}

QString distanceText(double distanceNm)
{
    return formatNumber(distanceNm, QStringLiteral("###0.0")) + QStringLiteral(" NM");
}

QString courseText(double courseDeg)
{
    return formatNumber(courseDeg, QStringLiteral("##0")) + QStringLiteral(" °");
}

QString timeText(double hours, bool showEte, QTime now)
{
    if (!std::isfinite(hours) || hours < 0.0)
        hours = 0.0;
    const auto h = static_cast<long long>(std::floor(hours));
    const auto m = static_cast<long long>(std::floor((hours - static_cast<double>(h)) * 60.0));
    if (h == 0 && m == 0)
        return QStringLiteral("00:") + formatNumber(hours * 3600.0, QStringLiteral("00"));
    if (showEte)
        return twoDigits(h) + QLatin1Char(':') + twoDigits(m);
    const QTime base = now.isValid() ? now : QTime(0, 0);
    const long long minutesOfDay = (h % 24) * 60 + m;
    const QTime arrival = base.addSecs(static_cast<int>(minutesOfDay * 60));
    return arrival.toString(QStringLiteral("HH:mm"));
}

std::optional<TargetFigures> calcNavToTarget(RouteNavState& state, const TargetInputs& in)
{
    const std::optional<double> dist = targetDistanceNm(in.target, in.own);
    if (!dist)
        return std::nullopt;

    TargetFigures figures;
    figures.distanceNm = *dist;
    const bool sameTarget = state.referenceTarget && *state.referenceTarget == in.key;
    figures.advance =
        !in.directFly && sameTarget && automaticAdvanceDue(state.PrevTargetDistance, *dist);
    figures.distanceText = distanceText(*dist);
    state.PrevTargetDistance = *dist;
    state.referenceTarget = in.key;

    figures.timeText =
        timeText(hoursEnRoute(*dist, in.groundSpeed, in.speedKts), in.showEte, in.now);
    if (const std::optional<double> course = courseToTargetDeg(in.target, in.own))
        figures.courseText = courseText(*course);
    return figures;
}

// --- route figures -------------------------------------------------------------------------

RouteFigures routeFigures(const std::vector<RoutePoint>& points, std::optional<int64_t> targetRowId)
{
    RouteFigures figures;
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        const RoutePoint& a = points[i];
        const RoutePoint& b = points[i + 1];
        if (targetRowId && a.id == *targetRowId)
            figures.restNm = 0.0;
        const GeoPos pa = a.position();
        const GeoPos pb = b.position();
        const double leg = CalcRouteDist(pb.latDeg, pb.lonDeg, pa.latDeg, pa.lonDeg);
        figures.totalNm += leg;
        figures.restNm += leg;
        if (targetRowId && b.id == *targetRowId)
            figures.restNm = 0.0;
    }
    return figures;
}

QString routeLengthText(double totalNm)
{
    return formatNumber(totalNm, QStringLiteral("#####"));
}

QString remainingDistanceText(const RouteFigures& figures, bool fix, double prevTargetNm,
                              bool directFly, const QString& distanceCaption)
{
    if (directFly)
        return distanceCaption;
    const double rest = fix ? figures.restNm + prevTargetNm : figures.restNm;
    return formatNumber(rest, QStringLiteral("###0.0")) + QStringLiteral(" NM");
}

} // namespace tv
