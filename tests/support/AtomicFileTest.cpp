#include "platform/AtomicFile.h"
#include "platform/ProgramFolder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>

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

namespace {

std::filesystem::perms permsOf(const std::filesystem::path& p)
{
    return std::filesystem::status(p).permissions() & std::filesystem::perms::mask;
}

// Sets the umask for the life of the object.
class Umask
{
public:
    explicit Umask(mode_t mask) : before_(::umask(mask)) {}
    ~Umask() { ::umask(before_); }

private:
    mode_t before_;
};

} // namespace

TEST(AtomicFileWrite, ReplacedFileKeepsItsPermissions)
{
    using P = std::filesystem::perms;
    TempDir dir;
    const auto file = dir / "data.crm";
    for (const P mode :
         {P::owner_read | P::owner_write, P::owner_read | P::owner_write | P::group_read,
          P::owner_read | P::owner_write | P::group_read | P::group_write | P::others_read}) {
        writeFile(file, "old\r\n");
        std::filesystem::permissions(file, mode);
        ASSERT_TRUE(tv::writeFileAtomically(file, "\"3\"\r\n"));
        EXPECT_EQ(permsOf(file), mode);
        EXPECT_EQ(readFile(file), "\"3\"\r\n");
    }
}

TEST(AtomicFileWrite, NewFileGetsTheUsualPermissionsUnderTheUmask)
{
    using P = std::filesystem::perms;
    TempDir dir;
    {
        Umask mask(022);
        ASSERT_TRUE(tv::writeFileAtomically(dir / "a.crm", "1\r\n"));
    }
    {
        Umask mask(077);
        ASSERT_TRUE(tv::writeFileAtomically(dir / "b.crm", "1\r\n"));
    }
    EXPECT_EQ(permsOf(dir / "a.crm"),
              P::owner_read | P::owner_write | P::group_read | P::others_read);
    EXPECT_EQ(permsOf(dir / "b.crm"), P::owner_read | P::owner_write);
}

TEST(AtomicFileLeftovers, AKilledSaveLeavesATemporaryFileThatTheNextStartRemoves)
{
    TempDir dir;
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(5);
    const char* ours[] = {".lang.crm.tvsave-Ab12Cd", ".track.crm.tvsave-000000"};
    const char* theirs[] = {"lang.crm", ".lang.crm.backup", ".lang.crm.tvsave-Ab12C",
                            ".lang.crm.tvsave-Ab12C!", "notes.tvsave-Ab12Cd"};
    for (const char* name : ours)
        writeFile(dir / name, "1\r\n");
    for (const char* name : theirs)
        writeFile(dir / name, "keep");
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        std::filesystem::last_write_time(e.path(), old);
    writeFile(dir / ".symbol.crm.tvsave-Zz9Zz9", "1\r\n");              // a save running right now
    std::filesystem::create_directory(dir / ".data.crm.tvsave-qwerty"); // no file of ours
    std::filesystem::last_write_time(dir / ".data.crm.tvsave-qwerty", old);

    EXPECT_EQ(tv::removeStaleTemporaryFiles(dir.path()), 2);
    for (const char* name : ours)
        EXPECT_FALSE(std::filesystem::exists(dir / name)) << name;
    for (const char* name : theirs)
        EXPECT_EQ(readFile(dir / name), "keep") << name;
    EXPECT_TRUE(std::filesystem::exists(dir / ".symbol.crm.tvsave-Zz9Zz9"));
    EXPECT_TRUE(std::filesystem::exists(dir / ".data.crm.tvsave-qwerty"));
}

TEST(AtomicFileLeftovers, TheNextSaveOfAFileAndTheNextStartRemoveLeftoversInEveryFolder)
{
    namespace fs = std::filesystem;
    TempDir dir;
    for (const char* sub : {"Flugplan", "Karten", "Route"})
        fs::create_directory(dir / sub);
    const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(5);
    const auto leftover = [&](const std::string& name, bool stale) {
        writeFile(dir / name, "half a save");
        if (stale)
            fs::last_write_time(dir / name, old);
        return dir / name;
    };
    const auto stalePlan = leftover("Flugplan/.Stuttgart - Augsburg.tvsave-ReCfSC", true);
    const auto freshPlan = leftover("Flugplan/.Stuttgart - Augsburg.tvsave-Fresh1", false);
    const auto otherPlan = leftover("Flugplan/.Ulm - Augsburg.tvsave-ReCfSC", true);
    const auto notOurs = leftover("Flugplan/Stuttgart - Augsburg.tvsave-ReCfSC", true);

    ASSERT_TRUE(tv::writeFileAtomically(dir / "Flugplan/Stuttgart - Augsburg", "plan"));
    EXPECT_FALSE(fs::exists(stalePlan)) << "the save of the same plan removes its leftover";
    EXPECT_TRUE(fs::exists(freshPlan)) << "a save under way is never touched";
    EXPECT_TRUE(fs::exists(otherPlan)) << "another plan's leftover waits for its save or the start";

    const fs::path atStart[] = {otherPlan, leftover("Karten/.demo.crm.tvsave-abc123", true),
                                leftover("Route/.Alpen.tvr.tvsave-abc123", true),
                                leftover(".track.bak.tvsave-abc123", true),
                                leftover(".position.crm.tvsave-abc123", true)};
    tv::setProgramFolderForTesting(dir.path());
    EXPECT_EQ(tv::removeStaleSaves(), 5);
    tv::setProgramFolderForTesting({});
    for (const fs::path& p : atStart)
        EXPECT_FALSE(fs::exists(p)) << p;
    EXPECT_TRUE(fs::exists(freshPlan));
    EXPECT_EQ(readFile(notOurs), "half a save");
    EXPECT_EQ(readFile(dir / "Flugplan/Stuttgart - Augsburg"), "plan");
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
