#include "gps/RecordingEvents.h"
#include "gps/VB6NmeaInterpreter.h"

#include <gtest/gtest.h>

#include <random>

using tvtest::RecordingEvents;
using tvtest::withChecksum;

namespace {

const std::vector<std::string> kBodies = {
    "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,",
    "$GPGGA,212406.000,0000.0000000,N,00000.0000000,E,0,00,0.0,0.000,M,0.000,M,,0000",
    "$GPGLL,4916.45,N,12311.12,W,225444,A",
    "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1",
    "$GPGSV,3,1,11,01,78,221,47,03,09,042,00,04,05,242,00,06,04,149,00",
    "$GPGSV,3,3,12,24,04,342,,26,55,139,24,27,62,276,36,28,39,055,26",
    "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W",
    "$GPRMC,083723.00,A,5155.55442,N,00434.65873,E,0.211,,210810,,,A",
};

bool accepted(const std::string& body)
{
    const std::string id = body.substr(0, body.find(','));
    return id == "$GPGGA" || id == "$GPGLL" || id == "$GPGSA" || id == "$GPGSV" || id == "$GPRMC";
}

class CorruptedInput : public ::testing::Test
{
protected:
    CorruptedInput() { gps.setEvents(&events); }

    // A character that a damaged serial line might deliver, biased towards those that mean
    // something in a sentence.
    char anyCharacter()
    {
        static const std::string kMeaningful = ",,,,*$.-+ 0123456789AVNSEWM\r\n\t";
        if (pick(2) == 0)
            return kMeaningful[pick(kMeaningful.size())];
        return static_cast<char>(pick(256));
    }

    std::size_t pick(std::size_t n)
    {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
    }

    std::string damaged(std::string s)
    {
        const std::size_t operations = 1 + pick(4);
        for (std::size_t k = 0; k < operations && !s.empty(); ++k) {
            switch (pick(5)) {
            case 0: // cut short
                s.resize(pick(s.size() + 1));
                break;
            case 1: // overwritten
                s[pick(s.size())] = anyCharacter();
                break;
            case 2: // character lost
                s.erase(pick(s.size()), 1);
                break;
            case 3: // character inserted
                s.insert(pick(s.size() + 1), 1, anyCharacter());
                break;
            default: // a field repeated or run-on
                s += s.substr(pick(s.size()));
                break;
            }
        }
        return s;
    }

    std::mt19937 rng{20240611u};
    tv::VB6NmeaInterpreter gps;
    RecordingEvents events;
};

TEST_F(CorruptedInput, DamagedSentencesAreRejectedOrDecodedWithoutHarm)
{
    for (int n = 0; n < 4000; ++n) {
        // As received: the damage usually breaks the checksum.
        gps.Parse(damaged(withChecksum(kBodies[pick(kBodies.size())])));

        // With the checksum made to fit, so that the decoders see the damage.
        std::string body = damaged(kBodies[pick(kBodies.size())]);
        std::erase(body, '*'); // a "*" would end the checksum walk early
        events.clear();
        const bool result = gps.Parse(withChecksum(body));
        ASSERT_EQ(result, accepted(body)) << body;
        if (body.rfind("$GPGSA", 0) == 0 && result) {
            ASSERT_EQ(events.count("Ch12SatReceived("), 1) << body;
        }
    }
}

TEST_F(CorruptedInput, RandomBytesNeverCrash)
{
    for (int n = 0; n < 3000; ++n) {
        std::string line(pick(200), '\0');
        for (char& c : line)
            c = anyCharacter();
        if (pick(2) == 0) {
            static const char* kIds[] = {"$GPGGA,", "$GPGLL,", "$GPGSA,", "$GPGSV,", "$GPRMC,"};
            std::string body = kIds[pick(5)] + line;
            std::erase(body, '*');
            line = withChecksum(body);
            ASSERT_TRUE(gps.Parse(line));
        } else {
            gps.Parse(line);
        }
    }
}

TEST_F(CorruptedInput, ThousandsOfFieldsAndEmbeddedNulsAreHandled)
{
    std::string body = "$GPGSV,1,1,99";
    for (int i = 0; i < 20000; ++i)
        body += ",1";
    ASSERT_TRUE(gps.Parse(withChecksum(body)));
    EXPECT_EQ(events.count("SatelliteReceived(1, 1, 1, 1, 1)"), 1);
    EXPECT_EQ(events.count("SatelliteReceived("), 4);

    events.clear();
    std::string withNul = "$GPRMC,12";
    withNul += '\0';
    withNul += "519,A";
    ASSERT_TRUE(gps.Parse(withChecksum(withNul)));
    EXPECT_EQ(events.log.size(), 2u);
    EXPECT_EQ(events.log[0], std::string("TimeChanged(12:") + '\0' + "5:19)");
}

} // namespace
