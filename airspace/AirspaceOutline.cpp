#include "airspace/AirspaceOutline.h"

#include "core/GeoMath.h"
#include "map/MapView.h"
#include "platform/TextTrim.h"
#include "platform/Value.h"

#include <cmath>
#include <string_view>

namespace tv {
namespace {

constexpr int kLineBaseWidth = 7;
constexpr int kTypedBaseWidth = 6; // TMZ and danger-area chords, typed edges on the flight map

std::string limitText(const std::optional<double>& feet)
{
    return feet ? Value(*feet).toString() : std::string();
}

bool isGround(std::string_view lowType)
{
    // The data hold the ground marker as "GND" or " GND": both are the ground.
    return trimBlanks(lowType) == "GND";
}

// The direction the outline walk gives a "DC" row.
constexpr std::string_view kCircle = "Kreis";

double need(const std::optional<double>& value, const char* what)
{
    if (!value || !std::isfinite(*value))
        throw AirspaceDataError(std::string("airspace row without ") + what);
    return *value;
}

AirspacePoint pointDeg(double latDdmm, double lonDdmm)
{
    return {DDMMToDegrees(latDdmm), DDMMToDegrees(lonDdmm)};
}

// Builds one airspace's outline apart from the map's, so that an airspace that fails half-way
// leaves nothing behind.
class OutlineBuilder
{
public:
    void walk(const AirspaceRows& rows);
    std::vector<OutlineLine>& lines() { return lines_; }

private:
    void edge(AirspacePoint a, AirspacePoint b)
    {
        lines_.push_back({a, b, OutlineLine::Kind::Edge, true});
    }
    void arc(double centreLatDdmm, double centreLonDdmm, double radiusNm, double startDeg,
             double endDeg, std::string_view direction);

