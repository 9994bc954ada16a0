#include "core/SettingsFile.h"

#include "Unprivileged.h"
#include "support/Dates.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace tv;
using tvtest::day;
using tvtest::readFile;
using tvtest::TempDir;
using tvtest::writeFile;

TEST(SettingsFileWriting, EveryValueFormOnItsOwnCrLfLine)
{
    SettingsWriter out;
    out.writeText("Kurs")
        .writeWhole(1013)
        .writeWhole(-5)
        .writeNumber(48.3012)
        .writeNumber(-7.3)
        .writeNumber(47.0)
        .writeBool(true)
        .writeBool(false)
        .writeDate(day(2024, 3, 7))
        .writeText("");
    EXPECT_EQ(out.content(), "\"Kurs\"\r\n1013\r\n-5\r\n48.3012\r\n-7.3\r\n47\r\n#TRUE#\r\n"
                             "#FALSE#\r\n#2024-03-07#\r\n\"\"\r\n");
}

TEST(SettingsFileWriting, SavedFileHoldsExactlyTheLines)
{
    TempDir dir;
    SettingsWriter out;
    out.writeText("3").writeText("4800");
    ASSERT_TRUE(out.save(dir / "data.crm"));
    EXPECT_EQ(readFile(dir / "data.crm"), "\"3\"\r\n\"4800\"\r\n");
}

TEST(SettingsFileWriting, FailedSaveKeepsTheOldFile)
{
    TempDir dir;
    writeFile(dir / "Set.crm", "#TRUE#\r\n");
    SettingsWriter out;
    out.writeBool(false);
    const auto outcome =
        coretest::runWithReadOnlyFolder(dir.path(), [&] { return out.save(dir / "Set.crm"); });
    if (outcome == coretest::Outcome::CannotTest)
        GTEST_SKIP() << "cannot take write permission away here";
    EXPECT_EQ(outcome, coretest::Outcome::Failed);
    EXPECT_EQ(readFile(dir / "Set.crm"), "#TRUE#\r\n");
}

TEST(SettingsFileWriting, UnchangedContentCountsAsSavedInAReadOnlyFolder)
{
    TempDir dir;
    writeFile(dir / "LR.crm", "1013\r\n#2024-03-07#\r\n");
    SettingsWriter same;
    same.writeWhole(1013).writeDate(day(2024, 3, 7));
    SettingsWriter changed;
    changed.writeWhole(1020).writeDate(day(2024, 3, 7));
    const auto sameOutcome =
        coretest::runWithReadOnlyFolder(dir.path(), [&] { return same.save(dir / "LR.crm"); });
    if (sameOutcome == coretest::Outcome::CannotTest)
        GTEST_SKIP() << "cannot take write permission away here";
    EXPECT_EQ(sameOutcome, coretest::Outcome::Succeeded) << "nothing to store, nothing lost";
    EXPECT_EQ(
        coretest::runWithReadOnlyFolder(dir.path(), [&] { return changed.save(dir / "LR.crm"); }),
        coretest::Outcome::Failed);
    EXPECT_EQ(readFile(dir / "LR.crm"), "1013\r\n#2024-03-07#\r\n");
}

TEST(SettingsFileRoundTrip, FractionsReadBackBitForBit)
{
    TempDir dir;
    const double values[] = {48.3012,    -7.3, 0.1,  1.0 / 3.0,         1e-7,
                             123456.789, -0.0, 1e21, 47.666666666666664};
    SettingsWriter out;
    for (const double v : values)
        out.writeNumber(v);
    ASSERT_TRUE(out.save(dir / "demo.crm"));
    SettingsReader in(dir / "demo.crm");
    for (const double v : values) {
        const auto read = in.readNumber();
        ASSERT_TRUE(read.has_value()) << v;
        EXPECT_EQ(std::memcmp(&*read, &v, sizeof v), 0) << v << " came back as " << *read;
    }
}

TEST(SettingsFileRoundTrip, TextsWithQuotesAndBlanksComeBackWhole)
{
    TempDir dir;
    SettingsWriter out;
    out.writeText("Tour \"Alpen\" 2").writeText("  Map  Data  ").writeText("a,b").writeText("\"");
    ASSERT_TRUE(out.save(dir / "kartendaten.crm"));
    SettingsReader in(dir / "kartendaten.crm");
    EXPECT_EQ(in.readText(), "Tour \"Alpen\" 2");
    EXPECT_EQ(in.readText(), "  Map  Data  ");
    EXPECT_EQ(in.readText(), "a,b");
    EXPECT_EQ(in.readText(), "\"");
    EXPECT_TRUE(in.ok());
}

TEST(SettingsFileRoundTrip, LineBreakInATextDoesNotSplitTheValue)
{
    SettingsWriter out;
    out.writeText("two\r\nlines").writeWhole(7);
    EXPECT_EQ(out.content(), "\"two  lines\"\r\n7\r\n");
}

TEST(SettingsFileReading, LineFeedOnlyFilesReadLikeCrLf)
{
    TempDir dir;
    writeFile(dir / "VOR.crm", "\"OBING\"\n\"HSI\"\n275\n");
    SettingsReader in(dir / "VOR.crm");
    EXPECT_EQ(in.readText(), "OBING");
    EXPECT_EQ(in.readText(), "HSI");
    EXPECT_EQ(in.readText(), "275");
    EXPECT_TRUE(in.ok());
}

