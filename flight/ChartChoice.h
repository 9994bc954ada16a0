#pragma once

// The chart the flight map shows and what is remembered about charts, each held once here:
//   - the active charts (the Maps rows with Active set, by name) and the current one, their
//     current row; the set is the flight window's own (the calibration window reads its own),
//     read anew when the window comes back, which then seeks its chart by name;
//   - the loaded chart: its image and scales in the map's MapView, usable or not;
//   - the chart combo's text and the chart shown before the window went to the background;
//   - in stepping mode, the charts under the aircraft at the last redraw, the place of the
//     shown one among them and the chart a step goes to next (the hint), and the decision to
//     change the chart at the view's edge;
//   - kartendaten.crm: the chart and the route text shown last, two quoted lines;
//   - position.crm: for every chart ever left, where the pilot was looking (map/ViewMemory.h).
// The window writes the chart combo, the hint and the counter from this object and reads
// none of them back.

#include "map/ActiveCharts.h"
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
    ChartChoice();
    // Opens the active charts in name order on `main`; the first is current. Throws DbError.
    void openActiveCharts(Connection& main);
    // Reads the active charts again (another window may have added, activated or deactivated
    // one); the chart of the same name stays current, else the first. Throws DbError.
    void rereadActiveCharts(Connection& main);
    // There are active charts (one of them is current).
    bool hasCharts() const;
    // Name of the current chart; "" without active charts.
    QString currentName() const;
    // The current chart's row; empty without a current chart. Throws DbError.
    std::optional<ChartRow> currentRow() const;
    // Makes the chart named `name` current; the first active chart when none has that name
    // (false).
    bool seek(const QString& name);

    enum class Load {
        NoCharts, // no active chart: nothing changed
        Loaded,
        Failed, // no image, or edges and sizes that give no scale: nothing is drawn
    };
    // Loads the current chart into `view` (whose view size the caller has set): the image from
    // `folder`, its scales from the chart row, the view of a chart never shown before (the
    // top-left half of the image width, zoom 0).
    Load loadCurrent(MapView& view, const std::filesystem::path& folder);
    // (The message box of a chart that fails to load: chartErrorMessage, map/ActiveCharts.h.)
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
    LastMap readLastMap(const std::filesystem::path& path);
    // Rewrites kartendaten.crm with the current chart and `routeText` (the route shown).
    [[nodiscard]] bool writeLastMap(const std::filesystem::path& path,
                                    const QString& routeText) const;

    // The chart shown when the window went to the background (LastMapName): the chart of
    // kartendaten.crm at start, then the current chart at each leaving.
    const QString& lastName() const { return last_; }
    void leave() { last_ = currentName(); }
    // The window comes back: the chart it showed becomes current again; false (the first
    // active chart is current) when it is no longer active.
    bool reselectLast() { return seek(last_); }

    // The chart combo. Its text is what the window last wrote into it or the pilot typed.
    void comboShows(const QString& text) { comboText_ = text; }
    // The combo's list was refilled: its text so far is the previous one (PrevMapName).
    void comboRefilled() { previous_ = comboText_; }
    // The combo text `text` switches the chart: there are active charts, and the text differs
    // from the previous one or stepping mode reloads it anyway.
    bool textSwitchesChart(const QString& text, bool stepping) const;
    // A change of the combo text loaded `name`; a pick from the list that follows it in the
    // same turn of the event loop need not load it again (until forgetChangeLoad).
    void noteChangeLoad(const QString& name) { loadedByChange_ = name; }
    void forgetChangeLoad() { loadedByChange_.clear(); }
    bool loadedByChange(const QString& picked) const;

    // ---- chart stepping
    // What the controls show of the charts under the aircraft after a redraw.
    struct StepHints
    {
        bool showMapNumber = false; // more than two charts
        bool showNextMap = false;   // more than one chart
        QString mapNumberCaption;   // "2 / 3", "0 / 3" when the shown chart is not among them
    };
    // A redraw in stepping mode found `chartsUnderAircraft` (in the order of the chart table)
    // with the aircraft in the band along the view's edge or beyond it (`atEdge`). Returns
    // the chart to change to: another chart holding the aircraft, when it is at the edge.
    // The list, the shown chart's place in it and the hint are kept; with no chart under the
    // aircraft only the (empty) list is.
    std::optional<QString> chartsUnderAircraftFound(std::vector<QString> chartsUnderAircraft,
                                                    bool atEdge);
    const StepHints& stepHints() const { return hints_; }
    const std::vector<QString>& chartsUnderAircraft() const { return under_; }
    // Place of the shown chart among the charts under the aircraft, -1 when not there
    // (MapListIndex).
    int mapListIndex() const { return index_; }
    // The chart a further step goes to; "" when none.
    const QString& nextChart() const { return next_; }
    // A left press or Space in stepping mode: the next chart under the aircraft, cycling.
    // Returns the chart to show when it is not the current one.
    std::optional<QString> step();
    // The window loads: the place among the charts under the aircraft starts at 0.
    void resetStepping() { index_ = 0; }

    // position.crm, read once when the window loads (an empty memory when it is missing).
    void openViewMemory(const std::filesystem::path& path);
    // Puts the stored view of the loaded chart back into `view`. Empty when there is none (or
    // the loaded chart is not the current one); otherwise whether it was centred on the
    // aircraft.
    std::optional<bool> restoreView(MapView& view) const;
    // Stores the view of the loaded chart and rewrites the memory at `path`.
    void saveView(const MapView& view, const std::filesystem::path& path);

private:
    ActiveCharts charts_;
    QString comboText_;
    QString previous_;
    QString last_;
    QString loadedByChange_;
    std::vector<QString> under_;
    int index_ = 0;
    QString next_;
    StepHints hints_;
    QString loaded_; // name of the chart whose image `view` holds, "" when none is usable
    std::shared_ptr<Recordset> memory_;
};

} // namespace tv
