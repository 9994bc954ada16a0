#include "core/program/Processes.h"

#include "support/TempDir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <unistd.h>

namespace {

// Starts a copy of a harmless program under the name `name`, in a folder of its own.
class CopyUnderName
{
public:
    explicit CopyUnderName(const std::string& name)
    {
        const auto exe = dir_ / name;
        std::filesystem::copy_file(TVTEST_SLEEP_BINARY, exe);
        std::filesystem::permissions(exe, std::filesystem::perms::owner_all);
        process_.start(QString::fromStdString(exe.string()), {QStringLiteral("30")});
        process_.waitForStarted();
    }
    ~CopyUnderName()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    pid_t pid() const { return static_cast<pid_t>(process_.processId()); }
    QProcess& process() { return process_; }

private:
    tvtest::TempDir dir_;
    QProcess process_;
};

bool contains(const std::vector<pid_t>& pids, pid_t pid)
{
    return std::find(pids.begin(), pids.end(), pid) != pids.end();
}

} // namespace

TEST(RunningCopies, CopyNamedLikeTheProgramIsFound)
{
    CopyUnderName copy("tramvik-gps");
    ASSERT_GT(copy.pid(), 0);
    EXPECT_TRUE(contains(tv::otherRunningCopies("tramvik-gps"), copy.pid()));
}

TEST(RunningCopies, LongNameIsFoundByItsExecutableThoughItsShortNameIsCut)
{
    // The kernel keeps 15 characters of a process name; the executable link has all of them.
    const std::string name = "tramvik-gps-with-a-long-name";
    CopyUnderName copy(name);
    EXPECT_TRUE(contains(tv::otherRunningCopies(name), copy.pid()));
}

TEST(RunningCopies, OtherProgramsAreNotFound)
{
    CopyUnderName copy("tramvik-gpx");
    EXPECT_FALSE(contains(tv::otherRunningCopies("tramvik-gps"), copy.pid()));
}

TEST(RunningCopies, NeverListsOurOwnProcess)
{
    char self[4096] = {};
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    ASSERT_GT(n, 0);
    const std::string ourName = std::filesystem::path(std::string(self, n)).filename().string();
    EXPECT_FALSE(contains(tv::otherRunningCopies(ourName), ::getpid()));
}

TEST(RunningCopies, TerminateEndsTheOtherCopy)
{
    const std::string name = tv::programExecutableName();
    CopyUnderName copy(name);
    EXPECT_EQ(tv::terminateOtherCopies(), 1);
    ASSERT_TRUE(copy.process().waitForFinished(5000));
    EXPECT_EQ(copy.process().exitStatus(), QProcess::CrashExit); // ended by the signal
}

TEST(TerminationRequest, SigtermReachesTheHandlerOnTheEventLoop)
{
    // The handler stays for the rest of the test program, so it counts into a static.
    static int calls = 0;
    ASSERT_TRUE(tv::installTerminationHandler([] { ++calls; }));
    ::raise(SIGTERM);
    // The signal handler only writes to the pipe; the handler runs when the loop turns.
    EXPECT_EQ(calls, 0);
    QElapsedTimer clock;
    clock.start();
    while (calls == 0 && clock.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(calls, 1);
    // Set up once per program.
    EXPECT_FALSE(tv::installTerminationHandler([] {}));
}
