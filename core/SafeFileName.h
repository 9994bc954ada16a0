#pragma once

// File names made from names the user typed (route names): the route files in "Route" and the
// flight plans in "Flugplan" are stored under the route's name.

#include <filesystem>
#include <string>
#include <string_view>

namespace tv {

// `name` as one file name that stays inside its folder. A name that was a legal file name on
// the systems the program has always run on comes back unchanged, so files saved under it are
// found again. Path separators and the characters such systems refuse in a file name
// (\ / : * ? " < > | and control characters) become "_"; an empty name and names made only of
// dots ("." and "..", which would name a folder) get a "_" in front.
std::string safeFileName(std::string_view name);

// folder / safeFileName(name): always a file directly inside `folder`.
std::filesystem::path fileInFolder(const std::filesystem::path& folder, std::string_view name);

} // namespace tv
