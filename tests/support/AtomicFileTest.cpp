#include "platform/AtomicFile.h"
#include "platform/ProgramFolder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <unistd.h>

using tvtest::readFile;
using tvtest::TempDir;
using tvtest::writeFile;

TEST(AtomicFileWrite, ReplacesOldContentAndLeavesNoTemporaryFile)
{
    TempDir dir;
    const auto file = dir / "lang.crm";
    writeFile(file, "old\r\n");
    ASSERT_TRUE(tv::writeFileAtomically(file, "1\r\n"));
    EXPECT_EQ(readFile(file), "1\r\n");
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(AtomicFileWrite, FailedWriteKeepsTheOldFile)
{
    if (::geteuid() == 0) {
        // root writes into read-only folders; use a folder that does not exist instead
        TempDir dir;
        EXPECT_FALSE(tv::writeFileAtomically(dir / "missing/sub.crm", "x"));
        return;
    }
    TempDir dir;
    const auto file = dir / "symbol.crm";
    writeFile(file, "2\r\n");
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec);
    EXPECT_FALSE(tv::writeFileAtomically(file, "1\r\n"));
    EXPECT_EQ(readFile(file), "2\r\n");
}

TEST(ProgramFolderHook, TestFolderOverridesTheExecutableFolder)
{
    TempDir dir;
    tv::setProgramFolderForTesting(dir.path());
    EXPECT_EQ(tv::programFolder(), dir.path());
    EXPECT_EQ(tv::programFile("data.tvd"), (dir / "data.tvd").string());
    tv::setProgramFolderForTesting({});
    EXPECT_NE(tv::programFolder(), dir.path());
}

#include "platform/TextFold.h"

TEST(TextFoldNoCase, UmlautsAndAsciiMatchInEitherCase)
{
    EXPECT_TRUE(tv::equalsNoCase("MÜNCHEN", "münchen"));
    EXPECT_TRUE(tv::equalsNoCase("Öhringen", "öHRINGEN"));
    EXPECT_TRUE(tv::equalsNoCase("Äußere", "äUßERE"));
    EXPECT_FALSE(tv::equalsNoCase("Mühle", "Muhle"));
    EXPECT_LT(tv::compareNoCase("alpha", "BRAVO"), 0);
    EXPECT_TRUE(tv::startsWithNoCase("Überlingen", "üBER"));
    EXPECT_FALSE(tv::startsWithNoCase("Ab", "Abc"));
}

#include <random>

TEST(TextFoldNoCase, ComparisonAgreesWithComparingFoldedCopies)
{
    // Bytes chosen to hit ASCII letters, C3 pairs (valid and broken) and the multiplication sign.
    const unsigned char alphabet[] = {'a', 'A', 'z', 'Z', '0', 0xC3, 0x84, 0xA4, 0x97, 0xB7, 0x9E};
    std::mt19937 rng(7);
    auto randomText = [&] {
        std::string s;
        const int len = static_cast<int>(rng() % 6);
        for (int i = 0; i < len; ++i)
            s.push_back(static_cast<char>(alphabet[rng() % sizeof alphabet]));
        return s;
    };
    for (int i = 0; i < 20000; ++i) {
        const std::string a = randomText();
        const std::string b = randomText();
        const int expected = tv::foldCase(a).compare(tv::foldCase(b));
        const int sign = expected < 0 ? -1 : (expected > 0 ? 1 : 0);
        ASSERT_EQ(tv::compareNoCase(a, b), sign) << i;
    }
}
