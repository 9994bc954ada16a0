#include "core/program/Processes.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace tv {

namespace {

// Real user id of a process from its status file ("Uid:\treal\teffective\t..."), -1 if unread.
long processUid(const std::filesystem::path& procDir)
{
    std::ifstream in(procDir / "status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("Uid:", 0) == 0) {
            std::istringstream fields(line.substr(4));
            long uid = -1;
            if (fields >> uid)
                return uid;
            return -1;
        }
    }
    return -1;
}

// The process's short name; the kernel keeps at most 15 characters of it.
std::string processComm(const std::filesystem::path& procDir)
{
    std::ifstream in(procDir / "comm");
    std::string name;
    std::getline(in, name);
    return name;
}

// File name of the process's executable; empty when the link cannot be read (another user's
// process, a kernel thread). A replaced executable reads "name (deleted)".
std::string processExeName(const std::filesystem::path& procDir)
{
    std::error_code ec;
    const std::filesystem::path target = std::filesystem::read_symlink(procDir / "exe", ec);
    if (ec)
        return {};
    std::string name = target.filename().string();
    const std::string deleted = " (deleted)";
    if (name.size() > deleted.size() &&
        name.compare(name.size() - deleted.size(), deleted.size(), deleted) == 0)
        name.resize(name.size() - deleted.size());
    return name;
}

bool isAllDigits(const std::string& s)
{
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

EndProgramHook& endHook()
{
    static EndProgramHook hook;
    return hook;
}

int terminationPipe[2] = {-1, -1};

extern "C" void onSigterm(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(terminationPipe[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

std::vector<pid_t> otherRunningCopies(const std::string& executableName)
{
    std::vector<pid_t> pids;
    const pid_t self = ::getpid();
    const long uid = static_cast<long>(::getuid());
    std::error_code ec;
    std::filesystem::directory_iterator it("/proc", ec);
    if (ec)
        return pids;
    for (const std::filesystem::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            break;
        const std::string entry = it->path().filename().string();
        if (!isAllDigits(entry) || entry.size() > 9)
            continue;
        const pid_t pid = static_cast<pid_t>(std::stol(entry));
        if (pid == self || processUid(it->path()) != uid)
            continue;
        if (processComm(it->path()) == executableName ||
            processExeName(it->path()) == executableName)
            pids.push_back(pid);
    }
    return pids;
}

static std::string& executableOverride()
{
    static std::string name;
    return name;
}

std::string programExecutableName()
{
    return executableOverride().empty() ? std::string(kProgramExecutable) : executableOverride();
}

void setProgramExecutableForTesting(const std::string& name)
{
    executableOverride() = name;
}

int terminateOtherCopies()
{
    int signalled = 0;
    for (pid_t pid : otherRunningCopies(programExecutableName()))
        if (::kill(pid, SIGTERM) == 0)
            ++signalled;
    return signalled;
}

void endProgram(int exitCode)
{
    if (endHook()) {
        endHook()(exitCode);
        return;
    }
    QCoreApplication::exit(exitCode);
}

void setEndProgramHookForTesting(EndProgramHook hook)
{
    endHook() = std::move(hook);
}

bool installTerminationHandler(std::function<void()> onTerminate)
{
    if (terminationPipe[0] >= 0)
        return false;
    if (::pipe2(terminationPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    auto* notifier = new QSocketNotifier(terminationPipe[0], QSocketNotifier::Read,
                                         QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                     [handler = std::move(onTerminate)] {
                         char buffer[64];
                         while (::read(terminationPipe[0], buffer, sizeof buffer) > 0) {
                         }
                         if (handler)
                             handler();
                     });
    struct sigaction action = {};
    action.sa_handler = onSigterm;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(SIGTERM, &action, nullptr) == 0;
}

} // namespace tv
