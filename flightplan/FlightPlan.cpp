#include "flightplan/FlightPlan.h"

#include "core/GeoMath.h"
#include "core/NumberFormat.h"
#include "core/Rounding.h"
#include "core/SafeFileName.h"
#include "platform/DbError.h"

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
        const auto leg = computeLeg(tc, d, entries, input.boxes.ffh, run, mark);
        if (!leg) {
            PlanResult failed;
            failed.status = PlanResult::Status::GroundSpeed;
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
    RunningTotals run;
    plan.MoveFirst();
    if (!plan.Eof())
        plan.MoveNext();
    bool ok = true;
    for (; !plan.Eof(); plan.MoveNext()) {
        const LegEntries e = entriesOfRow(plan);
        const double distance = plan.Field("Distanz").toDouble();
        const auto leg =
            computeLeg(plan.Field("TC").toDouble(), distance, e, e.ffh, run, decimalMark);
        if (!leg) {
            ok = false;
            break;
        }
        writeLeg(plan, *leg);
        plan.Update();
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
    plan.SetAbsolutePosition(row);
    if (row >= 2) {
        // The departure row holds no leg; every other row must keep a ground speed.
        LegEntries e = entriesOfRow(plan);
        double tc = plan.Field("TC").toDouble();
        if (field == "TAS")
            e.tas = v;
        else if (field == "Windrichtung")
            e.windDir = v;
        else if (field == "Windstärke")
            e.windSpeed = v;
        else if (field == "TC")
            tc = v;
        if (!(windTriangle(tc, e).gs > 0))
            return std::nullopt;
    }
    if (field == "Name" || field == "ZeitDisplay")
        return Value(std::string(text));
    return Value(v);
}

std::filesystem::path flightPlanFile(const std::filesystem::path& programFolder,
                                     std::string_view routeName)
{
    return fileInFolder(programFolder / "Flugplan", routeName);
}

std::optional<SavedEntries> readSavedEntries(const std::filesystem::path& file)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return std::nullopt;
    Recordset saved;
    try {
        saved.OpenFile(file);
        SavedEntries entries;
        saved.MoveFirst();
        if (!saved.Eof())
            saved.MoveNext(); // the departure row holds no leg
        for (; !saved.Eof(); saved.MoveNext())
            entries.try_emplace(saved.Field("Id").toString(), entriesOfRow(saved));
        return entries;
    } catch (const DbError&) {
        return std::nullopt; // unreadable: no saved plan; the next save replaces the file
    }
}

bool saveFlightPlan(Recordset& plan, const std::filesystem::path& file)
{
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    if (ec)
        return false;
    try {
        plan.Save(file);
        return true;
    } catch (const DbError&) {
        return false;
    }
}

} // namespace tv
