#include "flightplan/FlightPlan.h"

#include "core/GeoMath.h"
#include "core/NumberFormat.h"
#include "core/Rounding.h"
#include "core/SafeFileName.h"
#include "platform/DbError.h"
#include "route/RouteData.h"

#include <system_error>

namespace tv {
namespace {

constexpr int kNameChars = 255; // as Waypoints.Name and GpsPoints.Name
constexpr int kIdChars = 12;    // an autonumber as text
constexpr int kWindChars = 64;  // "270,55 / 15,125" and longer
constexpr int kTimeChars = 16;  // hours may take more than two digits

PlanLabels labelsFor(double totalDistance, const RunningTotals& run, char mark)
{
    PlanLabels l;
    l.distance = numberText(RoundHalfEven(totalDistance, 1), mark) + " NM";
    l.fuel = numberText(RoundHalfEven(run.fuel, 1), mark);
    l.time = timeText(run.minutes);
    l.avgWind = averageWindText(averageWind(run.windSum, run.minutes));
    return l;
}

void writeLeg(Recordset& plan, const LegResult& r)
{
    plan.SetField("GS", r.gs);
    plan.SetField("MH", r.mh);
    plan.SetField("FFm", r.ffm);
    plan.SetField("FFmAcc", r.ffmAcc);
    plan.SetField("Zeit", r.zeit);
    plan.SetField("Wind", r.wind);
    plan.SetField("ZeitDisplay", r.zeitDisplay);
    plan.SetField("ZeitAcc", r.zeitAcc);
}

void writeEntries(Recordset& plan, const LegEntries& e)
{
    plan.SetField("VAR", e.var);
    plan.SetField("TAS", e.tas);
    plan.SetField("Windrichtung", e.windDir);
    plan.SetField("Windstärke", e.windSpeed);
    plan.SetField("FFh", e.ffh);
}

LegEntries entriesOfRow(const Recordset& plan)
{
    return {plan.Field("VAR").toDouble(), plan.Field("TAS").toDouble(),
            plan.Field("Windrichtung").toDouble(), plan.Field("Windstärke").toDouble(),
            plan.Field("FFh").toDouble()};
}

// A leg as its plan row stores it: what the recomputation after a cell edit starts from.
struct StoredLeg
{
    double tc = 0;
    double distance = 0; // NM, two decimals
    LegEntries entries;
};

// The legs of the plan (every row after the departure), in row order. The current row is left
// wherever the reading ends; callers put it back.
std::vector<StoredLeg> storedLegs(Recordset& plan)
{
    std::vector<StoredLeg> legs;
    plan.MoveFirst();
    if (!plan.Eof())
        plan.MoveNext();
    for (; !plan.Eof(); plan.MoveNext())
        legs.push_back(
            {plan.Field("TC").toDouble(), plan.Field("Distanz").toDouble(), entriesOfRow(plan)});
    return legs;
}

// Computes the legs one after the other, each leg's fuel from its own fuel flow. False as soon
// as one cannot be computed; `results` then holds the legs before it.
bool computeStoredLegs(const std::vector<StoredLeg>& legs, RunningTotals& run, char mark,
                       std::vector<LegResult>& results)
{
    results.clear();
    results.reserve(legs.size());
    for (const StoredLeg& leg : legs) {
        const auto r = computeLeg(leg.tc, leg.distance, leg.entries, leg.entries.ffh, run, mark);
        if (!r)
            return false;
        results.push_back(*r);
    }
    return true;
}

// "##0": whole degrees, halves away from zero, as the course has always been shown.
double wholeCourse(double courseDeg)
{
    return readStrictNumber(formatPattern(courseDeg, "##0", {'.', HalfRounding::AwayFromZero}))
        .value_or(0.0);
}

} // namespace

void appendPlanFields(Recordset& plan)
{
    plan.AppendField("Id", FieldType::VarChar, kIdChars, true);
    plan.AppendField("Nr", FieldType::Long, 0, true);
    plan.AppendField("Name", FieldType::VarChar, kNameChars, true);
    plan.AppendField("TC", FieldType::Double, 0, true);
    plan.AppendField("Distanz", FieldType::Double, 0, true);
    plan.AppendField("DistanzAcc", FieldType::Double, 0, true);
    plan.AppendField("TAS", FieldType::Double, 0, true);
    plan.AppendField("Wind", FieldType::VarChar, kWindChars, true);
    plan.AppendField("Windrichtung", FieldType::Double, 0, true);
    plan.AppendField("Windstärke", FieldType::Double, 0, true);
    plan.AppendField("GS", FieldType::Double, 0, true);
    plan.AppendField("Zeit", FieldType::Double, 0, true);
    plan.AppendField("ZeitDisplay", FieldType::VarChar, kTimeChars, true);
    plan.AppendField("ZeitAcc", FieldType::VarChar, kTimeChars, true);
    plan.AppendField("FFh", FieldType::Double, 0, true);
    plan.AppendField("FFm", FieldType::Double, 0, true);
    plan.AppendField("FFmAcc", FieldType::Double, 0, true);
    plan.AppendField("MH", FieldType::Double, 0, true);
    plan.AppendField("VAR", FieldType::Double, 0, true);
    plan.AppendField("LAT", FieldType::Double, 0, true);
    plan.AppendField("LONG", FieldType::Double, 0, true);
}

PlanResult buildFlightPlan(const PlanInput& input, double& course)
{
    PlanResult result;
    if (input.points.empty()) {
        result.status = PlanResult::Status::NoPoints;
        return result;
    }
    // A saved plan without legs counts as none: every leg then takes the box values.
    const SavedEntries* saved =
        (!input.calculate && input.saved != nullptr && !input.saved->empty()) ? input.saved
                                                                              : nullptr;
    const char mark = input.decimalMark;

    Recordset& plan = result.plan;
    appendPlanFields(plan);
    plan.Open();

    const PlanPoint& first = input.points.front();
    plan.AddNew();
    plan.SetField("Id", first.id);
    plan.SetField("Nr", 1);
    plan.SetField("Name", first.name);
    for (const char* zero : {"TAS", "Zeit", "Windrichtung", "Windstärke", "GS", "FFh", "FFm",
                             "Distanz", "VAR", "TC", "MH"})
        plan.SetField(zero, 0.0);
    plan.SetField("Wind", "0 / 0");
    plan.SetField("ZeitDisplay", "00:00");
    plan.Update();

    double totalDistance = 0;
    RunningTotals run;
    for (std::size_t k = 1; k < input.points.size(); ++k) {
        const PlanPoint& from = input.points[k - 1];
        const PlanPoint& to = input.points[k];
        const double d = CalcRouteDist(DDMMToDegrees(to.lat), DDMMToDegrees(to.lon),
                                       DDMMToDegrees(from.lat), DDMMToDegrees(from.lon), course);
        totalDistance += d;
        const double tc = wholeCourse(course);

        LegEntries entries = input.boxes;
        bool fromBoxes = true;
        if (saved != nullptr) {
            if (const auto it = saved->find(to.id); it != saved->end()) {
                entries = it->second;
                fromBoxes = false;
            }
        }
        LegFault fault = LegFault::None;
        const auto leg = computeLeg(tc, d, entries, input.boxes.ffh, run, mark, &fault);
        if (!leg) {
            PlanResult failed;
            failed.status = PlanResult::Status::BadLeg;
            failed.fault = fault;
            failed.failingLegFromBoxes = fromBoxes;
            return failed;
        }

        plan.AddNew();
        plan.SetField("Id", to.id);
        plan.SetField("Nr", static_cast<std::int64_t>(k + 1));
        plan.SetField("Name", to.name);
        plan.SetField("TC", tc);
        plan.SetField("Distanz", RoundHalfEven(d, 2));
        plan.SetField("DistanzAcc", RoundHalfEven(totalDistance, 2));
        plan.SetField("LAT", to.lat);
        plan.SetField("LONG", to.lon);
        writeEntries(plan, entries);
        writeLeg(plan, *leg);
        plan.Update();
    }
    plan.MoveFirst();
    result.labels = labelsFor(totalDistance, run, mark);
    return result;
}

std::optional<PlanLabels> recomputeFlightPlan(Recordset& plan, char decimalMark)
{
    const long keep = plan.AbsolutePosition();
    const std::vector<StoredLeg> legs = storedLegs(plan);
    RunningTotals run;
    std::vector<LegResult> results;
    const bool ok = computeStoredLegs(legs, run, decimalMark, results);
    if (ok) {
        plan.MoveFirst();
        for (const LegResult& r : results) {
            plan.MoveNext();
            writeLeg(plan, r);
            plan.Update();
        }
    }
    if (keep >= 1 && keep <= plan.RecordCount())
        plan.SetAbsolutePosition(keep);
    else
        plan.MoveFirst();
    if (!ok)
        return std::nullopt;
    PlanLabels labels = labelsFor(0, run, decimalMark);
    labels.distance.clear();
    return labels;
}

std::optional<Value> acceptCellEdit(Recordset& plan, long row, int column, std::string_view text)
{
    if (column < 0 || column >= static_cast<int>(kPlanGridFields.size()))
        return std::nullopt;
    const auto number = readStrictNumber(text);
    if (!number)
        return std::nullopt;
    const double v = *number;
    if (column == 4 && v <= 0)
        return std::nullopt;
    if (column > 2 && v < 0)
        return std::nullopt;
    if (column == 5 && v > 360)
        return std::nullopt;
    const std::string field = kPlanGridFields[static_cast<std::size_t>(column)];
    if (field == "Nr" && !ToInt32HalfEven(v))
        return std::nullopt;

    // The departure row holds no leg; every other row is tried in the whole plan first, so
    // that a value the plan cannot be computed with is never stored.
    if (row >= 2) {
        std::vector<StoredLeg> legs = storedLegs(plan);
        const auto leg = static_cast<std::size_t>(row - 2);
        if (leg >= legs.size())
            return std::nullopt;
        StoredLeg& edited = legs[leg];
        if (field == "TAS")
            edited.entries.tas = v;
        else if (field == "Windrichtung")
            edited.entries.windDir = v;
        else if (field == "Windstärke")
            edited.entries.windSpeed = v;
        else if (field == "FFh")
            edited.entries.ffh = v;
        else if (field == "TC")
            edited.tc = v;
        else if (field == "Distanz")
            edited.distance = v;
        RunningTotals run;
        std::vector<LegResult> results;
        if (!computeStoredLegs(legs, run, '.', results))
            return std::nullopt;
    }
    plan.SetAbsolutePosition(row);
    if (field == "Name" || field == "ZeitDisplay")
        return Value(std::string(text));
    return Value(v);
}

std::filesystem::path flightPlanFile(const std::filesystem::path& programFolder,
                                     std::string_view routeName)
{
    return fileInFolder(programFolder / "Flugplan", routeName);
}

SavedPlan readSavedPlan(const std::filesystem::path& file)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return {};
    SavedPlan plan;
    Recordset saved;
    try {
        saved.OpenFile(file);
        saved.MoveFirst();
        if (!saved.Eof())
            saved.MoveNext(); // the departure row holds no leg
        for (; !saved.Eof(); saved.MoveNext())
            plan.entries.try_emplace(saved.Field("Id").toString(), entriesOfRow(saved));
        plan.state = SavedPlan::State::Read;
    } catch (const DbError&) {
        plan.entries.clear();
        plan.state = SavedPlan::State::Damaged; // cut short, or no plan of ours
    }
    return plan;
}

