#pragma once

#include <filesystem>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace coretest {

enum class Outcome { Succeeded, Failed, CannotTest };

// Runs `write` in a child process that may not write into `folder`: the folder is made read-only,
// and when the tests run as root (who writes anywhere) the child also becomes user "nobody".
// The folder's permissions are restored afterwards.
inline Outcome runWithReadOnlyFolder(const std::filesystem::path& folder,
                                     const std::function<bool()>& write)
{
    namespace fs = std::filesystem;
    const auto before = fs::status(folder).permissions();
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        ::_exit(write() ? 0 : 1);
    }
    int status = 0;
    const bool waited = pid > 0 && ::waitpid(pid, &status, 0) == pid;
    fs::permissions(folder, before);
    if (!waited || !WIFEXITED(status) || WEXITSTATUS(status) == 2)
        return Outcome::CannotTest;
    return WEXITSTATUS(status) == 0 ? Outcome::Succeeded : Outcome::Failed;
}

} // namespace coretest
