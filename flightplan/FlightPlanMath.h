#pragma once

// The arithmetic of one navigation-log leg: wind triangle, time, fuel, and the texts the log
// shows for times and the average wind. Angles are degrees; courses and wind directions are
// degrees true, the wind given as the direction it blows FROM. Speeds are knots, distances
// NM, times minutes, fuel in the unit of the fuel flow (per hour).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tv {

// The five values a leg is computed from besides its course and distance.
struct LegEntries
{
    double var = 0;       // magnetic variation, degrees, east positive
    double tas = 0;       // true airspeed, kt
    double windDir = 0;   // wind direction, degrees (from)
    double windSpeed = 0; // wind speed, kt
    double ffh = 0;       // fuel flow per hour
};

// The wind triangle by the one-in-sixty rule. Components are rounded to two decimals.
struct WindTriangle
{
    double crosswind = 0; // kt, positive from the right
    double tailwind = 0;  // kt, negative for a headwind
    double wca = 0;       // wind correction angle, degrees, not rounded
    double gs = 0;        // ground speed, kt
    double mh = 0;        // magnetic heading: (TC + WCA) - VAR, neither rounded nor wrapped
};
WindTriangle windTriangle(double tcDeg, const LegEntries& e);

// Sums over the legs computed so far.
struct RunningTotals
{
    double fuel = 0;          // sum of the legs' rounded fuel
    double minutes = 0;       // sum of the legs' whole minutes
    std::int32_t windSum = 0; // sum of minutes x tailwind, kept whole after every leg
};

// What the log shows of one computed leg.
struct LegResult
{
    std::string wind; // "270 / 15"
    double gs = 0;
    double mh = 0;
    double zeit = 0; // leg minutes, two decimals
    std::string zeitDisplay;
    std::string zeitAcc;
    double ffm = 0;    // leg fuel, one decimal
    double ffmAcc = 0; // fuel from the departure, one decimal
};

// The log keeps its sums (minutes, fuel, the wind sum) and a leg's distance, time and fuel as
// 32-bit whole numbers would hold them: a value beyond this magnitude is no value a pilot
// means, and a leg that would carry any of them beyond it is not computed.
inline constexpr double kLargestLogValue = 2147483647.0;

// Why a leg could not be computed.
enum class LegFault {
    None,
    NoGroundSpeed, // a headwind component at or above TAS
    TooLong,       // its distance, time or a sum of minutes would leave the log's range
    TooMuchFuel,   // its fuel or the fuel sum would leave the log's range
};

// Computes one leg from its course `tcDeg` and `distanceNm` (the time is distance / GS) and
// adds it to `run`; the leg fuel is `fuelFlowPerHour` x time. Empty, `run` unchanged and
// `fault` set (when given) when the leg cannot be computed: a ground speed of 0 or below has
// no time, and no value may leave kLargestLogValue. `decimalMark` is the mark the wind text
// shows.
std::optional<LegResult> computeLeg(double tcDeg, double distanceNm, const LegEntries& e,
                                    double fuelFlowPerHour, RunningTotals& run,
                                    char decimalMark = '.', LegFault* fault = nullptr);

// Leg minutes as whole minutes: the whole hours, plus the minutes past them rounded with
// halves to even (0.5 -> 0, 1.5 -> 2, 59.5 -> 60).
double wholeLegMinutes(double minutes);

// A whole number of minutes (0 or more) as hours ":" minutes, each at least two digits:
// 0 -> "00:00", 125 -> "02:05", 6000 -> "100:00".
std::string timeText(double wholeMinutes);

// The time-weighted average tailwind (kt) from the wind sum and the total minutes, rounded
// with halves to even; 0 when no time was flown.
std::int32_t averageWind(std::int32_t windSum, double totalMinutes);
// "TWC 10 kts" for a tailwind (or none), "HWC 1 kt" for a headwind.
std::string averageWindText(std::int32_t average);

// A heading as the log shows it: whole degrees, halves away from zero, as the course is
// rounded (349.608 -> "350", -0.5 -> "-1"). The plan itself keeps the unrounded value.
std::string wholeDegreesText(double degrees);

// The five entry boxes in their order: VAR, FF / h, TAS, wind direction, wind speed.
enum EntryBox { BoxVar = 1, BoxFF = 2, BoxSpeed = 3, BoxWindDir = 4, BoxWindSpeed = 5 };
using EntryTexts = std::array<std::string, 5>;

struct EntryCheck
{
    bool ok = true;
    int failingBox = 0; // the last failing check's box (EntryBox), 0 when ok
    LegEntries values;  // the boxes' values, as computed with
};
// Checks the boxes in the order the pilot has always seen them marked: each text must be a
// number; FF / h not below 0; TAS above 0; wind direction 0..360; wind speed not below 0.
// Every failing check overwrites the box to mark, so the last one wins. A text that is no
// number counts as 0 in the range checks.
EntryCheck checkEntries(const EntryTexts& texts);

} // namespace tv

namespace tv {

// Height of the log grid in twips for `rows` plan rows: 300 a row plus 750 for the header and
// frame, shrunk in steps of 100 until the grid's bottom lies above the window's height less
// 1400 (room for the totals below it). Empty when no height of 0 or more fits.
std::optional<std::int64_t> gridHeightTwips(std::int64_t rows, std::int64_t gridTopTwips,
                                            std::int64_t windowHeightTwips);

} // namespace tv
