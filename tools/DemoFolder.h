#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tv::demo {

// What prepareDemoFolder did, one line of text per item, for the tool's report.
struct DemoFolderReport
{
    std::vector<std::string> made;
    std::vector<std::string> kept;
};

// Prepares a program folder for the demo:
// - lays out the folder as tramvik-mkfolder does, with the airspace data file (released today)
//   and the airport data file;
// - Karten/demo.jpg (the demo chart) and its calibration file Karten/demo.crm;
// - in data.tvd: the waypoint categories, the waypoints, the route with its points and the
//   chart's Maps row (active);
// - in tvdata.tvd: the airports with runways, radio stations and country prefixes;
// - in Luftraum.tvd: a few airspaces and the release date;
// - kartendaten.crm (the chart and route the flight window opens) and Set.crm (route line,
//   waypoint names, airports and airspaces switched on).
//
// Never overwrites: a file that exists is kept as it is, and a data file is filled only while
// the tables the demo fills are all empty (a folder just laid out by tramvik-mkfolder is
// filled; a folder with the pilot's own waypoints, routes or charts is left alone).
// Text needs a QGuiApplication to be drawn on the chart.
// Throws std::runtime_error (or tv::DbError) with a clear message on failure; what was made
// before stays.
DemoFolderReport prepareDemoFolder(const std::filesystem::path& folder);

} // namespace tv::demo
