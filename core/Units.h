#pragma once

// Unit factors, each stated once for every part of the program that converts.

namespace tv {

// Feet in one metre, as the altitude displays and the track file have always converted
// (1000 ft are stored as 304.8037 m).
inline constexpr double kFeetPerMetre = 3.2808;

// Kilometres in one nautical mile; so also km/h in one knot.
inline constexpr double kKmPerNm = 1.852;

} // namespace tv
