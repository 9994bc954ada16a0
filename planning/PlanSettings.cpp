#include "planning/PlanSettings.h"

#include "core/SettingsFile.h"

#include <algorithm>
#include <cctype>

namespace tv {

bool isAirspaceFilterText(const std::string& text)
{
    if (text == kAllAirspaces || text == kNoAirspaces)
        return true;
    if (text.empty() || text.size() > 5)
        return false;
    if (!std::all_of(text.begin(), text.end(),
                     [](unsigned char c) { return std::isdigit(c) != 0; }))
        return false;
    return std::stol(text) <= 32767;
}

std::string loadPlanSettings(const std::filesystem::path& folder)
{
    const std::filesystem::path file = folder / "planung.crm";
    SettingsReader reader(file);
    const std::optional<std::string> text = reader.readText();
    if (text && isAirspaceFilterText(*text))
        return *text;
    savePlanSettings(folder, kAllAirspaces);
    return kAllAirspaces;
}

bool savePlanSettings(const std::filesystem::path& folder, const std::string& filter)
{
    SettingsWriter writer;
    writer.writeText(filter);
    return writer.save(folder / "planung.crm");
}

std::optional<std::string> loadLastChartName(const std::filesystem::path& folder)
{
    const std::filesystem::path file = folder / "kartendaten.crm";
    SettingsReader reader(file);
    const std::optional<std::string> name = reader.readText();
    if (name)
        return name;
    SettingsWriter writer;
    writer.writeText("demo.bmp");
    writer.save(file);
    return std::nullopt;
}

} // namespace tv
