#include "platform/ProgramFolder.h"

#include "platform/AtomicFile.h"

#include <system_error>

namespace tv {
namespace {
std::filesystem::path& overrideFolder()
{
    static std::filesystem::path folder;
    return folder;
}
} // namespace

std::filesystem::path programFolder()
{
    if (!overrideFolder().empty())
        return overrideFolder();
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return std::filesystem::current_path(ec);
    return exe.parent_path();
}

void setProgramFolderForTesting(const std::filesystem::path& folder)
{
    overrideFolder() = folder;
}

std::string programFile(const std::string& name)
{
    return (programFolder() / name).string();
}

int removeStaleSaves()
{
    const std::filesystem::path folder = programFolder();
    int removed = removeStaleTemporaryFiles(folder);
    for (const char* sub : kProgramSubfolders)
        removed += removeStaleTemporaryFiles(folder / sub);
    return removed;
}

} // namespace tv
