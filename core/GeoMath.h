#pragma once

// Navigation formulas on a spherical earth on which one minute of arc is one nautical mile.
//
// Positions come in two forms, and every argument below says which one it takes:
// - DD.MM: integer part degrees, fraction minutes / 100 (48.3012 = 48°30.12'). South and west
//   are negative and the sign covers degrees and minutes together (-7.30 = 7°30' W). Waypoints,
//   route points, chart edges and airspaces are stored this way.
// - decimal degrees, negative south and west: GPS positions, the track file, airport data.
// Distances are nautical miles; courses are degrees true, 0..360.
//
// Pi is the literal 3.14159265 in every degree/radian conversion, not the full-precision value:
// stored figures and the flight-plan arithmetic were made with it, and results must match them.

#include "core/Rounding.h" // callers round DegreesToDDMM results with RoundHalfEven

namespace tv {

inline constexpr double kGeoPi = 3.14159265;
// Pi / 2 as the boundary value of Arccos and ASin (Arccos(-1) = 2 * kHalfPiBoundary).
inline constexpr double kHalfPiBoundary = 1.5707963267949;

// DD.MM -> decimal degrees: magnitude converted, sign kept (-7.30 -> -7.5).
double DDMMToDegrees(double ddmm);
// Decimal degrees -> DD.MM, unrounded: magnitude converted, sign kept (-7.5 -> -7.3).
double DegreesToDDMM(double degrees);
// True when a DD.MM value names a place at most `maxDegrees` from 0 (90 for a latitude, 180 for
// a longitude), sign ignored: minutes below 60, and degrees with minutes at most maxDegrees°00'
// (89.7 is 89°70' = 90°10', refused; 48.6 is 48°60', refused). The value counts at eight
// decimals, so a double a hair below 48.6 is still 48°60', while 48.5999 is 48°59.99'.
// NaN and infinities are no place.
bool IsDDMMWithin(double ddmm, double maxDegrees);

// Arc cosine in radians, 0..pi. Arguments at or beyond +-1 (rounding noise in the formulas
// below) are clamped: >= 1 gives 0, <= -1 gives 2 * kHalfPiBoundary. NaN stays NaN.
double Arccos(double x);
// Arc sine in radians, -pi/2..pi/2. Arguments at or beyond +-1 give +-kHalfPiBoundary.
double ASin(double value);

// Great-circle distance in NM from a centre to point a, all four in DD.MM. No guard: two equal
// points give 0 or a distance of rounding-noise size.
double ArcRadius(double centerLat, double centerLong, double aLat, double aLong);

// True course in degrees from a centre to point a, all four in DD.MM. When a lies strictly east
// of the centre this is the initial course at the centre (0..180); otherwise it is the course
// from a back to the centre plus 180 (180..360), which on airspace and route distances differs
// from the initial course by a negligible amount. Due north on one meridian therefore gives
// (almost) 360, never 0. Two equal points, or points too close for a distance, give 0.
double ArcDimension(double centerLat, double centerLong, double aLat, double aLong);

// Distance in NM between point 1 and point 2 in decimal degrees (note: point 2 comes first).
// 0 when the points are equal or when any of the four values is exactly 0.0: a zero coordinate
// stands for "no position yet" (before the first GPS fix), so a point exactly on the equator or
// the prime meridian also gives 0.
double CalcRouteDist(double Lat2, double Long2, double Lat1, double Long1);

// As above; `course` receives the true course from point 1 to point 2 (same rule as
// ArcDimension). When the distance is 0 the course is left as it was, so it keeps the value of
// the previous call.
double CalcRouteDist(double Lat2, double Long2, double Lat1, double Long1, double& course);

} // namespace tv
