#include "core/FileHelpers.h"

#include "platform/Log.h"
#include "platform/TextFold.h"

#include <filesystem>
#include <system_error>

namespace tv {

bool FileExists(const std::string& filename)
{
    if (filename.empty())
        return false;
    try {
        const std::filesystem::path path(filename);
        const std::string name = path.filename().string();
        if (name.empty() || name.front() == '.')
            return false;
        std::error_code ec;
        return std::filesystem::is_regular_file(path, ec);
    } catch (const std::exception& e) {
        logIgnoredFault(e, "a file that cannot be looked at counts as missing");
        return false;
    }
}

bool DirExists(const std::string& path)
{
    if (path.empty())
        return false;
    try {
        std::error_code ec;
        return std::filesystem::is_directory(std::filesystem::path(path), ec);
    } catch (const std::exception& e) {
        logIgnoredFault(e, "a folder that cannot be looked at counts as missing");
        return false;
    }
}

int SearchList(const std::vector<std::string>& items, const std::string& text, bool exact)
{
    for (size_t i = 0; i < items.size(); ++i) {
        const bool match = exact ? equalsNoCase(items[i], text) : startsWithNoCase(items[i], text);
        if (match)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace tv
