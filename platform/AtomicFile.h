#pragma once

#include <chrono>
#include <filesystem>
#include <string_view>

namespace tv {

// Writes `content` to a temporary file beside `path`, flushes it to disk, renames it over `path`
// and flushes the folder, so that after a power loss the file holds either the old or the new
// content. The file keeps the permissions of the file it replaces; a new file gets the usual
// ones (0666 less the umask). Returns false when any step up to the rename fails; the old file
// at `path` is then left untouched and the temporary file removed. Used for every settings file,
// rowset file and export.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view content);

// The temporary files of writeFileAtomically are named ".<name>.tvsave-XXXXXX" (six letters or
// digits). A program killed during a save leaves one behind; this removes those in `folder`
// that are older than `minimumAge` (younger ones may belong to a save still running in another
// copy of the program). Other files are never touched. Returns how many were removed.
int removeStaleTemporaryFiles(const std::filesystem::path& folder,
                              std::chrono::seconds minimumAge = std::chrono::seconds(10));

} // namespace tv
