#include "calibration/TwoPointCalibration.h"

#include "core/GeoMath.h"
#include "core/Rounding.h"

#include <cmath>

namespace tv {

CalibrationResult CalculateCalibration(const ReferencePoint& p1, const ReferencePoint& p2,
                                       double headerWidth, double headerHeight)
{
    CalibrationResult out;
    const double dx = std::fabs(p1.xPx - p2.xPx);
    if (dx < kMinPointDistancePx)
        return out;
    const double dy = std::fabs(p1.yPx - p2.yPx);
    if (dy < kMinPointDistancePx)
        return out;

    // Degrees per pixel; the edges lie where the image's borders fall on these lines.
    const double long1 = DDMMToDegrees(p1.lonDDMM);
    const double long2 = DDMMToDegrees(p2.lonDDMM);
    const double scaleX = (long2 - long1) / (p2.xPx - p1.xPx);
    const double left = long1 - p1.xPx * scaleX;
    const double right = left + headerWidth * scaleX;

    const double lat1 = DDMMToDegrees(p1.latDDMM);
    const double lat2 = DDMMToDegrees(p2.latDDMM);
    const double scaleY = (lat2 - lat1) / (p2.yPx - p1.yPx);
    const double top = lat1 - p1.yPx * scaleY;
    const double bottom = top + headerHeight * scaleY;

    out.links = RoundHalfEven(DegreesToDDMM(left), 3);
    out.rechts = RoundHalfEven(DegreesToDDMM(right), 3);
    out.oben = RoundHalfEven(DegreesToDDMM(top), 3);
    out.unten = RoundHalfEven(DegreesToDDMM(bottom), 3);
    out.message = dx >= headerWidth / 2 && dy >= headerHeight / 2
                      ? CalibrationMessage::Calibrated
                      : CalibrationMessage::CalibratedHint;
    return out;
}

} // namespace tv
