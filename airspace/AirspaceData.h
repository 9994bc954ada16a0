#pragma once

// The airspace data file Luftraum.tvd as the airspace layer reads it: one airspace is the rows
// of table Luftraum that share its "Index", in PNumber order. The program only reads this file,
// and only while it runs, so what is once read is kept (AirspaceStore).
//
// Positions are DD.MM (48.3012 = 48°30.12', south and west negative); altitudes feet, a flight
// level stored as feet (FL 65 as 6500); radii NM.

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tv {

class Connection;

// An airspace that cannot be drawn: a coordinate the outline needs has no value, or the
// arithmetic gave no number. Only that airspace is left out.
class AirspaceDataError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// One boundary element as its outline needs it: its Drawtype and PNumber, the fields its
// Drawtype uses (DP, DC: Lat, Long and arcRad; DB: the arc fields) and, on the first row of an
// airspace, its type and limits; the other fields are not read. Texts are "" and numbers empty
// where the field holds no value (or, for a number, no number) or is not read.
struct AirspaceRow
{
    std::string aspType; // "A" traffic circuit, "TMZ", "Q" danger area, else a class or zone
    std::optional<double> lowFt;
    std::optional<double> highFt;
    std::string lowType;  // "FL", the ground marker "GND" (blanks around it allowed), else none
    std::string highType; // "FL", else none
    std::string drawType; // "DP" polygon point, "DB" arc, "DC" circle
    std::optional<double> lat; // DP: the point, DC: the centre
    std::optional<double> lon;
    std::optional<double> arcRadNm;        // DC
    std::optional<double> arcLat, arcLong; // DB: centre
    std::optional<double> arcx1, arcy1;    // DB: start point (latitude, longitude)
    std::optional<double> arcx2, arcy2;    // DB: end point (latitude, longitude)
    std::string arcDir;                    // DB: "+" clockwise, "-" counter-clockwise
    std::optional<double> pNumber;
};

// One airspace's rows in PNumber order (rows without a PNumber first, ties in file order).
using AirspaceRows = std::vector<AirspaceRow>;

// Reads the rows of airspace `index` (32-bit: numbers above 32767 are airspaces like any
// other). Throws DbError when the rows cannot be read.
AirspaceRows readAirspaceRows(Connection& connection, int32_t index);

// Reads the rows of several airspaces in one query and hands each airspace's rows to `each`,
// in order of number, its rows ordered as readAirspaceRows orders them; an airspace without
// rows is not handed over. Throws DbError; the airspaces handed over before were read whole.
void readAirspaceRows(Connection& connection, const std::vector<int32_t>& indexes,
                      const std::function<void(int32_t, const AirspaceRows&)>& each);

} // namespace tv
