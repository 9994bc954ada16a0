#include "planning/PlanChart.h"

#include "map/ChartImage.h"
#include "planning/PlanMap.h"
#include "platform/DbError.h"
#include "platform/Log.h"

namespace tv {

void PlanChart::open(Connection* db, const std::filesystem::path& folder)
{
    db_ = db;
    charts_ = ActiveCharts();
    try {
        if (db)
            charts_.open(*db);
    } catch (const DbError& e) {
        logIgnoredFault(e, "the plan map shows no chart");
        charts_ = ActiveCharts();
    }
    const std::filesystem::path file = folder / "kartendaten.crm";
    const LastMapFile last = readLastMapFile(file);
    if (last.chart)
        charts_.seek(QString::fromStdString(*last.chart));
    else
        repairLastMapFile(file, "the file is repaired silently; the first chart is shown");
    last_ = name();
}

std::vector<QString> PlanChart::names() const
{
    try {
        return charts_.names();
    } catch (const DbError& e) {
        logIgnoredFault(e, "the chart box stays empty");
        return {};
    }
}

bool PlanChart::choose(const QString& name)
{
    return charts_.seek(name);
}

PlanChart::Load PlanChart::load(PlanMap& map, const std::filesystem::path& karten) const
{
    if (!hasCharts()) {
        map.clearChart();
        return Load::NoCharts;
    }
    std::optional<ChartRow> row;
    try {
        row = charts_.currentRow();
    } catch (const DbError& e) {
        logIgnoredFault(e, "a chart row that cannot be read is a chart error");
    }
    const QImage picture = readChartImage(karten / name().toStdString());
    if (!row || !map.loadChart(*row, picture)) {
        map.clearChart();
        return Load::Failed;
    }
    return Load::Loaded;
}

bool PlanChart::comeBack()
{
    try {
        if (db_)
            charts_.reread(*db_);
    } catch (const DbError& e) {
        logIgnoredFault(e, "the charts stay as they were read");
    }
    return charts_.seek(last_);
}

} // namespace tv
