#include "flight/RouteNav.h"

#include "core/GeoMath.h"
#include "map/DrawSurface.h"
#include "map/NumberText.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"

#include <cmath>

namespace tv {
namespace {

constexpr double kDegToRad = kGeoPi / 180.0;
constexpr double kKmPerNm = 1.852;

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

std::optional<int64_t> integerField(const Recordset& set, const char* field)
{
    if (set.State() != Recordset::kStateOpen || set.Bof() || set.Eof())
        return std::nullopt;
    const Value v = set.Field(field);
    if (v.isNull())
        return std::nullopt;
    return v.toInt();
}

} // namespace

GeoPos RoutePoint::position() const
{
    return {DDMMToDegrees(latDdmm), DDMMToDegrees(longDdmm)};
}

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

double hoursEnRoute(double distanceNm, const QString& speedCaption, bool speedKts)
{
    const double speed = leadingNumber(speedCaption);
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
        timeText(hoursEnRoute(*dist, in.speedCaption, in.speedKts), in.showEte, in.now);
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

// --- direct-flight target ------------------------------------------------------------------

std::optional<GeoPos> directTargetFromCaptions(const QString& latCaption,
                                               const QString& longCaption)
{
    if (latCaption.isEmpty())
        return std::nullopt;
    const std::optional<double> lat = wholeNumber(latCaption);
    const std::optional<double> lon = wholeNumber(longCaption);
    if (!lat || !lon)
        return std::nullopt;
    return GeoPos{DDMMToDegrees(*lat), DDMMToDegrees(*lon)};
}

// --- route data ----------------------------------------------------------------------------

void openRoutePoints(Recordset& points, Connection& connection, int64_t routeId)
{
    points.Close();
    points.Open(kRoutePointsSql, connection, {Value(routeId)});
}

RoutePoint routePointFromRow(const Recordset& points)
{
    RoutePoint p;
    p.id = points.Field("id").toInt();
    p.pointId = points.Field("PointID").toInt();
    p.name = QString::fromStdString(points.Field("Name").toString());
    p.latDdmm = points.Field("Lat").toDouble();
    p.longDdmm = points.Field("Long").toDouble();
    return p;
}

std::vector<RoutePoint> loadRoutePoints(Connection& connection, int64_t routeId)
{
    Recordset set;
    openRoutePoints(set, connection, routeId);
    std::vector<RoutePoint> points;
    points.reserve(static_cast<size_t>(set.RecordCount()));
    for (set.MoveFirst(); !set.Eof(); set.MoveNext())
        points.push_back(routePointFromRow(set));
    return points;
}

std::vector<RouteEntry> routeEntries(Recordset& routes)
{
    std::vector<RouteEntry> entries;
    if (routes.State() != Recordset::kStateOpen || routes.RecordCount() == 0)
        return entries;
    const bool hadRow = !routes.Bof() && !routes.Eof();
    const Recordset::BookmarkId mark = hadRow ? routes.Bookmark() : 0;
    for (routes.MoveFirst(); !routes.Eof(); routes.MoveNext())
        entries.push_back({routes.Field("RouteID").toInt(),
                           QString::fromStdString(routes.Field("Name").toString())});
    if (hadRow)
        routes.SetBookmark(mark);
    else
        routes.MoveFirst();
    return entries;
}

bool selectRoute(Recordset& routes, int64_t routeId)
{
    if (routes.State() != Recordset::kStateOpen || routes.RecordCount() == 0)
        return false;
    const bool hadRow = !routes.Bof() && !routes.Eof();
    const Recordset::BookmarkId mark = hadRow ? routes.Bookmark() : 0;
    routes.MoveFirst();
    routes.Find("RouteID", CompareOp::Equal, Value(routeId));
    if (!routes.Eof())
        return true;
    if (hadRow)
        routes.SetBookmark(mark);
    else
        routes.MoveFirst();
    return false;
}

std::optional<int64_t> currentRouteId(const Recordset& routes)
{
    return integerField(routes, "RouteID");
}

std::optional<int64_t> currentPointRowId(const Recordset& points)
{
    return integerField(points, "id");
}

// --- stepping along the route --------------------------------------------------------------

StepResult stepToNextPoint(Recordset& points)
{
    if (points.State() != Recordset::kStateOpen || points.Bof() || points.Eof())
        return StepResult::NoRow;
    if (points.AbsolutePosition() >= points.RecordCount())
        return StepResult::AtLastEnd;
    points.MoveNext();
    return StepResult::Moved;
}

StepResult stepToPreviousPoint(Recordset& points)
{
    if (points.State() != Recordset::kStateOpen || points.Bof() || points.Eof())
        return StepResult::NoRow;
    if (points.AbsolutePosition() <= 1)
        return StepResult::AtFirst;
    points.MovePrevious();
    return StepResult::Moved;
}

// --- drawing -------------------------------------------------------------------------------

bool drawRouteLeg(DrawSurface& picMap, const MapView& view, GeoPos p1, GeoPos p2, uint32_t colour)
{
    const std::optional<QPointF> a = view.positionToView(p1);
    const std::optional<QPointF> b = view.positionToView(p2);
    if (!a || !b)
        return false;
    picMap.setDrawWidth(view.zoomedDrawWidth(kRouteLegBaseWidth));
    picMap.Line(b->x(), b->y(), a->x(), a->y(), colour);
    picMap.setDrawWidth(1);
    return true;
}

void drawRouteLine(DrawSurface& picMap, const MapView& view, const std::vector<RoutePoint>& points)
{
    for (size_t i = 0; i + 1 < points.size(); ++i)
        drawRouteLeg(picMap, view, points[i].position(), points[i + 1].position(),
                     kRouteLineColour);
}

} // namespace tv
