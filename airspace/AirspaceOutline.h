#pragma once

// The outline of one airspace as a list of strokes: straight edges between polygon points and
// chords along arcs and circles, each with its colour, width and label. The rules live here as
// data; AirspacePainter puts the strokes on a map.
//
// Colours are 0x00BBGGRR values as the program has always written them.

#include "airspace/AirspaceData.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

inline constexpr uint32_t kAirspaceBlack = 0x000000;
inline constexpr uint32_t kAirspaceRed = 0x0000FF;
inline constexpr uint32_t kTmzColour = 0xFFFF00;            // "TMZ"
inline constexpr uint32_t kDangerAreaColour = 0x0080FF;     // "Q"
inline constexpr uint32_t kTrafficCircuitColour = 0xD9358F; // "A", straight edges only
inline constexpr uint32_t kAirspaceLabelColour = 0x000080;

// A position in decimal degrees, south and west negative.
struct AirspacePoint
{
    double latDeg = 0.0;
    double lonDeg = 0.0;
};

// One line of an outline. The label, when not empty, is printed beside the line's middle.
struct AirspaceStroke
{
    AirspacePoint from;
    AirspacePoint to;
    uint32_t colour = kAirspaceBlack;
    int widthPx = 1;
    std::string label;
};

// How one map draws outlines.
struct OutlineStyle
{
    // Zoom slider, -100..100: lines thicken as the map is enlarged (base - slider / 50).
    int sliderValue = 0;
    // The limits are printed beside every straight edge and beside a circle's closing chord.
    bool labels = false;
    // Edges of traffic circuits, TMZ and danger areas as wide as all other edges (plan map);
    // otherwise one pixel narrower (flight map).
    bool typedEdgesCommonWidth = false;

    static OutlineStyle flightMap(int sliderValue, bool labels)
    {
        return {sliderValue, labels, false};
    }
    static OutlineStyle planMap(int sliderValue) { return {sliderValue, true, true}; }
};

// The bearings (degrees true from the centre) at which an arc or a circle gets its points.
// Direction "+" runs clockwise (the end moved past the start by 360 where needed), "-"
// counter-clockwise, "Kreis" is a whole circle from 0 to 360 in steps of 30, 15 or 5 degrees
// by radius (up to 4 NM, up to 10 NM, beyond); any other text steps by 10 as given. The
// counting stops one step beyond the last stepped bearing; unless it stands exactly on the end
// bearing, one more point follows at the end bearing (so a circle always ends with a chord of
// no length from 360 to 360).
struct ArcBearings
{
    std::vector<double> stepped;
    std::optional<double> closing;
};
ArcBearings arcBearings(double startDeg, double endDeg, std::string_view direction,
                        double radiusNm);

// " D 2500 - FL 65 ": type, lower and upper limit from an airspace's first row; "GND" for the
// ground marker, "FL " and the level for flight levels, a limit without a value as "". Empty
// for a traffic circuit.
std::string airspaceLabel(const AirspaceRow& first);

// One airspace's outline worked out once from its rows, as the map keeps it: its lines in
// drawing order with what decides their colour, and its label. The zoom, the label switch and
// the edge colour switch are applied when the strokes are made (appendStrokes), redraw by
// redraw.
struct OutlineLine
{
    enum class Kind : uint8_t {
        Edge,       // straight edge: red and black by the edge colour switch
        BlackChord, // chords of an arc or circle, by turns
        RedChord,
    };
    AirspacePoint from;
    AirspacePoint to;
    Kind kind = Kind::Edge;
    bool labelled = false; // a straight edge, or a circle's closing chord
};
struct AirspaceOutline
{
    enum class Type : uint8_t { Other, TrafficCircuit, Tmz, DangerArea };
    std::vector<OutlineLine> lines;
    std::string label; // airspaceLabel of the first row
    Type type = Type::Other;
};

// Throws AirspaceDataError when a coordinate the outline needs has no value or the arithmetic
// gives no number.
AirspaceOutline airspaceOutline(const AirspaceRows& rows);

// Appends the strokes of an outline to `out`. Straight edges alternate red and black through
// `edgeColourSwitch`, which the map keeps from edge to edge, airspace to airspace and redraw
// to redraw (off: the next edge is red). Chords of each arc or circle alternate black and red,
// starting black. Edges of traffic circuits, TMZ and danger areas and the chords of TMZ and
// danger areas take their type's colour (and one pixel less width where the style says so).
void appendStrokes(const AirspaceOutline& outline, const OutlineStyle& style,
                   bool& edgeColourSwitch, std::vector<AirspaceStroke>& out);

// airspaceOutline, then appendStrokes. Throws AirspaceDataError; `out` and the switch are
// then left as they were.
void appendOutline(const AirspaceRows& rows, const OutlineStyle& style, bool& edgeColourSwitch,
                   std::vector<AirspaceStroke>& out);

} // namespace tv
