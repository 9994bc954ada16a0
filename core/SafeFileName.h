#pragma once

// File names made from names the user typed (route names): the route files in "Route" and the
// flight plans in "Flugplan" are stored under the route's name.

#include <cstddef>
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

// The most bytes one file name may have on the file systems the program runs on (NAME_MAX). A
// name column holds 255 characters (core/NameLength.h), and an umlaut takes two bytes of
// UTF-8: a name that fits its column need not fit a file name.
inline constexpr std::size_t kMaxFileNameBytes = 255;

// safeFileName(name) followed by `suffix` (".tvr") fits one file name.
bool fileNameFits(std::string_view name, std::string_view suffix = {});

// "zu lang für einen Dateinamen (höchstens 251 Byte; ein Umlaut zählt zwei)" / "too long for a
// file name (at most 251 bytes; an umlaut counts two)": the reason alone, for messages that
// name the name themselves; the limit is what `suffix` leaves of kMaxFileNameBytes.
// `language` 0 is German, any other value English.
std::string fileNameTooLongReason(int language, std::string_view suffix = {});

// folder / safeFileName(name): always a file directly inside `folder`.
std::filesystem::path fileInFolder(const std::filesystem::path& folder, std::string_view name);

} // namespace tv
