#include "gps/RecordingEvents.h"
#include "gps/VB6NmeaInterpreter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using tvtest::RecordingEvents;

namespace {

// What a receiver log must give when it is replayed line by line. The figures were counted by
// hand from the logs: comment lines, other talkers ($BDGSA), other sentence types (including the
// proprietary ones longer than 82 characters) and a truncated last line are rejected.
struct Capture
{
    const char* file;
    int lines;     // non-empty lines, comments included
    int accepted;  // sentences Parse returns True for
    int positions; // GGA, RMC and GLL with all four position fields
    int fixObtained;
    int fixLost;
    int satellites; // GSV records with all four values
    int gsa;
};

std::ostream& operator<<(std::ostream& out, const Capture& c)
{
    return out << c.file;
}

class CaptureReplay : public ::testing::TestWithParam<Capture>
{
};

TEST_P(CaptureReplay, ReceiverLogGivesTheExpectedEvents)
{
    const Capture& c = GetParam();
    const std::string text =
        tvtest::readFile(std::filesystem::path(TRAMVIK_NMEA_FIXTURES) / c.file);
    ASSERT_FALSE(text.empty()) << c.file;

    tv::VB6NmeaInterpreter gps;
    RecordingEvents events;
    gps.setEvents(&events);

    int lines = 0;
    int accepted = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        // The flight window hands over lines without line end and surrounding blanks.
        std::string line = text.substr(start, end - start);
        start = end + 1;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        while (!line.empty() && line.front() == ' ')
            line.erase(0, 1);
        if (line.empty())
            continue;
        ++lines;
        accepted += gps.Parse(line) ? 1 : 0;
    }

    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(accepted, c.accepted);
    EXPECT_EQ(events.count("PositionReceived("), c.positions);
    EXPECT_EQ(events.count("FixObtained("), c.fixObtained);
    EXPECT_EQ(events.count("FixLost("), c.fixLost);
    EXPECT_EQ(events.count("SatelliteReceived("), c.satellites);
    EXPECT_EQ(events.count("Mode3DReceived("), c.gsa);
    for (int ch = 1; ch <= 12; ++ch)
        EXPECT_EQ(events.count("Ch" + std::to_string(ch) + "SatReceived("), c.gsa);
}

INSTANTIATE_TEST_SUITE_P(RealReceivers, CaptureReplay,
                         ::testing::Values(Capture{"garmin48.log", 106, 49, 21, 14, 0, 77, 7},
                                           Capture{"skytraq.log", 166, 73, 51, 0, 34, 10, 17},
                                           Capture{"ublox-lea-5h.log", 176, 132, 55, 37, 0, 167,
                                                   18}),
                         [](const auto& test) {
                             std::string name = test.param.file;
                             name = name.substr(0, name.find('.'));
                             for (char& ch : name)
                                 if (ch == '-')
                                     ch = '_';
                             return name;
                         });

} // namespace
