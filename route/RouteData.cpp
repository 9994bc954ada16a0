#include "route/RouteData.h"

#include "core/GeoMath.h"
#include "map/Drawing.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"

namespace tv {
namespace {

// The one place of the route list's and a route's points' SELECT: every window and file
// export reads routes through the functions below.
constexpr const char* kRoutesSql = "SELECT * From Route Order by NUMMER ASC";
// The route key is a bound parameter.
constexpr const char* kRoutePointsSql =
    "SELECT * From GpsPoints WHERE RouteID = ? ORDER BY Nummer ASC";

} // namespace

std::optional<int64_t> currentKey(const Recordset& set, const char* field)
{
    if (!set.HasCurrentRow())
        return std::nullopt;
    const Value v = set.Field(field);
    if (v.isNull())
        return std::nullopt;
    return v.toInt();
}

GeoPos RoutePoint::position() const
{
    return {DDMMToDegrees(latDdmm), DDMMToDegrees(longDdmm)};
}

// --- route data ----------------------------------------------------------------------------

void openRouteList(Recordset& routes, Connection& connection)
{
    routes.Close();
    routes.Open(kRoutesSql, connection);
}

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

std::vector<RouteEntry> routeEntries(Recordset& routes)
{
    std::vector<RouteEntry> entries;
    if (routes.State() != Recordset::kStateOpen || routes.RecordCount() == 0)
        return entries;
    const bool hadRow = routes.HasCurrentRow();
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
    const bool hadRow = routes.HasCurrentRow();
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
    return currentKey(routes, "RouteID");
}

std::optional<int64_t> currentPointRowId(const Recordset& points)
{
    return currentKey(points, "id");
}

// --- stepping along the route --------------------------------------------------------------

StepResult stepToNextPoint(Recordset& points)
{
    if (!points.HasCurrentRow())
        return StepResult::NoRow;
    if (points.AbsolutePosition() >= points.RecordCount())
        return StepResult::AtLastEnd;
    points.MoveNext();
    return StepResult::Moved;
}

StepResult stepToPreviousPoint(Recordset& points)
{
    if (!points.HasCurrentRow())
        return StepResult::NoRow;
    if (points.AbsolutePosition() <= 1)
        return StepResult::AtFirst;
    points.MovePrevious();
    return StepResult::Moved;
}

// --- drawing -------------------------------------------------------------------------------

bool drawRouteLeg(Drawing& surface, const MapView& view, GeoPos p1, GeoPos p2, uint32_t colour)
{
    const std::optional<QPointF> a = view.positionToView(p1);
    const std::optional<QPointF> b = view.positionToView(p2);
    if (!a || !b)
        return false;
    surface.setDrawWidth(view.zoomedDrawWidth(kRouteLegBaseWidth));
    surface.Line(b->x(), b->y(), a->x(), a->y(), colour);
    surface.setDrawWidth(1);
    return true;
}

void drawRouteLine(Drawing& surface, const MapView& view, const std::vector<RoutePoint>& points)
{
    for (size_t i = 0; i + 1 < points.size(); ++i)
        drawRouteLeg(surface, view, points[i].position(), points[i + 1].position(),
                     kRouteLineColour);
}

} // namespace tv
