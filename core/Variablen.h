#pragma once

// Process-wide state that every window reads and writes directly. One thread runs the whole
// program, so these are plain variables without locking. All start at zero, false, empty or
// without a connection; the start-up readers (CoreSettings.h) and the main frame fill them.

#include "core/Dates.h"

#include <cstdint>
#include <memory>

namespace tv {

class Connection;

// Open connections to the four data files; empty when that file is not open.
extern std::shared_ptr<Connection> MainConnection;     // data.tvd
extern std::shared_ptr<Connection> TrackConnection;    // track.tvd
extern std::shared_ptr<Connection> AirspaceConnection; // Luftraum.tvd
extern std::shared_ptr<Connection> AirportConnection;  // tvdata.tvd, only when the file exists

// The update check found a remote version text that differs from ours.
extern bool UpdateAvailable;
// User-interface language: 0 German, any other value English.
extern int16_t Language;
// Aircraft symbol, 1 or 2.
extern int16_t PlaneSymbol;
// Track logger: switched on; milliseconds between two recorded points; recording starts and
// stops by itself with the ground speed.
extern bool TrackLoggerOn;
extern int32_t TrackInterval;
extern bool TrackAutoOn;
// The flight window's track timer was running when that window was left.
extern bool TrackPaused;
// Release date of the airspace data file, or one of the two markers below.
extern Date AirspaceReleaseDate;
// Pressure setting in hPa (1013 when nothing valid was entered) and the day it was saved.
extern int16_t QNH;
extern Date QNHDate;
// The airport data file was found and opened.
extern bool AptDataAvailable;
// Set by the main frame at start: track.tvd did not open, so there is no track logger to set
// up; Luftraum.tvd did not open or holds no release date, so there is no airspace warning to set
// up. The settings window hides those frames while these are set.
extern bool TrackFileMissing;
extern bool AirspaceDataMissing;

// AirspaceReleaseDate before the airspace data file has been opened, and after it opened but
// before a release date was read. Years outside any file's reach, so no real date equals them.
inline constexpr Date kAirspaceNotOpened{std::chrono::year{-1}, std::chrono::month{1},
                                         std::chrono::day{1}};
inline constexpr Date kAirspaceNoDate{std::chrono::year{-1}, std::chrono::month{1},
                                      std::chrono::day{2}};

// True for either marker: no release date is known.
constexpr bool isReleaseDateMarker(Date date)
{
    return date == kAirspaceNotOpened || date == kAirspaceNoDate;
}

// Test hook: every variable back to its start value (connections dropped, no unsaved file told
// yet: a new session).
void resetGlobalsForTesting();

} // namespace tv
