#include "planning/PlanMapLayers.h"

#include "core/GeoMath.h"
#include "map/DrawSurface.h"
#include "map/MapView.h"
#include "planning/WaypointEntry.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/Log.h"
#include "platform/Recordset.h"
#include "route/RouteData.h"

#include <QPainter>
#include <QPen>

#include <cmath>
#include <map>

namespace tv {

namespace {

bool finite(double v)
{
    return std::isfinite(v);
}

std::optional<DDMMPoint> positionAt(const MapView& view, double x, double y)
{
    const std::optional<GeoPos> pos = view.viewToPosition(QPointF(x, y));
    if (!pos || !finite(pos->latDeg) || !finite(pos->lonDeg))
        return std::nullopt;
    return DDMMPoint{DegreesToDDMM(pos->latDeg), DegreesToDDMM(pos->lonDeg)};
}

std::optional<QPointF> pointOf(const MapView& view, double latDDMM, double lonDDMM)
{
    if (!finite(latDDMM) || !finite(lonDDMM))
        return std::nullopt;
    return view.positionToView(GeoPos{DDMMToDegrees(latDDMM), DDMMToDegrees(lonDDMM)});
}

} // namespace

std::optional<PlanViewBox> planViewBox(const DrawSurface& surface, const MapView& view)
{
    const std::optional<DDMMPoint> topLeft = positionAt(view, 0, 0);
    const std::optional<DDMMPoint> bottomRight =
        positionAt(view, surface.ScaleWidth(), surface.ScaleHeight());
    if (!topLeft || !bottomRight)
        return std::nullopt;
    return PlanViewBox{topLeft->lat, topLeft->lon, bottomRight->lat, bottomRight->lon};
}

// ------------------------------------------------------------------------------ route

std::vector<PlanRoutePoint> planRoutePoints(Recordset& rs)
{
    const auto number = [](const Value& v) { return v.isNull() ? std::nullopt : v.asNumber(); };
    const int latField = rs.FieldIndex("Lat");
    const int longField = rs.FieldIndex("Long");
    std::vector<PlanRoutePoint> points;
    points.reserve(static_cast<size_t>(rs.RecordCount()));
    for (; !rs.Eof(); rs.MoveNext())
        points.push_back({number(rs.Field(latField)), number(rs.Field(longField))});
    return points;
}

double planRouteLengthNm(const std::vector<PlanRoutePoint>& route)
{
    double total = 0.0;
    for (size_t k = 0; k + 1 < route.size(); ++k) {
        const PlanRoutePoint& a = route[k];
        const PlanRoutePoint& b = route[k + 1];
        // A point without a position adds nothing.
        if (!a.latDDMM || !a.lonDDMM || !b.latDDMM || !b.lonDDMM)
            continue;
        const double leg = CalcRouteDist(DDMMToDegrees(*b.latDDMM), DDMMToDegrees(*b.lonDDMM),
                                         DDMMToDegrees(*a.latDDMM), DDMMToDegrees(*a.lonDDMM));
        if (finite(leg))
            total += leg;
    }
    return total;
}

void PlanRouteLayer::prepare(std::optional<Inputs> inputs)
{
    in_ = inputs;
    route_.clear();
    lengthNm_.reset();
    if (!in_)
        return;
    route_ = std::move(in_->points);
    lengthNm_ = planRouteLengthNm(route_);
}

void PlanRouteLayer::draw(DrawSurface& surface, MapView& view)
{
    const int width = view.zoomedDrawWidth(6);
    for (size_t k = 0; k + 1 < route_.size(); ++k) {
        const PlanRoutePoint& a = route_[k];
        const PlanRoutePoint& b = route_[k + 1];
        // A point without a position draws no leg.
        if (!a.latDDMM || !a.lonDDMM || !b.latDDMM || !b.lonDDMM)
            continue;
        const std::optional<QPointF> p1 =
            view.positionToView(GeoPos{DDMMToDegrees(*a.latDDMM), DDMMToDegrees(*a.lonDDMM)});
        const std::optional<QPointF> p2 =
            view.positionToView(GeoPos{DDMMToDegrees(*b.latDDMM), DDMMToDegrees(*b.lonDDMM)});
        if (p1 && p2) {
            surface.setDrawWidth(width);
            surface.Line(p2->x(), p2->y(), p1->x(), p1->y(), kPlanRouteColour);
            surface.setDrawWidth(1);
        }
    }
}

// ------------------------------------------------------------------------------ waypoints

void PlanWaypointLayer::draw(DrawSurface& surface, MapView& view)
{
    if (!in_.waypoints)
        return;
    const std::optional<PlanViewBox> box = planViewBox(surface, view);
    if (!box)
        return;
    try {
        Recordset rs;
        rs.Open("SELECT PointID, Name, Lat, Long FROM Waypoints "
                "WHERE Lat BETWEEN ? AND ? AND Long BETWEEN ? AND ?",
                *in_.waypoints, {box->latS, box->latN, box->lonW, box->lonE});
        std::vector<Waypoint> read;
        read.reserve(static_cast<size_t>(rs.RecordCount()));
        for (; !rs.Eof(); rs.MoveNext()) {
            const Value lat = rs.Field(2);
            const Value lon = rs.Field(3);
            if (!lat.isNull() && !lon.isNull())
                read.push_back({rs.Field(0).toInt(), QString::fromStdString(rs.Field(1).toString()),
                                lat.toDouble(), lon.toDouble()});
        }
        lastRead_ = std::move(read);
    } catch (const DbError& e) {
        logIgnoredFault(e, "the waypoints read last are drawn");
    }
    std::vector<PlanMapSymbol> symbols;
    symbols.reserve(lastRead_.size());
    std::vector<QString> fourLetterNames;
    for (const Waypoint& w : lastRead_) {
        const std::optional<QPointF> at = pointOf(view, w.latDDMM, w.lonDDMM);
        if (!at)
            continue;
        const bool current = in_.currentPointId && w.pointId == *in_.currentPointId;
        symbols.push_back({*at, current ? PlanSymbol::Current : PlanSymbol::Other, w.name});
        if (w.name.size() == 4)
            fourLetterNames.push_back(w.name);
    }
    if (in_.airports) {
        try {
            airports.prefetch(*in_.airports, fourLetterNames);
        } catch (const DbError& e) {
            logIgnoredFault(e, "the airports looked up before get their rings");
        }
        for (PlanMapSymbol& sym : symbols) {
            if (sym.name.size() == 4)
                sym.airport = airports.find(sym.name);
        }
    }
    drawPlanSymbols(surface, symbols);
}

// ------------------------------------------------------------------------------ symbols

namespace {

// Symbols keep their size in map pixels at every zoom, so each is drawn once into a small
// transparent picture and stamped where it belongs. The picture's centre is (c, c): 8 for the
// waypoint symbol (outer edge 7.5 pixels from the centre), 14 for the airport ring (13).
constexpr int kWaypointCentre = 8;
constexpr int kAirportCentre = 14;

QImage sprite(int c)
{
    QImage image(2 * c + 1, 2 * c + 1, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void ring(QImage& image, double radius, int width, uint32_t colour)
{
    const double c = image.width() / 2;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(vbColor(colour));
    pen.setWidth(width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(c, c), radius, radius);
}

// The waypoint symbol: a ring of radius 4 in the kind's colour (5 pixels wide) inside a black
// ring of radius 6 (3 pixels wide).
const QImage& waypointSprite(uint32_t colour)
{
    static std::map<uint32_t, QImage> made;
    auto it = made.find(colour);
    if (it == made.end()) {
        QImage image = sprite(kWaypointCentre);
        ring(image, 4, 5, colour);
        ring(image, 6, 3, 0x000000);
        it = made.emplace(colour, image).first;
    }
    return it->second;
}

// The airport ring: navy, radius 10, 6 pixels wide.
const QImage& airportSprite()
{
    static const QImage image = [] {
        QImage i = sprite(kAirportCentre);
        ring(i, 10, 6, kAirportRingColour);
        return i;
    }();
    return image;
}

QPoint stampAt(QPointF centre, int c)
{
    return {static_cast<int>(std::lround(centre.x())) - c,
            static_cast<int>(std::lround(centre.y())) - c};
}

uint32_t kindColour(PlanSymbol kind)
{
    switch (kind) {
    case PlanSymbol::Current:
        return kCurrentWaypointColour;
    case PlanSymbol::Other:
        return kOtherWaypointColour;
    case PlanSymbol::MapPoint:
        return kMapPointColour;
    }
    return 0;
}

} // namespace

void drawPlanSymbols(DrawSurface& s, const std::vector<PlanMapSymbol>& symbols)
{
    std::vector<QPoint> rings;
    std::vector<std::pair<QPointF, QString>> labels;
    for (const PlanMapSymbol& sym : symbols) {
        if (!sym.airport)
            continue;
        rings.push_back(stampAt(sym.at, kAirportCentre));
        labels.emplace_back(QPointF(sym.at.x() + 10, sym.at.y() - 7),
                            QStringLiteral(" ") + sym.name + QStringLiteral(" "));
    }
    s.Stamp(airportSprite(), rings);
    s.setDrawWidth(6);
    for (const PlanMapSymbol& sym : symbols) {
        if (!sym.airport || !sym.airport->headingDeg)
            continue;
        // The runway bar: 20 pixels through the airport along its heading, 0 pointing up.
        const double h = *sym.airport->headingDeg * kGeoPi / 180.0;
        const double x = std::lround(sym.at.x()), y = std::lround(sym.at.y());
        s.Line(x + 10 * std::sin(h), y - 10 * std::cos(h), x - 10 * std::sin(h),
               y + 10 * std::cos(h), sym.airport->runwayColour);
    }
    for (const PlanSymbol kind : {PlanSymbol::Other, PlanSymbol::Current, PlanSymbol::MapPoint}) {
        std::vector<QPoint> at;
        for (const PlanMapSymbol& sym : symbols) {
            if (sym.kind != kind)
                continue;
            at.push_back(stampAt(sym.at, kWaypointCentre));
            if (kind != PlanSymbol::MapPoint)
                labels.emplace_back(QPointF(sym.at.x() + 10, sym.at.y() - 8),
                                    QStringLiteral(" ") + sym.name + QStringLiteral(" "));
        }
        s.Stamp(waypointSprite(kindColour(kind)), at);
    }
    // The pen the symbols leave: black, three pixels.
    s.setForeColor(0x000000);
    s.setDrawWidth(3);
    s.PrintLabels(labels);
}

} // namespace tv
