#pragma once

// The chart the flight map shows and what is remembered about charts:
//   - the current chart: the current row of the shared active charts (ActiveMaps, the Maps
//     rows with Active set, by name);
//   - the loaded chart: its image and scales in the map's MapView, usable or not;
//   - kartendaten.crm: the chart and the route text shown last, two quoted lines;
//   - position.crm: for every chart ever left, where the pilot was looking (map/ViewMemory.h).

#include "map/MapView.h"

#include <QString>

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace tv {

class Connection;
class Recordset;

class ChartChoice
{
public:
    // There are active charts (one of them is current).
    static bool hasCharts();
    // Name of the current chart; "" without active charts.
    static QString currentName();
    // The current chart's row; empty without a current chart. Throws DbError.
    static std::optional<ChartRow> currentRow();
    // Makes the chart named `name` current; the first active chart when none has that name
    // (false).
    static bool seek(const QString& name);

    enum class Load {
        NoCharts, // no active chart: nothing changed
        Loaded,
        Failed, // no image, or edges and sizes that give no scale: nothing is drawn
    };
    // Loads the current chart into `view` (whose view size the caller has set): the image from
    // `folder`, its scales from the chart row, the view of a chart never shown before (the
    // top-left half of the image width, zoom 0).
    Load loadCurrent(MapView& view, const std::filesystem::path& folder);
    // The message box of a chart that fails to load, in German or English.
    struct Message
    {
        QString text;
        QString title;
    };
    static Message errorMessage(const QString& name, bool german);
    // A chart is loaded and usable: only then is anything drawn on the map.
    bool valid() const { return !loaded_.isEmpty(); }
    void invalidate() { loaded_.clear(); }
    // The loaded chart is the current one (a stored view never goes with another's image).
    bool currentIsLoaded() const;

    // kartendaten.crm. Makes the chart of its first line current (when there are active
    // charts) and gives that name and the route text of the second line. A file that cannot
    // be read in full is written anew with the single line "demo.bmp"; what was read stays.
    struct LastMap
    {
        std::optional<QString> chart;
        std::optional<QString> route;
    };
    static LastMap readLastMap(const std::filesystem::path& path);
    // Rewrites kartendaten.crm with the current chart and `routeText`.
    [[nodiscard]] static bool writeLastMap(const std::filesystem::path& path,
                                           const QString& routeText);

    // position.crm, read once when the window loads (an empty memory when it is missing).
    void openViewMemory(const std::filesystem::path& path);
    // Puts the stored view of the loaded chart back into `view`. Empty when there is none (or
    // the loaded chart is not the current one); otherwise whether it was centred on the
    // aircraft.
    std::optional<bool> restoreView(MapView& view) const;
    // Stores the view of the loaded chart and rewrites the memory at `path`.
    void saveView(const MapView& view, const std::filesystem::path& path);

private:
    QString loaded_; // name of the chart whose image `view` holds, "" when none is usable
    std::shared_ptr<Recordset> memory_;
};

} // namespace tv
