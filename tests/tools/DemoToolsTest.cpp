#include "gps/VB6NmeaInterpreter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

int exitCode(int status)
{
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string run(const std::string& command, int& code)
{
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        code = -1;
        return out;
    }
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
        out.append(buf, n);
    code = exitCode(::pclose(pipe));
    return out;
}

// Parses every complete CR LF line of `text`; counts what the interpreter refuses.
struct ParseCount
{
    int accepted = 0;
    int refused = 0;
};
ParseCount parseAll(const std::string& text)
{
    tv::VB6NmeaInterpreter gps;
    ParseCount count;
    size_t from = 0;
    for (size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
        (gps.Parse(text.substr(from, end - from)) ? count.accepted : count.refused)++;
    return count;
}

TEST(DemoTools, DemoFolderToolPreparesAFolderAndKeepsItOnTheSecondRun)
{
    tvtest::TempDir dir;
    const std::string folder = (dir / "program").string();
    int code = 0;
    const std::string first = run(std::string(TVTEST_DEMO_TOOL) + " '" + folder + "' 2>&1", code);
    EXPECT_EQ(code, 0) << first;
    EXPECT_NE(first.find("made: "), std::string::npos) << first;
    const std::string second = run(std::string(TVTEST_DEMO_TOOL) + " '" + folder + "' 2>&1", code);
    EXPECT_EQ(code, 0) << second;
    EXPECT_EQ(second.find("made: "), std::string::npos) << second;
}

TEST(DemoTools, ToolsRefuseAWrongCommandLine)
{
    int code = 0;
    run(std::string(TVTEST_DEMO_TOOL) + " 2>&1", code);
    EXPECT_EQ(code, 2);
    run(std::string(TVTEST_NMEA_TOOL) + " --speed fast 2>&1", code);
    EXPECT_EQ(code, 2);
    run(std::string(TVTEST_NMEA_TOOL) + " --speed 0 2>&1", code);
    EXPECT_EQ(code, 2);
}

TEST(DemoTools, NmeaToolSendsAWholeFlightAndEnds)
{
    int code = 0;
    const std::string out = run(std::string(TVTEST_NMEA_TOOL) + " --fast --speed 400", code);
    EXPECT_EQ(code, 0);
    const ParseCount count = parseAll(out);
    EXPECT_GT(count.accepted, 500);
    EXPECT_EQ(count.refused, 0);
}

TEST(DemoTools, NmeaToolWritesUnchangedLinesIntoAPseudoTerminal)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string slave = ::ptsname(master);

    int code = -1;
    std::thread sender([&] {
        run(std::string(TVTEST_NMEA_TOOL) + " --fast --speed 1000 --device " + slave, code);
    });
    // Read while it sends; when the tool closes the device the master reads EIO.
    std::string received;
    for (;;) {
        pollfd p{master, POLLIN, 0};
        if (::poll(&p, 1, 5000) <= 0)
            break;
        char buf[4096];
        const ssize_t n = ::read(master, buf, sizeof buf);
        if (n <= 0)
            break;
        received.append(buf, static_cast<size_t>(n));
    }
    sender.join();
    ::close(master);

    EXPECT_EQ(code, 0);
    // The terminal is raw: no "\r\r\n" from a line-end translation.
    EXPECT_EQ(received.find("\r\r\n"), std::string::npos);
    const ParseCount count = parseAll(received);
    EXPECT_GT(count.accepted, 100);
    // A burst that finds no room is dropped whole; one that was begun is finished, so no line
    // arrives cut (unless the reader stalls for a second in the middle of a burst).
    EXPECT_LE(count.refused, 2);
}

} // namespace
