#pragma once

// A file the program saves by itself (a settings file) that could not be written. The pilot
// hears of it once per file and session, naming the file, in the window's language: a folder
// that refuses one save refuses the next one too, and a message each time would come on every
// click. The windows show the message (core/forms/MsgBox.h: reportUnsaved); this part decides
// whether and what.

#include <filesystem>
#include <optional>
#include <source_location>
#include <string>

namespace tv {

struct UnsavedNotice
{
    std::string text;
    std::string title;
};

// The message for a failed save of `file` in `language` (0 German, else English), "Die Änderung
// konnte nicht in der Datei <file> gespeichert werden. Sie gilt nur bis zum Programmende." /
// "Nicht gespeichert"; empty when this file's failure was told before in this session.
std::optional<UnsavedNotice> unsavedNotice(const std::filesystem::path& file, int language);

// For a save whose failure the program passes over on purpose (a settings file repaired with
// its defaults at start): logged at debug level with `why`, nothing shown.
void passOverUnsaved(const std::filesystem::path& file, const char* why,
                     std::source_location where = std::source_location::current());

// Test hook: a new session, in which no file has been told yet.
void forgetUnsavedNoticesForTesting();

} // namespace tv
