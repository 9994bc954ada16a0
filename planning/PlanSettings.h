#pragma once

// The plan window's settings files in the program folder.
//
// planung.crm: one quoted text, the airspace filter of the plan map: "-99" all airspaces,
// "-10" none, or an altitude in feet, a whole number 0..32767. Written when the plan window is
// left, read once when it loads.
// kartendaten.crm: written by the flight window (line 1 the chart's name, line 2 the route);
// the plan window only reads the first value, once, and re-creates the file with "demo.bmp"
// when it is missing or unreadable.

#include <filesystem>
#include <optional>
#include <string>

namespace tv {

inline constexpr const char* kAllAirspaces = "-99";
inline constexpr const char* kNoAirspaces = "-10";

// True for "-99", "-10" and a whole number 0..32767 (digits only, no sign, no blanks).
bool isAirspaceFilterText(const std::string& text);

// Reads planung.crm. A missing file or one holding anything but a valid filter is unreadable:
// the file is written anew with "-99" and "-99" is returned.
std::string loadPlanSettings(const std::filesystem::path& folder);
// Writes planung.crm with `filter`; false when the file could not be written (the old one
// stays).
bool savePlanSettings(const std::filesystem::path& folder, const std::string& filter);

// The chart the flight window showed last: the first value of kartendaten.crm. A missing or
// unreadable file is re-created with the single value "demo.bmp" and gives no name.
std::optional<std::string> loadLastChartName(const std::filesystem::path& folder);

} // namespace tv
