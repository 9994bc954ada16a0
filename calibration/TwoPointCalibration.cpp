#include "calibration/TwoPointCalibration.h"

#include "core/GeoMath.h"
#include "core/Rounding.h"

#include <cmath>

namespace tv {
namespace {

// An edge in DD.MM to three decimals. Minutes that round up to 60 carry into the degrees:
// 7°59.9994' is 8.0, never 7.600, which would read as 7°60' and be refused by the save.
double edgeDDMM(double degrees)
{
    const double ddmm = RoundHalfEven(DegreesToDDMM(degrees), 3);
    const double m = std::fabs(ddmm);
    const double whole = std::floor(m);
    if (m - whole < 0.6 - 1e-9)
        return ddmm;
    return ddmm < 0 ? -(whole + 1.0) : whole + 1.0;
}

} // namespace

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

    out.links = edgeDDMM(left);
    out.rechts = edgeDDMM(right);
    out.oben = edgeDDMM(top);
    out.unten = edgeDDMM(bottom);
    out.message = dx >= headerWidth / 2 && dy >= headerHeight / 2
                      ? CalibrationMessage::Calibrated
                      : CalibrationMessage::CalibratedHint;
    return out;
}

} // namespace tv
