#include "flight/FlightSettings.h"

#include "core/SettingsFile.h"
#include "core/UnsavedFile.h"

#include <array>

namespace tv {

namespace {

std::array<bool*, 7> flagsInFileOrder(LayerFlags& f)
{
    return {&f.ShowLuftraum, &f.ShowLuftraumHoehe, &f.ShowPR,  &f.ShowRoute,
            &f.ShowWayInfo,  &f.ShowAPT1,          &f.ShowAPT2};
}

} // namespace

bool LoadSetFile(const std::filesystem::path& path, LayerFlags& flags)
{
    SettingsReader reader(path);
    for (bool* flag : flagsInFileOrder(flags)) {
        if (const std::optional<bool> value = reader.readBool())
            *flag = *value;
        else
            break;
    }
    if (reader.ok())
        return true;
    if (!SaveSetFile(path, flags))
        passOverUnsaved(path, "the file is repaired silently; the layers keep their switches");
    return false;
}

bool SaveSetFile(const std::filesystem::path& path, const LayerFlags& flags)
{
    LayerFlags copy = flags;
    SettingsWriter writer;
    for (bool* flag : flagsInFileOrder(copy))
        writer.writeBool(*flag);
    return writer.save(path);
}

std::optional<VorSettings> LoadVorFile(const std::filesystem::path& path)
{
    SettingsReader reader(path);
    std::optional<std::string> name = reader.readText();
    std::optional<std::string> mode = reader.readText();
    std::optional<std::string> course = reader.readText();
    if (!reader.ok() || !name || !mode || !course) {
        if (!SettingsWriter().writeText("").writeText("Kurs").writeWhole(0).save(path))
            passOverUnsaved(path, "the file is repaired silently; the instrument starts as it is");
        return std::nullopt;
    }
    VorSettings settings;
    settings.vorName = *name;
    settings.mode = (*mode == "VOR" || *mode == "HSI") ? *mode : std::string("Kurs");
    settings.course = *course;
    return settings;
}

bool SaveVorFile(const std::filesystem::path& path, const VorSettings& settings)
{
    return SettingsWriter()
        .writeText(settings.vorName)
        .writeText(settings.mode)
        .writeText(settings.course)
        .save(path);
}

} // namespace tv