    std::vector<OutlineLine> lines_;
};

// Points along an arc or circle on the sphere, joined by chords. Bearings are degrees true from
// the centre; one minute of arc is one NM.
void OutlineBuilder::arc(double centreLatDdmm, double centreLonDdmm, double radiusNm,
                         double startDeg, double endDeg, std::string_view direction)
{
    const double r = radiusNm * kGeoPi / 10800.0;
    const double phi1 = DDMMToDegrees(centreLatDdmm) * kGeoPi / 180.0;
    const double lambda1 = DDMMToDegrees(centreLonDdmm) * kGeoPi / 180.0;
    if (!std::isfinite(r) || !std::isfinite(startDeg) || !std::isfinite(endDeg))
        throw AirspaceDataError("arc without a radius or bearing");

    // The first point only fills a slot; every later one draws a chord from the one before,
    // black and red by turns.
    AirspacePoint slotA;
    AirspacePoint slotB;
    bool firstPoint = true;
    bool phaseOne = true;
    auto handOn = [&](double bearingDeg, bool noLabel) {
        const double theta = bearingDeg * kGeoPi / 180.0;
        const double phi2 =
            ASin(std::sin(phi1) * std::cos(r) + std::cos(phi1) * std::sin(r) * std::cos(theta));
        const double dLambda = ASin(std::sin(theta) * std::sin(r) / std::cos(phi2));
        const AirspacePoint p{phi2 * 180.0 / kGeoPi, (lambda1 + dLambda) * 180.0 / kGeoPi};
        if (!std::isfinite(p.latDeg) || !std::isfinite(p.lonDeg))
            throw AirspaceDataError("arc point without a position");
        if (phaseOne) {
            slotB = p;
            if (!firstPoint)
                lines_.push_back({slotB, slotA, OutlineLine::Kind::RedChord, !noLabel});
        } else {
            slotA = p;
            lines_.push_back({slotB, slotA, OutlineLine::Kind::BlackChord, !noLabel});
        }
        firstPoint = false;
        phaseOne = !phaseOne;
    };

    const ArcBearings bearings = arcBearings(startDeg, endDeg, direction, radiusNm);
    for (const double b : bearings.stepped)
        handOn(b, true);
    // Only a circle's closing chord may carry the label.
    if (bearings.closing)
        handOn(*bearings.closing, direction != kCircle);
}

void OutlineBuilder::walk(const AirspaceRows& rows)
{
    // Each row's kind, told once.
    enum class Kind { Point, Arc, Circle, Other };
    std::vector<Kind> kinds;
    kinds.reserve(rows.size());
    for (const AirspaceRow& row : rows) {
        kinds.push_back(row.drawType == "DP"   ? Kind::Point
                        : row.drawType == "DB" ? Kind::Arc
                        : row.drawType == "DC" ? Kind::Circle
                                               : Kind::Other);
    }
    std::optional<AirspacePoint> firstPoint;   // of the row with PNumber 1
    std::optional<AirspacePoint> firstInOrder; // of the first DP or DB row
    auto startOf = [](const AirspaceRow& row, Kind kind) -> std::optional<AirspacePoint> {
        if (kind == Kind::Point)
            return pointDeg(need(row.lat, "Lat"), need(row.lon, "Long"));
        if (kind == Kind::Arc)
            return pointDeg(need(row.arcx1, "Arcx1"), need(row.arcy1, "Arcy1"));
        return std::nullopt;
    };
    auto arcEnd = [](const AirspaceRow& row) {
        return pointDeg(need(row.arcx2, "Arcx2"), need(row.arcy2, "Arcy2"));
    };

    const std::size_t n = rows.size();
    std::size_t i = 0;
    while (i < n) {
        const AirspaceRow& row = rows[i];
        const bool numberOne = row.pNumber && *row.pNumber == 1.0;
        if (!firstInOrder)
            firstInOrder = startOf(row, kinds[i]);
        if (kinds[i] == Kind::Circle) {
            arc(need(row.lat, "Lat"), need(row.lon, "Long"), need(row.arcRadNm, "arcRad"), 0.0,
                360.0, kCircle);
            ++i;
        } else if (kinds[i] == Kind::Arc) {
            const double cLat = need(row.arcLat, "arcLat");
            const double cLon = need(row.arcLong, "arcLong");
            const double x1 = need(row.arcx1, "Arcx1");
            const double y1 = need(row.arcy1, "Arcy1");
            const double x2 = need(row.arcx2, "Arcx2");
            const double y2 = need(row.arcy2, "Arcy2");
            if (numberOne)
                firstPoint = pointDeg(x1, y1);
            arc(cLat, cLon, ArcRadius(cLat, cLon, x1, y1), ArcDimension(cLat, cLon, x1, y1),
                ArcDimension(cLat, cLon, x2, y2), row.arcDir);
            ++i;
        } else if (kinds[i] == Kind::Point) {
            const AirspacePoint current = pointDeg(need(row.lat, "Lat"), need(row.lon, "Long"));
            if (numberOne)
                firstPoint = current;
            if (i > 0 && kinds[i - 1] == Kind::Arc)
                edge(current, arcEnd(rows[i - 1]));
            if (i + 1 >= n) {
                ++i;
            } else if (kinds[i + 1] == Kind::Arc) {
                ++i;
            } else if (kinds[i + 1] == Kind::Point) {
                const AirspaceRow& next = rows[i + 1];
                edge(current, pointDeg(need(next.lat, "Lat"), need(next.lon, "Long")));
                ++i;
            } else {
                // A row of another type right after a polygon point is passed over.
                i += 2;
            }
        } else {
            ++i;
        }
    }
    if (n == 0)
        return;

    // Close the outline back to its first point. Without a PNumber 1 row the outline starts at
    // its first polygon point or arc in PNumber order, never at 0° N 0° E.
    const std::optional<AirspacePoint> closeTo = firstPoint ? firstPoint : firstInOrder;
    const AirspaceRow& last = rows[n - 1];
    if (!closeTo)
        return;
    if (kinds[n - 1] == Kind::Arc)
        edge(arcEnd(last), *closeTo);
    else if (kinds[n - 1] == Kind::Point)
        edge(pointDeg(need(last.lat, "Lat"), need(last.lon, "Long")), *closeTo);
}

} // namespace

ArcBearings arcBearings(double startDeg, double endDeg, std::string_view direction, double radiusNm)
{
    double step = 10.0;
    if (direction == "+") {
        if (startDeg > endDeg)
            endDeg += 360.0;
    } else if (direction == "-") {
        step = -10.0;
        if (endDeg > startDeg)
            startDeg += 360.0;
    } else if (direction == kCircle) {
        step = radiusNm <= 4.0 ? 30.0 : radiusNm <= 10.0 ? 15.0 : 5.0;
    }
    ArcBearings out;
    // Bearings come as 0..360 (one turn added at most); anything else has no arc to step.
    if (!std::isfinite(startDeg) || !std::isfinite(endDeg) || std::fabs(endDeg - startDeg) > 720.0)
        return out;
    // A counted loop with a floating-point counter, as the bearings were always stepped.
    double b = startDeg;
    for (; step > 0.0 ? b <= endDeg : b >= endDeg; b += step)
        out.stepped.push_back(b);
    if (b != endDeg)
        out.closing = endDeg;
    return out;
}

std::string airspaceLabel(const AirspaceRow& first)
{
    if (first.aspType == "A")
        return {};
    std::string low = limitText(first.lowFt);
    std::string high = limitText(first.highFt);
    if (isGround(first.lowType))
        low = "GND";
    else if (first.lowType == "FL")
        low = "FL " + (first.lowFt ? Value(*first.lowFt / 100.0).toString() : std::string());
    if (first.highType == "FL")
        high = "FL " + (first.highFt ? Value(*first.highFt / 100.0).toString() : std::string());
    return " " + first.aspType + " " + low + " - " + high + " ";
}

AirspaceOutline airspaceOutline(const AirspaceRows& rows)
{
    AirspaceOutline outline;
    if (rows.empty())
        return outline;
    OutlineBuilder builder;
    builder.walk(rows);
    outline.lines = std::move(builder.lines());
    outline.lines.shrink_to_fit();
    const std::string& type = rows.front().aspType;
    outline.type = type == "A"     ? AirspaceOutline::Type::TrafficCircuit
                   : type == "TMZ" ? AirspaceOutline::Type::Tmz
                   : type == "Q"   ? AirspaceOutline::Type::DangerArea
                                   : AirspaceOutline::Type::Other;
    outline.label = airspaceLabel(rows.front());
    return outline;
}

void appendStrokes(const AirspaceOutline& outline, const OutlineStyle& style,
                   bool& edgeColourSwitch, std::vector<AirspaceStroke>& out)
{
    using Kind = OutlineLine::Kind;
    using Type = AirspaceOutline::Type;
    const int lineWidth = MapView::zoomedDrawWidth(kLineBaseWidth, style.sliderValue);
    const int typedWidth = MapView::zoomedDrawWidth(kTypedBaseWidth, style.sliderValue);
    // Traffic circuits, TMZ and danger areas: edges in their own colour; chords of the latter
    // two as well, one pixel narrower on every map.
    const bool typedEdges = outline.type != Type::Other;
    const bool typedChords = outline.type == Type::Tmz || outline.type == Type::DangerArea;
    const uint32_t typedColour = outline.type == Type::TrafficCircuit ? kTrafficCircuitColour
                                 : outline.type == Type::Tmz          ? kTmzColour
                                                                      : kDangerAreaColour;
    const int typedEdgeWidth = style.typedEdgesCommonWidth ? lineWidth : typedWidth;
    static const std::string kNoLabel;
    const std::string& label = style.labels ? outline.label : kNoLabel;
    for (const OutlineLine& line : outline.lines) {
        AirspaceStroke s{line.from, line.to, kAirspaceBlack, lineWidth,
                         line.labelled ? label : kNoLabel};
        if (line.kind == Kind::Edge) {
            s.colour = edgeColourSwitch ? kAirspaceBlack : kAirspaceRed;
            edgeColourSwitch = !edgeColourSwitch;
            if (typedEdges) {
                s.colour = typedColour;
                s.widthPx = typedEdgeWidth;
            }
        } else if (typedChords) {
            s.colour = typedColour;
            s.widthPx = typedWidth;
        } else {
            s.colour = line.kind == Kind::BlackChord ? kAirspaceBlack : kAirspaceRed;
        }
        out.push_back(std::move(s));
    }
}

void appendOutline(const AirspaceRows& rows, const OutlineStyle& style, bool& edgeColourSwitch,
                   std::vector<AirspaceStroke>& out)
{
    appendStrokes(airspaceOutline(rows), style, edgeColourSwitch, out);
}

} // namespace tv
