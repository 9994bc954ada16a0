#include "planning/PlanSettings.h"

#include "core/SettingsFile.h"
#include "core/UnsavedFile.h"

#include <algorithm>
#include <cctype>

namespace tv {

namespace {

constexpr const char* kAllAirspaces = "-99";
constexpr const char* kNoAirspaces = "-10";

std::optional<PlanAirspaceChoice> airspaceChoiceFromText(const std::string& text)
{
    if (text == kAllAirspaces)
        return PlanAirspaceChoice::all();
    if (text == kNoAirspaces)
        return PlanAirspaceChoice::none();
    if (text.empty() || text.size() > 5)
        return std::nullopt;
    if (!std::all_of(text.begin(), text.end(),
                     [](unsigned char c) { return std::isdigit(c) != 0; }))
        return std::nullopt;
    const int altitudeFt = std::stoi(text);
    if (altitudeFt > kMaxAirspaceAltitudeFt)
        return std::nullopt;
    return PlanAirspaceChoice::atAltitude(altitudeFt);
}

std::string airspaceChoiceText(const PlanAirspaceChoice& choice)
{
    switch (choice.airspaces) {
    case PlanAirspaceChoice::Airspaces::All:
        return kAllAirspaces;
    case PlanAirspaceChoice::Airspaces::None:
        return kNoAirspaces;
    case PlanAirspaceChoice::Airspaces::AtAltitude:
        break;
    }
    return std::to_string(choice.altitudeFt);
}

} // namespace

PlanAirspaceChoice loadPlanSettings(const std::filesystem::path& folder)
{
    const std::filesystem::path file = folder / "planung.crm";
    SettingsReader reader(file);
    const std::optional<std::string> text = reader.readText();
    if (text) {
        if (const std::optional<PlanAirspaceChoice> choice = airspaceChoiceFromText(*text))
            return *choice;
    }
    if (!savePlanSettings(folder, PlanAirspaceChoice::all()))
        passOverUnsaved(file, "the file is repaired silently; all airspaces are shown");
    return PlanAirspaceChoice::all();
}

bool savePlanSettings(const std::filesystem::path& folder, const PlanAirspaceChoice& choice)
{
    SettingsWriter writer;
    writer.writeText(airspaceChoiceText(choice));
    return writer.save(folder / "planung.crm");
}

} // namespace tv
