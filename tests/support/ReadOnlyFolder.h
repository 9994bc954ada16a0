#pragma once

// A program folder that refuses writes for as long as this object lives, also when the tests
// run as root (who writes anywhere): the folder becomes read-only and a root process takes
// user "nobody" as its effective user until the end. Files already open keep their access.

#include <filesystem>
#include <optional>
#include <sys/types.h>
#include <unistd.h>

namespace tvtest {

// The test runs as an ordinary user ("nobody") while this lives or until end(), also when the
// tests run as root (who may write any file). active() is false where that cannot be done.
class Unprivileged
{
public:
    Unprivileged()
    {
        if (::geteuid() != 0)
            active_ = true;
        else
            dropped_ = active_ = ::setegid(65534) == 0 && ::seteuid(65534) == 0;
    }
    ~Unprivileged() { end(); }
    Unprivileged(const Unprivileged&) = delete;
    Unprivileged& operator=(const Unprivileged&) = delete;

    bool active() const { return active_; }
    void end()
    {
        if (!dropped_)
            return;
        [[maybe_unused]] const int u = ::seteuid(0);
        [[maybe_unused]] const int g = ::setegid(0);
        dropped_ = false;
    }

private:
    bool active_ = false;
    bool dropped_ = false;
};

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
        user_.emplace();
    }
    ~ReadOnlyFolder()
    {
        user_.reset();
        std::filesystem::permissions(folder_, before_);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

private:
    std::filesystem::path folder_;
    std::filesystem::perms before_;
    std::optional<Unprivileged> user_;
};

} // namespace tvtest