TEST(SettingsFileReading, LastLineWithoutLineEndStillCounts)
{
    TempDir dir;
    writeFile(dir / "lang.crm", "1");
    SettingsReader in(dir / "lang.crm");
    EXPECT_EQ(in.readInt16(), 1);
    EXPECT_FALSE(in.readInt16().has_value());
}

TEST(SettingsFileReading, QuotedNumbersAndBareTextsAreAccepted)
{
    TempDir dir;
    writeFile(dir / "track.crm", "1\r\n\"10\"\r\n  0  \r\n\"48.3012\"\r\n");
    SettingsReader in(dir / "track.crm");
    EXPECT_EQ(in.readText(), "1");
    EXPECT_EQ(in.readInt16(), 10);
    EXPECT_EQ(in.readInt32(), 0);
    EXPECT_EQ(in.readNumber(), 48.3012);
}

TEST(SettingsFileReading, WholeNumbersRoundHalvesToEvenAndCheckTheirRange)
{
    TempDir dir;
    writeFile(dir / "n.crm", "10.5\r\n11.5\r\n40000\r\n40000\r\n");
    SettingsReader in(dir / "n.crm");
    EXPECT_EQ(in.readInt16(), 10);
    EXPECT_EQ(in.readInt16(), 12);
    EXPECT_EQ(in.readInt32(), 40000);
    EXPECT_FALSE(in.readInt16().has_value());
    EXPECT_FALSE(in.ok());
}

TEST(SettingsFileReading, TruthValuesInTheirUsualForms)
{
    TempDir dir;
    writeFile(dir / "Set.crm", "#TRUE#\r\n#false#\r\nTrue\r\n\"False\"\r\n1\r\n0\r\n-1\r\n");
    SettingsReader in(dir / "Set.crm");
    EXPECT_EQ(in.readBool(), true);
    EXPECT_EQ(in.readBool(), false);
    EXPECT_EQ(in.readBool(), true);
    EXPECT_EQ(in.readBool(), false);
    EXPECT_EQ(in.readBool(), true);
    EXPECT_EQ(in.readBool(), false);
    EXPECT_EQ(in.readBool(), true);
    EXPECT_TRUE(in.ok());
}

TEST(SettingsFileReading, DatesWithHashesOrQuotesAndAnIgnoredTime)
{
    TempDir dir;
    writeFile(dir / "LR.crm", "#2024-02-29#\r\n\"2024-03-01\"\r\n#2024-03-02 00:00:00#\r\n");
    SettingsReader in(dir / "LR.crm");
    EXPECT_EQ(in.readDate(), day(2024, 2, 29));
    EXPECT_EQ(in.readDate(), day(2024, 3, 1));
    EXPECT_EQ(in.readDate(), day(2024, 3, 2));
}

TEST(SettingsFileReadFailure, MissingFileFailsEveryRead)
{
    TempDir dir;
    SettingsReader in(dir / "missing.crm");
    EXPECT_FALSE(in.opened());
    EXPECT_FALSE(in.ok());
    EXPECT_FALSE(in.readText().has_value());
}

TEST(SettingsFileReadFailure, AFolderIsNoSettingsFile)
{
    TempDir dir;
    std::filesystem::create_directory(dir / "lang.crm");
    SettingsReader in(dir / "lang.crm");
    EXPECT_FALSE(in.opened());
    EXPECT_FALSE(in.readInt16().has_value());
}

TEST(SettingsFileReadFailure, ValuesThatDoNotConvert)
{
    TempDir dir;
    const char* bad[][2] = {{"abc", "number"},   {"", "number"},           {"1,5", "number"},
                            {"nan", "number"},   {"inf", "number"},        {"0x10", "number"},
                            {"12abc", "number"}, {"#2024-02-30#", "date"}, {"07.03.2024", "date"},
                            {"yes", "bool"},     {"#NULL#", "bool"},       {"\"\"", "number"}};
    for (const auto& [line, kind] : bad) {
        writeFile(dir / "bad.crm", std::string(line) + "\r\n");
        SettingsReader in(dir / "bad.crm");
        const std::string k = kind;
        const bool read = k == "number" ? in.readNumber().has_value()
                          : k == "date" ? in.readDate().has_value()
                                        : in.readBool().has_value();
        EXPECT_FALSE(read) << line;
        EXPECT_FALSE(in.ok()) << line;
    }
}

TEST(SettingsFileReadFailure, FirstFailureSticksForTheLaterLines)
{
    TempDir dir;
    writeFile(dir / "x.crm", "abc\r\n5\r\n");
    SettingsReader in(dir / "x.crm");
    EXPECT_FALSE(in.readInt16().has_value());
    EXPECT_FALSE(in.readInt16().has_value());
}

TEST(SettingsFileReadFailure, MissingLineFailsButEmptyLineIsAnEmptyText)
{
    TempDir dir;
    writeFile(dir / "x.crm", "\r\n");
    SettingsReader in(dir / "x.crm");
    EXPECT_EQ(in.readText(), "");
    EXPECT_FALSE(in.readText().has_value());
}
