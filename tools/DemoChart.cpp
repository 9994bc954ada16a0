#include "tools/DemoChart.h"

#include "core/GeoMath.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>

#include <cmath>
#include <cstdint>
#include <vector>

namespace tv::demo {
namespace {

struct GeoPoint
{
    double latDeg;
    double lonDeg;
};

// Rivers and the motorway as polylines, decimal degrees; ends may lie beyond the chart.
const std::vector<std::vector<GeoPoint>>& rivers()
{
    static const std::vector<std::vector<GeoPoint>> lines{
        // Danube, west to east
        {{48.02, 9.05},
         {48.09, 9.22},
         {48.15, 9.47},
         {48.28, 9.72},
         {48.40, 9.99},
         {48.45, 10.28},
         {48.58, 10.49},
         {48.72, 10.78},
         {48.73, 11.10}},
        // Neckar, south to north
        {{48.40, 8.90},
         {48.48, 8.93},
         {48.52, 9.06},
         {48.63, 9.34},
         {48.71, 9.42},
         {48.74, 9.30},
         {48.80, 9.22},
         {48.90, 9.19},
         {49.05, 9.15}},
        // Iller, into the Danube at Ulm
        {{47.95, 10.12}, {48.10, 10.08}, {48.25, 10.03}, {48.39, 9.99}},
        // Lech, through Augsburg
        {{47.95, 10.86}, {48.15, 10.87}, {48.37, 10.91}, {48.55, 10.90}, {48.70, 10.92}},
    };
    return lines;
}

const std::vector<GeoPoint>& motorway()
{
    static const std::vector<GeoPoint> line{{48.85, 8.95},  {48.72, 9.25},  {48.62, 9.55},
                                            {48.50, 9.80},  {48.44, 9.97},  {48.42, 10.30},
                                            {48.40, 10.60}, {48.40, 10.87}, {48.35, 11.10}};
    return line;
}

struct Town
{
    const char* name;
    double latDeg;
    double lonDeg;
    int radiusPx;
};

// Towns that are not waypoints; the waypoints of category "Orte" are drawn as towns too.
const std::vector<Town>& extraTowns()
{
    static const std::vector<Town> towns{
        {"Stuttgart", 48.78, 9.18, 34},   {"Augsburg", 48.37, 10.90, 28},
        {"Ludwigsburg", 48.90, 9.19, 18}, {"Esslingen", 48.74, 9.31, 18},
        {"Tübingen", 48.52, 9.06, 18},    {"Schwäbisch Gmünd", 48.80, 9.80, 16},
        {"Heidenheim", 48.68, 10.15, 16}, {"Ehingen", 48.28, 9.72, 12},
        {"Krumbach", 48.24, 10.36, 12},
    };
    return towns;
}

QPolygonF toPixels(const DemoChart& chart, const std::vector<GeoPoint>& line)
{
    QPolygonF poly;
    for (const GeoPoint& p : line)
        poly << chartPixel(chart, p.latDeg, p.lonDeg);
    return poly;
}

// A small deterministic generator (the standard distributions differ between libraries, and
// the chart should look the same wherever it is drawn).
class Lcg
{
public:
    explicit Lcg(uint32_t seed) : state_(seed) {}
    // 0 <= value < 1
    double next()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 24);
    }
    double between(double low, double high) { return low + (high - low) * next(); }

private:
    uint32_t state_;
};

void drawLandscape(QPainter& p, const DemoChart& chart)
{
    const QColor forest(150, 192, 132);
    const QColor field(236, 226, 168);
    const QColor meadow(204, 224, 162);
    Lcg random(1948);
    p.setPen(Qt::NoPen);
    const int patches = chart.widthPx * chart.heightPx / 28000;
    for (int i = 0; i < patches; ++i) {
        const double cx = random.between(0, chart.widthPx);
        const double cy = random.between(0, chart.heightPx);
        const double radius = random.between(30, 140);
        const double kind = random.next();
        p.setBrush(kind < 0.4 ? forest : kind < 0.75 ? field : meadow);
        QPolygonF patch;
        const int corners = 7;
        for (int k = 0; k < corners; ++k) {
            const double angle = 2.0 * M_PI * k / corners;
            const double r = radius * random.between(0.55, 1.0);
            patch << QPointF(cx + r * std::cos(angle), cy + r * std::sin(angle));
        }
        p.drawPolygon(patch);
    }

    // Lakes
    p.setBrush(QColor(150, 190, 232));
    p.setPen(QPen(QColor(70, 130, 200), 3));
    const GeoPoint lakes[] = {{48.16, 9.62}, {48.62, 10.62}, {48.88, 10.05}};
    for (const GeoPoint& lake : lakes) {
        const QPointF c = chartPixel(chart, lake.latDeg, lake.lonDeg);
        p.drawEllipse(c, 45.0, 28.0);
    }
}

