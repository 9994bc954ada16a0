#pragma once

// The chart the plan map shows, held here once: the plan window's own set of active charts,
// whose current row is the chart on screen, and the chart shown when the window was left. The
// chart box is written from here; what the pilot picks or types in it comes in as `choose`.

#include "map/ActiveCharts.h"

#include <QString>

#include <filesystem>
#include <vector>

namespace tv {

class Connection;
class PlanMap;

class PlanChart
{
public:
    // Opens the active charts of `db` (none: no charts). The chart the flight window showed
    // last (kartendaten.crm in `folder`) becomes current, else the first; a file whose chart
    // cannot be read is written anew with "demo.bmp". A failing data file leaves no charts.
    // The chart made current is the one the window comes back to.
    void open(Connection* db, const std::filesystem::path& folder);

    bool hasCharts() const { return charts_.hasCharts(); }
    // The chart on screen (the current one); "" without charts.
    QString name() const { return charts_.currentName(); }
    // The names for the chart box, in their order.
    std::vector<QString> names() const;

    // The pilot picked or typed `name`: that chart becomes current; the first when no active
    // chart has that name (false).
    bool choose(const QString& name);

    enum class Load {
        NoCharts, // nothing to show: the map is blank
        Loaded,
        Failed, // no picture or edges without a scale: the map is blank, chartErrorMessage
    };
    // Loads the current chart into `map` from the chart folder `karten`.
    Load load(PlanMap& map, const std::filesystem::path& karten) const;

    // The window is left: the chart on screen is remembered.
    void leave() { last_ = name(); }
    // The window comes back: the charts are read again (the chart window may have changed
    // them) and the chart shown when it was left is current. False when that chart is no
    // longer active: then the first is current and has to be loaded.
    bool comeBack();

private:
    Connection* db_ = nullptr;
    ActiveCharts charts_;
    QString last_;
};

} // namespace tv
