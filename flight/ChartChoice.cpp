#include "flight/ChartChoice.h"

#include "core/FileHelpers.h"
#include "map/ActiveCharts.h"
#include "map/ChartImage.h"
#include "map/ChartRow.h"
#include "map/ViewMemory.h"
#include "platform/Recordset.h"
#include "platform/TextFold.h"

namespace tv {

ChartChoice::ChartChoice() = default;

void ChartChoice::openActiveCharts(Connection& main)
{
    charts_.open(main);
}

void ChartChoice::rereadActiveCharts(Connection& main)
{
    charts_.reread(main);
}

bool ChartChoice::hasCharts() const
{
    return charts_.hasCharts();
}

QString ChartChoice::currentName() const
{
    return charts_.currentName();
}

std::optional<ChartRow> ChartChoice::currentRow() const
{
    return charts_.currentRow();
}

bool ChartChoice::seek(const QString& name)
{
    return charts_.seek(name);
}

ChartChoice::Load ChartChoice::loadCurrent(MapView& view, const std::filesystem::path& folder)
{
    if (!hasCharts())
        return Load::NoCharts;
    loaded_.clear();
    const QString name = currentName();
    ChartRow row;
    try {
        row = readChartRow(charts_.rows());
    } catch (const std::exception&) {
        return Load::Failed; // a row without the chart's edges
    }
    const QImage image = readChartImage(folder / name.toStdString());
    if (image.isNull() || view.loadChart(row, image) != MapView::LoadResult::Loaded)
        return Load::Failed;
    loaded_ = name;
    return Load::Loaded;
}

bool ChartChoice::currentIsLoaded() const
{
    const QString name = currentName();
    return valid() && !name.isEmpty() && equalsNoCase(name.toStdString(), loaded_.toStdString());
}

ChartChoice::LastMap ChartChoice::readLastMap(const std::filesystem::path& path)
{
    LastMap last;
    const LastMapFile file = readLastMapFile(path);
    if (file.chart && hasCharts()) {
        last.chart = QString::fromStdString(*file.chart);
        last_ = *last.chart;
        seek(*last.chart);
        if (file.route)
            last.route = QString::fromStdString(*file.route);
    }
    if (!last.route)
        repairLastMapFile(path, "the file is repaired silently; the first chart is shown");
    return last;
}

bool ChartChoice::writeLastMap(const std::filesystem::path& path, const QString& routeText) const
{
    return writeLastMapFile(path, currentName().toStdString(), routeText.toStdString());
}

bool ChartChoice::textSwitchesChart(const QString& text, bool stepping) const
{
    return hasCharts() && (text != previous_ || stepping);
}

bool ChartChoice::loadedByChange(const QString& picked) const
{
    return !loadedByChange_.isEmpty() &&
           equalsNoCase(loadedByChange_.toStdString(), picked.toStdString());
}

// ------------------------------------------------------------------------------ stepping

std::optional<QString> ChartChoice::chartsUnderAircraftFound(std::vector<QString> charts,
                                                             bool atEdge)
{
    under_ = std::move(charts);
    const int count = static_cast<int>(under_.size());
    if (count == 0)
        return std::nullopt;
    std::vector<std::string> names;
    names.reserve(under_.size());
    for (const QString& entry : under_)
        names.push_back(entry.toStdString());
    const auto placeOf = [&](const QString& chart) {
        return SearchList(names, chart.toStdString(), true);
    };
    const auto after = [&](int place) { return place < count - 1 ? place + 1 : 0; };

    // The chart after the shown one in today's list, cycling; the first one when the shown
    // chart no longer holds the aircraft. A change to the chart shown would only reset its view.
    QString shown = currentName();
    std::optional<QString> switchTo;
    const QString candidate = under_[size_t(after(placeOf(shown)))];
    if (atEdge && !equalsNoCase(candidate.toStdString(), shown.toStdString())) {
        switchTo = candidate;
        shown = candidate;
    }
    index_ = placeOf(shown);
    next_ = under_[size_t(after(index_))];
    hints_.showMapNumber = count > 2;
    hints_.showNextMap = count > 1;
    hints_.mapNumberCaption =
        QString::number(index_ + 1) + QLatin1String(" / ") + QString::number(count);
    return switchTo;
}

std::optional<QString> ChartChoice::step()
{
    const int count = static_cast<int>(under_.size());
    const ChartStep step = stepToNextChart(index_, count);
    index_ = step.mapListIndex;
    next_ = step.nextEntry >= 0 ? under_[size_t(step.nextEntry)] : QString();
    if (next_.isEmpty() || count == 0)
        return std::nullopt;
    const QString& chart = under_[size_t(index_)];
    if (chart == currentName())
        return std::nullopt;
    return chart;
}

// ------------------------------------------------------------------------------ view memory

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
