#pragma once

// A program folder that refuses writes for as long as this object lives, also when the tests
// run as root (who writes anywhere): the folder becomes read-only and a root process takes
// user "nobody" as its effective user until the end. Files already open keep their access.

#include <filesystem>
#include <sys/types.h>
#include <unistd.h>

namespace tvtest {

class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const std::filesystem::path& folder)
        : folder_(folder), before_(std::filesystem::status(folder).permissions())
    {
        namespace fs = std::filesystem;
        fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec |
                                    fs::perms::group_read | fs::perms::group_exec |
                                    fs::perms::others_read | fs::perms::others_exec);
        if (::geteuid() == 0)
            droppedRoot_ = ::setegid(65534) == 0 && ::seteuid(65534) == 0;
    }
    ~ReadOnlyFolder()
    {
        if (droppedRoot_) {
            [[maybe_unused]] const int u = ::seteuid(0);
            [[maybe_unused]] const int g = ::setegid(0);
        }
        std::filesystem::permissions(folder_, before_);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

private:
    std::filesystem::path folder_;
    std::filesystem::perms before_;
    bool droppedRoot_ = false;
};

} // namespace tvtest
