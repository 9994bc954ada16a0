// tramvik-nmea-demo [--speed KT] [--device PATH] [--fast]
//
// Sends the demo flight along the demo route as NMEA 0183, one burst of sentences per second,
// to stdout or to a device (a serial port or a pseudo-terminal). Like a receiver it does not
// wait for a reader: a burst that a device cannot take at once is dropped. It ends by itself
// when the aircraft has landed at the end of the route.
//
//   --speed KT     cruise speed in knots (default 100)
//   --device PATH  write to this device instead of stdout (a serial port at 4800 baud)
//   --fast         no pacing: all bursts at once, time stamps one second apart
//
// Exit codes: 0 the flight was sent, 1 the output failed (message on stderr), 2 wrong command
// line (usage on stderr).
#include "core/GeoMath.h"
#include "tools/DemoData.h"
#include "tools/DemoFlight.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <iostream>
#include <optional>
#include <poll.h>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr const char* kUsage =
    "Usage: tramvik-nmea-demo [--speed KT] [--device PATH] [--fast]\n"
    "Sends a demo flight along the demo route as NMEA 0183, one burst per second.\n"
    "  --speed KT     cruise speed in knots, 10 to 1000 (default 100)\n"
    "  --device PATH  write to this serial device (4800 baud) or pseudo-terminal instead\n"
    "                 of stdout\n"
    "  --fast         no pacing: every burst at once\n";

int usageError(const std::string& message)
{
    std::cerr << "tramvik-nmea-demo: " << message << "\n" << kUsage;
    return 2;
}

enum class WriteResult { Written, Dropped, Closed };

// Writes one burst. On a non-blocking device a burst that finds no room at all is dropped
// (the reader is not reading); one that was begun is finished, waiting up to a second, so no
// half sentence is left behind when the reader is merely slow.
WriteResult writeBurst(int fd, const std::string& data)
{
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (done == 0)
                return WriteResult::Dropped;
            pollfd p{fd, POLLOUT, 0};
            if (::poll(&p, 1, 1000) <= 0)
                return WriteResult::Dropped;
            continue;
        }
        return WriteResult::Closed;
    }
    return WriteResult::Written;
}

} // namespace

int main(int argc, char** argv)
{
    double speedKt = 100.0;
    std::string device;
    bool fast = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--fast") {
            fast = true;
        } else if (arg == "--speed" || arg == "--device") {
            if (i + 1 >= argc)
                return usageError(arg + " needs a value");
            const std::string value = argv[++i];
            if (arg == "--device") {
                device = value;
                continue;
            }
            try {
                size_t used = 0;
                speedKt = std::stod(value, &used);
                if (used != value.size())
                    throw std::invalid_argument(value);
            } catch (const std::exception&) {
                return usageError("the speed \"" + value + "\" is no number");
            }
            if (!(speedKt >= 10.0 && speedKt <= 1000.0))
                return usageError("the speed must lie between 10 and 1000 kt");
        } else {
            return usageError("unknown argument \"" + arg + "\"");
        }
    }

    // A reader that goes away shows as a failed write, not as a signal.
    std::signal(SIGPIPE, SIG_IGN);

    int fd = STDOUT_FILENO;
    if (!device.empty()) {
        fd = ::open(device.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK);
        if (fd < 0) {
            std::cerr << "tramvik-nmea-demo: cannot open " << device << ": " << std::strerror(errno)
                      << "\n";
            return 1;
        }
        // A terminal must pass CR LF unchanged; a serial port runs at the receivers' 4800 baud
        // (8 data bits, no parity, 1 stop bit), which one burst per second fits.
        termios tio{};
        if (::isatty(fd) && ::tcgetattr(fd, &tio) == 0) {
            cfmakeraw(&tio);
            cfsetispeed(&tio, B4800);
            cfsetospeed(&tio, B4800);
            ::tcsetattr(fd, TCSANOW, &tio);
        }
    }

    try {
        std::vector<tv::demo::GeoPoint> route;
        for (const tv::demo::DemoWaypoint& w : tv::demo::demoRoutePoints())
            route.push_back({tv::DDMMToDegrees(w.latDDMM), tv::DDMMToDegrees(w.lonDDMM)});
        tv::demo::FlightProfile profile;
        profile.cruiseKt = speedKt;
        tv::demo::DemoFlight flight(route, profile);

        std::cerr << "tramvik-nmea-demo: route \"" << tv::demo::demoRouteName() << "\", "
                  << static_cast<int>(flight.routeLengthNm() + 0.5) << " NM at " << speedKt << " kt"
                  << (device.empty() ? "" : " to " + device) << "\n";

        using Clock = std::chrono::steady_clock;
        const auto startTick = Clock::now();
        const std::time_t startUtc = std::time(nullptr);
        long dropped = 0;
        while (!flight.finished()) {
            const tv::demo::FlightState state = flight.next();
            if (!fast)
                std::this_thread::sleep_until(startTick + std::chrono::seconds(state.second));
            const std::time_t utc = fast ? startUtc + state.second : std::time(nullptr);
            switch (writeBurst(fd, tv::demo::nmeaBurst(state, utc))) {
            case WriteResult::Written:
                break;
            case WriteResult::Dropped:
                ++dropped;
                break;
            case WriteResult::Closed:
                std::cerr << "tramvik-nmea-demo: the output was closed\n";
                return 1;
            }
        }
        if (dropped > 0)
            std::cerr << "tramvik-nmea-demo: " << dropped
                      << " bursts dropped while nobody was reading\n";
        std::cerr << "tramvik-nmea-demo: landed, flight ended\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "tramvik-nmea-demo: " << e.what() << "\n";
    }
    return 1;
}
