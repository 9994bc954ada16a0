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

std::filesystem::path fileInFolder(const std::filesystem::path& folder, std::string_view name)
{
    return folder / std::filesystem::path(safeFileName(name));
}

} // namespace tv
