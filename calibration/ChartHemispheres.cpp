#include "calibration/ChartHemispheres.h"

#include "core/NumberFormat.h"
#include "core/Rounding.h"

#include <cmath>

namespace tv {
namespace {

int signOf(double value)
{
    return value < 0.0 ? kSouthOrWest : kNorthOrEast;
}

} // namespace

void ChartHemispheres::showChart(const std::array<std::optional<double>, 4>& storedEdges)
{
    for (size_t i = 0; i < 4; ++i)
        hemisphere_[i] = storedEdges[i] ? signOf(*storedEdges[i]) : kNorthOrEast;
}

void ChartHemispheres::choose(size_t edge, int hemisphere)
{
    hemisphere_[edge] = hemisphere == kNorthOrEast ? kNorthOrEast : kSouthOrWest;
}

void ChartHemispheres::takeSigns(const std::array<double, 4>& edges)
{
    for (size_t i = 0; i < 4; ++i)
        hemisphere_[i] = signOf(edges[i]);
}

int ChartHemispheres::latitudeAt(double yPx, double heightPx) const
{
    return hemisphere_[yPx < heightPx / 2 ? 1 : 0];
}

int ChartHemispheres::longitudeAt(double xPx, double widthPx) const
{
    return hemisphere_[xPx < widthPx / 2 ? 2 : 3];
}

std::optional<double> typedCoordinate(std::string_view text, int hemisphere)
{
    const auto value = readStrictNumber(text);
    if (!value)
        return std::nullopt;
    const double magnitude = std::fabs(*value);
    const auto first = text.find_first_not_of(" \t");
    const char sign = first == std::string_view::npos ? ' ' : text[first];
    if (sign == '-')
        return -magnitude;
    if (sign == '+' || hemisphere == kNorthOrEast)
        return magnitude;
    return -magnitude;
}

std::string coordinateWords(double ddmm, bool latitude, char decimalMark)
{
    const char* letters = latitude ? "NS" : "EW";
    const double magnitude = std::fabs(ddmm);
    const double degrees = std::floor(magnitude);
    const double minutes = RoundHalfEven((magnitude - degrees) * 100.0, 3);
    std::string words(1, letters[signOf(ddmm)]);
    words += ' ' + numberText(degrees, '.') + "\u00B0";
    if (minutes < 10.0)
        words += '0';
    return words + numberText(minutes, decimalMark) + "'";
}

} // namespace tv
