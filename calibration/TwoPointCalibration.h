#pragma once

// A chart's four edges from two points of its image whose positions are known, by linear
// interpolation in image pixels.
//
// Pixels: x right, y down, (0, 0) the image's top-left corner. Positions: DD.MM, south and
// west negative (a typed magnitude has had its sign given first, ChartHemispheres.h).
// A north-up chart's pixel rows grow southwards, so its degrees per pixel in y are negative.

namespace tv {

struct ReferencePoint
{
    double xPx = 0.0;
    double yPx = 0.0;
    double latDDMM = 0.0;
    double lonDDMM = 0.0;
};

enum class CalibrationMessage {
    Calibrated,     // "Karte wurde kalibriert."
    CalibratedHint, // calibrated, but the points lie less than half the image apart
    PointsTooClose, // less than 20 pixels apart in x (tested first) or y: no edges
};

struct CalibrationResult
{
    CalibrationMessage message = CalibrationMessage::PointsTooClose;
    // DD.MM, rounded to 3 decimals with halves to even, minutes that round to 60 carried into
    // the degrees; meaningful unless PointsTooClose.
    double unten = 0.0;
    double oben = 0.0;
    double links = 0.0;
    double rechts = 0.0;
};

// Points closer than this in x or in y give no calibration (pixels).
inline constexpr double kMinPointDistancePx = 20.0;

// `headerWidth`, `headerHeight`: the image size from its file header (pixels).
CalibrationResult CalculateCalibration(const ReferencePoint& p1, const ReferencePoint& p2,
                                       double headerWidth, double headerHeight);

} // namespace tv