std::optional<std::filesystem::path> setDamagedPlanAside(const std::filesystem::path& file)
{
    const std::string name = file.filename().string() + ".bad";
    for (int n = 1; n <= 99; ++n) {
        const std::filesystem::path aside =
            file.parent_path() / (n == 1 ? name : name + std::to_string(n));
        std::error_code ec;
        if (std::filesystem::exists(aside, ec) || ec)
            continue;
        std::filesystem::rename(file, aside, ec);
        if (ec)
            return std::nullopt;
        return aside;
    }
    return std::nullopt;
}

PlanSave saveFlightPlan(Recordset& plan, const std::filesystem::path& file)
{
    if (file.filename().string().size() > kMaxFileNameBytes)
        return PlanSave::NameTooLong;
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    if (ec)
        return PlanSave::Failed;
    try {
        plan.Save(file);
        return PlanSave::Saved;
    } catch (const DbError&) {
        return PlanSave::Failed;
    }
}

std::vector<PlanPoint> routePlanPoints(Connection& db, int64_t routeId)
{
    Recordset points;
    openRoutePoints(points, db, routeId);
    std::vector<PlanPoint> out;
    out.reserve(static_cast<size_t>(points.RecordCount()));
    for (; !points.Eof(); points.MoveNext())
        out.push_back({points.Field("id").toString(), points.Field("Name").toString(),
                       points.Field("Lat").toDouble(), points.Field("Long").toDouble()});
    return out;
}

} // namespace tv
