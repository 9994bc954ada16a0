#include "core/CoreSettings.h"

#include "core/Rounding.h"
#include "core/SettingsFile.h"
#include "core/SettingsRules.h"
#include "core/UnsavedFile.h"
#include "core/Variablen.h"
#include "core/Version.h"
#include "platform/ProgramFolder.h"
#include "platform/TextTrim.h"

#include <initializer_list>
#include <string_view>

namespace tv {
namespace {

std::filesystem::path settingsPath(const char* name)
{
    return programFolder() / name;
}

// Writes an unreadable file anew with its defaults. The repair is silent: the defaults apply
// whether or not the file could be written.
void repair(const SettingsWriter& out, const char* name)
{
    if (!out.save(settingsPath(name)))
        passOverUnsaved(settingsPath(name), "the file is repaired silently; its defaults apply");
}

SettingsWriter wholeLines(std::initializer_list<int64_t> values)
{
    SettingsWriter out;
    for (const int64_t v : values)
        out.writeWhole(v);
    return out;
}

bool writeWholeLines(const char* name, std::initializer_list<int64_t> values)
{
    return wholeLines(values).save(settingsPath(name));
}

// Reads a one-line whole-number file into `target`; on failure writes the file anew with
// `fallback` and sets `target` to it.
bool loadSingleInt16(const char* name, int16_t fallback, int16_t& target)
{
    SettingsReader in(settingsPath(name));
    if (const auto value = in.readInt16()) {
        target = *value;
        return true;
    }
    repair(wholeLines({fallback}), name);
    target = fallback;
    return false;
}

} // namespace

bool LoadLanguage()
{
    return loadSingleInt16("lang.crm", 0, Language);
}

bool SaveLanguage()
{
    return writeWholeLines("lang.crm", {Language});
}

bool LoadSymbol()
{
    return loadSingleInt16("symbol.crm", 1, PlaneSymbol);
}

bool SaveSymbol()
{
    return writeWholeLines("symbol.crm", {PlaneSymbol});
}

bool LoadTrackSettings()
{
    // Every line is read as text, so the interval may be stored quoted (settings window) or bare
    // (record switches, repaired file), and by the box's own rule: "12x" is 12 s. The file cannot
    // be read at all, and is written anew, when it is missing or unreadable, has fewer than three
    // lines, a switch line that is no number, or an interval without any leading number ("abc").
    SettingsReader in(settingsPath("track.crm"));
    const auto toNumber = [&in]() -> std::optional<double> {
        const auto text = in.readText();
        return text ? parseSettingsNumber(*text) : std::nullopt;
    };
    const auto logger = toNumber();
    const auto seconds = logger ? in.readText() : std::nullopt;
    const auto intervalMs = seconds ? trackIntervalMs(*seconds) : std::nullopt;
    const auto automatic = intervalMs ? toNumber() : std::nullopt;
    if (automatic) {
        TrackLoggerOn = *logger == 1.0;
        TrackInterval = *intervalMs;
        TrackAutoOn = *automatic == 1.0;
        return true;
    }
    repair(wholeLines({0, 0, 0}), "track.crm");
    TrackLoggerOn = false;
    TrackInterval = 0;
    return false;
}

std::optional<TrackFileBoxes> ReadTrackFileForSettings()
{
    SettingsReader in(settingsPath("track.crm"));
    const auto logger = in.readInt16();
    const auto interval = in.readText();
    const auto automatic = in.readInt16();
    const auto isBoxState = [](const std::optional<int16_t>& v) {
        return v && (*v == 0 || *v == 1);
    };
    if (in.ok() && isBoxState(logger) && isBoxState(automatic))
        return TrackFileBoxes{*logger, *interval, *automatic};
    repair(wholeLines({0, 10, 0}), "track.crm");
    return std::nullopt;
}

bool WriteTrackSettings(bool loggerTicked, const std::string& intervalText, bool automaticTicked)
{
    SettingsWriter out;
    out.writeWhole(loggerTicked ? 1 : 0)
        .writeText(intervalText)
        .writeWhole(loggerTicked && automaticTicked ? 1 : 0);
    return out.save(settingsPath("track.crm"));
}

bool WriteTrackRecordSwitch(int32_t intervalMs)
{
    // |intervalMs| / 1000 always fits.
    const int32_t seconds = ToInt32HalfEven(intervalMs / 1000.0).value_or(0);
    return writeWholeLines("track.crm", {1, seconds, 0});
}

bool LoadQnh(Date today)
{
    SettingsReader in(settingsPath("LR.crm"));
    const auto qnh = in.readInt16();
    const auto date = in.readDate();
    if (qnh && date) {
        QNH = *qnh;
        QNHDate = *date;
        return true;
    }
    SettingsWriter out;
    out.writeWhole(1013).writeDate(today);
    repair(out, "LR.crm");
    QNH = 1013;
    QNHDate = today;
    return false;
}

bool LoadQnh()
{
    return LoadQnh(today());
}

bool SaveQnh(Date today)
{
    SettingsWriter out;
    out.writeWhole(QNH).writeDate(today);
    return out.save(settingsPath("LR.crm"));
}

bool SaveQnh()
{
    return SaveQnh(today());
}

std::optional<SavedCom> LoadSavedCom()
{
    SettingsReader in(settingsPath("data.crm"));
    const auto port = in.readInt16();
    const auto baud = in.readText();
    if (in.ok())
        return SavedCom{*port, *baud + ",n,8,1"};
    repair(SettingsWriter().writeText("1").writeText("4800"), "data.crm");
    return std::nullopt;
}

std::optional<SavedComTexts> ReadSavedComTexts()
{
    SettingsReader in(settingsPath("data.crm"));
    auto port = in.readText();
    auto baud = in.readText();
    if (!in.ok())
        return std::nullopt;
    return SavedComTexts{std::move(*port), std::move(*baud)};
}

bool SaveComSettings(const std::string& portText, const std::string& baudText)
{
    SettingsWriter out;
    out.writeText(portText).writeText(baudText);
    return out.save(settingsPath("data.crm"));
}

bool WriteVersionFile()
{
    SettingsWriter out;
    out.writeText(trimSpaces(kVersionText));
    return out.save(settingsPath("version.crm"));
}

} // namespace tv
