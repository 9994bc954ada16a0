#pragma once

// One row of the chart table (Maps) as the maps need it, and the one reader of it; the active
// charts (Active <> 0) that the flight and plan maps offer.
//
// Maps holds per chart image its edges Unten, Oben, Links, Rechts (DD.MM, south and west
// negative) and its stored size Breite, Höhe (pixels). A stored number is read as it is stored:
// a number field as its number, a text as a number written with "." (blanks around it, an
// optional sign, an exponent: the rule of every number in the data files). NULL, a text that is
// no such number ("47,4", "abc") and an infinite value are no number: the field is empty.

#include <QString>

#include <optional>
#include <vector>

namespace tv {

class Connection;
class Recordset;

// Edges are DD.MM (south and west negative), sizes are the image size in pixels as stored.
// Empty = the field has no (numeric) value.
struct ChartRow
{
    std::optional<double> southDDMM; // Unten: lower edge
    std::optional<double> northDDMM; // Oben: upper edge
    std::optional<double> westDDMM;  // Links: left edge
    std::optional<double> eastDDMM;  // Rechts: right edge
    std::optional<double> widthPx;   // Breite
    std::optional<double> heightPx;  // Höhe
};

// The current row of `maps`, a recordset over the chart table. Throws DbError when the
// recordset has no current row or lacks one of the six fields.
ChartRow readChartRow(const Recordset& maps);

// Opens `maps` on the active charts (every Maps field), by name. Throws DbError. A window keeps
// its own set of them in an ActiveCharts (map/ActiveCharts.h).
void openActiveCharts(Recordset& maps, Connection& db);
// The names of the active charts by name: the chart box of a map. Throws DbError.
std::vector<QString> activeChartNames(Connection& db);

} // namespace tv
