#include "core/SafeFileName.h"

#include <algorithm>

namespace tv {

std::string safeFileName(std::string_view name)
{
    std::string out;
    out.reserve(name.size() + 1);
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        const bool refused = u < 0x20 || u == 0x7F || c == '\\' || c == '/' || c == ':' ||
                             c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|';
        out += refused ? '_' : c;
    }
    if (std::all_of(out.begin(), out.end(), [](char c) { return c == '.'; }))
        out.insert(out.begin(), '_');
    return out;
}

bool fileNameFits(std::string_view name, std::string_view suffix)
{
    return safeFileName(name).size() + suffix.size() <= kMaxFileNameBytes;
}

std::string fileNameTooLongReason(int language, std::string_view suffix)
{
    const std::string limit = std::to_string(kMaxFileNameBytes - suffix.size());
    return language == 0
               ? "zu lang für einen Dateinamen (höchstens " + limit +
                     " Byte; ein Umlaut zählt zwei)"
               : "too long for a file name (at most " + limit + " bytes; an umlaut counts two)";
}

std::filesystem::path fileInFolder(const std::filesystem::path& folder, std::string_view name)
{
    return folder / std::filesystem::path(safeFileName(name));
}

} // namespace tv
