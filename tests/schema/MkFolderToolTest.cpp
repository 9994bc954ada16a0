// The tool tramvik-mkfolder, run as a separate process: what it makes and its exit codes
// (0 done, 1 failed, 2 wrong command line).
#include "TestDb.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct ToolRun
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the tool with `args`, its output captured in files of `scratch`.
ToolRun runTool(const tvtest::TempDir& scratch, const std::vector<std::string>& args)
{
    const fs::path outFile = scratch / "tool.out";
    const fs::path errFile = scratch / "tool.err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);

    std::string tool = TVTEST_MKFOLDER;
    std::vector<char*> argv{tool.data()};
    std::vector<std::string> copies = args;
    for (std::string& a : copies)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    ToolRun run;
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, tool.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return run;
    int status = 0;
    if (waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    run.out = tvtest::readFile(outFile);
    run.err = tvtest::readFile(errFile);
    return run;
}

} // namespace

TEST(MkFolderTool, LaysOutANewProgramFolderAndExitsZero)
{
    tvtest::TempDir dir;
    const fs::path folder = dir / "program";
    const ToolRun run = runTool(dir, {folder.string()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    for (const char* sub : {"Karten", "Route", "Flugplan"})
        EXPECT_TRUE(fs::is_directory(folder / sub)) << sub;
    tvtest::TestDb data(folder / "data.tvd");
    tvtest::TestDb track(folder / "track.tvd");
    EXPECT_FALSE(fs::exists(folder / "Luftraum.tvd"));
    EXPECT_FALSE(fs::exists(folder / "tvdata.tvd"));
}

TEST(MkFolderTool, OptionsAddAReleasedAirspaceFileAndAnAirportFile)
{
    tvtest::TempDir dir;
    const fs::path folder = dir / "program";
    const ToolRun run = runTool(dir, {"--airports", folder.string(), "--airspace"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    tvtest::TestDb airspace(folder / "Luftraum.tvd");
    EXPECT_EQ(airspace.column("SELECT count(*) FROM RELEASE WHERE Datum = date('now', "
                              "'localtime')"),
              std::vector<std::string>{"1"});
    tvtest::TestDb airports(folder / "tvdata.tvd");
    EXPECT_EQ(airports.column("SELECT count(*) FROM ICAOCODE"), std::vector<std::string>{"0"});
}

TEST(MkFolderTool, RunAgainKeepsTheDataAndExitsZero)
{
    tvtest::TempDir dir;
    const fs::path folder = dir / "program";
    ASSERT_EQ(runTool(dir, {folder.string()}).exitCode, 0);
    {
        tvtest::TestDb db(folder / "data.tvd");
        db.exec("INSERT INTO Route (Name, Nummer) VALUES ('Alpenrunde', 1)");
    }
    const ToolRun again = runTool(dir, {folder.string()});
    EXPECT_EQ(again.exitCode, 0) << again.err;
    tvtest::TestDb db(folder / "data.tvd");
    EXPECT_EQ(db.column("SELECT Name FROM Route"), std::vector<std::string>{"Alpenrunde"});
}

TEST(MkFolderTool, WithoutAFolderShowsUsageAndExitsTwo)
{
    tvtest::TempDir dir;
    const ToolRun run = runTool(dir, {});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("Usage: tramvik-mkfolder FOLDER"), std::string::npos) << run.err;
}

TEST(MkFolderTool, UnknownOptionExitsTwoAndMakesNothing)
{
    tvtest::TempDir dir;
    const ToolRun run = runTool(dir, {(dir / "program").string(), "--airspaces"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("--airspaces"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir / "program"));
}

TEST(MkFolderTool, TwoFoldersExitTwoAndMakeNothing)
{
    tvtest::TempDir dir;
    const ToolRun run = runTool(dir, {(dir / "a").string(), (dir / "b").string()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_FALSE(fs::exists(dir / "a"));
    EXPECT_FALSE(fs::exists(dir / "b"));
}

TEST(MkFolderTool, HelpPrintsUsageAndExitsZero)
{
    tvtest::TempDir dir;
    const ToolRun run = runTool(dir, {"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("Usage: tramvik-mkfolder"), std::string::npos) << run.out;
}

TEST(MkFolderTool, FolderThatCannotBeMadeExitsOneWithAMessage)
{
    tvtest::TempDir dir;
    tvtest::writeFile(dir / "blocker", "a file");
    const fs::path folder = dir / "blocker" / "program";
    const ToolRun run = runTool(dir, {folder.string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("tramvik-mkfolder: "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("blocker"), std::string::npos) << run.err;
    EXPECT_EQ(tvtest::readFile(dir / "blocker"), "a file");
}
