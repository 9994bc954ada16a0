#include "map/ChartRow.h"

#include "platform/Connection.h"
#include "platform/Recordset.h"

#include <cmath>

namespace tv {
namespace {

std::optional<double> storedNumber(const Recordset& maps, const char* field)
{
    const std::optional<double> value = maps.Field(field).asNumber();
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

} // namespace

ChartRow readChartRow(const Recordset& maps)
{
    ChartRow row;
    row.southDDMM = storedNumber(maps, "Unten");
    row.northDDMM = storedNumber(maps, "Oben");
    row.westDDMM = storedNumber(maps, "Links");
    row.eastDDMM = storedNumber(maps, "Rechts");
    row.widthPx = storedNumber(maps, "Breite");
    row.heightPx = storedNumber(maps, "Höhe");
    return row;
}

void openActiveCharts(Recordset& maps, Connection& db)
{
    maps.Open("SELECT * From Maps Where Active <> 0 Order by NAME ASC", db);
}

std::vector<QString> activeChartNames(Connection& db)
{
    Recordset maps;
    openActiveCharts(maps, db);
    std::vector<QString> names;
    names.reserve(static_cast<size_t>(maps.RecordCount()));
    for (; !maps.Eof(); maps.MoveNext())
        names.push_back(QString::fromStdString(maps.Field("Name").toString()));
    return names;
}

} // namespace tv
