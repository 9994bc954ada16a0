#include "calibration/ChartSave.h"

#include "core/GeoMath.h"
#include "core/NameLength.h"
#include "core/NumberFormat.h"
#include "core/SettingsFile.h"
#include "core/UnsavedFile.h"
#include "platform/AtomicFile.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"
#include "platform/Value.h"

#include <cmath>
#include <fstream>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace tv {
namespace {

constexpr const char* kFieldOf[4] = {"Unten", "Oben", "Links", "Rechts"};

void writeEdgesAndSize(Recordset& maps, const ChartEdges& chart)
{
    for (int i = 0; i < 4; ++i)
        maps.SetField(kFieldOf[i], Value(chart.edges[static_cast<size_t>(i)]));
    maps.SetField("Breite", Value(chart.breite));
    maps.SetField("Höhe", Value(chart.hoehe));
}

// The window's chart recordset positioned on the chart's row (EOF when it has none).
void seekChart(Recordset& maps, Connection& connection, const std::string& chartName)
{
    maps.Open("SELECT * From Maps Order by NAME ASC", connection);
    if (maps.RecordCount() > 0) {
        maps.MoveFirst();
        maps.Find("Name", CompareOp::Equal, Value(chartName));
    }
}

// What a file held before a save, so that a failed save can put it back.
struct FileBefore
{
    enum class Kind { Missing, Content, Unreadable } kind = Kind::Missing;
    std::string content;
};

FileBefore readFileBefore(const fs::path& file)
{
    std::error_code ec;
    if (!fs::exists(file, ec) && !ec)
        return {};
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    if (in)
        content << in.rdbuf();
    if (!in || in.bad())
        return {FileBefore::Kind::Unreadable, {}};
    return {FileBefore::Kind::Content, content.str()};
}

// Puts a file back as it was before a save: its old content, or no file when it had none. A
// file whose old content could not be read is left as the save wrote it.
void restoreFile(const fs::path& file, const FileBefore& before)
{
    if (before.kind == FileBefore::Kind::Content) {
        // The failed commit is what the pilot is told; the file is a step behind it.
        if (!writeFileAtomically(file, before.content))
            passOverUnsaved(file, "the new edges stay in the file; the database error is shown");
    } else if (before.kind == FileBefore::Kind::Missing) {
        std::error_code ec;
        fs::remove(file, ec);
    }
}

} // namespace

bool edgeBoxesAreNumbers(const EdgeEntry& entry)
{
    for (const std::string& box : entry.boxes)
        if (!readStrictNumber(box))
            return false;
    return true;
}

bool isPlaceCoordinate(double ddmm, bool latitude)
{
    return IsDDMMWithin(ddmm, latitude ? 90.0 : 180.0);
}

std::optional<ChartEdges> validateEdgeEntry(const EdgeEntry& entry)
{
    ChartEdges chart;
    for (size_t i = 0; i < 4; ++i) {
        const auto value = readStrictNumber(entry.boxes[i]);
        if (!value)
            return std::nullopt;
        const double magnitude = std::fabs(*value);
        if (!isPlaceCoordinate(magnitude, i < 2)) // boxes 0, 1 are latitudes
            return std::nullopt;
        chart.edges[i] = magnitude == 0.0 ? 0.0 : entry.hemisphere[i] == 1 ? -magnitude : magnitude;
    }
    if (chart.edges[0] >= chart.edges[1] || chart.edges[2] >= chart.edges[3])
        return std::nullopt;
    if (!entry.widthPx || !entry.heightPx || *entry.widthPx <= 0 || *entry.heightPx <= 0)
        return std::nullopt;
    chart.breite = *entry.widthPx;
    chart.hoehe = *entry.heightPx;
    return chart;
}

EdgeMessage edgeDataError(int16_t language)
{
    if (language == 0)
        return {"Bitte Kartendaten checken.Daten können nicht gespeichert werden.", "Datenfehler"};
    return {"Please check map data.Data can not be saved.", "Data error"};
}

std::string edgeText(double ddmm, char decimalMark)
{
    return numberText(std::fabs(ddmm), decimalMark);
}

