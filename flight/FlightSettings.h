#pragma once

// The flight window's two settings files in the program folder (settings-file form, one
// value per line, see core/SettingsFile.h):
//   Set.crm  seven truth values, the map layers in this order: airspace, airspace labels with
//            altitudes, traffic circuits, route line, waypoint names, airports step 1, step 2
//            (map/LayerFlags.h, in the same order).
//   VOR.crm  three texts: the selected VOR or waypoint name, the instrument mode ("Kurs",
//            "VOR" or "HSI"), the selected course as typed. The file written after a read
//            error holds "", "Kurs" and the bare number 0; the course line is read as text
//            either way.

#include "map/LayerFlags.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tv {

// Reads the seven flags in file order into `flags`. When the file is missing, short or holds
// something else, the flags read before the fault are kept, the others keep the values they
// had, the file is written anew with the flags as they then stand, and the result is false.
bool LoadSetFile(const std::filesystem::path& path, LayerFlags& flags);
[[nodiscard]] bool SaveSetFile(const std::filesystem::path& path, const LayerFlags& flags);

struct VorSettings
{
    std::string vorName;
    std::string mode = "Kurs";
    std::string course;
};

// The three values, or empty when the file cannot be read; the file is then written anew with
// "", "Kurs" and 0. A mode other than the three known ones reads as "Kurs".
std::optional<VorSettings> LoadVorFile(const std::filesystem::path& path);
[[nodiscard]] bool SaveVorFile(const std::filesystem::path& path, const VorSettings& settings);

} // namespace tv