void drawLines(QPainter& p, const DemoChart& chart)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(70, 130, 200), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const auto& river : rivers())
        p.drawPolyline(toPixels(chart, river));

    const QPolygonF road = toPixels(chart, motorway());
    p.setPen(QPen(QColor(150, 40, 30), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(road);
    p.setPen(QPen(QColor(240, 200, 80), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(road);
}

void drawLabel(QPainter& p, QPointF at, const QString& text, const QFont& font,
               const QColor& colour)
{
    p.setFont(font);
    // A pale halo keeps the label readable over any field.
    p.setPen(QColor(255, 255, 245));
    for (int dx = -2; dx <= 2; dx += 2)
        for (int dy = -2; dy <= 2; dy += 2)
            p.drawText(at + QPointF(dx, dy), text);
    p.setPen(colour);
    p.drawText(at, text);
}

void drawTownsAndAirfields(QPainter& p, const DemoChart& chart, bool withText)
{
    QFont townFont("DejaVu Sans");
    townFont.setPixelSize(30);
    townFont.setBold(true);

    // Towns that are waypoints get no label of their own: the map prints the waypoint names.
    auto town = [&](const QString& name, double latDeg, double lonDeg, int radius) {
        const QPointF c = chartPixel(chart, latDeg, lonDeg);
        p.setPen(QPen(QColor(90, 60, 30), 3));
        p.setBrush(QColor(240, 170, 60));
        p.drawEllipse(c, radius, radius);
        if (withText && !name.isEmpty())
            drawLabel(p, c + QPointF(radius + 8, -radius - 4), name, townFont, QColor(60, 40, 20));
    };
    for (const Town& t : extraTowns())
        town(QString::fromUtf8(t.name), t.latDeg, t.lonDeg, t.radiusPx);
    for (const DemoWaypoint& w : demoWaypoints()) {
        if (w.category == "Orte")
            town(QString(), DDMMToDegrees(w.latDDMM), DDMMToDegrees(w.lonDDMM), 14);
    }

    // Airfields as the chart prints them: a magenta ring with the main runway across it (the
    // map prints their codes).
    const QColor magenta(170, 40, 150);
    for (const DemoAirport& a : demoAirports()) {
        const QPointF c = chartPixel(chart, a.latDeg, a.lonDeg);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(magenta, 6));
        p.drawEllipse(c, 26.0, 26.0);
        if (!a.runways.empty()) {
            const double hdg = std::stod(a.runways.front().heading) * M_PI / 180.0;
            const QPointF half(36.0 * std::sin(hdg), -36.0 * std::cos(hdg));
            p.setPen(QPen(magenta, 9, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(c - half, c + half);
        }
    }
}

QString degreesMinutes(int totalMinutes, char hemisphere)
{
    return QString("%1°%2' %3")
        .arg(totalMinutes / 60)
        .arg(totalMinutes % 60, 2, 10, QChar('0'))
        .arg(QChar(hemisphere));
}

void drawGrid(QPainter& p, const DemoChart& chart, bool withText)
{
    const int southMin = static_cast<int>(std::lround(DDMMToDegrees(chart.untenDDMM) * 60));
    const int northMin = static_cast<int>(std::lround(DDMMToDegrees(chart.obenDDMM) * 60));
    const int westMin = static_cast<int>(std::lround(DDMMToDegrees(chart.linksDDMM) * 60));
    const int eastMin = static_cast<int>(std::lround(DDMMToDegrees(chart.rechtsDDMM) * 60));
    const int stepMin = 10;
    QFont font("DejaVu Sans");
    font.setPixelSize(26);
    QFont degreeFont = font;
    degreeFont.setPixelSize(34);
    degreeFont.setBold(true);
    const QColor ink(40, 40, 60);

    auto penFor = [&](int minutes) {
        return minutes % 60 == 0 ? QPen(ink, 4) : QPen(QColor(70, 70, 90, 170), 2);
    };
    for (int m = southMin; m <= northMin; m += stepMin) {
        const double y = chartPixel(chart, m / 60.0, 0.0).y();
        p.setPen(penFor(m));
        p.drawLine(QPointF(0, y), QPointF(chart.widthPx, y));
    }
    for (int m = westMin; m <= eastMin; m += stepMin) {
        const double x = chartPixel(chart, 0.0, m / 60.0).x();
        p.setPen(penFor(m));
        p.drawLine(QPointF(x, 0), QPointF(x, chart.heightPx));
    }
    if (!withText)
        return;
    // Latitudes along the left and right edges, longitudes along the top and bottom edges
    // (the lines on the chart's own edges go unlabelled: their labels would run into each
    // other in the corners), and the crossing of every half degree labelled inside the chart.
    for (int m = southMin + stepMin; m < northMin; m += stepMin) {
        const double y = chartPixel(chart, m / 60.0, 0.0).y();
        const QFont& f = m % 60 == 0 ? degreeFont : font;
        const QString text = degreesMinutes(m, m >= 0 ? 'N' : 'S');
        drawLabel(p, QPointF(8, y - 8), text, f, ink);
        drawLabel(p, QPointF(chart.widthPx - 190, y - 8), text, f, ink);
    }
    for (int m = westMin + stepMin; m < eastMin; m += stepMin) {
        const double x = chartPixel(chart, 0.0, m / 60.0).x();
        const QFont& f = m % 60 == 0 ? degreeFont : font;
        const QString text = degreesMinutes(m, m >= 0 ? 'E' : 'W');
        drawLabel(p, QPointF(x + 8, 40), text, f, ink);
        drawLabel(p, QPointF(x + 8, chart.heightPx - 14), text, f, ink);
    }
    for (int lat = southMin; lat <= northMin; lat += 30) {
        for (int lon = westMin; lon <= eastMin; lon += 30) {
            const QPointF c = chartPixel(chart, lat / 60.0, lon / 60.0);
            if (c.x() < 200 || c.y() < 100 || c.x() > chart.widthPx - 300 ||
                c.y() > chart.heightPx - 100)
                continue;
            drawLabel(p, c + QPointF(10, -10),
                      degreesMinutes(lat, 'N') + "  " + degreesMinutes(lon, 'E'), font, ink);
        }
    }
}

void drawTitleAndScale(QPainter& p, const DemoChart& chart)
{
    QFont title("DejaVu Sans");
    title.setPixelSize(40);
    title.setBold(true);
    QFont small("DejaVu Sans");
    small.setPixelSize(26);

    const QRectF box(chart.widthPx * 0.33, 80, 900, 190);
    p.setPen(QPen(QColor(40, 40, 60), 3));
    p.setBrush(QColor(255, 255, 250, 235));
    p.drawRect(box);
    p.setPen(QColor(40, 40, 60));
    p.setFont(title);
    p.drawText(box.topLeft() + QPointF(24, 60), "Tramvik GPS  Demokarte");
    p.setFont(small);
    p.drawText(box.topLeft() + QPointF(24, 110),
               QString::fromUtf8("48°00'-49°00' N, 9°00'-11°00' E"));
    p.setPen(QColor(180, 30, 30));
    p.drawText(box.topLeft() + QPointF(24, 160), "Nicht zur Navigation - not for navigation");

    // 10 NM along the parallel at the bar's latitude.
    const double barLatDeg = DDMMToDegrees(chart.untenDDMM) + 0.1;
    const double degPerTenNm = 10.0 / (60.0 * std::cos(barLatDeg * M_PI / 180.0));
    const double west = DDMMToDegrees(chart.linksDDMM) + 0.15;
    const QPointF a = chartPixel(chart, barLatDeg, west);
    const QPointF b = chartPixel(chart, barLatDeg, west + degPerTenNm);
    const QPointF mid = chartPixel(chart, barLatDeg, west + degPerTenNm / 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 250));
    p.drawRect(QRectF(a.x() - 20, a.y() - 70, b.x() - a.x() + 160, 110));
    p.setBrush(QColor(30, 30, 40));
    p.drawRect(QRectF(a.x(), a.y(), mid.x() - a.x(), 16));
    p.setPen(QPen(QColor(30, 30, 40), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(a.x(), a.y(), b.x() - a.x(), 16));
    p.setFont(small);
    p.drawText(a + QPointF(-8, -14), "0");
    p.drawText(mid + QPointF(-8, -14), "5");
    p.drawText(b + QPointF(-14, -14), "10 NM");
}

} // namespace

QPointF chartPixel(const DemoChart& chart, double latDeg, double lonDeg)
{
    const double south = DDMMToDegrees(chart.untenDDMM);
    const double north = DDMMToDegrees(chart.obenDDMM);
    const double west = DDMMToDegrees(chart.linksDDMM);
    const double east = DDMMToDegrees(chart.rechtsDDMM);
    return {(lonDeg - west) / (east - west) * chart.widthPx,
            (north - latDeg) / (north - south) * chart.heightPx};
}

QImage drawDemoChart(const DemoChart& chart)
{
    QImage image(chart.widthPx, chart.heightPx, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(QColor(243, 239, 223));
    // Fonts come with a QGuiApplication; without one QPainter cannot draw text.
    const bool withText = QGuiApplication::instance() != nullptr;

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    drawLandscape(p, chart);
    drawLines(p, chart);
    drawGrid(p, chart, withText);
    drawTownsAndAirfields(p, chart, withText);
    if (withText)
        drawTitleAndScale(p, chart);
    p.end();
    return image;
}

} // namespace tv::demo
