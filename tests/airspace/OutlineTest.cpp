// The outline of one airspace as strokes: circles and arcs with their steps, polygon edges
// drawn once each, the closing edge, labels, colours and widths on both maps.

#include "airspace/AirspaceLayer.h"
#include "airspace/AirspaceOutline.h"
#include "core/GeoMath.h"

#include <gtest/gtest.h>

#include <cmath>

namespace astest {
namespace {

using tv::AirspaceRow;
using tv::AirspaceRows;
using tv::AirspaceStroke;

constexpr double kCentreLat = 48.30; // DD.MM
constexpr double kCentreLon = 9.30;

AirspaceRow limits(const std::string& type = "D")
{
    AirspaceRow r;
    r.aspType = type;
    r.lowFt = 0;
    r.lowType = "GND";
    r.highFt = 2500;
    return r;
}

AirspaceRow dp(double lat, double lon, const std::string& type = "D")
{
    AirspaceRow r = limits(type);
    r.drawType = "DP";
    r.lat = lat;
    r.lon = lon;
    return r;
}

AirspaceRow dc(double radiusNm, const std::string& type = "D")
{
    AirspaceRow r = limits(type);
    r.drawType = "DC";
    r.lat = kCentreLat;
    r.lon = kCentreLon;
    r.arcRadNm = radiusNm;
    return r;
}

// A point at `bearingDeg` and `distNm` from the centre, DD.MM (flat-earth approximation: good to
// a small fraction of a degree of bearing at these distances).
std::pair<double, double> at(double bearingDeg, double distNm)
{
    const double latDeg = tv::DDMMToDegrees(kCentreLat);
    const double b = bearingDeg * M_PI / 180.0;
    const double lat = latDeg + distNm / 60.0 * std::cos(b);
    const double lon = tv::DDMMToDegrees(kCentreLon) +
                       distNm / 60.0 * std::sin(b) / std::cos(latDeg * M_PI / 180.0);
    return {tv::DegreesToDDMM(lat), tv::DegreesToDDMM(lon)};
}

AirspaceRow db(double fromDeg, double toDeg, const std::string& dir, double distNm = 5.0)
{
    AirspaceRow r = limits();
    r.drawType = "DB";
    r.arcLat = kCentreLat;
    r.arcLong = kCentreLon;
    std::tie(r.arcx1, r.arcy1) = at(fromDeg, distNm);
    std::tie(r.arcx2, r.arcy2) = at(toDeg, distNm);
    r.lat = r.arcx1;
    r.lon = r.arcy1;
    r.arcDir = dir;
    return r;
}

AirspaceRows numbered(AirspaceRows rows)
{
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i].pNumber = static_cast<double>(i + 1);
    return rows;
}

std::vector<AirspaceStroke> outline(const AirspaceRows& rows,
                                    tv::OutlineStyle style = tv::OutlineStyle::flightMap(0, true))
{
    bool edgeSwitch = false;
    std::vector<AirspaceStroke> out;
    tv::appendOutline(rows, style, edgeSwitch, out);
    return out;
}

// Bearing of a point (decimal degrees) seen from the centre, 0..360.
double bearingOf(tv::AirspacePoint p)
{
    const double cLat = tv::DDMMToDegrees(kCentreLat);
    const double dy = p.latDeg - cLat;
    const double dx = (p.lonDeg - tv::DDMMToDegrees(kCentreLon)) * std::cos(cLat * M_PI / 180.0);
    const double b = std::atan2(dx, dy) * 180.0 / M_PI;
    return b < 0 ? b + 360.0 : b;
}

bool samePoint(tv::AirspacePoint a, tv::AirspacePoint b)
{
    return std::fabs(a.latDeg - b.latDeg) < 1e-9 && std::fabs(a.lonDeg - b.lonDeg) < 1e-9;
}

tv::AirspacePoint deg(double latDdmm, double lonDdmm)
{
    return {tv::DDMMToDegrees(latDdmm), tv::DDMMToDegrees(lonDdmm)};
}

double lengthOf(const AirspaceStroke& s)
{
    return std::hypot(s.to.latDeg - s.from.latDeg, s.to.lonDeg - s.from.lonDeg);
}

// ------------------------------------------------------------------------------ circles

TEST(CircleOutline, StepsGrowFinerWithTheRadiusAndOneLabelSitsOnTheClosingChord)
{
    struct Case
    {
        double radiusNm;
        std::size_t steppedPoints;
    };
    for (const Case c : {Case{4.0, 13}, Case{4.01, 25}, Case{10.0, 25}, Case{10.5, 73}}) {
        const auto s = outline({dc(c.radiusNm)});
        // The stepped points plus the closing one, joined by chords; no straight edge.
        ASSERT_EQ(s.size(), c.steppedPoints) << c.radiusNm;
        EXPECT_EQ(s[0].colour, tv::kAirspaceBlack) << c.radiusNm;
        EXPECT_EQ(s[1].colour, tv::kAirspaceRed) << c.radiusNm;
        for (std::size_t i = 0; i + 1 < s.size(); ++i)
            EXPECT_TRUE(s[i].label.empty()) << c.radiusNm << " chord " << i;
        EXPECT_EQ(s.back().label, " D GND - 2500 ") << c.radiusNm;
        // The closing chord runs from the point at 360 to the point at 360: no length, just
        // north of the centre.
        EXPECT_LT(lengthOf(s.back()), 1e-9) << c.radiusNm;
        const double north = bearingOf(s.back().to);
        EXPECT_LT(std::min(north, 360.0 - north), 0.01) << c.radiusNm;
        // Every point lies on the circle.
        for (const AirspaceStroke& chord : s) {
            const double d =
                tv::CalcRouteDist(chord.from.latDeg, chord.from.lonDeg,
                                  tv::DDMMToDegrees(kCentreLat), tv::DDMMToDegrees(kCentreLon));
            EXPECT_NEAR(d, c.radiusNm, 0.001) << c.radiusNm;
        }
    }
}

TEST(CircleOutline, TmzAndDangerAreaChordsKeepTheirColourCircuitsAlternate)
{
    for (const auto& [type, first, second] :
         {std::tuple{"TMZ", tv::kTmzColour, tv::kTmzColour},
          std::tuple{"Q", tv::kDangerAreaColour, tv::kDangerAreaColour},
          std::tuple{"A", tv::kAirspaceBlack, tv::kAirspaceRed}}) {
        const auto s = outline({dc(3.0, type)});
        EXPECT_EQ(s[0].colour, first) << type;
        EXPECT_EQ(s[1].colour, second) << type;
    }
    // A circuit has no label, not even at the closing chord.
    EXPECT_TRUE(outline({dc(3.0, "A")}).back().label.empty());
}

// ------------------------------------------------------------------------------ arcs

TEST(ArcBearings, StepsAndTheClosingPoint)
{
    struct Case
    {
        const char* what;
        double start, end;
        const char* dir;
        double radiusNm;
        std::vector<double> stepped;
        std::optional<double> closing;
    };
    const Case cases[] = {
        {"+ 350 to 20 runs on past 360", 350, 20, "+", 5, {350, 360, 370, 380}, 380},
        {"- 20 to 350 runs back past 360", 20, 350, "-", 5, {380, 370, 360, 350}, 350},
        {"+ 0 to 25 ends with a short step", 0, 25, "+", 5, {0, 10, 20}, 25},
        {"circle of 4 NM", 0, 360, "Kreis", 4.0, {}, 360},
        {"other direction steps as given", 30, 10, "?", 5, {}, 10},
    };
    for (const Case& c : cases) {
        const tv::ArcBearings b = tv::arcBearings(c.start, c.end, c.dir, c.radiusNm);
        if (!c.stepped.empty()) {
            EXPECT_EQ(b.stepped, c.stepped) << c.what;
        }
        EXPECT_EQ(b.closing, c.closing) << c.what;
    }
    EXPECT_EQ(tv::arcBearings(0, 360, "Kreis", 4.0).stepped.size(), 13u);
    EXPECT_EQ(tv::arcBearings(0, 360, "Kreis", 4.01).stepped.size(), 25u);
    EXPECT_EQ(tv::arcBearings(0, 360, "Kreis", 10.0).stepped.size(), 25u);
    EXPECT_EQ(tv::arcBearings(0, 360, "Kreis", 10.5).stepped.size(), 73u);
    EXPECT_TRUE(tv::arcBearings(0, 1e300, "+", 5).stepped.empty()); // no endless count
}

struct ArcCase
{
    const char* what;
    double from, to;
    const char* dir;
    std::vector<double> bearings; // of the points handed on, the closing one included
};

TEST(ArcOutline, PointsRunTheWayTheDataSay)
{
    const ArcCase cases[] = {
        {"+ 343 to 18 crosses north", 343, 18, "+", {343, 353, 3, 13, 18}},
        {"- 18 to 343 crosses north backwards", 18, 343, "-", {18, 8, 358, 348, 343}},
        // Due north of the centre is 360, not 180: the arc keeps to the side the data give.
        {"+ from due north", 0, 85, "+", {0, 10, 20, 30, 40, 50, 60, 70, 80, 85}},
        {"- to due north", 85, 0, "-", {85, 75, 65, 55, 45, 35, 25, 15, 5, 0}},
        {"+ to due north", 275, 0, "+", {275, 285, 295, 305, 315, 325, 335, 345, 355, 0}},
    };
    for (const ArcCase& c : cases) {
        const AirspaceRow arc = db(c.from, c.to, c.dir);
        const auto s = outline(numbered({arc}));
        // The chords, then the closing edge from the arc's end back to its start.
        ASSERT_EQ(s.size(), c.bearings.size()) << c.what;
        EXPECT_TRUE(samePoint(s.back().from, deg(*arc.arcx2, *arc.arcy2))) << c.what;
        EXPECT_TRUE(samePoint(s.back().to, deg(*arc.arcx1, *arc.arcy1))) << c.what;
        for (std::size_t i = 0; i + 1 < s.size(); ++i) {
            // Chords run from slot B to slot A, which take the points by turns.
            double got1 = bearingOf(s[i].from);
            double got2 = bearingOf(s[i].to);
            if (i % 2 == 1)
                std::swap(got1, got2);
            auto near = [](double a, double b) {
                const double d = std::fmod(std::fabs(a - b), 360.0);
                return std::min(d, 360.0 - d) < 0.3;
            };
            EXPECT_TRUE(near(got1, c.bearings[i]) && near(got2, c.bearings[i + 1]))
                << c.what << " chord " << i << ": " << got1 << "-" << got2 << " wanted "
                << c.bearings[i] << "-" << c.bearings[i + 1];
            EXPECT_TRUE(s[i].label.empty()) << c.what; // an arc never prints a label
        }
    }
}

// ------------------------------------------------------------------------------ polygons

TEST(PolygonOutline, EveryEdgeOnceAndTheOutlineCloses)
{
    // A, B, an arc from C to D, E, F: edges A-B, E-D (end of the arc on to E), E-F and F-A.
    const AirspaceRow a = dp(48.40, 9.20);
    const AirspaceRow b = dp(48.40, 9.30);
    const AirspaceRow arc = db(0, 85, "+"); // C due north of the centre, D east
    const AirspaceRow e = dp(48.25, 9.40);
    const AirspaceRow f = dp(48.20, 9.20);
    const auto s = outline(numbered({a, b, arc, e, f}));

    auto edgesBetween = [&](tv::AirspacePoint p, tv::AirspacePoint q) {
        int n = 0;
        for (const AirspaceStroke& st : s)
            if ((samePoint(st.from, p) && samePoint(st.to, q)) ||
                (samePoint(st.from, q) && samePoint(st.to, p)))
                ++n;
        return n;
    };
    const auto A = deg(*a.lat, *a.lon);
    const auto B = deg(*b.lat, *b.lon);
    const auto C = deg(*arc.arcx1, *arc.arcy1);
    const auto D = deg(*arc.arcx2, *arc.arcy2);
    const auto E = deg(*e.lat, *e.lon);
    const auto F = deg(*f.lat, *f.lon);
    EXPECT_EQ(edgesBetween(A, B), 1);
    EXPECT_EQ(edgesBetween(E, D), 1);
    EXPECT_EQ(edgesBetween(E, F), 1);
    EXPECT_EQ(edgesBetween(F, A), 1);
    EXPECT_EQ(edgesBetween(B, C), 0); // no edge to the start of an arc
    // 4 edges with labels; 9 chords of the arc (0 to 80 by 10, then 85), without.
    int labelled = 0;
    for (const AirspaceStroke& st : s)
        labelled += st.label.empty() ? 0 : 1;
    EXPECT_EQ(labelled, 4);
    EXPECT_EQ(s.size(), 4u + 9u);
}

TEST(PolygonOutline, ArcFirstClosesToTheArcStart)
{
    const AirspaceRow arc = db(270, 0, "+");
    const AirspaceRow p = dp(48.40, 9.40);
    const auto s = outline(numbered({arc, p}));
    // Arc end on to P, then P back to the arc's start.
    const auto start = deg(*arc.arcx1, *arc.arcy1);
    EXPECT_TRUE(samePoint(s.back().to, start));
    EXPECT_TRUE(samePoint(s.back().from, deg(*p.lat, *p.lon)));
}

TEST(PolygonOutline, WithoutPNumberOneItStartsAtItsFirstRow)
{
    AirspaceRows rows{dp(48.40, 9.20), dp(48.40, 9.30), dp(48.20, 9.30)};
    rows[0].pNumber = 2;
    rows[1].pNumber = 3;
    rows[2].pNumber = 4;
    const auto s = outline(rows);
    ASSERT_EQ(s.size(), 3u);
    for (const AirspaceStroke& st : s) {
        EXPECT_GT(st.from.latDeg, 48.0);
        EXPECT_GT(st.to.latDeg, 48.0); // never 0° N 0° E
    }
    EXPECT_TRUE(samePoint(s.back().to, deg(48.40, 9.20)));
}

TEST(PolygonOutline, RowOfAnotherTypeRightAfterAPointIsPassedOver)
{
    // The circle after A is passed over: no chords; B is the last row and closes to A.
    const auto s = outline(numbered({dp(48.40, 9.20), dc(3.0), dp(48.30, 9.30)}));
    ASSERT_EQ(s.size(), 1u);
    EXPECT_TRUE(samePoint(s[0].from, deg(48.30, 9.30)));
    EXPECT_TRUE(samePoint(s[0].to, deg(48.40, 9.20)));
}

TEST(PolygonOutline, EdgesAlternateRedAndBlackAcrossAirspacesAndRedraws)
{
    const AirspaceRows triangle = numbered({dp(48.40, 9.20), dp(48.40, 9.30), dp(48.20, 9.30)});
    bool edgeSwitch = false; // as the window opens
    std::vector<AirspaceStroke> first;
    tv::appendOutline(triangle, tv::OutlineStyle::flightMap(0, false), edgeSwitch, first);
    std::vector<AirspaceStroke> second;
    tv::appendOutline(triangle, tv::OutlineStyle::flightMap(0, false), edgeSwitch, second);
    const std::vector<uint32_t> red_black_red{tv::kAirspaceRed, tv::kAirspaceBlack,
                                              tv::kAirspaceRed};
    const std::vector<uint32_t> black_red_black{tv::kAirspaceBlack, tv::kAirspaceRed,
                                                tv::kAirspaceBlack};
    std::vector<uint32_t> c1, c2;
    for (const auto& s : first)
        c1.push_back(s.colour);
    for (const auto& s : second)
        c2.push_back(s.colour);
    EXPECT_EQ(c1, red_black_red);
    EXPECT_EQ(c2, black_red_black);
}

TEST(PolygonOutline, MissingCoordinateLeavesTheWholeAirspaceOut)
{
    AirspaceRows rows = numbered({dp(48.40, 9.20), dp(48.40, 9.30), dp(48.20, 9.30)});
    rows[2].lon.reset();
    bool edgeSwitch = false;
    std::vector<AirspaceStroke> out;
    EXPECT_THROW(tv::appendOutline(rows, tv::OutlineStyle::flightMap(0, true), edgeSwitch, out),
                 tv::AirspaceDataError);
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(edgeSwitch);
}

// ------------------------------------------------------------------------------ labels

TEST(AirspaceLabel, ShowsTypeAndLimits)
{
    struct Case
    {
        const char* what;
        std::string type;
        std::optional<double> low;
        std::string lowType;
        std::optional<double> high;
        std::string highType;
        std::string label;
    };
    const Case cases[] = {
        {"class D up to a flight level", "D", 2500, "", 6500, "FL", " D 2500 - FL 65 "},
        {"ground marker with a blank", "D", 0, " GND", 2500, "", " D GND - 2500 "},
        {"ground marker without", "D", 0, "GND", 2500, "", " D GND - 2500 "},
        {"lower flight level", "C", 6500, "FL", 10000, "FL", " C FL 65 - FL 100 "},
        {"limit without a value", "C", std::nullopt, "", 4500, "", " C  - 4500 "},
        {"type without a value", "", 0, "GND", 1000, "", "  GND - 1000 "},
        {"traffic circuit", "A", 0, "GND", 3000, "", ""},
    };
    for (const Case& c : cases) {
        AirspaceRow r;
        r.aspType = c.type;
        r.lowFt = c.low;
        r.lowType = c.lowType;
        r.highFt = c.high;
        r.highType = c.highType;
        EXPECT_EQ(tv::airspaceLabel(r), c.label) << c.what;
    }
}

TEST(AirspaceLabel, OnlyWhenTheLabelSwitchIsOn)
{
    const AirspaceRows square =
        numbered({dp(48.40, 9.20), dp(48.40, 9.30), dp(48.20, 9.30), dp(48.20, 9.20)});
    for (const AirspaceStroke& s : outline(square, tv::OutlineStyle::flightMap(0, false)))
        EXPECT_TRUE(s.label.empty());
    for (const AirspaceStroke& s : outline(square, tv::OutlineStyle::flightMap(0, true)))
        EXPECT_EQ(s.label, " D GND - 2500 ");
    for (const AirspaceStroke& s : outline({dc(3.0)}, tv::OutlineStyle::flightMap(0, false)))
        EXPECT_TRUE(s.label.empty());
    // The plan map always labels.
    for (const AirspaceStroke& s : outline(square, tv::OutlineStyle::planMap(0)))
        EXPECT_EQ(s.label, " D GND - 2500 ");
}

// ------------------------------------------------------------------------------ widths

TEST(OutlineWidths, ThickenAsTheMapIsEnlargedTypedEdgesByMap)
{
    struct Case
    {
        int slider;
        int line;  // 7 - slider / 50, halves to even
        int typed; // 6 - slider / 50
    };
    const Case cases[] = {{0, 7, 6}, {25, 6, 6}, {75, 6, 4}, {-100, 9, 8}};
    for (const Case& c : cases) {
        for (const bool plan : {false, true}) {
            const tv::OutlineStyle style = plan ? tv::OutlineStyle::planMap(c.slider)
                                                : tv::OutlineStyle::flightMap(c.slider, true);
            const std::string map = plan ? "plan" : "flight";
            for (const std::string type : {"D", "TMZ", "Q", "A"}) {
                const auto edges = outline(
                    numbered({dp(48.40, 9.20, type), dp(48.40, 9.30, type), dp(48.20, 9.30, type)}),
                    style);
                const int edgeWant = type == "D" || plan ? c.line : c.typed;
                EXPECT_EQ(edges[0].widthPx, edgeWant) << map << " " << type << " " << c.slider;
                const auto chords = outline({dc(3.0, type)}, style);
                const int chordWant = type == "TMZ" || type == "Q" ? c.typed : c.line;
                EXPECT_EQ(chords[0].widthPx, chordWant) << map << " " << type << " " << c.slider;
                EXPECT_EQ(chords[1].widthPx, chordWant) << map << " " << type << " " << c.slider;
            }
        }
    }
}

} // namespace
} // namespace astest
