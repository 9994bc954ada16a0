#pragma once

#include <filesystem>
#include <string_view>

namespace tv {

// Writes `content` to a temporary file beside `path`, flushes it to disk and renames it over
// `path`. Returns false when any step fails; the old file at `path` is then left untouched and
// the temporary file removed. Used for every settings file, rowset file and export.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view content);

} // namespace tv
