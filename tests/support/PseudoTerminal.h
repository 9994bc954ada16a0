#pragma once

// A serial line for tests: two pseudo-terminals joined by socat. The program opens one end as
// its COM port, the test plays the GPS receiver and writes into the other. Also the two waits
// such tests need while Qt delivers what arrives.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

namespace tvtest {

// Runs the event loop until `done` holds; false when `ms` milliseconds pass first.
inline bool waitFor(const std::function<bool()>& done, int ms = 5000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Runs the event loop for `ms` milliseconds: lets whatever is under way arrive.
inline void settle(int ms = 200)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

class PseudoTerminalPair
{
public:
    PseudoTerminalPair() = default;
    PseudoTerminalPair(const PseudoTerminalPair&) = delete;
    PseudoTerminalPair& operator=(const PseudoTerminalPair&) = delete;
    ~PseudoTerminalPair() { stop(); }

    static bool socatInstalled() { return !QStandardPaths::findExecutable("socat").isEmpty(); }

    // Makes the pair, reached through the links `portEnd` and `gpsEnd`, and opens `gpsEnd` for
    // writing. Fails the test fatally when that does not come about; wrap the call in
    // ASSERT_NO_FATAL_FAILURE.
    void start(const std::filesystem::path& portEnd, const std::filesystem::path& gpsEnd)
    {
        const QString a = QString::fromStdString(portEnd.string());
        const QString b = QString::fromStdString(gpsEnd.string());
        socat_.start("socat", {"pty,raw,echo=0,link=" + a, "pty,raw,echo=0,link=" + b});
        ASSERT_TRUE(socat_.waitForStarted(5000));
        ASSERT_TRUE(waitFor(
            [&] { return std::filesystem::exists(portEnd) && std::filesystem::exists(gpsEnd); }));
        gpsEnd_ = ::open(gpsEnd.c_str(), O_WRONLY | O_NOCTTY);
        ASSERT_GE(gpsEnd_, 0);
    }

    // The receiver sends `text` at once.
    void write(const std::string& text)
    {
        ASSERT_EQ(::write(gpsEnd_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    }

    // The receiver is unplugged: its end closed, socat ended, the port end gone.
    void stop()
    {
        if (gpsEnd_ >= 0)
            ::close(gpsEnd_);
        gpsEnd_ = -1;
        if (socat_.state() != QProcess::NotRunning) {
            socat_.terminate();
            socat_.waitForFinished(5000);
        }
    }

private:
    QProcess socat_;
    int gpsEnd_ = -1;
};

} // namespace tvtest
