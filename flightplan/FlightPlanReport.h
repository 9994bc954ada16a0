#pragma once

// The printed flight plan: a heading with the column titles and the five summary values, then
// one line per plan row, continued on further pages under the same heading. One painter serves
// the preview, the printer and the tests' PDF files. The heading is German in both languages:
// the printed log has always looked that way.

#include <QRectF>
#include <QString>

#include <array>
#include <vector>

class QPainter;

namespace tv {

class Recordset;

struct FlightPlanReportData
{
    // Per plan row, the texts of NAME, TAS, Wind, TC, MH (whole degrees), GS, Distanz,
    // Zeitdisplay, FFM, ZeitAcc, DistanzAcc, FFmAcc.
    std::vector<std::array<QString, 12>> rows;
    QString distanz; // the window's total distance label
    QString zeit;    // total time label
    QString ff;      // total fuel label
    QString wind;    // average wind label
    QString ffh;     // the fuel-flow box
};

// The report's rows taken from the plan (every row, the departure included); the plan's
// current row is kept. Numbers are written with `decimalMark`.
std::vector<std::array<QString, 12>> reportRows(Recordset& plan, char decimalMark);

// Pages needed for `rowCount` rows (at least one).
int reportPageCount(int rowCount);

// Paints page `page` (0-based) into `pageRect` (device coordinates of the painter).
void paintFlightPlanReportPage(QPainter& painter, const QRectF& pageRect,
                               const FlightPlanReportData& data, int page);

} // namespace tv
