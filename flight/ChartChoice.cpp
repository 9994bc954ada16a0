#include "flight/ChartChoice.h"

#include "core/SettingsFile.h"
#include "core/UnsavedFile.h"
#include "core/Variablen.h"
#include "flight/MapOverlay.h"
#include "map/ChartImage.h"
#include "map/ChartRow.h"
#include "map/ViewMemory.h"
#include "platform/Recordset.h"
#include "platform/TextFold.h"

namespace tv {
namespace {

bool hasRows(const std::shared_ptr<Recordset>& rs)
{
    return rs && rs->State() == Recordset::kStateOpen && rs->RecordCount() > 0;
}

} // namespace

bool ChartChoice::hasCharts()
{
    return hasRows(ActiveMaps);
}

QString ChartChoice::currentName()
{
    if (!ActiveMaps || !ActiveMaps->HasCurrentRow())
        return {};
    return QString::fromStdString(ActiveMaps->Field("Name").toString());
}

std::optional<ChartRow> ChartChoice::currentRow()
{
    if (!ActiveMaps || !ActiveMaps->HasCurrentRow())
        return std::nullopt;
    return readChartRow(*ActiveMaps);
}

bool ChartChoice::seek(const QString& name)
{
    if (!hasRows(ActiveMaps))
        return false;
    ActiveMaps->MoveFirst();
    ActiveMaps->Find("Name", CompareOp::Equal, Value(name.toStdString()));
    if (!ActiveMaps->Eof())
        return true;
    ActiveMaps->MoveFirst();
    return false;
}

ChartChoice::Load ChartChoice::loadCurrent(MapView& view, const std::filesystem::path& folder)
{
    if (!hasRows(ActiveMaps))
        return Load::NoCharts;
    loaded_.clear();
    const QString name = currentName();
    ChartRow row;
    try {
        row = readChartRow(*ActiveMaps);
    } catch (const std::exception&) {
        return Load::Failed; // a row without the chart's edges
    }
    const QImage image = readChartImage(folder / name.toStdString());
    if (image.isNull() || view.loadChart(row, image) != MapView::LoadResult::Loaded)
        return Load::Failed;
    loaded_ = name;
    return Load::Loaded;
}

ChartChoice::Message ChartChoice::errorMessage(const QString& name, bool german)
{
    if (german)
        return {QStringLiteral("Fehler in Karte: ") + name +
                    QStringLiteral(" - Bitte Koordinaten üperprüfen."),
                QStringLiteral("Fehler in Karte")};
    return {QStringLiteral("Map error: ") + name + QStringLiteral(" - please check coordinates."),
            QStringLiteral("Map error")};
}

bool ChartChoice::currentIsLoaded() const
{
    const QString name = currentName();
    return valid() && !name.isEmpty() && equalsNoCase(name.toStdString(), loaded_.toStdString());
}

ChartChoice::LastMap ChartChoice::readLastMap(const std::filesystem::path& path)
{
    LastMap last;
    SettingsReader reader(path);
    const std::optional<std::string> chart = reader.readText();
    bool complete = false;
    if (chart && hasRows(ActiveMaps)) {
        last.chart = QString::fromStdString(*chart);
        seek(*last.chart);
        if (const std::optional<std::string> route = reader.readText()) {
            last.route = QString::fromStdString(*route);
            complete = true;
        }
    }
    if (!complete && !SettingsWriter().writeText("demo.bmp").save(path))
        passOverUnsaved(path, "the file is repaired silently; the first chart is shown");
    return last;
}

bool ChartChoice::writeLastMap(const std::filesystem::path& path, const QString& routeText)
{
    return SettingsWriter()
        .writeText(currentName().toStdString())
        .writeText(routeText.toStdString())
        .save(path);
}

void ChartChoice::openViewMemory(const std::filesystem::path& path)
{
    memory_ = loadViewMemory(path);
}

std::optional<bool> ChartChoice::restoreView(MapView& view) const
{
    if (!memory_ || !currentIsLoaded())
        return std::nullopt;
    const std::optional<StoredView> stored = findView(*memory_, loaded_.toStdString());
    if (!stored ||
        !view.restoreView(stored->sx, stored->sy, stored->sw, stored->sh, stored->slider))
        return std::nullopt;
    return stored->centerMap;
}

void ChartChoice::saveView(const MapView& view, const std::filesystem::path& path)
{
    if (!memory_ || !valid())
        return;
    StoredView stored;
    stored.sx = view.sourceX();
    stored.sy = view.sourceY();
    stored.sw = view.sourceWidth();
    stored.sh = view.sourceHeight();
    stored.slider = view.sliderValue();
    stored.centerMap = view.centredOnAircraft();
    storeView(*memory_, loaded_.toStdString(), stored, path);
}

} // namespace tv
