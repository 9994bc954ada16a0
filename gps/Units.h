#pragma once

// Unit factors, each stated once for every part of the program that converts. They stand here,
// beside the GPS fix, the lowest layer that converts (the sentences bring metres and knots, the
// displays show feet and km/h as well); every folder above the GPS layer takes them through
// core/Units.h.

namespace tv {

// Feet in one metre, as the altitude displays and the track file have always converted
// (1000 ft are stored as 304.8037 m).
inline constexpr double kFeetPerMetre = 3.2808;

// Kilometres in one nautical mile; so also km/h in one knot.
inline constexpr double kKmPerNm = 1.852;

} // namespace tv
