#pragma once

// The hemispheres of the chart on screen in the map calibration window, and how a coordinate
// typed into the two-point calibration window takes its sign from them.
//
// Edge order as the edge entry's (ChartSave.h): 0 Unten, 1 Oben (latitudes), 2 Links, 3 Rechts
// (longitudes). A hemisphere is the selector index: 0 = N or E, 1 = S or W.
// Coordinates are DD.MM (48.3 = 48°30'), south and west negative.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tv {

inline constexpr int kNorthOrEast = 0;
inline constexpr int kSouthOrWest = 1;

// Held once for the chart on screen; the selectors are written from it and never read back.
// Nothing of another chart or of an earlier session stays in it: showing a chart sets all four.
class ChartHemispheres
{
public:
    // A chart is shown: each edge takes the sign of its stored value (0 counts as N or E); an
    // edge with none stored (a chart never saved) is N or E.
    void showChart(const std::array<std::optional<double>, 4>& storedEdges);
    // The pilot chose a hemisphere for an edge (0 or 1; anything else counts as 1).
    void choose(size_t edge, int hemisphere);
    // Signed edges computed from what the pilot typed: each edge takes its sign.
    void takeSigns(const std::array<double, 4>& edges);

    int at(size_t edge) const { return hemisphere_[edge]; }
    const std::array<int, 4>& all() const { return hemisphere_; }

    // The hemisphere a magnitude typed for an image pixel lies in: that of the nearer edge
    // (upper edge for the upper half of the image, left edge for the left half). Pixels as in
    // TwoPointCalibration.h; `heightPx`, `widthPx` the image size.
    int latitudeAt(double yPx, double heightPx) const;
    int longitudeAt(double xPx, double widthPx) const;

private:
    std::array<int, 4> hemisphere_{};
};

// A coordinate typed into the two-point window, signed DD.MM: a typed sign is taken as typed
// ("-9,3" is 9°30' S or W, "+9,3" N or E), a bare magnitude lies in `hemisphere`. Empty when
// the text is no number (readStrictNumber).
std::optional<double> typedCoordinate(std::string_view text, int hemisphere);

// A signed DD.MM coordinate in the words of the windows' examples, hemisphere first:
// (48.3, latitude) -> "N 48°30'", (-8.225, longitude) -> "W 8°22,5'" with ','.
std::string coordinateWords(double ddmm, bool latitude, char decimalMark);

} // namespace tv
