#pragma once

// The chart table's row of a chart made up for a test.

#include "map/ChartRow.h"

namespace tvtest {

// Edges of a chart, DD.MM (48.30 = 48°30'): latitudes north, longitudes east.
struct ChartEdges
{
    double south = 0.0;
    double north = 0.0;
    double west = 0.0;
    double east = 0.0;
};

// A chart with these edges whose image is widthPx x heightPx.
inline tv::ChartRow chartRow(const ChartEdges& edges, int widthPx, int heightPx)
{
    tv::ChartRow row;
    row.southDDMM = edges.south;
    row.northDDMM = edges.north;
    row.westDDMM = edges.west;
    row.eastDDMM = edges.east;
    row.widthPx = widthPx;
    row.heightPx = heightPx;
    return row;
}

} // namespace tvtest
