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

// Builds one airspace's strokes apart from the map's, so that an airspace that fails half-way
// leaves nothing behind.
class OutlineBuilder
{
public:
    OutlineBuilder(const OutlineStyle& style, bool edgeColourSwitch, const AirspaceRow& first)
        : style_(style), edgeSwitch_(edgeColourSwitch), type_(first.aspType),
          label_(airspaceLabel(first))
    {
    }

    void walk(const AirspaceRows& rows);
    bool edgeColourSwitch() const { return edgeSwitch_; }
    std::vector<AirspaceStroke>& strokes() { return strokes_; }

private:
    void edge(AirspacePoint a, AirspacePoint b);
    void arc(double centreLatDdmm, double centreLonDdmm, double radiusNm, double startDeg,
             double endDeg, std::string_view direction);
    void segment(AirspacePoint b, AirspacePoint a, uint32_t colour, bool noLabel);
    std::string printedLabel() const { return style_.labels ? label_ : std::string(); }

    const OutlineStyle& style_;
    bool edgeSwitch_;
    std::string type_;
    std::string label_;
    std::vector<AirspaceStroke> strokes_;
};

void OutlineBuilder::edge(AirspacePoint a, AirspacePoint b)
{
    AirspaceStroke s{a, b, edgeSwitch_ ? kAirspaceBlack : kAirspaceRed,
                     MapView::zoomedDrawWidth(kLineBaseWidth, style_.sliderValue), printedLabel()};
    edgeSwitch_ = !edgeSwitch_;
    const int typedWidth = style_.typedEdgesCommonWidth ? kLineBaseWidth : kTypedBaseWidth;
    if (type_ == "A" || type_ == "TMZ" || type_ == "Q") {
        s.colour = type_ == "A"     ? kTrafficCircuitColour
                   : type_ == "TMZ" ? kTmzColour
                                    : kDangerAreaColour;
        s.widthPx = MapView::zoomedDrawWidth(typedWidth, style_.sliderValue);
    }
    strokes_.push_back(std::move(s));
}

void OutlineBuilder::segment(AirspacePoint b, AirspacePoint a, uint32_t colour, bool noLabel)
{
    const bool typed = colour == kTmzColour || colour == kDangerAreaColour;
    strokes_.push_back(
        {b, a, colour,
         MapView::zoomedDrawWidth(typed ? kTypedBaseWidth : kLineBaseWidth, style_.sliderValue),
         noLabel ? std::string() : printedLabel()});
}

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
    // black and red by turns (TMZ and danger areas in their own colour throughout).
    const uint32_t typedColour = type_ == "TMZ" ? kTmzColour : kDangerAreaColour;
    const bool typed = type_ == "TMZ" || type_ == "Q";
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
                segment(slotB, slotA, typed ? typedColour : kAirspaceRed, noLabel);
        } else {
            slotA = p;
            segment(slotB, slotA, typed ? typedColour : kAirspaceBlack, noLabel);
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
    std::optional<AirspacePoint> firstPoint;   // of the row with PNumber 1
    std::optional<AirspacePoint> firstInOrder; // of the first DP or DB row
    auto startOf = [](const AirspaceRow& row) -> std::optional<AirspacePoint> {
        if (row.drawType == "DP")
            return pointDeg(need(row.lat, "Lat"), need(row.lon, "Long"));
        if (row.drawType == "DB")
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
            firstInOrder = startOf(row);
        if (row.drawType == "DC") {
            arc(need(row.lat, "Lat"), need(row.lon, "Long"), need(row.arcRadNm, "arcRad"), 0.0,
                360.0, kCircle);
            ++i;
        } else if (row.drawType == "DB") {
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
        } else if (row.drawType == "DP") {
            const AirspacePoint current = pointDeg(need(row.lat, "Lat"), need(row.lon, "Long"));
            if (numberOne)
                firstPoint = current;
            if (i > 0 && rows[i - 1].drawType == "DB")
                edge(current, arcEnd(rows[i - 1]));
            if (i + 1 >= n) {
                ++i;
            } else if (rows[i + 1].drawType == "DB") {
                ++i;
            } else if (rows[i + 1].drawType == "DP") {
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
    if (last.drawType == "DB")
        edge(arcEnd(last), *closeTo);
    else if (last.drawType == "DP")
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

void appendOutline(const AirspaceRows& rows, const OutlineStyle& style, bool& edgeColourSwitch,
                   std::vector<AirspaceStroke>& out)
{
    if (rows.empty())
        return;
    OutlineBuilder builder(style, edgeColourSwitch, rows.front());
    builder.walk(rows);
    out.insert(out.end(), std::make_move_iterator(builder.strokes().begin()),
               std::make_move_iterator(builder.strokes().end()));
    edgeColourSwitch = builder.edgeColourSwitch();
}

} // namespace tv
