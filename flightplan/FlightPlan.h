#pragma once

// The navigation log of one route ("the plan"): an unconnected Recordset with one row for the
// departure point and one per leg, built from the route's points and the entry values, and
// recomputed after a cell edit. Each route's plan is kept between visits in the file
// Flugplan/<route name> (rowset XML), of which only the entry values of each leg are read back.

#include "flightplan/FlightPlanMath.h"
#include "platform/Recordset.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tv {

class Connection;

// The plan's fields in their order. Text fields are wide enough for any point name of the
// Waypoints table and for wind texts with decimals.
void appendPlanFields(Recordset& plan);

// The grid columns of the window, in order, by the plan field each one shows.
inline constexpr std::array<const char*, 13> kPlanGridFields{
    "Nr", "Name", "VAR", "FFh",     "TAS",         "Windrichtung", "Windstärke",
    "TC", "MH",   "GS",  "Distanz", "ZeitDisplay", "FFm"};

// One point of a route as GpsPoints stores it.
struct PlanPoint
{
    std::string id; // GpsPoints.id as text: the row key of the saved plan
    std::string name;
    double lat = 0; // DD.MM
    double lon = 0; // DD.MM
};

// The points of the route a plan is built for, in route order. Throws DbError.
std::vector<PlanPoint> routePlanPoints(Connection& db, int64_t routeId);

// The entry values of the legs of a saved plan by point id. The departure row is not among
// them; when an id stands more than once the first leg row wins.
using SavedEntries = std::unordered_map<std::string, LegEntries>;

// The summary labels under the log.
struct PlanLabels
{
    std::string distance; // "123,4 NM"
    std::string fuel;     // "31,2"
    std::string time;     // "01:05"
    std::string avgWind;  // "TWC 0 kts"
};

struct PlanInput
{
    std::vector<PlanPoint> points;
    LegEntries boxes; // the entry boxes' values
    // The saved plan of this route; empty (or without legs) when there is none. Ignored when
    // `calculate` is set: then every leg takes the box values.
    const SavedEntries* saved = nullptr;
    bool calculate = false;
    char decimalMark = '.';
};

struct PlanResult
{
    enum class Status { Built, NoPoints, BadLeg };
    Status status = Status::Built;
    // BadLeg: why the leg could not be computed, and whether it took its values from the boxes
    // (so that TAS, or FF / h for the fuel, is the box to mark).
    LegFault fault = LegFault::None;
    bool failingLegFromBoxes = false;
    Recordset plan; // open with its rows when Built
    PlanLabels labels;
};

// Builds the plan of a route. `course` is the true course the distance computation leaves
// behind: a leg without a distance (equal points, a coordinate exactly 0) keeps the course of
// the leg before, from this plan or an earlier one.
PlanResult buildFlightPlan(const PlanInput& input, double& course);

// Computes every leg again from the values stored in its row (after a cell edit): the leg time
// from the stored two-decimal distance, the leg fuel from the row's own fuel flow. The current
// row stays current. All or nothing: empty, and the plan unchanged, when a leg cannot be
// computed (computeLeg). The distance label is not part of the result: it does not change.
std::optional<PlanLabels> recomputeFlightPlan(Recordset& plan, char decimalMark = '.');

// Checks a value typed into grid column `column` of plan row `row` (1-based). Every column
// takes numbers only; TAS must be above 0; columns from FF / h on may not be negative; the wind
// direction may not exceed 360; the row number must be a whole number the log can hold; and
// the plan must stay computable with the value, every leg with a ground speed and every time,
// fuel and sum within the log's range. Returns the value to store (the text itself for the
// name and time columns), or empty when refused. The plan's values are not changed.
std::optional<Value> acceptCellEdit(Recordset& plan, long row, int column, std::string_view text);

// The plan file of a route: `programFolder`/Flugplan/<safe route name>.
std::filesystem::path flightPlanFile(const std::filesystem::path& programFolder,
                                     std::string_view routeName);

// The saved plan of a route as its file gave it.
struct SavedPlan
{
    enum class State {
        None,    // no file: every leg takes the box values
        Read,    // `entries` holds the legs' values
        Damaged, // the file is there but cannot be read (cut short, not a plan)
    };
    State state = State::None;
    SavedEntries entries;
};
// Reads the entry values of a saved plan.
SavedPlan readSavedPlan(const std::filesystem::path& file);

// Moves a damaged plan file aside, beside it as <name>.bad (<name>.bad2, .bad3, ... when that
// is taken; nothing is overwritten), so that the next save does not replace what the pilot may
// still want of it. The new path, or empty when the file could not be moved.
std::optional<std::filesystem::path> setDamagedPlanAside(const std::filesystem::path& file);

// Writes the plan to its file through a temporary file, creating the Flugplan folder when it
// is missing. Unless Saved, the old file is kept; NameTooLong: the file name (the route's name)
// has more bytes than a file name may have (core/SafeFileName.h), nothing was tried.
enum class PlanSave { Saved, NameTooLong, Failed };
PlanSave saveFlightPlan(Recordset& plan, const std::filesystem::path& file);

} // namespace tv
