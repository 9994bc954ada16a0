#pragma once

#include "tools/DemoData.h"

#include <QImage>
#include <QPointF>

namespace tv::demo {

// Image pixel of a position (decimal degrees) on `chart`: linear in longitude and latitude
// between the chart's edges, as the program's map model calibrates a chart. x grows east,
// y grows south, (0, 0) is the north-west corner.
QPointF chartPixel(const DemoChart& chart, double latDeg, double lonDeg);

// Draws the demo chart image (chart.widthPx x chart.heightPx): fields, woods, lakes, rivers,
// a motorway, towns and airfields, a grid every 10 minutes labelled in degrees and minutes,
// a scale bar and a title. The same chart comes out on every call.
// Text needs a QGuiApplication; without one the chart is drawn without its labels.
QImage drawDemoChart(const DemoChart& chart);

} // namespace tv::demo
