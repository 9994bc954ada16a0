#include "planning/PlanMap.h"

#include "core/GeoMath.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/Log.h"
#include "platform/Recordset.h"

#include <QPainter>
#include <QPen>

#include <cmath>
#include <map>

namespace tv {

namespace {

constexpr double kTwipsPerPixel = 15.0;
constexpr uint32_t kBlankMap = 0xFFC0C0; // designed back colour of the map

bool finite(double v)
{
    return std::isfinite(v);
}

} // namespace

PlanMessage mapErrorMessage(const QString& chartName, int16_t language)
{
    if (language == 0)
        return {QStringLiteral("Fehler in Karte: ") + chartName +
                    QStringLiteral(" - Bitte Koordinaten üperprüfen."),
                QStringLiteral("Fehler in Karte")};
    return {QStringLiteral("Map error: ") + chartName +
                QStringLiteral(" - please check coordinates."),
            QStringLiteral("Map error")};
}

Measurement measure(DDMMPoint waypoint, DDMMPoint cursor)
{
    Measurement m;
    m.distanceNm = ArcRadius(waypoint.lat, waypoint.lon, cursor.lat, cursor.lon);
    m.courseDeg = ArcDimension(waypoint.lat, waypoint.lon, cursor.lat, cursor.lon);
    if (!finite(m.distanceNm))
        m.distanceNm = 0.0;
    if (!finite(m.courseDeg))
        m.courseDeg = 0.0;
    return m;
}

PlanMap::PlanMap(DrawSurface* external)
    : view_(MapViewConstants::planWindow()), own_(509, 430, kBlankMap), external_(external)
{
    view_.setViewSize(surface().ScaleWidth(), surface().ScaleHeight());
}

void PlanMap::resize(int widthPx, int heightPx)
{
    surface().resize(widthPx, heightPx);
    surfaceResized();
}

void PlanMap::surfaceResized()
{
    view_.setViewSize(surface().ScaleWidth(), surface().ScaleHeight());
    if (chartShown_)
        view_.fitToView();
}

bool PlanMap::loadChart(const ChartRow& row, const QImage& picture)
{
    chartShown_ = false;
    // A picture that cannot be read is a chart error: its edges must never be drawn over the
    // previous chart's picture.
    if (picture.isNull() || view_.loadChart(row, picture) != MapView::LoadResult::Loaded ||
        !(view_.scaleX() > 0.0) || !(view_.scaleY() > 0.0) || !finite(view_.scaleX()) ||
        !finite(view_.scaleY())) {
        surface().Cls();
        return false;
    }
    chartShown_ = true;
    setZoom(0);
    return true;
}

void PlanMap::clearChart()
{
    chartShown_ = false;
    lastRedraw_ = QImage();
    paintedChart_ = QImage();
    surface().Cls();
}

void PlanMap::setZoom(int sliderValue)
{
    view_.setSliderValue(sliderValue);
    view_.applyZoom();
}

int PlanMap::sliderValueFromClickPx(double xPixels) const
{
    return view_.sliderValueFromClick(xPixels * kTwipsPerPixel);
}

std::optional<DDMMPoint> PlanMap::positionAt(double x, double y) const
{
    if (!chartShown_)
        return std::nullopt;
    const std::optional<GeoPos> pos = view_.viewToPosition(QPointF(x, y));
    if (!pos || !finite(pos->latDeg) || !finite(pos->lonDeg))
        return std::nullopt;
    return DDMMPoint{DegreesToDDMM(pos->latDeg), DegreesToDDMM(pos->lonDeg)};
}

std::optional<QPointF> PlanMap::pointOf(double latDDMM, double lonDDMM) const
{
    if (!finite(latDDMM) || !finite(lonDDMM))
        return std::nullopt;
    return view_.positionToView(GeoPos{DDMMToDegrees(latDDMM), DDMMToDegrees(lonDDMM)});
}

std::optional<PlanMap::ViewBox> PlanMap::viewBox() const
{
    const std::optional<DDMMPoint> topLeft = positionAt(0, 0);
    const std::optional<DDMMPoint> bottomRight =
        positionAt(surface().ScaleWidth(), surface().ScaleHeight());
    if (!topLeft || !bottomRight)
        return std::nullopt;
    return ViewBox{topLeft->lat, topLeft->lon, bottomRight->lat, bottomRight->lon};
}

void PlanMap::centreOn(DDMMPoint position)
{
    if (!chartShown_)
        return;
    if (const std::optional<QPointF> p = pointOf(position.lat, position.lon))
        view_.centreOn(p->x(), p->y());
}

std::optional<double> PlanMap::RedrawMap(const Layers& layers)
{
    if (!chartShown_) {
        surface().Cls();
        return std::nullopt;
    }
    paintChart();
    // The airspace layer draws right after the chart.
    if (layers.airspaces)
        layers.airspaces();
    std::optional<double> length;
    if (layers.route)
        length = drawRoute(*layers.route);
    drawWaypoints(layers);
    lastRedraw_ = surface().image();
    return length;
}

PlanMap::ChartPaint PlanMap::chartPaintKey() const
{
    const DrawSurface& s = surface();
    return {view_.storage().cacheKey(),
            view_.sourceX(),
            view_.sourceY(),
            view_.sourceWidth(),
            view_.sourceHeight(),
            s.widthPx(),
            s.heightPx(),
            s.ScaleLeft(),
            s.ScaleTop(),
            s.ScaleWidth(),
            s.ScaleHeight(),
            s.BackColor()};
}

void PlanMap::paintChart()
{
    DrawSurface& s = surface();
    const ChartPaint key = chartPaintKey();
    if (!paintedChart_.isNull() && key == paintedKey_ && paintedChart_.size() == s.image().size() &&
        paintedChart_.format() == s.image().format()) {
        // The same picture, part and surface: the scaled chart is copied, not scaled again.
        s.PaintPicture(paintedChart_, s.ScaleLeft(), s.ScaleTop(), s.ScaleWidth(), s.ScaleHeight(),
                       0, 0, paintedChart_.width(), paintedChart_.height());
        return;
    }
    view_.paint(s);
    paintedKey_ = key;
    paintedChart_ = s.image().copy();
}

double PlanMap::drawRoute(const std::vector<PlanRoutePoint>& route)
{
    double total = 0.0;
    const int width = view_.zoomedDrawWidth(6);
    for (size_t k = 0; k + 1 < route.size(); ++k) {
        const PlanRoutePoint& a = route[k];
        const PlanRoutePoint& b = route[k + 1];
        // A point without a position draws no leg and adds nothing.
        if (!a.latDDMM || !a.lonDDMM || !b.latDDMM || !b.lonDDMM)
            continue;
        const double lat1 = DDMMToDegrees(*a.latDDMM), lon1 = DDMMToDegrees(*a.lonDDMM);
        const double lat2 = DDMMToDegrees(*b.latDDMM), lon2 = DDMMToDegrees(*b.lonDDMM);
        const std::optional<QPointF> p1 = view_.positionToView(GeoPos{lat1, lon1});
        const std::optional<QPointF> p2 = view_.positionToView(GeoPos{lat2, lon2});
        if (p1 && p2) {
            surface().setDrawWidth(width);
            surface().Line(p2->x(), p2->y(), p1->x(), p1->y(), kPlanRouteColour);
            surface().setDrawWidth(1);
        }
        const double leg = CalcRouteDist(lat2, lon2, lat1, lon1);
        if (finite(leg))
            total += leg;
    }
    return total;
}

void PlanMap::drawWaypoints(const Layers& layers)
{
    if (!layers.waypoints)
        return;
    const std::optional<ViewBox> box = viewBox();
    if (!box)
        return;
    std::vector<Symbol> symbols;
    try {
        Recordset rs;
        rs.Open("SELECT PointID, Name, Lat, Long FROM Waypoints "
                "WHERE Lat BETWEEN ? AND ? AND Long BETWEEN ? AND ?",
                *layers.waypoints, {box->latS, box->latN, box->lonW, box->lonE});
        symbols.reserve(static_cast<size_t>(rs.RecordCount()));
        std::vector<QString> fourLetterNames;
        for (; !rs.Eof(); rs.MoveNext()) {
            const Value lat = rs.Field(2);
            const Value lon = rs.Field(3);
            if (lat.isNull() || lon.isNull())
                continue;
            const std::optional<QPointF> at = pointOf(lat.toDouble(), lon.toDouble());
            if (!at)
                continue;
            const bool current =
                layers.currentPointId && rs.Field(0).toInt() == *layers.currentPointId;
            symbols.push_back({*at, current ? PlanSymbol::Current : PlanSymbol::Other,
                               QString::fromStdString(rs.Field(1).toString())});
            if (symbols.back().name.size() == 4)
                fourLetterNames.push_back(symbols.back().name);
        }
        if (layers.airports) {
            airports_.prefetch(*layers.airports, fourLetterNames);
            for (Symbol& sym : symbols) {
                if (sym.name.size() == 4)
                    sym.airport = airports_.find(sym.name);
            }
        }
    } catch (const DbError& e) {
        logIgnoredFault(e, "a redraw ends quietly; the symbols read so far are drawn");
    }
    drawSymbols(symbols);
}

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

void PlanMap::drawSymbols(const std::vector<Symbol>& symbols)
{
    DrawSurface& s = surface();
    std::vector<QPoint> rings;
    std::vector<std::pair<QPointF, QString>> labels;
    for (const Symbol& sym : symbols) {
        if (!sym.airport)
            continue;
        rings.push_back(stampAt(sym.at, kAirportCentre));
        labels.emplace_back(QPointF(sym.at.x() + 10, sym.at.y() - 7),
                            QStringLiteral(" ") + sym.name + QStringLiteral(" "));
    }
    s.Stamp(airportSprite(), rings);
    s.setDrawWidth(6);
    for (const Symbol& sym : symbols) {
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
        for (const Symbol& sym : symbols) {
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

void PlanMap::DrawWaypoint(double latDDMM, double lonDDMM, PlanSymbol kind, const QString& name,
                           const AirportInfo* airport)
{
    if (kind != PlanSymbol::Current && kind != PlanSymbol::Other && kind != PlanSymbol::MapPoint)
        return;
    const std::optional<QPointF> at = pointOf(latDDMM, lonDDMM);
    if (!at)
        return;
    drawSymbols({Symbol{*at, kind, name, airport}});
}

bool PlanMap::restoreLastRedraw()
{
    DrawSurface& s = surface();
    if (!chartShown_ || lastRedraw_.isNull() || lastRedraw_.width() != s.widthPx() ||
        lastRedraw_.height() != s.heightPx())
        return false;
    s.PaintPicture(lastRedraw_, s.ScaleLeft(), s.ScaleTop(), s.ScaleWidth(), s.ScaleHeight(), 0, 0,
                   lastRedraw_.width(), lastRedraw_.height());
    return true;
}

void PlanMap::DrawMeasureLine(DDMMPoint waypoint, DDMMPoint cursor)
{
    const std::optional<QPointF> from = pointOf(cursor.lat, cursor.lon);
    const std::optional<QPointF> to = pointOf(waypoint.lat, waypoint.lon);
    if (!from || !to)
        return;
    // The pen a waypoint symbol leaves: black, three pixels.
    surface().setDrawWidth(3);
    surface().Circle(from->x(), from->y(), 1, 0x000000);
    surface().Line(from->x(), from->y(), to->x(), to->y(), 0x000000);
}

} // namespace tv
