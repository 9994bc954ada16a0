#include "platform/LineAssembler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using tv::LineAssembler;
using Lines = std::vector<std::string>;

const std::string kRmc = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A";
const std::string kGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";

TEST(SerialLineAssembly, ChunkEndingMidSentenceHandsOnOnlyTheCompleteLine)
{
    LineAssembler a;
    EXPECT_EQ(a.add(kRmc + "\r\n" + kGga.substr(0, 12)), Lines{kRmc});
    EXPECT_EQ(a.tail(), kGga.substr(0, 12));
}

TEST(SerialLineAssembly, ContinuationCompletesTheKeptLineWithoutRepeatingEarlierLines)
{
    LineAssembler a;
    a.add(kRmc + "\r\n" + kGga.substr(0, 12));
    // The RMC sentence was parsed once already; only the completed GGA line comes now.
    EXPECT_EQ(a.add(kGga.substr(12) + "\r\n"), Lines{kGga});
    EXPECT_EQ(a.tail(), "");
    EXPECT_EQ(a.add("\r\n"), Lines{});
}

TEST(SerialLineAssembly, EverySentenceIsHandedOnExactlyOnceWhateverTheChunkSizes)
{
    const std::string stream = kRmc + "\r\n" + kGga + "\r\n" + kRmc + "\r\n";
    for (std::size_t size = 1; size <= stream.size(); ++size) {
        LineAssembler a;
        Lines all;
        for (std::size_t at = 0; at < stream.size(); at += size)
            for (std::string& line : a.add(stream.substr(at, size)))
                all.push_back(std::move(line));
        EXPECT_EQ(all, (Lines{kRmc, kGga, kRmc})) << "chunk size " << size;
    }
}

TEST(SerialLineAssembly, ChunkBeginningWithDollarDiscardsTheUnfinishedLine)
{
    LineAssembler a;
    a.add("$GPGGA,1235");
    EXPECT_EQ(a.add(kRmc + "\r\n"), Lines{kRmc});
    EXPECT_EQ(a.tail(), "");
}

TEST(SerialLineAssembly, BlanksAroundSentencesAreTrimmedAndEmptyLinesDropped)
{
    LineAssembler a;
    EXPECT_EQ(a.add("$  \r\n  \r\n" + kGga + "  \r\n"), (Lines{"$", kGga}));
}

TEST(SerialLineAssembly, ReceiverEndingLinesWithLineFeedAloneNeverCompletesALine)
{
    LineAssembler a;
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(a.add("X" + kRmc + "\n"), Lines{});
    EXPECT_LE(a.tail().size(), LineAssembler::kMaxTailBytes);
}

TEST(SerialLineAssembly, NoiseWithoutLineEndsNeverGrowsTheBufferBeyondItsCap)
{
    LineAssembler a;
    const std::string noise(1000, '\xF3');
    for (int i = 0; i < 50; ++i)
        a.add(noise);
    EXPECT_EQ(a.tail().size(), LineAssembler::kMaxTailBytes);
    // The newest bytes are kept.
    a.add("xx$GPGGA,12");
    const Lines lines = a.add("3519\r\n");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], std::string(LineAssembler::kMaxTailBytes - 11, '\xF3') + "xx$GPGGA,123519");
}

TEST(SerialLineAssembly, ClearForgetsTheKeptText)
{
    LineAssembler a;
    a.add("$GPGGA,12");
    a.clear();
    EXPECT_EQ(a.tail(), "");
    EXPECT_EQ(a.firstPiece(), "");
    EXPECT_EQ(a.add("3519\r\n"), Lines{"3519"});
}

TEST(PortTestDisplay, ShowsTheFirstReceivedPieceWithoutItsLineEnd)
{
    LineAssembler a;
    a.add(kRmc + "\r\n" + kGga + "\r\n");
    EXPECT_EQ(a.firstPiece(), kRmc);
    EXPECT_FALSE(a.firstPieceTooLong());
}

TEST(PortTestDisplay, ShowsTheUnfinishedTextWhileNoLineEndedYet)
{
    LineAssembler a;
    a.add("$GPGGA,123519,48");
    EXPECT_EQ(a.firstPiece(), "$GPGGA,123519,48");
    a.add("07.038");
    EXPECT_EQ(a.firstPiece(), "$GPGGA,123519,4807.038");
}

TEST(PortTestDisplay, WarnsOfAWrongBaudRateWhenTwoHundredCharactersCameWithoutALineEnd)
{
    LineAssembler a;
    a.add(std::string(200, '~'));
    EXPECT_FALSE(a.firstPieceTooLong());
    a.add("~");
    EXPECT_TRUE(a.firstPieceTooLong());
}

} // namespace
