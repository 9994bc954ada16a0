#include "core/GeoMath.h"

#include <cmath>

namespace tv {
namespace {

double toRadians(double degrees)
{
    return degrees * kGeoPi / 180.0;
}

// The course rule shared by ArcDimension and CalcRouteDist, on radians. `d` is the central angle
// between the points; the caller makes sure sin(d) is not 0.
double courseRule(double fromLat, double fromLong, double toLat, double toLong, double d)
{
    if (fromLong < toLong) {
        return Arccos((std::sin(toLat) - std::sin(fromLat) * std::cos(d)) /
                      (std::sin(d) * std::cos(fromLat))) *
               180.0 / kGeoPi;
    }
    return Arccos((std::sin(fromLat) - std::sin(toLat) * std::cos(d)) /
                  (std::sin(d) * std::cos(toLat))) *
               180.0 / kGeoPi +
           180.0;
}

double centralAngle(double lat1, double long1, double lat2, double long2)
{
    return Arccos(std::sin(lat1) * std::sin(lat2) +
                  std::cos(lat2) * std::cos(lat1) * std::cos(long2 - long1));
}

} // namespace

double DDMMToDegrees(double ddmm)
{
    const double m = std::fabs(ddmm);
    const double whole = std::floor(m);
    const double degrees = (m - whole) * 10.0 / 6.0 + whole;
    return ddmm < 0 ? -degrees : degrees;
}

double DegreesToDDMM(double degrees)
{
    const double m = std::fabs(degrees);
    const double whole = std::floor(m);
    const double ddmm = (m - whole) * 6.0 / 10.0 + whole;
    return degrees < 0 ? -ddmm : ddmm;
}

bool IsDDMMWithin(double ddmm, double maxDegrees)
{
    const double m = std::fabs(ddmm);
    if (!std::isfinite(m) || m > maxDegrees + 1.0)
        return false;
    constexpr double kScale = 1e8; // eight decimals: minutes to a millionth
    const long long scaled = std::llround(m * kScale);
    const long long minutesScaled = scaled % static_cast<long long>(kScale);
    return minutesScaled < 60 * static_cast<long long>(kScale) / 100 &&
           scaled <= std::llround(maxDegrees * kScale);
}

double Arccos(double x)
{
    if (std::fabs(x) < 1.0)
        return std::atan(-x / std::sqrt(-x * x + 1.0)) + 2.0 * std::atan(1.0);
    if (x >= 1.0)
        return 0.0;
    if (x <= -1.0)
        return 2.0 * kHalfPiBoundary;
    return x; // NaN
}

double ASin(double value)
{
    if (value >= 1.0)
        return kHalfPiBoundary;
    if (value <= -1.0)
        return -kHalfPiBoundary;
    return std::atan(value / std::sqrt(1.0 - value * value));
}

double ArcRadius(double centerLat, double centerLong, double aLat, double aLong)
{
    const double cLat = toRadians(DDMMToDegrees(centerLat));
    const double cLong = toRadians(DDMMToDegrees(centerLong));
    const double pLat = toRadians(DDMMToDegrees(aLat));
    const double pLong = toRadians(DDMMToDegrees(aLong));
    const double d = centralAngle(cLat, cLong, pLat, pLong);
    return d * 180.0 * 60.0 / kGeoPi;
}

double ArcDimension(double centerLat, double centerLong, double aLat, double aLong)
{
    if (centerLat == aLat && centerLong == aLong)
        return 0.0;
    const double cLat = toRadians(DDMMToDegrees(centerLat));
    const double cLong = toRadians(DDMMToDegrees(centerLong));
    const double pLat = toRadians(DDMMToDegrees(aLat));
    const double pLong = toRadians(DDMMToDegrees(aLong));
    const double d = centralAngle(cLat, cLong, pLat, pLong);
    // The course divides by sin(d): points that are one within rounding have no course.
    if (std::sin(d) == 0.0)
        return 0.0;
    return courseRule(cLat, cLong, pLat, pLong, d);
}

double CalcRouteDist(double Lat2, double Long2, double Lat1, double Long1)
{
    double unused = 0.0;
    return CalcRouteDist(Lat2, Long2, Lat1, Long1, unused);
}

double CalcRouteDist(double Lat2, double Long2, double Lat1, double Long1, double& course)
{
    if (Lat1 == 0.0 || Long1 == 0.0 || Lat2 == 0.0 || Long2 == 0.0)
        return 0.0;
    const double lat1 = toRadians(Lat1);
    const double long1 = toRadians(Long1);
    const double lat2 = toRadians(Lat2);
    const double long2 = toRadians(Long2);
    if (lat1 == lat2 && long1 == long2)
        return 0.0;
    const double d = centralAngle(lat1, long1, lat2, long2);
    const double distanceNm = d * 60.0 * 180.0 / kGeoPi;
    // Points a hair apart can still give a central angle of 0; they have no course either.
    if (std::sin(d) != 0.0)
        course = courseRule(lat1, long1, lat2, long2, d);
    return distanceNm;
}

} // namespace tv
