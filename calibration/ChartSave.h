#pragma once

// A chart's edges as the map calibration window enters them, and where they are kept: the
// chart's Maps row and its map calibration file Karten/<image name minus extension>.crm.
//
// The edge entry: four boxes holding absolute DD.MM values (typed in the user's number format,
// "." or "," as decimal mark) and four hemisphere selectors, index 0 (N/E) or 1 (S/W), which
// give the sign. Index order everywhere: 0 Unten (lower latitude), 1 Oben (upper latitude),
// 2 Links (left longitude), 3 Rechts (right longitude).
//
// The map calibration file: four numbers, one per line, "." as decimal point, signed:
// Unten, Oben, Links, Rechts (a chart from 47°40' N to 48°10' N, 8°50' E to 9°30' E gives
// 47.4, 48.1, 8.5, 9.3).

#include "map/ChartRow.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace tv {

class Connection;

struct EdgeEntry
{
    std::array<std::string, 4> boxes; // as typed
    std::array<int, 4> hemisphere{};  // selector index: 1 = S or W
    // The image's size in pixels as its header gave it; empty when none was read.
    std::optional<int32_t> widthPx;
    std::optional<int32_t> heightPx;
};

// Signed DD.MM edges and the image size in pixels, ready to store.
struct ChartEdges
{
    std::array<double, 4> edges{}; // Unten, Oben, Links, Rechts
    int32_t breite = 0;
    int32_t hoehe = 0;
};

// A DD.MM coordinate, either sign, names a place: a latitude within 90°, a longitude within 180°,
// minutes below 60 (IsDDMMWithin: 48.75 is 48°75', refused; 48.59 is 48°59').
bool isPlaceCoordinate(double ddmm, bool latitude);

// The entry as it may be stored, or empty (edgeDataError) when a box is empty or no number; a
// size is missing or not above 0; after the signs Unten >= Oben or Links >= Rechts (equal edges
// give no scale); or an edge is no place (isPlaceCoordinate). A typed minus sign is dropped: the
// selector alone gives the sign.
std::optional<ChartEdges> validateEdgeEntry(const EdgeEntry& entry);

// The message of edges that cannot be stored, and of a two-point coordinate that is no place;
// German for language 0, English otherwise.
struct EdgeMessage
{
    std::string text;
    std::string title;
};
EdgeMessage edgeDataError(int16_t language);

// The four boxes alone are numbers (the first test of a check).
bool edgeBoxesAreNumbers(const EdgeEntry& entry);

// An edge's magnitude as a box shows it: up to 15 significant digits, `decimalMark` as the
// decimal mark (47.4 -> "47,4" with ','; 8 -> "8").
std::string edgeText(double ddmm, char decimalMark);

// Karten/<name without its last three characters>crm: demo.bmp -> Karten/demo.crm.
std::filesystem::path calibrationFilePath(const std::filesystem::path& chartFolder,
                                          const std::string& chartName);

// Writes the four signed edges (settings-file rule, through a temporary file). False when the
// file could not be written; the old file is then kept.
[[nodiscard]] bool writeCalibrationFile(const std::filesystem::path& file,
                                        const std::array<double, 4>& edges);
// The four signed edges of a calibration file; empty when it is missing, short or unreadable.
std::optional<std::array<double, 4>> readCalibrationFile(const std::filesystem::path& file);

// A chart's Maps row, looked up by name (ignoring case); empty when it has none. Throws DbError
// when the table cannot be read.
std::optional<ChartRow> findChartRow(Connection& connection, const std::string& chartName);

enum class SaveOutcome {
    Saved,
    FileNotWritten, // the calibration file could not be written: the row was left as it was
    NameTooLong,    // longer than the Name column holds (core/NameLength.h): nothing written
};
// The save: the chart's row (a new row gets Active 0, an existing one keeps its Active) and its
// calibration file, both or neither. Throws DbError when the row cannot be written; the file is
// then as it was before.
SaveOutcome saveChart(Connection& connection, const std::filesystem::path& chartFolder,
                      const std::string& chartName, const ChartEdges& chart);

// The check box of a chart in the list. `entry` is what the window shows for the chart.
struct CheckOutcome
{
    bool refused = false;     // "Datenfehler": the tick goes back, nothing was written
    bool active = false;      // the chart's Active after the change
    bool nameTooLong = false; // refused because the name is longer than the Name column holds
};
// Toggles Active of the chart's row (a chart without a row gets one, active). Making a chart
// active needs a valid entry (validateEdgeEntry), whose edges and size are then stored with
// it. Making it inactive always goes through: the edges and size are stored only when the
// entry is valid, so an empty size is never stored. Throws DbError when the row cannot be
// written. No calibration file is written.
CheckOutcome toggleChartActive(Connection& connection, const std::string& chartName,
                               const EdgeEntry& entry);

// Karten/LatData.crm: the four selector indexes and the preview switch, one whole number per
// line (0 or 1 each).
struct LatSettings
{
    std::array<int, 4> hemisphere{};
    int preview = 0;
};
// Reads the file; when it is missing or a value is not 0 or 1, writes it anew with five zeros
// and answers those.
LatSettings loadLatSettings(const std::filesystem::path& file);
[[nodiscard]] bool saveLatSettings(const std::filesystem::path& file, const LatSettings& settings);

} // namespace tv
