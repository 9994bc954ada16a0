#pragma once

// The active charts a map offers, and what the maps remember about charts:
//   - ActiveCharts: a window's own set of the active charts (Maps rows with Active set, by
//     name) and its current chart; every window has its own, so none moves another's row;
//   - kartendaten.crm: the chart and the route text the flight window showed last, two quoted
//     lines, read and written here only;
//   - the message of a chart that fails to load.

#include "map/ChartRow.h"

#include <QString>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tv {

class Connection;
class Recordset;

class ActiveCharts
{
public:
    ActiveCharts();
    ~ActiveCharts();
    ActiveCharts(ActiveCharts&&) noexcept;
    ActiveCharts& operator=(ActiveCharts&&) noexcept;

    // Opens the active charts in name order on `main`; the first is current. Throws DbError.
    void open(Connection& main);
    // Reads the charts of `main` again (another window may have added, switched on or off
    // one), or opens them when the set is not open; the chart of the same name stays current,
    // else the first. Throws DbError; a failed read again keeps the rows as they were.
    void reread(Connection& main);
    // The set itself, for a grid bound to it (never null).
    Recordset& rows() const { return *charts_; }
    // There are active charts (one of them is current).
    bool hasCharts() const;
    // Name of the current chart; "" without active charts.
    QString currentName() const;
    // The current chart's row; empty without a current chart. Throws DbError.
    std::optional<ChartRow> currentRow() const;
    // Makes the chart named `name` current; the first active chart when none has that name
    // (false).
    bool seek(const QString& name);
    // The names in their order: the chart box. The current chart stays.
    std::vector<QString> names() const;

private:
    std::unique_ptr<Recordset> charts_;
};

// The message box of a chart that fails to load, in German or English.
struct ChartMessage
{
    QString text;
    QString title;
};
ChartMessage chartErrorMessage(const QString& chartName, bool german);

// kartendaten.crm as it was read: the chart's name (line 1) and the route text (line 2); a
// value that could not be read is empty.
struct LastMapFile
{
    std::optional<std::string> chart;
    std::optional<std::string> route;
};
LastMapFile readLastMapFile(const std::filesystem::path& path);
// Writes the file with the two values; false when it could not be written (the old one stays).
[[nodiscard]] bool writeLastMapFile(const std::filesystem::path& path, const std::string& chart,
                                    const std::string& route);
// Writes the file anew with the single value "demo.bmp" (a file that could not be read); when
// that fails the pilot is not troubled, and `consequence` goes to the log.
void repairLastMapFile(const std::filesystem::path& path, const char* consequence);

} // namespace tv
