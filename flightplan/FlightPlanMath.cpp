#include "flightplan/FlightPlanMath.h"

#include "core/GeoMath.h"
#include "core/NumberFormat.h"
#include "core/Rounding.h"
#include "platform/Value.h"

#include <cmath>
#include <cstdlib>

namespace tv {
namespace {

constexpr double kRad = kGeoPi / 180.0;

bool inLogRange(double v)
{
    return std::fabs(v) <= kLargestLogValue; // false for NaN and infinities too
}

// Rounded components may come out as -0; the log shows them as 0.
double noNegativeZero(double v)
{
    return v == 0.0 ? 0.0 : v;
}

} // namespace

WindTriangle windTriangle(double tcDeg, const LegEntries& e)
{
    WindTriangle w;
    const double wa = (e.windDir - tcDeg) * kRad;
    w.crosswind = noNegativeZero(RoundHalfEven(std::sin(wa) * e.windSpeed, 2));
    w.tailwind = noNegativeZero(-RoundHalfEven(std::cos(wa) * e.windSpeed, 2));
    w.wca = e.tas != 0.0 ? w.crosswind * 60.0 / e.tas : 0.0;
    w.gs = e.tas + w.tailwind;
    w.mh = (tcDeg + w.wca) - e.var;
    return w;
}

double wholeLegMinutes(double minutes)
{
    const double h = minutes / 60.0;
    const double whole = std::floor(h);
    return whole * 60.0 + RoundHalfEven((h - whole) * 60.0, 0);
}

std::string timeText(double wholeMinutes)
{
    const double hours = std::floor(wholeMinutes / 60.0);
    const double minutes = wholeMinutes - 60.0 * hours;
    return formatPattern(hours, "0#") + ":" + formatPattern(minutes, "0#");
}

std::int32_t averageWind(std::int32_t windSum, double totalMinutes)
{
    if (totalMinutes == 0.0)
        return 0;
    return ToInt32HalfEven(static_cast<double>(windSum) / totalMinutes).value_or(0);
}

std::string averageWindText(std::int32_t average)
{
    const long magnitude = std::labs(static_cast<long>(average));
    const char* unit = magnitude == 1 ? " kt" : " kts";
    return (average >= 0 ? "TWC " : "HWC ") + std::to_string(magnitude) + unit;
}

std::string wholeDegreesText(double degrees)
{
    return formatPattern(degrees, "##0", {'.', HalfRounding::AwayFromZero});
}

std::optional<LegResult> computeLeg(double tcDeg, double distanceNm, const LegEntries& e,
                                    double fuelFlowPerHour, RunningTotals& run, char decimalMark,
                                    LegFault* fault)
{
    const auto fail = [fault](LegFault why) -> std::optional<LegResult> {
        if (fault != nullptr)
            *fault = why;
        return std::nullopt;
    };
    const WindTriangle w = windTriangle(tcDeg, e);
    if (!(w.gs > 0.0))
        return fail(LegFault::NoGroundSpeed);
    const double t = distanceNm * 60.0 / w.gs;
    const double legMinutes = wholeLegMinutes(t);
    const double totalMinutes = run.minutes + legMinutes;
    const auto windSum = ToInt32HalfEven(static_cast<double>(run.windSum) + t * w.tailwind);
    if (!inLogRange(distanceNm) || !inLogRange(t) || !inLogRange(totalMinutes) || !windSum)
        return fail(LegFault::TooLong);
    const double legFuel = RoundHalfEven(fuelFlowPerHour / 60.0 * t, 1);
    const double totalFuel = run.fuel + legFuel;
    if (!inLogRange(legFuel) || !inLogRange(totalFuel))
        return fail(LegFault::TooMuchFuel);

    LegResult r;
    r.wind = numberText(e.windDir, decimalMark) + " / " + numberText(e.windSpeed, decimalMark);
    r.gs = w.gs;
    r.mh = w.mh;
    r.zeit = RoundHalfEven(t, 2);
    r.ffm = legFuel;
    run.fuel = totalFuel;
    r.ffmAcc = RoundHalfEven(run.fuel, 1);
    run.windSum = *windSum;
    run.minutes = totalMinutes;
    r.zeitDisplay = timeText(legMinutes);
    r.zeitAcc = timeText(run.minutes);
    if (fault != nullptr)
        *fault = LegFault::None;
    return r;
}

EntryCheck checkEntries(const EntryTexts& texts)
{
    EntryCheck check;
    std::array<double, 5> v{};
    for (int box = BoxVar; box <= BoxWindSpeed; ++box) {
        const auto n = readStrictNumber(texts[static_cast<std::size_t>(box - 1)]);
        if (!n) {
            check.ok = false;
            check.failingBox = box;
        }
        v[static_cast<std::size_t>(box - 1)] = n.value_or(0.0);
    }
    const auto fail = [&check](int box) {
        check.ok = false;
        check.failingBox = box;
    };
    if (v[BoxFF - 1] < 0)
        fail(BoxFF);
    if (v[BoxSpeed - 1] <= 0)
        fail(BoxSpeed);
    if (v[BoxWindDir - 1] < 0 || v[BoxWindDir - 1] > 360)
        fail(BoxWindDir);
    if (v[BoxWindSpeed - 1] < 0)
        fail(BoxWindSpeed);
    check.values = {v[BoxVar - 1], v[BoxSpeed - 1], v[BoxWindDir - 1], v[BoxWindSpeed - 1],
                    v[BoxFF - 1]};
    return check;
}

} // namespace tv

namespace tv {

std::optional<std::int64_t> gridHeightTwips(std::int64_t rows, std::int64_t gridTopTwips,
                                            std::int64_t windowHeightTwips)
{
    std::int64_t h = rows * 300 + 750;
    const std::int64_t limit = windowHeightTwips - 1400;
    if (gridTopTwips + h > limit) {
        h -= 100;
        if (gridTopTwips + h >= limit)
            h -= ((gridTopTwips + h - limit) / 100 + 1) * 100;
    }
    if (h < 0)
        return std::nullopt;
    return h;
}

} // namespace tv