fs::path calibrationFilePath(const fs::path& chartFolder, const std::string& chartName)
{
    const std::string stem =
        chartName.size() >= 3 ? chartName.substr(0, chartName.size() - 3) : chartName + ".";
    return chartFolder / (stem + "crm");
}

bool writeCalibrationFile(const fs::path& file, const std::array<double, 4>& edges)
{
    SettingsWriter writer;
    for (const double edge : edges)
        writer.writeNumber(edge == 0.0 ? 0.0 : edge);
    return writer.save(file);
}

std::optional<std::array<double, 4>> readCalibrationFile(const fs::path& file)
{
    SettingsReader reader(file);
    std::array<double, 4> edges{};
    for (double& edge : edges) {
        const auto value = reader.readNumber();
        if (!value)
            return std::nullopt;
        edge = *value;
    }
    return edges;
}

std::optional<ChartRow> findChartRow(Connection& connection, const std::string& chartName)
{
    Recordset maps;
    seekChart(maps, connection, chartName);
    if (!maps.HasCurrentRow())
        return std::nullopt;
    return readChartRow(maps);
}

SaveOutcome saveChart(Connection& connection, const fs::path& chartFolder,
                      const std::string& chartName, const ChartEdges& chart)
{
    // The row and the file change together or not at all: the row is written inside a
    // transaction, then the file, and only then is the transaction committed. A file that
    // cannot be written rolls the row back; a commit that fails puts the old file back.
    if (!nameFits(chartName))
        return SaveOutcome::NameTooLong;
    const fs::path file = calibrationFilePath(chartFolder, chartName);
    const FileBefore oldFile = readFileBefore(file);
    Connection::Transaction transaction(connection);
    {
        Recordset maps;
        seekChart(maps, connection, chartName);
        if (!maps.HasCurrentRow()) {
            maps.AddNew();
            maps.SetField("Name", Value(chartName));
            maps.SetField("Active", Value(0));
        }
        try {
            writeEdgesAndSize(maps, chart);
            maps.Update();
        } catch (const std::exception&) {
            maps.CancelUpdate();
            throw;
        }
    }
    if (!writeCalibrationFile(file, chart.edges))
        return SaveOutcome::FileNotWritten;
    try {
        transaction.commit();
    } catch (const DbError&) {
        restoreFile(file, oldFile);
        throw;
    }
    return SaveOutcome::Saved;
}

CheckOutcome toggleChartActive(Connection& connection, const std::string& chartName,
                               const EdgeEntry& entry)
{
    if (!nameFits(chartName))
        return {true, false, true};
    Recordset maps;
    seekChart(maps, connection, chartName);
    const bool hasRow = maps.HasCurrentRow();
    const bool makeActive = !hasRow || !maps.Field("Active").toBool();
    const auto chart = validateEdgeEntry(entry);
    if (makeActive && !chart)
        return {true, false};
    try {
        if (!hasRow) {
            maps.AddNew();
            maps.SetField("Name", Value(chartName));
        }
        if (chart)
            writeEdgesAndSize(maps, *chart);
        maps.SetField("Active", Value(makeActive ? 1 : 0));
        maps.Update();
    } catch (const std::exception&) {
        maps.CancelUpdate();
        throw;
    }
    return {false, makeActive};
}

LatSettings loadLatSettings(const fs::path& file)
{
    SettingsReader reader(file);
    LatSettings settings;
    bool good = true;
    for (int i = 0; i < 5 && good; ++i) {
        const auto value = reader.readInt16();
        good = value && (*value == 0 || *value == 1);
        if (!good)
            break;
        if (i < 4)
            settings.hemisphere[static_cast<size_t>(i)] = *value;
        else
            settings.preview = *value;
    }
    if (good)
        return settings;
    const LatSettings defaults;
    if (!saveLatSettings(file, defaults))
        passOverUnsaved(file, "the file is repaired silently; its defaults apply");
    return defaults;
}

bool saveLatSettings(const fs::path& file, const LatSettings& settings)
{
    SettingsWriter writer;
    for (const int index : settings.hemisphere)
        writer.writeWhole(index);
    writer.writeWhole(settings.preview);
    return writer.save(file);
}

} // namespace tv
